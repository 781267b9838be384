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

// {BB2E617C-0920-11d1-...} is the shell's image-extractor key of a file type, written with the lower-case
// "d1" the shell has always used.
const com::RegistryScript& extractorScript() {
    static const com::RegistryScript script = {
        {L"PelmoraThumb.PelmoraExtractor.1", KeyMark::none, L"PelmoraExtractor Class"},
        {L"PelmoraThumb.PelmoraExtractor.1\\CLSID", KeyMark::none, L"{EDCCAA5E-9344-44EC-B16F-17D31447C734}"},
        {L"PelmoraThumb.PelmoraExtractor", KeyMark::none, L"PelmoraExtractor Class"},
        {L"PelmoraThumb.PelmoraExtractor\\CLSID", KeyMark::none, L"{EDCCAA5E-9344-44EC-B16F-17D31447C734}"},
        {L"PelmoraThumb.PelmoraExtractor\\CurVer", KeyMark::none, L"PelmoraThumb.PelmoraExtractor.1"},
        {L"CLSID", KeyMark::kept},
        {L"CLSID\\{EDCCAA5E-9344-44EC-B16F-17D31447C734}",
         KeyMark::force,
         L"PelmoraExtractor Class",
         {{L"AppID", L"%APPID%"}}},
        {L"CLSID\\{EDCCAA5E-9344-44EC-B16F-17D31447C734}\\ProgID", KeyMark::none,
         L"PelmoraThumb.PelmoraExtractor.1"},
        {L"CLSID\\{EDCCAA5E-9344-44EC-B16F-17D31447C734}\\VersionIndependentProgID", KeyMark::none,
         L"PelmoraThumb.PelmoraExtractor"},
        {L"CLSID\\{EDCCAA5E-9344-44EC-B16F-17D31447C734}\\InprocServer32",
         KeyMark::none,
         L"%MODULE%",
         {{L"ThreadingModel", L"Apartment"}}},
        {L"CLSID\\{EDCCAA5E-9344-44EC-B16F-17D31447C734}\\TypeLib", KeyMark::none,
         L"{4052CD3A-52F9-45CC-9903-A7E46BF2ED1B}"},
        {L".sgf", KeyMark::kept},
        {L".sgf\\shellex", KeyMark::none},
        {L".sgf\\shellex\\{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}", KeyMark::whileOwn,
         L"{EDCCAA5E-9344-44EC-B16F-17D31447C734}"},
        {L".ugi", KeyMark::kept},
        {L".ugi\\shellex", KeyMark::none},
        {L".ugi\\shellex\\{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}", KeyMark::whileOwn,
         L"{EDCCAA5E-9344-44EC-B16F-17D31447C734}"},
    };
    return script;
}

// {E357FCCD-A995-4576-B01F-234630154E96} is IThumbnailProvider's IID, the shell's thumbnail provider key.
const com::RegistryScript& extThumbScript() {
    static const com::RegistryScript script = {
        {L"PelmoraThumb.PelmoraExtThumb.1", KeyMark::none, L"PelmoraExtThumb Class"},
        {L"PelmoraThumb.PelmoraExtThumb.1\\CLSID", KeyMark::none, L"{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}"},
        {L"PelmoraThumb.PelmoraExtThumb", KeyMark::none, L"PelmoraExtThumb Class"},
        {L"PelmoraThumb.PelmoraExtThumb\\CLSID", KeyMark::none, L"{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}"},
        {L"PelmoraThumb.PelmoraExtThumb\\CurVer", KeyMark::none, L"PelmoraThumb.PelmoraExtThumb.1"},
        {L"CLSID", KeyMark::kept},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}",
         KeyMark::force,
         L"PelmoraExtThumb Class",
         {{L"AppID", L"%APPID%"}}},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}\\ProgID", KeyMark::none,
         L"PelmoraThumb.PelmoraExtThumb.1"},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}\\VersionIndependentProgID", KeyMark::none,
         L"PelmoraThumb.PelmoraExtThumb"},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}\\Programmable", KeyMark::force},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}\\InprocServer32",
         KeyMark::none,
         L"%MODULE%",
         {{L"ThreadingModel", L"Apartment"}}},
        {L"CLSID\\{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}\\TypeLib", KeyMark::none,
         L"{4052CD3A-52F9-45CC-9903-A7E46BF2ED1B}"},
        {L".sgf", KeyMark::kept},
        {L".sgf\\shellex", KeyMark::none},
        {L".sgf\\shellex\\{E357FCCD-A995-4576-B01F-234630154E96}", KeyMark::whileOwn,
         L"{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}"},
        {L".ugi", KeyMark::kept},
        {L".ugi\\shellex", KeyMark::none},
        {L".ugi\\shellex\\{E357FCCD-A995-4576-B01F-234630154E96}", KeyMark::whileOwn,
         L"{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}"},
    };
    return script;
}

com::Replacements handlerReplacements(const std::wstring& modulePath) {
    return {{L"APPID", appIdText}, {L"MODULE", modulePath}};
}

}  // namespace pelmora::thumb
