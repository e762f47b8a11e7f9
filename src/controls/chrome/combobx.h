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
#include "runtime/font.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h). The box's text,
// colours and font are Combo1's own, which a new box keeps; the list takes the colours and the
// font again (the last three rows read them and write nothing). 0x80000005 and 0x80000008 are the
// window's background and text colours.
// clang-format off
#define VANTREL_COMBOBX_PROPERTIES(X)                                                              \
    X(Store, bool, Enabled, false)                                                                 \
    X(Store, int16_t, BackStyle, int16_t{0})                                                       \
    X(Store, int16_t, BorderStyle, int16_t{0})                                                     \
    X(Relay, const std::string&, Textn, [](auto& b) { return b.Combo1.Text(); },                   \
      [](auto& b, std::string t) { b.Combo1.Text(t); }, "Combo1", "Combo1", rt::ForNew(rt::kKept)) \
    X(Via, uint32_t, BackColor, [](auto& b) { return b.Combo1.BackColor(); },                      \
      [](auto& b, uint32_t c) { b.Combo1.BackColor(c); }, 0x80000005u, 0x80000005u,                \
      rt::ForNew(rt::kKept))                                                                       \
    X(Via, uint32_t, ForeColor, [](auto& b) { return b.Combo1.ForeColor(); },                      \
      [](auto& b, uint32_t c) { b.Combo1.ForeColor(c); }, 0x80000008u, 0x80000008u,                \
      rt::ForNew(rt::kKept))                                                                       \
    X(Relay, rt::Font, Font, [](auto& b) -> rt::Font& { return b.Combo1.GetFont(); },              \
      [](auto& b, rt::Font f) { b.Combo1.SetFont(std::move(f)); },                                 \
      [](auto& b) { return b.Ambient().Font; }, [](auto& b) { return b.Ambient().Font; },          \
      rt::ForNew(rt::kKept))                                                                       \
    X(Store, bool, liston, false)                                                                  \
    X(Via, uint32_t, BackColor, [](auto& b) { return b.List2.BackColor(); },                       \
      [](auto& b, uint32_t c) { b.List2.BackColor(c); }, 0x80000005u, rt::kNotWritten,             \
      rt::ForNew(rt::kKept))                                                                       \
    X(Via, uint32_t, ForeColor, [](auto& b) { return b.List2.ForeColor(); },                       \
      [](auto& b, uint32_t c) { b.List2.ForeColor(c); }, 0x80000008u, rt::kNotWritten,             \
      rt::ForNew(rt::kKept))                                                                       \
    X(Via, rt::Font, Font, [](auto& b) -> rt::Font& { return b.List2.GetFont(); },                 \
      [](auto& b, rt::Font f) { b.List2.SetFont(std::move(f)); },                                  \
      [](auto& b) { return b.Ambient().Font; }, rt::kNotWritten, rt::ForNew(rt::kKept))
// clang-format on

class combobx : public rt::UserControl {
public:
    combobx(rt::Container& c, std::string name, int index = -1,
            std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    combobx(const combobx& templ, int index);

    // Enabled, BackStyle, BorderStyle and liston are kept and stored (they change nothing else);
    // the setters of Textn and Font pass the value to Combo1.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_COMBOBX_PROPERTIES)
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

    std::string Textn() const { return Combo1.Text(); }
    // The colours go to the list too.
    uint32_t BackColor() const noexcept { return Combo1.BackColor(); }
    void BackColor(uint32_t c);
    uint32_t ForeColor() const noexcept { return Combo1.ForeColor(); }
    void ForeColor(uint32_t c);
    rt::Font& Font() noexcept { return Combo1.GetFont(); }

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

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_COMBOBX_PROPERTIES)
    } settings_;
};

}  // namespace controls
