// The single-instance hand-off: the running launcher owns a hidden window of class "Pelmora2LaunchClass";
// later starts find it and send their command line in WM_SETTEXT, which the running instance hands to Java.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace pelmora {

class JVMLauncher;

struct CommandWindow {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    ATOM classAtom = 0;

    // The launcher whose JVM runs; set after the JVM is created and cleared before it is destroyed. A
    // delivery to Java holds deliveryLock from reading the field until commands returns, and the main thread
    // clears the field under the same lock, so no delivery can reach a JVM that is being destroyed.
    // A hand-off that arrives while the JVM is still being created waits for it (launcherChanged).
    void publishLauncher(JVMLauncher* launcher);
    void withdrawLauncher();

    JVMLauncher* launcher = nullptr;
    // Set with the withdrawal: from then on no JVM will come, and hand-offs are answered and dropped.
    bool launcherWithdrawn = false;
    std::mutex deliveryLock;
    std::condition_variable launcherChanged;
};

// The process's record, created with the instance handle on the first call; later calls return it unchanged.
CommandWindow* getCommandWindow(HINSTANCE instance);

// Thread procedure of the window thread (started with _beginthread); returns the last GetMessageW result.
int commandWindowThread(CommandWindow* record);
LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Splits one command line and delivers it to Java, first waiting for a JVM that is still being created;
// returns this process's id in every case. After the JVM's end the text is dropped.
DWORD handleCommandText(CommandWindow* record, const std::wstring& text);

// Sender side: the running instance's reply (its process id), or 0 when no instance took the text.
std::uint32_t forwardCommandLine(const std::wstring& text, bool bringToFront);

}  // namespace pelmora
