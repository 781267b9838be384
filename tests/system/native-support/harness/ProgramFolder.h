// Where the build put the test programs, the support library and the doubles.
#pragma once

#include <string>

namespace pelmora::test {

// The folder of the running program, without a trailing backslash.
std::wstring programFolder();

}  // namespace pelmora::test
