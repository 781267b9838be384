// The processes of this Wine prefix (or Windows session) by executable name: for servers that COM starts
// on a test's behalf, which the test never gets a handle to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pelmora::test {

// Ids of the running processes whose executable file name is name (case ignored).
std::vector<DWORD> processIdsNamed(const std::wstring& name);

// Waits until no process of that name runs; false when one still runs after timeoutMs.
bool waitUntilNoProcessNamed(const std::wstring& name, DWORD timeoutMs);

// Ends every process of that name and waits for them to be gone.
void killProcessesNamed(const std::wstring& name);

// The exit code of a process once it has ended within timeoutMs; nothing otherwise or when it cannot be
// opened.
struct ProcessExit {
    bool ended = false;
    DWORD exitCode = 0;
};
ProcessExit waitForProcessExit(DWORD processId, DWORD timeoutMs);

}  // namespace pelmora::test
