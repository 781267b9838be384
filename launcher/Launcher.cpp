#include "Launcher.h"

#include "ClassPathList.h"
#include "CommandWindow.h"
#include "ErrHandler.h"
#include "JVMLauncher.h"
#include "LaunchSettings.h"
#include "Properties.h"
#include "WindowsPaths.h"
#include "WindowsRegistry.h"

#include <direct.h>
#include <process.h>

#include <cwchar>
#include <fstream>
#include <locale>

namespace pelmora {
namespace {

const DWORD handOffExitDelayMs = 2000;
const unsigned commandWindowStackSize = 10000;

// The installation as this machine shows it; paths are relative to the current directory, the installation
// folder.
class WindowsInstallation : public InstallationView {
  public:
    bool pathExists(const std::wstring& path) const override { return pelmora::pathExists(path); }

    std::vector<std::wstring> classPathEntries() const override {
        // Each byte of the file becomes one character; text mode drops the carriage return of a line end.
        std::wifstream file(".\\Pelmora.cp");
        file.imbue(std::locale::classic());
        if (!file.is_open()) return {};
        return readClassPathList(file);
    }

    double totalPhysicalMemoryKb() const override { return pelmora::totalPhysicalMemoryKb(); }

    std::wstring installSetting(const std::wstring& valueName) const override {
        return WindowsRegistry().readInstallSetting(valueName);
    }
};

void __cdecl windowThreadEntry(void* record) {
    commandWindowThread(static_cast<CommandWindow*>(record));
}

}  // namespace

std::unique_ptr<Properties> createSettingsFromExe() {
    try {
        auto settings = std::make_unique<Properties>();
        settings->setFullPathAndNameOfExe(ownExecutablePath());
        settings->setCallerDir(currentDirectory());
        if (!settings->selfHomePath().empty()) _wchdir(settings->selfHomePath().c_str());
        return settings;
    } catch (...) {
        ErrHandler::fatalError();
    }
}

void configureLaunch(const std::vector<std::wstring>& args, Properties& settings) {
    applyLaunchDefaults(args, settings, WindowsInstallation());
    settings.evaluateJvm();
}

int runApplication(const std::vector<std::wstring>& args) {
    std::unique_ptr<Properties> settings = createSettingsFromExe();
    CommandWindow* record = getCommandWindow(nullptr);
    _beginthread(windowThreadEntry, commandWindowStackSize, record);
    configureLaunch(args, *settings);

    JVMLauncher launcher(settings.get());
    launcher.startJvm();
    record->publishLauncher(&launcher);
    launcher.callMain();
    record->withdrawLauncher();
    launcher.destroyJvm();
    return 0;
}

int launcherMain(HINSTANCE instance, std::vector<std::wstring> args) {
    std::unique_ptr<Properties> startup = createSettingsFromExe();
    getCommandWindow(instance);

    if (args.size() >= 2 && _wcsicmp(args[1].c_str(), L"-command") == 0) {
        // Without a text after the switch an empty one is sent.
        forwardCommandLine(args.size() >= 3 ? args[2] : std::wstring(), false);
        return 1;
    }

    args = rewriteArguments(std::move(args), startup->callerDir());
    if (forwardCommandLine(composeForwardingLine(args), true) != 0) {
        Sleep(handOffExitDelayMs);
        std::exit(0);
    }
    return runApplication(args);
}

}  // namespace pelmora
