#include "OptionTranslation.h"

#include "TextConversion.h"

#include <algorithm>
#include <cwctype>

namespace javabridge {
namespace {

std::string utf8FromWide(std::wstring_view text) {
    return testjvm::utf8FromUtf16(testjvm::utf16FromWide(text));
}

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The option families a JVM created through JNI accepts; the JVM itself judges the rest of each option.
bool isJvmOption(std::wstring_view option) {
    static constexpr std::wstring_view families[] = {L"-D",
                                                     L"-X",
                                                     L"-verbose",
                                                     L"-ea",
                                                     L"-da",
                                                     L"-esa",
                                                     L"-dsa",
                                                     L"-enableassertions",
                                                     L"-disableassertions",
                                                     L"-enablesystemassertions",
                                                     L"-disablesystemassertions",
                                                     L"-agentlib:",
                                                     L"-agentpath:",
                                                     L"-javaagent:"};
    for (std::wstring_view family : families) {
        if (startsWith(option, family)) return true;
    }
    // Module options come as one word: "--add-opens=...".
    return startsWith(option, L"--") && option.find(L'=') != std::wstring_view::npos;
}

std::vector<std::wstring> splitAt(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) return parts;
        start = end + 1;
    }
}

// A -D value made only of drive paths becomes a path list. The class path is one whatever it holds: its
// relative entries count from the current folder, which the Java process shares.
TranslatedOption translateProperty(const std::wstring& option, const UnixPathOf& unixPathOf) {
    const std::size_t equals = option.find(L'=');
    if (equals == std::wstring::npos) return {utf8FromWide(option), {}};
    const bool isClassPath = option.compare(0, equals + 1, L"-Djava.class.path=") == 0;
    const std::vector<std::wstring> parts = splitAt(std::wstring_view(option).substr(equals + 1), L';');
    for (const auto& part : parts) {
        if (!isClassPath && !isDrivePath(part)) return {utf8FromWide(option), {}};
    }
    TranslatedOption translated{utf8FromWide(option.substr(0, equals + 1)), {}};
    for (const auto& part : parts) {
        translated.unixPaths.push_back(isDrivePath(part) ? unixPathOf(part) : withForwardSlashes(part));
    }
    return translated;
}

}  // namespace

std::string withForwardSlashes(std::wstring_view path) {
    std::string utf8 = utf8FromWide(path);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return utf8;
}

bool isDrivePath(std::wstring_view text) {
    return text.size() >= 3 && std::iswalpha(text[0]) && text[1] == L':' &&
           (text[2] == L'\\' || text[2] == L'/');
}

OptionTranslation translateOptions(const std::vector<std::wstring>& options, bool ignoreUnrecognized,
                                   const UnixPathOf& unixPathOf) {
    OptionTranslation result;
    for (const auto& option : options) {
        if (startsWith(option, L"-D")) {
            result.options.push_back(translateProperty(option, unixPathOf));
        } else if (isJvmOption(option)) {
            result.options.push_back({utf8FromWide(option), {}});
        } else if (ignoreUnrecognized && startsWith(option, L"_")) {
            continue;
        } else {
            result.unrecognized = option;
            return result;
        }
    }
    return result;
}

}  // namespace javabridge
