#include "TextConversion.h"

namespace testjvm {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

// Calls sink(codePoint) for each code point of the UTF-16 text.
template <class Sink>
void forEachCodePoint(std::u16string_view text, Sink&& sink) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            sink(0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            sink(replacementCharacter);
        } else {
            sink(unit);
        }
    }
}

}  // namespace

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    forEachCodePoint(text, [&](char32_t codePoint) { appendUtf8(out, codePoint); });
    return out;
}

std::u16string utf16FromModifiedUtf8(std::string_view bytes) {
    std::u16string out;
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isContinuation = [&](std::size_t i) { return i < bytes.size() && (byteAt(i) & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byteAt(i);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            i += 1;
        } else if ((lead & 0xE0) == 0xC0 && isContinuation(i + 1)) {
            out += static_cast<char16_t>(((lead & 0x1F) << 6) | (byteAt(i + 1) & 0x3F));
            i += 2;
        } else if ((lead & 0xF0) == 0xE0 && isContinuation(i + 1) && isContinuation(i + 2)) {
            // Modified UTF-8 writes each surrogate of a pair as its own 3-byte sequence: kept as it is.
            out += static_cast<char16_t>(((lead & 0x0F) << 12) | ((byteAt(i + 1) & 0x3F) << 6) |
                                         (byteAt(i + 2) & 0x3F));
            i += 3;
        } else if ((lead & 0xF8) == 0xF0 && isContinuation(i + 1) && isContinuation(i + 2) &&
                   isContinuation(i + 3)) {
            appendUtf16(out, (static_cast<char32_t>(lead & 0x07) << 18) |
                                 (static_cast<char32_t>(byteAt(i + 1) & 0x3F) << 12) |
                                 (static_cast<char32_t>(byteAt(i + 2) & 0x3F) << 6) | (byteAt(i + 3) & 0x3F));
            i += 4;
        } else {
            out += static_cast<char16_t>(replacementCharacter);
            i += 1;
        }
    }
    return out;
}

std::string modifiedUtf8FromUtf16(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        // NUL takes two bytes so that the result holds no zero byte; surrogates are encoded one by one.
        if (unit == 0) {
            out += static_cast<char>(0xC0);
            out += static_cast<char>(0x80);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string utf16FromLatin1(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) out += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return out;
}

std::u16string utf16FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring wideFromUtf16(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::string logText(std::u16string_view text) {
    std::string out;
    forEachCodePoint(text, [&](char32_t codePoint) {
        if (codePoint == U'\r') {
            out += "\\r";
        } else if (codePoint == U'\n') {
            out += "\\n";
        } else {
            appendUtf8(out, codePoint);
        }
    });
    return out;
}

}  // namespace testjvm
