// polyPolygon: filled polygons without outline, the caller's pen selected again afterwards, and counts
// that ask for more points than given refused without drawing.
#include <gtest/gtest.h>

#include <vector>

#include "EmfRecords.h"
#include "JavaHandles.h"
#include "JvmFixture.h"
#include "MetafileRecording.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

class Polygons : public JvmFixture {
  protected:
    void SetUp() override {
        ASSERT_NE(pen_, nullptr);
        originalPen_ = SelectObject(dc(), pen_);
    }
    void TearDown() override {
        SelectObject(dc(), originalPen_);
        DeleteObject(pen_);
    }

    HDC dc() const { return fromJava<HDC>(recording_.dc()); }
    jlong polyPolygon(const std::vector<float>& points, const std::vector<int>& counts) {
        return NATIVE_GRAPHICS(polyPolygon)(env(), nullptr, recording_.dc(), jvm_.floats(points),
                                            jvm_.ints(counts));
    }
    // The metafile's own index of the caller's pen, from the record that created it.
    static DWORD penIndex(const std::vector<EmfRecord>& records) {
        const auto created = recordsOfType(records, EMR_CREATEPEN);
        return created.empty() ? 0 : created[0].as<EMRCREATEPEN>().ihPen;
    }

    MetafileRecording recording_{0, 2000, 3000, 0};
    HPEN pen_ = CreatePen(PS_DASH, 1, RGB(9, 8, 7));
    HGDIOBJ originalPen_ = nullptr;
};

TEST_F(Polygons, TriangleAndQuadrilateralAreFilledWithoutOutline) {
    // Seven points and one odd value that has no partner.
    const std::vector<float> points = {10.5f, -10.5f, -2.51f, 2.49f, 0,    0,  // triangle
                                       1,     1,      2.5f,   1,     2.5f, 3.5f,
                                       -0.5f, 3.5f,  // quadrilateral
                                       99};
    const jlong result = polyPolygon(points, {3, 4});
    EXPECT_EQ(result, asJava(GetStockObject(NULL_PEN)));
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen_);

    const auto records = recording_.records();
    const auto polygons = recordsOfType(records, EMR_POLYPOLYGON16);
    ASSERT_EQ(polygons.size(), 1u);
    const auto& polygon = polygons[0].as<EMRPOLYPOLYGON16>();
    ASSERT_EQ(polygon.nPolys, 2u);
    ASSERT_EQ(polygon.cpts, 7u);
    EXPECT_EQ(polygon.aPolyCounts[0], 3u);
    EXPECT_EQ(polygon.aPolyCounts[1], 4u);
    // The points follow the counts in the record.
    const auto* vertices = reinterpret_cast<const POINTS*>(&polygon.aPolyCounts[polygon.nPolys]);
    const POINTS expected[] = {{11, -10}, {-3, 2}, {0, 0}, {1, 1}, {3, 1}, {3, 4}, {0, 4}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(vertices[i].x, expected[i].x) << i;
        EXPECT_EQ(vertices[i].y, expected[i].y) << i;
    }

    // Null pen selected around the drawing, the caller's pen after it.
    std::vector<DWORD> sequence;
    for (const auto& record : records) {
        if (record.type == EMR_SELECTOBJECT) sequence.push_back(selectedObject(record));
        if (record.type == EMR_POLYPOLYGON16) sequence.push_back(0);
    }
    const DWORD ownPen = penIndex(records);
    EXPECT_EQ(sequence, (std::vector<DWORD>{ownPen, ENHMETA_STOCK_OBJECT | NULL_PEN, 0, ownPen}));
}

TEST_F(Polygons, CountsBeyondThePointsDrawNothingAndKeepThePen) {
    EXPECT_EQ(polyPolygon({0, 0, 10, 0, 10, 10}, {3, 4}), 0);
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen_);
    EXPECT_EQ(polyPolygon({0, 0, 10, 0, 10, 10, 0, 10, 5}, {5}), 0);
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen_);
    EXPECT_TRUE(recordsOfType(recording_.records(), EMR_POLYPOLYGON16).empty());
}

TEST_F(Polygons, NegativeCountsDrawNothing) {
    EXPECT_EQ(polyPolygon({0, 0, 10, 0, 10, 10, 0, 10}, {-2, 6}), 0);
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen_);
    EXPECT_TRUE(recordsOfType(recording_.records(), EMR_POLYPOLYGON16).empty());
}

TEST_F(Polygons, MissingArraysDrawNothing) {
    EXPECT_EQ(NATIVE_GRAPHICS(polyPolygon)(env(), nullptr, recording_.dc(), nullptr, jvm_.ints({3})), 0);
    EXPECT_EQ(NATIVE_GRAPHICS(polyPolygon)(env(), nullptr, recording_.dc(), jvm_.floats({0, 0, 1, 1, 2, 0}),
                                           nullptr),
              0);
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen_);
}

TEST_F(Polygons, TheArraysAreLeftAsTheyWere) {
    const std::vector<float> points = {0.5f, 1.5f, 20, 0, 20, 20.7f};
    const jfloatArray pointArray = jvm_.floats(points);
    const jintArray countArray = jvm_.ints({3});
    NATIVE_GRAPHICS(polyPolygon)(env(), nullptr, recording_.dc(), pointArray, countArray);
    std::vector<jfloat> after(points.size());
    env()->GetFloatArrayRegion(pointArray, 0, static_cast<jsize>(after.size()), after.data());
    EXPECT_EQ(after, points);
    jint count = 0;
    env()->GetIntArrayRegion(countArray, 0, 1, &count);
    EXPECT_EQ(count, 3);
}

}  // namespace
}  // namespace pelmora::test
