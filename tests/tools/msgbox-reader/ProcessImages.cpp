#include "ProcessImages.h"

#include <pelmora/Win32Handles.h>

#include <tlhelp32.h>

namespace msgbox_reader {

std::vector<DWORD> processesWithImage(const std::wstring& imageName) {
    std::vector<DWORD> found;
    // A snapshot handle is INVALID_HANDLE_VALUE on failure, as a file handle is.
    const pelmora::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (CompareStringOrdinal(entry.szExeFile, -1, imageName.c_str(), -1, TRUE) == CSTR_EQUAL) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

}  // namespace msgbox_reader
