// The pure command-line splitter the tests and fuzz targets use in place of CommandLineToArgvW: on a table of
// lines it gives the tokens written down here, and under Windows (or Wine) so does the system's function.
#include "CommandLineRules.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

#include <string>
#include <vector>

namespace pelmora::test {
namespace {

using Tokens = std::vector<std::wstring>;

struct Case {
    const wchar_t* line;
    Tokens tokens;
};

#ifdef _WIN32
Tokens systemSplit(const std::wstring& line) {
    int count = 0;
    LPWSTR* tokens = CommandLineToArgvW(line.c_str(), &count);
    if (!tokens) return {L"<CommandLineToArgvW failed>"};
    Tokens split(tokens, tokens + count);
    LocalFree(tokens);
    return split;
}
#endif

void expectSplits(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(splitByCommandLineRules(c.line), c.tokens) << "rules, line <" << c.line << ">";
#ifdef _WIN32
        EXPECT_EQ(systemSplit(c.line), c.tokens) << "system, line <" << c.line << ">";
#endif
    }
}

TEST(CommandLineRules, TheProgramNameKnowsNoEscapes) {
    expectSplits({
        {L"p", {L"p"}},
        {L"p a", {L"p", L"a"}},
        {L"\"C:\\Program Files\\P.exe\" a", {L"C:\\Program Files\\P.exe", L"a"}},
        {L"\"a\\\\\" b", {L"a\\\\", L"b"}},
        {L"\"a\\\" b", {L"a\\", L"b"}},
        {L"\"-workdir\" \"D:\\\\\"", {L"-workdir", L"D:\\"}},
        {L"\"a\"b c", {L"a", L"b", L"c"}},
        {L"\"unclosed name", {L"unclosed name"}},
        {L"\"\" a", {L"", L"a"}},
        {L"a\"b\" c", {L"a\"b\"", L"c"}},
        {L"p\ta", {L"p", L"a"}},
        {L"p\na b", {L"p\na", L"b"}},
        {L"p\ra", {L"p\ra"}},
        {L"p\u00a0a b", {L"p\u00a0a", L"b"}},
        {L"p   ", {L"p"}},
    });
}

TEST(CommandLineRules, BlanksAndTabsSeparateOutsideQuotesOnly) {
    expectSplits({
        {L"p a  b\t\tc ", {L"p", L"a", L"b", L"c"}},
        {L"p \"a b\" c", {L"p", L"a b", L"c"}},
        {L"p a\"b c\"d e", {L"p", L"ab cd", L"e"}},
        {L"p \"\" \"\"", {L"p", L"", L""}},
        {L"p \"unclosed a b", {L"p", L"unclosed a b"}},
        {L"p a\nb c\rd", {L"p", L"a\nb", L"c\rd"}},
        {L"p a\u3000b \u00a0", {L"p", L"a\u3000b", L"\u00a0"}},
        {L"p \U0001F600 \uffff", {L"p", L"\U0001F600", L"\uffff"}},
    });
}

TEST(CommandLineRules, BackslashesCountOnlyBeforeAQuote) {
    expectSplits({
        {L"p a\\b a\\\\b \\\\server\\share", {L"p", L"a\\b", L"a\\\\b", L"\\\\server\\share"}},
        {L"p a\\", {L"p", L"a\\"}},
        {L"p \\\"", {L"p", L"\""}},
        {L"p \\\\\"a b\"", {L"p", L"\\a b"}},
        {L"p \\\\\\\"a b", {L"p", L"\\\"a", L"b"}},
        {L"p \"a\\\\\" b", {L"p", L"a\\", L"b"}},
        {L"p \"a\\\\\\\" b\"", {L"p", L"a\\\" b"}},
        {L"p \"trailing\\\\\\\\\"", {L"p", L"trailing\\\\"}},
        {L"p \\", {L"p", L"\\"}},
        {L"p \"\\\"\"", {L"p", L"\""}},
    });
}

TEST(CommandLineRules, QuotesInARowCountInThrees) {
    expectSplits({
        {L"p \"a\"\"b\"", {L"p", L"a\"b"}},
        {L"p \"a\"\" b\"", {L"p", L"a\"", L"b"}},
        {L"p \"\"\"", {L"p", L"\""}},
        {L"p \"\"\"\" a", {L"p", L"\" a"}},
        {L"p \"\"\"\"\" a", {L"p", L"\"", L"a"}},
        {L"p \"\"\"\"\"\" a", {L"p", L"\"\"", L"a"}},
        {L"p a\"\"\"b c", {L"p", L"a\"b", L"c"}},
        {L"p \"a\"\\\"\" b", {L"p", L"a\" b"}},
        {L"p \"a\"\\\\\"b c\"", {L"p", L"a\\b c"}},
    });
}

}  // namespace
}  // namespace pelmora::test
