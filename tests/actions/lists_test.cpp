// The popup menu built from a store member and the action combo box: choosing an item runs its
// action list inside the call that chose it.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/main_window_fixture.h"
#include "support/temp_dir.h"
#include "windows/mnu_popup_menu.h"

using namespace actionstest;

namespace {

const std::string kSepa = "***Sepa***";
const std::string kCode = "***code***";

std::string SetText(const std::string& text) {
    return "loadTXT" + kSepa + "Total" + kSepa + text;
}

// Answers the popup menu of this thread from a timer: reads its item texts, then sends keys.
class MenuDriver {
public:
    explicit MenuDriver(std::vector<WPARAM> keys) : keys_(std::move(keys)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 50, &MenuDriver::Tick);
    }
    ~MenuDriver() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    std::vector<std::string> items;
    bool seen = false;

private:
    static MenuDriver*& Current() {
        static MenuDriver* current = nullptr;
        return current;
    }
    static BOOL CALLBACK Find(HWND hwnd, LPARAM param) {
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (std::string(cls) != "#32768" || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuDriver* self = Current();
        if (!self || self->seen) return;
        HWND popup = nullptr;
        EnumWindows(Find, reinterpret_cast<LPARAM>(&popup));
        if (!popup) return;
        self->seen = true;
        if (auto* m = static_cast<mnu*>(shelltest::FindForm("mnu"))) {
            HMENU menu = m->myMenu.Handle();
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                char text[128] = {};
                GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                self->items.push_back(text);
            }
        }
        for (WPARAM key : self->keys_) {
            PostMessageA(popup, WM_KEYDOWN, key, 0);
            PostMessageA(popup, WM_KEYUP, key, 0xC0000000);
        }
    }
    std::vector<WPARAM> keys_;
    UINT_PTR timer_ = 0;
};

class MenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        auto members = FivePages();
        members.push_back({"menu.mnu", "\"One##qk##" + SetText("first") + "\"\r\n\"Two##qk##" +
                                           SetText("second") + kCode + "opcd\"\r\n\"Three##qk##\"\r\n"});
        Start(members);
    }
};

TEST_F(MenuTest, ChoosingAnItemRunsItsActionsBeforeThePopupReturns) {
    Names({"1#TXT#1#Total"});
    rt::TextBox& box = Text(1);
    // When the item's action runs, the menu window and its temporary file are still there.
    bool copyThere = false, menuLoaded = false;
    box.Change = [&](int) {
        copyThere = std::filesystem::exists(shelltest::CopyFolder() / "menu.mnu");
        menuLoaded = shelltest::FormLoaded("mnu");
    };
    {
        MenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
        Run("mnuload" + kSepa + "menu.mnu");
        EXPECT_TRUE(driver.seen);
        EXPECT_EQ(driver.items, (std::vector<std::string>{"One", "Two", "Three"}));
    }
    EXPECT_EQ(box.Text(), "second");
    EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), 1);
    EXPECT_TRUE(copyThere);
    EXPECT_TRUE(menuLoaded);
    // Afterwards the copy is gone and the menu window unloaded.
    EXPECT_FALSE(std::filesystem::exists(shelltest::CopyFolder() / "menu.mnu"));
    EXPECT_FALSE(shelltest::FormLoaded("mnu"));
}

TEST_F(MenuTest, AnItemWithoutActionsAndADismissedMenuRunNothing) {
    Names({"1#TXT#1#Total"});
    Text(1).Text("old");
    {
        MenuDriver driver({VK_UP, VK_RETURN});  // the last item, "Three"
        Run("mnuload" + kSepa + "menu.mnu");
        EXPECT_TRUE(driver.seen);
    }
    {
        MenuDriver driver({VK_ESCAPE});
        Run("mnuload" + kSepa + "menu.mnu");
        EXPECT_TRUE(driver.seen);
    }
    EXPECT_EQ(Text(1).Text(), "old");
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(shelltest::FormLoaded("mnu"));
}

TEST_F(MenuTest, AMemberTheStoreLacksGivesTheOneEmptyItem) {
    MenuDriver driver({VK_ESCAPE});
    Run("mnuload" + kSepa + "nothing.mnu");
    EXPECT_TRUE(driver.seen);
    EXPECT_EQ(driver.items, std::vector<std::string>{""});
    EXPECT_FALSE(shelltest::FormLoaded("mnu"));
}

