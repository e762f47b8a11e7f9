// A shown white form for alpha pictures, pictures made as bitmap files in memory, the form's
// painted pixels, and the pointer moved over the form as the platform would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/alpha/aicAlphaImage.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/propertybag.h"
#include "runtime/ui.h"
#include "support/host_form.h"
#include "support/window_helpers.h"

namespace alphatest {

class AlphaForm : public testsupport::HostForm {
public:
    AlphaForm() : HostForm("AlphaForm", 6000, 4500) {}  // 400 x 300 pixels
};

// A 24-bit bottom-up bitmap file; colour(x, y) with y downwards, as COLORREF.
inline std::vector<uint8_t> Bmp(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const int row = (w * 3 + 3) & ~3;
    const uint32_t size = 54 + static_cast<uint32_t>(row * h);
    std::vector<uint8_t> b(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    put32(34, static_cast<uint32_t>(row * h));
    for (int y = 0; y < h; ++y) {
        uint8_t* p = &b[54 + static_cast<size_t>((h - 1 - y) * row)];
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            p[x * 3] = GetBValue(c);
            p[x * 3 + 1] = GetGValue(c);
            p[x * 3 + 2] = GetRValue(c);
        }
    }
    return b;
}

inline std::vector<uint8_t> SolidBmp(int w, int h, COLORREF c) {
    return Bmp(w, h, [c](int, int) { return c; });
}

class Alpha : public ::testing::Test {
protected:
    void SetUp() override {
        form = &rt::Load<AlphaForm>();
        form->Show();
        rt::DoEvents();
    }
    void TearDown() override {
        pictures.clear();
        rt::UnloadAll();
        rt::DoEvents();
        rt::FlushDeferred();
        rt::UserControl::SetDesignMode(false);
    }
    static double Tw(int pixels) { return pixels * 15.0; }

    // A stored picture as the page builds them: empty settings and no caption; at (x, y), w x h px.
    aicAlphaImage& Make(int x, int y, int w = 100, int h = 100) {
        auto bag = std::make_shared<rt::PropertyBag>(rt::PropertyBag{{"Caption", ""}});
        return Add(std::make_unique<aicAlphaImage>(*form, "pic" + std::to_string(pictures.size()), -1, bag),
                   x, y, w, h);
    }
    aicAlphaImage& MakeFrom(std::shared_ptr<const rt::PropertyBag> bag, int x, int y, int w = 100,
                            int h = 100) {
        return Add(std::make_unique<aicAlphaImage>(*form, "pic" + std::to_string(pictures.size()), -1,
                                                   std::move(bag)),
                   x, y, w, h);
    }
    aicAlphaImage& Add(std::unique_ptr<aicAlphaImage> p, int x, int y, int w, int h) {
        p->Move(Tw(x), Tw(y), Tw(w), Tw(h));
        p->Visible(true);
        pictures.push_back(std::move(p));
        return *pictures.back();
    }
    void Drop(aicAlphaImage& p) {
        for (auto it = pictures.begin(); it != pictures.end(); ++it)
            if (it->get() == &p) {
                pictures.erase(it);
                return;
            }
    }
    // A pixel of the form as it paints now (its painting into a 32-bit section).
    COLORREF At(int x, int y) const {
        RECT r;
        GetClientRect(form->hWnd(), &r);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = r.right;
        bi.bmiHeader.biHeight = -r.bottom;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, section);
        SendMessageA(form->hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const uint8_t* p = static_cast<const uint8_t*>(bits) + (static_cast<size_t>(y) * r.right + x) * 4;
        const COLORREF c = RGB(p[2], p[1], p[0]);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(section);
        return c;
    }

    // The pointer to (x, y) of the form, then the mouse message the platform would send there.
    void PointerTo(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(form->hWnd(), &p);
        SetCursorPos(p.x, p.y);
        // The platform's own message for the move comes first (it says the same).
        testutil::PumpUntil([] { return false; }, 100);
        SendMessageA(form->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    // The cursor lookup the platform makes before a mouse message.
    void CursorLookup(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(form->hWnd(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(form->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->hWnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }

    AlphaForm* form = nullptr;
    std::vector<std::unique_ptr<aicAlphaImage>> pictures;
};

inline void Pump(DWORD ms) {
    testutil::PumpUntil([] { return false; }, ms);
}

// A colour within `tolerance` of (r, g, b) in every channel.
inline ::testing::AssertionResult Near(COLORREF c, int r, int g, int b, int tolerance = 1) {
    if (std::abs(GetRValue(c) - r) <= tolerance && std::abs(GetGValue(c) - g) <= tolerance &&
        std::abs(GetBValue(c) - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "colour (" << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c))
           << ") expected (" << r << "," << g << "," << b << ") within " << tolerance;
}

}  // namespace alphatest
