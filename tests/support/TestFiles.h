// Temporary folders and small files for tests.
#pragma once

#include <string>
#include <vector>

namespace pelmora::test {

// A fresh, uniquely named folder under the user's temporary folder, deleted with everything in it at the end.
class TempFolder {
  public:
    explicit TempFolder(const std::wstring& prefix);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& path() const { return path_; }
    // path + "\" + relative
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

  private:
    std::wstring path_;
};

// Creates the folder and every missing parent.
void createFolders(const std::wstring& path);
void deleteTree(const std::wstring& path);
// Writes the bytes as they are, creating missing parent folders.
void writeFile(const std::wstring& path, const std::string& bytes);
void copyFile(const std::wstring& from, const std::wstring& to);
bool fileExists(const std::wstring& path);
// The file's lines (UTF-8) as UTF-16 texts, without line ends; nothing when the file is missing.
std::vector<std::wstring> readUtf8Lines(const std::wstring& path);
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

}  // namespace pelmora::test
