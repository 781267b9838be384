// Deciding "hand over or become the running instance" is atomic across the launchers of one session: a named
// mutex, named after the command window's class, is held from before the window search until the new
// instance's window exists or the hand-off has been answered. Two simultaneous starts can therefore never
// both find no window and both run.
#pragma once

#include <pelmora/Win32Handles.h>

#include <utility>

namespace pelmora {

class InstanceElection {
  public:
    // Waits, within a bound, for the election; throws a LauncherError for the user when another start holds
    // it longer (it would be stuck). Without a mutex at all (the system refused one) it goes on unguarded.
    static InstanceElection enter();
    // The same wait, for the running instance's withdrawal: when the bound passes it goes on without the
    // election rather than keep the application from ending.
    static InstanceElection enterForWithdrawal();

    InstanceElection(InstanceElection&& other) noexcept
        : mutex_(std::move(other.mutex_)), held_(std::exchange(other.held_, false)) {}
    InstanceElection& operator=(InstanceElection&&) = delete;
    ~InstanceElection() { release(); }

    void release();

  private:
    InstanceElection() = default;
    static InstanceElection wait(bool throwWhenStuck);

    KernelHandle mutex_;
    bool held_ = false;
};

}  // namespace pelmora
