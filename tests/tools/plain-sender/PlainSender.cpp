// plain-sender <text>: hands the text to a running launcher as the plain protocol does, FindWindowW and
// SendMessageW and nothing else. Exit code 0 when an instance answered, 1 when none did, 2 on bad usage.
// The floor of the hand-off benchmark.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    HWND window = FindWindowW(L"Pelmora2LaunchClass", nullptr);
    if (window == nullptr) return 1;
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[1])) != 0 ? 0 : 1;
}
