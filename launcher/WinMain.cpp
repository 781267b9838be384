// Entry of Pelmora64.exe, a GUI program without a console.
#include "ErrHandler.h"
#include "Launcher.h"
#include "WindowsPaths.h"

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLineTail, int) {
    try {
        std::vector<std::wstring> args{pelmora::ownExecutablePath()};
        if (commandLineTail != nullptr && *commandLineTail != L'\0') {
            int count = 0;
            LPWSTR* tokens = CommandLineToArgvW(commandLineTail, &count);
            if (tokens != nullptr) {
                for (int i = 0; i < count; ++i) args.emplace_back(tokens[i]);
                LocalFree(tokens);
            }
        }
        return pelmora::launcherMain(instance, std::move(args));
    } catch (...) {
        pelmora::ErrHandler::fatalError();
    }
}
