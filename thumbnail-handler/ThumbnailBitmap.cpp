#include "ThumbnailBitmap.h"

#include "ThumbnailBuffer.h"

#include <pelmora/Win32Handles.h>
#include <pelmora/com/ComPtr.h>

namespace pelmora::thumb {
HRESULT createThumbnailBitmap(com::UniqueBstr owned, HBITMAP* bitmap, std::int32_t requestedWidth,
                              std::int32_t requestedHeight) {
    if (!owned || !bitmap) return E_FAIL;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(owned.get());
    const auto picture = readThumbnailPicture(bytes, SysStringByteLen(owned.get()));
    if (!picture || requestedWidth < 1 || requestedHeight < 1) return E_FAIL;
    const ThumbnailSize size = thumbnailSize(*picture, requestedWidth, requestedHeight);

    const MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return E_FAIL;
    const int bitsPerPixel = GetDeviceCaps(dc.get(), BITSPIXEL);
    const int planes = GetDeviceCaps(dc.get(), PLANES);
    GdiBitmap result(CreateBitmap(size.width, size.height, static_cast<UINT>(planes),
                                  static_cast<UINT>(bitsPerPixel), nullptr));
    if (!result) return E_FAIL;
    {
        const GdiSelection selection(dc.get(), result.get());
        if (!selection.succeeded()) return E_FAIL;
        SetStretchBltMode(dc.get(), COLORONCOLOR);
        SetBrushOrgEx(dc.get(), 0, 0, nullptr);
        // The header doubles as the BITMAPINFO; it was checked to declare no colour table.
        const int lines = StretchDIBits(dc.get(), 0, 0, size.width, size.height, 0, 0, picture->width,
                                        picture->height, bytes + thumbnailHeaderSize,
                                        reinterpret_cast<const BITMAPINFO*>(bytes), DIB_RGB_COLORS, SRCCOPY);
        if (lines <= 0) return E_FAIL;  // 0 or GDI_ERROR
    }
    *bitmap = result.release();
    return S_OK;
}

}  // namespace pelmora::thumb
