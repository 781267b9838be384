// The server process around its two classes: class objects, the bounds of every wait, and the end of a
// server that is no longer used or whose request got stuck.
#pragma once

#include "ServerLifetime.h"

#include <pelmora/com/ModuleLock.h>

#include <windows.h>

#include <array>
#include <string>

namespace pelmora::thumbsrv {

class CPelmoraThumbSrvModule final : public com::ModuleLock {
  public:
    // Pause between the end of the message loop and the end of the process.
    static constexpr DWORD pauseMs = 1000;

    // The one module of the process, made before the entry point runs, on the thread that will run it.
    CPelmoraThumbSrvModule();
    CPelmoraThumbSrvModule(const CPelmoraThumbSrvModule&) = delete;
    CPelmoraThumbSrvModule& operator=(const CPelmoraThumbSrvModule&) = delete;
    ~CPelmoraThumbSrvModule();
    static CPelmoraThumbSrvModule& current();

    // Objects and LockServer. The server does not end when the last one goes, but after the idle period that
    // follows; objects that nobody calls end it after the longer unused period.
    void lock() override;
    void unlock() override;

    // Around every request, on the main thread: a server with a request in progress is in use.
    void requestStarted();
    void requestEnded();
    const ServerBounds& bounds() const { return bounds_; }
    // A wait of a request exceeded its bound: reports what and for which record, withdraws the class objects
    // and ends the process with exit code 1, so that the requests queued behind it fail at once and the next
    // one starts a fresh server. Main thread only.
    [[noreturn]] void endStuckServer(const std::wstring& what, const std::wstring& record);

    // Starts the JVM thread and registers the class objects. S_OK to run the message loop, S_FALSE when Java
    // could not be started, a failure otherwise.
    HRESULT preMessageLoop();
    // Runs until the server is no longer used (IdleWatch).
    void runMessageLoop();
    // Revokes the class objects and pauses.
    void postMessageLoop();

  private:
    HRESULT registerClassObjects();
    void revokeClassObjects();

    const DWORD mainThreadId_;
    const ServerBounds bounds_;
    IdleWatch idleWatch_;
    // One per class of serverClasses(), 0 while its class object is not registered.
    std::array<DWORD, 2> cookies_{};
};

}  // namespace pelmora::thumbsrv
