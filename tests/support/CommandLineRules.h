// How CommandLineToArgvW splits a command line, as a pure function: the running launcher splits each
// forwarded line with the system's function, and tests and fuzz targets need the same rules where that
// function is not at hand (tests/unit/launcher/CommandLineRulesTest.cpp checks both against each other).
//
// The first token is the program name: from a leading double quote to the next double quote, or else up to
// the first blank or tab; backslashes and quotes mean nothing there. The other tokens are separated by runs
// of blanks and tabs outside quotes (line breaks and other white space are ordinary characters). Within them:
// - 2n backslashes before a double quote give n backslashes, and the quote opens or closes a quoted part;
//   2n + 1 backslashes before it give n backslashes and a literal double quote; backslashes before anything
//   else stay as they are;
// - a double quote right after the one that closed a quoted part is a literal double quote, and the part
//   stays closed; so quotes in a row count in threes (three inside a quoted part: one quote, still quoted).
// Every character is one UTF-16 code unit; wide characters beyond 0xFFFF never occur on Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::test {

// The tokens of a non-empty line; an empty line gives none (the system's function would give the running
// program's path instead, so callers never split one).
std::vector<std::wstring> splitByCommandLineRules(std::wstring_view line);

}  // namespace pelmora::test
