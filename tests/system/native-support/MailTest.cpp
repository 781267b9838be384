// mailSgf against the mapi32.dll doubles (tests/doubles/mapi32): they log every call and the whole message
// and fail at the step PELMORA_TEST_MAPI_FAIL names. mailSgf loads mapi32.dll from the system folder only, so
// each test puts its double there in place of Wine's own (which would start a browser from MAPISendMail) and
// first proves that the double is the mapi32.dll this process loads from there.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "JvmFixture.h"
#include "ModulePaths.h"
#include "ScopedEnvironmentVariable.h"
#include "SupportLibrary.h"
#include "TestFiles.h"

namespace pelmora::test {
namespace {

using Variant = const char*(WINAPI*)();

class Mail : public JvmFixture {
  protected:
    // The folder under bin/ with the double this fixture uses, and the variant its marker names.
    virtual const wchar_t* doubleFolder() const { return L"mapi-double"; }
    virtual const char* doubleVariant() const { return "complete"; }

    void SetUp() override {
        // Texts reach MAPI in the ANSI code page; the expected bytes below are those of 1252.
        ASSERT_EQ(GetACP(), 1252u);
        ASSERT_TRUE(CopyFileW(systemMapi_.c_str(), wineMapi_.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW((binaryFolder() + L"\\" + doubleFolder() + L"\\mapi32.dll").c_str(),
                              systemMapi_.c_str(), FALSE));

        const HMODULE loaded = LoadLibraryExW(L"mapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        ASSERT_NE(loaded, nullptr) << "no mapi32.dll can be loaded";
        const auto variant = reinterpret_cast<Variant>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"mapi32.dll"), "PelmoraTestMapiVariant")));
        const std::string found = variant != nullptr ? variant() : "";
        FreeLibrary(loaded);
        ASSERT_EQ(found, doubleVariant()) << "mapi32.dll is not the test double: WINEDLLOVERRIDES=mapi32=n "
                                             "is needed, or the double is missing";
        ASSERT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr) << "the double stays loaded";
        // The check above logged the double's load and unload: the tests start with no log.
        DeleteFileW(log_.c_str());
    }

    void TearDown() override {
        SetDllDirectoryW(nullptr);
        CopyFileW(wineMapi_.c_str(), systemMapi_.c_str(), FALSE);
    }

    static std::wstring systemFolder() {
        wchar_t folder[MAX_PATH] = {};
        GetSystemDirectoryW(folder, MAX_PATH);
        return folder;
    }

    void failAt(const wchar_t* step) { fail_.set(step); }

    jint mail(const char16_t* path, const char16_t* name, const char16_t* address, const char16_t* subject) {
        auto text = [this](const char16_t* value) { return value != nullptr ? jvm_.string(value) : nullptr; };
        return WINDOWS_UTIL(mailSgf)(jvm_.env(), nullptr, text(path), text(name), text(address),
                                     text(subject));
    }

    // The calls the double saw, in order (the message's fields left out).
    std::vector<std::string> calls() const {
        std::vector<std::string> result;
        for (const auto& line : lines()) {
            if (!isField(line)) result.push_back(line);
        }
        return result;
    }
    // The message's fields: "message.lpszSubject" and the like, with the double's rendering of the value.
    std::map<std::string, std::string> fields() const {
        std::map<std::string, std::string> result;
        for (const auto& line : lines()) {
            if (isField(line)) result[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        }
        return result;
    }

    TempFolder folder_{L"pelmora-mapi"};
    const std::wstring log_ = folder_ / L"mapi.log";
    ScopedEnvironmentVariable logVariable_{L"PELMORA_TEST_MAPI_LOG", log_};
    ScopedEnvironmentVariable fail_{L"PELMORA_TEST_MAPI_FAIL", std::nullopt};
    const std::wstring systemMapi_ = systemFolder() + L"\\mapi32.dll";
    const std::wstring wineMapi_ = folder_ / L"wine-mapi32.dll";

  private:
    // A field is "name=value" with no blank in the name; a call names itself first ("MAPIInitialize
    // init=null").
    static bool isField(const std::string& line) {
        const auto equals = line.find('=');
        return equals != std::string::npos && line.find(' ') > equals;
    }

    std::vector<std::string> lines() const { return splitLines(readFileBytes(log_)); }
};

const std::vector<std::string> loggedOffAndReleased = {"Session.Logoff ui=0x0 flags=0x0 reserved=0x0",
                                                       "Session.Release references=0x0", "MAPIUninitialize",
                                                       "DllMain.detach"};

std::vector<std::string> concatenated(std::vector<std::string> first,
                                      const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(Mail, SentMessageGives5AfterLogoffAndRelease) {
    EXPECT_EQ(mail(u"C:\\Games\\round 1.sgf", u"Zoe", u"zoe@example.org", u"Round 1"), 5);
    EXPECT_EQ(calls(), concatenated({"DllMain.attach", "MAPIInitialize init=null",
                                     "MAPILogonEx ui=0x0 profile=null password=null flags=0x60 session=set",
                                     "MAPISendMail session=0x0 ui=0x0 flags=0x9 reserved=0x0 message=set"},
                                    loggedOffAndReleased));
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr) << "mapi32.dll was not freed";
}

