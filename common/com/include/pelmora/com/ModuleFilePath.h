// The full path of a module's file, as registration writes it.
#pragma once

#include <windows.h>

#include <string>

namespace pelmora::com {

// GetModuleFileNameW into MAX_PATH characters (module null for the program itself). A path that does not fit
// fails with ERROR_INSUFFICIENT_BUFFER, so nothing is ever registered under a cut path.
HRESULT moduleFilePath(HMODULE module, std::wstring& path);

}  // namespace pelmora::com
