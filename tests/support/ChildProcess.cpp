#include "ChildProcess.h"

#include "OutputPipe.h"

#include <stdexcept>

namespace pelmora::test {

std::vector<wchar_t> environmentBlockWith(const EnvironmentChanges& changes) {
    // Names compare without regard to case, as Windows does.
    auto upper = [](std::wstring text) {
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
        return text;
    };
    std::map<std::wstring, std::wstring> variables;  // upper-case name -> "Name=value"
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        const auto equals = text.find(L'=', 1);  // drive entries such as "=C:=C:\" start with '='
        if (equals == std::wstring::npos) continue;
        variables[upper(text.substr(0, equals))] = text;
    }
    FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : changes) {
        if (value.empty()) {
            variables.erase(upper(name));
        } else {
            variables[upper(name)] = name + L"=" + value;
        }
    }
    std::vector<wchar_t> result;
    for (const auto& entry : variables) {
        result.insert(result.end(), entry.second.begin(), entry.second.end());
        result.push_back(L'\0');
    }
    result.push_back(L'\0');
    return result;
}

ChildProcess ChildProcess::start(const std::wstring& program, const std::wstring& commandLineTail,
                                 const std::wstring& currentDirectory, const EnvironmentChanges& environment,
                                 Capture capture) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!commandLineTail.empty()) commandLine += L" " + commandLineTail;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    // Without changes the child gets this process's environment as it is.
    std::vector<wchar_t> block;
    if (!environment.empty()) block = environmentBlockWith(environment);

    ChildProcess child;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (capture != Capture::nothing) {
        child.output_ = std::make_unique<OutputPipe>();
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = child.output_->writeEnd();
        startup.hStdError =
            capture == Capture::outputAndError ? child.output_->writeEnd() : GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), mutableLine.data(), nullptr, nullptr, capture != Capture::nothing,
                        CREATE_UNICODE_ENVIRONMENT, block.empty() ? nullptr : block.data(),
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info)) {
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    }
    const KernelHandle thread(info.hThread);
    child.process_.reset(info.hProcess);
    child.id_ = info.dwProcessId;
    if (child.output_) child.output_->startReading();
    return child;
}

ChildProcess::ChildProcess() = default;

ChildProcess::ChildProcess(ChildProcess&&) noexcept = default;

ChildProcess::~ChildProcess() {
    if (process_ && running()) kill();
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool ChildProcess::running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::kill() {
    TerminateProcess(process_.get(), 255);
    WaitForSingleObject(process_.get(), 10000);
}

std::string ChildProcess::output() const {
    if (!output_) return std::string();
    if (!running()) output_->finish();
    return output_->text();
}

}  // namespace pelmora::test
