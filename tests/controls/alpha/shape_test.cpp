// The vector shape on a form: where its figure goes, what it paints, which points hit it, the
// paint events, the grouping of rebuilds, and its stored settings.
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/alpha/GDIpPenBrush.h"
#include "controls/alpha/shape_fixture.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "runtime/propertybag.h"
#include "support/gdip_count.h"

using namespace shapestest;
using controls::AlphaShapeCtl;

namespace {

using Pair = std::pair<void*, void*>;

::testing::AssertionResult SameBox(const Shapes::Box& got, float x, float y, float w, float h) {
    const float tol = 0.6f;
    if (std::fabs(got.x - x) <= tol && std::fabs(got.y - y) <= tol && std::fabs(got.w - w) <= tol &&
        std::fabs(got.h - h) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got.x << ", " << got.y << ", " << got.w << ", " << got.h << "), expected (" << x
           << ", " << y << ", " << w << ", " << h << ")";
}

}  // namespace

TEST_F(Shapes, FigureBoxesFollowTheSizeAndPlacementSettings) {
    struct Case {
        const char* what;
        int w, h;
        void (*setup)(AlphaShapeCtl&);
        float x, y, bw, bh;
    };
    const Case cases[] = {
        {"a centred square in a tall control", 40, 100, [](AlphaShapeCtl& s) { s.BorderWidth(2); }, 2, 32, 36,
         36},
        {"not centred: at the border inset", 40, 100,
         [](AlphaShapeCtl& s) {
             s.BorderWidth(2);
             s.AlignCenter(false);
         },
         2, 2, 36, 36},
        {"stretched over the inset box", 40, 100,
         [](AlphaShapeCtl& s) {
             s.BorderWidth(2);
             s.Stretch(true);
         },
         2, 2, 36, 96},
        {"a stretched rounded rectangle without a border", 100, 40,
         [](AlphaShapeCtl& s) {
             s.BorderWidth(0);
             s.Stretch(true);
             s.Shape(2);
         },
         0, 0, 100, 40},
        {"a text shape without text is the rectangle", 40, 100,
         [](AlphaShapeCtl& s) {
             s.BorderWidth(2);
             s.Shape(4);
         },
         2, 32, 36, 36},
        {"a centred ellipse", 100, 60, [](AlphaShapeCtl& s) { s.Shape(1); }, 21, 1, 58, 58},
        {"a square polygon fitted into the inset box", 60, 60,
         [](AlphaShapeCtl& s) {
             s.Shape(3);
             s.PolygonSides(4);
             s.PolygonAngle(45);
             s.Stretch(true);
         },
         1, 1, 58, 58},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlphaShapeCtl& s = Make(10, 10, c.w, c.h);
        c.setup(s);
        EXPECT_TRUE(SameBox(Bounds(s), c.x, c.y, c.bw, c.bh));
    }
}

TEST_F(Shapes, PolygonSidesBelowThreeDrawFourAndOutOfRangeValuesAreIgnored) {
    AlphaShapeCtl& s = Make(10, 10, 60, 60);
    s.Shape(3);
    std::vector<imaging::gdip::PointF> points;
    std::vector<uint8_t> types;
    for (int sides : {0, 2}) {
        s.PolygonSides(sides);
        EXPECT_EQ(s.PolygonSides(), sides);
        ASSERT_TRUE(s.ShapeObject().GetPathPoints(points, types));
        EXPECT_EQ(points.size(), 5u) << sides;  // four corners and the closing point
    }
    s.PolygonSides(6);
    ASSERT_TRUE(s.ShapeObject().GetPathPoints(points, types));
    EXPECT_EQ(points.size(), 7u);
    for (int bad : {-1, 5}) {
        s.Shape(bad);
        EXPECT_EQ(s.Shape(), 3);
    }
    s.PolygonSides(361);
    s.FillStyle(61);
    s.BorderWidth(16);
    s.BackTransparency(-1);
    EXPECT_EQ(s.PolygonSides(), 6);
    EXPECT_EQ(s.FillStyle(), 0);
    EXPECT_EQ(s.BorderWidth(), 1);
    EXPECT_EQ(s.BackTransparency(), 0);
}

TEST_F(Shapes, AutoSizeMakesAWideEllipseSquare) {
    AlphaShapeCtl& s = Make(10, 10, 100, 60);
    s.Shape(1);
    s.AutoSize(true);
    EXPECT_DOUBLE_EQ(s.Width(), Tw(60));
    EXPECT_DOUBLE_EQ(s.Height(), Tw(60));
    EXPECT_TRUE(SameBox(Bounds(s), 1, 1, 58, 58));
}

// Fitting whose divisor would be 0 leaves the figure as appended; the control goes on working.
TEST_F(Shapes, FiguresWithoutExtentStayUnfitted) {
    AlphaShapeCtl& s = Make(10, 10, 4, 4);
    s.BorderWidth(2);  // S = 0
    s.Shape(3);
    s.Stretch(true);
    Box b = Bounds(s);
    EXPECT_FLOAT_EQ(b.w, 0);
    EXPECT_FLOAT_EQ(b.h, 0);
    s.Move(Tw(10), Tw(10), Tw(44), Tw(44));
    EXPECT_TRUE(SameBox(Bounds(s), 2, 2, 40, 40));

    // A host path that is a straight line keeps its place and length.
    controls::GDIpShape line;
    ASSERT_TRUE(line.AppendLineToPath(5, 7, 30, 7));
    AlphaShapeCtl& h = Make(100, 10, 80, 80);
    h.ShapeObject(&line);
    EXPECT_EQ(h.Shape(), -1);
    EXPECT_TRUE(SameBox(Bounds(h), 5, 7, 25, 0));
    h.Move(Tw(100), Tw(10), Tw(90), Tw(90));
    h.Refresh();
    EXPECT_TRUE(SameBox(Bounds(h), 5, 7, 25, 0));
    // A host path with extent is fitted: a 10 x 20 box into the 88 x 88 inset, centred.
    controls::GDIpShape box;
    ASSERT_TRUE(box.AppendRectangleToPath(0, 0, 10, 20));
    h.ShapeObject(&box);
    EXPECT_TRUE(SameBox(Bounds(h), 23, 1, 44, 88));
}

TEST_F(Shapes, PaintsFillsAndOutlines) {
    AlphaShapeCtl& red = Make(10, 10, 100, 100);
    red.Shape(1);
    red.BorderStyle(0);
    red.FillStyle(1);
    red.FillColor(0x0000FF);
    EXPECT_TRUE(Near(Pixel(60, 60), 255, 0, 0));
    EXPECT_TRUE(Near(Pixel(12, 12), 255, 255, 255));  // the box corner shows the form

    AlphaShapeCtl& blue = Make(150, 10, 100, 100);
    blue.BorderStyle(0);
    blue.FillStyle(1);
    blue.FillColor(0xFF0000);
    blue.BackTransparency(50);
    EXPECT_TRUE(Near(Pixel(200, 60), 127, 127, 255));

    // A fully transparent outline is there, but not seen.
    AlphaShapeCtl& ring = Make(260, 10, 100, 100);
    ring.BorderColor(0x000000);
    ring.BorderWidth(6);
    ring.BorderTransparency(100);
    EXPECT_NE(ring.PenBrush().PenHandle(), nullptr);
    EXPECT_TRUE(Near(Pixel(263, 60), 255, 255, 255));

    AlphaShapeCtl& ramp = Make(10, 150, 200, 60);
    ramp.BorderStyle(0);
    ramp.Stretch(true);
    ramp.FillColor(0x0000FF);
    ramp.BackColor(0xFF0000);
    ramp.FillStyle(55);
    const COLORREF left = Pixel(20, 180), right = Pixel(200, 180);
    EXPECT_GT(GetRValue(left), GetBValue(left));
    EXPECT_GT(GetBValue(right), GetRValue(right));

    // A 4 x 4 picture, green on its left half and black on its right, tiled from the figure's corner.
    rt::ScreenDC screen;
    rt::MemoryDC dc(screen.get());
    HBITMAP bits = CreateCompatibleBitmap(screen.get(), 4, 4);
    {
        rt::SelectGuard select(dc.get(), bits);
        RECT all{0, 0, 4, 4}, half{0, 0, 2, 4};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        rt::Brush green(CreateSolidBrush(RGB(0, 255, 0)));
        FillRect(dc.get(), &half, green.get());
    }
    AlphaShapeCtl& tiles = Make(250, 150, 40, 40);
    tiles.BorderStyle(0);
    tiles.BorderWidth(0);
    tiles.Texture(rt::Picture::FromBitmap(bits));
    tiles.FillStyle(60);
    for (int x : {0, 4, 8, 32}) EXPECT_TRUE(Near(Pixel(250 + x, 160), 0, 255, 0)) << x;
    for (int x : {3, 7, 35}) EXPECT_TRUE(Near(Pixel(250 + x, 160), 0, 0, 0)) << x;
}

TEST_F(Shapes, OnlyHitPointsReachTheShape) {
    AlphaShapeCtl& lower = Make(10, 10, 100, 100);
    AlphaShapeCtl& upper = Make(10, 10, 100, 100);
    upper.Shape(1);
    int lowerClicks = 0, upperClicks = 0;
    lower.Click = [&](int) { ++lowerClicks; };
    upper.Click = [&](int) { ++upperClicks; };

    Click(60, 60);  // inside the ellipse
    EXPECT_EQ(upperClicks, 1);
    EXPECT_EQ(lowerClicks, 0);
    Click(13, 13);  // the ellipse's box corner: the square below
    EXPECT_EQ(upperClicks, 1);
    EXPECT_EQ(lowerClicks, 1);

    // A disabled shape lets the mouse through.
    upper.Enabled(false);
    Click(60, 60);
    EXPECT_EQ(upperClicks, 1);
    EXPECT_EQ(lowerClicks, 2);

    // The bounding rectangle as cached: left and top edges inside, right and bottom outside.
    upper.Enabled(true);
    upper.HitTest(1);
    Click(13, 13);
    EXPECT_EQ(upperClicks, 2);
    lower.Visible(false);
    Click(10 + 99, 60);  // the ellipse spans x 1 to 99 of the control: 99 is outside
    EXPECT_EQ(upperClicks, 2);
    Click(10 + 98, 60);
    EXPECT_EQ(upperClicks, 3);
}

TEST_F(Shapes, PrePaintMaySubstituteOrCancelAndPostPaintHandsBackOnlyWhatWasSubstituted) {
    AlphaShapeCtl& s = Make(10, 10, 100, 100);
    s.FillStyle(1);
    s.FillColor(0x0000FF);
    controls::GDIpPenBrush own;
    AlphaShapeCtl::GpBrush* green = own.CreateSolidBrush(0xFF00FF00);
    ASSERT_NE(green, nullptr);

    enum { Nothing, Substitute, Cancel } mode = Nothing;
    std::vector<std::pair<void*, void*>> handedBack;
    s.PrePaint = [&](int, HDC&, AlphaShapeCtl::GpBrush*& brush, AlphaShapeCtl::GpPen*&, bool& cancel) {
        if (mode == Substitute) brush = green;
        if (mode == Cancel) cancel = true;
    };
    s.PostPaint = [&](int, HDC& hdc, AlphaShapeCtl::GpBrush*& brush, AlphaShapeCtl::GpPen*& pen) {
        EXPECT_NE(hdc, nullptr);
        handedBack.emplace_back(brush, pen);
    };

    s.Refresh();
    EXPECT_TRUE(Near(Pixel(60, 60), 255, 0, 0));
    ASSERT_FALSE(handedBack.empty());
    EXPECT_EQ(handedBack.back(), Pair(nullptr, nullptr));

    mode = Substitute;
    handedBack.clear();
    s.Refresh();
    EXPECT_TRUE(Near(Pixel(60, 60), 0, 255, 0));
    ASSERT_FALSE(handedBack.empty());
    EXPECT_EQ(handedBack.back(), Pair(green, nullptr));

    mode = Cancel;
    handedBack.clear();
    s.Refresh();
    EXPECT_TRUE(Near(Pixel(60, 60), 255, 255, 255));
    ASSERT_FALSE(handedBack.empty());
    EXPECT_EQ(handedBack.back(), Pair(nullptr, nullptr));
    s.PrePaint = nullptr;
    s.PostPaint = nullptr;
}

namespace {
// Rebuilds are counted through the GDI+ calls they make, so GDI+ is started afresh with the calls
// wrapped: nothing holds it between tests.
class CountedShapes : public Shapes {
protected:
    void SetUp() override {
        ASSERT_FALSE(imaging::GdiplusService::Instance().Running());
        GdipObjects::Install();
        Shapes::SetUp();
    }
    void TearDown() override {
        Shapes::TearDown();
        GdipObjects::Remove();
    }
};
}  // namespace

TEST_F(CountedShapes, WhileRedrawIsOffSettersPaintNothingAndRefreshRebuildsEachPartOnceInOrder) {
    GdipObjects::watched = {"GdipResetPath",       "GdipCreatePath",        "GdipDeleteBrush",
                            "GdipCreateSolidFill", "GdipSetSolidFillColor", "GdipCreatePen1",
                            "GdipSetPenColor"};
    {
        AlphaShapeCtl& s = Make(10, 10, 100, 100);
        ASSERT_EQ(GdipObjects::loads, 1);
        s.FillStyle(1);
        int paints = 0;
        s.PrePaint = [&](int, HDC&, AlphaShapeCtl::GpBrush*&, AlphaShapeCtl::GpPen*&, bool&) { ++paints; };
        UpdateWindow(form->hWnd());

        s.SetRedraw(false);
        EXPECT_FALSE(s.SetRedraw());
        paints = 0;
        GdipObjects::log.clear();
        s.BorderWidth(3);
        s.FillColor(0x0000FF);
        s.BorderColor(0xFF0000);
        UpdateWindow(form->hWnd());
        rt::DoEvents();
        EXPECT_EQ(paints, 0);
        EXPECT_TRUE(GdipObjects::log.empty());

        s.Refresh();
        EXPECT_EQ(GdipObjects::log, (std::vector<std::string>{"GdipResetPath", "GdipDeleteBrush",
                                                              "GdipCreateSolidFill", "GdipSetPenColor"}));
        EXPECT_GE(paints, 1);
        EXPECT_TRUE(s.SetRedraw());
        EXPECT_TRUE(Near(Pixel(60, 60), 255, 0, 0));
        s.PrePaint = nullptr;
    }
    rt::UnloadAll();
    rt::FlushDeferred();
    EXPECT_EQ(GdipObjects::Live(), 0);
    EXPECT_FALSE(imaging::GdiplusService::Instance().Running());
}

TEST_F(Shapes, StoredSettingsRoundTrip) {
    AlphaShapeCtl& s = Make(10, 10, 100, 60);
    s.Shape(3);
    s.BackStyle(1);
    s.BorderStyle(4);
    s.HitTest(1);
    s.FillStyle(57);
    s.WantMouseEvents(true);
    s.BorderWidth(9);
    s.PolygonSides(300);
    s.Stretch(true);
    s.AlignCenter(false);
    s.SizeFixed(true);
    s.BackTransparency(77);
    s.BorderTransparency(33);
    s.TextureMode(5);
    s.PolygonAngle(12.5f);
    s.BackColor(0x123456);
    s.BorderColor(0x654321);
    s.FillColor(0x0000FF);
    s.ShapeText(std::wstring(L"A\x263A"));
    s.Font(rt::Font("Arial", 12, false, true));
    s.Enabled(false);

    const rt::PropertyBag bag = s.SaveProperties();
    const uint32_t settings = 3u | 1u << 3 | 4u << 4 | 1u << 7 | 57u << 8 | 1u << 14 | 9u << 16 | 300u << 20 |
                              1u << 29 | 1u << 30 | 1u << 31;
    EXPECT_EQ(bag.ReadProperty("Settings", 0u), settings);
    EXPECT_EQ(bag.ReadProperty("TransColors", 0u), 77u | 33u << 8 | 5u << 16 | 0x80000000u);
    EXPECT_EQ(s.TransColors() & 0x80000000u, 0u);  // the disabled bit lives only in the stored value
    EXPECT_FLOAT_EQ(bag.ReadProperty("fCx", 0.0f), 118);
    EXPECT_FLOAT_EQ(bag.ReadProperty("fCy", 0.0f), 78);
    EXPECT_EQ(bag.ReadProperty("Text", rt::PropertyBag::Bytes{}),
              (rt::PropertyBag::Bytes{0x41, 0, 0x3A, 0x26}));

    AlphaShapeCtl copy(*form, "copy", -1, std::make_shared<const rt::PropertyBag>(bag));
    EXPECT_EQ(copy.Settings(), settings);
    EXPECT_EQ(copy.Shape(), 3);
    EXPECT_EQ(copy.PolygonSides(), 300);
    EXPECT_EQ(copy.FillStyle(), 57);
    EXPECT_FALSE(copy.AlignCenter());
    EXPECT_EQ(copy.BackTransparency(), 77);
    EXPECT_EQ(copy.BorderTransparency(), 33);
    EXPECT_EQ(copy.TextureMode(), 5);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.TransColors() & 0x80000000u, 0u);
    EXPECT_FLOAT_EQ(copy.PolygonAngle(), 12.5f);
    EXPECT_EQ(copy.BackColor(), 0x123456u);
    EXPECT_EQ(copy.BorderColor(), 0x654321u);
    EXPECT_EQ(copy.FillColor(), 0x0000FFu);
    EXPECT_EQ(copy.ShapeText(), std::wstring(L"A\x263A"));
    EXPECT_EQ(copy.Font().Name(), "Arial");
    EXPECT_FLOAT_EQ(copy.Font().Size(), 12);
    EXPECT_TRUE(copy.Font().Italic());
    EXPECT_FALSE(copy.Font().Bold());
}

