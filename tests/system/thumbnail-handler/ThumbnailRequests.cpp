#include "ThumbnailRequests.h"

#include "PelmoraThumb.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace pelmora::test {

using com::ComPtr;

HRESULT streamThumbnail(const std::wstring& path, UINT size, GdiBitmap& bitmap, WTS_ALPHATYPE* alpha) {
    ComPtr<IInitializeWithStream> provider;
    HRESULT result = CoCreateInstance(CLSID_PelmoraExtThumb, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IInitializeWithStream, provider.receiveVoid());
    if (FAILED(result)) return result;
    return streamThumbnailWith(provider.get(), path, size, bitmap, alpha);
}

HRESULT streamThumbnailWith(IInitializeWithStream* provider, const std::wstring& path, UINT size,
                            GdiBitmap& bitmap, WTS_ALPHATYPE* alpha) {
    ComPtr<IStream> stream;
    HRESULT result = SHCreateStreamOnFileEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE,
                                            FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, stream.receive());
    if (FAILED(result)) return result;
    result = provider->Initialize(stream.get(), STGM_READ);
    if (FAILED(result)) return result;
    ComPtr<IThumbnailProvider> thumbnails;
    result = provider->QueryInterface(__uuidof(IThumbnailProvider), thumbnails.receiveVoid());
    if (FAILED(result)) return result;
    WTS_ALPHATYPE ignored = WTSAT_UNKNOWN;
    return thumbnails->GetThumbnail(size, bitmap.receive(), alpha ? alpha : &ignored);
}

HRESULT pathThumbnail(IExtractImage* extractor, const std::wstring& path, SIZE size, DWORD flags,
                      GdiBitmap& bitmap, HRESULT expectedLocation) {
    ComPtr<IPersistFile> file;
    HRESULT result = extractor->QueryInterface(IID_IPersistFile, file.receiveVoid());
    if (FAILED(result)) return result;
    result = file->Load(path.c_str(), STGM_READ);
    if (FAILED(result)) return result;
    wchar_t location[MAX_PATH] = L"";
    DWORD priority = 0;
    EXPECT_EQ(extractor->GetLocation(location, MAX_PATH, &priority, &size, 32, &flags), expectedLocation);
    return extractor->Extract(bitmap.receive());
}

ComPtr<IExtractImage> createExtractor() {
    ComPtr<IExtractImage> extractor;
    EXPECT_EQ(CoCreateInstance(CLSID_PelmoraExtractor, nullptr, CLSCTX_INPROC_SERVER, IID_IExtractImage,
                               extractor.receiveVoid()),
              S_OK);
    return extractor;
}

}  // namespace pelmora::test
