// Combo boxes, slideshows and thumbnail browsers built from page records in the real main window:
// the slideshow's pictures in order and its click actions, the slideshow, thumbnail and PDF
// actions, the thumbnail choice, a page change while thumbnails are made, the combo box's items,
// and the slideshow window.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "controls/media/gdip_image.h"
#include "pages_fixture.h"
#include "runtime/activex.h"
#include "support/picture_files.h"
#include "support/window_helpers.h"
#include "windows/Form3_slideshow.h"

using namespace pagestest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kYellow = RGB(255, 255, 0);

std::string SlideRec(int index, const std::string& interval, const std::string& code,
                     const std::string& folder, uint32_t back, const std::string& play) {
    return Rec({"slideshow", std::to_string(index), "tag", "120", "120", "1800", "2400", interval, code,
                folder, std::to_string(back), play});
}
std::string ThumbRec(int index, const std::string& folder, const std::string& alphaName) {
    return Rec({"thumb", std::to_string(index), folder, "0", "2000", "4500", "6255", "Arial", "True",
                "9**qk**0", "16777215**qk**0", "255**qk**16571851", "3", alphaName});
}
std::string ComboRec(int index) {
    return Rec({"ComboBox", std::to_string(index), "False", "3000", "120", "315", "2000", "Choose", "255",
                "16777215", "Arial", "10", "True", "False**qk**0"});
}
std::string PdfRec() {
    return Rec({"PDF", "0", "doc.pdf", "300", "450", "1500", "1950", "1", "", "", "", "0"});
}
std::string Items(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& i : items) text += "\"" + i + "\"\r\n";
    return text;
}

void Act(Form1& main, const std::string& action) {
    rt::HandlerScope scope;
    main.ExecuteTag(action);
}

COLORREF Centre(controls::slideshowacx& s) {
    return testutil::Snapshot(s.Picture7.hWnd()).at(80, 60);
}

// The project of these tests: pictures in "slides", "pics" and "pics2"; pages 1 to 7.
class ListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto [file, w, h, c] :
             std::vector<std::tuple<const char*, int, int, COLORREF>>{{"slides/a.bmp", 80, 60, kYellow},
                                                                      {"slides/b.bmp", 80, 60, kGreen},
                                                                      {"slides/c.bmp", 80, 60, kBlue},
                                                                      {"pics/a.bmp", 60, 40, kRed},
                                                                      {"pics/b.bmp", 100, 200, kGreen},
                                                                      {"pics2/x.bmp", 30, 30, kBlue}}) {
            std::filesystem::create_directories(app.Fs(file).parent_path());
            ASSERT_TRUE(mediatest::WriteSolid(app.Fs(file).string(), w, h, c));
        }
        std::vector<Member> store = {
            {"sys1 .esr",
             SlideRec(1, "1000", "wd", "slides", 255, "True") + ComboRec(1) + LabelRec(1, "after")},
            {"1sld1.sld", Items({"a.bmp##qk##", "b.bmp##qk##jump***Sepa***2"})},
            {"sys2 .esr", LabelRec(1, "page 2")},
            {"sys3 .esr", SlideRec(1, "60000", "wd", "slides", 255, "False") +
                              SlideRec(2, "60000", "wd", "slides", 255, "False")},
            {"sys4 .esr", ThumbRec(1, "pics", "ap") + AapRec(5, 6300, 0, 1500, 1500, "1")},
            {"4thumb1.tmb", Items({"a.bmp##qk##jump***Sepa***2"})},
            {"sys5 .esr", PdfRec()},
            {"sys6 .esr", ComboRec(1) + ThumbRec(1, "pics", "") + LabelRec(1, "after")},
            {"6cmb1.cmb", Items({"one##qk##jump***Sepa***2", "two##qk##jump***Sepa***5"})},
            {"sys7 .esr", ThumbRec(1, "pics", "")},
            {"name.nme", "2#sld#2#a\r\n3#sld#1#a\r\n4#thumb#1#t\r\n4#aap#5#ap\r\n"},
        };
        app.Pack(store);
    }
    AppFolder app;
};

std::function<void()> g_duringBuild;
void CALLBACK RunDuringBuild(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto f = std::exchange(g_duringBuild, nullptr)) f();
}

}  // namespace

