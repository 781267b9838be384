// The running instance's hand-offs on their way to Java: the window thread queues each command line and
// answers at once; one delivery thread hands the texts on, one at a time, in arrival order, each exactly
// once.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace pelmora {

class CommandQueue {
  public:
    using Delivery = std::function<void(const std::wstring& text)>;

    CommandQueue() = default;
    CommandQueue(const CommandQueue&) = delete;
    CommandQueue& operator=(const CommandQueue&) = delete;
    // Ends delivery as finish() does.
    ~CommandQueue();

    // Keeps one text; never waits for a delivery. Texts that arrive before startDelivery wait in the queue.
    void push(std::wstring text);
    // Starts the delivery thread, which hands every queued and later text to deliver. Called once.
    void startDelivery(Delivery deliver);
    // Hands over what is still queued, then ends the delivery thread and waits for it. Texts pushed later are
    // kept but never delivered.
    void finish();

    std::size_t queuedCount() const;

  private:
    void deliverAll();

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::wstring> texts_;
    Delivery deliver_;
    bool delivering_ = false;
    bool finishing_ = false;
    std::thread deliveryThread_;
};

}  // namespace pelmora
