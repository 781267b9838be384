// Runs this test program again as a child for one case that must end its process: the loud failures end
// with exit code 97, which a test can only observe from outside.
#pragma once

#include <windows.h>

#include <string>

namespace testjvm_test {

struct ChildOutcome {
    bool started = false;
    bool timedOut = false;
    DWORD exitCode = 0;
    // What the child wrote to standard output and standard error.
    std::string output;
};

// Starts "<this program> --child=<caseName>" with the current environment and waits for it to end.
ChildOutcome runChildCase(const std::wstring& caseName, const std::wstring& outputFile,
                          DWORD timeoutMs = 60000);

}  // namespace testjvm_test
