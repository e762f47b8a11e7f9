// "metrodes1" records in the real main window: the tile with its caption, colours, tooltip and
// icon from the store, the stored-only fields, the layout item, a click running the actions, and
// fifty page builds with tiles leaking no handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "pages/pages_fixture.h"
#include "support/handle_growth.h"

using namespace pagestest;

namespace {

// A tile of 3495 x 1575 twips with the given fields; F14 from its items.
std::string TileRec(int index, const std::string& actions, const std::string& tip, uint32_t back,
                    uint32_t fore, const std::vector<std::string>& items, const std::string& shape = "0",
                    const std::string& backStyle = "0", const std::string& borderWidth = "0") {
    std::string list;
    for (size_t i = 0; i < items.size(); ++i) list += (i ? "**qk**" : "") + items[i];
    return Rec({"metrodes1", std::to_string(index), shape, "120", "120", "1575", "3495", actions, backStyle,
                tip, std::to_string(back), std::to_string(fore), borderWidth, list});
}
// Items 0 to 13: the stored border and polygon values, the caption, the transparencies, the
// second colour, the fill, the font, the container's tooltip, the font size and the layout.
std::vector<std::string> Items(const std::string& caption, const std::string& fill, const std::string& tip,
                               const std::string& layout) {
    return {"2",  "30",          "6",    caption, "10", "20", "65280",
            fill, "Courier New", "True", "True",  tip,  "14", layout};
}

bool HasCopy(const std::string& name) {
    const auto copies = CopiesLeft();
    return std::any_of(copies.begin(), copies.end(), [&](const std::string& c) {
        return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, c.c_str(), -1, name.c_str(), -1) ==
               CSTR_EQUAL;
    });
}

class TileRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.Pack(
            {{"sys1 .esr", TileRec(1, "jump***Sepa***2", "the tip", 0x00FFFF, 0x000080,
                                   Items("Tile one", "59", "container tip", "0"), "3", "1", "4")},
             {"1metro1.pic", Bitmap(48, 48, 0xFF0000)},
             {"sys2 .esr", TileRec(1, "", "", 0xFF0000, 0xFFFFFF, Items("Tile two", "55", "", "1")) +
                               TileRec(2, "", "", 0xFF0000, 0xFFFFFF, Items("Tile three", "55", "", "2"))},
             {"sys3 .esr", TileRec(1, "", "", 0xFF, 0xFFFFFF, {"0", "0", "0", "Short"})}});
    }
    // The icon's copies stay behind by design; other tests expect the folder clean.
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove(CopyFolder() / "1metro1.pic", ec);
    }
    AppFolder app;
};

TEST_F(TileRecordsTest, TheRecordBuildsATileWithItsIconAndRunsItsActionsOnAClick) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(main.metrodes1.Exists(1));
    controls::win8Metro& t = main.metrodes1[1];
    EXPECT_TRUE(t.Visible());
    EXPECT_FALSE(main.metrodes1[0].Visible());
    EXPECT_EQ(t.Left(), 120);
    EXPECT_EQ(t.Top(), 120);
    EXPECT_EQ(t.Width(), 3495);
    EXPECT_EQ(t.Height(), 1575);
    EXPECT_EQ(t.Tag(), "jump***Sepa***2");
    EXPECT_EQ(t.Caption(), "Tile one");
    EXPECT_EQ(t.BackColor(), 0x00FFFFu);
    EXPECT_EQ(t.ForeColor(), 0x000080u);
    EXPECT_EQ(t.BorderTransparency(), 10);
    EXPECT_EQ(t.BackTransparency(), 20);
    EXPECT_EQ(t.FillColor(), 65280u);
    EXPECT_EQ(t.FillStyle(), 59);
    EXPECT_EQ(t.BorderColor(), 0xE47A23u);  // never set by a page
    EXPECT_EQ(t.FontName(), "Courier New");
    EXPECT_TRUE(t.FontBold());
    EXPECT_TRUE(t.Font().Italic());
    EXPECT_FLOAT_EQ(t.FontSize(), 14);
    EXPECT_EQ(t.MouseSurface().ToolTipText(), "the tip");
    EXPECT_EQ(t.ToolTipText(), "container tip");
    // Kept for the saved settings only: the background stays the design's rectangle.
    EXPECT_EQ(t.Shape(), 3);
    EXPECT_EQ(t.BackStyle(), 1);
    EXPECT_EQ(t.BorderWidth(), 4);
    EXPECT_EQ(t.BorderStyle(), 2);
    EXPECT_FLOAT_EQ(t.PolygonAngle(), 30);
    EXPECT_EQ(t.PolygonSides(), 6);
    EXPECT_EQ(t.Background().Shape(), 0);
    EXPECT_EQ(t.Background().BorderWidth(), 0);
    // The icon, beside the caption; its copy stays in the temporary folder.
    EXPECT_NE(t.IconImage().ImageType(), 0);
    EXPECT_EQ(t.Value(), 0);
    // The icon keeps the 1575 x 1335 twips the layout gives it, whatever the picture's size, and
    // the caption starts 100 twips right of it.
    EXPECT_DOUBLE_EQ(t.IconImage().Left(), 240);
    EXPECT_DOUBLE_EQ(t.IconImage().Height(), 1335);
    EXPECT_DOUBLE_EQ(t.IconImage().Width(), 1575);
    EXPECT_DOUBLE_EQ(t.IconImage().Top(), 120);
    EXPECT_NEAR(t.CaptionLabel().Left(), 1915, 15);
    EXPECT_TRUE(HasCopy("1metro1.pic"));

    // The click runs the actions: page 2 replaces the tile.
    app.Write("data/enter.wav", "RIFF");
    {
        rt::HandlerScope scope;
        auto click = t.Click;
        ASSERT_TRUE(click);
        click(1);
    }
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_EQ(Members(main.metrodes1), (std::vector<int>{1, 2}));
}

TEST_F(TileRecordsTest, TheLayoutItemAndAMissingIconAndTooltip) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 2);
    ASSERT_EQ(Members(main.metrodes1), (std::vector<int>{1, 2}));
    for (int i : {1, 2}) {
        controls::win8Metro& t = main.metrodes1[i];
        EXPECT_EQ(t.Value(), i) << i;
        EXPECT_EQ(t.IconImage().ImageType(), 0) << i;  // no 2metro member: no icon, still laid out
        EXPECT_EQ(t.IconImage().Width(), 3495) << i;
        EXPECT_EQ(t.IconImage().Height(), 1575) << i;
        EXPECT_NEAR(t.CaptionLabel().Left(), (3495 - t.CaptionLabel().Width()) / 2, 15) << i;
        EXPECT_EQ(t.MouseSurface().ToolTipText(), "") << i;
        EXPECT_EQ(t.ToolTipText(), "") << i;
    }
    // A list of four items as the first record: the build ends at item 4, after the caption.
    Jump(main, 3);
    ASSERT_EQ(Members(main.metrodes1), (std::vector<int>{1}));
    EXPECT_EQ(main.metrodes1[1].Caption(), "Short");
}

TEST_F(TileRecordsTest, FiftyPageBuildsWithTilesLeakNoHandles) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    testsupport::ExpectNoHandleGrowth(
        [&](int times) {
            for (int i = 0; i < times; ++i) Jump(main, i % 2 + 1);
            Jump(main, 1);
            PumpUntil([] { return false; }, 100);
        },
        3, 50);
}

}  // namespace
