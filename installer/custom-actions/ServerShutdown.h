// Ending the thumbnail servers that run from the installation folder before its files are replaced or
// removed: each is asked to end as it ends on its own (its class objects withdrawn first, so COM sends no
// client to a server on its way out), and only one that has not ended within the grace period is ended by
// force. Free of Windows headers; WindowsServerProcesses.h gives the running processes.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace pelmora::setup {

inline constexpr std::wstring_view serverFileName = L"PelmoraThumbSrv64.exe";

// The path of the server that an installation folder holds, with or without the folder's final backslash.
std::wstring serverPathIn(std::wstring_view installFolder);

// The running processes of one executable.
class ServerProcesses {
  public:
    virtual ~ServerProcesses() = default;
    virtual std::size_t count() const = 0;
    // Asks the process to end by itself; false when it could not be asked.
    virtual bool askToEnd(std::size_t process) = 0;
    // True once the process has ended, waiting for it at most the limit.
    virtual bool waitForEnd(std::size_t process, std::chrono::milliseconds limit) = 0;
    // Ends it at once; true once it has ended.
    virtual bool endByForce(std::size_t process) = 0;
};

struct ShutdownResult {
    std::size_t endedWhenAsked = 0;
    std::size_t endedByForce = 0;
    std::size_t stillRunning = 0;
};

// A server ends about a second after it was asked (it withdraws its class objects, then pauses); one busy
// with a render may take up to the render's own bound of 15 s, which an uninstallation does not wait out.
inline constexpr std::chrono::milliseconds shutdownGracePeriod{5000};

// Asks every process to end, waits for them together for at most the grace period, then ends the rest by
// force.
ShutdownResult endServers(ServerProcesses& processes, std::chrono::milliseconds gracePeriod);

}  // namespace pelmora::setup