TEST_F(ListsTest, TheSlideshowShowsItsFolderInOrderAndAClickRunsTheShownItem) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_EQ(Members(main.slideshow), (std::vector<int>{1}));
    EXPECT_EQ(Members(main.combobx1), (std::vector<int>{1}));
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1}));
    controls::slideshowacx& s = main.slideshow[1];
    EXPECT_EQ(s.Tag(), "tag");
    EXPECT_EQ(s.trnsname(), "wd");
    EXPECT_EQ(s.FPath(), "slides");
    EXPECT_TRUE(s.StartPlayv);
    EXPECT_EQ(s.List1.ListCount(), 2);
    EXPECT_TRUE(CopiesLeft().empty());

    // The centre's colours as they change: the red back colour, then a, b, c and a again.
    std::vector<COLORREF> seen{Centre(s)};
    ASSERT_TRUE(testutil::PumpUntil(
        [&] {
            const COLORREF c = Centre(s);
            if (c != seen.back()) seen.push_back(c);
            return seen.size() >= 5;
        },
        15000));
    EXPECT_EQ(seen, (std::vector<COLORREF>{kRed, kYellow, kGreen, kBlue, kYellow}));

    // A click while b shows runs b's actions.
    ASSERT_TRUE(testutil::PumpUntil([&] { return s.ShownName() == "b.bmp" && Centre(s) == kGreen; }, 5000));
    {
        rt::HandlerScope handler;
        SendMessageA(s.Picture7.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(s.Picture7.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_TRUE(Members(main.slideshow).empty());
}

TEST_F(ListsTest, SlideshowActionsFindTheSlideshowOfThePageOnShow) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 3);
    ASSERT_EQ(Members(main.slideshow), (std::vector<int>{1, 2}));
    controls::slideshowacx& a = main.slideshow[1];
    controls::slideshowacx& other = main.slideshow[2];
    testutil::PumpUntil([] { return false; }, 100);  // the first ticks find StartPlayv False
    EXPECT_FALSE(a.StartPlay());

    Act(main, "loadsld***Sepa***a***Sepa***Stop");
    Act(main, "loadsld***Sepa***a***Sepa***Next");
    EXPECT_EQ(a.ShownName(), "a.bmp");  // from before the first picture: the first
    testutil::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(a.ShownName(), "a.bmp");
    EXPECT_FALSE(a.StartPlay());
    Act(main, "loadsld***Sepa***a***Sepa***Back");
    EXPECT_EQ(a.ShownName(), "c.bmp");
    EXPECT_EQ(other.ShownName(), "");  // the entry naming member 2 is page 2's

    Act(main, "loadsld***Sepa***a***Sepa***Play");
    EXPECT_TRUE(a.StartPlayv);
    EXPECT_TRUE(a.StartPlay());
    Act(main, "loadsld***Sepa***a***Sepa***Pause");
    EXPECT_EQ(a.FPath(), "Pause");
    Act(main, "loadsld***Sepa***a");  // no command: nothing
    EXPECT_EQ(a.FPath(), "Pause");
    Act(main, "loadsld***Sepa***nobody***Sepa***slides");
    EXPECT_EQ(a.FPath(), "Pause");
    EXPECT_EQ(other.FPath(), "slides");
    a.StartPlay(false);
}

TEST_F(ListsTest, ThumbnailRecordChoiceAndRebuild) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 4);
    ASSERT_EQ(Members(main.thumb), (std::vector<int>{1}));
    controls::thumb& t = main.thumb[1];
    EXPECT_EQ(t.pathflder, "pics");
    EXPECT_EQ(t.Font().Name(), "Arial");
    EXPECT_TRUE(t.Font().Bold());
    EXPECT_FLOAT_EQ(t.Font().Size(), 9);
    EXPECT_EQ(t.BackColor(), 16777215u);
    EXPECT_EQ(t.BorderStyle(), 0);
    EXPECT_EQ(t.ForeColor(), 255u);
    EXPECT_EQ(t.colorselect, 16571851u);
    EXPECT_EQ(t.Text(), "3");
    EXPECT_EQ(t.Tag(), "ap");
    ASSERT_EQ(t.Entries().size(), 2u);
    EXPECT_EQ(t.List1.ListCount(), 1);
    EXPECT_TRUE(CopiesLeft().empty());

    // A press names the picture and fills the alpha picture that the Tag names.
    {
        rt::HandlerScope handler;
        SendMessageA(t.picDraw.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    }
    EXPECT_EQ(t.fileselectedname, main.pat.Text() + "pics\\a.bmp");
    ASSERT_TRUE(main.aap.Exists(5));
    EXPECT_EQ(main.aap[5].GetImageObject().Width(), 60);  // pics\a.bmp, 60 x 40
    EXPECT_EQ(main.aap[5].GetImageObject().Height(), 40);

    Act(main, "loadthumb***Sepa***t***Sepa***pics2");
    EXPECT_EQ(t.pathflder, "pics2");
    ASSERT_EQ(t.Entries().size(), 1u);
    EXPECT_EQ(t.Entries()[0].path, main.pat.Text() + "pics2\\x.bmp");
    EXPECT_EQ(t.List1.ListCount(), 1);  // the item list stays

    // The release runs the actions of the name the press chose, even after the rebuild.
    {
        rt::HandlerScope handler;
        SendMessageA(t.picDraw.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }
    EXPECT_EQ(main.page.Text(), "2");
}

TEST_F(ListsTest, APageChangeWhileThumbnailsAreMadeEndsCleanly) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    g_duringBuild = [&] { Jump(main, 2); };
    SetTimer(nullptr, 0, 0, RunDuringBuild);
    Sleep(20);
    Jump(main, 7);
    testutil::PumpUntil([] { return false; }, 200);
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_TRUE(Members(main.thumb).empty());
    EXPECT_EQ(controls::GdipImage::Live(), 0);
}

