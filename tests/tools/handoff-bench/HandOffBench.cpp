// handoff-bench handoff <launcher> <floor sender> <rounds>
//   Holds a window of the hand-off class that answers at once, and times, in interleaved rounds, a start of
//   the launcher and a start of the floor sender from process creation to the arrival of their text.
// handoff-bench burst <launcher> <log> <count>
//   Starts <count> launchers of an installation with the test runtime at once, each with its own document,
//   and times until the test runtime's log shows every document delivered (main or commands); then ends the
//   running instance with "-command quit".
// Prints one line per round, "<measure> subject_ms=<ms> [floor_ms=<ms>]"; exit code 0 when every round
// worked.
#include <pelmora/Win32Handles.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using pelmora::KernelHandle;

HANDLE arrived = nullptr;

LRESULT CALLBACK answeringWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        SetEvent(arrived);
        return static_cast<LRESULT>(GetCurrentProcessId());
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

KernelHandle start(const std::wstring& program, const std::wstring& tail) {
    std::wstring commandLine = L"\"" + program + L"\" " + tail;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return KernelHandle();
    }
    CloseHandle(process.hThread);
    return KernelHandle(process.hProcess);
}

double millisecondsSince(Clock::time_point started) {
    return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
}

// Process creation to the text's arrival at this process's window; -1 when it did not arrive.
double timeHandOff(const std::wstring& program, const std::wstring& tail) {
    ResetEvent(arrived);
    const auto started = Clock::now();
    KernelHandle process = start(program, tail);
    if (!process) return -1;
    MSG message;
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &arrived, FALSE, 30000, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) break;
        if (woken != WAIT_OBJECT_0 + 1) return -1;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    const double elapsed = millisecondsSince(started);
    // The launcher waits two seconds after the reply by design; that is not part of the hand-off.
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    return elapsed;
}

int handOff(const std::wstring& launcher, const std::wstring& floor, int rounds) {
    KernelHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    arrived = event.get();
    WNDCLASSW description = {};
    description.lpfnWndProc = answeringWindow;
    description.lpszClassName = L"Pelmora2LaunchClass";
    RegisterClassW(&description);
    HWND window = CreateWindowExW(0, description.lpszClassName, L"DDEWindow", 0, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    if (window == nullptr) return 1;
    bool worked = true;
    for (int round = 0; round < rounds; ++round) {
        const double subject = timeHandOff(launcher, L"bench.sgf");
        const double base = timeHandOff(floor, L"\"bench.sgf\" ");
        worked = worked && subject >= 0 && base >= 0;
        std::printf("handoff subject_ms=%.1f floor_ms=%.1f\n", subject, base);
    }
    DestroyWindow(window);
    return worked ? 0 : 1;
}

std::size_t deliveredDocuments(const std::wstring& log, int count) {
    std::ifstream file(log.c_str());
    std::string line;
    std::size_t delivered = 0;
    while (std::getline(file, line)) {
        for (int i = 0; i < count; ++i) {
            if (line == "arg=burst" + std::to_string(i) + ".sgf") ++delivered;
        }
    }
    return delivered;
}

int burst(const std::wstring& launcher, const std::wstring& log, int count) {
    DeleteFileW(log.c_str());
    const auto started = Clock::now();
    std::vector<std::thread> starting;
    std::vector<KernelHandle> processes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        starting.emplace_back([&, i] {
            processes[static_cast<std::size_t>(i)] = start(launcher, L"burst" + std::to_wstring(i) + L".sgf");
        });
    }
    for (auto& thread : starting) thread.join();
    while (deliveredDocuments(log, count) < static_cast<std::size_t>(count) &&
           millisecondsSince(started) < 120000) {
        Sleep(5);
    }
    const double elapsed = millisecondsSince(started);
    const bool complete = deliveredDocuments(log, count) == static_cast<std::size_t>(count);
    KernelHandle quit = start(launcher, L"-command quit");
    for (auto& process : processes) WaitForSingleObject(process.get(), 60000);
    if (!complete) return 1;
    std::printf("burst-%d subject_ms=%.1f\n", count, elapsed);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wstring(argv[1]) == L"handoff") return handOff(argv[2], argv[3], _wtoi(argv[4]));
    if (argc == 5 && std::wstring(argv[1]) == L"burst") return burst(argv[2], argv[3], _wtoi(argv[4]));
    std::fputs("usage: handoff-bench handoff LAUNCHER FLOOR ROUNDS | burst LAUNCHER LOG COUNT\n", stderr);
    return 2;
}
