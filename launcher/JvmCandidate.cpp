#include "JvmCandidate.h"

#include "JvmEnvironment.h"
#include "LauncherError.h"

#include <vector>

namespace pelmora {

std::wstring comparableVersionOf(const std::wstring& version) {
    return runStep(L"Error getting JVM version using regular version.", [&] {
        // Only version texts of up to 99 characters are supported.
        const std::wstring text = version.substr(0, 99);
        std::vector<std::wstring> tokens;
        std::wstring token;
        for (wchar_t c : text) {
            if (c == L'.' || c == L'_') {
                if (!token.empty()) tokens.push_back(token);
                token.clear();
            } else {
                token.push_back(c);
            }
        }
        if (!token.empty()) tokens.push_back(token);
        tokens.resize(4, L"0");

        std::wstring comparable;
        for (const auto& piece : tokens) {
            if (piece.size() < 3) comparable.append(3 - piece.size(), L'0');
            comparable += piece + L".";
        }
        return comparable;
    });
}

const std::wstring& JvmCandidate::getJrePath() {
    return runStep(L"Error getting the JRE path.", [&]() -> const std::wstring& {
        if (jrePath.empty()) {
            if (javaBundle == L"jre") {
                jrePath = javaHomePath + L"\\bin\\";
            } else if (javaBundle == L"sdk") {
                jrePath = javaHomePath + L"\\jre\\bin\\";
            } else {
                throw LauncherError(L"Java home path needed before the JRE path can be determined.");
            }
        }
        return jrePath;
    });
}

std::wstring JvmCandidate::jvmPathFor(const std::wstring& type) {
    return runStep(L"Error getting jvm.dll path.", [&] { return getJrePath() + type + L"\\jvm.dll"; });
}

bool JvmCandidate::hasJvmType(const std::wstring& type, const JvmEnvironment& environment) {
    return runStep(L"Error testing JVM.DLL.", [&] { return environment.pathExists(jvmPathFor(type)); });
}

void JvmCandidate::setBinJvmDir(const std::wstring& type) {
    binJvmDir = type;
    jvmPath = jvmPathFor(type);
}

namespace {

// One of two words and the preference between them ("" or "prefer_" + word; an empty one favours the first).
struct MarkRule {
    const wchar_t* letter;
    const wchar_t* firstWord;
    const wchar_t* secondWord;
    const wchar_t* unsetMessage;
    const wchar_t* badPreferenceMessage;
};

const MarkRule bundleMark = {L"B", L"jre", L"sdk", L"Java bundle must be set before adjusting version",
                             L"Desired bundle settings are not correct."};
const MarkRule jvmTypeMark = {L"D", L"client", L"server",
                              L"Bin Jvm Dir must be set before adjusting version.",
                              L"Desired JVM settings are not correct."};

// The letter with 2 for the preferred word and 1 for the other, then ".".
std::wstring markOf(const MarkRule& rule, const std::wstring& value, const std::wstring& preference) {
    const bool isFirst = value == rule.firstWord;
    if (!isFirst && value != rule.secondWord) throw LauncherError(rule.unsetMessage);
    bool preferred;
    if (preference.empty() || preference == std::wstring(L"prefer_") + rule.firstWord) {
        preferred = isFirst;
    } else if (preference == std::wstring(L"prefer_") + rule.secondWord) {
        preferred = !isFirst;
    } else {
        throw LauncherError(rule.badPreferenceMessage);
    }
    return std::wstring(rule.letter) + (preferred ? L"2." : L"1.");
}

}  // namespace

void JvmCandidate::addBundleMark(const std::wstring& bundlePreference) {
    runStep(L"Error adjusting the Java version bundle.",
            [&] { comparableVersion += markOf(bundleMark, javaBundle, bundlePreference); });
}

void JvmCandidate::addJvmTypeMark(const std::wstring& typePreference) {
    runStep(L"Error while adjusting the Java JVM directories.",
            [&] { comparableVersion += markOf(jvmTypeMark, binJvmDir, typePreference); });
}

std::wstring JvmCandidate::describe() const {
    return L"jvmPath=" + jvmPath + L",javaBundle=" + javaBundle + L",binJvmDir=" + binJvmDir +
           L",comparableVersion=" + comparableVersion + L",javaHomePath=" + javaHomePath + L",version=" +
           version + L",jrePath=" + jrePath + L",acceptable=" + (acceptable ? L"true" : L"false");
}

}  // namespace pelmora
