// A fresh folder under the temporary folder, removed with its contents at the end of the scope.
#pragma once

#include <string>

namespace testjvm_test {

class TemporaryFolder {
  public:
    TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder();

    const std::wstring& path() const { return path_; }
    // Creates (or empties) a file in the folder and returns its full path.
    std::wstring createFile(const std::wstring& name) const;
    std::wstring createFolder(const std::wstring& name) const;

  private:
    std::wstring path_;
};

// The whole file, or an empty text when it does not exist.
std::string readFileBytes(const std::wstring& path);

}  // namespace testjvm_test
