#include "RegistryFixture.h"
#include "Utf8Text.h"

#include <pelmora/Win32Handles.h>
#include <pelmora/com/RegistryScript.h>

#include <gtest/gtest.h>

namespace pelmora::com {
namespace {

const Replacements replacements = {
    {L"CLSID", L"{00000000-1111-2222-3333-444444444444}"},
    {L"MODULE", L"C:\\Program Files\\Pelmora\\Server.exe"},
    {L"NAME", L"Probe"},
};
const std::wstring classKey = L"CLSID\\{00000000-1111-2222-3333-444444444444}";

// A class registration as the deliverables write one.
const RegistryScript script = {
    {L"CLSID", KeyMark::kept, nullptr, {{L"LastWriter", L"%NAME%"}}},
    {L"CLSID\\%CLSID%", KeyMark::force, L"%NAME% Class", {{L"AppID", L"%CLSID%"}}},
    {L"CLSID\\%CLSID%\\LocalServer32", KeyMark::none, L"\"%MODULE%\""},
    {L"%NAME%.Class", KeyMark::none, L"%NAME% Class", {{L"Path", L"%MODULE%"}}},
};

// Each test works below its own scratch key, which is deleted at the end.
class RegistryScriptTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        rootPath_ = L"Software\\PelmoraTests\\ComSupport-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    test::fromUtf8(name);
        registry_.own(HKEY_CURRENT_USER, rootPath_);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, rootPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, root_.receive(), nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        root_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, rootPath_.c_str());
        // The shared parent goes too once no other test has a key below it.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\PelmoraTests");
    }

    std::wstring full(const std::wstring& key) const { return rootPath_ + L"\\" + key; }
    bool exists(const std::wstring& key) const { return test::keyExists(HKEY_CURRENT_USER, full(key)); }
    std::wstring value(const std::wstring& key, const std::wstring& name = L"") const {
        std::wstring text;
        return test::readString(HKEY_CURRENT_USER, full(key), name, text) ? text : L"<missing>";
    }
    void write(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
        registry_.setString(HKEY_CURRENT_USER, full(key), name, text);
    }
    DWORD subkeyCount(const std::wstring& key) const {
        RegistryKey opened;
        DWORD count = 0;
        if (RegOpenKeyExW(root_.get(), key.c_str(), 0, KEY_READ, opened.receive()) != ERROR_SUCCESS) return 0;
        RegQueryInfoKeyW(opened.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        return count;
    }

    test::RegistryFixture registry_;
    std::wstring rootPath_;
    RegistryKey root_;
};

TEST_F(RegistryScriptTest, WritesEveryKeyAndValueWithTheReplacementsApplied) {
    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    EXPECT_EQ(value(L"CLSID", L"LastWriter"), L"Probe");
    EXPECT_EQ(value(classKey), L"Probe Class");
    EXPECT_EQ(value(classKey, L"AppID"), L"{00000000-1111-2222-3333-444444444444}");
    EXPECT_EQ(value(classKey + L"\\LocalServer32"), L"\"C:\\Program Files\\Pelmora\\Server.exe\"");
    EXPECT_EQ(value(L"Probe.Class"), L"Probe Class");
    EXPECT_EQ(value(L"Probe.Class", L"Path"), L"C:\\Program Files\\Pelmora\\Server.exe");
}

TEST_F(RegistryScriptTest, RegisteringAgainRewritesAForceKeyWholeAndLeavesOneSet) {
    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    write(classKey + L"\\Stray\\Deeper", L"", L"stray");
    write(classKey, L"StrayValue", L"stray");
    write(L"Probe.Class", L"Foreign", L"kept");

    // The force key is written before its child, so the child survives its parent's removal.
    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    EXPECT_FALSE(exists(classKey + L"\\Stray"));
    EXPECT_EQ(value(classKey, L"StrayValue"), L"<missing>");
    EXPECT_EQ(value(classKey, L"AppID"), L"{00000000-1111-2222-3333-444444444444}");
    EXPECT_EQ(value(classKey + L"\\LocalServer32"), L"\"C:\\Program Files\\Pelmora\\Server.exe\"");
    EXPECT_EQ(subkeyCount(L""), 2u);
    EXPECT_EQ(subkeyCount(L"CLSID"), 1u);
    EXPECT_EQ(subkeyCount(classKey), 1u);
    // Only force keys are cleared.
    EXPECT_EQ(value(L"Probe.Class", L"Foreign"), L"kept");
}

TEST_F(RegistryScriptTest, UnregistrationRemovesChildrenFirstAndKeepsKeysStillInUse) {
    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    write(L"Probe.Class", L"Foreign", L"not listed");
    ASSERT_EQ(unregisterScript(root_.get(), script, replacements), S_OK);
    EXPECT_FALSE(exists(classKey));
    EXPECT_FALSE(exists(L"Probe.Class"));
    // A kept key stays, even empty, without its listed values.
    EXPECT_TRUE(exists(L"CLSID"));
    EXPECT_EQ(value(L"CLSID", L"LastWriter"), L"<missing>");

    // A subkey someone else added keeps its parent; the parent's own listed children still go.
    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    write(classKey + L"\\Foreign", L"", L"someone else's");
    ASSERT_EQ(unregisterScript(root_.get(), script, replacements), S_OK);
    EXPECT_TRUE(exists(classKey + L"\\Foreign"));
    EXPECT_FALSE(exists(classKey + L"\\LocalServer32"));
    EXPECT_EQ(value(classKey, L"AppID"), L"<missing>");
    EXPECT_FALSE(exists(L"Probe.Class"));
}

TEST_F(RegistryScriptTest, UnregistrationSkipsMissingKeys) {
    EXPECT_EQ(unregisterScript(root_.get(), script, replacements), S_OK);
    EXPECT_EQ(subkeyCount(L""), 0u);

    ASSERT_EQ(registerScript(root_.get(), script, replacements), S_OK);
    ASSERT_EQ(RegDeleteTreeW(root_.get(), classKey.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(unregisterScript(root_.get(), script, replacements), S_OK);
    EXPECT_FALSE(exists(L"Probe.Class"));
}

TEST(ApplyReplacementsTest, ReplacesKnownNamesAndLeavesTheRestAsWritten) {
    const Replacements names = {{L"MODULE", L"C:\\Server.exe"}, {L"ID", L"7"}};
    EXPECT_EQ(applyReplacements(L"\"%MODULE%\" /id:%ID%", names), L"\"C:\\Server.exe\" /id:7");
    EXPECT_EQ(applyReplacements(L"100%% of %ID%", names), L"100% of 7");
    EXPECT_EQ(applyReplacements(L"%%ID%%", names), L"%ID%");
    EXPECT_EQ(applyReplacements(L"%OTHER% then %ID%", names), L"%OTHER% then 7");
    EXPECT_EQ(applyReplacements(L"50% of %ID%", names), L"50% of 7");
    EXPECT_EQ(applyReplacements(L"%ID%%", names), L"7%");
    EXPECT_EQ(applyReplacements(L"ends with %ID", names), L"ends with %ID");
}

}  // namespace
}  // namespace pelmora::com
