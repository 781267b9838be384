#include "WindowsPaths.h"

#include <windows.h>

#include <direct.h>

namespace pelmora {

std::wstring ownExecutablePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A path that did not fit comes back cut short; it is still terminated.
    return std::wstring(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

std::wstring currentDirectory() {
    wchar_t folder[MAX_PATH] = {};
    if (_wgetcwd(folder, MAX_PATH) == nullptr) return std::wstring();
    return folder;
}

bool pathExists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search =
        FindFirstFileExW(path.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

double totalPhysicalMemoryKb() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    return static_cast<double>(status.ullTotalPhys >> 10);
}

}  // namespace pelmora
