// native_support_probe.exe, the second process of a test, run with arguments and its standard output read.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <map>
#include <string>
#include <thread>

namespace pelmora::test {

class ProbeProcess {
  public:
    // Starts the probe; throws when it cannot be started.
    explicit ProbeProcess(const std::wstring& arguments);
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;
    // A probe still running is killed: no test leaves a process behind.
    ~ProbeProcess();

    // Waits for the end and the whole output; the exit code, or STILL_ACTIVE after the timeout.
    DWORD finish(DWORD timeoutMs = 60000);
    const std::string& output() const { return output_; }
    // The output's "key=value" lines (CR and LF removed); later lines win.
    std::map<std::string, std::string> values() const;

  private:
    KernelHandle process_;
    KernelHandle outputRead_;
    std::thread reader_;
    std::string output_;
};

// A named manual-reset event for handshakes with a probe; the name is unique to this process and purpose.
class NamedEvent {
  public:
    explicit NamedEvent(const std::wstring& purpose);
    const std::wstring& name() const { return name_; }
    HANDLE get() const { return event_.get(); }

  private:
    std::wstring name_;
    KernelHandle event_;
};

}  // namespace pelmora::test
