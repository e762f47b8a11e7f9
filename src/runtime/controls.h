// The intrinsic controls: Label, TextBox, PictureBox, Image, ListBox, ComboBox, FileListBox,
// CheckBox, OptionButton, CommandButton, ScrollBar, Shape, Timer, Menu and MenuItem.
//
// Each has a design-time constructor (container, name, index = -1 outside an array) and the
// template constructor of control arrays (see control.h). Properties are get/set member pairs with
// the runtime's names; values outside a property's set raise 380.
#pragma once

#include "runtime/buttons.h"
#include "runtime/image.h"
#include "runtime/label.h"
#include "runtime/lists.h"
#include "runtime/menu.h"
#include "runtime/picturebox.h"
#include "runtime/scrollbar.h"
#include "runtime/shape.h"
#include "runtime/textbox.h"
#include "runtime/textcontrol.h"
#include "runtime/timer.h"
