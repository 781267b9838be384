// The end of a process that used the runtime in a way a real JVM would not survive or would reject: the
// message goes to standard error and the event log, and the process ends with a code tests look for.
#pragma once

#include <string_view>

namespace testjvm {

inline constexpr unsigned loudFailureExitCode = 97;

// Prints "testjvm: <message>", records "fail <message>" and ends the process with exit code 97.
[[noreturn]] void failLoudly(std::string_view message);

}  // namespace testjvm
