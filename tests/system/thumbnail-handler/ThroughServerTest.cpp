// Thumbnails as Explorer asks for them: the registered handler created by CLSID in this process, the real
// server started by COM, and the test Java runtime's renderer behind it. The pictures come back as bitmaps
// whose size and pixels are checked; failures on the way give E_FAIL and their events.
#include "BitmapPixels.h"
#include "ChildProcess.h"
#include "EventLogLines.h"
#include "HandlerInstallation.h"
#include "ModulePaths.h"
#include "RegistryFixture.h"
#include "ServerInstallation.h"
#include "TestPicture.h"
#include "ThroughServerFixture.h"
#include "ThumbnailRequests.h"
#include "Utf8Text.h"

#include <pelmora/com/ComPtr.h>

#include <shlwapi.h>
#include <shobjidl.h>
#include <thumbcache.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace pelmora::test {
namespace {

using com::ComPtr;

// Every pixel of the bitmap is the test picture's pixel at the same place.
void expectExactCopy(HBITMAP bitmap, int width, int height, int bitCount) {
    const auto pixels = readBitmapPixels(bitmap);
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->width, width);
    ASSERT_EQ(pixels->height, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            ASSERT_EQ(pixels->at(column, row), testPicturePixel(column, row, bitCount))
                << column << "," << row;
        }
    }
}

// A registry string that a test changes and that is put back as it was at the end.
class ChangedRegistryString {
  public:
    ChangedRegistryString(const std::wstring& key, const std::wstring& value) : key_(key) {
        EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, key_, L"", original_));
        registry_.setString(HKEY_CLASSES_ROOT, key_, L"", value);
    }
    ChangedRegistryString(const ChangedRegistryString&) = delete;
    ChangedRegistryString& operator=(const ChangedRegistryString&) = delete;
    ~ChangedRegistryString() { registry_.setString(HKEY_CLASSES_ROOT, key_, L"", original_); }

  private:
    std::wstring key_;
    std::wstring original_;
    RegistryFixture registry_;
};

TEST_F(ThroughServerTest, AStreamThumbnailIsTheRenderersPictureCopiedPixelForPixel) {
    server().setScript(L"render=image:200x150x24");
    GdiBitmap bitmap;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    ASSERT_EQ(streamThumbnail(gamePath, 256, bitmap, &alpha), S_OK);
    EXPECT_EQ(alpha, WTSAT_RGB);
    expectExactCopy(bitmap.get(), 200, 150, 24);
    // The server read the file's bytes through the stream and asked for 256 x 256.
    const std::string bytes = gameRecord;
    const auto calls = server().logLinesStartingWith("render variant=bytes");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(
        calls[0].find("count=" + std::to_string(bytes.size()) + " checksum=" +
                      testChecksumText(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) +
                      " x=256 y=256 first=1"),
        std::string::npos)
        << calls[0];
}

TEST_F(ThroughServerTest, LargerPicturesAreSqueezedIntoTheRequestedSquare) {
    server().setScript(L"render=image:300x200x32");
    GdiBitmap wide;
    ASSERT_EQ(streamThumbnail(gamePath, 256, wide), S_OK);
    auto pixels = readBitmapPixels(wide.get());
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 256);
    EXPECT_EQ(pixels->height, 200);
    EXPECT_EQ(squeezeProblem(*pixels, 300, 200, 32), "");

    GdiBitmap small;
    ASSERT_EQ(streamThumbnail(gamePath, 96, small), S_OK);
    pixels = readBitmapPixels(small.get());
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 96);
    EXPECT_EQ(pixels->height, 96);
    EXPECT_EQ(squeezeProblem(*pixels, 300, 200, 32), "");
    EXPECT_EQ(server().logLinesStartingWith("render variant=bytes").size(), 2u);
}

