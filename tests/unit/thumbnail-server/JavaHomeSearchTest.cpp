#include "JavaHomeSearch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pelmora::thumbsrv {
namespace {

// A registry and file system made of tables; keys are written "HKCU\..." or "HKLM\...".
struct FakeInstall : JavaInstallView {
    std::set<std::wstring> files;
    std::map<std::wstring, std::vector<std::wstring>> subkeys;
    std::map<std::wstring, std::wstring> homes;  // of readable subkeys; jvm.dll is in home\bin\server

    FakeInstall& runtime(const std::wstring& key, const std::wstring& version,
                         const std::wstring& home = L"") {
        subkeys[key].push_back(version);
        if (!home.empty()) homes[key + L"\\" + version] = home;
        return *this;
    }
    static std::wstring keyOf(RegistryRoot root, const std::wstring& key) {
        return (root == RegistryRoot::currentUser ? L"HKCU\\" : L"HKLM\\") + key;
    }
    bool fileExists(const std::wstring& path) const override { return files.count(path) != 0; }
    std::optional<std::vector<std::wstring>> subkeyNames(RegistryRoot root,
                                                         const std::wstring& key) const override {
        auto found = subkeys.find(keyOf(root, key));
        return found == subkeys.end() ? std::nullopt : std::make_optional(found->second);
    }
    std::optional<JavaRegistration> readJavaValues(RegistryRoot root, const std::wstring& key,
                                                   const std::wstring& name) const override {
        auto found = homes.find(keyOf(root, key) + L"\\" + name);
        if (found == homes.end()) return std::nullopt;
        return JavaRegistration{found->second, found->second + L"\\bin\\server\\jvm.dll"};
    }
};

const std::wstring userJre = L"HKCU\\Software\\JavaSoft\\JRE", machineJre = L"HKLM\\Software\\JavaSoft\\JRE";
const std::wstring userOld = L"HKCU\\Software\\JavaSoft\\Java Runtime Environment";
const std::wstring machineOld = L"HKLM\\Software\\JavaSoft\\Java Runtime Environment";

// The Java home found, or "(none)"; the jvm.dll path must be the one that belongs to it.
std::wstring homeFound(const FakeInstall& install, const std::wstring& ownFolder = L"C:\\App") {
    const auto location = findJavaHome(ownFolder, install);
    if (!location) return L"(none)";
    EXPECT_EQ(location->jvmDllPath, location->javaHome + L"\\bin\\server\\jvm.dll");
    return location->javaHome;
}

TEST(JavaHomeSearch, OwnServerJreWinsWhenItsPathFits) {
    FakeInstall install;
    install.runtime(userJre, L"17", L"C:\\J17").files = {L"C:\\App\\jre\\bin\\client\\jvm.dll"};
    EXPECT_EQ(homeFound(install), L"C:\\J17");
    install.files.insert(L"C:\\App\\jre\\bin\\server\\jvm.dll");
    EXPECT_EQ(homeFound(install), L"C:\\App\\jre");

    // "\jre\bin\server\jvm.dll" adds 23 characters: a 496-character folder gives 519, the most that fits.
    const std::wstring fits = L"C:\\" + std::wstring(493, L'f');
    install.files.insert(fits + L"\\jre\\bin\\server\\jvm.dll");
    install.files.insert(fits + L"g\\jre\\bin\\server\\jvm.dll");
    EXPECT_EQ(homeFound(install, fits), fits + L"\\jre");
    EXPECT_EQ(homeFound(install, fits + L"g"), L"C:\\J17");
}

TEST(JavaHomeSearch, JreKeyBeforeOldKeyCurrentUserBeforeMachineWithinEach) {
    FakeInstall install;
    EXPECT_EQ(homeFound(install), L"(none)");
    EXPECT_EQ(homeFound(install.runtime(machineOld, L"21", L"C:\\MachineOld21")), L"C:\\MachineOld21");
    EXPECT_EQ(homeFound(install.runtime(userOld, L"17", L"C:\\UserOld17")), L"C:\\UserOld17");
    EXPECT_EQ(homeFound(install.runtime(machineJre, L"11", L"C:\\Machine11")), L"C:\\Machine11");
    EXPECT_EQ(homeFound(install.runtime(userJre, L"1.8", L"C:\\User8")), L"C:\\User8");
}

TEST(JavaHomeSearch, OnlyTheNewestSubkeyOfAKeyCounts) {
    FakeInstall install;
    install.subkeys[userJre] = {};
    install.runtime(machineJre, L"11.0.2", L"C:\\M11").runtime(machineJre, L"1.8", L"C:\\M8");
    EXPECT_EQ(homeFound(install), L"C:\\M11");
    // Newest without its values: the next root or key, never the older subkey.
    EXPECT_EQ(homeFound(install.runtime(machineJre, L"17")), L"(none)");
    EXPECT_EQ(homeFound(install.runtime(userOld, L"1.6", L"C:\\UserOld6")), L"C:\\UserOld6");

    FakeInstall equal;
    equal.runtime(machineJre, L"1.8", L"C:\\First").runtime(machineJre, L"1.8.0", L"C:\\Second");
    EXPECT_EQ(homeFound(equal), L"C:\\First");
}

}  // namespace
}  // namespace pelmora::thumbsrv
