#include "Launcher.h"

#include "CommandLineTokens.h"
#include "CommandWindow.h"
#include "ErrHandler.h"
#include "InstanceElection.h"
#include "JVMLauncher.h"
#include "LaunchSettings.h"
#include "Properties.h"
#include "WindowsMachine.h"
#include "WindowsPaths.h"

#include <direct.h>

#include <cwchar>

namespace pelmora {
namespace {

const DWORD handOffExitDelayMs = 2000;

// Java gets the queued texts on the delivery thread, once main has been called.
CommandQueue::Delivery deliveryTo(JVMLauncher& launcher) {
    return [&launcher](const std::wstring& text) {
        fatalOnError(L"Error sending commands to Java.",
                     [&] { launcher.sendCommands(splitCommandLine(text)); });
    };
}

// Removes the window under the election, so that a later start becomes a new running instance instead of
// handing its documents to an application that is ending.
void withdrawFromHandOffs(CommandWindow* record) {
    InstanceElection election = InstanceElection::enterForWithdrawal();
    removeCommandWindow(record);
}

// Hands the line to a running instance, or returns when this start is to become the running instance; a
// hand-off ends the process here, as it should.
void handOffOrContinue(CommandWindow* record, const std::wstring& line) {
    record->handOffLine = line;
    // The window thread released the election before it reported a failure: nobody waits for the box.
    const StartDecision decision =
        fatalOnError(L"Error while looking for a running instance.", [&] { return decideStart(record); });
    if (decision == StartDecision::runHere) return;
    Sleep(handOffExitDelayMs);
    std::exit(0);
}

}  // namespace

std::unique_ptr<Properties> createSettingsFromExe() {
    return fatalOnError(nullptr, [] {
        auto settings = std::make_unique<Properties>();
        settings->setFullPathAndNameOfExe(ownExecutablePath());
        settings->setCallerDir(currentDirectory());
        if (!settings->selfHomePath().empty()) _wchdir(settings->selfHomePath().c_str());
        return settings;
    });
}

void configureLaunch(const std::vector<std::wstring>& args, Properties& settings) {
    applyLaunchDefaults(args, settings, WindowsMachine());
    settings.evaluateJvm();
}

int runApplication(const std::vector<std::wstring>& args) {
    CommandWindow* record = getCommandWindow(nullptr);
    std::unique_ptr<Properties> settings = createSettingsFromExe();
    configureLaunch(args, *settings);

    JVMLauncher launcher(settings.get());
    launcher.startJvm();
    launcher.callMain([&] { record->commands.startDelivery(deliveryTo(launcher)); });
    withdrawFromHandOffs(record);
    // What arrived before the window went is still handed over while the JVM lives.
    record->commands.finish();
    launcher.destroyJvm();
    return 0;
}

int launcherMain(HINSTANCE instance, std::vector<std::wstring> args) {
    std::unique_ptr<Properties> startup = createSettingsFromExe();
    getCommandWindow(instance);

    if (args.size() >= 2 && _wcsicmp(args[1].c_str(), L"-command") == 0) {
        fatalOnError(L"Error while looking for a running instance.", [&] {
            InstanceElection election = InstanceElection::enter();
            // Without a text after the switch an empty one is sent.
            forwardCommandLine(args.size() >= 3 ? args[2] : std::wstring(), false);
        });
        return 1;
    }

    args = rewriteArguments(std::move(args), startup->callerDir());
    handOffOrContinue(getCommandWindow(instance), composeForwardingLine(args));
    return runApplication(args);
}

}  // namespace pelmora
