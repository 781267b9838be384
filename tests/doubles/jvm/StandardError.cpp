#include "StandardError.h"

#include <windows.h>

namespace testjvm {

void writeStandardError(std::string_view text) {
    const HANDLE output = GetStdHandle(STD_ERROR_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace testjvm
