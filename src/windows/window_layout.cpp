#include "windows/window_layout.h"

#include "runtime/form.h"
#include "runtime/ui.h"

namespace windows {

void SetClientSize(rt::Form& form, double width, double height) {
    const double frameWidth = form.Width() - form.ScaleWidth();
    const double frameHeight = form.Height() - form.ScaleHeight();
    form.Move(form.Left(), form.Top(), width + frameWidth, height + frameHeight);
}

void CentreOnScreen(rt::Form& form) {
    form.Move((rt::Screen::Width() - form.Width()) / 2, (rt::Screen::Height() - form.Height()) / 2);
}

}  // namespace windows
