#include "RegistryFixture.h"

#include <pelmora/Win32Handles.h>

#include <stdexcept>

namespace pelmora::test {

RegistryFixture::~RegistryFixture() {
    for (const auto& [root, key] : owned_) RegDeleteTreeW(root, key.c_str());
}

void RegistryFixture::own(HKEY root, const std::wstring& key) {
    RegDeleteTreeW(root, key.c_str());
    owned_.emplace_back(root, key);
}

void RegistryFixture::setString(HKEY root, const std::wstring& key, const std::wstring& name,
                                const std::wstring& value) {
    RegistryKey opened;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, opened.receive(), nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create a registry key");
    }
    RegSetValueExW(opened.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool readString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value) {
    RegistryKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.receive()) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    DWORD type = 0;
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    if (RegQueryValueExW(opened.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(opened.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    value.assign(buffer.c_str());
    return true;
}

bool keyExists(HKEY root, const std::wstring& key) {
    RegistryKey opened;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.receive()) == ERROR_SUCCESS;
}

}  // namespace pelmora::test
