#include "FileAssociation.h"

#include "NameComparison.h"

#include <pelmora/Win32Handles.h>

namespace pelmora::setup {

namespace {

constexpr const wchar_t* classesKey = L"Software\\Classes";

// ERROR_SUCCESS with the text; ERROR_FILE_NOT_FOUND without a default value; another code for a value that
// cannot be ours (too long, not a string).
LSTATUS readDefaultValue(HKEY key, std::wstring& value) {
    wchar_t text[256];
    DWORD size = sizeof(text);
    const LSTATUS status = RegGetValueW(key, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, text, &size);
    if (status == ERROR_SUCCESS) value = text;
    return status;
}

bool isEmpty(HKEY key) {
    DWORD subkeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

}  // namespace

AssociationResult removeOwnAssociation(const std::wstring& extension, const std::wstring& progId) {
    RegistryKey classes;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, classesKey, 0, KEY_READ | KEY_WOW64_64KEY, classes.receive()) !=
        ERROR_SUCCESS) {
        return {AssociationRemoval::failed, false};
    }
    RegistryKey key;
    const LSTATUS opened = RegOpenKeyExW(classes.get(), extension.c_str(), 0,
                                         KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return {AssociationRemoval::absent, false};
    if (opened != ERROR_SUCCESS) return {AssociationRemoval::failed, false};

    std::wstring current;
    const LSTATUS read = readDefaultValue(key.get(), current);
    AssociationRemoval removal = AssociationRemoval::absent;
    if (read != ERROR_FILE_NOT_FOUND) {
        // ProgIDs are compared as the shell compares them, without regard to case.
        if (read != ERROR_SUCCESS || !equalIgnoringCase(current, progId))
            return {AssociationRemoval::foreign, false};
        if (RegDeleteValueW(key.get(), nullptr) != ERROR_SUCCESS) return {AssociationRemoval::failed, false};
        removal = AssociationRemoval::removed;
    }
    // Other programs' entries below the extension (handlers, "Open with" lists) keep the key; the shell
    // handler entries of our own are gone by now, but unregistration leaves their extension's key.
    if (!isEmpty(key.get())) return {removal, false};
    key.reset();
    return {removal, RegDeleteKeyExW(classes.get(), extension.c_str(), KEY_WOW64_64KEY, 0) == ERROR_SUCCESS};
}

}  // namespace pelmora::setup
