#include <pelmora/Win32Handles.h>
#include <pelmora/com/RegistryScript.h>

#include <objbase.h>

#include <cwchar>

namespace pelmora::com {
namespace {

HRESULT fromWin32(LSTATUS status) {
    return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

LSTATUS setString(HKEY key, const wchar_t* name, const std::wstring& data) {
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

HRESULT writeKey(HKEY root, const RegistryKeyEntry& entry, const Replacements& replacements) {
    const std::wstring path = applyReplacements(entry.path, replacements);
    if (entry.mark == KeyMark::force) {
        const LSTATUS deleted = RegDeleteTreeW(root, path.c_str());
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return fromWin32(deleted);
    }
    RegistryKey key;
    LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_READ | KEY_WRITE, nullptr, key.receive(), nullptr);
    if (status != ERROR_SUCCESS) return fromWin32(status);
    if (entry.defaultValue) {
        status = setString(key.get(), nullptr, applyReplacements(entry.defaultValue, replacements));
        if (status != ERROR_SUCCESS) return fromWin32(status);
    }
    for (const NamedValue& value : entry.values) {
        status = setString(key.get(), value.name, applyReplacements(value.data, replacements));
        if (status != ERROR_SUCCESS) return fromWin32(status);
    }
    return S_OK;
}

// Whether the key's unnamed value is the given text.
bool holdsDefault(HKEY key, const std::wstring& expected) {
    wchar_t value[256] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    return _wcsicmp(value, expected.c_str()) == 0;
}

HRESULT removeKey(HKEY root, const RegistryKeyEntry& entry, const Replacements& replacements) {
    const std::wstring path = applyReplacements(entry.path, replacements);
    RegistryKey key;
    LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WRITE, key.receive());
    if (status == ERROR_FILE_NOT_FOUND) return S_OK;
    if (status != ERROR_SUCCESS) return fromWin32(status);
    if (entry.mark == KeyMark::whileOwn &&
        !holdsDefault(key.get(),
                      applyReplacements(entry.defaultValue ? entry.defaultValue : L"", replacements))) {
        return S_OK;
    }
    for (const NamedValue& value : entry.values) {
        status = RegDeleteValueW(key.get(), value.name);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return fromWin32(status);
    }
    if (entry.mark == KeyMark::kept) return S_OK;
    DWORD subkeys = 0;
    status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return fromWin32(status);
    // A subkey that something else added keeps the key in place.
    if (subkeys != 0) return S_OK;
    key.reset();
    status = RegDeleteKeyW(root, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return fromWin32(status);
    return S_OK;
}

}  // namespace

std::wstring guidText(REFGUID guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring applyReplacements(const std::wstring& text, const Replacements& replacements) {
    std::wstring result;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find(L'%', position);
        if (open == std::wstring::npos) break;
        result.append(text, position, open - position);
        const std::size_t close = text.find(L'%', open + 1);
        if (close == std::wstring::npos) {
            position = open;
            break;
        }
        const std::wstring name = text.substr(open + 1, close - open - 1);
        if (name.empty()) {
            result += L'%';
            position = close + 1;
            continue;
        }
        bool replaced = false;
        for (const auto& [placeholder, value] : replacements) {
            if (placeholder == name) {
                result += value;
                replaced = true;
                break;
            }
        }
        if (replaced) {
            position = close + 1;
        } else {
            // Not a placeholder: keep the percent sign and look again from the next character.
            result += L'%';
            position = open + 1;
        }
    }
    result.append(text, position, std::wstring::npos);
    return result;
}

HRESULT registerScript(HKEY root, const RegistryScript& script, const Replacements& replacements) {
    for (const RegistryKeyEntry& entry : script) {
        const HRESULT result = writeKey(root, entry, replacements);
        if (FAILED(result)) return result;
    }
    return S_OK;
}

HRESULT unregisterScript(HKEY root, const RegistryScript& script, const Replacements& replacements) {
    for (auto entry = script.rbegin(); entry != script.rend(); ++entry) {
        const HRESULT result = removeKey(root, *entry, replacements);
        if (FAILED(result)) return result;
    }
    return S_OK;
}

}  // namespace pelmora::com
