// The gradient label's painting read back from its persistent image: the gradients, the borders
// pixel by pixel, the label type's shape, the caption's shadow, and handles over many paints.
#include <algorithm>
#include <climits>
#include <functional>

#include "labels_fixture.h"

using namespace labelstest;
using controls::bsGradientLabel;

namespace {

class GradientLabel : public Labels {
protected:
    bsGradientLabel& Make(int w, int h) {
        bsGradientLabel& g = form->grad.Load(++next);
        g.Caption("");
        g.Move(Tw(10), Tw(10), Tw(w), Tw(h));
        g.Visible(true);
        return g;
    }
    static COLORREF At(bsGradientLabel& g, int x, int y) { return g.Surface().Point(x, y) & 0xFFFFFF; }
    int next = 0;
};

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    bool empty() const { return left > right; }
};

Box BoxOf(bsGradientLabel& g, int w, int h, const std::function<bool(COLORREF)>& is) {
    Box b;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (is(g.Surface().Point(x, y) & 0xFFFFFF)) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

void ExpectNear(COLORREF c, int r, int g, int b, int tolerance, const char* where) {
    EXPECT_NEAR(R(c), r, tolerance) << where;
    EXPECT_NEAR(G(c), g, tolerance) << where;
    EXPECT_NEAR(B(c), b, tolerance) << where;
}

}  // namespace

TEST_F(GradientLabel, TwoColourAndFourCornerGradients) {
    bsGradientLabel& g = Make(200, 50);
    g.GradientType(0);
    g.Colour1(0);
    g.Colour2(0xFF0000);
    // Left to right from black to blue; the last column is the platform's to round.
    ExpectNear(At(g, 0, 25), 0, 0, 0, 0, "left edge");
    ExpectNear(At(g, 100, 25), 0, 0, 127, 1, "middle");
    EXPECT_EQ(At(g, 100, 0), At(g, 100, 49));  // columns are even

    // Any type but 0 and 2 runs top to bottom.
    for (int type : {1, 3, -1}) {
        g.GradientType(type);
        ExpectNear(At(g, 100, 0), 0, 0, 0, 0, "top");
        ExpectNear(At(g, 100, 25), 0, 0, 127, 2, "middle row");
        EXPECT_EQ(At(g, 0, 25), At(g, 199, 25));
    }

    // Four corners with the default colours, clockwise from the top left.
    bsGradientLabel& c = Make(200, 50);
    c.GradientType(2);
    ExpectNear(At(c, 0, 0), 0, 0, 0, 12, "top left black");
    ExpectNear(At(c, 198, 0), 0, 0, 255, 12, "top right blue");
    ExpectNear(At(c, 198, 48), 255, 255, 0, 12, "bottom right yellow");
    ExpectNear(At(c, 0, 48), 255, 0, 0, 12, "bottom left red");
}

TEST_F(GradientLabel, SystemColoursDrawTheirValueAndKeepTheirCode) {
    bsGradientLabel& g = Make(40, 20);
    g.Colour1(0x80000005);  // window background
    g.Colour2(0x80000005);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(At(g, 0, 10), window);
    EXPECT_EQ(g.Colour1(), 0x80000005u);
    EXPECT_EQ(g.TranslateColour(static_cast<int32_t>(0x80000005)), static_cast<int32_t>(window));
    EXPECT_EQ(g.TranslateColour(0x123456), 0x123456);
}

TEST_F(GradientLabel, BordersPixelByPixel) {
    bsGradientLabel& g = Make(10, 10);
    g.HighlightColour(0xFF);
    g.HighlightDKColour(0xFF00);
    g.ShadowColour(0xFF0000);
    g.ShadowDKColour(0xFFFF);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255),
                   yellow = RGB(255, 255, 0);

    g.BorderStyle(3);
    EXPECT_EQ(At(g, 5, 0), red);
    EXPECT_EQ(At(g, 9, 0), yellow);  // the top-right corner takes the second colour
    EXPECT_EQ(At(g, 5, 9), yellow);
    EXPECT_EQ(At(g, 5, 1), green);
    EXPECT_EQ(At(g, 8, 5), blue);
    EXPECT_EQ(At(g, 0, 5), red);

    g.BorderStyle(2);
    EXPECT_EQ(At(g, 9, 0), red);
    EXPECT_EQ(At(g, 5, 9), blue);
    EXPECT_EQ(At(g, 9, 5), blue);
    EXPECT_NE(At(g, 5, 1), green);  // no inner ring

    // Flat: the rectangle in the flat colour, the gradient inside it.
    g.FlatBorderColour(0x00FF00);
    g.BorderStyle(1);
    EXPECT_EQ(At(g, 0, 0), green);
    EXPECT_EQ(At(g, 9, 9), green);
    EXPECT_EQ(At(g, 5, 5), At(g, 5, 4));
    EXPECT_NE(At(g, 5, 5), green);

    // Codes outside 1 to 7 draw none.
    for (int none : {0, 8, -1}) {
        g.BorderStyle(none);
        EXPECT_EQ(At(g, 0, 5), At(g, 0, 4)) << none;
        EXPECT_EQ(At(g, 5, 0), At(g, 5, 1)) << none;
    }
}

