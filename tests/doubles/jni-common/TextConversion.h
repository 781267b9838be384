// Conversions between the encodings a JVM meets: Java's UTF-16 strings, JNI's modified UTF-8, the 8-bit
// option texts of JNI_CreateJavaVM and the UTF-8 of the event log.
#pragma once

#include <string>
#include <string_view>

namespace testjvm {

// Standard UTF-8; an unpaired surrogate becomes U+FFFD, which UTF-8 cannot hold.
std::string utf8FromUtf16(std::u16string_view text);
// Lenient: a malformed byte becomes U+FFFD; standard 4-byte sequences are accepted as well.
std::u16string utf16FromModifiedUtf8(std::string_view bytes);
std::string modifiedUtf8FromUtf16(std::u16string_view text);
// Each byte is the code point of the same value.
std::u16string utf16FromLatin1(std::string_view bytes);
std::u16string utf16FromWide(std::wstring_view text);
std::wstring wideFromUtf16(std::u16string_view text);
// The form texts take in the event log: UTF-8 with CR and LF written as \r and \n, so one event stays one
// line.
std::string logText(std::u16string_view text);

}  // namespace testjvm
