// Standard output and error of the process, written straight to their handles: no C runtime buffer can lose
// the text when the process is ended at once. The caller supplies any line end.
#pragma once

#include <string_view>

namespace testjvm {

void writeStandardOutput(std::string_view bytes);
void writeStandardError(std::string_view bytes);

}  // namespace testjvm
