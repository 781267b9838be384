#include "WindowsRegistry.h"

#include "ErrHandler.h"
#include <pelmora/Win32Handles.h>

#include <windows.h>

namespace pelmora {

std::wstring WindowsRegistry::readLocalMachineString(const std::wstring& subKey,
                                                     const std::wstring& valueName) const {
    return fatalOnError(L"Error reading registry.", [&] {
        RegistryKey key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
            return std::wstring();
        }
        // 260 bytes: at most 129 characters and the terminating NUL.
        wchar_t buffer[130] = {};
        DWORD size = 260;
        DWORD type = REG_SZ;
        if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size) != ERROR_SUCCESS) {
            return std::wstring();
        }
        // A value stored without its terminator still ends inside the buffer.
        buffer[129] = L'\0';
        const std::size_t characters = size / sizeof(wchar_t);
        return std::wstring(buffer, wcsnlen(buffer, characters < 130 ? characters : 130));
    });
}

std::wstring WindowsRegistry::readInstallSetting(const std::wstring& valueName) const {
    return readLocalMachineString(L"Software\\Pelmora2\\install", valueName);
}

}  // namespace pelmora
