// PelmoraThumbSrv64.exe: registers itself on request, otherwise serves thumbnails as a COM local server
// until its last object is released. The exit code is the HRESULT of the run.
#include "RegistrationSwitch.h"
#include "ServerModule.h"
#include "ServerRegistration.h"

#include <windows.h>

namespace {

// The one module of the process, made before the entry point runs, on the thread that will run it.
pelmora::thumbsrv::CPelmoraThumbSrvModule serverModule;

HRESULT runRegistrationSwitch(pelmora::thumbsrv::RegistrationSwitch found) {
    using pelmora::com::RegistrationScope;
    using pelmora::thumbsrv::RegistrationSwitch;
    switch (found) {
        case RegistrationSwitch::regServer:
            return pelmora::thumbsrv::registerServer(RegistrationScope::machine);
        case RegistrationSwitch::unregServer:
            return pelmora::thumbsrv::unregisterServer(RegistrationScope::machine);
        case RegistrationSwitch::regServerPerUser:
            return pelmora::thumbsrv::registerServer(RegistrationScope::user);
        case RegistrationSwitch::unregServerPerUser:
            return pelmora::thumbsrv::unregisterServer(RegistrationScope::user);
        case RegistrationSwitch::none:
            break;
    }
    return S_OK;
}

HRESULT runServer() {
    HRESULT result = serverModule.preMessageLoop();
    if (result == S_OK) serverModule.runMessageLoop();
    if (SUCCEEDED(result)) serverModule.postMessageLoop();
    // Java that could not be found is reported, not an error of the server.
    return SUCCEEDED(result) ? S_OK : result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const HRESULT initialized = CoInitialize(nullptr);
    // Inside a process whose runtime already chose another apartment the server can still run.
    if (FAILED(initialized) && !(initialized == RPC_E_CHANGED_MODE && GetModuleHandleW(L"Mscoree.dll"))) {
        return static_cast<int>(initialized);
    }
    const auto found = pelmora::thumbsrv::findRegistrationSwitch(GetCommandLineW());
    const HRESULT result =
        found != pelmora::thumbsrv::RegistrationSwitch::none ? runRegistrationSwitch(found) : runServer();
    if (SUCCEEDED(initialized)) CoUninitialize();
    return static_cast<int>(result);
}
