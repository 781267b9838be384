// The launcher's main flow: hand-off to a running instance, or launch settings, JVM and the application.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class Properties;

// Returns the exit code: 1 after "-command", 0 after the application ran (a hand-off ends the process).
int launcherMain(HINSTANCE instance, std::vector<std::wstring> args);
// Runs the application as the running instance (the window thread decided so).
int runApplication(const std::vector<std::wstring>& args);
void configureLaunch(const std::vector<std::wstring>& args, Properties& settings);
// New settings from the executable's path and the current directory, which then becomes the installation
// folder.
std::unique_ptr<Properties> createSettingsFromExe();

}  // namespace pelmora
