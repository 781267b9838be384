// How the launcher's routines report an error: they throw a LauncherError with the message for the user and,
// when a system call failed, that call's name and its error code. The step that owns the routine ends the
// launcher through fatalOnError (ErrHandler.h), which shows the message.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace pelmora {

class LauncherError {
  public:
    explicit LauncherError(std::wstring message) : message_(std::move(message)) {}
    // A system call that failed: its name and the GetLastError() value it left.
    LauncherError(std::wstring message, const char* failedCall, std::uint32_t systemError)
        : message_(std::move(message)), failedCall_(failedCall), systemError_(systemError) {}

    const std::wstring& message() const { return message_; }
    // Null when no system call failed.
    const char* failedCall() const { return failedCall_; }
    std::uint32_t systemError() const { return systemError_; }

    // The message, and on a line of its own the failed call with its error code, for example
    // "LoadLibraryW failed with error 193.".
    std::wstring text() const {
        if (failedCall_ == nullptr) return message_;
        std::wstring text = message_ + L"\n";
        for (const char* c = failedCall_; *c != '\0'; ++c) text += static_cast<wchar_t>(*c);
        return text + L" failed with error " + std::to_wstring(systemError_) + L".";
    }

  private:
    std::wstring message_;
    const char* failedCall_ = nullptr;
    std::uint32_t systemError_ = 0;
};

// Runs one step: a LauncherError passes through unchanged (it already names the failure); anything else
// (exhausted memory, a string operation out of range) becomes the step's general message.
template <class Step>
auto runStep(const wchar_t* generalMessage, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const LauncherError&) {
        throw;
    } catch (...) {
        throw LauncherError(generalMessage);
    }
}

}  // namespace pelmora
