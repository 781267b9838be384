#include "StandardStreams.h"

#include <windows.h>

namespace testjvm {
namespace {

void writeAll(DWORD stream, std::string_view bytes) {
    const HANDLE handle = GetStdHandle(stream);
    // A program started without standard handles loses the text, as a JVM's output would be lost.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return;
        }
        bytes.remove_prefix(written);
    }
}

}  // namespace

void writeStandardOutput(std::string_view bytes) {
    writeAll(STD_OUTPUT_HANDLE, bytes);
}

void writeStandardError(std::string_view bytes) {
    writeAll(STD_ERROR_HANDLE, bytes);
}

}  // namespace testjvm
