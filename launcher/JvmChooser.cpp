#include "JvmChooser.h"

#include "JvmEnvironment.h"
#include "LauncherError.h"
#include "Properties.h"

namespace pelmora {
namespace {

struct JavaSoftKey {
    const wchar_t* key;
    const wchar_t* bundle;
};

constexpr JavaSoftKey javaSoftKeys[] = {
    {L"SOFTWARE\\JavaSoft\\JRE", L"jre"},
    {L"SOFTWARE\\JavaSoft\\JDK", L"sdk"},
    {L"SOFTWARE\\JavaSoft\\Java Runtime Environment", L"jre"},
    {L"SOFTWARE\\JavaSoft\\Java Development Kit", L"sdk"},
};

JvmCandidate fromCustomJavaHome(const Properties& settings, const JvmEnvironment& environment) {
    const std::wstring& home = settings.customJavaHomePath();
    const bool serverFirst = settings.customBinJvmDir() == L"prefer_server";
    const wchar_t* types[] = {serverFirst ? L"server" : L"client", serverFirst ? L"client" : L"server"};
    for (const wchar_t* type : types) {
        if (auto candidate = jvmFromJavaHome(home, type, environment)) return *candidate;
    }
    throw LauncherError(L"A JVM not be found for Java home: " + home);
}

bool versionOutsideLimits(const Properties& settings, const std::wstring& comparable) {
    const bool belowMinimum = runStep(L"Error comparing min versions.", [&] {
        return !settings.minJavaVersion().empty() &&
               comparable < comparableVersionOf(settings.minJavaVersion());
    });
    if (belowMinimum) return true;
    return runStep(L"Error comparing max versions.", [&] {
        return !settings.maxJavaVersion().empty() &&
               comparable > comparableVersionOf(settings.maxJavaVersion());
    });
}

}  // namespace

std::optional<JvmCandidate> jvmFromJavaHome(const std::wstring& home, const std::wstring& type,
                                            const JvmEnvironment& environment) {
    return runStep(L"Error getting the JVM from Java home path and JVM type.",
                   [&]() -> std::optional<JvmCandidate> {
                       for (const wchar_t* folder : {L"\\bin\\", L"\\jre\\bin\\"}) {
                           const std::wstring path = home + folder + type + L"\\jvm.dll";
                           if (environment.pathExists(path)) {
                               JvmCandidate candidate;
                               candidate.jvmPath = path;
                               return candidate;
                           }
                       }
                       return std::nullopt;
                   });
}

void scanJavaSoftKey(const std::wstring& key, const std::wstring& bundle, const JvmEnvironment& environment,
                     std::vector<JvmCandidate>& list) {
    runStep(L"Error getting Java paths from registry.", [&] {
        const auto names = environment.subkeyNames(key);
        if (!names) return;
        for (const auto& name : *names) {
            if (name.empty()) continue;
            std::wstring home = environment.javaHome(key + L"\\" + name);
            if (home.empty()) continue;
            JvmCandidate candidate;
            candidate.javaBundle = bundle;
            candidate.javaHomePath = std::move(home);
            candidate.version = name;
            list.push_back(std::move(candidate));
        }
    });
}

void separateJvmTypes(std::vector<JvmCandidate>& list, const JvmEnvironment& environment) {
    runStep(L"Error separating out the different JVMs (client or server).", [&] {
        std::vector<JvmCandidate> serverCopies;
        for (std::size_t i = list.size(); i-- > 0;) {
            JvmCandidate& candidate = list[i];
            const bool hasClient = candidate.hasJvmType(L"client", environment);
            const bool hasServer = candidate.hasJvmType(L"server", environment);
            if (hasClient && hasServer) {
                JvmCandidate copy;
                copy.javaBundle = candidate.javaBundle;
                copy.version = candidate.version;
                copy.javaHomePath = candidate.javaHomePath;
                copy.setBinJvmDir(L"server");
                serverCopies.push_back(std::move(copy));
                candidate.setBinJvmDir(L"client");
            } else if (hasClient) {
                candidate.setBinJvmDir(L"client");
            } else if (hasServer) {
                candidate.setBinJvmDir(L"server");
            } else {
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        list.insert(list.end(), serverCopies.begin(), serverCopies.end());
    });
}

void determineVersions(const Properties& settings, std::vector<JvmCandidate>& list) {
    runStep(L"Error determining versions of the JVMs.", [&] {
        const bool bundleMarkFirst =
            (settings.customBinJvmDir().empty() && settings.customJavaBundle().empty()) ||
            settings.customJavaBundle() == L"prefer_jre" || settings.customJavaBundle() == L"prefer_sdk";
        for (auto& candidate : list) {
            const std::wstring comparable = comparableVersionOf(candidate.version);
            if (versionOutsideLimits(settings, comparable)) candidate.acceptable = false;
            candidate.comparableVersion = comparable;
            if (bundleMarkFirst) {
                candidate.addBundleMark(settings.customJavaBundle());
                candidate.addJvmTypeMark(settings.customBinJvmDir());
            } else {
                candidate.addJvmTypeMark(settings.customBinJvmDir());
                candidate.addBundleMark(settings.customJavaBundle());
            }
        }
    });
}

void removeUnacceptable(std::vector<JvmCandidate>& list) {
    runStep(L"Error removing unacceptable JVMs.", [&] {
        for (std::size_t i = list.size(); i-- > 0;) {
            if (!list[i].acceptable) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    });
}

JvmCandidate chooseJvm(const Properties& settings, const JvmEnvironment& environment) {
    if (!settings.customJavaHomePath().empty()) {
        return runStep(L"Error getting the JVM from the custom Java path setting.",
                       [&] { return fromCustomJavaHome(settings, environment); });
    }
    std::vector<JvmCandidate> list;
    runStep(L"Error locating JVMs.", [&] {
        for (const auto& javaSoftKey : javaSoftKeys) {
            scanJavaSoftKey(javaSoftKey.key, javaSoftKey.bundle, environment, list);
        }
    });
    return runStep(L"Error locating best JVM.", [&] {
        separateJvmTypes(list, environment);
        determineVersions(settings, list);
        removeUnacceptable(list);
        if (list.empty()) throw LauncherError(L"No usable JVM found.");
        std::size_t best = 0;
        for (std::size_t i = 1; i < list.size(); ++i) {
            if (list[i].comparableVersion > list[best].comparableVersion) best = i;
        }
        return list[best];
    });
}

}  // namespace pelmora
