// canPresentASCII against the process's ANSI code page. Wine takes that from LC_ALL, so CTest runs this
// program once per code page and names the one it set up in PELMORA_EXPECTED_CODE_PAGE.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "JvmFixture.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

UINT expectedCodePage() {
    const char* value = std::getenv("PELMORA_EXPECTED_CODE_PAGE");
    return value != nullptr ? static_cast<UINT>(std::strtoul(value, nullptr, 10)) : 0;
}

// A text and whether each code page has all of its characters.
struct Sample {
    std::u16string text;
    bool in1252;
    bool in1251;
};

const Sample samples[] = {
    {u"Plain Latin 123, (black) & [white]!", true, true},
    {u"", true, true},
    {u"\u20AC 5 \u2014 \u00A9", true, true},  // euro sign, em dash, copyright sign
    {u"Stra\u00DFe", true, false},            // sharp s
    {u"\u00C6sir", true, false},              // AE ligature
    // Accented letters: 1251 has none, but the conversion falls back to the bare letter without
    // using the default character, so they count as presentable.
    {u"caf\u00E9 \u00D6l", true, true},
    {u"\u0416\u0443\u043A", false, true},  // Cyrillic "Zhuk"
    {u"\u0401\u0436", false, true},        // Cyrillic Io and zhe
    {u"\u65E5\u672C", false, false},       // Japanese
    {u"\U0001D11E", false, false},         // a character outside the BMP
    {u"abc\u0416\u00DF", false, false},    // one of each
};

class AnsiPresentation : public JvmFixture {
  protected:
    jint canPresentAscii(const std::u16string& text) {
        return NATIVE_GRAPHICS(canPresentASCII)(jvm_.env(), nullptr, 0, jvm_.string(text));
    }
};

TEST_F(AnsiPresentation, RunsUnderTheCodePageItWasStartedFor) {
    ASSERT_TRUE(expectedCodePage() == 1252 || expectedCodePage() == 1251)
        << "PELMORA_EXPECTED_CODE_PAGE must be 1252 or 1251";
    EXPECT_EQ(GetACP(), expectedCodePage());
}

TEST_F(AnsiPresentation, AnswersWhetherEveryCharacterHasAnAnsiCode) {
    ASSERT_EQ(GetACP(), expectedCodePage());
    for (const auto& sample : samples) {
        const bool present = expectedCodePage() == 1252 ? sample.in1252 : sample.in1251;
        EXPECT_EQ(canPresentAscii(sample.text), present ? -1 : 0)
            << "sample of " << sample.text.size() << " code units starting with U+" << std::hex
            << (sample.text.empty() ? 0 : static_cast<unsigned>(sample.text[0]));
    }
}

TEST_F(AnsiPresentation, TheFirstParameterDoesNotMatter) {
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentASCII)(jvm_.env(), nullptr, 987654321, jvm_.string(u"abc")), -1);
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentASCII)(jvm_.env(), nullptr, -1, jvm_.string(u"\U0001D11E")), 0);
}

TEST_F(AnsiPresentation, NoTextIsNotPresentable) {
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentASCII)(jvm_.env(), nullptr, 0, nullptr), 0);
}

}  // namespace
}  // namespace pelmora::test
