// The record tests read back: one event per line, appended to the file PELMORA_TESTJVM_LOG names.
#pragma once

#include <string_view>

namespace testjvm {

// Appends the line (UTF-8, without its line end). Several threads and processes may write at once; each line
// reaches the file whole before the call returns. Nothing is recorded while the variable is unset.
void recordEvent(std::string_view line);

}  // namespace testjvm
