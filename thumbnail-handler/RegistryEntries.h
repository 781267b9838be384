// The handler's registry entries as data, relative to HKEY_CLASSES_ROOT: the module's AppID script and one
// script for each of its classes, with the placeholders %MODULE% (the DLL's path, unquoted), %APPID%, and
// per class %CLASS%, %CLSID% and %SHELLKEY% (the shell's key of a file type under which the class serves).
#pragma once

#include <pelmora/com/RegistryScript.h>

#include <windows.h>

#include <string>

namespace pelmora::thumb {

inline constexpr const wchar_t* appIdText = L"{AF001D01-E0CC-445A-91D2-E268F671E3F1}";
inline constexpr const wchar_t* libraryIdText = L"{4052CD3A-52F9-45CC-9903-A7E46BF2ED1B}";
// The shell's image-extractor key of a file type, written with the lower-case "d1" the shell has always used.
inline constexpr const wchar_t* extractImageShellKey = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";
// IThumbnailProvider's IID, the shell's thumbnail provider key.
inline constexpr const wchar_t* thumbnailProviderShellKey = L"{E357FCCD-A995-4576-B01F-234630154E96}";

const com::RegistryScript& moduleScript();
const com::RegistryScript& classScript();
// Added for a class that scripts may create (the one with IDispatch).
const com::RegistryScript& programmableScript();

com::Replacements handlerReplacements(const std::wstring& modulePath);
// The handler's replacements with those of one class; the CLSID text is made from the constant.
com::Replacements classReplacements(const com::Replacements& handler, const wchar_t* name, REFCLSID clsid,
                                    const wchar_t* shellKey);

}  // namespace pelmora::thumb
