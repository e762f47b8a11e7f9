// The tile on a form of its own, made from a template that holds the main window's design: the
// layout of both modes, the hover look under real pointer input, clicks with every button, the
// tooltip text, the members that only store, and the saved settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "controls/alpha/win8Metro.h"
#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "support/error_of.h"
#include "support/host_form.h"
#include "support/pointer_input.h"

namespace {

using controls::win8Metro;

// The tile template as the main window stores it.
std::shared_ptr<const rt::PropertyBag> TileTemplate() {
    rt::Font caption("Tahoma", 12, true);
    caption.Charset(178);
    return std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"BackColor", 0xFFC0FFu},
                                                                   {"FillStyle", int32_t{58}},
                                                                   {"BorderTransparency", int32_t{0}},
                                                                   {"BorderColor", 0xE47A23u},
                                                                   {"BackTransparency", int32_t{1}},
                                                                   {"FontName", "Tahoma"},
                                                                   {"FontSize", 12.0f},
                                                                   {"FontBold", true},
                                                                   {"Font", caption}});
}

class TileForm : public testsupport::HostForm {
public:
    TileForm() : HostForm("TileForm", 7500, 4500) {  // 500 x 300 pixels
        tile[0].Visible(false);
    }
    rt::ControlArray<win8Metro> tile{*this, "tile", TileTemplate()};
};

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        rt::DoEvents();
        Sleep(5);
    }
}

template <class F>
bool PumpUntil(F done, DWORD ms = 3000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        rt::DoEvents();
        Sleep(5);
    }
    return true;
}

// Real pointer input at a client point of the window: a move, or a button going down or up.
void SendPointer(HWND h, int x, int y, DWORD flags = 0) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    testsupport::SendPointerInput(p, flags);
    Pump(5);
}

struct Offsets {
    int32_t x, y;
};
Offsets IconOffsets(const win8Metro& t) {
    int32_t x = 0, y = 0;
    const_cast<aicAlphaImage&>(t.IconImage()).OffsetImage(false, x, y);
    return {x, y};
}

// What the background shows: its figure, fill, outline and place.
struct AlphaShapeCtlSnapshot {
    explicit AlphaShapeCtlSnapshot(const win8Metro& t) {
        const controls::AlphaShapeCtl& s = t.Background();
        values = {static_cast<int64_t>(s.Shape()),
                  s.BackStyle(),
                  s.BorderStyle(),
                  s.BorderWidth(),
                  s.PolygonSides(),
                  static_cast<int64_t>(s.PolygonAngle()),
                  s.FillStyle(),
                  s.FillColor(),
                  s.BackColor(),
                  s.BorderColor(),
                  s.BackTransparency(),
                  s.BorderTransparency(),
                  static_cast<int64_t>(s.Left()),
                  static_cast<int64_t>(s.Top()),
                  static_cast<int64_t>(s.Width()),
                  static_cast<int64_t>(s.Height()),
                  s.Enabled() ? 1 : 0};
    }
    bool operator==(const AlphaShapeCtlSnapshot&) const = default;
    std::vector<int64_t> values;
};

class TileTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = &rt::Load<TileForm>();
        form->Show();
        SetForegroundWindow(form->hWnd());
        SendPointer(form->hWnd(), 450, 280);
        rt::DoEvents();
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
        rt::FlushDeferred();
    }
    // A shown tile of 3495 x 1575 twips (233 x 105 pixels) at pixels (30, 30), laid out.
    win8Metro& NewTile(int index = 1) {
        win8Metro& t = form->tile.Load(index);
        t.Move(450, 450, 3495, 1575);
        t.Visible(true);
        t.ref();
        rt::DoEvents();
        return t;
    }
    TileForm* form = nullptr;
};

