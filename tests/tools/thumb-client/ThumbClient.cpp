// thumb-client: asks the thumbnail server for one thumbnail, as the Explorer handler does, and prints what
// came back. Tests run it as a child process so that they also see what the server it starts writes to
// the standard streams.
//
//   thumb-client path   <x> <y> <text>         IThumbExtractor::createImage
//   thumb-client invoke <x> <y> <text>         the same through IDispatch::Invoke, DISPID 1
//   thumb-client stream <x> <y> <file>         IExtThumbExtractor::createImage over a stream on the file
//   thumb-client failing-stream <x> <y>        ... over a stream whose Read fails
//   thumb-client sgf    <x> <y> <file>         IExtThumbExtractor::createImageSgf with the file's bytes
//   thumb-client hold   <ms>                   creates a ThumbExtractor, holds it ms, releases it
//   thumb-client repeat <n> <x> <y> <text>     n path requests on one object; prints the time they took
//
// Output: "hr=0x........ image=null", or "hr=0x........ bytes=N" with the image written to the file named
// by the environment variable THUMB_CLIENT_OUT when set. Exit code 0 when the calls could be made.
#include "ComCalls.h"
#include "PelmoraThumbSrv.h"
#include "ScriptedStream.h"

#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using pelmora::com::ComPtr;
using pelmora::com::UniqueBstr;
using pelmora::test::createByProgId;
using pelmora::test::invokeCreateImage;
using pelmora::test::ScriptedStream;

namespace {

std::string readBytes(const wchar_t* path) {
    std::string bytes;
    if (FILE* file = _wfopen(path, L"rb")) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, count);
        std::fclose(file);
    }
    return bytes;
}

int report(HRESULT result, const UniqueBstr& image) {
    if (!image) {
        std::printf("hr=0x%08lx image=null\n", static_cast<unsigned long>(result));
    } else {
        std::printf("hr=0x%08lx bytes=%u\n", static_cast<unsigned long>(result),
                    SysStringByteLen(image.get()));
        if (const wchar_t* out = _wgetenv(L"THUMB_CLIENT_OUT")) {
            if (FILE* file = _wfopen(out, L"wb")) {
                std::fwrite(image.get(), 1, SysStringByteLen(image.get()), file);
                std::fclose(file);
            }
        }
    }
    std::fflush(stdout);
    return 0;
}

int failed(const char* step, HRESULT result) {
    std::printf("%s failed hr=0x%08lx\n", step, static_cast<unsigned long>(result));
    std::fflush(stdout);
    return 2;
}

int run(int argc, wchar_t** argv) {
    if (argc < 3) return 64;
    const std::wstring verb = argv[1];
    if (verb == L"hold") {
        ComPtr<IThumbExtractor> extractor;
        const HRESULT created = createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor);
        if (FAILED(created)) return failed("create", created);
        std::printf("holding\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(_wtoi(argv[2])));
        return 0;
    }
    if (verb == L"repeat") {
        if (argc < 6) return 64;
        const int count = _wtoi(argv[2]);
        ComPtr<IThumbExtractor> extractor;
        const HRESULT created = createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor);
        if (FAILED(created)) return failed("create", created);
        UniqueBstr text(SysAllocString(argv[5]));
        BSTR textValue = text.get();
        const auto x = static_cast<unsigned short>(_wtoi(argv[3]));
        const auto y = static_cast<unsigned short>(_wtoi(argv[4]));
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        for (int i = 0; i < count; ++i) {
            UniqueBstr image;
            const HRESULT result = extractor->createImage(&textValue, x, y, image.receive());
            if (FAILED(result)) return failed("createImage", result);
        }
        QueryPerformanceCounter(&end);
        std::printf("requests=%d ms=%.1f\n", count,
                    1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
        std::fflush(stdout);
        return 0;
    }
    if (argc < 4) return 64;
    const auto x = static_cast<unsigned short>(_wtoi(argv[2]));
    const auto y = static_cast<unsigned short>(_wtoi(argv[3]));
    const wchar_t* argument = argc > 4 ? argv[4] : L"";
    UniqueBstr image;
    if (verb == L"path" || verb == L"invoke") {
        ComPtr<IThumbExtractor> extractor;
        const HRESULT created = createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor);
        if (FAILED(created)) return failed("create", created);
        UniqueBstr text(SysAllocString(argument));
        BSTR textValue = text.get();
        if (verb == L"path") return report(extractor->createImage(&textValue, x, y, image.receive()), image);
        VARIANT result;
        const HRESULT invoked =
            invokeCreateImage(extractor.get(), &textValue, x, y, LOCALE_USER_DEFAULT, &result);
        if (SUCCEEDED(invoked) && result.vt == VT_BSTR)
            image.reset(result.bstrVal);
        else
            VariantClear(&result);
        return report(invoked, image);
    }
    ComPtr<IExtThumbExtractor> extractor;
    const HRESULT created = createByProgId(L"PelmoraThumbSrv.ExtThumbExtractor", extractor);
    if (FAILED(created)) return failed("create", created);
    if (verb == L"stream") {
        ComPtr<IStream> stream;
        const HRESULT opened =
            SHCreateStreamOnFileEx(argument, STGM_READ | STGM_SHARE_DENY_NONE, FILE_ATTRIBUTE_NORMAL, FALSE,
                                   nullptr, stream.receive());
        if (FAILED(opened)) return failed("open", opened);
        return report(extractor->createImage(stream.get(), x, y, image.receive()), image);
    }
    if (verb == L"failing-stream") {
        // A Read that fails and reports nothing read.
        ScriptedStream stream("", 0, STG_E_READFAULT);
        return report(extractor->createImage(&stream, x, y, image.receive()), image);
    }
    if (verb == L"sgf") {
        const std::string bytes = readBytes(argument);
        UniqueBstr sgf(SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size())));
        BSTR sgfValue = sgf.get();
        return report(extractor->createImageSgf(&sgfValue, x, y, image.receive()), image);
    }
    return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const HRESULT initialized = CoInitialize(nullptr);
    if (FAILED(initialized)) return failed("CoInitialize", initialized);
    const int exitCode = run(argc, argv);
    CoUninitialize();
    return exitCode;
}
