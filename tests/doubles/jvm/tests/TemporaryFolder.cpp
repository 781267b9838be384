#include "TemporaryFolder.h"

#include <pelmora/Win32Handles.h>

#include <atomic>

namespace testjvm_test {
namespace {

struct FindTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle search) { FindClose(search); }
};
using FindHandle = pelmora::UniqueHandle<FindTraits>;

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    const FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (search) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.get(), &entry));
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TemporaryFolder::TemporaryFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    std::wstring root(base, length);
    if (!root.empty() && root.back() == L'\\') root.pop_back();
    for (;;) {
        path_ =
            root + L"\\testjvm-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TemporaryFolder::~TemporaryFolder() {
    removeTree(path_);
}

std::wstring TemporaryFolder::createFile(const std::wstring& name) const {
    const std::wstring path = path_ + L"\\" + name;
    pelmora::FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return path;
}

std::wstring TemporaryFolder::createFolder(const std::wstring& name) const {
    const std::wstring path = path_ + L"\\" + name;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

std::string readFileBytes(const std::wstring& path) {
    pelmora::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

}  // namespace testjvm_test
