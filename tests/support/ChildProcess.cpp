#include "ChildProcess.h"

#include <algorithm>
#include <stdexcept>

namespace pelmora::test {

std::wstring binaryFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\'));
}

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
                                 const std::wstring& currentDirectory,
                                 const EnvironmentChanges& environment) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!commandLineTail.empty()) commandLine += L" " + commandLineTail;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    std::vector<wchar_t> block = environmentBlockWith(environment);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.data(),
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup, &info)) {
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    ChildProcess child;
    child.process_.reset(info.hProcess);
    child.id_ = info.dwProcessId;
    return child;
}

ChildProcess::~ChildProcess() {
    if (process_ && running()) kill();
}

std::optional<DWORD> ChildProcess::waitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool ChildProcess::running() {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::kill() {
    TerminateProcess(process_.get(), 255);
    WaitForSingleObject(process_.get(), 10000);
}

}  // namespace pelmora::test
