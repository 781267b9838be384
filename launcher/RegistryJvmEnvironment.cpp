#include "RegistryJvmEnvironment.h"

#include "WindowsPaths.h"
#include "WindowsRegistry.h"

#include <pelmora/Win32Handles.h>

namespace pelmora {

std::optional<std::vector<std::wstring>> RegistryJvmEnvironment::subkeyNames(const std::wstring& key) const {
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    // The first non-zero result ends the enumeration, whatever its cause.
    for (DWORD index = 0;; ++index) {
        wchar_t name[MAX_PATH];
        DWORD length = MAX_PATH;
        if (RegEnumKeyExW(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

std::wstring RegistryJvmEnvironment::javaHome(const std::wstring& key) const {
    return WindowsRegistry().readLocalMachineString(key, L"JavaHome");
}

bool RegistryJvmEnvironment::pathExists(const std::wstring& path) const {
    return pelmora::pathExists(path);
}

}  // namespace pelmora
