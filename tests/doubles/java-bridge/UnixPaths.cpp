#include "UnixPaths.h"

#include "TextConversion.h"

#include <windows.h>

#include <algorithm>

namespace javabridge {
namespace {

using WineGetUnixFileName = char*(CDECL*)(LPCWSTR);

std::string withForwardSlashes(std::wstring_view path) {
    std::string utf8 = testjvm::utf8FromUtf16(testjvm::utf16FromWide(path));
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return utf8;
}

}  // namespace

std::string unixPathOf(const std::wstring& windowsPath) {
    const auto wineGetUnixFileName = reinterpret_cast<WineGetUnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (wineGetUnixFileName != nullptr) {
        if (char* unixName = wineGetUnixFileName(windowsPath.c_str())) {
            std::string result(unixName);
            HeapFree(GetProcessHeap(), 0, unixName);
            return result;
        }
    }
    if (windowsPath.size() >= 3 && (windowsPath[0] == L'Z' || windowsPath[0] == L'z')) {
        return withForwardSlashes(std::wstring_view(windowsPath).substr(2));
    }
    return withForwardSlashes(windowsPath);
}

}  // namespace javabridge
