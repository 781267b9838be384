#include "CommandDelivery.h"

#include <algorithm>

namespace testjvm {

void CommandDelivery::deliver(const std::vector<std::u16string>& words) {
    {
        const std::lock_guard<std::mutex> guard(lock_);
        words_.insert(words_.end(), words.begin(), words.end());
    }
    delivered_.notify_all();
}

bool CommandDelivery::waitFor(const std::u16string& word, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> guard(lock_);
    return delivered_.wait_for(guard, timeout,
                               [&] { return std::find(words_.begin(), words_.end(), word) != words_.end(); });
}

}  // namespace testjvm
