// Enhanced metafiles made by createEMFUnicode: frame, description and the mapping set up for drawing;
// closing and deleting; the bytes for Java; the conversion to an old-style Windows metafile.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "EmfRecords.h"
#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

using Metafiles = JvmFixture;

ENHMETAHEADER headerOf(HENHMETAFILE emf) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(emf, sizeof header, &header);
    return header;
}

TEST_F(Metafiles, FrameIsTheRoundedRectangleAsGiven) {
    MetafileRecording recording(10.5f, -10.5f, 2000.49f, 2.51f);
    const auto header = headerOf(recording.finish());
    EXPECT_EQ(header.rclFrame.left, 11);
    EXPECT_EQ(header.rclFrame.top, -10);
    EXPECT_EQ(header.rclFrame.right, 2000);
    EXPECT_EQ(header.rclFrame.bottom, 3);
}

TEST_F(Metafiles, DescriptionNamesApplicationAndPicture) {
    MetafileRecording recording(0, 2000, 3000, 0);
    const HENHMETAFILE emf = recording.finish();
    const UINT length = GetEnhMetaFileDescriptionW(emf, 0, nullptr);
    std::u16string description(length, u'\0');
    GetEnhMetaFileDescriptionW(emf, length, reinterpret_cast<wchar_t*>(description.data()));
    EXPECT_EQ(description, std::u16string(u"Pelmora\0Diagram\0\0", 17));
}

TEST_F(Metafiles, RecordingStartsWithHimetricTopLeftOriginBaselineTextAndTransparentBackground) {
    // Left 0, top 2000, right 3000, bottom 0: the window origin is the smallest x and the largest y.
    MetafileRecording recording(0.4f, 2000.0f, 3000.0f, -0.5f);
    const auto records = recording.records();
    ASSERT_GE(records.size(), 6u);
    EXPECT_EQ(typesOf(records), (std::vector<DWORD>{EMR_HEADER, EMR_SETMAPMODE, EMR_SETWINDOWORGEX,
                                                    EMR_SETTEXTALIGN, EMR_SETBKMODE, EMR_EOF}));
    EXPECT_EQ(records[1].as<EMRSETMAPMODE>().iMode, static_cast<DWORD>(MM_HIMETRIC));
    EXPECT_EQ(records[2].as<EMRSETWINDOWORGEX>().ptlOrigin.x, 0);
    EXPECT_EQ(records[2].as<EMRSETWINDOWORGEX>().ptlOrigin.y, 2000);
    EXPECT_EQ(records[3].as<EMRSETTEXTALIGN>().iMode, static_cast<DWORD>(TA_BASELINE));
    EXPECT_EQ(records[4].as<EMRSETBKMODE>().iMode, static_cast<DWORD>(TRANSPARENT));
}

TEST_F(Metafiles, WindowOriginTakesTheFrameCornersInEitherOrder) {
    MetafileRecording recording(3000.0f, -20.5f, -10.5f, -2.51f);
    const auto origins = recordsOfType(recording.records(), EMR_SETWINDOWORGEX);
    ASSERT_EQ(origins.size(), 1u);
    EXPECT_EQ(origins[0].as<EMRSETWINDOWORGEX>().ptlOrigin.x, -10);
    EXPECT_EQ(origins[0].as<EMRSETWINDOWORGEX>().ptlOrigin.y, -3);
}

TEST_F(Metafiles, RecordingDcHasTheSettingsAsItsState) {
    MetafileRecording recording(0, 2000, 3000, 0);
    const auto dc = fromJava<HDC>(recording.dc());
    EXPECT_EQ(GetMapMode(dc), MM_HIMETRIC);
    EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_BASELINE));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 2000);
}

TEST_F(Metafiles, AReferenceDcMayBeGiven) {
    const HDC reference = CreateCompatibleDC(nullptr);
    ASSERT_NE(reference, nullptr);
    {
        MetafileRecording recording(0, 100, 100, 0, asJava(reference));
        EXPECT_EQ(headerOf(recording.finish()).rclFrame.right, 100);
    }
    DeleteDC(reference);
}

