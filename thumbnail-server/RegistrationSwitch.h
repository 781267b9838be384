// The server's command line: a registration switch, or nothing (the server runs).
#pragma once

#include <string_view>

namespace pelmora::thumbsrv {

enum class RegistrationSwitch { none, regServer, unregServer, regServerPerUser, unregServerPerUser };

// Looks at each word that follows a '-' or a '/' (a word ends at a blank, a tab or the end of the line) and
// compares it, ignoring case, with "RegServer", "UnregServer", "RegServerPerUser" and "UnregServerPerUser".
// The first word that matches decides.
RegistrationSwitch findRegistrationSwitch(std::wstring_view commandLine);

}  // namespace pelmora::thumbsrv
