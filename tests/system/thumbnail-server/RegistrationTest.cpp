// Registration and unregistration of the real server, checked key by key in the registry.
#include "ChildProcess.h"
#include "ModulePaths.h"
#include "RegistryFixture.h"
#include "ServerInstallation.h"

#include <pelmora/Win32Handles.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace pelmora::test {
namespace {

constexpr const wchar_t* appId = L"{4CDD8573-32D8-4B66-A35C-745469ABB5B6}";

struct ExpectedValue {
    std::wstring key;
    std::wstring name;  // empty for the key's default value
    std::wstring data;
};

// Every value the server writes, with the executable's path for %MODULE%.
std::vector<ExpectedValue> expectedValues(const std::wstring& serverPath) {
    std::vector<ExpectedValue> values = {
        {L"AppID\\{4CDD8573-32D8-4B66-A35C-745469ABB5B6}", L"", L"PelmoraThumbSrv"},
        {L"AppID\\PelmoraThumbSrv64.EXE", L"AppID", appId},
    };
    const std::pair<std::wstring, std::wstring> classes[] = {
        {L"ThumbExtractor", L"{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}"},
        {L"ExtThumbExtractor", L"{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}"},
    };
    for (const auto& [name, clsid] : classes) {
        const std::wstring progId = L"PelmoraThumbSrv." + name;
        const std::wstring classKey = L"CLSID\\" + clsid;
        values.insert(values.end(), {
                                        {progId + L".1", L"", name + L" Class"},
                                        {progId + L".1\\CLSID", L"", clsid},
                                        {progId, L"", name + L" Class"},
                                        {progId + L"\\CLSID", L"", clsid},
                                        {progId + L"\\CurVer", L"", progId + L".1"},
                                        {classKey, L"", name + L" Class"},
                                        {classKey, L"AppID", appId},
                                        {classKey + L"\\ProgID", L"", progId + L".1"},
                                        {classKey + L"\\VersionIndependentProgID", L"", progId},
                                        {classKey + L"\\LocalServer32", L"", L"\"" + serverPath + L"\""},
                                        {classKey + L"\\TypeLib", L"", serverLibraryId},
                                    });
    }
    return values;
}

// The keys unregistration removes.
const std::vector<std::wstring>& removedKeys() {
    static const std::vector<std::wstring> keys = {
        L"AppID\\{4CDD8573-32D8-4B66-A35C-745469ABB5B6}",
        L"AppID\\PelmoraThumbSrv64.EXE",
        L"PelmoraThumbSrv.ThumbExtractor.1",
        L"PelmoraThumbSrv.ThumbExtractor",
        L"PelmoraThumbSrv.ExtThumbExtractor.1",
        L"PelmoraThumbSrv.ExtThumbExtractor",
        L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}",
        L"CLSID\\{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}",
        std::wstring(L"TypeLib\\") + serverLibraryId,
    };
    return keys;
}

void expectRegisteredUnder(HKEY root, const std::wstring& prefix, const std::wstring& serverPath) {
    for (const ExpectedValue& expected : expectedValues(serverPath)) {
        std::wstring data;
        EXPECT_TRUE(readString(root, prefix + expected.key, expected.name, data))
            << "missing: " << std::string(expected.key.begin(), expected.key.end());
        EXPECT_EQ(data, expected.data);
    }
    EXPECT_TRUE(keyExists(root, prefix + L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}\\Programmable"));
    EXPECT_TRUE(keyExists(root, prefix + L"CLSID\\{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}\\Programmable"));
}

void expectNothingRegisteredUnder(HKEY root, const std::wstring& prefix) {
    for (const std::wstring& key : removedKeys()) {
        if (key.rfind(L"TypeLib", 0) == 0) continue;
        EXPECT_FALSE(keyExists(root, prefix + key)) << "left: " << std::string(key.begin(), key.end());
    }
}

class ServerRegistrationTest : public ::testing::Test {
  protected:
    ~ServerRegistrationTest() override {
        // Whatever a test left registered goes again, in both places.
        installation.runServer(L"/UnregServer");
        installation.runServer(L"/UnregServerPerUser");
    }

    ServerInstallation installation;
};

TEST_F(ServerRegistrationTest, EverySpellingOfTheSwitchRegistersAndTheExitCodeIsTheResult) {
    for (const wchar_t* tail : {L"/RegServer", L"-regserver", L"/REGSERVER", L"-Embedding /RegServer"}) {
        SCOPED_TRACE(std::string(tail, tail + wcslen(tail)));
        EXPECT_EQ(installation.runServer(tail), 0u);
        expectRegisteredUnder(HKEY_CLASSES_ROOT, L"", installation.serverPath());
        EXPECT_EQ(installation.runServer(L"-UnRegServer"), 0u);
        expectNothingRegisteredUnder(HKEY_CLASSES_ROOT, L"");
    }
}

TEST_F(ServerRegistrationTest, TheTypeLibraryAndItsInterfacesAreRegisteredForTheExecutable) {
    ASSERT_EQ(installation.runServer(L"/RegServer"), 0u);
    const std::wstring library = std::wstring(L"TypeLib\\") + serverLibraryId + L"\\1.1";
    std::wstring value;
    ASSERT_TRUE(readString(HKEY_CLASSES_ROOT, library, L"", value));
    EXPECT_EQ(value, L"PelmoraThumbSrv 1.1 Type Library");
    ASSERT_TRUE(readString(HKEY_CLASSES_ROOT, library + L"\\409\\win64", L"", value));
    EXPECT_EQ(value, installation.serverPath());
    for (const wchar_t* iid :
         {L"{2562604E-6D65-4FB1-BFC1-71709531D24D}", L"{4E09B4E7-CFC1-4903-BA3F-B8688C146F23}"}) {
        const std::wstring key = std::wstring(L"Interface\\") + iid;
        ASSERT_TRUE(readString(HKEY_CLASSES_ROOT, key + L"\\TypeLib", L"", value));
        EXPECT_EQ(value, serverLibraryId);
        // Marshaled by the system's type-library marshaler: the server ships no proxy code.
        ASSERT_TRUE(readString(HKEY_CLASSES_ROOT, key + L"\\ProxyStubClsid32", L"", value));
        EXPECT_EQ(value, L"{00020424-0000-0000-C000-000000000046}");
    }
    ASSERT_EQ(installation.runServer(L"/UnregServer"), 0u);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, library));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"Interface\\{2562604E-6D65-4FB1-BFC1-71709531D24D}"));
}

