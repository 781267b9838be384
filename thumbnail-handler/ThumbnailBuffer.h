// The thumbnail image buffer the server hands over: a 40-byte BITMAPINFOHEADER (little-endian) and the
// bottom-up pixel rows right behind it, each padded to a multiple of 4 bytes. The bytes come from another
// process and are checked here, before anything reads them, without Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pelmora::thumb {

inline constexpr std::size_t thumbnailHeaderSize = 40;

struct ThumbnailPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    // Bytes per row, padding included.
    std::uint64_t stride = 0;
};

// The picture the buffer declares, when the buffer holds a drawable one: biSize 40, width and height above
// 0, one plane, 16, 24 or 32 bits per pixel, BI_RGB, no colour table entries (GDI would look for them at
// byte 40, where the pixels are), and at least 40 + stride * height bytes. Extra bytes at the end are
// allowed. Reads nothing beyond length bytes.
std::optional<ThumbnailPicture> readThumbnailPicture(const std::uint8_t* bytes, std::size_t length);

struct ThumbnailSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The bitmap's size: each axis of the picture clamped by the requested length on that axis alone, so a
// picture is squeezed where it is too large and never enlarged.
ThumbnailSize thumbnailSize(const ThumbnailPicture& picture, std::int32_t requestedWidth,
                            std::int32_t requestedHeight);

}  // namespace pelmora::thumb
