// The path object: builder results and events, the computed figures, bounds, hit tests,
// regions and drawing.
#include <gtest/gtest.h>

#include <vector>

#include "controls/alpha/GDIpPenBrush.h"
#include "controls/alpha/GDIpShape.h"
#include "controls/alpha/gdip_fixture.h"

using controls::GDIpPenBrush;
using controls::GDIpShape;
using gdiptest::DeleteCounts;
namespace gdip = imaging::gdip;

namespace {

const imaging::GdiplusShapeApi& Api() {
    return *controls::SharedGdipToken()->Shapes();
}

std::vector<gdip::PointF> Points(const GDIpShape& path) {
    std::vector<gdip::PointF> points;
    std::vector<uint8_t> types;
    path.GetPathPoints(points, types);
    return points;
}

int PointCount(const GDIpShape& path) {
    INT n = 0;
    if (path.Handle()) Api().GdipGetPointCount(path.Handle(), &n);
    return n;
}

void ExpectPoints(const std::vector<gdip::PointF>& got, const std::vector<gdip::PointF>& want,
                  const char* what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].X, want[i].X, 0.01) << what << " point " << i;
        EXPECT_NEAR(got[i].Y, want[i].Y, 0.01) << what << " point " << i;
    }
}

}  // namespace

TEST(GdipPath, RegularPolygonPoints) {
    const struct {
        const char* what;
        float x, y;
        int sides, w, h;
        float angle;
        std::vector<gdip::PointF> want;
    } cases[] = {
        // Angle 0 starts one step clockwise from straight up.
        {"square", 0, 0, 4, 100, 100, 0, {{100, 50}, {50, 100}, {0, 50}, {50, 0}, {100, 50}}},
        {"triangle", 10, 20, 3, 60, 60, 0, {{65.981f, 65}, {14.019f, 65}, {40, 20}, {65.981f, 65}}},
        {"diamond from 45",
         0,
         0,
         4,
         100,
         50,
         45,
         {{85.355f, 7.322f}, {85.355f, 42.678f}, {14.645f, 42.678f}, {14.645f, 7.322f}, {85.355f, 7.322f}}},
    };
    for (const auto& c : cases) {
        ExpectPoints(controls::PrimitivePolygonPoints(c.x, c.y, c.sides, c.w, c.h, c.angle), c.want, c.what);
        GDIpShape path;
        ASSERT_TRUE(path.AppendPrimitivePolygonToPath(c.x, c.y, c.sides, c.w, c.h, c.angle)) << c.what;
        ExpectPoints(Points(path), c.want, c.what);
    }
}

TEST(GdipPath, WavePoints) {
    ExpectPoints(
        controls::WavePoints(0, 0, 90, 0, 10, 3),
        {{0, 0}, {15, 30}, {15, -30}, {30, 0}, {45, 30}, {45, -30}, {60, 0}, {75, 30}, {75, -30}, {90, 0}},
        "horizontal");
    ExpectPoints(controls::WavePoints(0, 0, 0, 60, 5, 2),
                 {{0, 0}, {15, 15}, {-15, 15}, {0, 30}, {15, 45}, {-15, 45}, {0, 60}}, "vertical");
    ExpectPoints(controls::WavePoints(0, 0, 40, 20, 2, 1), {{0, 0}, {20, 16}, {20, 4}, {40, 20}}, "sloped");
    GDIpShape path;
    ASSERT_TRUE(path.AppendWaveToPath(0, 0, 90, 0, 10, 3));
    EXPECT_EQ(PointCount(path), 10);
}

