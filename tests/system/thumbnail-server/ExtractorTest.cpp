// Both extractor classes through COM and the real server process, as the Explorer handler calls them: the
// renderer's bytes come back unchanged, the stream is read once and at most 20,000 bytes of it are passed.
#include "ServerClient.h"
#include "ServerInstallation.h"
#include "TestPicture.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pelmora::test {
namespace {

using com::ComPtr;
using com::UniqueBstr;

std::string hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned>(value));
    return text;
}

std::string checksumOf(const std::string& bytes, std::size_t from, std::size_t count) {
    return hex(testChecksum(reinterpret_cast<const std::uint8_t*>(bytes.data()) + from, count));
}

class ExtractorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        installation_ = std::make_unique<ServerInstallation>(L"thumbsrv-calls");
        ASSERT_EQ(installation_->registerServer(), 0u);
    }
    static void TearDownTestSuite() { installation_.reset(); }

    void SetUp() override {
        waitForServersToEnd();
        installation().clearLog();
    }
    void TearDown() override { waitForServersToEnd(); }

    static ServerInstallation& installation() { return *installation_; }

    ComPtr<IStream> streamOver(const std::string& bytes) {
        const std::wstring path = installation().folder().createFile(L"game.sgf", bytes);
        ComPtr<IStream> stream;
        EXPECT_EQ(SHCreateStreamOnFileEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE,
                                         FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, stream.receive()),
                  S_OK);
        return stream;
    }

    ComApartment apartment;

  private:
    static inline std::unique_ptr<ServerInstallation> installation_;
};

TEST_F(ExtractorTest, APathRequestGivesTheRenderersBytesAndLeavesTheCallersTextAlone) {
    installation().setScript(L"render=image:200x150x24");
    ComPtr<IThumbExtractor> extractor;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);
    const std::wstring path = L"C:\\Games\\Gäme 1.sgf";
    UniqueBstr text(SysAllocString(path.c_str()));
    BSTR textValue = text.get();
    UniqueBstr image;
    ASSERT_EQ(extractor->createImage(&textValue, 200, 150, image.receive()), S_OK);
    ASSERT_TRUE(image);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(200, 150, 24));
    EXPECT_EQ(textValue, text.get());
    EXPECT_EQ(std::wstring(text.get()), path);

    const auto calls = installation().logLinesStartingWith("render variant=");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("render variant=path text=C:\\Games\\G", 0), 0u) << calls[0];
    EXPECT_NE(calls[0].find(" x=200 y=150 first=1 "), std::string::npos) << calls[0];
    // One daemon attach and one detach per request.
    EXPECT_EQ(installation().logLinesStartingWith("attach ").size(), 1u);
    EXPECT_NE(installation().logLinesStartingWith("attach ")[0].find("daemon=1"), std::string::npos);
    EXPECT_EQ(installation().logLinesStartingWith("detach ").size(), 1u);
}

