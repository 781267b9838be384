// One thread that runs jobs for another, which waits for each within a bound. A job that does not finish in
// time is left running: the caller decides what to do about it (the server ends its process).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace pelmora::thumbsrv {

class BoundedWorker {
  public:
    BoundedWorker() = default;
    BoundedWorker(const BoundedWorker&) = delete;
    BoundedWorker& operator=(const BoundedWorker&) = delete;
    // Ends the thread; one whose job is stuck is left behind.
    ~BoundedWorker();

    // Runs job on the worker's thread (started on first use) and waits for it; false when it did not finish
    // within bound. One job at a time: after a false result the worker takes no further job.
    bool run(std::function<void()> job, std::chrono::milliseconds bound);

  private:
    void serve();

    std::mutex lock_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool jobDone_ = false;
    bool stopping_ = false;
    bool stuck_ = false;
    std::thread thread_;
};

}  // namespace pelmora::thumbsrv
