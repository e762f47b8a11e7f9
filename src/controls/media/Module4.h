// Window capture and the page transitions of the main window.
//
// A capture is a bitmap picture of a window's pixels. A page change plays one transition over the
// main window: the overlay (Picture7) shows the old page (Picture5) and one effect turns it into
// the new page (Picture6). The transition code of the page selects the effect.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/picture.h"

namespace rt {
class Form;
class PictureBox;
}  // namespace rt

namespace Module4 {

// A bitmap picture that owns the bitmap and the palette (none: nullptr). When no picture object
// can be made, both handles are freed and the failure is passed on.
rt::Picture PictureFromBitmapHandle(HBITMAP bitmap, HPALETTE palette);

// width x height pixels of the window from (left, top): of its client area, or with clientArea
// false of the whole window with its frame.
rt::Picture GrabWindowImage(HWND hWnd, bool clientArea, int left, int top, int width, int height);

// The form's whole client area; the empty picture when the capture fails.
rt::Picture GrabFormImage(rt::Form& form);

// The main window's three picture boxes of a page change.
struct TransitionBoxes {
    rt::PictureBox& Picture5;  // the old page
    rt::PictureBox& Picture6;  // the new page
    rt::PictureBox& Picture7;  // the overlay the effect draws on
};

void PageTransWl(const TransitionBoxes& boxes);
void PageTransWr(const TransitionBoxes& boxes);
void PageTransWu(const TransitionBoxes& boxes);
void PageTransWd(const TransitionBoxes& boxes);
void PageTransWh(const TransitionBoxes& boxes);
void PageTransWv(const TransitionBoxes& boxes);
void PageTransSp(const TransitionBoxes& boxes);
void PageTransSu(const TransitionBoxes& boxes);
void PageTransRlh(const TransitionBoxes& boxes);
void PageTransRlv(const TransitionBoxes& boxes);

// The wrapper that the transition code names (compared exactly); false for any other code, which
// plays nothing.
bool PageTransition(const std::string& code, const TransitionBoxes& boxes);

// The table of transition codes on any three boxes: the effect, step delay and arguments of the
// code, with "su" sliding in slideDirection (1 upward for pages). False for any other code.
bool PlayTransition(const std::string& code, const TransitionBoxes& boxes, int32_t slideDirection);

}  // namespace Module4
