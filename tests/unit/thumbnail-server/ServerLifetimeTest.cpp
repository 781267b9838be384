// The server's bounds and its rule for ending when unused, and the worker that runs Java within a bound.
#include "BoundedWorker.h"
#include "ServerLifetime.h"

#include <gtest/gtest.h>

#include <future>
#include <map>

namespace pelmora::thumbsrv {
namespace {

using namespace std::chrono_literals;

TEST(ServerBounds, EachBoundTakesOnlyAWholeNumberOfMillisecondsUpToADay) {
    const std::map<std::wstring, std::wstring> environment = {{L"PELMORA_THUMBSRV_IDLE_MS", L"1500"},
                                                              {L"PELMORA_THUMBSRV_UNUSED_MS", L"-5"},
                                                              {L"PELMORA_THUMBSRV_JVM_START_MS", L"2s"},
                                                              {L"PELMORA_THUMBSRV_RENDER_MS", L"86400001"}};
    const ServerBounds bounds = serverBoundsFrom([&](const wchar_t* name) {
        const auto found = environment.find(name);
        return found == environment.end() ? std::wstring() : found->second;
    });
    const ServerBounds defaults;
    EXPECT_EQ(bounds.idle, 1500ms);
    EXPECT_EQ(bounds.unused, defaults.unused);
    EXPECT_EQ(bounds.jvmStart, defaults.jvmStart);
    EXPECT_EQ(bounds.render, defaults.render);
    EXPECT_EQ(millisecondsFrom(L"0"), 0ms);
    EXPECT_EQ(millisecondsFrom(L"86400000"), 86400000ms);
    EXPECT_EQ(millisecondsFrom(L""), std::nullopt);
    EXPECT_EQ(millisecondsFrom(L"99999999999999999999"), std::nullopt);
}

TEST(IdleWatch, AServerEndsAfterItsIdlePeriodWithoutObjectsOrTheUnusedPeriodWithObjects) {
    ServerBounds bounds;
    bounds.idle = 10s;
    bounds.unused = 60s;
    const SteadyTime start{};
    IdleWatch watch(start);
    EXPECT_FALSE(watch.shouldEnd(bounds, start + 9s));
    EXPECT_TRUE(watch.shouldEnd(bounds, start + 10s)) << "never used since its start";

    watch.objectCame(start + 5s);
    watch.callStarted();
    EXPECT_FALSE(watch.shouldEnd(bounds, start + 600s)) << "a call in progress is use, however long";
    watch.callEnded(start + 20s);
    EXPECT_FALSE(watch.shouldEnd(bounds, start + 79s));
    EXPECT_TRUE(watch.shouldEnd(bounds, start + 80s)) << "an object nobody calls: its client died";

    watch.objectWent(start + 30s);
    EXPECT_FALSE(watch.shouldEnd(bounds, start + 39s)) << "warm for the next request";
    EXPECT_TRUE(watch.shouldEnd(bounds, start + 40s));
}

TEST(IdleWatch, BeforeItsFirstObjectAServerWaitsLongEnoughForTheActivationThatStartedIt) {
    ServerBounds bounds;
    bounds.idle = 1s;
    bounds.firstObject = 5s;
    const SteadyTime start{};
    IdleWatch watch(start);
    EXPECT_FALSE(watch.shouldEnd(bounds, start + 4s)) << "an idle period shorter than an activation";
    EXPECT_TRUE(watch.shouldEnd(bounds, start + 5s));
    watch.objectCame(start + 2s);
    watch.objectWent(start + 3s);
    EXPECT_TRUE(watch.shouldEnd(bounds, start + 4s)) << "once served, the idle period alone counts";
}

TEST(BoundedWorker, RunsJobsOnItsThreadAndGivesUpOnOneThatDoesNotFinish) {
    BoundedWorker worker;
    std::thread::id ranOn;
    EXPECT_TRUE(worker.run([&] { ranOn = std::this_thread::get_id(); }, 10s));
    EXPECT_NE(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(worker.run([] { throw 1; }, 10s)) << "a throwing job ends, the worker goes on";

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    EXPECT_FALSE(worker.run([released] { released.wait(); }, 50ms));
    EXPECT_FALSE(worker.run([] {}, 10s)) << "a worker with a stuck job takes no other";
    release.set_value();
}

}  // namespace
}  // namespace pelmora::thumbsrv
