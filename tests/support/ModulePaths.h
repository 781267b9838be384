// Where the running program and the modules it loaded lie on disk.
#pragma once

#include <windows.h>

#include <string>

namespace pelmora::test {

// The full path of a module loaded in this process; a null module stands for the program itself.
std::wstring modulePath(HMODULE module);

// The full path of the running program.
std::wstring programPath();

// The folder of the running program, where the build puts every binary; no trailing backslash.
std::wstring binaryFolder();

}  // namespace pelmora::test
