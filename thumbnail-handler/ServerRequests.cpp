#include "ServerRequests.h"

#include "HandlerEvents.h"
#include "PelmoraThumbSrv.h"

namespace pelmora::thumb {
namespace {

using com::ComPtr;
using com::UniqueBstr;

// The server's classes are local servers; CLSCTX_ALL lets COM pick whatever is registered.
HRESULT createServerObject(const wchar_t* progId, ComPtr<IUnknown>& object) {
    CLSID clsid;
    const HRESULT found = CLSIDFromProgID(progId, &clsid);
    if (FAILED(found)) return found;
    return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.receiveVoid());
}

// The server takes sizes of 16 bits; larger ones arrive reduced modulo 65536.
unsigned short serverSize(std::int32_t length) {
    return static_cast<unsigned short>(length);
}

}  // namespace

UniqueBstr requestFileImage(const wchar_t* path, std::int32_t width, std::int32_t height) {
    ComPtr<IUnknown> object;
    if (FAILED(createServerObject(L"PelmoraThumbSrv.ThumbExtractor", object))) {
        reportError(events::fileGeneration, events::creationFailed);
        return {};
    }
    ComPtr<IThumbExtractor> extractor;
    if (FAILED(object->QueryInterface(IID_IThumbExtractor, extractor.receiveVoid()))) {
        reportError(events::fileGenerationQuery, events::queryFailed);
        return {};
    }
    UniqueBstr pathText(SysAllocString(path));
    if (!pathText) return {};
    BSTR pathValue = pathText.get();
    UniqueBstr image;
    if (FAILED(extractor->createImage(&pathValue, serverSize(width), serverSize(height), image.receive()))) {
        return {};
    }
    return image;
}

UniqueBstr requestStreamImage(IStream* stream, std::int32_t width, std::int32_t height) {
    ComPtr<IUnknown> object;
    if (FAILED(createServerObject(L"PelmoraThumbSrv.ExtThumbExtractor", object))) {
        reportError(events::streamGeneration, events::creationFailed);
        return {};
    }
    ComPtr<IExtThumbExtractor> extractor;
    if (FAILED(object->QueryInterface(IID_IExtThumbExtractor, extractor.receiveVoid()))) {
        reportError(events::streamGeneration, events::noGenerator);
        return {};
    }
    UniqueBstr image;
    if (FAILED(extractor->createImage(stream, serverSize(width), serverSize(height), image.receive()))) {
        reportError(events::previewFailed, L"");
        return {};
    }
    return image;
}

}  // namespace pelmora::thumb
