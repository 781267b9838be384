// Small file-system and process queries the launcher makes of Windows.
#pragma once

#include <string>

namespace pelmora {

// Full path of the launcher executable (GetModuleFileNameW into 260 characters).
std::wstring ownExecutablePath();
// The current directory, or empty when it does not fit into 260 characters.
std::wstring currentDirectory();
// True when a find-first search for the path finds a file or folder.
bool pathExists(const std::wstring& path);
// Installed physical memory in whole KiB.
double totalPhysicalMemoryKb();

}  // namespace pelmora
