// The launcher's fixed launch defaults and the argument vector handed to Java: pure logic over a small view
// of the installation, so it runs without a registry or a file system.
#pragma once

#include "PathView.h"

#include <string>
#include <vector>

namespace pelmora {

class Properties;

// What the launch defaults read of the installation and the machine.
class InstallationView : public PathView {
  public:
    virtual ~InstallationView() = default;
    // The entries of the class path list file ".\Pelmora.cp"; none when it is missing or unreadable.
    virtual std::vector<std::wstring> classPathEntries() const = 0;
    virtual double totalPhysicalMemoryKb() const = 0;
    // A value of the installation key; empty when not set.
    virtual std::wstring installSetting(const std::wstring& valueName) const = 0;
};

// Inserts "-workdir", callerDir and "-open" after element 0 and appends "-endOpen".
std::vector<std::wstring> rewriteArguments(std::vector<std::wstring> args, const std::wstring& callerDir);

// Every element from position 1, quoted and followed by one space.
std::wstring composeForwardingLine(const std::vector<std::wstring>& args);

// The fixed launch defaults: private runtime, class path, main class, heap, minimum version, system
// properties and the arguments for main (the rewritten vector). The JVM is not chosen here.
void applyLaunchDefaults(const std::vector<std::wstring>& args, Properties& settings,
                         const InstallationView& installation);

}  // namespace pelmora
