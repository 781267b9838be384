// One thread that runs jobs for another, which waits for each within a bound. A job that does not finish in
// time is left running: the caller decides what to do about it (the server ends its process).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace pelmora::thumbsrv {

class BoundedWorker {
  public:
    BoundedWorker();
    BoundedWorker(const BoundedWorker&) = delete;
    BoundedWorker& operator=(const BoundedWorker&) = delete;
    // Ends the thread; one whose job is stuck is left behind and ends when the job does.
    ~BoundedWorker();

    // Runs job on the worker's thread (started on first use) and waits for it; false when it did not finish
    // within bound. One job at a time: after a false result the worker takes no further job.
    bool run(std::function<void()> job, std::chrono::milliseconds bound);

  private:
    struct State;
    static void serve(std::shared_ptr<State> state);

    // Shared with the thread, which may outlive the worker when its job is stuck.
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace pelmora::thumbsrv
