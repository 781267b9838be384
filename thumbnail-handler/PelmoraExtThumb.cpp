#include "PelmoraExtThumb.h"

#include "ServerRequests.h"
#include "ThumbnailBitmap.h"

#include <pelmora/com/InterfaceTable.h>

#include <utility>

namespace pelmora::thumb {

HRESULT CPelmoraExtThumb::queryOwnInterface(REFIID iid, void** object) {
    IPelmoraExtThumb* own = this;
    IInitializeWithStream* initialize = this;
    IThumbnailProvider* provider = this;
    return com::answerFromInterfaceTable({{IID_IUnknown, own},
                                          {IID_IPelmoraExtThumb, own},
                                          {IID_IDispatch, own},
                                          {IID_IInitializeWithStream, initialize},
                                          {__uuidof(IThumbnailProvider), provider}},
                                         iid, object);
}

HRESULT CPelmoraExtThumb::Initialize(IStream* stream, DWORD) {
    if (stream == stream_.get()) return S_OK;
    // The new stream gains its reference before the old one loses its own.
    if (stream) stream->AddRef();
    stream_ = com::ComPtr<IStream>::adopt(stream);
    return S_OK;
}

HRESULT CPelmoraExtThumb::GetThumbnail(UINT size, HBITMAP* bitmap, WTS_ALPHATYPE* alphaType) {
    if (alphaType) *alphaType = WTSAT_RGB;
    const com::ComPtr<IStream> stream = std::exchange(stream_, {});
    if (!bitmap) return E_POINTER;
    *bitmap = nullptr;
    // Without a stream the server would have nothing to read.
    if (!stream) return E_FAIL;
    const auto length = static_cast<std::int32_t>(size);
    return createThumbnailBitmap(requestStreamImage(stream.get(), length, length).release(), bitmap, length,
                                 length);
}

}  // namespace pelmora::thumb
