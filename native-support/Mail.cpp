// Handing a game record to the user's mail program, through Simple MAPI.
#include "pelmora_platf_windows_WindowsUtil.h"

#include <windows.h>
#include <pelmora/ProcAddress.h>

#include <pelmora/Win32Handles.h>

#include "AnsiText.h"
#include "SimpleMapi.h"

namespace mapi = pelmora::mapi;

namespace {

constexpr jint notAvailable = pelmora_platf_windows_WindowsUtil_MAIL_NOT_AVAILABLE;
constexpr jint initializeFailed = pelmora_platf_windows_WindowsUtil_MAIL_INITIALIZE_FAILED;
constexpr jint logonFailed = pelmora_platf_windows_WindowsUtil_MAIL_LOGON_FAILED;
constexpr jint notSent = pelmora_platf_windows_WindowsUtil_MAIL_NOT_SENT;
constexpr jint handedOver = pelmora_platf_windows_WindowsUtil_MAIL_HANDED_OVER;

struct MapiFunctions {
    mapi::InitializeFunction initialize;
    mapi::UninitializeFunction uninitialize;
    mapi::LogonExFunction logonEx;
    mapi::SendMailFunction sendMail;

    bool complete() const {
        return initialize != nullptr && uninitialize != nullptr && logonEx != nullptr && sendMail != nullptr;
    }
};

MapiFunctions lookUp(HMODULE module) {
    return {pelmora::procAddress<mapi::InitializeFunction>(module, "MAPIInitialize"),
            pelmora::procAddress<mapi::UninitializeFunction>(module, "MAPIUninitialize"),
            pelmora::procAddress<mapi::LogonExFunction>(module, "MAPILogonEx"),
            pelmora::procAddress<mapi::SendMailFunction>(module, "MAPISendMail")};
}

// MAPIUninitialize at the end of the scope; MAPI wants it even after a failed MAPIInitialize.
class MapiUninitializer {
  public:
    explicit MapiUninitializer(mapi::UninitializeFunction uninitialize) : uninitialize_(uninitialize) {}
    MapiUninitializer(const MapiUninitializer&) = delete;
    MapiUninitializer& operator=(const MapiUninitializer&) = delete;
    ~MapiUninitializer() { uninitialize_(); }

  private:
    mapi::UninitializeFunction uninitialize_;
};

// A logged-on session: logged off and released at the end of the scope, whether or not mail was sent.
class SessionOwner {
  public:
    SessionOwner() = default;
    SessionOwner(const SessionOwner&) = delete;
    SessionOwner& operator=(const SessionOwner&) = delete;
    ~SessionOwner() {
        if (session_ == nullptr) return;
        session_->Logoff(0, 0, 0);
        session_->Release();
    }
    mapi::Session** receive() { return &session_; }
    // After a failed logon whatever came back is not a session to log off.
    void discard() { session_ = nullptr; }

  private:
    mapi::Session* session_ = nullptr;
};

// The texts of one mail, in the ANSI code page.
struct MailTexts {
    char* attachmentPath;
    char* recipientName;
    char* recipientAddress;
    char* subject;
};

// One message to one recipient with the record attached, shown to the user before it goes.
ULONG sendRecord(const MapiFunctions& functions, const MailTexts& texts) {
    MapiRecipDesc recipient{};
    recipient.ulReserved = 0;
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = texts.recipientName;
    recipient.lpszAddress = texts.recipientAddress;
    recipient.ulEIDSize = 0;
    recipient.lpEntryID = nullptr;

    MapiFileDesc attachment{};
    attachment.ulReserved = 0;
    attachment.flFlags = 0;
    attachment.nPosition = 0xFFFFFFFF;  // not placed in the message text
    attachment.lpszPathName = texts.attachmentPath;
    attachment.lpszFileName = nullptr;  // the mail program takes the name from the path
    attachment.lpFileType = nullptr;

    MapiMessage message{};
    message.ulReserved = 0;
    message.lpszSubject = texts.subject;
    message.lpszNoteText = nullptr;
    message.lpszMessageType = nullptr;
    message.lpszDateReceived = nullptr;
    message.lpszConversationID = nullptr;
    message.flFlags = 0;
    message.lpOriginator = nullptr;
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = 1;
    message.lpFiles = &attachment;

    // Blocks while the mail program's message window is open.
    return functions.sendMail(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
}

// The system's mail library: initialised, logged on with the default profile, the message sent, and
// everything undone again on every path.
jint mailThroughSystemMapi(const MailTexts& texts) {
    // The system's own mail library only: a file of that name in the application's folder, or anywhere else
    // on the DLL search path, is never loaded in its place.
    const pelmora::LibraryModule library(
        LoadLibraryExW(L"mapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) return notAvailable;
    const MapiFunctions functions = lookUp(library.get());
    if (!functions.complete()) return notAvailable;

    const HRESULT initialized = functions.initialize(nullptr);
    const MapiUninitializer uninitializer(functions.uninitialize);
    if (FAILED(initialized)) return initializeFailed;

    SessionOwner session;
    if (FAILED(functions.logonEx(0, nullptr, nullptr, mapi::extendedLogon | mapi::defaultProfile,
                                 session.receive()))) {
        session.discard();
        return logonFailed;
    }
    // Abandoning the message is a failure too.
    return sendRecord(functions, texts) == SUCCESS_SUCCESS ? handedOver : notSent;
}

}  // namespace

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_WindowsUtil_mailSgf(JNIEnv* env, jclass,
                                                                      jstring attachmentPath,
                                                                      jstring recipientName,
                                                                      jstring recipientAddress,
                                                                      jstring subject) {
    // Every text is needed: a null one gives 0 before any mail call (a null path would declare an attachment
    // without a file). A conversion that fails ends the call before the next one.
    if (!attachmentPath || !recipientName || !recipientAddress || !subject) return 0;
    const auto path = pelmora::toAnsiText(env, attachmentPath);
    if (!path.converted) return 0;
    const auto name = pelmora::toAnsiText(env, recipientName);
    if (!name.converted) return 0;
    const auto address = pelmora::toAnsiText(env, recipientAddress);
    if (!address.converted) return 0;
    const auto subjectText = pelmora::toAnsiText(env, subject);
    if (!subjectText.converted) return 0;
    return mailThroughSystemMapi(
        {path.text.get(), name.text.get(), address.text.get(), subjectText.text.get()});
}
