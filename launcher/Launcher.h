// The launcher's main flow: hand-off to a running instance, or launch settings, JVM and the application.
#pragma once

#include "InstanceElection.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class Properties;

// Returns the exit code: 1 after "-command", 0 after the application ran (a hand-off ends the process).
int launcherMain(HINSTANCE instance, std::vector<std::wstring> args);
// Becomes the running instance: the election is released once the command window exists.
int runApplication(const std::vector<std::wstring>& args, InstanceElection election);
void configureLaunch(const std::vector<std::wstring>& args, Properties& settings);
// New settings from the executable's path and the current directory, which then becomes the installation
// folder.
std::unique_ptr<Properties> createSettingsFromExe();

}  // namespace pelmora
