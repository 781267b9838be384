// Lines, curves, paths, shapes, pens, brushes and object selection, recorded in an enhanced metafile and
// read back record by record.
#include <gtest/gtest.h>

#include <vector>

#include "EmfRecords.h"
#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

class Drawing : public JvmFixture {
  protected:
    jlong dc() const { return recording_.dc(); }
    // The records after the five that createEMFUnicode writes, without the closing EMR_EOF.
    std::vector<EmfRecord> drawn() {
        auto records = recording_.records();
        return std::vector<EmfRecord>(records.begin() + 5, records.end() - 1);
    }

    MetafileRecording recording_{0, 2000, 3000, 0};
};

constexpr DWORD stockObject(int index) {
    return ENHMETA_STOCK_OBJECT | static_cast<DWORD>(index);
}

// A GDI object the test owns.
class GdiObject {
  public:
    explicit GdiObject(jlong handle) : object_(fromJava<HGDIOBJ>(handle)) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() {
        if (object_ != nullptr) DeleteObject(object_);
    }
    HGDIOBJ get() const { return object_; }
    jlong java() const { return asJava(object_); }

  private:
    HGDIOBJ object_;
};

TEST_F(Drawing, LinesUseRoundedCoordinatesAndMoveThePen) {
    EXPECT_NE(NATIVE_GRAPHICS(moveTo)(env(), nullptr, dc(), 10.5f, -10.5f), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenX)(env(), nullptr, dc()), 11);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenY)(env(), nullptr, dc()), -10);
    EXPECT_NE(NATIVE_GRAPHICS(lineTo)(env(), nullptr, dc(), -2.51f, 2.49f), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenX)(env(), nullptr, dc()), -3);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenY)(env(), nullptr, dc()), 2);

    const auto records = drawn();
    ASSERT_EQ(typesOf(records), (std::vector<DWORD>{EMR_MOVETOEX, EMR_LINETO}));
    EXPECT_EQ(records[0].as<EMRMOVETOEX>().ptl.x, 11);
    EXPECT_EQ(records[0].as<EMRMOVETOEX>().ptl.y, -10);
    EXPECT_EQ(records[1].as<EMRLINETO>().ptl.x, -3);
    EXPECT_EQ(records[1].as<EMRLINETO>().ptl.y, 2);
}

TEST_F(Drawing, BezierRunsFromThePenThroughTwoControlPointsToTheEnd) {
    NATIVE_GRAPHICS(moveTo)(env(), nullptr, dc(), 0, 0);
    EXPECT_NE(NATIVE_GRAPHICS(polyBezierTo)(env(), nullptr, dc(), 1.5f, 2.5f, -1.5f, -2.5f, 100.49f, 100.5f),
              0);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenX)(env(), nullptr, dc()), 100);
    EXPECT_EQ(NATIVE_GRAPHICS(getPenY)(env(), nullptr, dc()), 101);

    const auto curves = recordsOfType(drawn(), EMR_POLYBEZIERTO16);
    ASSERT_EQ(curves.size(), 1u);
    const auto& curve = curves[0].as<EMRPOLYBEZIERTO16>();
    ASSERT_EQ(curve.cpts, 3u);
    const POINTS expected[] = {{2, 3}, {-1, -2}, {100, 101}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(curve.apts[i].x, expected[i].x) << i;
        EXPECT_EQ(curve.apts[i].y, expected[i].y) << i;
    }
}

TEST_F(Drawing, PathIsBuiltClosedFilledAndUsedAsClip) {
    EXPECT_NE(NATIVE_GRAPHICS(beginPath)(env(), nullptr, dc()), 0);
    NATIVE_GRAPHICS(moveTo)(env(), nullptr, dc(), 0, 0);
    NATIVE_GRAPHICS(lineTo)(env(), nullptr, dc(), 100, 0);
    NATIVE_GRAPHICS(lineTo)(env(), nullptr, dc(), 100, 100);
    EXPECT_NE(NATIVE_GRAPHICS(closeFigure)(env(), nullptr, dc()), 0);
    EXPECT_NE(NATIVE_GRAPHICS(endPath)(env(), nullptr, dc()), 0);
    EXPECT_NE(NATIVE_GRAPHICS(fillPath)(env(), nullptr, dc()), 0);
    EXPECT_NE(NATIVE_GRAPHICS(beginPath)(env(), nullptr, dc()), 0);
    NATIVE_GRAPHICS(drawRectangle)(env(), nullptr, dc(), 10, 10, 50, 50);
    EXPECT_NE(NATIVE_GRAPHICS(endPath)(env(), nullptr, dc()), 0);
    EXPECT_NE(NATIVE_GRAPHICS(selectClipPath)(env(), nullptr, dc()), 0);

    const auto records = drawn();
    EXPECT_EQ(typesOf(records), (std::vector<DWORD>{EMR_BEGINPATH, EMR_MOVETOEX, EMR_LINETO, EMR_LINETO,
                                                    EMR_CLOSEFIGURE, EMR_ENDPATH, EMR_FILLPATH, EMR_BEGINPATH,
                                                    EMR_RECTANGLE, EMR_ENDPATH, EMR_SELECTCLIPPATH}));
    const auto clips = recordsOfType(records, EMR_SELECTCLIPPATH);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].as<EMRSELECTCLIPPATH>().iMode, static_cast<DWORD>(RGN_COPY));
}

