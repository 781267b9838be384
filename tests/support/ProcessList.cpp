#include "ProcessList.h"

#include <pelmora/Win32Handles.h>

#include <tlhelp32.h>

namespace pelmora::test {

std::vector<DWORD> processIdsNamed(const std::wstring& name) {
    std::vector<DWORD> ids;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, name.c_str()) == 0) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

bool waitUntilNoProcessNamed(const std::wstring& name, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!processIdsNamed(name).empty()) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(50);
    }
    return true;
}

void killProcessesNamed(const std::wstring& name) {
    for (DWORD id : processIdsNamed(name)) {
        KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue;
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 10000);
    }
}

ProcessExit waitForProcessExit(DWORD processId, DWORD timeoutMs) {
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process) return {};
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return {};
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return {};
    return {true, exitCode};
}

}  // namespace pelmora::test
