#include "controls/chrome/combobx.h"

#include <string>

#include "controls/common/main_window_link.h"
#include "controls/common/mdlList.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace controls {

combobx::combobx(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

combobx::combobx(const combobx& t, int index)
    : UserControl(t, index), Click(t.Click), KeyDown(t.KeyDown), KeyPress(t.KeyPress), KeyUp(t.KeyUp) {
    wire();
    Create();
}

void combobx::wire() {
    Combo1.Click = [this](int) { Combo1_Click(); };
    Combo1.Change = [this](int) { Combo1_Change(); };
    List2.Click = [this](int) { List2_Click(); };
}

void combobx::UserControl_Initialize() {
    List1.Visible(false);
    List2.Visible(false);
    Combo1.Move(0, 0);
}

void combobx::UserControl_InitProperties() {
    Properties().InitAll(*this);
    Layout();
}

VANTREL_PROPERTY_TABLE(combobx, VANTREL_COMBOBX_PROPERTIES)

void combobx::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
}

void combobx::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

void combobx::UserControl_Resize() {
    Layout();
}

void combobx::Layout() {
    if (settings_.liston) {
        List2.Height(Height());
        List2.Width(Width());
        Combo1.Visible(false);
        List2.Move(0, 0);
        List2.Visible(true);
    } else {
        Combo1.Visible(true);
        List2.Visible(false);
        Combo1.Width(Width());
    }
}

// ---- properties

void combobx::BackColor(uint32_t c) {
    Combo1.BackColor(c);
    PropertyChanged("BackColor");
    List2.BackColor(c);
    UserControl::BackColor(c);
}

void combobx::ForeColor(uint32_t c) {
    Combo1.ForeColor(c);
    PropertyChanged("ForeColor");
    List2.ForeColor(c);
}

// ---- items

void combobx::gocombo(const std::string& pathn) {
    List1.Clear();
    List2.Clear();
    Combo1.Clear();
    mdlList::LoadPairedCombo(pathn, Combo1, List1, [] { rt::DoEvents(); });
    for (int i = 0; i < Combo1.ListCount(); ++i) List2.AddItem(Combo1.List(i));
    rt::Font& from = Combo1.GetFont();
    rt::Font& to = List2.GetFont();
    to.Name(from.Name());
    to.Size(from.Size());
    to.Italic(from.Italic());
    to.Bold(from.Bold());
    if (settings_.liston) Height(List2.Height());
}

void combobx::AddItemN(const std::string& Item, int Index) {
    Combo1.AddItem(Item, Index);
}

void combobx::ClearN() {
    Combo1.Clear();
}

void combobx::AddAction(const std::string& Item, int Index) {
    List1.AddItem(Item, Index);
}

void combobx::RemoveAction(int Index) {
    List1.RemoveItem(Index);
}

void combobx::ClearAction() {
    List1.Clear();
}

// ---- navigation: choosing an item by code runs its actions as a choice by the user does

void combobx::FristItem() {
    rt::Try([&] {
        if (settings_.liston) {
            if (List2.ListCount() >= 1) List2.ListIndex(0);
        } else if (Combo1.ListCount() >= 1) {
            Combo1.ListIndex(0);
        }
    });
}

void combobx::LastItem() {
    rt::Try([&] {
        if (settings_.liston) {
            if (List2.ListCount() >= 1) List2.ListIndex(List2.ListCount() - 1);
        } else if (Combo1.ListCount() >= 1) {
            Combo1.ListIndex(Combo1.ListCount() - 1);
        }
    });
}

void combobx::NextItem() {
    rt::Try([&] {
        if (settings_.liston) {
            const int n = List2.ListCount(), c = List2.ListIndex();
            if (n >= 1 && c < n - 1) List2.ListIndex(c + 1);
        } else {
            const int n = Combo1.ListCount(), c = Combo1.ListIndex();
            if (n >= 1 && c < n - 1) Combo1.ListIndex(c + 1);
        }
    });
}

void combobx::BackItem() {
    rt::Try([&] {
        if (settings_.liston) {
            const int n = List2.ListCount(), c = List2.ListIndex();
            if (n >= 1 && c >= 1) List2.ListIndex(c - 1);
        } else {
            const int n = Combo1.ListCount(), c = Combo1.ListIndex();
            if (n >= 1 && c >= 1) Combo1.ListIndex(c - 1);
        }
    });
}

// ---- running the current item

void combobx::RunItem(int position) {
    if (position < 0 || position >= List1.ListCount()) return;
    const std::string list = List1.List(position);
    if (list.empty()) return;
    // All pieces are taken before the first runs; a page jump leaves the rest to the new page.
    // The runner is copied: an action that closes the main window empties the link.
    if (const auto run = MainWindow().runActions) run(list);
}

void combobx::Combo1_Click() {
    RaiseEvent(Click);
    RunItem(Combo1.ListIndex());
}

void combobx::Combo1_Change() {
    RunItem(Combo1.ListIndex());
}

void combobx::List2_Click() {
    RunItem(List2.ListIndex());
}

}  // namespace controls
