#include "EnvironmentVariable.h"

#include <windows.h>

namespace testjvm {

std::optional<std::wstring> environmentVariable(const wchar_t* name) {
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::wstring();
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        // Too small: length is the size needed, terminator included.
        value.resize(length);
    }
}

}  // namespace testjvm
