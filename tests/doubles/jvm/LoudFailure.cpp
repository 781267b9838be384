#include "LoudFailure.h"

#include "EventLog.h"
#include "StandardStreams.h"

#include <windows.h>

#include <string>

namespace testjvm {

[[noreturn]] void failLoudly(std::string_view message) {
    writeStandardError("testjvm: " + std::string(message) + "\n");
    recordEvent("fail " + std::string(message));
    // TerminateProcess, not ExitProcess: other threads may hold locks the DLL detach code would wait for.
    TerminateProcess(GetCurrentProcess(), loudFailureExitCode);
    // TerminateProcess of the own process does not return; this only satisfies [[noreturn]].
    ExitProcess(loudFailureExitCode);
}

}  // namespace testjvm
