// The handler's long-lived request thread: in the multithreaded apartment, it keeps one server object of each
// class for the requests that follow each other, so that a folder's thumbnails cost one activation instead of
// one each. It lets go of its objects and ends after a few idle seconds, well inside the server's own idle
// period, so it never keeps a server alive longer than the server's rule would.
#pragma once

#include "PelmoraThumbSrv.h"

#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <functional>

namespace pelmora::thumb {

// The server objects a request may use again; a request that finds one broken lets go of it.
struct CachedServerObjects {
    com::ComPtr<IThumbExtractor> path;
    com::ComPtr<IExtThumbExtractor> content;
};

using CachedRequest = std::function<void(CachedServerObjects&)>;

// Queues request for the request thread and waits for it at most boundMs, pumping COM calls meanwhile;
// finished tells whether it came back in time. Requests of several Explorer threads take their turns, as the
// server would serve them one after the other anyway. False, with the request not run, when the thread has
// been busy with one request for seconds (it may be stuck): the caller then runs it on a thread of its own.
bool runOnRequestThread(CachedRequest request, DWORD boundMs, bool& finished);

}  // namespace pelmora::thumb