TEST_F(Drawing, PathCallsOutOfOrderReportFailure) {
    EXPECT_EQ(NATIVE_GRAPHICS(endPath)(env(), nullptr, dc()), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(fillPath)(env(), nullptr, dc()), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(selectClipPath)(env(), nullptr, dc()), 0);
}

TEST_F(Drawing, PolyFillModeReturnsThePreviousMode) {
    EXPECT_EQ(NATIVE_GRAPHICS(setPolyFillMode)(env(), nullptr, dc(), WINDING), ALTERNATE);
    EXPECT_EQ(NATIVE_GRAPHICS(setPolyFillMode)(env(), nullptr, dc(), ALTERNATE), WINDING);
    const auto modes = recordsOfType(drawn(), EMR_SETPOLYFILLMODE);
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].as<EMRSETPOLYFILLMODE>().iMode, static_cast<DWORD>(WINDING));
}

TEST_F(Drawing, EllipseAndRectangleGetTheRoundedBox) {
    EXPECT_NE(NATIVE_GRAPHICS(drawEllipse)(env(), nullptr, dc(), 0.5f, -10.5f, 100.5f, 2.49f), 0);
    EXPECT_NE(NATIVE_GRAPHICS(drawRectangle)(env(), nullptr, dc(), -10.5f, -2.51f, 2.5f, 10.5f), 0);

    const auto records = drawn();
    ASSERT_EQ(typesOf(records), (std::vector<DWORD>{EMR_ELLIPSE, EMR_RECTANGLE}));
    // The recorded box excludes its right and bottom edge: one less than the rectangle drawn.
    const RECTL ellipse = records[0].as<EMRELLIPSE>().rclBox;
    EXPECT_EQ(ellipse.left, 1);
    EXPECT_EQ(ellipse.top, -10);
    EXPECT_EQ(ellipse.right, 101 - 1);
    EXPECT_EQ(ellipse.bottom, 2 - 1);
    const RECTL rectangle = records[1].as<EMRRECTANGLE>().rclBox;
    EXPECT_EQ(rectangle.left, -10);
    EXPECT_EQ(rectangle.top, -3);
    EXPECT_EQ(rectangle.right, 3 - 1);
    EXPECT_EQ(rectangle.bottom, 11 - 1);
}

TEST_F(Drawing, PenWidthsAreTruncatedAndNegativeWidthsDrawNothing) {
    const GdiObject wide(NATIVE_GRAPHICS(createPen)(env(), nullptr, 2.7f, 1, 2, 3));
    const GdiObject thin(NATIVE_GRAPHICS(createPen)(env(), nullptr, 0.9f, 300, 0, 0));
    const GdiObject invisible(NATIVE_GRAPHICS(createPen)(env(), nullptr, -1.0f, 4, 5, 6));
    ASSERT_NE(wide.get(), nullptr);
    ASSERT_NE(thin.get(), nullptr);
    ASSERT_NE(invisible.get(), nullptr);

    LOGPEN pen{};
    ASSERT_NE(GetObjectW(wide.get(), sizeof pen, &pen), 0);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.lopnWidth.x, 2);
    EXPECT_EQ(pen.lopnColor, RGB(1, 2, 3));
    ASSERT_NE(GetObjectW(thin.get(), sizeof pen, &pen), 0);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.lopnWidth.x, 0);
    EXPECT_EQ(pen.lopnColor, RGB(44, 0, 0));
    ASSERT_NE(GetObjectW(invisible.get(), sizeof pen, &pen), 0);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_NULL));

    const jlong original = NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), wide.java());
    EXPECT_EQ(NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), thin.java()), wide.java());
    EXPECT_EQ(NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), invisible.java()), thin.java());
    NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), original);

    const auto records = drawn();
    const auto created = recordsOfType(records, EMR_CREATEPEN);
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0].as<EMRCREATEPEN>().lopn.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(created[0].as<EMRCREATEPEN>().lopn.lopnWidth.x, 2);
    EXPECT_EQ(created[0].as<EMRCREATEPEN>().lopn.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(created[1].as<EMRCREATEPEN>().lopn.lopnWidth.x, 0);
    EXPECT_EQ(created[1].as<EMRCREATEPEN>().lopn.lopnColor, RGB(44, 0, 0));
    // A pen that draws nothing is recorded as the stock null pen.
    const auto selections = recordsOfType(records, EMR_SELECTOBJECT);
    ASSERT_GE(selections.size(), 3u);
    EXPECT_EQ(selectedObject(selections[0]), created[0].as<EMRCREATEPEN>().ihPen);
    EXPECT_EQ(selectedObject(selections[1]), created[1].as<EMRCREATEPEN>().ihPen);
    EXPECT_EQ(selectedObject(selections[2]), stockObject(NULL_PEN));
}

