#include "CommandWindow.h"

#include "ErrHandler.h"
#include "InstanceElection.h"

#include <process.h>

#include <cstdint>
#include <utility>

namespace pelmora {
namespace {
const wchar_t windowClassName[] = L"Pelmora2LaunchClass";
const wchar_t windowTitle[] = L"DDEWindow";
const UINT endLoopMessage = WM_USER;
// The receiver only copies and queues the text, which takes milliseconds; ten seconds leave room for a
// machine that is paging hard, and still end a start whose instance hangs before the user gives up on it.
const UINT handOffAnswerTimeoutMs = 10000;
// Creating or destroying the hidden window takes milliseconds; the bound only keeps a broken window thread
// from holding up the start or the end of the application.
const DWORD windowChangeTimeoutMs = 10000;
// The election's bound (30 s) and the hand-off's (10 s), with room to spare.
const DWORD decisionTimeoutMs = 60000;
const unsigned commandWindowStackSize = 10000;

CommandWindow* theRecord = nullptr;

std::wstring noAnswerMessage(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return L"The running instance of Pelmora (process " + std::to_wstring(processId) +
           L") does not answer, so the documents were not handed over. Close Pelmora and try again.";
}

}  // namespace

CommandWindow* getCommandWindow(HINSTANCE instance) {
    if (theRecord == nullptr) {
        // Lives to the end of the process: the window thread is never joined and may still use it at exit.
        theRecord = new CommandWindow();
        theRecord->instance = instance;
    }
    return theRecord;
}

namespace {

void decide(CommandWindow* record, StartDecision decision, LauncherError failure = LauncherError(L"")) {
    record->failure = std::move(failure);
    record->decision = decision;
    SetEvent(record->decided.get());
}

void createCommandWindow(CommandWindow* record) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = commandWindowProc;
    windowClass.hInstance = record->instance;
    windowClass.lpszClassName = windowClassName;
    record->classAtom = RegisterClassW(&windowClass);
    // A top-level window (not message-only), never shown, so that FindWindowW of later starts finds it.
    record->window = CreateWindowExW(0, MAKEINTATOM(record->classAtom), windowTitle, 0, 0, 0, 1, 1, nullptr,
                                     nullptr, nullptr, nullptr);
}

// The election and its outcome; true when this start is to become the running instance, with its window.
bool electThisStart(CommandWindow* record) {
    try {
        InstanceElection election = InstanceElection::enter();
        if (forwardCommandLine(record->handOffLine, true) != 0) {
            decide(record, StartDecision::handedOver);
            return false;
        }
        // The main thread prepares the application while the window is made; later starts wait for it.
        decide(record, StartDecision::runHere);
        createCommandWindow(record);
        return true;
    } catch (const LauncherError& error) {
        decide(record, StartDecision::failed, error);
    } catch (...) {
        decide(record, StartDecision::failed, LauncherError(L"Error while looking for a running instance."));
    }
    return false;
}

}  // namespace

int commandWindowThread(CommandWindow* record) {
    record->windowThreadId = GetCurrentThreadId();
    if (!electThisStart(record)) return 0;
    MSG message;
    int result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (message.message == endLoopMessage) break;
        DispatchMessageW(&message);
    }
    if (record->window != nullptr) DestroyWindow(record->window);
    record->window = nullptr;
    SetEvent(record->windowRemoved.get());
    return result;
}

LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && theRecord != nullptr) {
        return fatalOnError(L"Error receiving a command line from another start.", [&] {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            return static_cast<LRESULT>(handleCommandText(theRecord, text != nullptr ? text : L""));
        });
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD handleCommandText(CommandWindow* record, const std::wstring& text) {
    // Never waits for the JVM or for Java: other programs' broadcasts wait for this thread too.
    record->commands.push(text);
    return GetCurrentProcessId();
}

void __cdecl windowThreadEntry(void* record) {
    commandWindowThread(static_cast<CommandWindow*>(record));
}

StartDecision decideStart(CommandWindow* record) {
    if (_beginthread(windowThreadEntry, commandWindowStackSize, record) == static_cast<std::uintptr_t>(-1)) {
        throw lastSystemError(L"Cannot start the command window's thread.", "_beginthread");
    }
    // The thread decides within its own bounds: the election's and the hand-off's.
    if (WaitForSingleObject(record->decided.get(), decisionTimeoutMs) != WAIT_OBJECT_0) {
        throw LauncherError(L"Looking for a running instance of Pelmora did not end.");
    }
    if (record->decision == StartDecision::failed) throw record->failure;
    return record->decision;
}

void removeCommandWindow(CommandWindow* record) {
    if (record->windowThreadId == 0) return;
    if (PostThreadMessageW(record->windowThreadId, endLoopMessage, 0, 0)) {
        WaitForSingleObject(record->windowRemoved.get(), windowChangeTimeoutMs);
    }
}

std::uint32_t forwardCommandLine(const std::wstring& text, bool bringToFront) {
    HWND window = FindWindowW(windowClassName, nullptr);
    if (window == nullptr) return 0;
    DWORD_PTR reply = 0;
    if (SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                            handOffAnswerTimeoutMs, &reply) == 0) {
        // An instance that ended meanwhile is no instance: this start becomes the running one.
        if (!IsWindow(window)) return 0;
        throw LauncherError(noAnswerMessage(window));
    }
    if (reply != 0 && bringToFront) SetForegroundWindow(window);
    return static_cast<std::uint32_t>(reply);
}

}  // namespace pelmora
