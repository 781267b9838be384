// The launcher's error report: a warning message box captioned with the launcher's path, then exit code 1.
#pragma once

#include <string>

namespace pelmora {

class ErrHandler {
  public:
    virtual ~ErrHandler() = default;
    ErrHandler() = delete;

    static void showWarning(const std::wstring& text);
    // "Error in Pelmora launcher." and the message; ends the process with exit code 1.
    [[noreturn]] static void fatalError(const std::wstring& message);
    [[noreturn]] static void fatalError();
};

}  // namespace pelmora
