// The cases of the bridge runtime's tests. One JVM per process, as with a real runtime: each case runs in a
// child process of the test program ("--child=<case>"), which loads the bridge jvm.dll with the probe's jar
// on the class path, and the test reads the child's exit code and output.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace javabridge_test {

// The exit code of a case that ran to its end; a case with no such name gives childNotRun.
inline constexpr int childDone = 0;
inline constexpr int childNotRun = 4;

// In the child: runs the case and returns the process's exit code.
int runChildCase(std::string_view name);

struct ChildOutcome {
    DWORD exitCode = 0;
    // What the child and its Java process wrote to standard output and standard error.
    std::string output;
};

// In the parent: runs the case in a child and waits for its end (a child still running after a minute is
// killed and fails the test).
ChildOutcome runInChild(const std::wstring& caseName);

}  // namespace javabridge_test