TEST_F(ThroughServerTest, ThePathProtocolHandsThePathOverAndDrawsTheResult) {
    server().setScript(L"render=image:200x150x16");
    ComPtr<IExtractImage> extractor = createExtractor();
    ASSERT_TRUE(extractor);
    GdiBitmap bitmap;
    ASSERT_EQ(pathThumbnail(extractor.get(), gamePath, {256, 256}, IEIFLAG_ORIGSIZE, bitmap), S_OK);
    expectExactCopy(bitmap.get(), 200, 150, 16);
    const auto calls = server().logLinesStartingWith("render variant=path");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find("text=" + toUtf8(gamePath) + " x=256 y=256 "), std::string::npos) << calls[0];

    // Later from a background thread, as Explorer does after E_PENDING; each Extract asks anew.
    GdiBitmap later;
    ASSERT_EQ(pathThumbnail(extractor.get(), gamePath, {96, 64}, IEIFLAG_ASYNC, later, E_PENDING), S_OK);
    const auto pixels = readBitmapPixels(later.get());
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 96);
    EXPECT_EQ(pixels->height, 64);
    EXPECT_EQ(server().logLinesStartingWith("render variant=path").size(), 2u);

    ComPtr<IExtractImage2> dated;
    ASSERT_EQ(extractor->QueryInterface(IID_IExtractImage2, dated.receiveVoid()), S_OK);
    FILETIME stamp{};
    ASSERT_EQ(dated->GetDateStamp(&stamp), S_OK);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    ASSERT_TRUE(GetFileAttributesExW(gamePath.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(CompareFileTime(&stamp, &attributes.ftLastWriteTime), 0);
}

TEST_F(ThroughServerTest, SizesBeyond16BitsReachTheServerCutWhileTheBitmapIsClampedByTheFullSize) {
    server().setScript(L"render=image:200x150x24");
    ComPtr<IExtractImage> extractor = createExtractor();
    ASSERT_TRUE(extractor);
    GdiBitmap bitmap;
    ASSERT_EQ(pathThumbnail(extractor.get(), gamePath, {65536 + 256, 65536 + 100}, 0, bitmap), S_OK);
    const auto calls = server().logLinesStartingWith("render variant=path");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NE(calls[0].find(" x=256 y=100 "), std::string::npos) << calls[0];
    expectExactCopy(bitmap.get(), 200, 150, 24);
}

TEST_F(ThroughServerTest, ARendererWithoutAPictureGivesEFailAndOnlyTheServersEvent) {
    server().setScript(L"render=null");
    const DebugOutputWatch watch;
    GdiBitmap bitmap;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    EXPECT_EQ(streamThumbnail(gamePath, 256, bitmap, &alpha), E_FAIL);
    EXPECT_EQ(alpha, WTSAT_RGB);
    EXPECT_EQ(bitmap.get(), nullptr);
    ComPtr<IExtractImage> extractor = createExtractor();
    ASSERT_TRUE(extractor);
    EXPECT_EQ(pathThumbnail(extractor.get(), gamePath, {256, 256}, 0, bitmap), E_FAIL);
    EXPECT_EQ(bitmap.get(), nullptr);
    waitForServersToEnd();
    EXPECT_EQ(watch.events(),
              (std::vector<ErrorEvent>{{"Pelmora Thumbnail Generation failed", "stream based, no image"},
                                       {"Pelmora Thumbnail Generation failed", "path-based, no image"}}));
}

TEST_F(ThroughServerTest, AServerObjectWithoutTheExpectedInterfaceIsReported) {
    server().setScript(L"render=image:8x8x24");
    const std::wstring thumbExtractor = clsidOfProgId(L"PelmoraThumbSrv.ThumbExtractor");
    const std::wstring extThumbExtractor = clsidOfProgId(L"PelmoraThumbSrv.ExtThumbExtractor");
    ASSERT_FALSE(thumbExtractor.empty() || extThumbExtractor.empty());
    const DebugOutputWatch watch;
    {
        // Each ProgID leads to the other class, which lacks the interface the request asks for.
        const ChangedRegistryString streamClass(L"PelmoraThumbSrv.ExtThumbExtractor\\CLSID", thumbExtractor);
        const ChangedRegistryString pathClass(L"PelmoraThumbSrv.ThumbExtractor\\CLSID", extThumbExtractor);
        GdiBitmap bitmap;
        EXPECT_EQ(streamThumbnail(gamePath, 256, bitmap), E_FAIL);
        ComPtr<IExtractImage> extractor = createExtractor();
        ASSERT_TRUE(extractor);
        EXPECT_EQ(pathThumbnail(extractor.get(), gamePath, {256, 256}, 0, bitmap), E_FAIL);
        EXPECT_EQ(bitmap.get(), nullptr);
    }
    EXPECT_EQ(watch.events(),
              (std::vector<ErrorEvent>{{"Pelmora thumbail stream generation", "Error getting generator"},
                                       {"Pelmora thumbails generation (file)", "Error in QueryInterface"}}));
    EXPECT_TRUE(server().logLinesStartingWith("render variant").empty());
}

TEST_F(ThroughServerTest, ARequestWhoseServerIsKilledIsAskedOnceMoreOfAFreshServer) {
    const std::wstring eventName = L"PelmoraHandlerTestHoldRender";
    const KernelHandle hold(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    server().setScript(L"render=image:64x48x24;render-wait=" + eventName);
    HRESULT result = E_UNEXPECTED;
    std::optional<BitmapPixels> pixels;
    const DebugOutputWatch watch;
    std::thread explorer([&] {
        CoInitialize(nullptr);
        {
            ComPtr<IInitializeWithStream> provider;
            if (SUCCEEDED(CoCreateInstance(CLSID_PelmoraExtThumb, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IInitializeWithStream, provider.receiveVoid()))) {
                GdiBitmap bitmap;
                result = streamThumbnailWith(provider.get(), gamePath, 256, bitmap);
                pixels = readBitmapPixels(bitmap.get());
            }
        }
        CoUninitialize();
    });
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (server().logLinesStartingWith("render waiting").empty() && GetTickCount64() < deadline) Sleep(50);
    const bool rendering = !server().logLinesStartingWith("render waiting").empty();
    // The next server draws at once.
    server().setScript(L"render=image:64x48x24");
    killServers();
    explorer.join();
    ASSERT_TRUE(rendering) << "the request never reached the renderer";
    EXPECT_EQ(result, S_OK);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 64);
    EXPECT_EQ(pixels->height, 48);
    waitForServersToEnd();
    EXPECT_TRUE(watch.events().empty());
}

TEST_F(ThroughServerTest, ExplorerFindsTheHandlerOfSgfAndUgiFilesThroughTheirShellKeys) {
    server().setScript(L"render=image:120x90x24");
    const std::wstring ugiPath = server().folder().createFile(L"game two.ugi", gameRecord);
    const std::pair<const wchar_t*, std::wstring> requests[] = {
        {L"stream", gamePath}, {L"path", gamePath}, {L"stream", ugiPath}, {L"path", ugiPath}};
    for (const auto& [verb, path] : requests) {
        auto explorer =
            ChildProcess::start(binaryFolder() + L"\\explorer-thumbnail.exe",
                                std::wstring(verb) + L" 64 \"" + path + L"\"", L"", {}, Capture::output);
        const auto exitCode = explorer.waitForExit(60000);
        ASSERT_TRUE(exitCode);
        EXPECT_EQ(*exitCode, 0u) << explorer.output();
        EXPECT_EQ(explorer.output(), "hr=0x00000000 bitmap=64x64\r\n") << toUtf8(verb) << " " << toUtf8(path);
    }
    EXPECT_EQ(server().logLinesStartingWith("render variant=bytes").size(), 2u);
    EXPECT_EQ(server().logLinesStartingWith("render variant=path").size(), 2u);
}

TEST_F(ThroughServerTest, TheHandlerIsUnloadedOnceItsLastObjectIsGone) {
    server().setScript(L"render=image:8x8x24");
    {
        GdiBitmap bitmap;
        ASSERT_EQ(streamThumbnail(gamePath, 256, bitmap), S_OK);
        EXPECT_NE(GetModuleHandleW(handler().dllPath().c_str()), nullptr);
    }
    CoFreeUnusedLibrariesEx(0, 0);
    // The request thread keeps the DLL loaded for its idle period (300 ms here), then ends and lets go.
    for (int i = 0; i < 100 && GetModuleHandleW(handler().dllPath().c_str()) != nullptr; ++i) Sleep(50);
    EXPECT_EQ(GetModuleHandleW(handler().dllPath().c_str()), nullptr);
}

}  // namespace
}  // namespace pelmora::test
