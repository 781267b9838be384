// The server process around its two classes: class objects, the server-process count and the shutdown that
// follows when the count returns to 0.
#pragma once

#include <pelmora/Win32Handles.h>
#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/ModuleLock.h>

#include <windows.h>

#include <vector>

namespace pelmora::thumbsrv {

class CPelmoraThumbSrvModule final : public com::ModuleLock {
  public:
    // Pause between the end of the message loop and the end of the process.
    static constexpr DWORD pauseMs = 1000;
    static constexpr DWORD timeoutMs = 5000;

    CPelmoraThumbSrvModule();
    CPelmoraThumbSrvModule(const CPelmoraThumbSrvModule&) = delete;
    CPelmoraThumbSrvModule& operator=(const CPelmoraThumbSrvModule&) = delete;
    ~CPelmoraThumbSrvModule();

    // Lock: CoAddRefServerProcess. Unlock: CoReleaseServerProcess; at 0 the class objects are revoked at
    // once (on the main thread) and the monitor thread is told to end the message loop.
    void lock() override;
    void unlock() override;

    // Starts the JVM thread, registers the class objects and starts the monitor. S_OK to run the message
    // loop, S_FALSE when Java could not be started, a failure otherwise.
    HRESULT preMessageLoop();
    void runMessageLoop();
    // Revokes the class objects and pauses.
    void postMessageLoop();

  private:
    struct RegisteredClass {
        const CLSID* clsid;
        com::ClassDescription description;
        DWORD cookie = 0;
    };

    HRESULT registerClassObjects();
    void revokeClassObjects();
    static DWORD WINAPI monitorShutdown(void* module);

    const DWORD mainThreadId_;
    std::vector<RegisteredClass> classes_;
    KernelHandle shutdownEvent_;
    KernelHandle monitorThread_;
};

}  // namespace pelmora::thumbsrv
