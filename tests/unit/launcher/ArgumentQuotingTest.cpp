#include "ArgumentQuoting.h"
#include "CommandLineRules.h"
#include "LaunchSettings.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include <string>
#include <vector>

namespace pelmora {
namespace {

TEST(QuoteArgument, AlwaysQuotesAndDoublesBackslashesBeforeQuotes) {
    EXPECT_EQ(quoteArgument(L"plain"), L"\"plain\"");
    EXPECT_EQ(quoteArgument(L""), L"\"\"");
    EXPECT_EQ(quoteArgument(L"D:\\Games\\"), L"\"D:\\Games\\\\\"");
    EXPECT_EQ(quoteArgument(L"say \"hi\""), L"\"say \\\"hi\\\"\"");
    // Backslashes not followed by a quote stay as they are.
    EXPECT_EQ(quoteArgument(L"a\\\\b"), L"\"a\\\\b\"");
    // A run of backslashes before an inner quote is doubled, and the quote escaped.
    EXPECT_EQ(quoteArgument(L"a\\\"b"), L"\"a\\\\\\\"b\"");
}

TEST(ForwardingLine, QuotesEveryElementAfterTheProgramAndEndsWithASpace) {
    const std::vector<std::wstring> args = rewriteArguments({L"C:\\P\\Pelmora64.exe"}, L"D:\\Games");
    EXPECT_EQ(args, (std::vector<std::wstring>{L"C:\\P\\Pelmora64.exe", L"-workdir", L"D:\\Games", L"-open",
                                               L"-endOpen"}));
    EXPECT_EQ(composeForwardingLine(args), L"\"-workdir\" \"D:\\Games\" \"-open\" \"-endOpen\" ");
}

TEST(ForwardingLine, GivenArgumentsStandBetweenOpenAndEndOpen) {
    const auto args = rewriteArguments({L"exe", L"a.sgf", L"b b.sgf"}, L"D:\\Games");
    EXPECT_EQ(args, (std::vector<std::wstring>{L"exe", L"-workdir", L"D:\\Games", L"-open", L"a.sgf",
                                               L"b b.sgf", L"-endOpen"}));
}

// The receiving instance splits the line with CommandLineToArgvW: every argument must come back unchanged,
// whatever it holds, by the system's function (on Windows) and by the rules the fuzz targets use.
TEST(ForwardingLine, SurvivesTheReceiversSplitExactly) {
    const std::vector<std::wstring> given = {L"exe",
                                             L"-workdir",
                                             L"C:\\Start Folder\\",
                                             L"-open",
                                             L"",
                                             L"with blank",
                                             L"say \"hi\"",
                                             L"trailing\\\\",
                                             L"\\\\server\\share\\x.sgf",
                                             L"a\\\"b",
                                             L"\"",
                                             L"\"\"\"",
                                             L"\\",
                                             L"caf\u00e9 \u56f2\u7881.sgf",
                                             L"\U0001F600.sgf",
                                             L"tab\there",
                                             L"line\nbreak",
                                             L"-endOpen"};
    const std::wstring line = composeForwardingLine(given);
    const std::vector<std::wstring> expected(given.begin() + 1, given.end());
    EXPECT_EQ(test::splitByCommandLineRules(line), expected);
#ifdef _WIN32
    int count = 0;
    LPWSTR* tokens = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(tokens, nullptr);
    std::vector<std::wstring> received(tokens, tokens + count);
    LocalFree(tokens);
    EXPECT_EQ(received, expected);
#endif
}

}  // namespace
}  // namespace pelmora
