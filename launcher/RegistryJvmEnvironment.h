// The JVM choice's view of this machine: the JavaSoft keys of HKEY_LOCAL_MACHINE and the file system.
#pragma once

#include "JvmEnvironment.h"

namespace pelmora {

class RegistryJvmEnvironment : public JvmEnvironment {
  public:
    std::optional<std::vector<std::wstring>> subkeyNames(const std::wstring& key) const override;
    std::wstring javaHome(const std::wstring& key) const override;
    bool pathExists(const std::wstring& path) const override;
};

}  // namespace pelmora
