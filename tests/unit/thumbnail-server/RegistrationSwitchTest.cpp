#include "RegistrationSwitch.h"

#include <gtest/gtest.h>

namespace pelmora::thumbsrv {
namespace {

TEST(RegistrationSwitchTest, EachSwitchAfterADashOrSlashInAnyCase) {
    EXPECT_EQ(findRegistrationSwitch(L"server.exe /RegServer"), RegistrationSwitch::regServer);
    EXPECT_EQ(findRegistrationSwitch(L"server.exe -regserver"), RegistrationSwitch::regServer);
    EXPECT_EQ(findRegistrationSwitch(L"server.exe /REGSERVER"), RegistrationSwitch::regServer);
    EXPECT_EQ(findRegistrationSwitch(L"server.exe\t-UnregServer"), RegistrationSwitch::unregServer);
    EXPECT_EQ(findRegistrationSwitch(L"x /RegServerPerUser"), RegistrationSwitch::regServerPerUser);
    EXPECT_EQ(findRegistrationSwitch(L"x -unregserverperuser"), RegistrationSwitch::unregServerPerUser);
}

TEST(RegistrationSwitchTest, OnlyAWholeWordMatchesAndTheFirstMatchDecides) {
    EXPECT_EQ(findRegistrationSwitch(L"server.exe /RegServerX"), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L"server.exe RegServer"), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L"server.exe -Embedding"), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L""), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L"x /"), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L"x -Embedding /UnregServer -RegServer"),
              RegistrationSwitch::unregServer);
    // Any '-' or '/' starts a word, also inside a path.
    EXPECT_EQ(findRegistrationSwitch(L"C:/RegServer/x.exe"), RegistrationSwitch::none);
    EXPECT_EQ(findRegistrationSwitch(L"\"C:\\my-dir\\x.exe\" -regserver"), RegistrationSwitch::regServer);
    // The search for the next word starts right after the dash, so a doubled dash still finds it.
    EXPECT_EQ(findRegistrationSwitch(L"x --RegServer"), RegistrationSwitch::regServer);
}

}  // namespace
}  // namespace pelmora::thumbsrv
