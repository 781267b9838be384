// The cases the test program runs as its own child process ("--child=<case>"): each misuses the runtime in
// a way that must end the process with exit code 97.
#pragma once

#include <string_view>

namespace testjvm_test {

// The exit code a case returns when the runtime let the misuse pass.
inline constexpr int childSurvived = 3;
// The exit code for a case name no case has, or a runtime that could not be started.
inline constexpr int childNotRun = 4;

int runChildCase(std::string_view name);

}  // namespace testjvm_test
