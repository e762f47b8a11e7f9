#include "controls/chrome/combobx.h"

#include <string>

#include "controls/common/main_window_link.h"
#include "controls/common/mdlList.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace controls {

namespace {
constexpr uint32_t kWindowBackground = 0x80000005u;
constexpr uint32_t kWindowText = 0x80000008u;
}  // namespace

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

const rt::PropertyTable<combobx>& combobx::Properties() {
    using B = combobx;
    auto ambientFont = [](B& b) { return b.Ambient().Font; };
    const auto kept = rt::ForNew(rt::kKept);
    static const rt::PropertyTable<B> table{
        {"Enabled", &B::enabled_, false},
        {"BackStyle", &B::backStyle_, int16_t{0}},
        {"BorderStyle", &B::borderStyle_, int16_t{0}},
        {"Textn", [](B& b) { return b.Combo1.Text(); }, [](B& b, std::string t) { b.Combo1.Text(t); },
         "Combo1", "Combo1", kept},
        {"BackColor", [](B& b) { return b.Combo1.BackColor(); },
         [](B& b, uint32_t c) { b.Combo1.BackColor(c); }, kWindowBackground, kWindowBackground, kept},
        {"ForeColor", [](B& b) { return b.Combo1.ForeColor(); },
         [](B& b, uint32_t c) { b.Combo1.ForeColor(c); }, kWindowText, kWindowText, kept},
        {"Font", [](B& b) -> rt::Font& { return b.Combo1.GetFont(); },
         [](B& b, rt::Font f) { b.Combo1.SetFont(std::move(f)); }, ambientFont, ambientFont, kept},
        {"liston", &B::liston_, false},
        // The list takes the box's colours and font again.
        {"BackColor", [](B& b) { return b.List2.BackColor(); },
         [](B& b, uint32_t c) { b.List2.BackColor(c); }, kWindowBackground, rt::kNotWritten, kept},
        {"ForeColor", [](B& b) { return b.List2.ForeColor(); },
         [](B& b, uint32_t c) { b.List2.ForeColor(c); }, kWindowText, rt::kNotWritten, kept},
        {"Font", [](B& b) -> rt::Font& { return b.List2.GetFont(); },
         [](B& b, rt::Font f) { b.List2.SetFont(std::move(f)); }, ambientFont, rt::kNotWritten, kept},
    };
    return table;
}

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
    if (liston_) {
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

void combobx::Enabled(bool v) {
    enabled_ = v;
    PropertyChanged("Enabled");
}

void combobx::BackStyle(int16_t v) {
    backStyle_ = v;
    PropertyChanged("BackStyle");
}

void combobx::BorderStyle(int16_t v) {
    borderStyle_ = v;
    PropertyChanged("BorderStyle");
}

std::string combobx::Textn() const {
    return Combo1.Text();
}

void combobx::Textn(const std::string& text) {
    Combo1.Text(text);
    PropertyChanged("Textn");
}

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

void combobx::Font(rt::Font f) {
    Combo1.SetFont(std::move(f));
    PropertyChanged("Font");
}

void combobx::liston(bool v) {
    liston_ = v;
    PropertyChanged("liston");
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
    if (liston_) Height(List2.Height());
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
        if (liston_) {
            if (List2.ListCount() >= 1) List2.ListIndex(0);
        } else if (Combo1.ListCount() >= 1) {
            Combo1.ListIndex(0);
        }
    });
}

void combobx::LastItem() {
    rt::Try([&] {
        if (liston_) {
            if (List2.ListCount() >= 1) List2.ListIndex(List2.ListCount() - 1);
        } else if (Combo1.ListCount() >= 1) {
            Combo1.ListIndex(Combo1.ListCount() - 1);
        }
    });
}

void combobx::NextItem() {
    rt::Try([&] {
        if (liston_) {
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
        if (liston_) {
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
