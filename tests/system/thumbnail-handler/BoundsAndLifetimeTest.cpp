// Thumbnails that never stall Explorer: stuck renders and JVMs that never come end within their bounds,
// servers end once unused whatever happened, and a folder's requests one after the other share one warm
// server.
#include "BitmapPixels.h"
#include "ChildProcess.h"
#include "EventLogLines.h"
#include "ModulePaths.h"
#include "ProcessList.h"
#include "ScopedEnvironmentVariable.h"
#include "TestPicture.h"
#include "ThroughServerFixture.h"
#include "ThumbnailRequests.h"
#include "Utf8Text.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <optional>
#include <vector>

namespace pelmora::test {
namespace {

using Clock = std::chrono::steady_clock;

struct Answer {
    HRESULT result = E_UNEXPECTED;
    std::optional<BitmapPixels> pixels;
    Clock::duration took{};
};

enum class Protocol { stream, path };

// One request as Explorer makes it, on a thread of its own with its own apartment.
std::future<Answer> ask(Protocol protocol, const std::wstring& path, int size) {
    return std::async(std::launch::async, [=] {
        Answer answer;
        CoInitialize(nullptr);
        {
            const auto started = Clock::now();
            GdiBitmap bitmap;
            answer.result = protocol == Protocol::stream
                                ? streamThumbnail(path, static_cast<UINT>(size), bitmap)
                                : pathThumbnail(createExtractor().get(), path, {size, size}, 0, bitmap);
            answer.took = Clock::now() - started;
            if (bitmap) answer.pixels = readBitmapPixels(bitmap.get());
        }
        CoUninitialize();
        return answer;
    });
}

bool serversEndWithin(DWORD milliseconds) {
    return waitUntilNoProcessNamed(serverExecutable, milliseconds);
}

class BoundsAndLifetimeTest : public ThroughServerTest {
  protected:
    // A named event nobody ever sets: the test runtime waits on it for good.
    const std::wstring never = L"PelmoraNeverSet" + std::to_wstring(GetCurrentProcessId());
    const KernelHandle neverSet{CreateEventW(nullptr, TRUE, FALSE, never.c_str())};
};

TEST_F(BoundsAndLifetimeTest, AStuckRenderFreesExplorersThreadsInTimeAndTheServerEndsItself) {
    const ScopedEnvironmentVariable requestBound(L"PELMORA_THUMB_REQUEST_MS", L"3000");
    const ScopedEnvironmentVariable renderBound(L"PELMORA_THUMBSRV_RENDER_MS", L"8000");
    server().setScript(L"render=image:32x32x24;render-wait=" + never);
    const DebugOutputWatch watch;
    auto first = ask(Protocol::stream, gamePath, 64);
    Sleep(500);
    // A second request while the first is stuck: it waits behind it in the server, and gives up as well.
    auto second = ask(Protocol::path, gamePath, 64);
    for (auto* request : {&first, &second}) {
        const Answer answer = request->get();
        EXPECT_EQ(answer.result, E_FAIL);
        EXPECT_LT(answer.took, std::chrono::seconds(15)) << "bound 3 s";
    }
    // The server gives up on its render after 8 s and ends, leaving nothing registered behind.
    ASSERT_TRUE(serversEndWithin(30000));
    const auto events = watch.events();
    const auto count = [&](const ErrorEvent& event) {
        return std::count(events.begin(), events.end(), event);
    };
    EXPECT_EQ(count({"Pelmora thumbnail not ready in time", toUtf8(gamePath)}), 2);
    // Whichever request reached the renderer first is named; the other one waited behind it.
    EXPECT_EQ(count({"Thumbnail generation did not end in time", toUtf8(gamePath)}) +
                  count({"Thumbnail generation did not end in time",
                         "content of " + std::to_string(std::strlen(gameRecord)) + " bytes"}),
              1);
    server().setScript(L"render=image:32x32x24");
    const Answer after = ask(Protocol::stream, gamePath, 64).get();
    EXPECT_EQ(after.result, S_OK);
}

TEST_F(BoundsAndLifetimeTest, AJvmThatNeverBecomesReadyEndsTheRequestAndTheServer) {
    const ScopedEnvironmentVariable startBound(L"PELMORA_THUMBSRV_JVM_START_MS", L"2000");
    server().setScript(L"create-wait=" + never);
    const DebugOutputWatch watch;
    const Answer answer = ask(Protocol::path, gamePath, 64).get();
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_LT(answer.took, std::chrono::seconds(15)) << "bound 2 s";
    ASSERT_TRUE(serversEndWithin(15000));
    const auto events = watch.events();
    EXPECT_NE(
        std::find(events.begin(), events.end(), ErrorEvent{"Java VM not ready in time", toUtf8(gamePath)}),
        events.end());
}

TEST_F(BoundsAndLifetimeTest, TwentyConcurrentColdRequestsGetTheirPicturesAndLeaveNoServer) {
    server().setScript(L"render=image:48x32x24");
    std::vector<std::future<Answer>> requests;
    for (int i = 0; i < 20; ++i)
        requests.push_back(ask(i % 2 ? Protocol::path : Protocol::stream, gamePath, 64));
    for (auto& request : requests) {
        const Answer answer = request.get();
        EXPECT_EQ(answer.result, S_OK);
        if (answer.pixels) {
            EXPECT_EQ(answer.pixels->width, 48);
        }
    }
    // Servers that started and never got an object end too, 5 s after their start.
    EXPECT_TRUE(serversEndWithin(15000));
}

TEST_F(BoundsAndLifetimeTest, RequestsOneAfterAnotherShareOneWarmServerThatEndsWhenUnused) {
    server().setIdleMs(3000);
    server().setScript(L"render=image:48x32x24");
    for (int i = 0; i < 20; ++i) {
        const Answer answer = ask(i % 2 ? Protocol::path : Protocol::stream, gamePath, 64).get();
        EXPECT_EQ(answer.result, S_OK) << i;
    }
    EXPECT_EQ(server().logLinesStartingWith("create version=").size(), 1u) << "one server, one JVM";
    EXPECT_TRUE(serversEndWithin(15000));
    server().setIdleMs(1000);
}

TEST_F(BoundsAndLifetimeTest, TheStreamProvidersServerGetsTheRecordsFirst20000BytesExactly) {
    server().setScript(L"render=null");
    // Wine widens a BSTR of an odd byte count to an even one on its way: the short record has an even size.
    for (const std::size_t size : {std::size_t{25000}, std::size_t{1000}}) {
        server().clearLog();
        const std::string content = countingBytes(size);
        const std::wstring path = server().folder().createFile(L"counting.sgf", content);
        EXPECT_EQ(ask(Protocol::stream, path, 64).get().result, E_FAIL) << "the runtime draws nothing here";
        const std::size_t sent = std::min<std::size_t>(size, 20000);
        const auto calls = server().logLinesStartingWith("render variant=bytes");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(
            calls[0].rfind("render variant=bytes count=" + std::to_string(sent) + " checksum=" +
                               testChecksumText(reinterpret_cast<const std::uint8_t*>(content.data()), sent),
                           0),
            0u)
            << calls[0];
    }
}

TEST_F(BoundsAndLifetimeTest, AServerWhoseClientWasKilledMidRequestEndsWhenUnused) {
    const ScopedEnvironmentVariable unusedBound(L"PELMORA_THUMBSRV_UNUSED_MS", L"2000");
    const std::wstring holdName = L"PelmoraHoldForKill" + std::to_wstring(GetCurrentProcessId());
    const KernelHandle hold(CreateEventW(nullptr, TRUE, FALSE, holdName.c_str()));
    server().setScript(L"render=image:32x32x24;render-wait=" + holdName);
    auto explorer = ChildProcess::start(binaryFolder() + L"\\explorer-thumbnail.exe",
                                        L"path 64 \"" + gamePath + L"\"", L"", {}, Capture::output);
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (server().logLinesStartingWith("render waiting").empty() && GetTickCount64() < deadline) Sleep(50);
    ASSERT_FALSE(server().logLinesStartingWith("render waiting").empty());
    explorer.kill();
    SetEvent(hold.get());
    // The dead client never releases its object; unused for 2 s, the server ends all the same.
    EXPECT_TRUE(serversEndWithin(15000));
}

}  // namespace
}  // namespace pelmora::test
