#include "ServerModule.h"

#include "ExtThumbExtractor.h"
#include "JavaHost.h"
#include "ServerEvents.h"
#include "ThumbExtractor.h"

#include <pelmora/com/ComObject.h>
#include <pelmora/com/ComPtr.h>

namespace pelmora::thumbsrv {

CPelmoraThumbSrvModule::CPelmoraThumbSrvModule()
    : mainThreadId_(GetCurrentThreadId()),
      // The order in which the class objects are registered.
      classes_{
          {&CLSID_ExtThumbExtractor, {&com::createObject<CExtThumbExtractor>, com::Aggregation::allowed}},
          {&CLSID_ThumbExtractor, {&com::createObject<CThumbExtractor>, com::Aggregation::allowed}},
      } {}

CPelmoraThumbSrvModule::~CPelmoraThumbSrvModule() = default;

void CPelmoraThumbSrvModule::lock() {
    CoAddRefServerProcess();
}

void CPelmoraThumbSrvModule::unlock() {
    if (CoReleaseServerProcess() != 0) return;
    // COM should stop handing out activations now; revoking at once makes sure no new one reaches a process
    // that is about to end.
    if (GetCurrentThreadId() == mainThreadId_) revokeClassObjects();
    if (shutdownEvent_) SetEvent(shutdownEvent_.get());
}

HRESULT CPelmoraThumbSrvModule::preMessageLoop() {
    if (!startJvmThread()) {
        reportError(L"Java not found", L"PreMessageLoop");
        return S_FALSE;
    }
    const HRESULT registered = registerClassObjects();
    if (FAILED(registered)) return registered;

    shutdownEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (shutdownEvent_) monitorThread_.reset(CreateThread(nullptr, 0, &monitorShutdown, this, 0, nullptr));
    if (!shutdownEvent_ || !monitorThread_) {
        revokeClassObjects();
        return E_FAIL;
    }
    const HRESULT resumed = CoResumeClassObjects();
    if (FAILED(resumed)) {
        SetEvent(shutdownEvent_.get());
        WaitForSingleObject(monitorThread_.get(), 2 * timeoutMs);
        revokeClassObjects();
        return resumed;
    }
    return S_OK;
}

void CPelmoraThumbSrvModule::runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void CPelmoraThumbSrvModule::postMessageLoop() {
    revokeClassObjects();
    Sleep(pauseMs);
}

HRESULT CPelmoraThumbSrvModule::registerClassObjects() {
    for (RegisteredClass& entry : classes_) {
        com::ComPtr<IUnknown> classObject = com::ComPtr<IUnknown>::adopt(
            com::ClassFactory::make(entry.description, *this, com::ClassObjectLocking::never));
        if (!classObject) {
            revokeClassObjects();
            return E_OUTOFMEMORY;
        }
        const HRESULT result = CoRegisterClassObject(*entry.clsid, classObject.get(), CLSCTX_LOCAL_SERVER,
                                                     REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &entry.cookie);
        if (FAILED(result)) {
            entry.cookie = 0;
            revokeClassObjects();
            return result;
        }
    }
    return S_OK;
}

void CPelmoraThumbSrvModule::revokeClassObjects() {
    for (RegisteredClass& entry : classes_) {
        if (entry.cookie != 0) CoRevokeClassObject(std::exchange(entry.cookie, 0));
    }
}

DWORD WINAPI CPelmoraThumbSrvModule::monitorShutdown(void* parameter) {
    auto* module = static_cast<CPelmoraThumbSrvModule*>(parameter);
    WaitForSingleObject(module->shutdownEvent_.get(), INFINITE);
    PostThreadMessageW(module->mainThreadId_, WM_QUIT, 0, 0);
    return 0;
}

}  // namespace pelmora::thumbsrv
