// The cases the test program runs as its own child process ("--child=<case>"): most misuse the runtime in
// a way that must end the process with exit code 97, which a test can only observe from outside; others
// show what only the process's standard streams see. The child's runtime has the class path "Pelmora.jar",
// relative to its current directory.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace testjvm_test {

// The exit code a case returns when the runtime let the misuse pass.
inline constexpr int childSurvived = 3;
// The exit code for a case name no case has, or a runtime that could not be started.
inline constexpr int childNotRun = 4;

// In the child: runs the case and returns the process's exit code.
int runChildCase(std::string_view name);

struct ChildOutcome {
    bool started = false;
    bool timedOut = false;
    DWORD exitCode = 0;
    // What the child wrote to standard output and standard error.
    std::string output;
};

// In the parent: starts "<this program> --child=<caseName>" with the current environment in the folder (an
// empty one: this process's current directory) and waits for it to end.
ChildOutcome runInChild(const std::wstring& caseName, const std::wstring& currentDirectory = std::wstring(),
                        DWORD timeoutMs = 60000);

}  // namespace testjvm_test