TEST(GdipPath, SlantOfParallelogramAndTrapezoid) {
    const struct {
        float w, h;
        bool vertical;
        float slant;
    } cases[] = {
        {100, 30, false, 15}, {100, 100, false, 25}, {30, 100, true, 15}, {100, 300, false, 37.5f},
        {0, 0, false, 0},     {0, 50, false, 0},     {50, 0, true, 0},    {-10, 20, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(controls::SlantOf(c.w, c.h, c.vertical), c.slant) << c.w << "x" << c.h;

    GDIpShape path;
    ASSERT_TRUE(path.AppendParallelogramToPath(0, 0, 100, 30, false));
    ExpectPoints(Points(path), {{0, 30}, {15, 0}, {100, 0}, {85, 30}, {0, 30}}, "parallelogram");
    GDIpShape trapezoid;
    ASSERT_TRUE(trapezoid.AppendTrapezoidToPath(0, 0, 30, 100, true));
    ExpectPoints(Points(trapezoid), {{0, 0}, {30, 15}, {30, 85}, {0, 100}, {0, 0}}, "vertical trapezoid");
    // Sizes of 0 return at once.
    GDIpShape flat;
    flat.AppendParallelogramToPath(5, 5, 0, 0, false);
    flat.AppendTrapezoidToPath(5, 5, 0, 0, true);
}

TEST(GdipPath, BuildersRaiseChangedAndTheFirstOneTwice) {
    GDIpShape path;
    int changes = 0;
    path.Changed = [&] { ++changes; };
    EXPECT_TRUE(path.AppendLineToPath(0, 0, 10, 10));
    EXPECT_EQ(changes, 2);  // the path is made through Reset first
    EXPECT_TRUE(path.AppendRectangleToPath(0, 0, 5, 5, true));
    EXPECT_EQ(changes, 3);

    changes = 0;
    EXPECT_FALSE(path.AppendPrimitivePolygonToPath(0, 0, 1, 10, 10, 0));
    EXPECT_FALSE(path.AppendPrimitivePolygonToPath(0, 0, 361, 10, 10, 0));
    EXPECT_FALSE(path.AppendWaveToPath(0, 0, 10, 0, 1, 0));
    EXPECT_FALSE(path.AppendLinesToPath(nullptr, 3));
    gdip::PointF one{1, 1};
    EXPECT_FALSE(path.AppendBeziersToPath(&one, 0));
    EXPECT_EQ(changes, 0);
    // These two report even when they add nothing; so does a figure GDI+ refuses.
    EXPECT_FALSE(path.AppendStringToPath(0, 0, L"", L"Arial", 12, 0));
    EXPECT_FALSE(path.AppendPathToPath(nullptr, false));
    EXPECT_FALSE(path.AppendCurvesToPath(&one, 1, 0.5f));  // GDI+ wants two points
    EXPECT_EQ(changes, 3);
    path.ClearMarkers();
    EXPECT_TRUE(path.ClosePath(true));
    EXPECT_EQ(changes, 3);
}

namespace {
// Arcs fail on request: GDI+ itself accepts every size.
int gArcsBeforeFailure = -1;
gdip::Status(WINAPI* gAddArc)(gdip::GpPath*, float, float, float, float, float, float) = nullptr;
gdip::Status WINAPI FailingArc(gdip::GpPath* p, float x, float y, float w, float h, float a, float b) {
    if (gArcsBeforeFailure == 0) return 2;  // InvalidParameter
    if (gArcsBeforeFailure > 0) --gArcsBeforeFailure;
    return gAddArc(p, x, y, w, h, a, b);
}
void ArcFilter(imaging::GdiplusApi&, imaging::GdiplusShapeApi& s) {
    gAddArc = s.GdipAddPathArc;
    s.GdipAddPathArc = &FailingArc;
}
}  // namespace

TEST(GdipPath, AFailedRoundRectangleArcEmptiesThePath) {
    ASSERT_FALSE(imaging::GdiplusService::Instance().Running());
    imaging::GdiplusService::Instance().SetTableFilter(&ArcFilter);
    GDIpShape path;
    imaging::GdiplusService::Instance().SetTableFilter(nullptr);
    int changes = 0;
    path.Changed = [&] { ++changes; };
    for (int failing : {0, 2}) {
        ASSERT_TRUE(path.AppendRectangleToPath(0, 0, 50, 50));
        changes = 0;
        gArcsBeforeFailure = failing;  // the first arc, then the third
        EXPECT_FALSE(path.AppendRoundRectangleToPath(0, 0, 40, 40, 10, 10));
        EXPECT_EQ(PointCount(path), 0) << failing;
        EXPECT_EQ(changes, 1);  // from emptying the path
    }
    gArcsBeforeFailure = 3;  // the fourth arc is not checked
    EXPECT_TRUE(path.AppendRoundRectangleToPath(0, 0, 40, 30, 10, 10));
    gArcsBeforeFailure = -1;
    path.Reset();
    EXPECT_TRUE(path.AppendRoundRectangleToPath(0, 0, 40, 30, 10, 10));
    float l, t, w, h;
    ASSERT_TRUE(path.BoundsSimple(l, t, w, h));
    EXPECT_NEAR(l, 0, 0.01);
    EXPECT_NEAR(t, 0, 0.01);
    EXPECT_NEAR(w, 40, 0.01);
    EXPECT_NEAR(h, 30, 0.01);
}

TEST(GdipPath, CloneAppendsToTheOtherPathOnly) {
    GDIpShape a, b;
    a.AppendRectangleToPath(0, 0, 10, 10);
    b.AppendRectangleToPath(20, 20, 5, 5);
    int changesA = 0, changesB = 0;
    a.Changed = [&] { ++changesA; };
    b.Changed = [&] { ++changesB; };
    EXPECT_TRUE(a.ClonePath(&b));
    EXPECT_EQ(PointCount(a), 4);
    EXPECT_EQ(PointCount(b), 8);
    EXPECT_EQ(changesA, 0);
    EXPECT_EQ(changesB, 1);
    EXPECT_FALSE(a.ClonePath(nullptr));
}

TEST(GdipPath, BoundsHitTestsAndRegionsFollowOffsetsAndMatrices) {
    GDIpShape path;
    float l, t, w, h;
    EXPECT_FALSE(path.BoundsSimple(l, t, w, h));
    EXPECT_FALSE(path.MouseOverPath(0, 0));
    EXPECT_EQ(path.ConvertPathToRegionGDI(0, 0), nullptr);

    path.AppendRectangleToPath(0, 0, 10, 10);
    path.AppendRectangleToPath(5, 5, 10, 10);
    ASSERT_TRUE(path.BoundsSnug(l, t, w, h));
    EXPECT_NEAR(l, 0, 0.5);
    EXPECT_NEAR(t, 0, 0.5);
    EXPECT_NEAR(w, 15, 0.5);
    EXPECT_NEAR(h, 15, 0.5);

    EXPECT_TRUE(path.MouseOverPath(2, 2));
    EXPECT_FALSE(path.MouseOverPath(12, 2));
    EXPECT_TRUE(path.MouseOverPath(22, 2, -20, 0));  // the offsets are added to the point

    rt::Region moved(path.ConvertPathToRegionGDI(20, 0));
    ASSERT_TRUE(moved);
    RECT box{};
    GetRgnBox(moved.get(), &box);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 35);
    EXPECT_EQ(box.bottom, 15);

    // The region moves before the matrix applies; the hit test uses the matrix alone.
    gdip::GpMatrix* twice = nullptr;
    Api().GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &twice);
    rt::Region scaled(path.ConvertPathToRegionGDI(5, 0, twice));
    GetRgnBox(scaled.get(), &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);
    EXPECT_TRUE(path.MouseOverPath(25, 25, 0, 0, twice));
    Api().GdipDeleteMatrix(twice);
}

