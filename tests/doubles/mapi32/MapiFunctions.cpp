// The exports: MAPIInitialize, MAPIUninitialize, MAPILogonEx, MAPISendMail (not in the incomplete variant,
// whose .def leaves it out) and the marker PelmoraTestMapiVariant, by which a test knows the double is the
// mapi32.dll loaded.
#include <windows.h>
#include <mapi.h>
#include <mapix.h>

#include <string>

#include "CallLog.h"
#include "FailureChoice.h"
#include "SessionDouble.h"

using mapidouble::hex;
using mapidouble::logLine;
using mapidouble::pointer;
using mapidouble::quoted;

namespace {

void logRecipient(const std::string& prefix, const MapiRecipDesc& recipient) {
    logLine(prefix + ".ulReserved=" + hex(recipient.ulReserved));
    logLine(prefix + ".ulRecipClass=" + hex(recipient.ulRecipClass));
    logLine(prefix + ".lpszName=" + quoted(recipient.lpszName));
    logLine(prefix + ".lpszAddress=" + quoted(recipient.lpszAddress));
    logLine(prefix + ".ulEIDSize=" + hex(recipient.ulEIDSize));
    logLine(prefix + ".lpEntryID=" + pointer(recipient.lpEntryID));
}

void logFile(const std::string& prefix, const MapiFileDesc& file) {
    logLine(prefix + ".ulReserved=" + hex(file.ulReserved));
    logLine(prefix + ".flFlags=" + hex(file.flFlags));
    logLine(prefix + ".nPosition=" + hex(file.nPosition));
    logLine(prefix + ".lpszPathName=" + quoted(file.lpszPathName));
    logLine(prefix + ".lpszFileName=" + quoted(file.lpszFileName));
    logLine(prefix + ".lpFileType=" + pointer(file.lpFileType));
}

void logMessage(const MapiMessage& message) {
    logLine("message.ulReserved=" + hex(message.ulReserved));
    logLine("message.lpszSubject=" + quoted(message.lpszSubject));
    logLine("message.lpszNoteText=" + quoted(message.lpszNoteText));
    logLine("message.lpszMessageType=" + quoted(message.lpszMessageType));
    logLine("message.lpszDateReceived=" + quoted(message.lpszDateReceived));
    logLine("message.lpszConversationID=" + quoted(message.lpszConversationID));
    logLine("message.flFlags=" + hex(message.flFlags));
    logLine("message.lpOriginator=" + pointer(message.lpOriginator));
    logLine("message.nRecipCount=" + hex(message.nRecipCount));
    if (message.lpRecips == nullptr) logLine("message.lpRecips=null");
    for (ULONG i = 0; message.lpRecips != nullptr && i < message.nRecipCount; ++i) {
        logRecipient("recipient[" + std::to_string(i) + "]", message.lpRecips[i]);
    }
    logLine("message.nFileCount=" + hex(message.nFileCount));
    if (message.lpFiles == nullptr) logLine("message.lpFiles=null");
    for (ULONG i = 0; message.lpFiles != nullptr && i < message.nFileCount; ++i) {
        logFile("file[" + std::to_string(i) + "]", message.lpFiles[i]);
    }
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (mapidouble::failsAt("load")) {
            logLine("DllMain.refuse");
            return FALSE;
        }
        logLine("DllMain.attach");
    } else if (reason == DLL_PROCESS_DETACH) {
        logLine("DllMain.detach");
    }
    return TRUE;
}

const char* WINAPI PelmoraTestMapiVariant() {
    return PELMORA_MAPI_DOUBLE_VARIANT;
}

HRESULT WINAPI MAPIInitialize(LPVOID init) {
    logLine("MAPIInitialize init=" + pointer(init));
    return mapidouble::failsAt("initialize") ? E_FAIL : S_OK;
}

void WINAPI MAPIUninitialize() {
    logLine("MAPIUninitialize");
}

HRESULT WINAPI MAPILogonEx(ULONG_PTR uiParam, LPTSTR profileName, LPTSTR password, ULONG flags,
                           LPMAPISESSION* session) {
    logLine("MAPILogonEx ui=" + hex(uiParam) + " profile=" + pointer(profileName) +
            " password=" + pointer(password) + " flags=" + hex(flags) + " session=" + pointer(session));
    if (session == nullptr) return E_INVALIDARG;
    if (mapidouble::failsAt("logon")) {
        *session = nullptr;
        return MAPI_E_LOGON_FAILED;
    }
    *session = mapidouble::newSession();
    return S_OK;
}

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
                          ULONG reserved) {
    logLine("MAPISendMail session=" + hex(session) + " ui=" + hex(uiParam) + " flags=" + hex(flags) +
            " reserved=" + hex(reserved) + " message=" + pointer(message));
    if (message != nullptr) logMessage(*message);
    // Abandoning the message is what a user most often does instead of sending.
    return mapidouble::failsAt("send") ? MAPI_USER_ABORT : SUCCESS_SUCCESS;
}

}  // extern "C"
