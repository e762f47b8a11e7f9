// The popup menu window: never shown; it carries a popup menu whose items come from a menu file
// of the project, and runs the actions of the item the user chooses. Unloading it discards the
// lists and the items, so each use starts empty.
#pragma once

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class mnu : public rt::Form {
public:
    mnu();

    rt::ListBox List1{*this, "List1"};  // item texts, in file order
    rt::ListBox List2{*this, "List2"};  // the action list of each item
    rt::Menu myMenu{*this, "myMenu"};
    rt::ControlArray<rt::MenuItem> myMenuArray{*this, "myMenuArray", myMenu};

    // Makes the menu's items match the texts of List1.
    void AddtoDynPop();

private:
    void myMenuArray_Click(int Index);
};
