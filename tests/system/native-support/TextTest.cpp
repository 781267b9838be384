// Fonts, text output, alignment, colour and extents, and the Unicode presentation check.
#include <gtest/gtest.h>

#include <string>

#include "EmfRecords.h"
#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

using Text = JvmFixture;

// A font made by createFontUnicode, deleted at the end of the scope.
class Font {
  public:
    Font(const TestJvm& jvm, std::u16string_view face, jint size, jint weight)
        : font_(fromJava<HFONT>(
              NATIVE_GRAPHICS(createFontUnicode)(jvm.env(), nullptr, jvm.string(face), size, weight))) {}
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() {
        if (font_ != nullptr) DeleteObject(font_);
    }
    HFONT get() const { return font_; }

    LOGFONTW description() const {
        LOGFONTW font{};
        GetObjectW(font_, sizeof font, &font);
        return font;
    }

  private:
    HFONT font_;
};

std::u16string faceOf(const LOGFONTW& font) {
    return reinterpret_cast<const char16_t*>(font.lfFaceName);
}

void expectFixedFontFields(const LOGFONTW& font) {
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, OUT_TT_ONLY_PRECIS);
    EXPECT_EQ(font.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
}

TEST_F(Text, FontHasTheFaceSizeWeightAndFixedFields) {
    const Font font(jvm_, u"Gräfin Ω Sans", 120, 700);
    ASSERT_NE(font.get(), nullptr);
    const LOGFONTW description = font.description();
    EXPECT_EQ(description.lfHeight, -120);
    EXPECT_EQ(description.lfWeight, 700);
    EXPECT_EQ(faceOf(description), u"Gräfin Ω Sans");
    expectFixedFontFields(description);
}

TEST_F(Text, FontIsRecordedWithEveryField) {
    const Font font(jvm_, u"Arial", 423, 400);
    MetafileRecording recording(0, 2000, 3000, 0);
    NATIVE_GRAPHICS(selectObject)(env(), nullptr, recording.dc(), asJava(font.get()));
    const auto fonts = recordsOfType(recording.records(), EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_EQ(fonts.size(), 1u);
    const LOGFONTW& recorded = fonts[0].as<EMREXTCREATEFONTINDIRECTW>().elfw.elfLogFont;
    EXPECT_EQ(recorded.lfHeight, -423);
    EXPECT_EQ(recorded.lfWeight, 400);
    EXPECT_EQ(faceOf(recorded), u"Arial");
    expectFixedFontFields(recorded);
}

TEST_F(Text, LongFaceNamesAreCutToTheFaceField) {
    const std::u16string longName = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";
    const Font font(jvm_, longName, 10, 400);
    ASSERT_NE(font.get(), nullptr);
    EXPECT_EQ(faceOf(font.description()), longName.substr(0, LF_FACESIZE - 1));
}

TEST_F(Text, OutputIsTheWholeUtf16TextAtTheRoundedPoint) {
    MetafileRecording recording(0, 2000, 3000, 0);
    // Non-Latin letters, a character outside the BMP and an embedded NUL all pass through.
    const std::u16string text(u"Zug 12: é Ж 𝄞\0!", 16);
    EXPECT_NE(
        NATIVE_GRAPHICS(outTextUnicode)(env(), nullptr, recording.dc(), jvm_.string(text), 10.5f, -10.5f), 0);
    const auto outputs = recordsOfType(recording.records(), EMR_EXTTEXTOUTW);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(textOf(outputs[0]), text);
    EXPECT_EQ(outputs[0].as<EMREXTTEXTOUTW>().emrtext.ptlReference.x, 11);
    EXPECT_EQ(outputs[0].as<EMREXTTEXTOUTW>().emrtext.ptlReference.y, -10);
}

TEST_F(Text, AlignmentReturnsThePreviousOne) {
    MetafileRecording recording(0, 2000, 3000, 0);
    EXPECT_EQ(NATIVE_GRAPHICS(getTextAlign)(env(), nullptr, recording.dc()), TA_BASELINE);
    EXPECT_EQ(NATIVE_GRAPHICS(setTextAlign)(env(), nullptr, recording.dc(), TA_CENTER | TA_TOP), TA_BASELINE);
    EXPECT_EQ(NATIVE_GRAPHICS(getTextAlign)(env(), nullptr, recording.dc()), TA_CENTER | TA_TOP);
    EXPECT_EQ(NATIVE_GRAPHICS(setTextAlign)(env(), nullptr, recording.dc(), TA_RIGHT), TA_CENTER | TA_TOP);
}

TEST_F(Text, ColourKeepsTheLow8BitsOfEachComponent) {
    MetafileRecording recording(0, 2000, 3000, 0);
    EXPECT_EQ(NATIVE_GRAPHICS(setTextColor)(env(), nullptr, recording.dc(), 300, 0, 0),
              static_cast<jint>(RGB(0, 0, 0)));
    EXPECT_EQ(NATIVE_GRAPHICS(setTextColor)(env(), nullptr, recording.dc(), 1, 258, -1),
              static_cast<jint>(RGB(44, 0, 0)));
    EXPECT_EQ(GetTextColor(fromJava<HDC>(recording.dc())), RGB(1, 2, 255));
    const auto colours = recordsOfType(recording.records(), EMR_SETTEXTCOLOR);
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0].as<EMRSETTEXTCOLOR>().crColor, RGB(44, 0, 0));
    EXPECT_EQ(colours[1].as<EMRSETTEXTCOLOR>().crColor, RGB(1, 2, 255));
}

