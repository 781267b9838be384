#include "InstallerSession.h"

#include <pelmora/Win32Handles.h>

#include <msiquery.h>

namespace pelmora::setup {

namespace {

struct MsiHandleTraits {
    using Handle = MSIHANDLE;
    static Handle invalid() { return 0; }
    static void close(Handle handle) { MsiCloseHandle(handle); }
};
using MsiRecord = UniqueHandle<MsiHandleTraits>;

}  // namespace

std::wstring InstallerSession::actionData() const {
    wchar_t empty[1] = L"";
    DWORD size = 0;
    if (MsiGetPropertyW(install_, L"CustomActionData", empty, &size) != ERROR_MORE_DATA)
        return std::wstring();
    std::wstring data(size + 1, L'\0');
    size = static_cast<DWORD>(data.size());
    if (MsiGetPropertyW(install_, L"CustomActionData", data.data(), &size) != ERROR_SUCCESS)
        return std::wstring();
    data.resize(size);
    return data;
}

void InstallerSession::log(const std::wstring& text) const {
    const MsiRecord record(MsiCreateRecord(0));
    if (!record) return;
    MsiRecordSetStringW(record.get(), 0, text.c_str());
    MsiProcessMessage(install_, INSTALLMESSAGE_INFO, record.get());
}

}  // namespace pelmora::setup
