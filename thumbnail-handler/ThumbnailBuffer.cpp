#include "ThumbnailBuffer.h"

#include <algorithm>

namespace pelmora::thumb {
namespace {

std::uint32_t readUnsigned32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::int32_t readSigned32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(readUnsigned32(bytes));
}

std::uint16_t readUnsigned16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr std::uint32_t uncompressedRgb = 0;

}  // namespace

std::optional<ThumbnailPicture> readThumbnailPicture(const std::uint8_t* bytes, std::size_t length) {
    if (!bytes || length < thumbnailHeaderSize) return std::nullopt;
    if (readUnsigned32(bytes) != thumbnailHeaderSize) return std::nullopt;
    ThumbnailPicture picture;
    picture.width = readSigned32(bytes + 4);
    picture.height = readSigned32(bytes + 8);
    picture.bitCount = readUnsigned16(bytes + 14);
    const std::uint16_t planes = readUnsigned16(bytes + 12);
    const std::uint32_t compression = readUnsigned32(bytes + 16);
    const std::uint32_t coloursUsed = readUnsigned32(bytes + 32);
    if (picture.width <= 0 || picture.height <= 0 || planes != 1) return std::nullopt;
    if (picture.bitCount != 16 && picture.bitCount != 24 && picture.bitCount != 32) return std::nullopt;
    if (compression != uncompressedRgb || coloursUsed != 0) return std::nullopt;
    // At most (2^31 * 32 + 31) / 32 * 4 bytes per row: no overflow in 64 bits. The row count is compared by
    // division, so stride * height is never formed.
    picture.stride = (static_cast<std::uint64_t>(picture.width) * picture.bitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = length - thumbnailHeaderSize;
    if (pixelBytes / picture.stride < static_cast<std::uint64_t>(picture.height)) return std::nullopt;
    return picture;
}

ThumbnailSize thumbnailSize(const ThumbnailPicture& picture, std::int32_t requestedWidth,
                            std::int32_t requestedHeight) {
    return {std::min(requestedWidth, picture.width), std::min(requestedHeight, picture.height)};
}

}  // namespace pelmora::thumb
