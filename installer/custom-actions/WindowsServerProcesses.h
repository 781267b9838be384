// The running processes of one executable, found by their full image path and held open by handle, so a
// process id used again by another program after one of them ended is never acted on.
#pragma once

#include "ServerShutdown.h"

#include <pelmora/Win32Handles.h>

#include <string>
#include <vector>

namespace pelmora::setup {

class WindowsServerProcesses final : public ServerProcesses {
  public:
    explicit WindowsServerProcesses(const std::wstring& executablePath);

    std::size_t count() const override { return processes_.size(); }
    // Posts WM_QUIT to the threads of the process: the server's message loop then ends as after its idle
    // period.
    bool askToEnd(std::size_t process) override;
    bool waitForEnd(std::size_t process, std::chrono::milliseconds limit) override;
    bool endByForce(std::size_t process) override;

  private:
    struct HeldProcess {
        DWORD id;
        KernelHandle handle;
    };
    std::vector<HeldProcess> processes_;
};

}  // namespace pelmora::setup
