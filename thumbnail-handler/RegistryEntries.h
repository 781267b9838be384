// The handler's registry entries as data, relative to HKEY_CLASSES_ROOT: the module's AppID script and one
// script per class, with the placeholders %MODULE% (the DLL's path, unquoted) and %APPID%.
#pragma once

#include <pelmora/com/RegistryScript.h>

#include <string>

namespace pelmora::thumb {

inline constexpr const wchar_t* appIdText = L"{AF001D01-E0CC-445A-91D2-E268F671E3F1}";

const com::RegistryScript& moduleScript();
const com::RegistryScript& extractorScript();
const com::RegistryScript& extThumbScript();

com::Replacements handlerReplacements(const std::wstring& modulePath);

}  // namespace pelmora::thumb
