#include "UnixPaths.h"

#include "OptionTranslation.h"

#include <pelmora/ProcAddress.h>

#include <windows.h>

namespace javabridge {
namespace {

using WineGetUnixFileName = char*(CDECL*)(LPCWSTR);

}  // namespace

std::string unixPathOf(const std::wstring& windowsPath) {
    const auto wineGetUnixFileName =
        pelmora::procAddress<WineGetUnixFileName>(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name");
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
