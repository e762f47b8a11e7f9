// The action combo box: a list of items, each with an action list of its own, shown as a
// drop-down box with an editable text field or as an always-open list. Choosing an item runs its
// action list through the main window's action interpreter.
//
// Three platform lists hold the items: Combo1 the display texts, List1 (never shown) the action
// lists, List2 a copy of the texts for the list presentation; position i is item i in all three
// after gocombo. The single-list members touch one list only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class combobx : public rt::UserControl {
public:
    combobx(rt::Container& c, std::string name, int index = -1,
            std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    combobx(const combobx& templ, int index);

    bool Enabled() const noexcept { return enabled_; }
    void Enabled(bool v) override;
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);
    void Refresh() {}

    // Navigation: on List2 in the list presentation, else on Combo1. No wrap at either end.
    void FristItem();
    void LastItem();
    void NextItem();
    void BackItem();

    // Replaces all items with those of an item action file.
    void gocombo(const std::string& pathn);
    void AddItemN(const std::string& Item, int Index = -1);
    void ClearN();
    void AddAction(const std::string& Item, int Index = -1);
    void RemoveAction(int Index);
    void ClearAction();

    std::string Textn() const;
    void Textn(const std::string& text);
    uint32_t BackColor() const noexcept { return Combo1.BackColor(); }
    void BackColor(uint32_t c);
    uint32_t ForeColor() const noexcept { return Combo1.ForeColor(); }
    void ForeColor(uint32_t c);
    rt::Font& Font() noexcept { return Combo1.GetFont(); }
    void Font(rt::Font f);
    bool liston() const noexcept { return liston_; }
    void liston(bool v);

    // Only Click is raised; the others belong to the interface the container sees.
    rt::Event<> Click;
    rt::Event<int16_t, int16_t> KeyDown;
    rt::Event<int16_t> KeyPress;
    rt::Event<int16_t, int16_t> KeyUp;

    rt::ComboBox Combo1{*this, "Combo1"};
    rt::ListBox List1{*this, "List1"};
    rt::ListBox List2{*this, "List2"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<combobx>& Properties();
    void wire();
    void Layout();
    // The action list at a position of the lists, piece by piece, through the main window.
    void RunItem(int position);
    void Combo1_Click();
    void Combo1_Change();
    void List2_Click();

    bool enabled_ = false;
    int16_t backStyle_ = 0;
    int16_t borderStyle_ = 0;
    bool liston_ = false;
};

}  // namespace controls
