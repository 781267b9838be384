// Reading a setting from this process's environment.
#pragma once

#include <pelmora/Milliseconds.h>

#include <windows.h>

#include <string>

namespace pelmora {

// The variable's text; empty when it is not set (or longer than any setting needs).
inline std::wstring environmentText(const wchar_t* name) {
    wchar_t value[64];
    const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length > 0 && length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

// The variable as whole milliseconds, or fallback when it is not set to one.
inline std::chrono::milliseconds environmentMilliseconds(const wchar_t* name,
                                                         std::chrono::milliseconds fallback) {
    return millisecondsFrom(environmentText(name)).value_or(fallback);
}

}  // namespace pelmora
