// msgbox-reader <process id> [timeout ms]
// msgbox-reader --image <exe name> [timeout ms]
// Waits for a message box of the process, prints "caption=..." and "text=..." as UTF-8 lines (CR and LF
// inside written as \r and \n), presses OK and exits 0; exits 1 when no box came in time, 2 on bad usage.
#include "MessageBoxes.h"
#include "ProcessImages.h"
#include "Utf8Text.h"

#include <windows.h>

#include <chrono>
#include <cwchar>
#include <optional>
#include <string>
#include <thread>

namespace {

constexpr DWORD defaultTimeoutMs = 30000;

std::string outputText(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t unit : text) {
        if (unit == L'\r') {
            escaped += L"\\r";
        } else if (unit == L'\n') {
            escaped += L"\\n";
        } else {
            escaped += unit;
        }
    }
    return pelmora::test::toUtf8(escaped);
}

// Bytes as they are: no C runtime text translation between the box and the reader of our output.
void writeOutput(const std::string& bytes) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

std::optional<DWORD> parseNumber(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 10);
    if (end == text || *end != L'\0') return std::nullopt;
    return static_cast<DWORD>(value);
}

// The first process of that image that shows a box within the time; the box is not touched.
std::optional<DWORD> processShowingBox(const std::wstring& imageName, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        for (const DWORD processId : msgbox_reader::processesWithImage(imageName)) {
            if (pelmora::test::anyMessageBox(processId)) return processId;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

DWORD remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

int usage() {
    writeOutput(
        "usage: msgbox-reader <process id> [timeout ms]\n"
        "       msgbox-reader --image <exe name> [timeout ms]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool byImage = argc >= 3 && std::wstring(argv[1]) == L"--image";
    const int timeoutIndex = byImage ? 3 : 2;
    if (argc < 2 || argc > timeoutIndex + 1) return usage();
    std::optional<DWORD> timeoutMs = defaultTimeoutMs;
    if (argc == timeoutIndex + 1) timeoutMs = parseNumber(argv[timeoutIndex]);
    if (!timeoutMs) return usage();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(*timeoutMs);

    std::optional<DWORD> processId = byImage ? processShowingBox(argv[2], *timeoutMs) : parseNumber(argv[1]);
    if (!byImage && !processId) return usage();
    if (!processId) return 1;

    const auto box = pelmora::test::waitForMessageBox(*processId, remainingMs(deadline));
    if (!box) return 1;
    writeOutput("caption=" + outputText(box->caption) + "\ntext=" + outputText(box->text) + "\n");
    return 0;
}
