// The page runtime: open actions (page 1 from the one-shot timer, later pages inside the build),
// the z-order file, and the live text placeholders.
#include <algorithm>
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "shell/placeholders.h"

using namespace pagestest;

namespace {

std::vector<std::string> Items(const rt::ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i) out.push_back(list.List(i));
    return out;
}

}  // namespace

TEST(PageRuntimeTest, OpenActionsRunFromTheTimerOnPageOneAndInsideTheBuildLater) {
    AppFolder app;
    app.Pack({{"sys1 .esr", Label3Rec("a***code******code***b") + LabelRec(1, "one")},
              {"sys2 .esr", Label3Rec("c***code***d")},
              {"sys3 .esr", LabelRec(1, "no Label3 record")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    std::vector<std::string> ran;
    main.OpenActionHook = [&](const std::string& action) { ran.push_back(action); };

    // Page 1 at start-up: nothing yet, the one-shot timer runs them once.
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(main.frma.Text(), "0");
    ASSERT_TRUE(PumpUntil([&] { return !ran.empty(); }, 5000));
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "", "b"}));  // empty pieces included
    EXPECT_EQ(Items(main.lk), ran);
    EXPECT_EQ(main.frma.Text(), "1");
    EXPECT_FALSE(main.Timer3.Enabled());

    // Later pages run theirs before the jump returns.
    ran.clear();
    Jump(main, 2);
    EXPECT_EQ(ran, (std::vector<std::string>{"c", "d"}));
    // A page without a "Label3" record keeps the actions of the page before.
    ran.clear();
    Jump(main, 3);
    EXPECT_EQ(ran, (std::vector<std::string>{"c", "d"}));
    // Back to page 1: once, from the build; the timer is not armed again.
    ran.clear();
    Jump(main, 1);
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "", "b"}));
    EXPECT_FALSE(main.Timer3.Enabled());
    PumpUntil([] { return false; }, 600);
    EXPECT_EQ(ran.size(), 3u);
}

TEST(PageRuntimeTest, OpenActionThatJumpsRunsTheNewPagesActionsAndTheRestOfItsOwn) {
    AppFolder app;
    app.Pack({{"sys1 .esr", Label3Rec("")},
              {"sys2 .esr", Label3Rec("x***code***go3***code***y")},
              {"sys3 .esr", Label3Rec("z") + LabelRec(1, "three")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    main.frma.Text("1");
    std::vector<std::string> ran;
    main.OpenActionHook = [&](const std::string& action) {
        ran.push_back(action);
        if (action == "go3") Jump(main, 3);
    };
    Jump(main, 2);
    EXPECT_EQ(ran, (std::vector<std::string>{"x", "go3", "z", "y"}));
    EXPECT_EQ(main.page.Text(), "3");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1}));
}

TEST(PageRuntimeTest, ZOrderFileRestacksTheNamedObjectsOnly) {
    // Labels are built front-most in script order: 1, 2, 3 from the back to the front.
    const std::string page =
        LabelRec(1, "l1") + LabelRec(2, "l2") + LabelRec(3, "l3") + TextRec(1, "") + TextRec(2, "");
    const std::string lines =
        "lbID1ID0\r\n"    // 2 3 1
        "\r\n"            // a blank line is skipped
        "LBID3ID1\r\n"    // codes are case-sensitive
        "lbid3id1\r\n"    // so is the separator
        "cmdID3ID1\r\n"   // an array of another page kind: nothing here
        "TXTID5ID0\r\n"   // no such member
        "lbID9ID1\r\n"    // no such member
        "lbID2ID7\r\n"    // a position the object refuses
        "lbID3ID1\r\n"    // 3 2 1
        "TXTID1ID0\r\n";  // text box 1 above text box 2
    AppFolder app;
    app.Pack({{"sys1 .esr", page}, {"1psnt.xmz", lines}, {"sys2 .esr", page}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    auto labelOrder = [&] {
        std::vector<std::string> order;
        for (rt::Control* c : main.WindowlessOrder())
            if (c->Name() == "Label1" && c->Index() > 0)
                order.push_back(static_cast<rt::Label*>(c)->Caption());
        return order;
    };
    EXPECT_EQ(labelOrder(), (std::vector<std::string>{"l3", "l2", "l1"}));
    // Text box 1 lies above text box 2 among the window's children.
    bool sawOne = false;
    for (HWND w = GetWindow(main.hWnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == main.txt[1].hWnd()) sawOne = true;
        if (w == main.txt[2].hWnd()) {
            EXPECT_TRUE(sawOne) << "text box 2 above text box 1";
            break;
        }
    }
    const std::vector<std::string> left = CopiesLeft();
    EXPECT_EQ(std::count(left.begin(), left.end(), std::string("1psnt.xmz")), 0);

    // A page without a z-order file keeps the order of its script.
    Jump(main, 2);
    EXPECT_EQ(labelOrder(), (std::vector<std::string>{"l1", "l2", "l3"}));
}

TEST(PageRuntimeTest, PlaceholderLabelsShowTimeDateAndMoviePosition) {
    AppFolder app;
    app.Pack({{"sys1 .esr", LabelRec(1, placeholders::kShowTime) + LabelRec(2, "any text", "The Day is") +
                                LabelRec(3, "##playertime##") + LabelRec(4, "##SHOWTIME##") +
                                LabelRec(5, " ##showtime##") + LabelRec(7, "##showday##")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(PumpUntil([&] { return main.Label1[1].Caption() != placeholders::kShowTime; }, 5000));

    auto now = [](bool date) {
        char text[128] = {};
        if (date)
            GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text);
        else
            GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
        return std::string(text);
    };
    // Let a few more ticks pass, then compare with the time around a last tick.
    PumpUntil([] { return false; }, 100);
    const std::string before = now(false);
    PumpUntil([] { return false; }, 50);
    const std::string shown = main.Label1[1].Caption();
    const std::string after = now(false);
    EXPECT_TRUE(shown == before || shown == after) << shown;
    EXPECT_EQ(main.Label1[1].ToolTipText(), "The time now");
    EXPECT_EQ(main.Label1[2].Caption(), now(true));
    EXPECT_EQ(main.Label1[2].ToolTipText(), "The Day is");
    EXPECT_EQ(main.Label1[3].Caption(), "00:00");  // no movie
    EXPECT_EQ(main.Label1[3].ToolTipText(), "Player time");
    // Other letter case or other text around: left alone.
    EXPECT_EQ(main.Label1[4].Caption(), "##SHOWTIME##");
    EXPECT_EQ(main.Label1[5].Caption(), " ##showtime##");
    // The highest label past a gap in the numbering is live too.
    EXPECT_EQ(main.Label1[7].Caption(), now(true));
    EXPECT_EQ(main.Label1[0].ToolTipText(), "");  // the template is never touched
}
