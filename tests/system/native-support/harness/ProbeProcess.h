// native_support_probe.exe, the second process of a test, run with arguments and its standard output read.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <map>
#include <string>

#include "ChildProcess.h"

namespace pelmora::test {

class ProbeProcess {
  public:
    // Starts the probe; throws when it cannot be started. A probe still running at the end is killed.
    explicit ProbeProcess(const std::wstring& arguments);

    // Waits for the end and the whole output; the exit code, or STILL_ACTIVE after the timeout.
    DWORD finish(DWORD timeoutMs = 60000);
    std::string output() const { return child_.output(); }
    // The output's "key=value" lines (CR and LF removed); later lines win.
    std::map<std::string, std::string> values() const;

  private:
    ChildProcess child_;
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
