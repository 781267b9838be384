#include "ServerShutdown.h"

#include <algorithm>
#include <vector>

namespace pelmora::setup {

std::wstring serverPathIn(std::wstring_view installFolder) {
    std::wstring path(installFolder);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    path += serverFileName;
    return path;
}

ShutdownResult endServers(ServerProcesses& processes, std::chrono::milliseconds gracePeriod) {
    using Clock = std::chrono::steady_clock;
    ShutdownResult result;
    std::vector<bool> asked(processes.count(), false);
    for (std::size_t i = 0; i < processes.count(); ++i) asked[i] = processes.askToEnd(i);

    // One grace period for all of them: they end side by side.
    const Clock::time_point deadline = Clock::now() + gracePeriod;
    for (std::size_t i = 0; i < processes.count(); ++i) {
        const auto left = std::max(Clock::duration::zero(), deadline - Clock::now());
        if (asked[i] &&
            processes.waitForEnd(i, std::chrono::duration_cast<std::chrono::milliseconds>(left))) {
            ++result.endedWhenAsked;
        } else if (processes.endByForce(i)) {
            ++result.endedByForce;
        } else {
            ++result.stillRunning;
        }
    }
    return result;
}

}  // namespace pelmora::setup
