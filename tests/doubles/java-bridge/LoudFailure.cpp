#include "LoudFailure.h"

#include "StandardStreams.h"

#include <windows.h>

#include <string>

namespace testjvm {

[[noreturn]] void failLoudly(std::string_view message) {
    writeStandardError("javabridge: " + std::string(message) + "\n");
    // TerminateProcess, not ExitProcess: other threads may hold locks the DLL detach code would wait for.
    TerminateProcess(GetCurrentProcess(), loudFailureExitCode);
    ExitProcess(loudFailureExitCode);
}

}  // namespace testjvm
