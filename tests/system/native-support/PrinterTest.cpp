// createRefDC: no DC without a default printer; with one, a printer DC that metafiles can be made and
// converted with.
#include <gtest/gtest.h>

#include <cstring>

#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "SupportLibrary.h"
#include "TestPrinter.h"

namespace pelmora::test {
namespace {

class ReferenceDc : public JvmFixture {
  protected:
    jlong createRefDc() { return NATIVE_GRAPHICS(createRefDC)(env(), nullptr); }
};

TEST_F(ReferenceDc, WithoutADefaultPrinterThereIsNone) {
    ASSERT_EQ(defaultPrinterEntry(), ",,,") << "the prefix has a default printer";
    EXPECT_EQ(createRefDc(), 0);
}

// The printer's name has blanks: only a comma ends it in the profile entry.
TEST_F(ReferenceDc, TheDefaultPrinterGivesAPrinterDc) {
    const TestPrinter printer(L"Pelmora Test Printer");
    ASSERT_EQ(defaultPrinterEntry(), "Pelmora Test Printer,wineps.drv,FILE:");

    const jlong dc = createRefDc();
    ASSERT_NE(dc, 0);
    EXPECT_EQ(GetDeviceCaps(fromJava<HDC>(dc), TECHNOLOGY), DT_RASPRINTER);
    EXPECT_GT(GetDeviceCaps(fromJava<HDC>(dc), HORZRES), 0);
    EXPECT_NE(NATIVE_GRAPHICS(deleteRefDC)(env(), nullptr, dc), 0);
    EXPECT_EQ(GetObjectType(fromJava<HGDIOBJ>(dc)), 0u);
}

TEST_F(ReferenceDc, MetafilesAreMadeAndConvertedForThePrinter) {
    const TestPrinter printer(L"Pelmora Test Printer");
    const jlong dc = createRefDc();
    ASSERT_NE(dc, 0);
    {
        MetafileRecording recording(0, 2000, 3000, 0, dc);
        NATIVE_GRAPHICS(moveTo)(env(), nullptr, recording.dc(), 100, 100);
        NATIVE_GRAPHICS(lineTo)(env(), nullptr, recording.dc(), 2900, 1900);
        NATIVE_GRAPHICS(drawEllipse)(env(), nullptr, recording.dc(), 500, 1500, 1500, 500);
        const HENHMETAFILE emf = recording.finish();
        ASSERT_NE(emf, nullptr);
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(emf, sizeof header, &header);
        // The metafile takes the printer's resolution as its reference.
        EXPECT_EQ(header.szlDevice.cx, GetDeviceCaps(fromJava<HDC>(dc), HORZRES));

        const jlong wmf = NATIVE_GRAPHICS(convertEMF2WMF)(env(), nullptr, asJava(emf), dc);
        ASSERT_NE(wmf, 0);
        EXPECT_GT(GetMetaFileBitsEx(fromJava<HMETAFILE>(wmf), 0, nullptr), sizeof(METAHEADER));
        DeleteMetaFile(fromJava<HMETAFILE>(wmf));
    }
    NATIVE_GRAPHICS(deleteRefDC)(env(), nullptr, dc);
}

TEST_F(ReferenceDc, RemovedPrinterLeavesNoneBehind) {
    { const TestPrinter printer(L"Pelmora Passing Printer"); }
    EXPECT_EQ(defaultPrinterEntry(), ",,,");
    EXPECT_EQ(createRefDc(), 0);
}

}  // namespace
}  // namespace pelmora::test
