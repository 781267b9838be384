// What this library uses of mapi32.dll: the Simple MAPI message structures (from <mapi.h>), and the
// extended-MAPI initialisation and logon, declared here because <mapix.h> drags in all of MAPI.
#pragma once

#include <windows.h>
#include <mapi.h>

namespace pelmora::mapi {

// MAPILogonEx flags: an extended-MAPI session on the default profile.
constexpr ULONG extendedLogon = 0x20;   // MAPI_EXTENDED
constexpr ULONG defaultProfile = 0x40;  // MAPI_USE_DEFAULT

// The logon object (IMAPISession). Only IUnknown and Logoff are called; the methods before Logoff are
// declared in the published order to give Logoff its slot (the 15th after IUnknown's three), their
// parameters reduced to opaque pointers. Methods after Logoff are left out.
struct Session : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetLastError(HRESULT result, ULONG flags, void** error) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMsgStoresTable(ULONG flags, void** table) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenMsgStore(ULONG_PTR uiParam, ULONG entryIdSize, void* entryId,
                                                   const IID* iid, ULONG flags, void** store) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenAddressBook(ULONG_PTR uiParam, const IID* iid, ULONG flags,
                                                      void** addressBook) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenProfileSection(void* uid, const IID* iid, ULONG flags,
                                                         void** section) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStatusTable(ULONG flags, void** table) = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenEntry(ULONG entryIdSize, void* entryId, const IID* iid, ULONG flags,
                                                ULONG* objectType, IUnknown** entry) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareEntryIDs(ULONG size1, void* entryId1, ULONG size2,
                                                      void* entryId2, ULONG flags, ULONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE Advise(ULONG entryIdSize, void* entryId, ULONG eventMask, void* sink,
                                             ULONG* connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unadvise(ULONG connection) = 0;
    virtual HRESULT STDMETHODCALLTYPE MessageOptions(ULONG_PTR uiParam, ULONG flags, char* addressType,
                                                     void* message) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryDefaultMessageOpt(char* addressType, ULONG flags, ULONG* count,
                                                             void** options) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumAdrTypes(ULONG flags, ULONG* count, char*** addressTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryIdentity(ULONG* entryIdSize, void** entryId) = 0;
    virtual HRESULT STDMETHODCALLTYPE Logoff(ULONG_PTR uiParam, ULONG flags, ULONG reserved) = 0;
};

using InitializeFunction = HRESULT(WINAPI*)(void* init);
using UninitializeFunction = void(WINAPI*)();
using LogonExFunction = HRESULT(WINAPI*)(ULONG_PTR uiParam, char* profileName, char* password, ULONG flags,
                                         Session** session);
using SendMailFunction = LPMAPISENDMAIL;

}  // namespace pelmora::mapi
