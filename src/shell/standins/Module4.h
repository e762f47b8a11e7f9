// Stand-in for the page transition module until the media controls arrive: the window capture
// works; the ten transitions draw nothing, so a page simply appears. The real module replaces
// this file.
#pragma once

#include "runtime/form.h"
#include "runtime/picture.h"

namespace Module4 {

// The client area of the window as shown on the screen, as a bitmap picture; the empty picture
// when the capture fails.
rt::Picture GrabFormImage(rt::Form& form);

void PageTransWl();
void PageTransWr();
void PageTransWu();
void PageTransWd();
void PageTransWh();
void PageTransWv();
void PageTransSp();
void PageTransSu();
void PageTransRlh();
void PageTransRlv();

}  // namespace Module4
