// COM registration as data: the keys and values of one registry script, written and removed under a root
// (HKEY_CLASSES_ROOT, or HKEY_CURRENT_USER\Software\Classes for a per-user registration).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace pelmora::com {

enum class KeyMark {
    // Deleted at unregistration once nothing is left below it.
    none,
    // Deleted with everything below it before registration writes it anew.
    force,
    // Never deleted; only what is listed below it is processed.
    kept,
    // Deleted at unregistration (with its named values) only while its unnamed value still is the script's,
    // compared without regard to case: a key that another program took over since stays as it is.
    whileOwn,
};

struct NamedValue {
    const wchar_t* name;
    const wchar_t* data;
};

// A key relative to the root, parents before their children. Texts may hold placeholders such as
// %MODULE%. All values are strings.
struct RegistryKeyEntry {
    const wchar_t* path;
    KeyMark mark = KeyMark::none;
    // The key's unnamed value; null for none.
    const wchar_t* defaultValue = nullptr;
    std::vector<NamedValue> values = {};
};

using RegistryScript = std::vector<RegistryKeyEntry>;

// Placeholder name (without the percent signs) and its text.
using Replacements = std::vector<std::pair<std::wstring, std::wstring>>;

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, as registration writes class and library ids.
std::wstring guidText(REFGUID guid);

// The text with every %NAME% replaced; "%%" stands for one percent sign. An unknown name stays as it is.
std::wstring applyReplacements(const std::wstring& text, const Replacements& replacements);

// Writes the script's keys in order. Stops at the first failure and returns it; what was written stays.
HRESULT registerScript(HKEY root, const RegistryScript& script, const Replacements& replacements);

// Removes the script's named values and its keys that are not kept and have no subkey left, children
// first. A key that does not exist is skipped; any other failure ends the run and is returned.
HRESULT unregisterScript(HKEY root, const RegistryScript& script, const Replacements& replacements);

}  // namespace pelmora::com
