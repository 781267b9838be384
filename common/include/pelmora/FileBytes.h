// Reading a whole file as bytes with the system's own calls: no C++ streams, whose locale machinery would
// triple the size of every deliverable.
#pragma once

#include <pelmora/Win32Handles.h>

#include <windows.h>

#include <optional>
#include <string>

namespace pelmora {

// The file's bytes up to its end or to the first failed read; nothing when the file cannot be opened.
inline std::optional<std::string> readFileBytes(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    return bytes;
}

}  // namespace pelmora