TEST_F(Drawing, BrushesAreSolidOrHollowAndKeepTheirColour) {
    const GdiObject solid(NATIVE_GRAPHICS(createBrush)(env(), nullptr, 7, 10, 20, 30));
    const GdiObject hollow(NATIVE_GRAPHICS(createBrush)(env(), nullptr, 0, 300, 2, 3));
    ASSERT_NE(solid.get(), nullptr);
    ASSERT_NE(hollow.get(), nullptr);

    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(solid.get(), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
    ASSERT_NE(GetObjectW(hollow.get(), sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_HOLLOW));
    // Wine hands out its stock null brush for every hollow brush, which has no colour of its own.
    if (hollow.get() != GetStockObject(NULL_BRUSH)) {
        EXPECT_EQ(brush.lbColor, RGB(44, 2, 3));
    }

    const jlong original = NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), solid.java());
    EXPECT_EQ(NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), hollow.java()), solid.java());
    NATIVE_GRAPHICS(selectObject)(env(), nullptr, dc(), original);

    const auto records = drawn();
    const auto created = recordsOfType(records, EMR_CREATEBRUSHINDIRECT);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].as<EMRCREATEBRUSHINDIRECT>().lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(created[0].as<EMRCREATEBRUSHINDIRECT>().lb.lbColor, RGB(10, 20, 30));
    // A hollow brush is recorded as the stock null brush.
    const auto selections = recordsOfType(records, EMR_SELECTOBJECT);
    ASSERT_GE(selections.size(), 2u);
    EXPECT_EQ(selectedObject(selections[1]), stockObject(NULL_BRUSH));
}

TEST_F(Drawing, StockObjectsAreSelectedByIndexAndThePreviousComesBack) {
    const jlong original = NATIVE_GRAPHICS(selectStockObject)(env(), nullptr, dc(), GRAY_BRUSH);
    EXPECT_EQ(original, asJava(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(NATIVE_GRAPHICS(selectStockObject)(env(), nullptr, dc(), BLACK_PEN),
              asJava(GetStockObject(BLACK_PEN)));
    EXPECT_EQ(NATIVE_GRAPHICS(selectStockObject)(env(), nullptr, dc(), WHITE_BRUSH),
              asJava(GetStockObject(GRAY_BRUSH)));

    const auto selections = recordsOfType(drawn(), EMR_SELECTOBJECT);
    ASSERT_EQ(selections.size(), 3u);
    EXPECT_EQ(selectedObject(selections[0]), stockObject(GRAY_BRUSH));
    EXPECT_EQ(selectedObject(selections[1]), stockObject(BLACK_PEN));
    EXPECT_EQ(selectedObject(selections[2]), stockObject(WHITE_BRUSH));
}

TEST_F(Drawing, DeletedObjectsAreGone) {
    const jlong pen = NATIVE_GRAPHICS(createPen)(env(), nullptr, 1, 0, 0, 0);
    ASSERT_NE(pen, 0);
    EXPECT_EQ(GetObjectType(fromJava<HGDIOBJ>(pen)), static_cast<DWORD>(OBJ_PEN));
    EXPECT_NE(NATIVE_GRAPHICS(deleteObject)(env(), nullptr, pen), 0);
    EXPECT_EQ(GetObjectType(fromJava<HGDIOBJ>(pen)), 0u);
    EXPECT_EQ(NATIVE_GRAPHICS(deleteObject)(env(), nullptr, 0), 0);
}

}  // namespace
}  // namespace pelmora::test
