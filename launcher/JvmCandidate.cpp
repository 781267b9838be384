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
                throw std::wstring(L"Java home path needed before the JRE path can be determined.");
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

void JvmCandidate::addBundleMark(const std::wstring& bundlePreference) {
    runStep(L"Error adjusting the Java version bundle.", [&] {
        const bool isJre = javaBundle == L"jre";
        if (!isJre && javaBundle != L"sdk") {
            throw std::wstring(L"Java bundle must be set before adjusting version");
        }
        bool preferred;
        if (bundlePreference.empty() || bundlePreference == L"prefer_jre") {
            preferred = isJre;
        } else if (bundlePreference == L"prefer_sdk") {
            preferred = !isJre;
        } else {
            throw std::wstring(L"Desired bundle settings are not correct.");
        }
        comparableVersion += preferred ? L"B2." : L"B1.";
    });
}

void JvmCandidate::addJvmTypeMark(const std::wstring& typePreference) {
    runStep(L"Error while adjusting the Java JVM directories.", [&] {
        const bool isClient = binJvmDir == L"client";
        if (!isClient && binJvmDir != L"server") {
            throw std::wstring(L"Bin Jvm Dir must be set before adjusting version.");
        }
        bool preferred;
        if (typePreference.empty() || typePreference == L"prefer_client") {
            preferred = isClient;
        } else if (typePreference == L"prefer_server") {
            preferred = !isClient;
        } else {
            throw std::wstring(L"Desired JVM settings are not correct.");
        }
        comparableVersion += preferred ? L"D2." : L"D1.";
    });
}

std::wstring JvmCandidate::describe() const {
    return L"jvmPath=" + jvmPath + L",javaBundle=" + javaBundle + L",binJvmDir=" + binJvmDir +
           L",comparableVersion=" + comparableVersion + L",javaHomePath=" + javaHomePath + L",version=" +
           version + L",jrePath=" + jrePath + L",acceptable=" + (acceptable ? L"true" : L"false");
}

}  // namespace pelmora
