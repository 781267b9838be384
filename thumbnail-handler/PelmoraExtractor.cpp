#include "PelmoraExtractor.h"

#include "HandlerEvents.h"
#include "ServerRequests.h"
#include "ThumbnailBitmap.h"

#include <pelmora/Win32Handles.h>
#include <pelmora/com/InterfaceTable.h>

#include <cwchar>

namespace pelmora::thumb {
namespace {

// A method the handler does not implement says so on screen, as it always has; no owner, default caption.
HRESULT showNotImplemented(const wchar_t* method) {
    MessageBoxW(nullptr, method, nullptr, MB_OK);
    return E_NOTIMPL;
}

}  // namespace

HRESULT CPelmoraExtractor::queryOwnInterface(REFIID iid, void** object) {
    IPelmoraExtractor* own = this;
    IPersistFile* file = this;
    IExtractImage2* extract = this;
    return com::answerFromInterfaceTable({{IID_IUnknown, own},
                                          {IID_IPelmoraExtractor, own},
                                          {IID_IPersistFile, file},
                                          {IID_IExtractImage, extract},
                                          {IID_IExtractImage2, extract}},
                                         iid, object);
}

HRESULT CPelmoraExtractor::GetClassID(CLSID*) {
    return showNotImplemented(L"GetClassID");
}

HRESULT CPelmoraExtractor::IsDirty() {
    return showNotImplemented(L"IsDirty");
}

HRESULT CPelmoraExtractor::Load(LPCOLESTR fileName, DWORD) {
    path_.reset();
    if (!fileName) return E_INVALIDARG;
    const std::size_t length = std::wcslen(fileName);
    if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    path_.emplace(fileName, length);
    return S_OK;
}

HRESULT CPelmoraExtractor::Save(LPCOLESTR, BOOL) {
    return showNotImplemented(L"Save");
}

HRESULT CPelmoraExtractor::SaveCompleted(LPCOLESTR) {
    return showNotImplemented(L"SaveCompleted");
}

HRESULT CPelmoraExtractor::GetCurFile(LPOLESTR*) {
    return showNotImplemented(L"GetCurFile");
}

HRESULT CPelmoraExtractor::GetLocation(LPWSTR, DWORD, DWORD*, const SIZE* size, DWORD, DWORD* flags) {
    if (!size) return E_INVALIDARG;
    requestedSize_ = *size;
    return flags && (*flags & IEIFLAG_ASYNC) ? E_PENDING : S_OK;
}

HRESULT CPelmoraExtractor::Extract(HBITMAP* bitmap) {
    if (!bitmap) return E_POINTER;
    *bitmap = nullptr;
    // Called out of order: there is nothing to ask the server for.
    if (!path_ || !requestedSize_) return E_FAIL;
    const LONG width = requestedSize_->cx;
    const LONG height = requestedSize_->cy;
    return createThumbnailBitmap(requestFileImage(path_->c_str(), width, height).release(), bitmap, width,
                                 height);
}

HRESULT CPelmoraExtractor::GetDateStamp(FILETIME* dateStamp) {
    if (!dateStamp) return E_POINTER;
    if (!path_) return E_FAIL;
    const FileHandle file(
        CreateFileW(path_->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME lastWrite;
    if (!file || !GetFileTime(file.get(), nullptr, nullptr, &lastWrite)) {
        reportError(events::noDate, *path_);
        return E_FAIL;
    }
    *dateStamp = lastWrite;
    return S_OK;
}

}  // namespace pelmora::thumb
