// The running instance's queue of hand-offs: order, exactly once, nothing before delivery starts, nothing
// lost when delivery ends, and a window thread that never waits for Java.
#include "CommandQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <vector>

namespace pelmora {
namespace {

using namespace std::chrono_literals;

TEST(CommandQueue, DeliversEveryTextOnceInArrivalOrderAndOnlyAfterDeliveryStarted) {
    std::mutex lock;
    std::vector<std::wstring> delivered;
    CommandQueue queue;
    queue.push(L"early 1");
    queue.push(L"early 2");
    EXPECT_EQ(queue.queuedCount(), 2u);
    queue.startDelivery([&](const std::wstring& text) {
        std::lock_guard<std::mutex> guard(lock);
        delivered.push_back(text);
    });
    for (int i = 0; i < 100; ++i) queue.push(std::to_wstring(i));
    queue.finish();
    queue.push(L"after the end");

    std::vector<std::wstring> expected{L"early 1", L"early 2"};
    for (int i = 0; i < 100; ++i) expected.push_back(std::to_wstring(i));
    EXPECT_EQ(delivered, expected);
    EXPECT_EQ(queue.queuedCount(), 1u) << "a text after the end is kept, never delivered";
}

TEST(CommandQueue, PushNeverWaitsForADeliveryInProgress) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> entered;
    CommandQueue queue;
    queue.startDelivery([&, first = true](const std::wstring&) mutable {
        if (!first) return;
        first = false;
        entered.set_value();
        released.wait();
    });
    queue.push(L"held by Java");
    entered.get_future().wait();
    auto pushing = std::async(std::launch::async, [&] { queue.push(L"while Java works"); });
    EXPECT_EQ(pushing.wait_for(10s), std::future_status::ready);
    release.set_value();
    queue.finish();
    EXPECT_EQ(queue.queuedCount(), 0u);
}

TEST(CommandQueue, FinishWithoutDeliveryKeepsTheTexts) {
    CommandQueue queue;
    queue.push(L"never delivered");
    queue.finish();
    EXPECT_EQ(queue.queuedCount(), 1u);
}

}  // namespace
}  // namespace pelmora
