// Splitting a command line into its arguments, by the system's own rules.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

// The tokens of the text as CommandLineToArgvW splits it (the first by the program-name rules); an empty text
// gives none, and so does a text the system cannot split.
std::vector<std::wstring> splitCommandLine(const std::wstring& text);

}  // namespace pelmora