TEST_F(ExtractorTest, IDispatchReachesTheSameMethodThroughTheRegisteredTypeLibrary) {
    installation().setScript(L"render=image:64x32x32");
    ComPtr<IThumbExtractor> extractor;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", extractor), S_OK);

    UINT count = 0;
    EXPECT_EQ(extractor->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(extractor->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.receive()), DISP_E_BADINDEX);
    ASSERT_EQ(extractor->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.receive()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualIID(attributes->guid, IID_IThumbExtractor));
    info->ReleaseTypeAttr(attributes);

    wchar_t methodName[] = L"createImage";
    LPOLESTR names[] = {methodName};
    DISPID id = 0;
    ASSERT_EQ(extractor->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 1);

    UniqueBstr text(SysAllocString(L"C:\\Games\\dispatch.sgf"));
    BSTR textValue = text.get();
    VARIANT result;
    ASSERT_EQ(invokeCreateImage(extractor.get(), &textValue, 64, 32, LOCALE_USER_DEFAULT, &result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    UniqueBstr image(result.bstrVal);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(64, 32, 32));
    const auto calls =
        installation().logLinesStartingWith("render variant=path text=C:\\Games\\dispatch.sgf x=64 y=32");
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ExtractorTest, EachClassAnswersItsOwnInterfacesOnly) {
    ComPtr<IThumbExtractor> thumb;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ThumbExtractor", thumb), S_OK);
    ComPtr<IExtThumbExtractor> ext;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ExtThumbExtractor", ext), S_OK);
    ComPtr<IUnknown> answer;
    EXPECT_EQ(thumb->QueryInterface(IID_IDispatch, answer.receiveVoid()), S_OK);
    EXPECT_EQ(thumb->QueryInterface(IID_IUnknown, answer.receiveVoid()), S_OK);
    EXPECT_EQ(thumb->QueryInterface(IID_IExtThumbExtractor, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(thumb->QueryInterface(IID_IStream, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(ext->QueryInterface(IID_IDispatch, answer.receiveVoid()), S_OK);
    EXPECT_EQ(ext->QueryInterface(IID_IThumbExtractor, answer.receiveVoid()), E_NOINTERFACE);
    EXPECT_EQ(ext->QueryInterface(IID_IPersistFile, answer.receiveVoid()), E_NOINTERFACE);
}

TEST_F(ExtractorTest, AStreamIsReadOnceFromWhereItStandsAndAtMost20000BytesReachTheRenderer) {
    installation().setScript(L"render=image:96x96x16");
    const std::string content = countingBytes(25000);
    ComPtr<IStream> stream = streamOver(content);
    ComPtr<IExtThumbExtractor> extractor;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ExtThumbExtractor", extractor), S_OK);

    UniqueBstr image;
    ASSERT_EQ(extractor->createImage(stream.get(), 96, 96, image.receive()), S_OK);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(96, 96, 16));

    // A stream that stands elsewhere is not rewound; what is left of it is shorter than the limit.
    LARGE_INTEGER offset{};
    offset.QuadPart = 10000;
    ASSERT_EQ(stream->Seek(offset, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(extractor->createImage(stream.get(), 256, 256, image.receive()), S_OK);

    const auto calls = installation().logLinesStartingWith("render variant=bytes");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rfind("render variant=bytes count=20000 checksum=" + checksumOf(content, 0, 20000) +
                                 " x=96 y=96 first=1 ",
                             0),
              0u)
        << calls[0];
    EXPECT_EQ(calls[1].rfind("render variant=bytes count=15000 checksum=" +
                                 checksumOf(content, 10000, 15000) + " x=256 y=256 ",
                             0),
              0u)
        << calls[1];
}

TEST_F(ExtractorTest, CreateImageSgfPassesEveryByteOfTheBstr) {
    installation().setScript(L"render=image:40x30x24");
    const std::string content = countingBytes(1000);
    UniqueBstr sgf(SysAllocStringByteLen(content.data(), static_cast<UINT>(content.size())));
    BSTR sgfValue = sgf.get();
    ComPtr<IExtThumbExtractor> extractor;
    ASSERT_EQ(createByProgId(L"PelmoraThumbSrv.ExtThumbExtractor", extractor), S_OK);
    UniqueBstr image;
    ASSERT_EQ(extractor->createImageSgf(&sgfValue, 40, 30, image.receive()), S_OK);
    EXPECT_EQ(bytesOf(image), testPictureBuffer(40, 30, 24));
    const auto calls = installation().logLinesStartingWith("render variant=bytes");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("render variant=bytes count=1000 checksum=" + checksumOf(content, 0, 1000), 0),
              0u)
        << calls[0];
}

TEST_F(ExtractorTest, AFailingReadGivesTheRendererAnEmptyArray) {
    installation().setScript(L"render=image:16x16x24");
    const ClientRun run = installation().runClient(L"failing-stream 16 16");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("hr=0x00000000 bytes=" + std::to_string(testPictureBuffer(16, 16, 24).size())),
              std::string::npos)
        << run.output;
    const auto calls = installation().logLinesStartingWith("render variant=bytes");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("render variant=bytes count=0 ", 0), 0u) << calls[0];
    EXPECT_TRUE(run.events.empty());
}

struct NoImageCase {
    const wchar_t* script;
    const wchar_t* client;
    const char* detail;
};

class NoImageTest : public ExtractorTest, public ::testing::WithParamInterface<NoImageCase> {};

TEST_P(NoImageTest, GivesSuccessANullImageAndExactlyOneEvent) {
    installation().setScript(GetParam().script);
    const std::wstring sample = installation().folder().createFile(L"no-image.sgf", "(;GM[1]SZ[9])");
    const ClientRun run = installation().runClient(std::wstring(GetParam().client) + L" 96 96 " + sample);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("hr=0x00000000 image=null"), std::string::npos) << run.output;
    ASSERT_EQ(run.events.size(), 1u) << run.output;
    EXPECT_EQ(run.events[0].message, "Pelmora Thumbnail Generation failed");
    EXPECT_EQ(run.events[0].detail, GetParam().detail);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, NoImageTest,
                         ::testing::Values(NoImageCase{L"render=null", L"path", "path-based, no image"},
                                           NoImageCase{L"render=throw", L"path", "path-based, no image"},
                                           NoImageCase{L"render=null", L"stream", "stream based, no image"},
                                           NoImageCase{L"render=throw", L"stream", "stream based, no image"},
                                           NoImageCase{L"render=throw", L"sgf", "stream based, no image"}));

TEST_F(ExtractorTest, AnEmptyArrayIsAnEmptyImageAndNoEvent) {
    installation().setScript(L"render=empty");
    const ClientRun run = installation().runClient(L"path 96 96 C:\\empty.sgf");
    EXPECT_NE(run.output.find("hr=0x00000000 bytes=0"), std::string::npos) << run.output;
    EXPECT_TRUE(run.events.empty()) << run.output;
}

}  // namespace
}  // namespace pelmora::test
