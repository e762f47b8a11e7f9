#include "windows/mnu_popup_menu.h"

#include <string>

#include "controls/common/main_window_link.h"
#include "runtime/error.h"

mnu::mnu() : Form("mnu") {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    List1.Visible(false);
    List2.Visible(false);
    myMenuArray[0].Caption("");
    myMenuArray[0].Click = [this](int Index) { myMenuArray_Click(Index); };
}

void mnu::AddtoDynPop() {
    const int members = myMenuArray.Count();
    for (int i = 1; i <= members - 1; ++i) rt::Try([&] { myMenuArray.Unload(i); });
    for (int i = 0; i <= List1.ListCount() - 1; ++i) {
        // Item 0 exists from the start: loading it fails and only its caption is set.
        rt::Try([&] { myMenuArray.Load(i); });
        rt::Try([&] { myMenuArray[i].Caption(List1.List(i)); });
    }
}

void mnu::myMenuArray_Click(int Index) {
    const std::string list = List2.List(Index);
    if (list.empty()) return;
    if (const auto run = controls::MainWindow().runActions) run(list);
}
