#include "ErrHandler.h"

#include "WindowsPaths.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

namespace pelmora {
namespace {
const wchar_t errorTitle[] = L"Error in Pelmora launcher.";
}

void ErrHandler::showWarning(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), ownExecutablePath().c_str(), MB_OK | MB_ICONWARNING);
}

void ErrHandler::fatalError(const std::wstring& message) {
    showWarning(std::wstring(errorTitle) + L" " + message);
    std::exit(1);
}

void ErrHandler::fatalError() {
    showWarning(errorTitle);
    std::exit(1);
}

LauncherError lastSystemError(std::wstring message, const char* failedCall) {
    return LauncherError(std::move(message), failedCall, GetLastError());
}

}  // namespace pelmora
