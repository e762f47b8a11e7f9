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
        {"pic", f.pic.TemplateMade()},           {"Picture2", f.Picture2.TemplateMade()},
        {"File", f.File.TemplateMade()},         {"imageover", f.imageover.TemplateMade()},
        {"combobx1", f.combobx1.TemplateMade()}, {"slideshow", f.slideshow.TemplateMade()},
        {"thumb", f.thumb.TemplateMade()},       {"picture3", f.picture3.TemplateMade()},
        {"Command1", f.Command1.TemplateMade()}, {"Macbt", f.Macbt.TemplateMade()},
        {"lnk", f.lnk.TemplateMade()},           {"bsGradientLabel1", f.bsGradientLabel1.TemplateMade()},
        {"Scroll1", f.Scroll1.TemplateMade()},   {"gif", f.gif.TemplateMade()},
        {"aap", f.aap.TemplateMade()},           {"rt", f.rt.TemplateMade()},
        {"web", f.web.TemplateMade()},           {"metrodes1", f.metrodes1.TemplateMade()},
        {"WMPlayer", f.WMPlayer.TemplateMade()},
    };
    for (const auto& [name, made] : unused) EXPECT_FALSE(made) << name;
    // The vector shapes' template comes with the window: it keeps GDI+ running for the window.
    EXPECT_TRUE(f.Shaper1.TemplateMade());
    EXPECT_FALSE(f.Shaper1[0].Visible());

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

// The windows of a page take the places its records give, shown and stacked as the records' steps
// leave them; a page switch leaves none of the old page's windows showing.
TEST(PageWindowsTest, EachObjectsWindowEndsWhereItsRecordPutsIt) {
    const std::string kFont = "9**qk**Tahoma**qk**False**qk**False**qk**False**qk**0";
    auto button = [&](int i, int left, int top) {
        return Rec({"obj1", std::to_string(i), "Button", std::to_string(left), std::to_string(top), "360",
                    "1500", "", "255", "1", kFont, "", "", "0"});
    };
    auto option = [](int i, int left, int top) {
        return Rec({"opt", std::to_string(i), "Option", std::to_string(left), std::to_string(top), "285",
                    "2100", "", "", "", "16777215", "3", "0**qk**0", "9**qk**Tahoma**qk**False**qk**0"});
    };
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("One", 4000, 6000) + Label3Rec("") + TextRec(1, "t") +
                                button(1, 150, 1500) + option(1, 300, 2400)},
              {"sys2 .esr",
               FormRec("Two", 4000, 6000) + Label3Rec("") + option(3, 900, 1200) + button(2, 600, 300)}});
    ProgramScope program(app);
    program.Start();
    Form1& f = Main();

    auto where = [&](const rt::Control& c) {
        RECT r{};
        GetWindowRect(c.hWnd(), &r);
        MapWindowPoints(HWND_DESKTOP, f.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    // Twips of the records, 15 to the pixel.
    EXPECT_EQ(where(f.txt[1]), (std::vector<LONG>{200, 35, 100, 22}));
    EXPECT_EQ(where(f.Command1[1]), (std::vector<LONG>{10, 100, 100, 24}));
    EXPECT_EQ(where(f.o[1]), (std::vector<LONG>{20, 160, 140, 19}));
    for (const rt::Control* c :
         {static_cast<rt::Control*>(&f.txt[1]), static_cast<rt::Control*>(&f.Command1[1]),
          static_cast<rt::Control*>(&f.o[1])})
        EXPECT_TRUE(IsWindowVisible(c->hWnd())) << c->Name();

    const std::vector<HWND> old = {f.txt[1].hWnd(), f.Command1[1].hWnd(), f.o[1].hWnd()};
    Jump(f, 2);
    rt::FlushDeferred();
    EXPECT_EQ(where(f.Command1[2]), (std::vector<LONG>{40, 20, 100, 24}));
    EXPECT_EQ(where(f.o[3]), (std::vector<LONG>{60, 80, 140, 19}));
    EXPECT_TRUE(IsWindowVisible(f.Command1[2].hWnd()));
    EXPECT_TRUE(IsWindowVisible(f.o[3].hWnd()));
    // The option button comes to the front in its record; the button made after it comes above it.
    EXPECT_LT(Depth(f.Command1[2].hWnd()), Depth(f.o[3].hWnd()));
    // The old page's windows are gone.
    for (HWND w : old) EXPECT_FALSE(IsWindow(w) && IsWindowVisible(w));
}

// Every page-object array of the window, whichever kinds the pages use: its template is hidden
// once the program runs, and the next page build unloads its members above 0, whatever their
// indexes, and keeps the template.
TEST(PageTemplatesTest, EveryArraysTemplateStartsHiddenAndTheNextBuildUnloadsItsMembers) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("One", 3000, 4000) + Label3Rec("")},
              {"sys2 .esr", FormRec("Two", 3000, 4000) + Label3Rec("")}});
    ProgramScope program(app);
    program.Start();
    Form1& f = Main();

    std::vector<std::string> shown, kept, lost;
#define LOAD_MEMBERS(keyword, block, array, ...)                 \
    if (f.array[0].Visible()) shown.push_back(#array);           \
    for (int i : {1, 2, 300}) rt::Try([&] { f.array.Load(i); }); \
    if (Members(f.array) != std::vector<int>{1, 2, 300}) ADD_FAILURE() << #array << " could not load members";
    VANTREL_PAGE_RECORDS(LOAD_MEMBERS, VANTREL_PAGE_SKIP)
#undef LOAD_MEMBERS
    EXPECT_EQ(shown, std::vector<std::string>{});

    Jump(f, 2);
#define CHECK_MEMBERS(keyword, block, array, ...)          \
    if (!Members(f.array).empty()) kept.push_back(#array); \
    if (!f.array.Exists(0)) lost.push_back(#array);
    VANTREL_PAGE_RECORDS(CHECK_MEMBERS, VANTREL_PAGE_SKIP)
#undef CHECK_MEMBERS
    EXPECT_EQ(kept, std::vector<std::string>{});
    EXPECT_EQ(lost, std::vector<std::string>{});
}