TEST_F(Mail, OnlyTheSystemFoldersLibraryIsLoaded) {
    // Another mapi32.dll (here one without MAPISendMail) where the DLL search looks before the system folder,
    // as a file in the application's folder would be.
    ASSERT_TRUE(SetDllDirectoryW((binaryFolder() + L"\\mapi-incomplete").c_str()));
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 5);
}

TEST_F(Mail, MessageHasOneRecipientOneAttachmentAndAnsiTexts) {
    ASSERT_EQ(mail(u"C:\\Partien\\\u00D6sterreich 2024.sgf", u"Zo\u00EB M\u00FCller", u"SMTP:zoe@example.org",
                   u"Partie: \u0416 gegen \u00E9"),
              5);
    const std::map<std::string, std::string> expected = {
        {"message.ulReserved", "0x0"},
        {"message.lpszSubject", "\"Partie: ? gegen \xE9\""},  // no Cyrillic in 1252
        {"message.lpszNoteText", "null"},
        {"message.lpszMessageType", "null"},
        {"message.lpszDateReceived", "null"},
        {"message.lpszConversationID", "null"},
        {"message.flFlags", "0x0"},
        {"message.lpOriginator", "null"},
        {"message.nRecipCount", "0x1"},
        {"recipient[0].ulReserved", "0x0"},
        {"recipient[0].ulRecipClass", "0x1"},
        {"recipient[0].lpszName", "\"Zo\xEB M\xFCller\""},
        {"recipient[0].lpszAddress", "\"SMTP:zoe@example.org\""},
        {"recipient[0].ulEIDSize", "0x0"},
        {"recipient[0].lpEntryID", "null"},
        {"message.nFileCount", "0x1"},
        {"file[0].ulReserved", "0x0"},
        {"file[0].flFlags", "0x0"},
        {"file[0].nPosition", "0xffffffff"},
        {"file[0].lpszPathName", "\"C:\\Partien\\\xD6sterreich 2024.sgf\""},
        {"file[0].lpszFileName", "null"},
        {"file[0].lpFileType", "null"},
    };
    EXPECT_EQ(fields(), expected);
}

TEST_F(Mail, ANullTextGivesZeroBeforeAnyMailCall) {
    // A null path would declare an attachment without a file.
    EXPECT_EQ(mail(nullptr, u"Zoe", u"a@example.org", u"s"), 0);
    EXPECT_EQ(mail(u"C:\\g.sgf", nullptr, u"a@example.org", u"s"), 0);
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", nullptr, u"s"), 0);
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"a@example.org", nullptr), 0);
    EXPECT_TRUE(calls().empty()) << "the mail library was not even loaded";
}

TEST_F(Mail, EmptyTextsStayEmpty) {
    ASSERT_EQ(mail(u"", u"", u"", u""), 5);
    const auto message = fields();
    EXPECT_EQ(message.at("message.lpszSubject"), "\"\"");
    EXPECT_EQ(message.at("file[0].lpszPathName"), "\"\"");
}

TEST_F(Mail, AbandonedMessageGives4AndTheSessionIsStillLoggedOff) {
    failAt(L"send");
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 4);
    EXPECT_EQ(calls(), concatenated({"DllMain.attach", "MAPIInitialize init=null",
                                     "MAPILogonEx ui=0x0 profile=null password=null flags=0x60 session=set",
                                     "MAPISendMail session=0x0 ui=0x0 flags=0x9 reserved=0x0 message=set"},
                                    loggedOffAndReleased));
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr);
}

TEST_F(Mail, FailedLogonGives3WithoutSending) {
    failAt(L"logon");
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 3);
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "DllMain.attach", "MAPIInitialize init=null",
                           "MAPILogonEx ui=0x0 profile=null password=null flags=0x60 session=set",
                           "MAPIUninitialize", "DllMain.detach"}));
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr);
}

TEST_F(Mail, FailedInitializationGives2AndStillUninitializes) {
    failAt(L"initialize");
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 2);
    EXPECT_EQ(calls(), (std::vector<std::string>{"DllMain.attach", "MAPIInitialize init=null",
                                                 "MAPIUninitialize", "DllMain.detach"}));
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr);
}

TEST_F(Mail, LibraryThatCannotBeLoadedGives1) {
    failAt(L"load");
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 1);
    const auto seen = calls();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), "DllMain.refuse");
    for (const auto& call : seen) EXPECT_EQ(call.rfind("MAPI", 0), std::string::npos) << call;
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr);
}

class IncompleteMail : public Mail {
  protected:
    const wchar_t* doubleFolder() const override { return L"mapi-incomplete"; }
    const char* doubleVariant() const override { return "incomplete"; }
};

TEST_F(IncompleteMail, LibraryWithoutMAPISendMailGives1AndIsFreed) {
    EXPECT_EQ(mail(u"C:\\g.sgf", u"Zoe", u"zoe@example.org", u"Game"), 1);
    EXPECT_EQ(calls(), (std::vector<std::string>{"DllMain.attach", "DllMain.detach"}));
    EXPECT_EQ(GetModuleHandleW(L"mapi32.dll"), nullptr);
}

}  // namespace
}  // namespace pelmora::test
