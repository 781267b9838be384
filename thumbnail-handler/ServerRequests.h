// One thumbnail request to the thumbnail server: each creates its own server object (COM starts the server
// when none runs), makes one call and releases the object again. Failures are reported to the event log.
#pragma once

#include <pelmora/com/ComPtr.h>

#include <objidl.h>

#include <cstdint>

namespace pelmora::thumb {

// IThumbExtractor::createImage with the path; the image buffer, or null.
com::UniqueBstr requestFileImage(const wchar_t* path, std::int32_t width, std::int32_t height);

// IExtThumbExtractor::createImage with the stream, which COM hands to the server process; the image buffer,
// or null.
com::UniqueBstr requestStreamImage(IStream* stream, std::int32_t width, std::int32_t height);

}  // namespace pelmora::thumb
