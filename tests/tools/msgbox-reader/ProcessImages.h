// Finding running processes by the file name of their program image.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace msgbox_reader {

// The ids of the processes whose image is named so (e.g. "Pelmora64.exe"), compared without letter case.
std::vector<DWORD> processesWithImage(const std::wstring& imageName);

}  // namespace msgbox_reader