TEST_F(ServerRegistrationTest, UnregistrationKeepsSharedKeysAndKeysOthersAddedTo) {
    ASSERT_EQ(installation.runServer(L"/RegServer"), 0u);
    RegistryFixture registry;
    const std::wstring foreign = L"PelmoraThumbSrv.ThumbExtractor\\AddedByOthers";
    registry.own(HKEY_CLASSES_ROOT, foreign);
    registry.setString(HKEY_CLASSES_ROOT, foreign, L"", L"stays");
    const std::wstring foreignInClass = L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}\\AddedByOthers";
    registry.own(HKEY_CLASSES_ROOT, foreignInClass);
    registry.setString(HKEY_CLASSES_ROOT, foreignInClass, L"", L"stays");

    ASSERT_EQ(installation.runServer(L"/UnregServer"), 0u);
    // Uninstallers unregister more than once; a second run succeeds and finds nothing more to remove.
    ASSERT_EQ(installation.runServer(L"/UnregServer"), 0u);
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"AppID"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    // The keys with a foreign subkey stay, emptied of what the server wrote.
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, foreign));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"PelmoraThumbSrv.ThumbExtractor\\CLSID"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"PelmoraThumbSrv.ThumbExtractor\\CurVer"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, foreignInClass));
    EXPECT_FALSE(
        keyExists(HKEY_CLASSES_ROOT, L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}\\LocalServer32"));
    std::wstring appIdValue;
    EXPECT_FALSE(readString(HKEY_CLASSES_ROOT, L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}", L"AppID",
                            appIdValue));
    // Everything else is gone.
    for (const std::wstring& key : removedKeys()) {
        if (key == L"PelmoraThumbSrv.ThumbExtractor" ||
            key == L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}") {
            continue;
        }
        EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, key)) << std::string(key.begin(), key.end());
    }
}

TEST_F(ServerRegistrationTest, RegistrationRecreatesTheClassKeysAndLeavesOneSet) {
    ASSERT_EQ(installation.runServer(L"/RegServer"), 0u);
    RegistryFixture registry;
    const std::wstring stray = L"CLSID\\{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}\\Stray";
    registry.own(HKEY_CLASSES_ROOT, stray);
    registry.setString(HKEY_CLASSES_ROOT, stray, L"", L"old");
    registry.setString(HKEY_CLASSES_ROOT, L"CLSID\\{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}\\Programmable",
                       L"old", L"old");

    ASSERT_EQ(installation.runServer(L"/RegServer"), 0u);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, stray));
    std::wstring value;
    EXPECT_FALSE(readString(HKEY_CLASSES_ROOT, L"CLSID\\{8CF824D6-3EB5-4747-9FFB-0DE2230D1DA4}\\Programmable",
                            L"old", value));
    expectRegisteredUnder(HKEY_CLASSES_ROOT, L"", installation.serverPath());
}

TEST_F(ServerRegistrationTest, AnUnknownWordRunsTheServerInsteadOfRegistering) {
    auto server = ChildProcess::start(installation.serverPath(), L"/RegServerX", L"");
    // A server that no client ever uses waits 5 s for a first object (its idle period is 1 s here) and then
    // ends by itself.
    EXPECT_FALSE(server.waitForExit(1500).has_value());
    EXPECT_EQ(server.waitForExit(15000), std::optional<DWORD>(0));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"PelmoraThumbSrv.ThumbExtractor"));
}

TEST(ServerRegistrationPathTest, APathWithABlankAndASingleQuoteIsStoredOnceInDoubleQuotes) {
    ServerInstallation installation(L"thumb srv O'Brien's");
    ASSERT_EQ(installation.runServer(L"/RegServer"), 0u);
    std::wstring value;
    ASSERT_TRUE(readString(HKEY_CLASSES_ROOT, L"CLSID\\{C3C9E83C-8D4A-4E5E-94E2-02F15DF311A3}\\LocalServer32",
                           L"", value));
    EXPECT_EQ(value, L"\"" + installation.serverPath() + L"\"");
    EXPECT_NE(value.find(L"O'Brien's"), std::wstring::npos);
    EXPECT_EQ(installation.runServer(L"/UnregServer"), 0u);
}

TEST_F(ServerRegistrationTest, PerUserRegistrationWritesUnderTheUsersClassesOnly) {
    ASSERT_EQ(installation.runServer(L"-RegServerPerUser"), 0u);
    expectRegisteredUnder(HKEY_CURRENT_USER, L"Software\\Classes\\", installation.serverPath());
    expectNothingRegisteredUnder(HKEY_LOCAL_MACHINE, L"Software\\Classes\\");
    // The type library is registered (Wine keeps a per-user library in the machine's keys).
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + serverLibraryId + L"\\1.1"));

    ASSERT_EQ(installation.runServer(L"/unregserverperuser"), 0u);
    expectNothingRegisteredUnder(HKEY_CURRENT_USER, L"Software\\Classes\\");
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + serverLibraryId));
}

}  // namespace
}  // namespace pelmora::test
