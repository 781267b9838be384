// Thumbnails asked for as Explorer asks for them from the registered handler, in this process.
#pragma once

#include <pelmora/Win32Handles.h>
#include <pelmora/com/ComPtr.h>

#include <propsys.h>
#include <shobjidl.h>
#include <thumbcache.h>

#include <string>

namespace pelmora::test {

// The stream-based request: the provider by CLSID, a stream over the file, GetThumbnail(size).
HRESULT streamThumbnail(const std::wstring& path, UINT size, GdiBitmap& bitmap,
                        WTS_ALPHATYPE* alpha = nullptr);
// The same with a provider the caller made.
HRESULT streamThumbnailWith(IInitializeWithStream* provider, const std::wstring& path, UINT size,
                            GdiBitmap& bitmap, WTS_ALPHATYPE* alpha = nullptr);
// The path-based request: Load, GetLocation with the size and flags (expecting its result), Extract.
HRESULT pathThumbnail(IExtractImage* extractor, const std::wstring& path, SIZE size, DWORD flags,
                      GdiBitmap& bitmap, HRESULT expectedLocation = S_OK);
// A path-based extractor by CLSID; a failure to make one fails the test.
com::ComPtr<IExtractImage> createExtractor();

}  // namespace pelmora::test
