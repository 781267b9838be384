// Reads the settings a test hands to the Java runtime through the environment.
#pragma once

#include <optional>
#include <string>

namespace testjvm {

// Nullopt when the variable is unset; an empty text when it is set to nothing.
std::optional<std::wstring> environmentVariable(const wchar_t* name);

}  // namespace testjvm