TEST_F(ListsTest, PdfActionsDriveThePagesViewer) {
    axtest::Registration reg("AcroPDF.PDF.1");
    ASSERT_TRUE(reg.ok());
    axtest::CallLog log;
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Act(main, "loadpdf***Sepa***x***Sepa***Next Page");  // page 1 has no PDF record
    Jump(main, 5);
    const size_t built = log.Calls().size();
    rt::Control* viewer = rt::FindControl(main, "PDF");
    ASSERT_NE(viewer, nullptr);
    viewer->Visible(false);
    Act(main, "loadpdf***Sepa***x***Sepa***Next Page");
    Act(main, "loadpdf***Sepa***x***Sepa***Print");
    EXPECT_FALSE(viewer->Visible());
    Act(main, "loadpdf***Sepa***x***Sepa***other.pdf");
    const std::vector<std::string> all = log.Calls();
    const std::vector<std::string> calls(all.begin() + static_cast<long>(built), all.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"gotoNextPage()", "printWithDialog()",
                                               "LoadFile(" + main.pat.Text() + "other.pdf)",
                                               "setShowToolbar(0)", "setShowScrollbars(1)"}));
    EXPECT_TRUE(viewer->Visible());
    // A page without a PDF record: nothing, although a document was loaded before.
    Jump(main, 2);
    Act(main, "loadpdf***Sepa***x***Sepa***Next Page");
    EXPECT_EQ(log.Calls().size(), built + calls.size());
}

TEST_F(ListsTest, TheComboBoxShowsItsItemsAndAChoiceRunsItsActions) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 6);
    ASSERT_EQ(Members(main.combobx1), (std::vector<int>{1}));
    EXPECT_EQ(Members(main.thumb), (std::vector<int>{1}));
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1}));  // the records after it are built
    controls::combobx& c = main.combobx1[1];
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(c.Tag(), "Choose");
    EXPECT_EQ(c.Textn(), "Choose");
    EXPECT_EQ(c.ForeColor(), 255u);
    EXPECT_TRUE(c.Font().Bold());
    ASSERT_EQ(c.Combo1.ListCount(), 2);
    EXPECT_EQ(c.Combo1.List(1), "two");
    {
        rt::HandlerScope handler;
        c.Combo1.ListIndex(1);
        c.Combo1.RaiseEvent(c.Combo1.Click);
    }
    EXPECT_EQ(main.page.Text(), "5");
}

TEST_F(ListsTest, TheSlideshowWindowCountsAndWraps) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Act(main, "sld***Sepa***slides");
    auto* window = static_cast<Form3*>(FindForm("Form3"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(window->Timer1.Enabled());
    EXPECT_EQ(window->n.Caption() + window->Label1.Caption() + window->t.Caption(), "0/0");
    const auto counter = [&] { return window->n.Caption() + " / " + window->t.Caption(); };
    window->chameleonButton1_Click();
    EXPECT_EQ(counter(), "1 / 3");
    window->chameleonButton2_Click();  // back from the first: the last
    EXPECT_EQ(counter(), "3 / 3");
    window->chameleonButton1_Click();  // on from the last: the first
    EXPECT_EQ(counter(), "1 / 3");
    window->chameleonButton3_Click();  // pause: next and previous still step
    EXPECT_FALSE(window->Timer1.Enabled());
    window->chameleonButton1_Click();
    EXPECT_EQ(counter(), "2 / 3");
    EXPECT_GT(window->l.Width(), 0);
    window->chameleonButton6_Click();
    EXPECT_TRUE(window->Timer1.Enabled());
    window->chameleonButton4_Click();  // close: the main window's music starts again
    testutil::PumpUntil([] { return false; }, 50);
    EXPECT_EQ(FindForm("Form3"), nullptr);
}