// ---- the action combo box

class ComboTest : public MainWindowTest {
protected:
    controls::combobx& Box(const std::string& items, bool list = false) {
        Names({"1#TXT#1#Total", "1#cmb#1#Choice"});
        // Each action's text is logged; Nav empties the box after each step, so a text set again
        // is seen again.
        Text(1).Change = [this](int) {
            if (main->txt[1].Text() != "") texts.push_back(main->txt[1].Text());
        };
        controls::combobx& box = main->combobx1.Load(1);
        box.liston(list);
        box.Move(0, 0, 3000, 1500);
        box.Visible(true);
        shelltest::WriteFile(files.Fs() / "items.cmb", items);
        box.gocombo(files.File("items.cmb"));
        box.Click = [this](int) { ++clicks; };
        return box;
    }
    void Nav(const std::string& which) {
        Run("loadcombo" + kSepa + "Choice" + kSepa + which);
        main->txt[1].Text("");
    }
    int Current(controls::combobx& box) {
        return box.liston() ? box.List2.ListIndex() : box.Combo1.ListIndex();
    }

    testsupport::TempDir files;
    std::vector<std::string> texts;
    int clicks = 0;
};

TEST_F(ComboTest, NavigationRunsTheChosenItemsActionsAndStopsAtTheEnds) {
    for (bool list : {false, true}) {
        texts.clear();
        clicks = 0;
        if (main->combobx1.Exists(1)) main->combobx1.Unload(1);
        // The third line lacks the separator: a text without actions, and the end of the read.
        controls::combobx& box = Box("A##qk##" + SetText("a") + "\r\nB##qk##" + SetText("b") + kCode +
                                         "opcd\r\nC\r\nD##qk##" + SetText("d") + "\r\n",
                                     list);
        ASSERT_EQ(box.Combo1.ListCount(), 3);
        ASSERT_EQ(box.List2.ListCount(), 3);
        EXPECT_EQ(Current(box), -1);

        Nav("Previous Item");  // none chosen: nothing
        Nav("next item");      // not a command
        EXPECT_EQ(Current(box), -1);
        Nav("Next Item");  // none chosen: the first
        Nav("Next Item");
        Nav("Next Item");  // C: no actions
        Nav("Next Item");  // at the end: nothing
        EXPECT_EQ(Current(box), 2);
        Nav("Previous Item");
        Nav("First Item");
        Nav("Previous Item");  // at the start: nothing
        EXPECT_EQ(Current(box), 0);
        Nav("Last Item");
        EXPECT_EQ(Current(box), 2);

        EXPECT_EQ(texts, (std::vector<std::string>{"a", "b", "b", "a"})) << "list " << list;
        EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), 2);
        // Only the drop-down raises Click, once per choice.
        EXPECT_EQ(clicks, list ? 0 : 6);
        Calls().clear();
    }
}

TEST_F(ComboTest, AnEmptyBoxIgnoresEveryNavigation) {
    controls::combobx& box = Box("");
    for (const char* which : {"First Item", "Last Item", "Next Item", "Previous Item"}) Nav(which);
    EXPECT_EQ(Current(box), -1);
    EXPECT_TRUE(texts.empty());
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboTest, AnItemThatMovesItsOwnBoxOnRunsTheNextItemsInsideItsRun) {
    const std::string next = kCode + "loadcombo" + kSepa + "Choice" + kSepa + "Next Item";
    controls::combobx& box = Box("1##qk##" + SetText("one") + next + "\r\n2##qk##" + SetText("two") + next +
                                 "\r\n3##qk##" + SetText("three") + next + "\r\n");
    box.FristItem();
    EXPECT_EQ(texts, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(Current(box), 2);
}

TEST_F(ComboTest, TheShownTextChangeRunsTheCurrentItemOnly) {
    controls::combobx& box = Box("A##qk##" + SetText("a") + "\r\n");
    box.Textn("typed");
    EXPECT_TRUE(texts.empty());
    box.FristItem();
    texts.clear();
    Text(1).Text("");
    box.Textn("other");
    // Whether the edited text keeps the item current is the platform box's affair.
    EXPECT_EQ(texts,
              box.Combo1.ListIndex() == 0 ? std::vector<std::string>{"a"} : std::vector<std::string>{});
}

}  // namespace
