#include "MessageBoxes.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace pelmora::test {
namespace {

// The dialog control ids of a message box.
constexpr int textControlId = 0xFFFF;
constexpr int okButtonId = IDOK;

// Bounds every message sent to the box, so a hung process cannot hang the test.
constexpr UINT sendTimeoutMs = 5000;
// A box is read once shown; a box that stays hidden this long is read anyway.
constexpr auto hiddenGrace = std::chrono::seconds(1);
// How long a box may take to close after OK, when the caller's time is already used up.
constexpr auto closeGrace = std::chrono::seconds(5);
constexpr auto pollInterval = std::chrono::milliseconds(50);

bool isMessageBox(HWND window) {
    wchar_t className[16] = {};
    if (GetClassNameW(window, className, 16) == 0) return false;
    return std::wstring(className) == L"#32770" && GetDlgItem(window, textControlId) != nullptr;
}

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && isMessageBox(window)) search->found.push_back(window);
    return TRUE;
}

HWND findMessageBox(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(&collectBox, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

// WM_GETTEXT through SendMessageTimeout: works across threads and processes, and never blocks for long.
std::optional<std::wstring> windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &length)) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, sendTimeoutMs, &copied)) {
        return std::nullopt;
    }
    text.resize(copied);
    return text;
}

// The box's thread answers messages: it is in its modal loop, not stuck or still being created.
bool answers(HWND box) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &ignored) != 0;
}

void pressOk(HWND box) {
    const HWND ok = GetDlgItem(box, okButtonId);
    if (ok != nullptr) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(okButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    } else {
        // A box without OK (for example Yes/No) closes like Cancel.
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
}

}  // namespace

std::optional<MessageBoxText> waitForMessageBox(DWORD processId, DWORD timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    HWND box = nullptr;
    auto firstSeen = Clock::time_point();
    for (;;) {
        const HWND candidate = findMessageBox(processId);
        if (candidate != box) {
            box = candidate;
            firstSeen = Clock::now();
        }
        // The box fills in caption and text while it initialises and is shown only after that.
        if (box != nullptr && answers(box) &&
            (IsWindowVisible(box) || Clock::now() - firstSeen >= hiddenGrace)) {
            break;
        }
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(pollInterval);
    }

    MessageBoxText result;
    const auto caption = windowText(box);
    const auto text = windowText(GetDlgItem(box, textControlId));
    if (!caption || !text) return std::nullopt;
    result.caption = *caption;
    result.text = *text;

    pressOk(box);
    const auto closeDeadline = std::max(deadline, Clock::now() + closeGrace);
    while (IsWindow(box)) {
        if (Clock::now() >= closeDeadline) return std::nullopt;
        std::this_thread::sleep_for(pollInterval);
    }
    return result;
}

bool anyMessageBox(DWORD processId) {
    return findMessageBox(processId) != nullptr;
}

}  // namespace pelmora::test
