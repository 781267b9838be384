// The logon object MAPILogonEx hands out, with the published IMAPISession layout of the toolchain's
// <mapix.h>: every method logs its name, so a caller using a wrong slot shows in the log.
#pragma once

#include <windows.h>
#include <mapix.h>

namespace mapidouble {

// A new session with one reference.
IMAPISession* newSession();

}  // namespace mapidouble
