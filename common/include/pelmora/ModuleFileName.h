// The one way the deliverables read the path of a module's file: GetModuleFileNameW into the 260 characters
// every path of theirs lives in. Each caller decides what a path that did not fit means.
#pragma once

#include <windows.h>

#include <string>

namespace pelmora {

struct ModuleFileName {
    // The path; cut to 259 characters when it did not fit, empty when the call failed.
    std::wstring path;
    // ERROR_SUCCESS, ERROR_INSUFFICIENT_BUFFER for a path that did not fit, or the failed call's error.
    DWORD error = ERROR_SUCCESS;

    bool complete() const { return error == ERROR_SUCCESS; }
};

// The file of the module (null: the program itself).
inline ModuleFileName moduleFileName(HMODULE module) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
    if (length == 0) return {std::wstring(), GetLastError()};
    // A path that did not fit comes back cut to the buffer and terminated.
    if (length >= MAX_PATH) return {std::wstring(buffer, MAX_PATH - 1), ERROR_INSUFFICIENT_BUFFER};
    return {std::wstring(buffer, length), ERROR_SUCCESS};
}

}  // namespace pelmora
