// CPelmoraExtractor: thumbnails by the path-based protocol. Explorer gives the file's path through
// IPersistFile::Load, the size through IExtractImage::GetLocation, and asks for the bitmap with Extract.
#pragma once

#include "PelmoraThumb.h"

#include <pelmora/com/ComObject.h>

#include <shobjidl.h>

#include <optional>
#include <string>

namespace pelmora::thumb {

class CPelmoraExtractor final
    : public com::ComObject<CPelmoraExtractor, IPelmoraExtractor, IPersistFile, IExtractImage2> {
  public:
    CPelmoraExtractor(com::ModuleLock& module, IUnknown* outer) : ComObject(module, outer) {}

    // IPersist / IPersistFile: only Load does anything; the others answer E_NOTIMPL.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    // A path of MAX_PATH code units or more is refused and leaves no path behind.
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR fileName, DWORD mode) override;
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR fileName, BOOL remember) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR fileName) override;
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* fileName) override;

    // IExtractImage / IExtractImage2
    HRESULT STDMETHODCALLTYPE GetLocation(LPWSTR pathBuffer, DWORD pathLength, DWORD* priority,
                                          const SIZE* size, DWORD colourDepth, DWORD* flags) override;
    HRESULT STDMETHODCALLTYPE Extract(HBITMAP* bitmap) override;
    HRESULT STDMETHODCALLTYPE GetDateStamp(FILETIME* dateStamp) override;

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override;

    std::optional<std::wstring> path_;
    std::optional<SIZE> requestedSize_;
};

}  // namespace pelmora::thumb