TEST_F(Shapes, StoredEdgeCases) {
    // The initial font is left out; a bold Times New Roman of another size is kept.
    AlphaShapeCtl& s = Make(10, 10, 80, 80);
    EXPECT_FALSE(s.SaveProperties().Contains("Font"));
    EXPECT_EQ(s.SaveProperties().Count(), 0u);
    s.Font(rt::Font("Times New Roman", 20, true));
    const rt::PropertyBag sized = s.SaveProperties();
    ASSERT_TRUE(sized.Contains("Font"));
    AlphaShapeCtl fontCopy(*form, "fontCopy", -1, std::make_shared<const rt::PropertyBag>(sized));
    EXPECT_FLOAT_EQ(fontCopy.Font().Size(), 20);
    EXPECT_TRUE(fontCopy.Font().Bold());

    // Five bytes of text are three characters, the last from the odd byte.
    AlphaShapeCtl text(*form, "text", -1,
                       std::make_shared<const rt::PropertyBag>(
                           rt::PropertyBag{{"Text", rt::PropertyBag::Bytes{0x41, 0, 0x42, 0, 0x43}}}));
    EXPECT_EQ(text.ShapeText(), L"ABC");

    // A host path does not survive: the copy is a rectangle.
    controls::GDIpShape path;
    ASSERT_TRUE(path.AppendEllipseToPath(0, 0, 30, 20));
    s.ShapeObject(&path);
    EXPECT_EQ(s.Shape(), -1);
    const rt::PropertyBag hosted = s.SaveProperties();
    EXPECT_EQ(hosted.ReadProperty("Settings", 0u) & 7u, 5u);
    AlphaShapeCtl rect(*form, "rect", -1, std::make_shared<const rt::PropertyBag>(hosted));
    EXPECT_EQ(rect.Shape(), 0);

    // A text with a character above 255 reads "{Unicode}" until the control is shown in a
    // running program.
    AlphaShapeCtl& hidden = form->shape.Load(++next);
    hidden.ShapeText(std::wstring(L"\x263A"));
    EXPECT_EQ(hidden.ShapeText(), L"{Unicode}");
    hidden.Visible(true);
    EXPECT_EQ(hidden.ShapeText(), std::wstring(L"\x263A"));
}
