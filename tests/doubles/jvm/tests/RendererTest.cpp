// The thumbnail renderer PelmoraThumb: found with the application's jar only, its two create methods with
// their exact descriptors, each scripted outcome through the calls the thumbnail server makes, what the log
// records of each call, and the picture it returns.
#include "ChildCases.h"
#include "JniHelpers.h"
#include "RendererFixture.h"
#include "TestPicture.h"

#include <tuple>

namespace testjvm_test {
namespace {

using pelmora::test::testChecksumText;
using pelmora::test::testPictureBuffer;
using pelmora::test::testPicturePixel;

TEST_F(RendererTest, PathVariantReturnsTheScriptedPictureAndTheLogRecordsTheCall) {
    useScript(L"render=image:200x150x24");
    createAsTheServerDoes();
    RenderRequest request = pathRequest(L"C:\\games\\caf\u00e9 game.sgf");
    request.x = 256;
    request.y = 192;
    const RenderReply reply = renderOnDaemonThread(vm_, request);
    ASSERT_TRUE(reply.called);
    EXPECT_FALSE(reply.threw);
    EXPECT_EQ(reply.bytes, testPictureBuffer(200, 150, 24));

    const std::string& t = reply.thread;
    const std::vector<std::string> expected = {
        "attach thread=" + t + " daemon=1",
        "findclass name=PelmoraThumb found=1",
        "call method=create thread=" + t + " count=4",
        "arg=1",
        u8"arg=C:\\games\\café game.sgf",
        "arg=256",
        "arg=192",
        u8"render variant=path text=C:\\games\\café game.sgf x=256 y=192 first=1 thread=" + t,
        "render result=image bytes=90040",
        "return method=create",
        "detach thread=" + t};
    EXPECT_EQ(linesOfThread(t), expected);
}

TEST_F(RendererTest, BytesVariantRecordsCountAndChecksumOfTheBytes) {
    useScript(L"render=image:7x5x16");
    createAsTheServerDoes();
    // Bytes above 127 as well: the checksum is over the bytes, not sign-extended values.
    const std::vector<std::uint8_t> file = {'(',  ';',  'G',  'M',  '[',  '1', ']',
                                            0x00, 0x80, 0xC3, 0xA9, 0xFF, ')'};
    RenderRequest request = bytesRequest(file);
    request.first = 3;
    request.x = 96;
    request.y = 48;
    const RenderReply reply = renderOnDaemonThread(vm_, request);
    ASSERT_TRUE(reply.called);
    EXPECT_EQ(reply.bytes, testPictureBuffer(7, 5, 16));

    const std::string& t = reply.thread;
    const std::string checksum = testChecksumText(file.data(), file.size());
    ASSERT_EQ(checksum.size(), 8u);
    const std::vector<std::string> expected = {
        "attach thread=" + t + " daemon=1",
        "findclass name=PelmoraThumb found=1",
        "call method=create thread=" + t + " count=4",
        "arg=3",
        "arg=[B length=13",
        "arg=96",
        "arg=48",
        "render variant=bytes count=13 checksum=" + checksum + " x=96 y=48 first=3 thread=" + t,
        "render result=image bytes=" + std::to_string(40 + 16 * 5),
        "return method=create",
        "detach thread=" + t};
    EXPECT_EQ(linesOfThread(t), expected);
}

TEST_F(RendererTest, EmptyByteArrayIsRecordedWithTheChecksumOfNothing) {
    useScript(L"render=empty");
    createAsTheServerDoes();
    const RenderReply reply = renderOnDaemonThread(vm_, bytesRequest({}));
    ASSERT_TRUE(reply.called);
    EXPECT_EQ(linesStartingWith(logLines(), "render "),
              (std::vector<std::string>{
                  "render variant=bytes count=0 checksum=811c9dc5 x=256 y=192 first=1 thread=" + reply.thread,
                  "render result=empty"}));
}

struct ScriptedOutcome {
    const wchar_t* script;
    bool byPath;
    // Expected: a thrown exception, a null result, or these many bytes.
    bool throws;
    bool returnsNull;
    std::size_t length;
    const char* resultLine;
};

std::ostream& operator<<(std::ostream& out, const ScriptedOutcome& outcome) {
    const std::wstring script = outcome.script == nullptr ? L"(no script)" : outcome.script;
    return out << lowBytes(script) << (outcome.byPath ? " by path" : " by bytes");
}

class RendererOutcomeTest : public RendererTest, public ::testing::WithParamInterface<ScriptedOutcome> {};

TEST_P(RendererOutcomeTest, EachVariantFollowsTheScript) {
    const ScriptedOutcome& outcome = GetParam();
    if (outcome.script != nullptr) useScript(outcome.script);
    createAsTheServerDoes();
    const RenderReply reply =
        renderOnDaemonThread(vm_, outcome.byPath ? pathRequest(L"C:\\a.sgf") : bytesRequest({'(', ';', ')'}));
    ASSERT_TRUE(reply.called);
    EXPECT_EQ(reply.threw, outcome.throws);
    EXPECT_EQ(reply.returnedNull, outcome.returnsNull);
    EXPECT_EQ(reply.bytes.size(), outcome.length);

    const std::vector<std::string> lines = linesOfThread(reply.thread);
    const int result = indexOfLine(lines, outcome.resultLine);
    ASSERT_GE(result, 1) << ::testing::PrintToString(lines);
    EXPECT_EQ(
        lines[static_cast<std::size_t>(result) - 1].rfind(
            outcome.byPath ? "render variant=path text=C:\\a.sgf " : "render variant=bytes count=3 ", 0),
        0u);
    EXPECT_EQ(lines.at(static_cast<std::size_t>(result) + 1),
              outcome.throws ? "throw method=create" : "return method=create");
    if (outcome.throws) {
        EXPECT_EQ(lines.at(static_cast<std::size_t>(result) + 2),
                  "describe java.lang.IllegalStateException: render failed");
    }
    EXPECT_EQ(linesStartingWith(logLines(), "render result=").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, RendererOutcomeTest,
    ::testing::Values(
        ScriptedOutcome{nullptr, true, false, true, 0, "render result=null"},
        ScriptedOutcome{nullptr, false, false, true, 0, "render result=null"},
        ScriptedOutcome{L"render=null", true, false, true, 0, "render result=null"},
        ScriptedOutcome{L"render=image:3x3x32;render=null", false, false, true, 0, "render result=null"},
        ScriptedOutcome{L"render=empty", true, false, false, 0, "render result=empty"},
        ScriptedOutcome{L"render=empty", false, false, false, 0, "render result=empty"},
        ScriptedOutcome{L"render=throw", true, true, false, 0, "render result=throw"},
        ScriptedOutcome{L"render=throw", false, true, false, 0, "render result=throw"},
        ScriptedOutcome{L"render=image:2x2x32", true, false, false, 56, "render result=image bytes=56"},
        ScriptedOutcome{L"render=empty;render=image:2x2x32", false, false, false, 56,
                        "render result=image bytes=56"}),
    [](const ::testing::TestParamInfo<ScriptedOutcome>& parameter) {
        std::string name = "case" + std::to_string(parameter.index);
        return name + (parameter.param.byPath ? "Path" : "Bytes");
    });

class RendererPictureTest : public RendererTest,
                            public ::testing::WithParamInterface<std::tuple<int, int, int>> {};

// Decoded byte by byte here rather than only compared with the shared picture, so that a fault in both
// would still show.
TEST_P(RendererPictureTest, PictureIsABottomUpDibWithZeroPadding) {
    const auto [width, height, bitCount] = GetParam();
    useScript(L"render=image:" + std::to_wstring(width) + L"x" + std::to_wstring(height) + L"x" +
              std::to_wstring(bitCount));
    createAsTheServerDoes();
    const RenderReply reply = renderOnDaemonThread(vm_, pathRequest(L"C:\\b.sgf"));
    ASSERT_TRUE(reply.called);
    const std::vector<std::uint8_t>& bytes = reply.bytes;
    EXPECT_EQ(bytes, testPictureBuffer(width, height, bitCount));

    const std::size_t pixelBytes = static_cast<std::size_t>(bitCount / 8);
    const std::size_t stride = (pixelBytes * static_cast<std::size_t>(width) + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 40 + stride * static_cast<std::size_t>(height));
    const auto word = [&](std::size_t at, std::size_t size) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
        return value;
    };
    EXPECT_EQ(word(0, 4), 40u);
    EXPECT_EQ(word(4, 4), static_cast<std::uint32_t>(width));
    EXPECT_EQ(word(8, 4), static_cast<std::uint32_t>(height));
    EXPECT_EQ(word(12, 2), 1u);
    EXPECT_EQ(word(14, 2), static_cast<std::uint32_t>(bitCount));
    EXPECT_EQ(word(16, 4), 0u);
    EXPECT_EQ(word(20, 4), stride * static_cast<std::size_t>(height));

    for (int stored = 0; stored < height; ++stored) {
        const int rowFromTop = height - 1 - stored;
        const std::size_t row = 40 + stride * static_cast<std::size_t>(stored);
        for (int column = 0; column < width; ++column) {
            const pelmora::test::TestColour expected = testPicturePixel(column, rowFromTop);
            const std::size_t at = row + pixelBytes * static_cast<std::size_t>(column);
            if (bitCount == 16) {
                const std::uint32_t pixel = word(at, 2);
                ASSERT_EQ(pixel,
                          (expected.red >> 3u) * 1024u + (expected.green >> 3u) * 32u + (expected.blue >> 3u))
                    << column << "," << rowFromTop;
            } else {
                ASSERT_EQ(bytes[at], expected.blue) << column << "," << rowFromTop;
                ASSERT_EQ(bytes[at + 1], expected.green) << column << "," << rowFromTop;
                ASSERT_EQ(bytes[at + 2], expected.red) << column << "," << rowFromTop;
                if (bitCount == 32) {
                    ASSERT_EQ(bytes[at + 3], 0) << column << "," << rowFromTop;
                }
            }
        }
        for (std::size_t padding = pixelBytes * static_cast<std::size_t>(width); padding < stride;
             ++padding) {
            ASSERT_EQ(bytes[row + padding], 0) << "padding of stored row " << stored;
        }
    }
}

// Names each case by its size, "7x5x16".
std::string sizeName(const ::testing::TestParamInfo<std::tuple<int, int, int>>& parameter) {
    return std::to_string(std::get<0>(parameter.param)) + "x" + std::to_string(std::get<1>(parameter.param)) +
           "x" + std::to_string(std::get<2>(parameter.param));
}

INSTANTIATE_TEST_SUITE_P(Sizes, RendererPictureTest,
                         ::testing::Values(std::tuple{7, 5, 16}, std::tuple{1, 2, 16}, std::tuple{64, 48, 16},
                                           std::tuple{5, 3, 24}, std::tuple{1, 1, 24}, std::tuple{33, 70, 24},
                                           std::tuple{3, 4, 32}, std::tuple{256, 2, 32}),
                         sizeName);

TEST_F(RendererTest, EachRequestOnItsOwnDaemonThreadGetsItsOwnLines) {
    useScript(L"render=image:4x4x24");
    createAsTheServerDoes();
    const RenderReply first = renderOnDaemonThread(vm_, pathRequest(L"C:\\one.sgf"));
    const RenderReply second = renderOnDaemonThread(vm_, bytesRequest({1, 2, 3}));
    ASSERT_TRUE(first.called);
    ASSERT_TRUE(second.called);
    EXPECT_EQ(first.bytes, second.bytes);
    const std::vector<std::string> renderLines = linesStartingWith(logLines(), "render variant=");
    ASSERT_EQ(renderLines.size(), 2u);
    EXPECT_EQ(renderLines[0],
              "render variant=path text=C:\\one.sgf x=256 y=192 first=1 thread=" + first.thread);
    EXPECT_EQ(renderLines[1].rfind("render variant=bytes count=3 checksum=", 0), 0u);
    EXPECT_NE(renderLines[1].find(" thread=" + second.thread), std::string::npos);
    EXPECT_EQ(linesStartingWith(logLines(), "attach ").size(), 2u);
    EXPECT_EQ(linesStartingWith(logLines(), "detach ").size(), 2u);
}

// C++ callers reach the va_list slot through JNIEnv's wrapper; C callers may use the variadic slot itself or
// the jvalue array form.
TEST_F(RendererTest, EveryFormOfTheStaticCallReachesTheRenderer) {
    useScript(L"render=image:3x2x24");
    createAsTheServerDoes();
    jclass renderer = env_->FindClass(rendererClass);
    ASSERT_NE(renderer, nullptr);
    jmethodID fromPath = env_->GetStaticMethodID(renderer, "create", renderFromPathDescriptor);
    ASSERT_NE(fromPath, nullptr);
    const std::u16string path = u"C:\\c.sgf";
    jstring source =
        env_->NewString(reinterpret_cast<const jchar*>(path.data()), static_cast<jsize>(path.size()));
    const auto length = [&](jobject result) {
        return result == nullptr ? -1 : env_->GetArrayLength(static_cast<jarray>(result));
    };

    const jint expected = static_cast<jint>(testPictureBuffer(3, 2, 24).size());
    EXPECT_EQ(length(env_->functions->CallStaticObjectMethod(env_, renderer, fromPath, jint{1}, source,
                                                             jint{10}, jint{20})),
              expected);
    EXPECT_EQ(length(env_->CallStaticObjectMethod(renderer, fromPath, jint{1}, source, jint{11}, jint{21})),
              expected);
    jvalue arguments[4];
    arguments[0].i = 1;
    arguments[1].l = source;
    arguments[2].i = 12;
    arguments[3].i = 22;
    EXPECT_EQ(length(env_->CallStaticObjectMethodA(renderer, fromPath, arguments)), expected);
    EXPECT_FALSE(env_->ExceptionCheck());

    const std::string t = currentThreadText();
    EXPECT_EQ(linesStartingWith(logLines(), "render variant="),
              (std::vector<std::string>{"render variant=path text=C:\\c.sgf x=10 y=20 first=1 thread=" + t,
                                        "render variant=path text=C:\\c.sgf x=11 y=21 first=1 thread=" + t,
                                        "render variant=path text=C:\\c.sgf x=12 y=22 first=1 thread=" + t}));
}

TEST_F(RendererTest, NullSourceThrowsNullPointerExceptionWhateverTheScript) {
    useScript(L"render=image:4x4x24");
    createAsTheServerDoes();
    jclass renderer = env_->FindClass(rendererClass);
    ASSERT_NE(renderer, nullptr);
    jmethodID fromPath = env_->GetStaticMethodID(renderer, "create", renderFromPathDescriptor);
    jmethodID fromBytes = env_->GetStaticMethodID(renderer, "create", renderFromBytesDescriptor);
    ASSERT_NE(fromPath, nullptr);
    ASSERT_NE(fromBytes, nullptr);

    EXPECT_EQ(env_->CallStaticObjectMethod(renderer, fromPath, 1, nullptr, 10, 20), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NullPointerException");
    EXPECT_EQ(env_->CallStaticObjectMethod(renderer, fromBytes, 1, nullptr, 10, 20), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NullPointerException");

    const std::string t = currentThreadText();
    EXPECT_EQ(linesStartingWith(logLines(), "render "),
              (std::vector<std::string>{
                  "render variant=path text=null x=10 y=20 first=1 thread=" + t, "render result=throw",
                  "render variant=bytes count=null checksum=null x=10 y=20 first=1 thread=" + t,
                  "render result=throw"}));
}

TEST_F(RendererTest, ClassIsMissingWithoutTheApplicationJar) {
    const std::string otherJar = lowBytes(folder_.createFile(L"PelmoraThumb.jar"));
    ASSERT_EQ(create({"-Djava.class.path=" + otherJar + ";" + lowBytes(folder_ / L"Pelmora.jar"),
                      "-Djava.awt.headless=true"},
                     JNI_FALSE, JNI_VERSION_1_6),
              JNI_OK);
    EXPECT_EQ(env_->FindClass(rendererClass), nullptr);
    EXPECT_EQ(describeAndClear(env_), "describe java.lang.NoClassDefFoundError: PelmoraThumb");
    EXPECT_EQ(linesStartingWith(logLines(), "findclass "),
              std::vector<std::string>{"findclass name=PelmoraThumb found=0"});

    // The server's whole sequence stops at FindClass, leaving the error pending.
    const RenderReply reply = renderOnDaemonThread(vm_, pathRequest(L"C:\\a.sgf"));
    EXPECT_FALSE(reply.called);
    EXPECT_TRUE(linesStartingWith(logLines(), "render ").empty());
}

TEST_F(RendererTest, ClassIsFoundWithTheApplicationJarAmongOthers) {
    const std::string otherJar = lowBytes(folder_.createFile(L"lib.jar"));
    ASSERT_EQ(create({"-Djava.class.path=" + otherJar + ";" + lowBytes(folder_.createFile(L"Pelmora.jar"))},
                     JNI_FALSE, JNI_VERSION_1_6),
              JNI_OK);
    EXPECT_NE(env_->FindClass(rendererClass), nullptr);
    EXPECT_EQ(logLines().back(), "findclass name=PelmoraThumb found=1");
}

TEST_F(RendererTest, CreateNeedsOneOfItsTwoExactDescriptors) {
    createAsTheServerDoes();
    jclass renderer = env_->FindClass(rendererClass);
    ASSERT_NE(renderer, nullptr);
    jmethodID fromPath = env_->GetStaticMethodID(renderer, "create", renderFromPathDescriptor);
    jmethodID fromBytes = env_->GetStaticMethodID(renderer, "create", renderFromBytesDescriptor);
    EXPECT_NE(fromPath, nullptr);
    EXPECT_NE(fromBytes, nullptr);
    EXPECT_NE(fromPath, fromBytes);

    for (const char* wrong : {"(Ljava/lang/String;II)[B", "(ILjava/lang/String;II)[I", "(I[BII)V",
                              "(I[BIII)[B", "(J[BII)[B", "(ILjava/lang/Object;II)[B"}) {
        EXPECT_EQ(env_->GetStaticMethodID(renderer, "create", wrong), nullptr) << wrong;
        EXPECT_EQ(describeAndClear(env_),
                  std::string("describe java.lang.NoSuchMethodError: static LPelmoraThumb;.create") + wrong);
    }
    EXPECT_EQ(env_->GetStaticMethodID(renderer, "render", renderFromPathDescriptor), nullptr);
    EXPECT_EQ(describeAndClear(env_),
              "describe java.lang.NoSuchMethodError: static LPelmoraThumb;.render(ILjava/lang/String;II)[B");
    // The main class does not have them.
    jclass mainClass = env_->FindClass("Pelmora2");
    ASSERT_NE(mainClass, nullptr);
    EXPECT_EQ(env_->GetStaticMethodID(mainClass, "create", renderFromBytesDescriptor), nullptr);
    EXPECT_EQ(describeAndClear(env_),
              "describe java.lang.NoSuchMethodError: static LPelmora2;.create(I[BII)[B");
}

TEST_F(RendererTest, ThrownFailureIsPrintedOnStandardError) {
    useScript(L"render=throw");
    folder_.createFile(L"Pelmora.jar");
    const ChildOutcome outcome = runInChild(L"describe-render-failure", folder_.path());
    ASSERT_TRUE(outcome.started);
    ASSERT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(childSurvived)) << outcome.output;
    EXPECT_NE(outcome.output.find(
                  "Exception in thread \"Thread-0\" java.lang.IllegalStateException: render failed"),
              std::string::npos)
        << outcome.output;
    EXPECT_EQ(linesStartingWith(logLines(), "render result="),
              std::vector<std::string>{"render result=throw"});
}

TEST_F(RendererTest, StringForTheByteArrayVariantFailsLoudly) {
    folder_.createFile(L"Pelmora.jar");
    const ChildOutcome outcome = runInChild(L"render-string-for-bytes", folder_.path());
    ASSERT_TRUE(outcome.started);
    ASSERT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 97u) << outcome.output;
    const std::string message =
        "CallStaticObjectMethodV: argument 2 of create must be [B but is an instance of java/lang/String";
    EXPECT_NE(outcome.output.find("testjvm: " + message), std::string::npos) << outcome.output;
    EXPECT_EQ(logLines().back(), "fail " + message);
}

// A render directive the runtime does not know, or a picture it cannot draw, ends the process at creation.
class MalformedRenderDirectiveTest : public JvmTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(MalformedRenderDirectiveTest, FailsLoudly) {
    const std::wstring directive = GetParam();
    useScript(L"render=empty;" + directive);
    const ChildOutcome outcome = runInChild(L"unknown-directive");
    ASSERT_TRUE(outcome.started);
    ASSERT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 97u) << outcome.output;
    const std::string message = "unknown directive \"" + lowBytes(directive) + "\" in PELMORA_TESTJVM_SCRIPT";
    EXPECT_NE(outcome.output.find("testjvm: " + message), std::string::npos) << outcome.output;
    const std::vector<std::string> lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "fail " + message);
}

INSTANTIATE_TEST_SUITE_P(Directives, MalformedRenderDirectiveTest,
                         ::testing::Values(L"render=dance", L"render=image", L"render=image:",
                                           L"render=image:10x10", L"render=image:0x10x24",
                                           L"render=image:10x-1x24", L"render=image:10x10x8",
                                           L"render=image:10x10x24x", L"render=image:8193x1x24",
                                           L"render=image:ax1x24", L"render-wait=", L"render=Null",
                                           L"render-wait"));

}  // namespace
}  // namespace testjvm_test
