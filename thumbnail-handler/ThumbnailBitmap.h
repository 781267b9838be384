// Turns the thumbnail image buffer the server returned into the bitmap Explorer receives.
#pragma once

#include <windows.h>

#include <pelmora/com/ComPtr.h>

#include <cstdint>

namespace pelmora::thumb {

// Takes the buffer (a BSTR holding the thumbnail image buffer, or null) and frees it on every path.
// On success bitmap receives a screen-format HBITMAP, which the caller owns: each axis is the smaller of the
// picture's and the requested length, and the whole picture is stretched into it with COLORONCOLOR. E_FAIL,
// with bitmap left alone, for no buffer, a buffer that holds no drawable picture, a requested length below
// 1, or a failing GDI call; nothing is left behind then.
HRESULT createThumbnailBitmap(com::UniqueBstr buffer, HBITMAP* bitmap, std::int32_t requestedWidth,
                              std::int32_t requestedHeight);

}  // namespace pelmora::thumb
