#include "ClassPath.h"

#include "TextConversion.h"

#include <windows.h>

#include <string>

namespace testjvm {
namespace {

const wchar_t applicationJarName[] = L"Pelmora.jar";

std::wstring fullPathOf(const std::wstring& entry) {
    const DWORD needed = GetFullPathNameW(entry.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring();
    std::wstring path(needed, L'\0');
    const DWORD length = GetFullPathNameW(entry.c_str(), needed, path.data(), nullptr);
    if (length == 0 || length >= needed) return std::wstring();
    path.resize(length);
    return path;
}

bool isApplicationJar(const std::wstring& entry) {
    if (entry.empty()) return false;
    const std::wstring path = fullPathOf(entry);
    if (path.empty()) return false;
    const auto cut = path.find_last_of(L"\\/");
    const std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
    if (CompareStringOrdinal(name.c_str(), -1, applicationJarName, -1, TRUE) != CSTR_EQUAL) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool applicationJarOnClassPath(std::u16string_view classPath) {
    const std::wstring entries = wideFromUtf16(classPath);
    std::size_t start = 0;
    while (start <= entries.size()) {
        std::size_t end = entries.find(L';', start);
        if (end == std::wstring::npos) end = entries.size();
        if (isApplicationJar(entries.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace testjvm
