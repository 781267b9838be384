#include "RegistryEntries.h"

namespace pelmora::thumbsrv {

using com::KeyMark;

const com::RegistryScript& appIdScript() {
    static const com::RegistryScript script = {
        {L"AppID", KeyMark::kept},
        {L"AppID\\%APPID%", KeyMark::none, L"PelmoraThumbSrv"},
        {L"AppID\\PelmoraThumbSrv64.EXE", KeyMark::none, nullptr, {{L"AppID", L"%APPID%"}}},
    };
    return script;
}

const com::RegistryScript& extractorClassScript() {
    static const com::RegistryScript script = {
        {L"PelmoraThumbSrv.%CLASS%.1", KeyMark::none, L"%CLASS% Class"},
        {L"PelmoraThumbSrv.%CLASS%.1\\CLSID", KeyMark::none, L"%CLSID%"},
        {L"PelmoraThumbSrv.%CLASS%", KeyMark::none, L"%CLASS% Class"},
        {L"PelmoraThumbSrv.%CLASS%\\CLSID", KeyMark::none, L"%CLSID%"},
        {L"PelmoraThumbSrv.%CLASS%\\CurVer", KeyMark::none, L"PelmoraThumbSrv.%CLASS%.1"},
        {L"CLSID", KeyMark::kept},
        {L"CLSID\\%CLSID%", KeyMark::force, L"%CLASS% Class", {{L"AppID", L"%APPID%"}}},
        {L"CLSID\\%CLSID%\\ProgID", KeyMark::none, L"PelmoraThumbSrv.%CLASS%.1"},
        {L"CLSID\\%CLSID%\\VersionIndependentProgID", KeyMark::none, L"PelmoraThumbSrv.%CLASS%"},
        {L"CLSID\\%CLSID%\\Programmable", KeyMark::force},
        {L"CLSID\\%CLSID%\\LocalServer32", KeyMark::none, L"%MODULE%"},
        {L"CLSID\\%CLSID%\\TypeLib", KeyMark::none, libraryIdText},
    };
    return script;
}

com::Replacements serverReplacements(const std::wstring& modulePath) {
    // A registry script doubles each single quote of the path and its parser undoes that: the path is
    // stored as it is, in double quotes.
    return {{L"APPID", appIdText}, {L"MODULE", L"\"" + modulePath + L"\""}};
}

com::Replacements classReplacements(const com::Replacements& server, const wchar_t* name, REFCLSID clsid) {
    com::Replacements replacements = server;
    replacements.emplace_back(L"CLASS", name);
    replacements.emplace_back(L"CLSID", com::guidText(clsid));
    return replacements;
}

}  // namespace pelmora::thumbsrv