TEST_F(Metafiles, ClosedMetafileIsDeletedOnce) {
    const jlong dc = NATIVE_GRAPHICS(createEMFUnicode)(env(), nullptr, 0, 0, 10, 10, 0);
    ASSERT_NE(dc, 0);
    const jlong emf = NATIVE_GRAPHICS(closeEMF)(env(), nullptr, dc);
    ASSERT_NE(emf, 0);
    EXPECT_EQ(GetObjectType(fromJava<HGDIOBJ>(emf)), static_cast<DWORD>(OBJ_ENHMETAFILE));
    EXPECT_NE(NATIVE_GRAPHICS(deleteEMF)(env(), nullptr, emf), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(deleteEMF)(env(), nullptr, emf), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(closeEMF)(env(), nullptr, 0), 0);
}

TEST_F(Metafiles, BytesForJavaAreTheWholeMetafileFile) {
    MetafileRecording recording(0, 2000, 3000, 0);
    NATIVE_GRAPHICS(moveTo)(env(), nullptr, recording.dc(), 1, 2);
    NATIVE_GRAPHICS(lineTo)(env(), nullptr, recording.dc(), 300, 400);
    const HENHMETAFILE emf = recording.finish();

    const jbyteArray array = NATIVE_GRAPHICS(clipboardBitsEMF)(env(), nullptr, asJava(emf));
    ASSERT_NE(array, nullptr);
    const auto bytes = jvm_.bytes(array);
    std::vector<jbyte> expected(GetEnhMetaFileBits(emf, 0, nullptr));
    ASSERT_FALSE(expected.empty());
    GetEnhMetaFileBits(emf, static_cast<UINT>(expected.size()), reinterpret_cast<BYTE*>(expected.data()));
    EXPECT_EQ(bytes, expected);

    // Header record first, as in an .emf file.
    ENHMETAHEADER header{};
    ASSERT_GE(bytes.size(), sizeof header);
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.iType, static_cast<DWORD>(EMR_HEADER));
    EXPECT_EQ(header.dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
    EXPECT_EQ(header.nBytes, bytes.size());
}

TEST_F(Metafiles, NoMetafileGivesAnEmptyArrayWhoseLengthJavaMayRead) {
    const jbyteArray array = NATIVE_GRAPHICS(clipboardBitsEMF)(env(), nullptr, 0);
    ASSERT_NE(array, nullptr);
    EXPECT_TRUE(jvm_.bytes(array).empty());
}

TEST_F(Metafiles, ConvertsForTheScreenWithoutAReferenceDc) {
    MetafileRecording recording(0, 2000, 3000, 0);
    NATIVE_GRAPHICS(drawRectangle)(env(), nullptr, recording.dc(), 100, 1900, 2900, 100);
    NATIVE_GRAPHICS(outTextUnicode)(env(), nullptr, recording.dc(), jvm_.string(u"Kifu"), 500, 1000);
    const HENHMETAFILE emf = recording.finish();

    const jlong wmf = NATIVE_GRAPHICS(convertEMF2WMF)(env(), nullptr, asJava(emf), 0);
    ASSERT_NE(wmf, 0);
    const auto metafile = fromJava<HMETAFILE>(wmf);
    const UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    EXPECT_GT(size, sizeof(METAHEADER));
    std::vector<BYTE> bits(size);
    GetMetaFileBitsEx(metafile, size, bits.data());
    METAHEADER header{};
    std::memcpy(&header, bits.data(), sizeof header);
    EXPECT_EQ(header.mtHeaderSize, sizeof(METAHEADER) / sizeof(WORD));
    EXPECT_EQ(header.mtSize * sizeof(WORD), size);
    // The enhanced metafile stays the caller's and intact.
    EXPECT_EQ(GetObjectType(emf), static_cast<DWORD>(OBJ_ENHMETAFILE));
    DeleteMetaFile(metafile);
}

TEST_F(Metafiles, ConversionOfNoMetafileGivesNothing) {
    EXPECT_EQ(NATIVE_GRAPHICS(convertEMF2WMF)(env(), nullptr, 0, 0), 0);
}

}  // namespace
}  // namespace pelmora::test
