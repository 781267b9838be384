#include "RequestWorker.h"

#include "WorkerApartment.h"

#include <pelmora/EnvironmentSetting.h>
#include <pelmora/Win32Handles.h>

#include <objbase.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <utility>

namespace pelmora::thumb {
namespace {

// Thumbnails of one folder arrive a fraction of a second apart; the server stays 10 s after its last use.
// PELMORA_THUMB_KEEP_MS in the environment replaces it.
std::chrono::milliseconds idlePeriod() {
    return environmentMilliseconds(L"PELMORA_THUMB_KEEP_MS", std::chrono::milliseconds(4000));
}

// A request that has run this long may be stuck: later ones go to threads of their own instead of queueing.
constexpr std::chrono::seconds stuckAfter{2};

struct QueuedRequest {
    CachedRequest run;
    std::shared_ptr<KernelHandle> done;
    // Set when the caller gave up waiting: the request is not run any more.
    std::shared_ptr<std::atomic<bool>> abandoned;
};

struct RequestThreadState {
    std::mutex lock;
    std::condition_variable changed;
    bool running = false;
    bool busy = false;
    std::chrono::steady_clock::time_point busySince;
    std::deque<QueuedRequest> queue;
};

RequestThreadState& state() {
    static RequestThreadState* shared = new RequestThreadState();  // outlives every request thread
    return *shared;
}

void serveRequests() {
    RequestThreadState& shared = state();
    const std::chrono::milliseconds keep = idlePeriod();
    CachedServerObjects objects;
    std::unique_lock<std::mutex> guard(shared.lock);
    for (;;) {
        if (!shared.changed.wait_for(guard, keep, [&] { return !shared.queue.empty(); })) break;
        QueuedRequest request = std::move(shared.queue.front());
        shared.queue.pop_front();
        shared.busy = true;
        shared.busySince = std::chrono::steady_clock::now();
        guard.unlock();
        try {
            if (!*request.abandoned) request.run(objects);
        } catch (...) {
            // The request reports its own failures; nothing may leave the thread.
        }
        SetEvent(request.done->get());
        request.run = nullptr;
        guard.lock();
        shared.busy = false;
    }
    shared.running = false;
}

DWORD WINAPI requestThreadMain(void*) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&requestThreadMain), &self);
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    serveRequests();
    if (SUCCEEDED(initialized)) CoUninitialize();
    // The reference taken for this thread when it was made: the DLL may unload only after its last
    // instruction.
    FreeLibraryAndExitThread(self, 0);
}

// Starts the thread with a reference on this DLL for it; under the state's lock.
bool startRequestThread() {
    HMODULE reference = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&requestThreadMain), &reference)) {
        return false;
    }
    const KernelHandle thread(CreateThread(nullptr, 0, &requestThreadMain, nullptr, 0, nullptr));
    if (!thread) FreeLibrary(reference);
    return static_cast<bool>(thread);
}

}  // namespace

bool runOnRequestThread(CachedRequest request, DWORD boundMs, bool& finished) {
    RequestThreadState& shared = state();
    auto done = std::make_shared<KernelHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!*done) return false;
    auto abandoned = std::make_shared<std::atomic<bool>>(false);
    {
        std::lock_guard<std::mutex> guard(shared.lock);
        if (shared.busy && std::chrono::steady_clock::now() - shared.busySince > stuckAfter) return false;
        if (!shared.running && !startRequestThread()) return false;
        shared.running = true;
        shared.queue.push_back({std::move(request), done, abandoned});
    }
    shared.changed.notify_all();
    finished = waitPumping(done->get(), boundMs);
    if (!finished) *abandoned = true;
    return true;
}

}  // namespace pelmora::thumb
