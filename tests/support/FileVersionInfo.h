// The version resource of a binary, as Explorer shows it in the file's properties.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pelmora::test {

class FileVersionInfo {
  public:
    explicit FileVersionInfo(const std::wstring& path);

    bool loaded() const { return !block_.empty(); }
    // Null when the resource has no fixed part.
    const VS_FIXEDFILEINFO* fixed() const;
    // A string of the US English, Windows Latin-1 block; "<missing>" when there is none.
    std::wstring text(const std::wstring& name) const;

  private:
    std::vector<BYTE> block_;
};

}  // namespace pelmora::test
