// Placing the secondary windows: their design sizes are client sizes, and most open centred on
// the screen at the size they have when they first show.
#pragma once

namespace rt {
class Form;
}

namespace windows {

// Gives the window a client area of this size (twips), keeping its position.
void SetClientSize(rt::Form& form, double width, double height);
// Moves the window to the centre of the screen at its present outer size.
void CentreOnScreen(rt::Form& form);

}  // namespace windows
