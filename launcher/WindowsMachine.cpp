#include "WindowsMachine.h"

#include <pelmora/ClassPathList.h>
#include "WindowsPaths.h"
#include "WindowsRegistry.h"

#include <pelmora/FileBytes.h>
#include <pelmora/Win32Handles.h>

namespace pelmora {

bool WindowsMachine::pathExists(const std::wstring& path) const {
    return pelmora::pathExists(path);
}

std::vector<std::wstring> WindowsMachine::classPathEntries() const {
    // Relative to the current directory, the installation folder.
    const std::optional<std::string> list = readFileBytes(L".\\Pelmora.cp");
    if (!list) return {};
    std::vector<std::wstring> entries;
    for (const std::string& entry : readClassPathList(*list)) entries.push_back(widenEachByte(entry));
    return entries;
}

double WindowsMachine::totalPhysicalMemoryKb() const {
    return pelmora::totalPhysicalMemoryKb();
}

std::wstring WindowsMachine::installSetting(const std::wstring& valueName) const {
    return WindowsRegistry().readInstallSetting(valueName);
}

std::optional<std::vector<std::wstring>> WindowsMachine::subkeyNames(const std::wstring& key) const {
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

std::wstring WindowsMachine::javaHome(const std::wstring& key) const {
    return WindowsRegistry().readLocalMachineString(key, L"JavaHome");
}

}  // namespace pelmora
