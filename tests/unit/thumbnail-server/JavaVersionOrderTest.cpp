#include "JavaVersionOrder.h"

#include <gtest/gtest.h>

namespace pelmora::thumbsrv {
namespace {

using Compare = int (*)(std::wstring_view, std::wstring_view);

// Each text sorts strictly before the next one, from either side. (Number and text order mixed are not
// transitive, so only neighbours are compared.)
void expectAscending(Compare compare, std::initializer_list<const wchar_t*> texts) {
    for (auto it = texts.begin(); it + 1 != texts.end(); ++it) {
        EXPECT_LT(compare(it[0], it[1]), 0) << it[0] << " < " << it[1];
        EXPECT_GT(compare(it[1], it[0]), 0) << it[1] << " > " << it[0];
    }
}

void expectEqual(Compare compare, std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> pairs) {
    for (const auto& [a, b] : pairs) EXPECT_EQ(compare(a, b), 0) << a << " == " << b;
}

TEST(VersionComponent, NumbersWhenBothFitOtherwiseUnsignedCodeUnits) {
    // 2147483648 is too large for a number; U+1F600, written as the code units D83D DE00 a Windows string
    // holds, is below U+FF11.
    expectAscending(compareVersionComponent,
                    {L"", L"9", L"10", L"2147483647", L"2147483648", L"3", L"9a", L"B", L"a", L"ab", L"abc",
                     L"ea", L"z", L"\u00e9", L"\u8000", L"\xD83D\xDE00", L"\uff11", L"\ufffd"});
    expectEqual(compareVersionComponent, {{L"", L"0"}, {L"08", L"8"}, {L"0002147483647", L"2147483647"}});
}

TEST(JavaVersionOrder, ComponentsPairwiseWithZeroForMissingOrEmptyOnes) {
    // "1.8.+" < "1.8": the missing component is the text "0", which sorts after "+".
    expectAscending(compareJavaVersions, {L"1..8", L"1.8.+", L"1.8", L"1.8.0.1", L"1.8.0_301", L"1.8.0-ea",
                                          L"1.9", L"1.10", L"3", L"11.0.2", L"2147483648"});
    expectEqual(
        compareJavaVersions,
        {{L"1.8", L"1.8.0"}, {L"1-8_0", L"1.8.0"}, {L"1..8", L"1.0.8"}, {L"1.8.", L"1.8"}, {L"", L"0"}});
}

TEST(NewestJavaVersion, FirstOfTheGreatestInEnumerationOrder) {
    EXPECT_EQ(pickNewestJavaVersion({L"1.8", L"11.0.2", L"1.8.0_301"}), L"11.0.2");
    EXPECT_EQ(pickNewestJavaVersion({L"1.8", L"1.8.0"}), L"1.8");
    EXPECT_EQ(pickNewestJavaVersion({L"1.8.0", L"1.7", L"1.8"}), L"1.8.0");
    EXPECT_EQ(pickNewestJavaVersion({L"2147483648", L"3"}), L"3");
    EXPECT_EQ(pickNewestJavaVersion({}), std::nullopt);
}

}  // namespace
}  // namespace pelmora::thumbsrv
