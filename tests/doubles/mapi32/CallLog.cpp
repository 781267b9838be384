#include "CallLog.h"

#include <windows.h>

#include <cstdio>

namespace mapidouble {

void logLine(const std::string& line) {
    wchar_t path[MAX_PATH]{};
    const DWORD length = GetEnvironmentVariableW(L"PELMORA_TEST_MAPI_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    // Opened per line: the log must be complete even if the caller crashes next.
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
    CloseHandle(file);
}

std::string quoted(const char* text) {
    return text == nullptr ? "null" : "\"" + std::string(text) + "\"";
}

std::string pointer(const void* value) {
    return value == nullptr ? "null" : "set";
}

std::string hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

}  // namespace mapidouble
