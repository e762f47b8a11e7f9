// Actions on built pages: a click whose action list jumps to another page runs the rest of the
// list on the objects of the new page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/main_window_fixture.h"

using namespace actionstest;

namespace {

const std::string kSepa = "***Sepa***";
const std::string kCode = "***code***";

// One page-script record of 14 fields.
std::string Record(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + ("\"" + fields[i] + "\"");
    return line + "\r\n";
}
std::string LabelRecord(int index, const std::string& tag, int left) {
    return Record({"obj2", std::to_string(index), "label", std::to_string(left), "0", "300", "1500", tag, "1",
                   "tip", "16777215", "1", "0**qk**0", "8**qk**Arial**qk**False**qk**0"});
}
std::string TextRecord(int index, const std::string& text) {
    return Record({"txt", std::to_string(index), text, "0", "600", "300", "1500", "", "", "16777215", "1",
                   "0**qk**0", "8**qk**Arial**qk**False**qk**0"});
}

class PagesTest : public MainWindowTest {
protected:
    void SetUp() override {
        const std::string jumpThenSet =
            "jump" + kSepa + "2" + kCode + "loadTXT" + kSepa + "Total" + kSepa + "set on page 2";
        Start({{"sys1 .esr", LabelRecord(1, jumpThenSet, 0) + TextRecord(1, "page 1 text")},
               {"sys2 .esr", LabelRecord(2, "b_page", 1500) + TextRecord(1, "page 2 text")},
               {"name.nme", "1#TXT#1#Total\r\n2#TXT#1#Total\r\n"}});
    }
    void Click(int x, int y) {
        SendMessageA(main->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(main->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        shelltest::PumpUntil([] { return false; }, 50);
    }
};

TEST_F(PagesTest, AClickThatJumpsRunsTheRestOfItsListOnTheNewPage) {
    ASSERT_TRUE(main->Label1.Exists(1));
    ASSERT_TRUE(main->txt.Exists(1));
    ASSERT_EQ(main->txt[1].Text(), "page 1 text");

    Click(10, 10);
    EXPECT_EQ(main->page.Text(), "2");
    EXPECT_FALSE(main->Label1.Exists(1));
    ASSERT_TRUE(main->txt.Exists(1));
    // Built by the jump with its own text, then set by the command after the jump.
    EXPECT_EQ(main->txt[1].Text(), "set on page 2");
    EXPECT_EQ(Calls().front(), Sound("enter"));

    // Page 2's label goes back: page 1 stands again with its own text.
    ASSERT_TRUE(main->Label1.Exists(2));
    Click(110, 10);
    EXPECT_EQ(main->page.Text(), "1");
    ASSERT_TRUE(main->txt.Exists(1));
    EXPECT_EQ(main->txt[1].Text(), "page 1 text");
}

}  // namespace
