// Thumbnails of the sample records as Explorer asks for them, through the registered handler, the real
// server and the build's PelmoraThumb renderer in an OpenJDK process behind the bridge runtime. The pictures
// are checked at the board's known points: board colour, black stone, white stone.
#include "BitmapPixels.h"
#include "EventLogLines.h"
#include "HandlerInstallation.h"
#include "RealJavaSamples.h"
#include "ScopedEnvironmentVariable.h"
#include "ServerInstallation.h"
#include "ThumbnailRequests.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <sstream>

namespace pelmora::test {
namespace {

const TestColour boardColour{0xDC, 0xB3, 0x5C};
const TestColour blackStone{0, 0, 0};
const TestColour whiteStone{255, 255, 255};

std::string describe(const TestColour& colour) {
    std::ostringstream text;
    text << "RGB(" << int(colour.red) << "," << int(colour.green) << "," << int(colour.blue) << ")";
    return text.str();
}

// The renderer draws a square of the requested side; point (c, r) has its centre at ((c + 0.5) * cell,
// (r + 0.5) * cell) with cell = side / board size.
TestColour colourAt(const BitmapPixels& pixels, int boardSize, BoardPoint point) {
    const double cell = pixels.width / static_cast<double>(boardSize);
    return pixels.at(static_cast<int>((point.column + 0.5) * cell),
                     static_cast<int>((point.row + 0.5) * cell));
}

// Halfway between the empty point and its lower right neighbour: no grid line, no stone within reach.
TestColour colourBesideGrid(const BitmapPixels& pixels, int boardSize, BoardPoint point) {
    const double cell = pixels.width / static_cast<double>(boardSize);
    return pixels.at(static_cast<int>((point.column + 1.0) * cell),
                     static_cast<int>((point.row + 1.0) * cell));
}

void expectBoard(HBITMAP bitmap, const SampleRecord& sample, int side) {
    const auto pixels = readBitmapPixels(bitmap);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, side);
    EXPECT_EQ(pixels->height, side);
    EXPECT_EQ(describe(colourAt(*pixels, sample.boardSize, sample.blackStone)), describe(blackStone));
    EXPECT_EQ(describe(colourAt(*pixels, sample.boardSize, sample.whiteStone)), describe(whiteStone));
    EXPECT_EQ(describe(colourBesideGrid(*pixels, sample.boardSize, sample.emptyPoint)),
              describe(boardColour));
}

class ThumbnailsWithRealJavaTest : public ::testing::TestWithParam<SampleRecord> {
  protected:
    static void SetUpTestSuite() {
        server_ =
            std::make_unique<ServerInstallation>(L"real java server", PrivateJava::installed, JavaSide::real);
        ASSERT_EQ(server_->registerServer(), 0u);
        handler_ = std::make_unique<HandlerInstallation>(L"real java handler");
        ASSERT_EQ(handler_->registerHandler(), 0u);
    }
    static void TearDownTestSuite() {
        handler_.reset();
        server_.reset();
    }
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override {
        CoUninitialize();
        waitForServersToEnd();
    }

    static std::unique_ptr<ServerInstallation> server_;
    static std::unique_ptr<HandlerInstallation> handler_;
};

std::unique_ptr<ServerInstallation> ThumbnailsWithRealJavaTest::server_;
std::unique_ptr<HandlerInstallation> ThumbnailsWithRealJavaTest::handler_;

TEST_P(ThumbnailsWithRealJavaTest, StreamThumbnailShowsTheFinalPosition) {
    const DebugOutputWatch watch;
    GdiBitmap bitmap;
    ASSERT_EQ(streamThumbnail(samplePath(GetParam().fileName), 256, bitmap), S_OK);
    expectBoard(bitmap.get(), GetParam(), 256);
    EXPECT_TRUE(watch.events().empty());
}

TEST_P(ThumbnailsWithRealJavaTest, PathThumbnailShowsTheFinalPosition) {
    GdiBitmap bitmap;
    const auto extractor = createExtractor();
    ASSERT_TRUE(extractor);
    ASSERT_EQ(pathThumbnail(extractor.get(), samplePath(GetParam().fileName), SIZE{200, 160}, 0, bitmap),
              S_OK);
    // The renderer draws the smaller side square.
    expectBoard(bitmap.get(), GetParam(), 160);
}

// "Short 9x9 Game.sgf" runs as Short9x9Game.
std::string testNameOf(const ::testing::TestParamInfo<SampleRecord>& sample) {
    std::string name;
    for (char c : toUtf8(sample.param.fileName.substr(0, sample.param.fileName.find(L'.')))) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Samples, ThumbnailsWithRealJavaTest, ::testing::ValuesIn(sampleRecords()),
                         testNameOf);

TEST_F(ThumbnailsWithRealJavaTest, AFileThatIsNoGameRecordGivesNoThumbnail) {
    const TempFolder folder(L"real java not a record");
    const std::wstring path = folder.createFile(L"notes.sgf", "These are notes, not a game record.");
    const DebugOutputWatch watch;
    GdiBitmap bitmap;
    EXPECT_EQ(streamThumbnail(path, 256, bitmap), E_FAIL);
    EXPECT_FALSE(bitmap);
    // The server reports the missing picture; the handler adds its own failure.
    EXPECT_FALSE(watch.events().empty());
}

TEST_F(ThumbnailsWithRealJavaTest, ARecordWhoseReadNeverEndsFailsInTimeAndTheNextOneIsDrawn) {
    // A FIFO under Wine's Z: drive, made by the test fixture: Java's read of it never ends.
    std::wstring fifo =
        L"Z:" + std::wstring(PELMORA_FIFO_RECORD, PELMORA_FIFO_RECORD + std::strlen(PELMORA_FIFO_RECORD));
    std::replace(fifo.begin(), fifo.end(), L'/', L'\\');
    const ScopedEnvironmentVariable renderBound(L"PELMORA_THUMBSRV_RENDER_MS", L"4000");
    const auto started = GetTickCount64();
    GdiBitmap stuck;
    EXPECT_EQ(pathThumbnail(createExtractor().get(), fifo, SIZE{160, 160}, 0, stuck), E_FAIL);
    EXPECT_LT(GetTickCount64() - started, 20000u) << "the server gives up after 4 s";
    const SampleRecord& sample = sampleRecords().front();
    GdiBitmap bitmap;
    ASSERT_EQ(pathThumbnail(createExtractor().get(), samplePath(sample.fileName), SIZE{160, 160}, 0, bitmap),
              S_OK);
    expectBoard(bitmap.get(), sample, 160);
}

}  // namespace
}  // namespace pelmora::test
