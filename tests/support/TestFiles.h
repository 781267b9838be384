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
    // Writes the file (empty unless bytes are given) below the folder, replacing one there; returns its path.
    std::wstring createFile(const std::wstring& relative, const std::string& bytes = std::string()) const;
    // Creates the folder below this one with any missing parents; returns its path.
    std::wstring createFolder(const std::wstring& relative) const;

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
// The whole file as it is, even while another process writes it; empty when the file is missing.
std::string readFileBytes(const std::wstring& path);
// The lines of a text that ends them with LF, without the LF; a last line without one counts too.
std::vector<std::string> splitLines(const std::string& text);
// The file's lines (UTF-8) as UTF-16 texts, without line ends; nothing when the file is missing.
std::vector<std::wstring> readUtf8Lines(const std::wstring& path);

}  // namespace pelmora::test
