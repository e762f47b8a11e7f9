// The page object templates: made when a page first needs them, with the settings and handlers
// they were designed with, in the place among the window's controls they were declared in.
#include <algorithm>
#include <string>
#include <vector>

#include "pages_fixture.h"

using namespace pagestest;

namespace {

// Steps from the top of the sibling windows down to this one.
int Depth(HWND window) {
    int n = 0;
    for (HWND w = GetWindow(window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) ++n;
    return n;
}

size_t Place(const Form1& f, const rt::Control& c) {
    const auto& all = f.Controls();
    return static_cast<size_t>(std::find(all.begin(), all.end(), &c) - all.begin());
}

}  // namespace

TEST(PageTemplatesTest, APageMakesTheTemplatesOfTheKindsItUsesAsDesigned) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("One", 3000, 4000) + Label3Rec("") + LabelRec(1, "a") + TextRec(1, "t") +
                                Rec({"opt", "1", "Option", "120", "1200", "285", "2000", "", "", "",
                                     "16777215", "3", "0**qk**0", "9**qk**Tahoma**qk**False**qk**0"})}});
    ProgramScope program(app);
    program.Start();
    Form1& f = Main();

    // Three kinds on the page: three templates.
    EXPECT_TRUE(f.Label1.TemplateMade());
    EXPECT_TRUE(f.txt.TemplateMade());
    EXPECT_TRUE(f.o.TemplateMade());
    const std::vector<std::pair<const char*, bool>> unused = {
        {"pic", f.pic.TemplateMade()},
        {"Picture2", f.Picture2.TemplateMade()},
        {"File", f.File.TemplateMade()},
        {"imageover", f.imageover.TemplateMade()},
        {"combobx1", f.combobx1.TemplateMade()},
        {"slideshow", f.slideshow.TemplateMade()},
        {"thumb", f.thumb.TemplateMade()},
        {"picture3", f.picture3.TemplateMade()},
        {"Command1", f.Command1.TemplateMade()},
        {"Macbt", f.Macbt.TemplateMade()},
        {"lnk", f.lnk.TemplateMade()},
        {"bsGradientLabel1", f.bsGradientLabel1.TemplateMade()},
        {"Scroll1", f.Scroll1.TemplateMade()},
        {"gif", f.gif.TemplateMade()},
        {"Shaper1", f.Shaper1.TemplateMade()},
        {"rt", f.rt.TemplateMade()},
        {"web", f.web.TemplateMade()},
        {"aap", f.aap.TemplateMade()},
        {"metrodes1", f.metrodes1.TemplateMade()},
        {"WMPlayer", f.WMPlayer.TemplateMade()},
    };
    for (const auto& [name, made] : unused) EXPECT_FALSE(made) << name;

    // The templates that were made carry their design; the members took the handlers.
    EXPECT_FALSE(f.txt[0].Visible());
    EXPECT_TRUE(f.txt[0].MultiLine());
    EXPECT_EQ(f.txt[0].ScrollBars(), 2);
    EXPECT_TRUE(f.txt[1].KeyDown);
    EXPECT_FALSE(f.Label1[0].Visible());
    EXPECT_EQ(f.Label1[0].MousePointer(), rt::vbCustom);
    EXPECT_TRUE(f.Label1[1].Click);
    EXPECT_FALSE(f.o[0].Visible());
    EXPECT_TRUE(f.o[1].MouseDown);

    // A template first addressed later has its design too...
    controls::win8Metro& tile = f.metrodes1[0];
    EXPECT_FALSE(tile.Visible());
    EXPECT_DOUBLE_EQ(tile.Left(), 1080);
    EXPECT_DOUBLE_EQ(tile.Top(), 3000);
    EXPECT_DOUBLE_EQ(tile.Width(), 3495);
    EXPECT_DOUBLE_EQ(tile.Height(), 1575);
    EXPECT_TRUE(tile.Click);
    // ... and its declared place: after the arrays before it, before the controls declared after
    // it and the members loaded since; its window below the windows made after it.
    EXPECT_GT(Place(f, tile), Place(f, f.Label1[0]));
    EXPECT_LT(Place(f, tile), Place(f, f.Label3));
    EXPECT_LT(Place(f, tile), Place(f, f.Label1[1]));
    controls::vxbutton& button = f.Command1[0];
    ASSERT_TRUE(button.hWnd());
    EXPECT_GT(Depth(button.hWnd()), Depth(f.Picture5.hWnd()));
    EXPECT_GT(Depth(button.hWnd()), Depth(f.txt[1].hWnd()));
    EXPECT_LT(Depth(button.hWnd()), Depth(f.txt[0].hWnd()));  // txt is declared before Command1
}
