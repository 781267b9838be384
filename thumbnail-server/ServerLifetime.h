// How long the server waits for anything, and when an unused server ends. Pure logic: the clock and the
// settings come from outside.
#pragma once

#include <pelmora/Milliseconds.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace pelmora::thumbsrv {

using Milliseconds = std::chrono::milliseconds;
using SteadyTime = std::chrono::steady_clock::time_point;

struct ServerBounds {
    // After its last call or its last object, an unused server keeps serving this long, then ends. A folder
    // that scrolls into view asks for thumbnails seconds apart; each new server would cost a JVM start.
    Milliseconds idle{10000};
    // Before its first object a server waits at least this long, however short its idle period: the
    // activation that started it reaches it only after the client's system has found its class objects,
    // which takes a second under Wine and longer on a busy machine. A server that ended first would fail
    // that very activation.
    Milliseconds firstObject{5000};
    // A server whose objects all stay unused this long ends as well: the handler holds an object only for one
    // request, so a client that holds one this long without a call has died (the system may never release
    // a dead client's objects).
    Milliseconds unused{60000};
    // A JVM that is not ready this long after the start ends the server: a real JVM starts in one or two
    // seconds, a slow disk may take many more, and the JVM then serves every later request.
    Milliseconds jvmStart{60000};
    // A render that has not returned after this long ends the server (the slowest honest render measured
    // takes about 7 s); every request queued behind it then fails at once.
    Milliseconds render{15000};
};

// The bounds, each overridden by a whole number of milliseconds from lookup (an environment variable of
// the given name in the server); anything else keeps the default.
template <class Lookup>
ServerBounds serverBoundsFrom(Lookup lookup);

// Whether the server should end: no call in progress, and either no object for the idle period or no use of
// the objects it has for the unused period. Used on the server's main thread only.
class IdleWatch {
  public:
    explicit IdleWatch(SteadyTime start) : lastActivity_(start) {}

    void callStarted() { ++callsInProgress_; }
    void callEnded(SteadyTime now) {
        --callsInProgress_;
        lastActivity_ = now;
    }
    void objectCame(SteadyTime now) {
        ++objects_;
        hadObject_ = true;
        lastActivity_ = now;
    }
    void objectWent(SteadyTime now) {
        --objects_;
        lastActivity_ = now;
    }
    bool shouldEnd(const ServerBounds& bounds, SteadyTime now) const {
        if (callsInProgress_ > 0) return false;
        if (objects_ > 0) return now - lastActivity_ >= bounds.unused;
        return now - lastActivity_ >= (hadObject_ ? bounds.idle : std::max(bounds.idle, bounds.firstObject));
    }

  private:
    int callsInProgress_ = 0;
    int objects_ = 0;
    bool hadObject_ = false;
    SteadyTime lastActivity_;
};

template <class Lookup>
ServerBounds serverBoundsFrom(Lookup lookup) {
    ServerBounds bounds;
    const auto apply = [&](const wchar_t* name, Milliseconds& bound) {
        if (auto value = millisecondsFrom(lookup(name))) bound = *value;
    };
    apply(L"PELMORA_THUMBSRV_IDLE_MS", bounds.idle);
    apply(L"PELMORA_THUMBSRV_UNUSED_MS", bounds.unused);
    apply(L"PELMORA_THUMBSRV_JVM_START_MS", bounds.jvmStart);
    apply(L"PELMORA_THUMBSRV_RENDER_MS", bounds.render);
    return bounds;
}

}  // namespace pelmora::thumbsrv
