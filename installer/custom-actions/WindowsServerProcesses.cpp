#include "WindowsServerProcesses.h"

#include "NameComparison.h"

#include <tlhelp32.h>

namespace pelmora::setup {

namespace {

constexpr DWORD forcedEndWaitMs = 5000;

std::wstring imagePathOf(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return std::wstring();
    path.resize(size);
    return path;
}

}  // namespace

WindowsServerProcesses::WindowsServerProcesses(const std::wstring& executablePath) {
    // Snapshots are INVALID_HANDLE_VALUE when absent, as files.
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        // The snapshot names only the file: a server of another folder must stay.
        if (!equalIgnoringCase(entry.szExeFile, serverFileName)) continue;
        KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE,
                                         FALSE, entry.th32ProcessID));
        if (process && equalIgnoringCase(imagePathOf(process.get()), executablePath)) {
            processes_.push_back(HeldProcess{entry.th32ProcessID, std::move(process)});
        }
    }
}

bool WindowsServerProcesses::askToEnd(std::size_t process) {
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return false;
    bool posted = false;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        // Only threads with a message queue take it: the server's main thread.
        if (entry.th32OwnerProcessID == processes_[process].id &&
            PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0)) {
            posted = true;
        }
    }
    return posted;
}

bool WindowsServerProcesses::waitForEnd(std::size_t process, std::chrono::milliseconds limit) {
    return WaitForSingleObject(processes_[process].handle.get(), static_cast<DWORD>(limit.count())) ==
           WAIT_OBJECT_0;
}

bool WindowsServerProcesses::endByForce(std::size_t process) {
    const HANDLE handle = processes_[process].handle.get();
    TerminateProcess(handle, 1);
    return WaitForSingleObject(handle, forcedEndWaitMs) == WAIT_OBJECT_0;
}

}  // namespace pelmora::setup
