// What a JVM prints for the user, written straight to the standard error handle: no C runtime buffer can
// lose it when the process is ended at once.
#pragma once

#include <string_view>

namespace testjvm {

// Writes the UTF-8 text as it is; the caller supplies any line end.
void writeStandardError(std::string_view text);

}  // namespace testjvm
