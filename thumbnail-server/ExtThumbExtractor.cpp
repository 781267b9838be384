#include "ExtThumbExtractor.h"

#include "ThumbRenderer.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/InterfaceTable.h>

#include <algorithm>
#include <cstdint>

namespace pelmora::thumbsrv {

HRESULT CExtThumbExtractor::queryOwnInterface(REFIID iid, void** object) {
    IExtThumbExtractor* self = this;
    return com::answerFromInterfaceTable(
        {{IID_IUnknown, self}, {IID_IDispatch, self}, {IID_IExtThumbExtractor, self}}, iid, object);
}

HRESULT CExtThumbExtractor::createImage(IStream* stream, unsigned short x, unsigned short y, BSTR* image) {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!stream) return E_INVALIDARG;
    std::uint8_t buffer[readLimit];
    ULONG read = 0;
    // One Read from where the stream stands; its result does not matter, only the count it reports. The
    // count comes from another process and is never trusted beyond the buffer.
    stream->Read(buffer, static_cast<ULONG>(readLimit), &read);
    const auto count = static_cast<std::uint32_t>(std::min<ULONG>(read, readLimit));
    return com::comBoundary([&] {
        *image = renderFromBytes(buffer, count, x, y);
        return S_OK;
    });
}

HRESULT CExtThumbExtractor::createImageSgf(BSTR* sgf, unsigned short x, unsigned short y, BSTR* image) {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!sgf) return E_INVALIDARG;
    const BSTR data = *sgf;
    return com::comBoundary([&] {
        *image = renderFromBytes(reinterpret_cast<const std::uint8_t*>(data), SysStringByteLen(data), x, y);
        return S_OK;
    });
}

}  // namespace pelmora::thumbsrv
