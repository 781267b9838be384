// Reading and closing the message boxes a process under test shows. Under Wine with the null graphics
// driver a message box is a real top-level dialog ("#32770"): its text sits in the static control 65535 and
// its OK button has id 1. Boxes are found by the process that owns them, never as "any new dialog".
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pelmora::test {

struct MessageBoxText {
    std::wstring caption;
    std::wstring text;
};

// Waits for a message box of the process, reads caption and text, presses OK and waits until the box is
// gone. Nullopt when no box appeared in time or the box would not close.
std::optional<MessageBoxText> waitForMessageBox(DWORD processId, DWORD timeoutMs);

// Whether the process shows a message box right now.
bool anyMessageBox(DWORD processId);

}  // namespace pelmora::test
