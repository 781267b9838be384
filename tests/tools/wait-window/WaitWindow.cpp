// wait-window <window class> [timeout ms]: waits until a top-level window of that class exists.
// Exit code 0 when it appeared, 1 on time-out, 2 on bad usage. Scripts use it to know that a program is ready
// to receive messages.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) return 2;
    const unsigned long timeoutMs = argc == 3 ? std::wcstoul(argv[2], nullptr, 10) : 30000;
    const DWORD stepMs = 100;
    for (unsigned long waited = 0; waited <= timeoutMs; waited += stepMs) {
        if (FindWindowW(argv[1], nullptr) != nullptr) return 0;
        Sleep(stepMs);
    }
    return 1;
}
