// The server's registry entries as data: the AppID script and the script of its two classes, which differ
// only in the class name and the CLSID.
#pragma once

#include <pelmora/com/RegistryScript.h>

#include <string>

namespace pelmora::thumbsrv {

inline constexpr const wchar_t* appIdText = L"{4CDD8573-32D8-4B66-A35C-745469ABB5B6}";
inline constexpr const wchar_t* libraryIdText = L"{340BE246-6FF1-428C-A98A-4B3A58737DAF}";

struct ExtractorClass {
    // "ThumbExtractor" or "ExtThumbExtractor".
    const wchar_t* name;
    const wchar_t* clsid;
};

inline constexpr ExtractorClass thumbExtractorClass{L"ThumbExtractor",
                                                    L"{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}"};
inline constexpr ExtractorClass extThumbExtractorClass{L"ExtThumbExtractor",
                                                       L"{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}"};

const com::RegistryScript& appIdScript();
// Placeholders %CLASS% and %CLSID% besides %APPID% and %MODULE%.
const com::RegistryScript& extractorClassScript();

// %APPID%, and %MODULE%: the executable's path in double quotes.
com::Replacements serverReplacements(const std::wstring& modulePath);
// The server's replacements with those of one class added.
com::Replacements classReplacements(const com::Replacements& server, const ExtractorClass& extractor);

}  // namespace pelmora::thumbsrv
