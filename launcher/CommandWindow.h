// The single-instance hand-off: the running launcher owns a hidden window of class "Pelmora2LaunchClass";
// later starts find it and send their command line in WM_SETTEXT. The window thread only queues the text and
// answers with the process id; the delivery thread of the queue hands it to Java once main has been called.
#pragma once

#include "CommandQueue.h"
#include "LauncherError.h"

#include <windows.h>

#include <pelmora/Win32Handles.h>

#include <cstdint>
#include <string>

namespace pelmora {

// What the window thread decided for this start.
enum class StartDecision { handedOver, runHere, failed };

struct CommandWindow {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    ATOM classAtom = 0;

    // The line a start offers to a running instance, set before the window thread starts.
    std::wstring handOffLine;
    // Set by the window thread once it has decided (decision, and failure for the user when it failed), and
    // when it has removed its window.
    KernelHandle decided{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    StartDecision decision = StartDecision::failed;
    LauncherError failure{L""};
    KernelHandle windowRemoved{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    DWORD windowThreadId = 0;

    CommandQueue commands;
};

// The process's record, created with the instance handle on the first call; later calls return it unchanged.
CommandWindow* getCommandWindow(HINSTANCE instance);

// Thread procedure of the window thread (started with _beginthread); returns the last GetMessageW result.
// It holds the election from before the window search until the hand-off was answered or its own window
// exists: the main thread learns the decision as soon as it is made and goes on meanwhile. It removes the
// window when its loop ends (message WM_USER).
int commandWindowThread(CommandWindow* record);
LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Queues one command line for Java and returns this process's id.
DWORD handleCommandText(CommandWindow* record, const std::wstring& text);

// Starts the window thread and waits (bounded) for its decision.
StartDecision decideStart(CommandWindow* record);
// Ends the window thread's loop and waits (bounded) until the window is gone, so that later starts no longer
// find this instance.
void removeCommandWindow(CommandWindow* record);

// Sender side: the running instance's reply (its process id), or 0 when no instance took the text. Throws
// a LauncherError for the user when an instance exists but does not answer within its bound.
std::uint32_t forwardCommandLine(const std::wstring& text, bool bringToFront);

}  // namespace pelmora
