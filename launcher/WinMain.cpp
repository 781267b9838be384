// Entry of Pelmora64.exe, a GUI program without a console.
#include "CommandLineTokens.h"
#include "ErrHandler.h"
#include "Launcher.h"
#include "WindowsPaths.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLineTail, int) {
    // Whatever escapes the main flow ends the launcher without detail.
    return pelmora::fatalOnError(nullptr, [&] {
        std::vector<std::wstring> args{pelmora::ownExecutablePath()};
        if (commandLineTail != nullptr) {
            const std::vector<std::wstring> tokens = pelmora::splitCommandLine(commandLineTail);
            args.insert(args.end(), tokens.begin(), tokens.end());
        }
        return pelmora::launcherMain(instance, std::move(args));
    });
}
