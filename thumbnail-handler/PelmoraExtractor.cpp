#include "PelmoraExtractor.h"

#include "HandlerEvents.h"
#include "ServerRequests.h"
#include "ThumbnailBitmap.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/InterfaceTable.h>

#include <cwchar>

namespace pelmora::thumb {

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

// The handler runs inside Explorer, which may call these often: they answer quietly, with no box and no
// event.
HRESULT CPelmoraExtractor::GetClassID(CLSID*) {
    return E_NOTIMPL;
}

HRESULT CPelmoraExtractor::IsDirty() {
    return E_NOTIMPL;
}

HRESULT CPelmoraExtractor::Load(LPCOLESTR fileName, DWORD) {
    return com::comBoundary([&] {
        path_.reset();
        if (!fileName) return E_INVALIDARG;
        const std::size_t length = std::wcslen(fileName);
        if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
        path_.emplace(fileName, length);
        return S_OK;
    });
}

HRESULT CPelmoraExtractor::Save(LPCOLESTR, BOOL) {
    return E_NOTIMPL;
}

HRESULT CPelmoraExtractor::SaveCompleted(LPCOLESTR) {
    return E_NOTIMPL;
}

HRESULT CPelmoraExtractor::GetCurFile(LPOLESTR* fileName) {
    if (fileName) *fileName = nullptr;
    return E_NOTIMPL;
}

HRESULT CPelmoraExtractor::GetLocation(LPWSTR, DWORD, DWORD*, const SIZE* size, DWORD, DWORD* flags) {
    if (!size) return E_INVALIDARG;
    requestedSize_ = *size;
    return flags && (*flags & IEIFLAG_ASYNC) ? E_PENDING : S_OK;
}

HRESULT CPelmoraExtractor::Extract(HBITMAP* bitmap) {
    return com::comBoundary([&] {
        if (!bitmap) return E_POINTER;
        *bitmap = nullptr;
        // Called out of order, or for no picture at all: there is nothing to ask the server for.
        if (!path_ || !requestedSize_ || requestedSize_->cx < 1 || requestedSize_->cy < 1) return E_FAIL;
        const LONG width = requestedSize_->cx;
        const LONG height = requestedSize_->cy;
        return createThumbnailBitmap(requestFileImage(*path_, width, height), bitmap, width, height);
    });
}

HRESULT CPelmoraExtractor::GetDateStamp(FILETIME* dateStamp) {
    return com::comBoundary([&] {
        if (!dateStamp) return E_POINTER;
        if (!path_) return E_FAIL;
        // No handle is opened: the application saving this record, or anyone writing it, is never in the way.
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        if (!GetFileAttributesExW(path_->c_str(), GetFileExInfoStandard, &attributes)) {
            reportError(events::noDate, *path_);
            return E_FAIL;
        }
        *dateStamp = attributes.ftLastWriteTime;
        return S_OK;
    });
}

}  // namespace pelmora::thumb
