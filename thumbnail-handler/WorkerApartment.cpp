#include "WorkerApartment.h"

#include <pelmora/Win32Handles.h>

#include <objbase.h>

#include <memory>
#include <utility>

namespace pelmora::thumb {
namespace {

struct WorkerStart {
    std::function<void()> work;
    std::shared_ptr<KernelHandle> done;
};

void runWork(WorkerStart& start) {
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
        start.work();
    } catch (...) {
        // The work reports its own failures; nothing may leave the thread.
    }
    start.work = nullptr;
    SetEvent(start.done->get());
    if (SUCCEEDED(initialized)) CoUninitialize();
}

DWORD WINAPI workerMain(void* parameter) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&workerMain), &self);
    {
        std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
        runWork(*start);
    }
    // The reference taken for this thread when it was made: the DLL may unload only after the thread's last
    // instruction in it.
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

bool waitPumping(HANDLE handle, DWORD boundMs) {
    DWORD index = 0;
    const HRESULT waited = CoWaitForMultipleHandles(0, boundMs, 1, &handle, &index);
    if (waited == CO_E_NOTINITIALIZED) return WaitForSingleObject(handle, boundMs) == WAIT_OBJECT_0;
    return waited == S_OK;
}

bool runInWorkerApartment(std::function<void()> work, DWORD boundMs) {
    auto done = std::make_shared<KernelHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!*done) return false;
    auto start = std::make_unique<WorkerStart>(WorkerStart{std::move(work), done});
    HMODULE reference = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&workerMain),
                            &reference)) {
        return false;
    }
    const KernelHandle thread(CreateThread(nullptr, 0, &workerMain, start.get(), 0, nullptr));
    if (!thread) {
        FreeLibrary(reference);
        return false;
    }
    start.release();
    return waitPumping(done->get(), boundMs);
}

}  // namespace pelmora::thumb
