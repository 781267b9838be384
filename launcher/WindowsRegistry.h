// Reads string values under HKEY_LOCAL_MACHINE (64-bit view, KEY_READ).
#pragma once

#include <string>

namespace pelmora {

class WindowsRegistry {
  public:
    // The value's text; empty when the key or value is missing or the value exceeds 129 characters.
    std::wstring readLocalMachineString(const std::wstring& subKey, const std::wstring& valueName) const;
    // A value of the installation key "Software\Pelmora2\install".
    std::wstring readInstallSetting(const std::wstring& valueName) const;
};

}  // namespace pelmora
