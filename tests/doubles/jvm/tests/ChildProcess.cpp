#include "ChildProcess.h"

#include "TemporaryFolder.h"
#include "TestJvmLibrary.h"

#include <pelmora/Win32Handles.h>

namespace testjvm_test {

ChildOutcome runChildCase(const std::wstring& caseName, const std::wstring& outputFile, DWORD timeoutMs) {
    ChildOutcome outcome;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    {
        pelmora::FileHandle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output) return outcome;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        std::wstring commandLine = L"\"" + ownExecutablePath() + L"\" --child=" + caseName;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &started)) {
            return outcome;
        }
        const pelmora::KernelHandle process(started.hProcess);
        const pelmora::KernelHandle thread(started.hThread);
        outcome.started = true;
        if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
            outcome.timedOut = true;
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 10000);
        }
        GetExitCodeProcess(process.get(), &outcome.exitCode);
    }
    outcome.output = readFileBytes(outputFile);
    return outcome;
}

}  // namespace testjvm_test
