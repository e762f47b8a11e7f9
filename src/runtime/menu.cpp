#include "runtime/menu.h"

#include <algorithm>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

namespace {
UINT nextMenuId = 0x4000;
}

Menu::Menu(Container& c, std::string name, int index, std::string caption)
    : Control(c, std::move(name), index, Kind::Hidden),
      caption_(std::move(caption)),
      menu_(CreatePopupMenu()) {}
MenuItem* Menu::ItemOf(UINT id) const {
    for (MenuItem* i : items_)
        if (i->Id() == id) return i;
    return nullptr;
}
void Menu::add(MenuItem* item) {
    // Members of one array stay together, in index order.
    auto pos = items_.end();
    for (auto it = items_.begin(); it != items_.end(); ++it)
        if ((*it)->Name() == item->Name()) pos = (*it)->Index() < item->Index() ? it + 1 : pos;
    items_.insert(pos, item);
    rebuild();
}
void Menu::remove(MenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    rebuild();
}
void Menu::rebuild() {
    HMENU menu = menu_.get();
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    for (MenuItem* i : items_) {
        if (!i->Visible()) continue;
        UINT flags = MF_STRING | (i->Checked() ? MF_CHECKED : 0) | (i->Control::Enabled() ? 0 : MF_GRAYED);
        if (i->Caption() == "-")
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, flags, i->Id(), i->Caption().c_str());
    }
}

MenuItem::MenuItem(Container& c, std::string name, int index, Menu& menu)
    : Control(c, std::move(name), index, Kind::Hidden), menu_(menu), id_(nextMenuId++) {
    menu_.add(this);
}
MenuItem::MenuItem(const MenuItem& t, int index)
    : Control(t, index),
      menu_(t.menu_),
      caption_(t.caption_),
      checked_(t.checked_),
      shown_(t.shown_),
      id_(nextMenuId++) {
    menu_.add(this);
}
MenuItem::~MenuItem() {
    menu_.remove(this);
}
void MenuItem::Caption(std::string c) {
    caption_ = std::move(c);
    menu_.rebuild();
}
void MenuItem::Checked(bool v) {
    checked_ = v;
    menu_.rebuild();
}
void MenuItem::Visible(bool v) {
    shown_ = v;
    menu_.rebuild();
}
void MenuItem::Enabled(bool v) {
    Control::Enabled(v);
    menu_.rebuild();
}

}  // namespace rt