TEST_F(GradientLabel, TheLabelTypeKeepsItsShape) {
    bsGradientLabel& g = Make(200, 50);
    g.LabelType(1);
    EXPECT_DOUBLE_EQ(g.Width(), Tw(50));
    EXPECT_DOUBLE_EQ(g.Height(), Tw(200));
    g.LabelType(0);
    EXPECT_DOUBLE_EQ(g.Width(), Tw(200));
    EXPECT_DOUBLE_EQ(g.Height(), Tw(50));
    // Type 2 keeps any shape (and still turns its caption).
    g.LabelType(2);
    g.Height(Tw(300));
    EXPECT_DOUBLE_EQ(g.Width(), Tw(200));
    EXPECT_DOUBLE_EQ(g.Height(), Tw(300));
}

TEST_F(GradientLabel, TheTextShadowIsTheCaptionMovedByItsOffsets) {
    bsGradientLabel& g = Make(120, 60);
    g.Colour1(0);
    g.Colour2(0);
    g.Fount(rt::Font("Arial", 20));
    g.CaptionColour(0xFFFFFF);
    g.TextShadowColour(0x00FF00);
    g.CaptionAlignment(0);
    g.Caption("T");
    auto caption = [](COLORREF c) { return R(c) > 0; };
    auto shadow = [](COLORREF c) { return R(c) == 0 && B(c) == 0 && G(c) > 0; };
    const Box text = BoxOf(g, 120, 60, caption);
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(BoxOf(g, 120, 60, shadow).empty());

    g.TextShadow(true);
    Box moved = BoxOf(g, 120, 60, shadow);
    EXPECT_EQ(moved.left, text.left + 2);
    EXPECT_EQ(moved.top, text.top + 2);
    EXPECT_EQ(moved.right, text.right + 2);
    EXPECT_EQ(moved.bottom, text.bottom + 2);
    const Box still = BoxOf(g, 120, 60, caption);
    EXPECT_EQ(still.left, text.left);
    EXPECT_EQ(still.top, text.top);

    g.TextShadowXOffset(-3);
    g.TextShadowYOffset(-1);
    moved = BoxOf(g, 120, 60, shadow);
    EXPECT_EQ(moved.left, text.left - 3);
    EXPECT_EQ(moved.top, text.top - 1);
}

TEST_F(GradientLabel, TheCaptionSitsOneSpaceFromItsStartOrEnd) {
    bsGradientLabel& g = Make(160, 40);
    g.Colour1(0);
    g.Colour2(0);
    g.Fount(rt::Font("Arial", 12));
    g.Caption("IIII");
    auto lit = [](COLORREF c) { return R(c) > 0; };
    g.CaptionAlignment(0);
    const Box start = BoxOf(g, 160, 40, lit);
    g.CaptionAlignment(2);
    const Box end = BoxOf(g, 160, 40, lit);
    g.CaptionAlignment(1);
    const Box centre = BoxOf(g, 160, 40, lit);
    ASSERT_FALSE(start.empty());
    // The space is a few pixels; the caption keeps its width wherever it is aligned.
    EXPECT_GT(start.left, 0);
    EXPECT_LT(start.left, 10);
    EXPECT_GT(end.right, 145);
    EXPECT_LT(end.right, 159);
    EXPECT_EQ(end.right - end.left, start.right - start.left);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 80, 4);
    // Vertically centred.
    EXPECT_NEAR((start.top + start.bottom) / 2.0, 20, 3);
}

TEST_F(GradientLabel, SettingsAreStoredAgainstTheirDefaults) {
    bsGradientLabel& g = Make(40, 20);
    EXPECT_EQ(g.Caption(), "");
    g.ClearChangedProperties();
    g.Colour3(0x123456);
    g.TextShadow(true);
    EXPECT_EQ(g.ChangedProperties(), (std::vector<std::string>{"Colour3", "TextShadow"}));
    rt::PropertyBag bag = g.SaveProperties();
    EXPECT_TRUE(bag.Contains("Colour3"));
    EXPECT_TRUE(bag.Contains("TextShadow"));
    EXPECT_TRUE(bag.Contains("Caption"));  // empty is not the default, the control's name
    EXPECT_FALSE(bag.Contains("Colour1"));
    EXPECT_FALSE(bag.Contains("TextShadowXOffset"));
    // A new control: defaults, the caption its name.
    bsGradientLabel fresh(*form, "fresh");
    EXPECT_EQ(fresh.Caption(), "fresh");
    EXPECT_EQ(fresh.Colour2(), 0xFF0000u);
    EXPECT_EQ(fresh.HighlightColour(), 0x80000014u);
    EXPECT_EQ(fresh.TextShadowYOffset(), 2);
    EXPECT_FALSE(fresh.TextShadow());
}

TEST_F(GradientLabel, PaintsAndMembersLeaveNoHandles) {
    bsGradientLabel& g = Make(120, 40);
    g.Caption("Handles");
    g.TextShadow(true);
    g.BorderStyle(5);
    ExpectNoHandleGrowth([&](int i) {
        g.GradientType(i % 3);
        bsGradientLabel& m = form->grad.Load(1000);
        m.Visible(true);
        m.Caption("x");
        form->grad.Unload(1000);
    });
}
