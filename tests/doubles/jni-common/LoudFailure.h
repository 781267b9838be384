// The end of a process that used a test runtime in a way a real JVM would not survive or would reject: the
// message goes to standard error, and the process ends with a code tests look for. Each runtime defines it.
#pragma once

#include <string_view>

namespace testjvm {

inline constexpr unsigned loudFailureExitCode = 97;

// Prints "<runtime>: <message>" and ends the process with exit code 97 (the test runtime also records
// "fail <message>").
[[noreturn]] void failLoudly(std::string_view message);

}  // namespace testjvm
