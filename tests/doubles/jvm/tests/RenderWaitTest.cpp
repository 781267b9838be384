// "render-wait=NAME": a call of the renderer stays in flight until the named event is set, so that a test can
// act while the thumbnail server is inside it.
#include "RendererFixture.h"
#include "TestPicture.h"

#include <pelmora/Win32Handles.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace testjvm_test {
namespace {

using namespace std::chrono_literals;

// A name no other test run uses.
std::wstring uniqueEventName() {
    static std::atomic<int> counter{0};
    return L"PelmoraTestJvmRenderWait-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
}

// True until the condition holds or 30 s have passed.
template <class Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A request made on a daemon thread of its own. However the test ends, the end of the scope sets the event
// and waits for the call, so that no thread is left inside the runtime when it is unloaded.
class RequestInFlight {
  public:
    RequestInFlight(JavaVM* vm, RenderRequest request, std::wstring eventName)
        : eventName_(std::move(eventName)), thread_([this, vm, request] {
              reply_ = renderOnDaemonThread(vm, request);
              finished_ = true;
          }) {}
    RequestInFlight(const RequestInFlight&) = delete;
    RequestInFlight& operator=(const RequestInFlight&) = delete;
    ~RequestInFlight() {
        if (!thread_.joinable()) return;
        // Created here if the runtime has not opened it yet, so that the call finds it set.
        const pelmora::KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, eventName_.c_str()));
        SetEvent(event.get());
        thread_.join();
    }

    bool finished() const { return finished_; }
    // The reply once the call has ended by itself; false after 30 s.
    bool waitForReply(RenderReply& reply) {
        if (!eventually([this] { return finished(); })) return false;
        thread_.join();
        reply = reply_;
        return true;
    }

  private:
    std::wstring eventName_;
    RenderReply reply_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

class RenderWaitTest : public RendererTest {
  protected:
    std::size_t countLines(const std::string& prefix) const {
        return linesStartingWith(logLines(), prefix).size();
    }
};

TEST_F(RenderWaitTest, CallStaysInFlightUntilTheEventIsSet) {
    const std::wstring eventName = uniqueEventName();
    useScript(L"render=image:4x3x32;render-wait=" + eventName);
    createAsTheServerDoes();
    RequestInFlight request(vm_, pathRequest(L"C:\\held.sgf"), eventName);

    ASSERT_TRUE(eventually([&] { return countLines("render waiting") == 1; }));
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(request.finished());
    EXPECT_EQ(countLines("render result="), 0u);

    // The runtime created the event: the test opens and sets it.
    const pelmora::KernelHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str()));
    ASSERT_TRUE(event);
    ASSERT_TRUE(SetEvent(event.get()));
    RenderReply reply;
    ASSERT_TRUE(request.waitForReply(reply));
    ASSERT_TRUE(reply.called);
    EXPECT_EQ(reply.bytes, pelmora::test::testPictureBuffer(4, 3, 32));

    const std::string& t = reply.thread;
    const std::vector<std::string> lines = linesOfThread(t);
    const int variant =
        indexOfLine(lines, "render variant=path text=C:\\held.sgf x=256 y=192 first=1 thread=" + t);
    ASSERT_GE(variant, 0);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + variant + 1, lines.end()),
              (std::vector<std::string>{"render waiting", "render result=image bytes=88",
                                        "return method=create", "detach thread=" + t}));
}

TEST_F(RenderWaitTest, EventTheTestCreatedIsUsedAndEachSignalReleasesOneCall) {
    const std::wstring eventName = uniqueEventName();
    // Auto-reset: each signal lets one waiting call through.
    const pelmora::KernelHandle event(CreateEventW(nullptr, FALSE, FALSE, eventName.c_str()));
    ASSERT_TRUE(event);
    useScript(L"render=throw;render-wait=" + eventName);
    createAsTheServerDoes();

    // Set before the call: the call does not block.
    ASSERT_TRUE(SetEvent(event.get()));
    const RenderReply first = renderOnDaemonThread(vm_, bytesRequest({1, 2}));
    ASSERT_TRUE(first.called);
    EXPECT_TRUE(first.threw);

    // The signal is used up: the next call waits for another.
    RequestInFlight second(vm_, bytesRequest({3}), eventName);
    ASSERT_TRUE(eventually([&] { return countLines("render waiting") == 2; }));
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(second.finished());
    ASSERT_TRUE(SetEvent(event.get()));
    RenderReply reply;
    ASSERT_TRUE(second.waitForReply(reply));
    EXPECT_TRUE(reply.threw);

    const std::vector<std::string> renderLines = linesStartingWith(logLines(), "render ");
    ASSERT_EQ(renderLines.size(), 6u);
    EXPECT_EQ(renderLines[1], "render waiting");
    EXPECT_EQ(renderLines[2], "render result=throw");
    EXPECT_EQ(renderLines[3].rfind("render variant=bytes count=1 ", 0), 0u);
    EXPECT_EQ(renderLines[4], "render waiting");
    EXPECT_EQ(renderLines[5], "render result=throw");
}

}  // namespace
}  // namespace testjvm_test
