#include "TestFiles.h"

#include "Utf8Text.h"

#include <windows.h>
#include <shellapi.h>

#include <pelmora/Win32Handles.h>

#include <atomic>
#include <stdexcept>

namespace pelmora::test {

TempFolder::TempFolder(const std::wstring& prefix) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring base(temp);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    path_ = base + L"\\" + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    deleteTree(path_);
    createFolders(path_);
}

TempFolder::~TempFolder() {
    deleteTree(path_);
}

std::wstring TempFolder::createFile(const std::wstring& relative, const std::string& bytes) const {
    const std::wstring path = *this / relative;
    writeFile(path, bytes);
    return path;
}

std::wstring TempFolder::createFolder(const std::wstring& relative) const {
    const std::wstring path = *this / relative;
    createFolders(path);
    return path;
}

void createFolders(const std::wstring& path) {
    for (std::size_t cut = path.find(L'\\', 3); cut != std::wstring::npos; cut = path.find(L'\\', cut + 1)) {
        CreateDirectoryW(path.substr(0, cut).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

void deleteTree(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::wstring from = path;
    from.push_back(L'\0');  // the list of paths ends with an empty one
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    createFolders(path.substr(0, path.rfind(L'\\')));
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot write " + toUtf8(path));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void copyFile(const std::wstring& from, const std::wstring& to) {
    createFolders(to.substr(0, to.rfind(L'\\')));
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + toUtf8(from));
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFileBytes(const std::wstring& path) {
    std::string bytes;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::wstring> readUtf8Lines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    for (std::string& line : splitLines(readFileBytes(path))) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(fromUtf8(line));
    }
    return lines;
}

}  // namespace pelmora::test
