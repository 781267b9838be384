#include "ServerModule.h"

#include "JavaHost.h"
#include "ServerClasses.h"
#include "ServerEvents.h"

#include <pelmora/EnvironmentSetting.h>
#include <pelmora/com/ComPtr.h>

namespace pelmora::thumbsrv {
namespace {

// How often the main thread looks whether the server has become idle.
constexpr UINT idleCheckMs = 250;

CPelmoraThumbSrvModule* currentModule = nullptr;

SteadyTime now() {
    return std::chrono::steady_clock::now();
}

}  // namespace

CPelmoraThumbSrvModule::CPelmoraThumbSrvModule()
    : mainThreadId_(GetCurrentThreadId()), bounds_(serverBoundsFrom(environmentText)), idleWatch_(now()) {
    currentModule = this;
}

CPelmoraThumbSrvModule::~CPelmoraThumbSrvModule() {
    currentModule = nullptr;
}

CPelmoraThumbSrvModule& CPelmoraThumbSrvModule::current() {
    return *currentModule;
}

void CPelmoraThumbSrvModule::lock() {
    idleWatch_.objectCame(now());
}

void CPelmoraThumbSrvModule::unlock() {
    idleWatch_.objectWent(now());
}

void CPelmoraThumbSrvModule::requestStarted() {
    idleWatch_.callStarted();
}

void CPelmoraThumbSrvModule::requestEnded() {
    idleWatch_.callEnded(now());
}

void CPelmoraThumbSrvModule::endStuckServer(const std::wstring& what, const std::wstring& record) {
    reportError(what, record);
    if (GetCurrentThreadId() == mainThreadId_) revokeClassObjects();
    ExitProcess(1);
}

HRESULT CPelmoraThumbSrvModule::preMessageLoop() {
    if (!startJvmThread()) {
        reportError(L"Java not found", L"PreMessageLoop");
        return S_FALSE;
    }
    const HRESULT registered = registerClassObjects();
    if (FAILED(registered)) return registered;
    const HRESULT resumed = CoResumeClassObjects();
    if (FAILED(resumed)) {
        revokeClassObjects();
        return resumed;
    }
    return S_OK;
}

void CPelmoraThumbSrvModule::runMessageLoop() {
    // A server that nobody uses ends, whatever happened before: it never got an object, its last one went,
    // or its client died without releasing one.
    const UINT_PTR timer = SetTimer(nullptr, 0, idleCheckMs, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) {
            if (idleWatch_.shouldEnd(bounds_, now())) break;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // New activations must go to a new server from now on.
    revokeClassObjects();
    KillTimer(nullptr, timer);
}

void CPelmoraThumbSrvModule::postMessageLoop() {
    revokeClassObjects();
    Sleep(pauseMs);
}

HRESULT CPelmoraThumbSrvModule::registerClassObjects() {
    const auto& classes = serverClasses();
    for (std::size_t index = 0; index < classes.size(); ++index) {
        com::ComPtr<IUnknown> classObject = com::ComPtr<IUnknown>::adopt(
            com::ClassFactory::make(classes[index].description, *this, com::ClassObjectLocking::never));
        if (!classObject) {
            revokeClassObjects();
            return E_OUTOFMEMORY;
        }
        DWORD& cookie = cookies_[index];
        const HRESULT result =
            CoRegisterClassObject(classes[index].clsid, classObject.get(), CLSCTX_LOCAL_SERVER,
                                  REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie);
        if (FAILED(result)) {
            cookie = 0;
            revokeClassObjects();
            return result;
        }
    }
    return S_OK;
}

void CPelmoraThumbSrvModule::revokeClassObjects() {
    for (DWORD& cookie : cookies_) {
        if (cookie != 0) CoRevokeClassObject(std::exchange(cookie, 0));
    }
}

}  // namespace pelmora::thumbsrv
