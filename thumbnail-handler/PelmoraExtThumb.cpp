#include "PelmoraExtThumb.h"

#include "ServerRequests.h"
#include "ThumbnailBitmap.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/InterfaceTable.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <utility>

namespace pelmora::thumb {
namespace {

// The renderer sees at most this much of a record.
constexpr ULONG recordStartLimit = 20000;

// The record's first bytes, read here with one Read from where the stream stands, so that the server gets
// them in its call instead of reading back across processes. Null only when memory runs out.
com::UniqueBstr readRecordStart(IStream* stream) {
    std::vector<char> buffer(recordStartLimit);
    ULONG read = 0;
    // Its result does not matter, only the count it reports, which is never believed beyond the buffer.
    stream->Read(buffer.data(), recordStartLimit, &read);
    return com::UniqueBstr(SysAllocStringByteLen(buffer.data(), std::min(read, recordStartLimit)));
}

// The stream's name as the shell gives it, for events; "stream" when it has none.
std::wstring streamName(IStream* stream) {
    STATSTG status = {};
    if (FAILED(stream->Stat(&status, STATFLAG_DEFAULT)) || !status.pwcsName) return L"stream";
    std::wstring name = status.pwcsName;
    CoTaskMemFree(status.pwcsName);
    return name;
}

}  // namespace

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
    return com::comBoundary([&] {
        // Without a stream, or for no picture at all, there is nothing to ask the server for.
        if (!stream || size < 1 || size > static_cast<UINT>(INT32_MAX)) return E_FAIL;
        const auto length = static_cast<std::int32_t>(size);
        com::UniqueBstr content = readRecordStart(stream.get());
        if (!content) return E_OUTOFMEMORY;
        return createThumbnailBitmap(
            requestContentImage(std::move(content), streamName(stream.get()), length, length), bitmap, length,
            length);
    });
}

}  // namespace pelmora::thumb
