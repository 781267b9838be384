// CPelmoraExtThumb: thumbnails by the stream-based protocol. Explorer hands over the file's content as a
// stream (IInitializeWithStream) and asks for the bitmap (IThumbnailProvider); the provider reads the start
// of the record from the stream and sends those bytes to the server.
#pragma once

#include "PelmoraThumb.h"

#include <pelmora/com/ComObject.h>
#include <pelmora/com/ComPtr.h>
#include <pelmora/com/DispatchImplementation.h>

#include <propsys.h>
#include <thumbcache.h>

namespace pelmora::thumb {

class CPelmoraExtThumb final
    : public com::ComObject<
          CPelmoraExtThumb,
          com::DispatchImplementation<IPelmoraExtThumb, &IID_IPelmoraExtThumb, &LIBID_PelmoraThumbLib>,
          IInitializeWithStream, IThumbnailProvider> {
  public:
    CPelmoraExtThumb(com::ModuleLock& module, IUnknown* outer) : ComObject(module, outer) {}

    // Keeps the stream (null lets go of the one held); always S_OK.
    HRESULT STDMETHODCALLTYPE Initialize(IStream* stream, DWORD mode) override;
    // Lets go of the stream whatever happens; the alpha type is WTSAT_RGB even on failure.
    HRESULT STDMETHODCALLTYPE GetThumbnail(UINT size, HBITMAP* bitmap, WTS_ALPHATYPE* alphaType) override;

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override;

    com::ComPtr<IStream> stream_;
};

}  // namespace pelmora::thumb
