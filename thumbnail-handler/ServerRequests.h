// One thumbnail request to the thumbnail server: each creates its own server object (COM starts the server
// when none runs), makes one call and releases the object again. The request runs on a worker thread and the
// caller (an Explorer thread) waits at most a bound for it. Failures are reported to the event log.
#pragma once

#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <cstdint>
#include <string>

namespace pelmora::thumb {

// How long a thumbnail request may take in all: the server gives up on a render after 15 s and ends, so its
// answer normally comes first; this bound frees Explorer's thread even when the server cannot answer at all.
// PELMORA_THUMB_REQUEST_MS in the environment (a whole number of milliseconds) replaces it.
DWORD requestBoundMs();

// IThumbExtractor::createImage with the path; the image buffer, or null.
com::UniqueBstr requestFileImage(const std::wstring& path, std::int32_t width, std::int32_t height);

// IExtThumbExtractor::createImageSgf with the first bytes of the record (a BSTR holding bytes); record names
// it in events. The image buffer, or null.
com::UniqueBstr requestContentImage(com::UniqueBstr content, const std::wstring& record, std::int32_t width,
                                    std::int32_t height);

}  // namespace pelmora::thumb