class TextExtent : public Text {
  protected:
    void SetUp() override {
        ASSERT_NE(dc_, nullptr);
        ASSERT_NE(font_.get(), nullptr);
        previous_ = SelectObject(dc_, font_.get());
    }
    void TearDown() override {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    // The DC as the int the Java side passes to the extent functions.
    jint intDc() const { return static_cast<jint>(reinterpret_cast<INT_PTR>(dc_)); }
    jint width(std::u16string_view text) {
        return NATIVE_GRAPHICS(GetTextExtentPoint32Unicode_1width)(env(), nullptr, intDc(),
                                                                   jvm_.string(text));
    }
    jint height(std::u16string_view text) {
        return NATIVE_GRAPHICS(GetTextExtentPoint32Unicode_1height)(env(), nullptr, intDc(),
                                                                    jvm_.string(text));
    }

    HDC dc_ = CreateCompatibleDC(nullptr);
    Font font_{jvm_, u"Arial", 40, 400};
    HGDIOBJ previous_ = nullptr;
};

TEST_F(TextExtent, TheIntDcIsTheDcItNames) {
    // Handles of GDI fit 32 bits, so the int passed by Java names the same DC.
    EXPECT_EQ(reinterpret_cast<HDC>(static_cast<INT_PTR>(intDc())), dc_);
}

TEST_F(TextExtent, WidthAddsUpTheCharacters) {
    const jint one = width(u"W");
    EXPECT_GT(one, 0);
    EXPECT_EQ(width(u"WWW"), 3 * one);
    EXPECT_GT(width(u"WWW"), width(u"iii"));
    EXPECT_EQ(width(u""), 0);
}

TEST_F(TextExtent, HeightIsTheFontsLineHeight) {
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc_, &metrics));
    EXPECT_EQ(height(u"Wg"), metrics.tmHeight);
    EXPECT_EQ(height(u"."), metrics.tmHeight);
    EXPECT_GE(metrics.tmHeight, 40);
}

TEST_F(Text, UnicodePresentsEveryText) {
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentUnicode)(env(), nullptr, 0, jvm_.string(u"Ж 𝄞 é")), -1);
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentUnicode)(env(), nullptr, 0, jvm_.string(u"")), -1);
    EXPECT_EQ(NATIVE_GRAPHICS(canPresentUnicode)(env(), nullptr, 12345, nullptr), -1);
}

TEST_F(Text, NullTextsDrawNothing) {
    MetafileRecording recording(0, 2000, 3000, 0);
    EXPECT_EQ(NATIVE_GRAPHICS(outTextUnicode)(env(), nullptr, recording.dc(), nullptr, 1, 1), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(createFontUnicode)(env(), nullptr, nullptr, 10, 400), 0);
    EXPECT_TRUE(recordsOfType(recording.records(), EMR_EXTTEXTOUTW).empty());
}

}  // namespace
}  // namespace pelmora::test
