// Starting a Windows program of the build as a child process, the way a user or the shell would.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

class OutputPipe;

// Environment variables to set (a non-empty value) or remove (an empty value) for the child only.
using EnvironmentChanges = std::map<std::wstring, std::wstring>;

// Which standard streams of the child this process reads (ChildProcess::output). Without any, the child
// inherits no handles; otherwise the streams not read stay this process's own.
enum class Capture { nothing, output, outputAndError };

class ChildProcess {
  public:
    // Starts program with a command line of its quoted path and the given tail, unchanged; an empty current
    // directory is this process's. Throws when the program cannot be started.
    static ChildProcess start(const std::wstring& program, const std::wstring& commandLineTail,
                              const std::wstring& currentDirectory,
                              const EnvironmentChanges& environment = {}, Capture capture = Capture::nothing);
    ChildProcess(ChildProcess&&) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    // A child still running is killed: no test leaves a process behind.
    ~ChildProcess();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    // The exit code, or nothing when the process is still running after timeoutMs.
    std::optional<DWORD> waitForExit(DWORD timeoutMs);
    bool running() const;
    void kill();
    // What the child wrote to the captured streams: all of it once the child has ended, before that what
    // arrived so far.
    std::string output() const;

  private:
    ChildProcess();
    KernelHandle process_;
    DWORD id_ = 0;
    std::unique_ptr<OutputPipe> output_;
};

// An environment block: the current environment with the changes applied.
std::vector<wchar_t> environmentBlockWith(const EnvironmentChanges& changes);

}  // namespace pelmora::test
