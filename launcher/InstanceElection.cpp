#include "InstanceElection.h"

#include "LauncherError.h"

#include <string>

namespace pelmora {
namespace {
// In the session's namespace: the hand-off window is found only on the same desktop.
const wchar_t electionMutexName[] = L"Local\\Pelmora2LaunchClass";
// A holder keeps the election for one window search and one bounded hand-off (10 s), or until its window
// exists; three such turns in a row still fit.
const DWORD electionTimeoutMs = 30000;
}  // namespace

InstanceElection InstanceElection::enter() {
    return wait(true);
}

InstanceElection InstanceElection::enterForWithdrawal() {
    return wait(false);
}

InstanceElection InstanceElection::wait(bool throwWhenStuck) {
    InstanceElection election;
    election.mutex_.reset(CreateMutexW(nullptr, FALSE, electionMutexName));
    if (!election.mutex_) return election;
    // An abandoned mutex (its holder died) is owned all the same.
    const DWORD result = WaitForSingleObject(election.mutex_.get(), electionTimeoutMs);
    election.held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    if (!election.held_ && throwWhenStuck) {
        throw LauncherError(
            L"Another start of Pelmora did not finish within 30 seconds, so the documents were not handed "
            L"over. Close Pelmora and try again.");
    }
    return election;
}

void InstanceElection::release() {
    if (held_) ReleaseMutex(mutex_.get());
    held_ = false;
    mutex_.reset();
}

}  // namespace pelmora
