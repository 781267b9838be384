// Where a Windows path of this Wine prefix lies in the Linux file system.
#pragma once

#include <string>

namespace javabridge {

// Asks Wine (kernel32's wine_get_unix_file_name). When Wine has no answer (a folder that does not exist
// yet), drive Z: is the Linux root; other paths stay as they are, with forward slashes.
std::string unixPathOf(const std::wstring& windowsPath);

}  // namespace javabridge
