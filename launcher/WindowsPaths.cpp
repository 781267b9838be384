#include "WindowsPaths.h"

#include <pelmora/ModuleFileName.h>

#include <windows.h>

#include <direct.h>

namespace pelmora {

std::wstring ownExecutablePath() {
    // A path that did not fit is used cut short, as the launcher always has.
    return moduleFileName(nullptr).path;
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
