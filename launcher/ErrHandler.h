// The launcher's error report: a warning message box captioned with the launcher's path, then exit code 1;
// and the one boundary that turns the launcher's errors into that report.
#pragma once

#include "LauncherError.h"

#include <string>

namespace pelmora {

class ErrHandler {
  public:
    ErrHandler() = delete;

    static void showWarning(const std::wstring& text);
    // "Error in Pelmora launcher." and the message; ends the process with exit code 1.
    [[noreturn]] static void fatalError(const std::wstring& message);
    [[noreturn]] static void fatalError();
};

// The error of a system call that just failed: the message for the user, the call's name and GetLastError().
LauncherError lastSystemError(std::wstring message, const char* failedCall);

// Runs a step whose failure ends the launcher: a LauncherError with its own text, anything else with the
// step's general message. Without a general message every failure ends it without detail.
template <class Step>
auto fatalOnError(const wchar_t* generalMessage, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const LauncherError& error) {
        if (generalMessage == nullptr) ErrHandler::fatalError();
        ErrHandler::fatalError(error.text());
    } catch (...) {
        if (generalMessage == nullptr) ErrHandler::fatalError();
        ErrHandler::fatalError(generalMessage);
    }
}

}  // namespace pelmora
