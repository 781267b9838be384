// The launcher's choice of a JVM from the JavaSoft registry keys: any subkey names (version texts), any
// "JavaHome" values, any jvm.dll files present, with the launcher's own settings (version 11.0 or later).
// Input: runtimes one after the other, each a byte (bits 0-1: the key; bits 2-5: client and server jvm.dll
// in bin\ and in jre\bin\), then its subkey name and its home, as UTF-16 texts ended by a zero unit.
//
// The choice fails only with "No usable JVM found." and only when no registered jvm.dll is acceptable;
// otherwise it is a registered runtime's existing jvm.dll of an acceptable version, no acceptable one has a
// newer version, and at the same version a runtime beats a development kit, and a client JVM a server one.
#include "FuzzInput.h"
#include "JvmChooser.h"
#include "JvmEnvironment.h"
#include "LauncherError.h"
#include "Properties.h"

#include <map>
#include <set>

namespace pelmora {
namespace {

using fuzz::check;

struct JavaSoftKey {
    const wchar_t* path;
    const wchar_t* bundle;
    const wchar_t* layout;  // where its homes keep the JVM types
};

constexpr JavaSoftKey keys[] = {
    {L"SOFTWARE\\JavaSoft\\JRE", L"jre", L"\\bin\\"},
    {L"SOFTWARE\\JavaSoft\\JDK", L"sdk", L"\\jre\\bin\\"},
    {L"SOFTWARE\\JavaSoft\\Java Runtime Environment", L"jre", L"\\bin\\"},
    {L"SOFTWARE\\JavaSoft\\Java Development Kit", L"sdk", L"\\jre\\bin\\"},
};

struct Registry : JvmEnvironment {
    std::map<std::wstring, std::vector<std::wstring>> subkeys;
    std::map<std::wstring, std::wstring> homes;
    std::set<std::wstring> files;

    std::optional<std::vector<std::wstring>> subkeyNames(const std::wstring& key) const override {
        const auto found = subkeys.find(key);
        return found == subkeys.end() ? std::nullopt : std::make_optional(found->second);
    }
    std::wstring javaHome(const std::wstring& key) const override {
        const auto found = homes.find(key);
        return found == homes.end() ? std::wstring() : found->second;
    }
    bool pathExists(const std::wstring& path) const override { return files.count(path) != 0; }
};

Registry registryFrom(fuzz::FuzzInput& input) {
    Registry registry;
    while (!input.empty()) {
        const std::uint8_t flags = input.byte();
        const JavaSoftKey& key = keys[flags & 3];
        const std::wstring name = input.wideText();
        const std::wstring home = input.wideText();
        registry.subkeys[key.path].push_back(name);
        registry.homes[std::wstring(key.path) + L"\\" + name] = home;
        const wchar_t* folders[] = {L"\\bin\\client", L"\\bin\\server", L"\\jre\\bin\\client",
                                    L"\\jre\\bin\\server"};
        for (int i = 0; i < 4; ++i) {
            if (flags & (4 << i)) registry.files.insert(home + folders[i] + L"\\jvm.dll");
        }
    }
    return registry;
}

// One jvm.dll the registry offers, with what the preferences judge.
struct Offer {
    std::wstring version;
    std::wstring comparable;  // the version's padded form, without marks
    std::wstring bundle;
    std::wstring type;
    std::wstring jvmPath;
};

std::vector<Offer> acceptableOffers(const Registry& registry) {
    const std::wstring minimum = comparableVersionOf(L"11.0");
    std::vector<Offer> offers;
    for (const JavaSoftKey& key : keys) {
        const auto names = registry.subkeyNames(key.path);
        if (!names) continue;
        for (const std::wstring& name : *names) {
            const std::wstring home = registry.javaHome(std::wstring(key.path) + L"\\" + name);
            if (name.empty() || home.empty() || comparableVersionOf(name) < minimum) continue;
            for (const wchar_t* type : {L"client", L"server"}) {
                const std::wstring path = home + key.layout + type + L"\\jvm.dll";
                if (registry.pathExists(path)) {
                    offers.push_back({name, comparableVersionOf(name), key.bundle, type, path});
                }
            }
        }
    }
    return offers;
}

void checkChoice(const JvmCandidate& chosen, const std::vector<Offer>& offers) {
    const Offer* match = nullptr;
    for (const Offer& offer : offers) {
        if (offer.jvmPath == chosen.jvmPath && offer.version == chosen.version &&
            offer.bundle == chosen.javaBundle && offer.type == chosen.binJvmDir) {
            match = &offer;
        }
    }
    check(match != nullptr, "the choice is an acceptable registered jvm.dll that exists");
    for (const Offer& offer : offers) {
        check(offer.comparable <= match->comparable, "no acceptable runtime is newer");
        if (offer.comparable != match->comparable) continue;
        check(offer.bundle == L"sdk" || match->bundle == L"jre", "at one version a runtime beats a kit");
        if (offer.bundle == match->bundle) {
            check(offer.type == L"server" || match->type == L"client",
                  "then a client JVM beats a server one");
        }
    }
}

}  // namespace
}  // namespace pelmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora;
    fuzz::FuzzInput input(data, size);
    const Registry registry = registryFrom(input);
    Properties settings;
    settings.setMinJavaVersion(L"11.0");
    const std::vector<Offer> offers = acceptableOffers(registry);
    try {
        checkChoice(chooseJvm(settings, registry), offers);
    } catch (const LauncherError& error) {
        fuzz::check(error.message() == L"No usable JVM found." && !error.failedCall(),
                    "the only failure is finding no JVM");
        fuzz::check(offers.empty(), "a failure only when nothing acceptable is registered");
    }
    return 0;
}
