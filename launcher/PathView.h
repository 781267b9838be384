// What the launcher's pure logic asks of the file system; the machine views build on it.
#pragma once

#include <string>

namespace pelmora {

class PathView {
  public:
    // True when a file or folder exists at the path.
    virtual bool pathExists(const std::wstring& path) const = 0;

  protected:
    ~PathView() = default;
};

}  // namespace pelmora
