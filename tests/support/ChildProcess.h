// Starting a Windows program of the build as a child process, the way a user or the shell would.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

// Environment variables to set (a non-empty value) or remove (an empty value) for the child only.
using EnvironmentChanges = std::map<std::wstring, std::wstring>;

class ChildProcess {
  public:
    // Starts program with a command line of its quoted path and the given tail, unchanged.
    static ChildProcess start(const std::wstring& program, const std::wstring& commandLineTail,
                              const std::wstring& currentDirectory,
                              const EnvironmentChanges& environment = {});
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    // A child still running is killed: no test leaves a process behind.
    ~ChildProcess();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    // The exit code, or nothing when the process is still running after timeoutMs.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    bool running();
    void kill();

  private:
    ChildProcess() = default;
    KernelHandle process_;
    DWORD id_ = 0;
};

// The folder of the running test program, where the build puts every binary.
std::wstring binaryFolder();

// An environment block: the current environment with the changes applied.
std::vector<wchar_t> environmentBlockWith(const EnvironmentChanges& changes);

}  // namespace pelmora::test
