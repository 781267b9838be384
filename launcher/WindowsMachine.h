// This machine as the launch settings and the JVM choice see it: the installation folder (the current
// directory), the installation key and the JavaSoft keys of HKEY_LOCAL_MACHINE, the memory.
#pragma once

#include "JvmEnvironment.h"
#include "LaunchSettings.h"

namespace pelmora {

class WindowsMachine : public InstallationView, public JvmEnvironment {
  public:
    // Both views ask the same file system.
    bool pathExists(const std::wstring& path) const override;

    std::vector<std::wstring> classPathEntries() const override;
    double totalPhysicalMemoryKb() const override;
    std::wstring installSetting(const std::wstring& valueName) const override;

    std::optional<std::vector<std::wstring>> subkeyNames(const std::wstring& key) const override;
    std::wstring javaHome(const std::wstring& key) const override;
};

}  // namespace pelmora
