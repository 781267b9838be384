#include "CommandWindow.h"

#include "JVMLauncher.h"

#include <shellapi.h>

#include <vector>

namespace pelmora {
namespace {
const wchar_t windowClassName[] = L"Pelmora2LaunchClass";
const wchar_t windowTitle[] = L"DDEWindow";
const UINT endLoopMessage = WM_USER;

CommandWindow* theRecord = nullptr;

std::vector<std::wstring> splitCommandLine(const std::wstring& text) {
    std::vector<std::wstring> arguments;
    if (text.empty()) return arguments;
    int count = 0;
    LPWSTR* tokens = CommandLineToArgvW(text.c_str(), &count);
    if (tokens == nullptr) return arguments;
    for (int i = 0; i < count; ++i) arguments.emplace_back(tokens[i]);
    LocalFree(tokens);
    return arguments;
}
}  // namespace

void CommandWindow::publishLauncher(JVMLauncher* running) {
    {
        std::lock_guard<std::mutex> guard(deliveryLock);
        launcher = running;
    }
    launcherChanged.notify_all();
}

void CommandWindow::withdrawLauncher() {
    {
        std::lock_guard<std::mutex> guard(deliveryLock);
        launcher = nullptr;
        launcherWithdrawn = true;
    }
    launcherChanged.notify_all();
}

CommandWindow* getCommandWindow(HINSTANCE instance) {
    if (theRecord == nullptr) {
        // Lives to the end of the process: the window thread is never joined and may still use it at exit.
        theRecord = new CommandWindow();
        theRecord->instance = instance;
    }
    return theRecord;
}

int commandWindowThread(CommandWindow* record) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = commandWindowProc;
    windowClass.hInstance = record->instance;
    windowClass.lpszClassName = windowClassName;
    record->classAtom = RegisterClassW(&windowClass);
    // A top-level window (not message-only), never shown, so that FindWindowW of later starts finds it.
    record->window = CreateWindowExW(0, MAKEINTATOM(record->classAtom), windowTitle, 0, 0, 0, 1, 1, nullptr,
                                     nullptr, nullptr, nullptr);
    MSG message;
    int result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (message.message == endLoopMessage) break;
        DispatchMessageW(&message);
    }
    return result;
}

LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && theRecord != nullptr) {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        return static_cast<LRESULT>(handleCommandText(theRecord, text != nullptr ? text : L""));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD handleCommandText(CommandWindow* record, const std::wstring& text) {
    std::unique_lock<std::mutex> guard(record->deliveryLock);
    // Answering before the JVM exists would drop the documents while the sender ends as if they had arrived.
    // When the JVM cannot be created this process ends instead: the sender's SendMessageW then returns 0 and
    // the sender runs the application itself.
    record->launcherChanged.wait(
        guard, [record] { return record->launcher != nullptr || record->launcherWithdrawn; });
    if (record->launcher != nullptr) record->launcher->sendCommands(splitCommandLine(text));
    return GetCurrentProcessId();
}

std::uint32_t forwardCommandLine(const std::wstring& text, bool bringToFront) {
    HWND window = FindWindowW(windowClassName, nullptr);
    if (window == nullptr) return 0;
    const LRESULT reply = SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (reply != 0 && bringToFront) SetForegroundWindow(window);
    return static_cast<std::uint32_t>(reply);
}

}  // namespace pelmora
