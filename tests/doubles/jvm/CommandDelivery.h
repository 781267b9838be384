// The arguments every call of the application's "commands" delivered, for a "main" that waits for one.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace testjvm {

class CommandDelivery {
  public:
    void deliver(const std::vector<std::u16string>& words);
    // True once some delivery held the word (earlier deliveries count); false when the time ran out.
    bool waitFor(const std::u16string& word, std::chrono::milliseconds timeout);

  private:
    std::mutex lock_;
    std::condition_variable delivered_;
    std::vector<std::u16string> words_;
};

}  // namespace testjvm
