// Work that may never come back, done without tying up the caller: a thread of its own in the multithreaded
// apartment runs it, and the caller waits at most a bound, pumping COM calls meanwhile.
#pragma once

#include <windows.h>

#include <functional>

namespace pelmora::thumb {

// Runs work on a new thread in the multithreaded apartment; true when it finished within boundMs. Work that
// did not finish goes on alone: it must own everything it uses. The thread keeps this DLL loaded until it
// ends.
bool runInWorkerApartment(std::function<void()> work, DWORD boundMs);

// Waits at most boundMs for the handle, pumping the calls COM delivers to this thread's apartment.
bool waitPumping(HANDLE handle, DWORD boundMs);

}  // namespace pelmora::thumb
