#include "BoundedWorker.h"

#include <utility>

namespace pelmora::thumbsrv {

BoundedWorker::~BoundedWorker() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (!thread_.joinable()) return;
    // A stuck job never ends: waiting for it would hang the caller's exit.
    if (stuck_) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool BoundedWorker::run(std::function<void()> job, std::chrono::milliseconds bound) {
    std::unique_lock<std::mutex> guard(lock_);
    if (stuck_) return false;
    if (!thread_.joinable()) thread_ = std::thread([this] { serve(); });
    job_ = std::move(job);
    jobDone_ = false;
    changed_.notify_all();
    if (changed_.wait_for(guard, bound, [this] { return jobDone_; })) return true;
    stuck_ = true;
    return false;
}

void BoundedWorker::serve() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return static_cast<bool>(job_) || stopping_; });
        if (!job_) return;
        std::function<void()> job = std::exchange(job_, nullptr);
        guard.unlock();
        try {
            job();
        } catch (...) {
            // A job reports its own failures; nothing may leave the thread.
        }
        guard.lock();
        jobDone_ = true;
        changed_.notify_all();
    }
}

}  // namespace pelmora::thumbsrv
