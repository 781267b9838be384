#include "ProbeProcess.h"

#include <sstream>
#include <stdexcept>
#include <vector>

#include "ProgramFolder.h"

namespace pelmora::test {

ProbeProcess::ProbeProcess(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    KernelHandle outputWrite;
    if (!CreatePipe(outputRead_.receive(), outputWrite.receive(), &inheritable, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    SetHandleInformation(outputRead_.get(), HANDLE_FLAG_INHERIT, 0);

    const std::wstring program = programFolder() + L"\\native_support_probe.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputWrite.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
        throw std::runtime_error("cannot start native_support_probe.exe");
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    // Our copy of the write end must go, or the pipe never reports its end.
    outputWrite.reset();
    reader_ = std::thread([this] {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(outputRead_.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
            output_.append(buffer, read);
        }
    });
}

ProbeProcess::~ProbeProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.get(), 1);
    if (reader_.joinable()) reader_.join();
}

DWORD ProbeProcess::finish(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    if (reader_.joinable()) reader_.join();
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.get(), &exitCode);
    return exitCode;
}

std::map<std::string, std::string> ProbeProcess::values() const {
    std::map<std::string, std::string> result;
    std::istringstream lines(output_);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos) result[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return result;
}

NamedEvent::NamedEvent(const std::wstring& purpose)
    : name_(L"PelmoraTest-" + purpose + L"-" + std::to_wstring(GetCurrentProcessId())),
      event_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {
    if (!event_) throw std::runtime_error("CreateEventW failed");
}

}  // namespace pelmora::test
