#include "RegistryEntries.h"

namespace pelmora::thumb {

using com::KeyMark;

const com::RegistryScript& moduleScript() {
    static const com::RegistryScript script = {
        {L"AppID", KeyMark::kept},
        {L"AppID\\%APPID%", KeyMark::none, L"PelmoraThumb"},
        {L"AppID\\PelmoraThumb.DLL", KeyMark::none, nullptr, {{L"AppID", L"%APPID%"}}},
    };
    return script;
}

const com::RegistryScript& classScript() {
    static const com::RegistryScript script = {
        {L"PelmoraThumb.%CLASS%.1", KeyMark::none, L"%CLASS% Class"},
        {L"PelmoraThumb.%CLASS%.1\\CLSID", KeyMark::none, L"%CLSID%"},
        {L"PelmoraThumb.%CLASS%", KeyMark::none, L"%CLASS% Class"},
        {L"PelmoraThumb.%CLASS%\\CLSID", KeyMark::none, L"%CLSID%"},
        {L"PelmoraThumb.%CLASS%\\CurVer", KeyMark::none, L"PelmoraThumb.%CLASS%.1"},
        {L"CLSID", KeyMark::kept},
        {L"CLSID\\%CLSID%", KeyMark::force, L"%CLASS% Class", {{L"AppID", L"%APPID%"}}},
        {L"CLSID\\%CLSID%\\ProgID", KeyMark::none, L"PelmoraThumb.%CLASS%.1"},
        {L"CLSID\\%CLSID%\\VersionIndependentProgID", KeyMark::none, L"PelmoraThumb.%CLASS%"},
        {L"CLSID\\%CLSID%\\InprocServer32", KeyMark::none, L"%MODULE%", {{L"ThreadingModel", L"Apartment"}}},
        {L"CLSID\\%CLSID%\\TypeLib", KeyMark::none, libraryIdText},
        {L".sgf", KeyMark::kept},
        {L".sgf\\shellex", KeyMark::none},
        {L".sgf\\shellex\\%SHELLKEY%", KeyMark::whileOwn, L"%CLSID%"},
        {L".ugi", KeyMark::kept},
        {L".ugi\\shellex", KeyMark::none},
        {L".ugi\\shellex\\%SHELLKEY%", KeyMark::whileOwn, L"%CLSID%"},
    };
    return script;
}

const com::RegistryScript& programmableScript() {
    static const com::RegistryScript script = {
        {L"CLSID\\%CLSID%\\Programmable", KeyMark::force},
    };
    return script;
}

com::Replacements handlerReplacements(const std::wstring& modulePath) {
    return {{L"APPID", appIdText}, {L"MODULE", modulePath}};
}

com::Replacements classReplacements(const com::Replacements& handler, const wchar_t* name, REFCLSID clsid,
                                    const wchar_t* shellKey) {
    com::Replacements replacements = handler;
    replacements.emplace_back(L"CLASS", name);
    replacements.emplace_back(L"CLSID", com::guidText(clsid));
    replacements.emplace_back(L"SHELLKEY", shellKey);
    return replacements;
}

}  // namespace pelmora::thumb
