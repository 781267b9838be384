// Quoting one argument so that CommandLineToArgvW on the receiving side gives it back unchanged.
#pragma once

#include <string>

namespace pelmora {

// Always quotes. A run of backslashes is doubled where a double quote follows it (an inner quote, which is
// escaped, or the closing one).
std::wstring quoteArgument(const std::wstring& s);

}  // namespace pelmora
