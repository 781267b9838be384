// The record of what the double was asked: one line per fact, appended to the file named by
// PELMORA_TEST_MAPI_LOG (nothing is written when it is not set). Texts are the caller's 8-bit bytes.
#pragma once

#include <string>

namespace mapidouble {

void logLine(const std::string& line);

// "null", or the text in double quotes, byte for byte.
std::string quoted(const char* text);
// "null" or "set".
std::string pointer(const void* value);
// 0x followed by lower-case hex digits.
std::string hex(unsigned long long value);

}  // namespace mapidouble