TEST_F(TileTest, AMemberCarriesTheTemplatesDesign) {
    win8Metro& t = NewTile();
    EXPECT_EQ(t.BackColor(), 0xFFC0FFu);
    EXPECT_EQ(t.FillStyle(), 58);
    EXPECT_EQ(t.FillColor(), 0xFFu);
    EXPECT_EQ(t.BorderTransparency(), 0);
    EXPECT_EQ(t.BorderColor(), 0xE47A23u);
    EXPECT_EQ(t.BackTransparency(), 1);
    EXPECT_EQ(t.Caption(), "Label1");
    EXPECT_EQ(t.ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(t.FontName(), "Tahoma");
    EXPECT_FLOAT_EQ(t.FontSize(), 12);
    EXPECT_TRUE(t.FontBold());
    EXPECT_EQ(t.Font().Charset(), 178);
    EXPECT_EQ(t.Value(), 0);
    EXPECT_EQ(t.tot(), "");
    EXPECT_EQ(t.Shape(), 0);
}

TEST_F(TileTest, TheLayoutModePlacesIconAndCaption) {
    win8Metro& t = NewTile();
    t.Caption("Tile");
    t.ref();
    const aicAlphaImage& icon = t.IconImage();
    const rt::Label& caption = t.CaptionLabel();
    // Beside: 1575 x 1335 at Left 240, centred vertically; the caption 100 twips to the right.
    EXPECT_DOUBLE_EQ(icon.Left(), 240);
    EXPECT_DOUBLE_EQ(icon.Width(), 1575);
    EXPECT_DOUBLE_EQ(icon.Height(), 1335);
    EXPECT_DOUBLE_EQ(icon.Top(), 120);
    EXPECT_EQ(icon.ScaleMethod(), 0);
    EXPECT_NEAR(caption.Left(), 1915, 15);
    EXPECT_NEAR(caption.Top(), (1575 - caption.Height()) / 2, 15);
    EXPECT_EQ(icon.Opacity(), 90);
    // The background and the mouse surface cover the tile.
    for (const rt::Control* c : {static_cast<const rt::Control*>(&t.Background()),
                                 static_cast<const rt::Control*>(&t.MouseSurface())}) {
        EXPECT_EQ(c->Left(), 0) << c->Name();
        EXPECT_EQ(c->Top(), 0) << c->Name();
        EXPECT_EQ(c->Width(), 3495) << c->Name();
        EXPECT_EQ(c->Height(), 1575) << c->Name();
    }
    for (int16_t mode : {1, 2, 0, 2}) {
        t.Value(mode);
        EXPECT_EQ(t.Value(), mode);
        if (mode == 0) {
            EXPECT_DOUBLE_EQ(icon.Left(), 240);
            EXPECT_DOUBLE_EQ(icon.Width(), 1575);
            continue;
        }
        // Filling: the icon stretched over the tile under a centred caption.
        EXPECT_EQ(icon.Left(), 0) << mode;
        EXPECT_EQ(icon.Top(), 0) << mode;
        EXPECT_EQ(icon.Width(), 3495) << mode;
        EXPECT_EQ(icon.Height(), 1575) << mode;
        EXPECT_EQ(icon.ScaleMethod(), 1) << mode;
        EXPECT_NEAR(caption.Left(), (3495 - caption.Width()) / 2, 15) << mode;
    }
    EXPECT_EQ(testsupport::ErrorOf([&] { t.Value(3); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(testsupport::ErrorOf([&] { t.Value(-1); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(t.Value(), 2);
}

// A small icon picture does not shrink the icon's place: the caption stays where the layout puts it.
TEST_F(TileTest, TheIconKeepsTheSizeTheLayoutGivesIt) {
    win8Metro& t = NewTile();
    rt::Picture icon = [] {
        rt::ScreenDC screen;
        return rt::Picture::FromBitmap(CreateCompatibleBitmap(screen.get(), 32, 32));
    }();
    ASSERT_TRUE(t.LoadImage_FromStdPicture(icon));
    t.Caption("Tile");
    t.ref();
    const aicAlphaImage& i = t.IconImage();
    EXPECT_DOUBLE_EQ(i.Left(), 240);
    EXPECT_DOUBLE_EQ(i.Width(), 1575);
    EXPECT_DOUBLE_EQ(i.Height(), 1335);
    EXPECT_DOUBLE_EQ(i.Top(), 120);
    EXPECT_NEAR(t.CaptionLabel().Left(), 1915, 15);
    t.Height(1200);
    EXPECT_DOUBLE_EQ(i.Width(), 1575);
    EXPECT_DOUBLE_EQ(i.Height(), 1335);
    EXPECT_NEAR(t.CaptionLabel().Left(), 1915, 15);
}

TEST_F(TileTest, ALowNarrowTileKeepsTheIconCentredAndTheCaptionWhole) {
    win8Metro& t = NewTile();
    t.Caption("A caption far wider than the tile");
    t.Move(450, 450, 1500, 900);
    t.ref();
    const aicAlphaImage& icon = t.IconImage();
    EXPECT_NEAR(icon.Top(), (900 - 1335) / 2.0, 15);
    EXPECT_NEAR(t.CaptionLabel().Left(), 1915, 15);
    EXPECT_GT(t.CaptionLabel().Width(), 1500);
    // A resize lays out again; the icon keeps the Left it was given.
    const_cast<aicAlphaImage&>(icon).Left(600);
    t.Height(1200);
    EXPECT_DOUBLE_EQ(icon.Left(), 600);
    EXPECT_EQ(t.Background().Height(), 1200);
    EXPECT_NEAR(icon.Top(), (1200 - 1335) / 2.0, 15);
}

TEST_F(TileTest, HoverTurnsTheGradientAndLightsTheIcon) {
    win8Metro& t = NewTile();
    t.FillStyle(59);  // a page's own fill shows until the pointer first comes
    const HWND h = form->hWnd();
    SendPointer(h, 100, 80);
    Pump(600);
    ASSERT_TRUE(PumpUntil([&] { return t.FillStyle() == 58; }));
    Offsets on = IconOffsets(t);
    EXPECT_EQ(on.x, 2);
    EXPECT_EQ(on.y, 2);
    EXPECT_FLOAT_EQ(t.IconImage().IntensityOffset(), 5);

    SendPointer(h, 450, 280);
    Pump(600);
    ASSERT_TRUE(PumpUntil([&] { return t.FillStyle() == 57; }));
    Offsets off = IconOffsets(t);
    EXPECT_EQ(off.x, 0);
    EXPECT_EQ(off.y, 0);
    EXPECT_FLOAT_EQ(t.IconImage().IntensityOffset(), 0);
}

TEST_F(TileTest, AClickWithAnyButtonRaisesClick) {
    win8Metro& t = NewTile();
    std::vector<int> clicks;
    t.Click = [&](int index) { clicks.push_back(index); };
    const HWND h = form->hWnd();
    const DWORD buttons[][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                                {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};
    size_t expected = 0;
    for (const auto& b : buttons) {
        SendPointer(h, 200, 100);  // over the caption's side of the tile
        Pump(200);
        SendPointer(h, 200, 100, b[0]);
        SendPointer(h, 200, 100, b[1]);
        ++expected;
        EXPECT_TRUE(PumpUntil([&] { return clicks.size() == expected; })) << b[0];
    }
    EXPECT_EQ(clicks, (std::vector<int>{1, 1, 1}));
    // Off the tile nothing is raised.
    SendPointer(h, 450, 280, MOUSEEVENTF_LEFTDOWN);
    SendPointer(h, 450, 280, MOUSEEVENTF_LEFTUP);
    Pump(200);
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(TileTest, TheTooltipFollowsOnlyANonEmptyText) {
    win8Metro& t = NewTile();
    const rt::Control& surface = t.MouseSurface();
    t.tot("first");
    EXPECT_EQ(surface.ToolTipText(), "first");
    t.tot("");
    EXPECT_EQ(t.tot(), "");
    EXPECT_EQ(surface.ToolTipText(), "first");
    t.tot("second");
    EXPECT_EQ(surface.ToolTipText(), "second");
}

TEST_F(TileTest, StoredOnlyMembersChangeNothing) {
    win8Metro& t = NewTile();
    const AlphaShapeCtlSnapshot before{t};
    t.Shape(3);
    t.BackStyle(1);
    t.BorderWidth(4);
    t.BorderStyle(2);
    t.PolygonSides(6);
    t.PolygonAngle(30);
    t.Enabled(false);
    t.MousePointer(11);
    EXPECT_EQ(t.Shape(), 3);
    EXPECT_EQ(t.BorderWidth(), 4);
    EXPECT_EQ(t.PolygonSides(), 6);
    EXPECT_FLOAT_EQ(t.PolygonAngle(), 30);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(AlphaShapeCtlSnapshot{t}, before);
    // Still clickable, with the hand pointer of the surface.
    EXPECT_EQ(t.MouseSurface().MousePointer(), 99);
    // Refresh is no layout: a moved icon stays until ref.
    const_cast<aicAlphaImage&>(t.IconImage()).Left(600);
    t.Refresh();
    EXPECT_DOUBLE_EQ(t.IconImage().Left(), 600);
    t.ref();
    EXPECT_DOUBLE_EQ(t.IconImage().Left(), 240);
}

TEST_F(TileTest, SavedSettingsKeepTheKeyOrderAndComeBack) {
    win8Metro& t = NewTile();
    t.Caption("Saved");
    t.Shape(2);
    t.ScaleWidth(12.5f);
    t.hwnd(77);
    t.ShapeText("text");
    t.tot("tip");
    t.Value(1);
    const rt::PropertyBag bag = t.SaveProperties();
    const std::vector<std::string> names = bag.Names();
    // The keys that differ from their write defaults, in the order of the full key list.
    const std::vector<std::string> expected = {"BackColor",
                                               "ShapeText",
                                               "Shape",
                                               "ScaleWidth",
                                               "hWnd",
                                               "FillStyle",
                                               "BorderTransparency",
                                               "BorderColor",
                                               "BackTransparency",
                                               "Caption",
                                               "FontName",
                                               "FontSize",
                                               "FontBold",
                                               "Font",
                                               "Value",
                                               "tot"};
    EXPECT_EQ(names, expected);

    auto again = std::make_shared<const rt::PropertyBag>(bag);
    rt::ControlArray<win8Metro> other{*form, "other", again};
    win8Metro& copy = other[0];
    EXPECT_EQ(copy.Caption(), "Saved");
    EXPECT_EQ(copy.Shape(), 2);
    EXPECT_FLOAT_EQ(copy.ScaleWidth(), 12.5f);
    EXPECT_EQ(copy.hwnd(), 77);
    EXPECT_EQ(copy.ShapeText(), "text");
    EXPECT_EQ(copy.Value(), 1);
    EXPECT_EQ(copy.MouseSurface().ToolTipText(), "tip");
    EXPECT_EQ(copy.FillStyle(), t.FillStyle());
    EXPECT_EQ(copy.FontName(), "Tahoma");
}

// Every key the tile keeps, in the key order, each with a value other than its defaults: read
// into a tile and written again, the settings come back as they were, in the same order.
TEST_F(TileTest, EveryStoredKeyComesBackInTheKeyOrder) {
    auto picture = [](int width) { return rt::Picture::FromBitmap(CreateBitmap(width, 1, 1, 32, nullptr)); };
    rt::Font font("Tahoma", 14, true);
    font.Italic(true);
    font.Strikethrough(true);
    using Value = rt::PropertyBag::Value;
    std::vector<std::pair<std::string, Value>> keys = {
        {"BackColor", 0xFFC0FFu},
        {"Enabled", true},
        {"BackStyle", 1},
        {"BorderStyle", 2},
        {"WantMouseEvents", true},
        {"TextureMode", 3},
        {"Texture", picture(1)},
        {"StretchQuality", true},
        {"Stretch", true},
        {"SizeFixed", true},
        {"ShapeText", "text"},
        {"Shape", 4},
        {"ShadowOpacity", 5},
        {"ShadowOffsetY", 6},
        {"ShadowOffsetX", 7},
        {"ShadowEnabled", true},
        {"ShadowDepth", 8},
        {"ShadowColor", 9},
        {"SetRedraw", true},
        {"ScaleWidth", 1.5f},
        {"ScaleTop", 2.5f},
        {"ScaleMode", 10},
        {"ScaleMethod", 11},
        {"ScaleLeft", 3.5f},
        {"ScaleHeight", 4.5f},
        {"Rotation", 12},
        {"RotateEnabled", true},
        {"RightToLeft", true},
        {"PolygonSides", 13},
        {"PolygonAngle", 5.5f},
        {"Picture", picture(2)},
        {"PaletteMode", 14},
        {"Palette", picture(3)},
        {"Opacity", 15},
        {"OLEDropMode", 16},
        {"MousePointer", 17},
        {"MouseIcon", picture(4)},
        {"Mirror", 18},
        {"MaskUsed", 19},
        {"MaskPicture", picture(5)},
        {"MaskColor", 20},
        {"KeepOriginalFormat", true},
        {"InversedImage", true},
        {"IntensityOffset", 6.5f},
        {"ImageType", 21},
        {"Image", picture(6)},
        {"hWnd", 22},
        {"HitBehavior", 23},
        {"hDC", 24},
        {"HasDC", true},
        {"grayScale", 25},
        {"GDIplusInitialized", true},
        {"GDIplusEnabled", true},
        {"FontUnderline", true},
        {"FontTransparent", true},
        {"FillStyle", 58},
        {"FillColor", 0x00FF00u},
        {"DrawWidth", 26},
        {"DrawStyle", 27},
        {"DrawMode", 28},
        {"CurrentY", 7.5f},
        {"CurrentX", 8.5f},
        {"ContainerHwnd", 29},
        {"ClipControls", true},
        {"ClipBehavior", 30},
        {"BorderWidth", 31},
        {"BorderTransparency", 32},
        {"BorderColor", 0xE47A23u},
        {"BackTransparency", 33},
        {"AutoSize", true},
        {"AutoRedraw", true},
        {"Appearance", 34},
        {"AlignCenter", true},
        {"Caption", "Saved"},
        {"ForeColor", 0x123456u},
        {"FontName", "Tahoma"},
        {"FontSize", 14.0f},
        {"FontBold", true},
        {"FontItalic", true},
        {"FontStrikethru", true},
        {"Font", font},
        {"Value", 1},
        {"tot", "tip"},
    };
    auto bagOf = [](const std::vector<std::pair<std::string, Value>>& entries) {
        rt::PropertyBag bag;
        for (const auto& [name, value] : entries) bag.WriteProperty(name, value);
        return bag;
    };
    rt::ControlArray<win8Metro> loaded{*form, "loaded", std::make_shared<const rt::PropertyBag>(bagOf(keys))};
    win8Metro& t = loaded[0];

    // "Texture" is never read: the tile writes the one it was given.
    EXPECT_EQ(t.SaveProperties().Contains("Texture"), false);
    const rt::Picture texture = picture(7);
    t.Texture(texture);
    for (auto& [name, value] : keys)
        if (name == "Texture") value = texture;
    const rt::PropertyBag expected = bagOf(keys);
    const rt::PropertyBag saved = t.SaveProperties();
    EXPECT_EQ(saved.Dump(), expected.Dump());
    EXPECT_EQ(saved, expected) << "the same picture objects";
}

// An empty bag gives every key its read default. Of those, only the caption's font name and size
// (taken from the ambient font, which replaces the caption's) differ from their write defaults.
TEST_F(TileTest, AnEmptyBagGivesTheReadDefaults) {
    rt::ControlArray<win8Metro> plain{*form, "plain", std::make_shared<const rt::PropertyBag>()};
    win8Metro& t = plain[0];
    EXPECT_EQ(t.FillColor(), 0xFFu);
    EXPECT_EQ(t.BackTransparency(), 0);
    EXPECT_EQ(t.ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(t.Value(), 0);
    EXPECT_EQ(t.Picture().Empty(), true);

    const rt::Font& ambient = form->GetFont();
    rt::PropertyBag expected;
    expected.WriteProperty("FontName", ambient.Name(), "");
    expected.WriteProperty("FontSize", ambient.Size(), 0.0f);
    expected.WriteProperty("FontBold", ambient.Bold(), false);
    expected.WriteProperty("FontItalic", ambient.Italic(), false);
    expected.WriteProperty("FontStrikethru", ambient.Strikethrough(), false);
    ASSERT_GT(expected.Count(), 0u);
    EXPECT_EQ(t.SaveProperties().Dump(), expected.Dump());
}

TEST_F(TileTest, WithoutAFontKeyTheCaptionTakesTheAmbientFont) {
    auto bag = std::make_shared<const rt::PropertyBag>(
        rt::PropertyBag{{"FontName", "Tahoma"}, {"FontSize", 20.0f}, {"FontBold", true}});
    rt::ControlArray<win8Metro> plain{*form, "plain", bag};
    win8Metro& t = plain[0];
    EXPECT_EQ(t.FontName(), form->GetFont().Name());
    EXPECT_FLOAT_EQ(t.FontSize(), form->GetFont().Size());
    // The absent keys take their read defaults.
    EXPECT_EQ(t.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(t.FillStyle(), 57);
    EXPECT_EQ(t.BorderTransparency(), 60);
    EXPECT_EQ(t.BorderColor(), 0x80000008u);
    EXPECT_EQ(t.Caption(), "Label1");
}

}  // namespace
