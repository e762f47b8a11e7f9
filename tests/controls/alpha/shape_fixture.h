// A shown white form that holds vector shapes, and the helpers to read its pixels and to click.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "controls/alpha/AlphaShapeCtl.h"
#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "support/host_form.h"

namespace shapestest {

class ShapesForm : public testsupport::HostForm {
public:
    ShapesForm() : HostForm("ShapesForm", 7500, 6000) {}  // 500 x 400 pixels
    rt::ControlArray<controls::AlphaShapeCtl> shape{*this, "shape"};
};

class Shapes : public ::testing::Test {
public:
    struct Box {
        float x, y, w, h;
    };

protected:
    void SetUp() override {
        form = &rt::Load<ShapesForm>();
        form->shape[0].Visible(false);
        form->Show();
        rt::DoEvents();
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
        rt::FlushDeferred();
    }
    static double Tw(int pixels) { return pixels * 15.0; }

    // A shown member at (x, y) of w x h pixels.
    controls::AlphaShapeCtl& Make(int x, int y, int w, int h) {
        controls::AlphaShapeCtl& s = form->shape.Load(++next);
        s.Move(Tw(x), Tw(y), Tw(w), Tw(h));
        s.Visible(true);
        return s;
    }
    // The form's pixel at (x, y) after every pending paint.
    COLORREF Pixel(int x, int y) const {
        UpdateWindow(form->hWnd());
        HDC dc = GetDC(form->hWnd());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(form->hWnd(), dc);
        return c;
    }
    void Click(int x, int y) const {
        SendMessageA(form->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(form->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(form->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static Box Bounds(controls::AlphaShapeCtl& s) {
        Box b{-1, -1, -1, -1};
        EXPECT_TRUE(s.ShapeObject().BoundsSimple(b.x, b.y, b.w, b.h));
        return b;
    }

    ShapesForm* form = nullptr;
    int next = 0;
};

// Channels within `tolerance` of the expected ones (GDI+ blends and smooths).
inline ::testing::AssertionResult Near(COLORREF got, int r, int g, int b, int tolerance = 2) {
    if (std::abs(GetRValue(got) - r) <= tolerance && std::abs(GetGValue(got) - g) <= tolerance &&
        std::abs(GetBValue(got) - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << int(GetRValue(got)) << "," << int(GetGValue(got)) << "," << int(GetBValue(got))
           << "), expected (" << r << "," << g << "," << b << ")";
}

}  // namespace shapestest
