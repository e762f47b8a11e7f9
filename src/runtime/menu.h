#pragma once

#include <string>
#include <vector>

#include "runtime/control.h"

namespace rt {

class MenuItem;

// A menu: a popup whose items are MenuItem controls (also run-time arrays of them).
class Menu : public Control {
public:
    Menu(Container& c, std::string name, int index = -1, std::string caption = {});
    Menu(const Menu& templ, int index) = delete;
    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string c) { caption_ = std::move(c); }
    HMENU Handle() const noexcept { return menu_.get(); }
    // The item of a command identifier of this menu (nullptr when none).
    MenuItem* ItemOf(UINT id) const;

private:
    friend class MenuItem;
    void add(MenuItem* item);
    void remove(MenuItem* item);
    void rebuild();
    std::string caption_;
    MenuHandle menu_;
    std::vector<MenuItem*> items_;
};

class MenuItem : public Control {
public:
    MenuItem(Container& c, std::string name, int index, Menu& menu);
    MenuItem(const MenuItem& templ, int index);
    ~MenuItem() override;

    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string c);
    bool Checked() const noexcept { return checked_; }
    void Checked(bool v);
    bool Visible() const noexcept { return shown_; }  // loaded items keep their template's
    void Visible(bool v) override;
    void Enabled(bool v) override;
    UINT Id() const noexcept { return id_; }

private:
    Menu& menu_;
    std::string caption_;
    bool checked_ = false;
    bool shown_ = true;
    UINT id_;
};

}  // namespace rt
