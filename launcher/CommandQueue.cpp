#include "CommandQueue.h"

#include <utility>

namespace pelmora {

CommandQueue::~CommandQueue() {
    finish();
}

void CommandQueue::push(std::wstring text) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        texts_.push_back(std::move(text));
    }
    changed_.notify_one();
}

void CommandQueue::startDelivery(Delivery deliver) {
    std::lock_guard<std::mutex> guard(lock_);
    if (delivering_ || finishing_) return;
    deliver_ = std::move(deliver);
    delivering_ = true;
    deliveryThread_ = std::thread([this] { deliverAll(); });
}

void CommandQueue::finish() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        finishing_ = true;
    }
    changed_.notify_one();
    if (deliveryThread_.joinable()) deliveryThread_.join();
}

std::size_t CommandQueue::queuedCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return texts_.size();
}

void CommandQueue::deliverAll() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        changed_.wait(guard, [this] { return !texts_.empty() || finishing_; });
        if (texts_.empty()) return;
        const std::wstring text = std::move(texts_.front());
        texts_.pop_front();
        // The window thread keeps queueing while Java works on this text.
        guard.unlock();
        deliver_(text);
        guard.lock();
    }
}

}  // namespace pelmora
