#include "ActionData.h"
#include "NameComparison.h"

#include <gtest/gtest.h>

namespace pelmora::setup {
namespace {

TEST(ActionTextTest, NamesCompareWithoutRegardToTheCaseOfAsciiLetters) {
    EXPECT_TRUE(equalIgnoringCase(L"C:\\PROGRAM FILES\\pelmora\\PelmoraThumbSrv64.EXE",
                                  L"c:\\Program Files\\Pelmora\\pelmorathumbsrv64.exe"));
    EXPECT_TRUE(equalIgnoringCase(L"Pelmora.sgf", L"PELMORA.SGF"));
    // A folder whose name only begins like ours holds another server.
    EXPECT_FALSE(
        equalIgnoringCase(L"C:\\Pelmora2\\PelmoraThumbSrv64.exe", L"C:\\Pelmora\\PelmoraThumbSrv64.exe"));
    EXPECT_FALSE(equalIgnoringCase(L"Pelmora.sgf", L"Pelmora.sgf2"));
    EXPECT_FALSE(equalIgnoringCase(L"[", L"{"));  // 0x5B and 0x7B differ by the case bit, but are no letters
    EXPECT_TRUE(equalIgnoringCase(L"\u00e9", L"\u00e9"));
}

TEST(ActionTextTest, ActionDataSplitsAtSemicolonsAndDropsEmptyNames) {
    using Names = std::vector<std::wstring>;
    const std::vector<std::pair<std::wstring, Names>> cases = {
        {L"Pelmora.sgf;.sgf;.ugi", {L"Pelmora.sgf", L".sgf", L".ugi"}},
        {L"C:\\Program Files\\Pelmora\\", {L"C:\\Program Files\\Pelmora\\"}},
        {L";;Pelmora.sgf;;.sgf;", {L"Pelmora.sgf", L".sgf"}},
        {L"", {}},
        {L";", {}},
    };
    for (const auto& [data, expected] : cases) EXPECT_EQ(splitActionData(data), expected);
}

}  // namespace
}  // namespace pelmora::setup
