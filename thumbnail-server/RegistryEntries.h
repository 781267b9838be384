// The server's registry entries as data: the AppID script and the script of its two classes, which differ
// only in the class name and the CLSID.
#pragma once

#include <pelmora/com/RegistryScript.h>

#include <windows.h>

#include <string>

namespace pelmora::thumbsrv {

inline constexpr const wchar_t* appIdText = L"{4CDD8573-32D8-4B66-A35C-745469ABB5B6}";
inline constexpr const wchar_t* libraryIdText = L"{340BE246-6FF1-428C-A98A-4B3A58737DAF}";

const com::RegistryScript& appIdScript();
// Placeholders %CLASS% and %CLSID% besides %APPID% and %MODULE%.
const com::RegistryScript& extractorClassScript();

// %APPID%, and %MODULE%: the executable's path in double quotes.
com::Replacements serverReplacements(const std::wstring& modulePath);
// The server's replacements with those of one class added; the CLSID text is made from the constant.
com::Replacements classReplacements(const com::Replacements& server, const wchar_t* name, REFCLSID clsid);

}  // namespace pelmora::thumbsrv
