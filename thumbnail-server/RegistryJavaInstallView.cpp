#include "RegistryJavaInstallView.h"

#include <pelmora/Win32Handles.h>

#include <windows.h>

namespace pelmora::thumbsrv {
namespace {

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::currentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// A string value that fits into registryTextCapacity characters with its terminator; the type is not
// checked, as the value is only ever read as text.
std::optional<std::wstring> readText(HKEY key, const wchar_t* name) {
    wchar_t buffer[registryTextCapacity] = {};
    DWORD bytes = sizeof(buffer);
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A value need not carry its terminator: end it within the buffer in every case.
    std::size_t length = bytes / sizeof(wchar_t);
    if (length >= registryTextCapacity) length = registryTextCapacity - 1;
    buffer[length] = L'\0';
    return std::wstring(buffer);
}

}  // namespace

bool RegistryJavaInstallView::fileExists(const std::wstring& path) const {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<std::wstring>> RegistryJavaInstallView::subkeyNames(
    RegistryRoot root, const std::wstring& keyPath) const {
    RegistryKey key;
    if (RegOpenKeyExW(rootKey(root), keyPath.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::wstring> names;
    wchar_t name[registryTextCapacity];
    for (DWORD index = 0; RegEnumKeyW(key.get(), index, name, registryTextCapacity) == ERROR_SUCCESS;
         ++index) {
        names.emplace_back(name);
    }
    return names;
}

std::optional<JavaRegistration> RegistryJavaInstallView::readJavaValues(
    RegistryRoot root, const std::wstring& keyPath, const std::wstring& subkeyName) const {
    RegistryKey key;
    const std::wstring path = keyPath + L"\\" + subkeyName;
    if (RegOpenKeyExW(rootKey(root), path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    auto home = readText(key.get(), L"JavaHome");
    auto library = readText(key.get(), L"RuntimeLib");
    if (!home || !library) return std::nullopt;
    return JavaRegistration{std::move(*home), std::move(*library)};
}

}  // namespace pelmora::thumbsrv
