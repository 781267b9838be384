#include "BoundedWorker.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace pelmora::thumbsrv {

struct BoundedWorker::State {
    std::mutex lock;
    std::condition_variable changed;
    std::function<void()> job;
    bool jobDone = false;
    bool stopping = false;
    bool stuck = false;
};

BoundedWorker::BoundedWorker() : state_(std::make_shared<State>()) {}

BoundedWorker::~BoundedWorker() {
    bool stuck = false;
    {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->stopping = true;
        stuck = state_->stuck;
    }
    state_->changed.notify_all();
    if (!thread_.joinable()) return;
    // A stuck job may never end: waiting for it would hang the caller's exit.
    if (stuck) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool BoundedWorker::run(std::function<void()> job, std::chrono::milliseconds bound) {
    State& state = *state_;
    std::unique_lock<std::mutex> guard(state.lock);
    if (state.stuck) return false;
    if (!thread_.joinable()) thread_ = std::thread(&BoundedWorker::serve, state_);
    state.job = std::move(job);
    state.jobDone = false;
    state.changed.notify_all();
    if (state.changed.wait_for(guard, bound, [&state] { return state.jobDone; })) return true;
    state.stuck = true;
    return false;
}

void BoundedWorker::serve(std::shared_ptr<State> shared) {
    State& state = *shared;
    std::unique_lock<std::mutex> guard(state.lock);
    for (;;) {
        state.changed.wait(guard, [&state] { return static_cast<bool>(state.job) || state.stopping; });
        if (!state.job) return;
        std::function<void()> job = std::exchange(state.job, nullptr);
        guard.unlock();
        try {
            job();
        } catch (...) {
            // A job reports its own failures; nothing may leave the thread.
        }
        guard.lock();
        state.jobDone = true;
        state.changed.notify_all();
    }
}

}  // namespace pelmora::thumbsrv