TEST(GdipPath, TextOutlinesWithTheNamedFontOrTheSerifFallback) {
    GDIpShape path;
    ASSERT_TRUE(path.AppendStringToPath(0, 0, L"Hi", L"Arial", 40, 1));
    float l, t, w, h;
    ASSERT_TRUE(path.BoundsSimple(l, t, w, h));
    EXPECT_GT(w, 10);
    EXPECT_GT(h, 10);
    GDIpShape fallback;
    EXPECT_TRUE(fallback.AppendStringToPath(0, 0, L"Hi", L"No Such Family Here", 40, 0));
    EXPECT_GT(PointCount(fallback), 4);
}

TEST(GdipPath, RenderFillsThenOutlinesMovedAndScaled) {
    GDIpShape path;
    GDIpPenBrush pb;
    path.AppendRectangleToPath(0, 0, 10, 10);
    pb.CreateSolidBrush(0xFFFF0000u);
    pb.CreatePen(2, 0, 0xFF0000FFu);

    gdiptest::Surface s(60, 60, RGB(255, 255, 255));
    path.Render(s.dc(), nullptr, pb.BrushHandle(), 20, 20, 0, 0, nullptr, 3);
    EXPECT_EQ(s.At(25, 25), 0xFF0000u);
    EXPECT_EQ(s.At(5, 5), 0xFFFFFFu);

    // Scaled to 40 x 40, the offset scaled with it: from 20 to 60.
    gdiptest::Surface big(70, 70, RGB(255, 255, 255));
    path.Render(big.dc(), pb.PenHandle(), pb.BrushHandle(), 5, 5, 40, 40, nullptr, 3);
    EXPECT_EQ(big.At(40, 40), 0xFF0000u);
    EXPECT_EQ(big.At(15, 15), 0xFFFFFFu);
    EXPECT_EQ(big.At(40, 20), 0x0000FFu);  // the outline over the fill's edge

    // Nothing to draw with, or no DC: nothing happens.
    path.Render(s.dc(), nullptr, nullptr, 0, 0);
    path.Render(nullptr, nullptr, pb.BrushHandle(), 0, 0);
    EXPECT_EQ(s.At(5, 5), 0xFFFFFFu);
}

TEST(GdipPath, RenderToASizeOfAFlatPathDrawsNothingAndFreesItsMatrix) {
    ASSERT_FALSE(imaging::GdiplusService::Instance().Running());
    imaging::GdiplusService::Instance().SetTableFilter(&DeleteCounts::Filter);
    DeleteCounts::Clear();
    {
        GDIpShape line;
        GDIpPenBrush pb;
        line.AppendLineToPath(0, 10, 30, 10);  // no height
        pb.CreatePen(3, 0, 0xFF000000u);
        gdiptest::Surface s(40, 40, RGB(255, 255, 255));
        line.Render(s.dc(), pb.PenHandle(), nullptr, 0, 0, 30, 30, nullptr, 0);
        EXPECT_EQ(s.At(15, 10), 0xFFFFFFu);
        EXPECT_EQ(DeleteCounts::matrices, 1);
    }
    imaging::GdiplusService::Instance().SetTableFilter(nullptr);
}
