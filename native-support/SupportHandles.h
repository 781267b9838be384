// Owners of the Windows resources this library holds within one call.
#pragma once

#include <windows.h>

#include <pelmora/Win32Handles.h>

namespace pelmora {

// Global memory that has not (yet) been handed to the clipboard.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle invalid() { return nullptr; }
    static void close(Handle memory) { GlobalFree(memory); }
};

using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// The clipboard, open for this thread from a successful OpenClipboard until the end of the scope.
class OpenedClipboard {
  public:
    OpenedClipboard() : opened_(OpenClipboard(nullptr) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (opened_) CloseClipboard();
    }
    explicit operator bool() const { return opened_; }

  private:
    bool opened_;
};

}  // namespace pelmora
