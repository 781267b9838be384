// explorer-thumbnail: asks for the thumbnail of a game record the way Explorer does, through the handler
// registered for the file's type, and saves the bitmap it gets.
//
//   explorer-thumbnail stream <size> <file> [out.bmp]     IInitializeWithStream + IThumbnailProvider
//   explorer-thumbnail path   <size> <file> [out.bmp]     IPersistFile + IExtractImage, size x size
//   explorer-thumbnail repeat <n> <size> <file> [threads] n stream requests over threads; prints the time
//
// The handler's class is the one named under HKEY_CLASSES_ROOT\<extension>\shellex\<key>. Output:
// "hr=0x........ bitmap=none", or "hr=0x........ bitmap=WxH" with the picture written as a 24-bit .bmp file
// when one is named. Exit code 0 when a bitmap came back.
#include "BitmapPixels.h"

#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <shlwapi.h>
#include <shobjidl.h>
#include <thumbcache.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using pelmora::com::ComPtr;

namespace {

constexpr const wchar_t* thumbnailProviderKey = L"{E357FCCD-A995-4576-B01F-234630154E96}";
constexpr const wchar_t* extractImageKey = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";

// The class registered for the file's extension under the shell's key, as Explorer looks it up.
HRESULT handlerClassFor(const std::wstring& file, const wchar_t* shellKey, CLSID& clsid) {
    const wchar_t* extension = PathFindExtensionW(file.c_str());
    const std::wstring key = std::wstring(extension) + L"\\shellex\\" + shellKey;
    wchar_t text[64];
    DWORD size = sizeof(text);
    const LSTATUS status =
        RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
    return CLSIDFromString(text, &clsid);
}

template <class Interface>
HRESULT createHandler(const std::wstring& file, const wchar_t* shellKey, ComPtr<Interface>& handler) {
    CLSID clsid;
    const HRESULT found = handlerClassFor(file, shellKey, clsid);
    if (FAILED(found)) return found;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), handler.receiveVoid());
}

HRESULT streamThumbnail(const std::wstring& file, UINT size, HBITMAP& bitmap) {
    ComPtr<IInitializeWithStream> handler;
    HRESULT result = createHandler(file, thumbnailProviderKey, handler);
    if (FAILED(result)) return result;
    ComPtr<IStream> stream;
    result = SHCreateStreamOnFileEx(file.c_str(), STGM_READ | STGM_SHARE_DENY_NONE, FILE_ATTRIBUTE_NORMAL,
                                    FALSE, nullptr, stream.receive());
    if (FAILED(result)) return result;
    result = handler->Initialize(stream.get(), STGM_READ);
    if (FAILED(result)) return result;
    ComPtr<IThumbnailProvider> provider;
    result = handler->QueryInterface(__uuidof(IThumbnailProvider), provider.receiveVoid());
    if (FAILED(result)) return result;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    return provider->GetThumbnail(size, &bitmap, &alpha);
}

HRESULT pathThumbnail(const std::wstring& file, LONG size, HBITMAP& bitmap) {
    ComPtr<IPersistFile> handler;
    HRESULT result = createHandler(file, extractImageKey, handler);
    if (FAILED(result)) return result;
    result = handler->Load(file.c_str(), STGM_READ);
    if (FAILED(result)) return result;
    ComPtr<IExtractImage> extractor;
    result = handler->QueryInterface(IID_IExtractImage, extractor.receiveVoid());
    if (FAILED(result)) return result;
    wchar_t location[MAX_PATH] = L"";
    DWORD priority = 0;
    DWORD flags = IEIFLAG_ORIGSIZE;
    const SIZE wanted{size, size};
    result = extractor->GetLocation(location, MAX_PATH, &priority, &wanted, 32, &flags);
    if (FAILED(result)) return result;
    return extractor->Extract(&bitmap);
}

// A bottom-up 24-bit .bmp file of the pixels.
bool writeBmp(const wchar_t* path, const pelmora::test::BitmapPixels& pixels) {
    const std::size_t stride = (static_cast<std::size_t>(pixels.width) * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<DWORD>(stride * static_cast<std::size_t>(pixels.height));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = imageSize;
    std::vector<std::uint8_t> rows(imageSize, 0);
    for (int row = 0; row < pixels.height; ++row) {
        std::uint8_t* out = rows.data() + static_cast<std::size_t>(pixels.height - 1 - row) * stride;
        for (int column = 0; column < pixels.width; ++column) {
            const auto& colour = pixels.at(column, row);
            *out++ = colour.blue;
            *out++ = colour.green;
            *out++ = colour.red;
        }
    }
    FILE* output = _wfopen(path, L"wb");
    if (!output) return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, output) == 1 &&
                         std::fwrite(&info, sizeof(info), 1, output) == 1 &&
                         std::fwrite(rows.data(), 1, rows.size(), output) == rows.size();
    return std::fclose(output) == 0 && written;
}

int report(HRESULT result, HBITMAP bitmap, const wchar_t* out) {
    const auto pixels = pelmora::test::readBitmapPixels(bitmap);
    if (bitmap) DeleteObject(bitmap);
    if (!pixels) {
        std::printf("hr=0x%08lx bitmap=none\n", static_cast<unsigned long>(result));
        return 1;
    }
    std::printf("hr=0x%08lx bitmap=%dx%d\n", static_cast<unsigned long>(result), pixels->width,
                pixels->height);
    if (out && !writeBmp(out, *pixels)) {
        std::printf("cannot write %ls\n", out);
        return 1;
    }
    return 0;
}

// count stream requests spread over threads, each thread an Explorer thread with its own apartment; prints
// the time they all took. Exit code 0 when every request gave a bitmap.
int repeat(int count, UINT size, const wchar_t* file, int threadCount) {
    std::atomic<int> next{0};
    std::atomic<int> failed{0};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::vector<std::thread> threads;
    for (int t = 0; t < std::max(threadCount, 1); ++t) {
        threads.emplace_back([&] {
            CoInitialize(nullptr);
            while (next++ < count) {
                HBITMAP bitmap = nullptr;
                if (FAILED(streamThumbnail(file, size, bitmap))) ++failed;
                if (bitmap) DeleteObject(bitmap);
            }
            CoUninitialize();
        });
    }
    for (auto& thread : threads) thread.join();
    QueryPerformanceCounter(&end);
    std::printf("requests=%d threads=%d failed=%d ms=%.1f\n", count, threadCount, failed.load(),
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    return failed == 0 ? 0 : 1;
}

int run(int argc, wchar_t** argv) {
    if (argc < 4) return 64;
    const std::wstring verb = argv[1];
    if (verb == L"repeat") {
        if (argc < 5) return 64;
        return repeat(_wtoi(argv[2]), static_cast<UINT>(_wtoi(argv[3])), argv[4],
                      argc > 5 ? _wtoi(argv[5]) : 1);
    }
    const int size = _wtoi(argv[2]);
    const wchar_t* out = argc > 4 ? argv[4] : nullptr;
    HBITMAP bitmap = nullptr;
    HRESULT result = E_INVALIDARG;
    if (verb == L"stream") {
        result = streamThumbnail(argv[3], static_cast<UINT>(size), bitmap);
    } else if (verb == L"path") {
        result = pathThumbnail(argv[3], size, bitmap);
    } else {
        return 64;
    }
    return report(result, bitmap, out);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitialize(nullptr);
    const int code = run(argc, argv);
    std::fflush(stdout);
    CoUninitialize();
    return code;
}
