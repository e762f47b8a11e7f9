#include "controls/media/Module4.h"

#include <windows.h>

#include <array>
#include <utility>

#include "controls/media/modTransEffects.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/win.h"

namespace Module4 {

namespace {

constexpr int kPaletteDevice = 0x100;  // RC_PALETTE

// A logical palette of the system palette's 256 entries, for the captures of a palette display.
HPALETTE SystemPalette(HDC source) {
    struct {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY entries[256];
    } log{};
    log.palVersion = 0x300;
    log.palNumEntries = 256;
    GetSystemPaletteEntries(source, 0, 256, log.entries);
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
}

}  // namespace

rt::Picture PictureFromBitmapHandle(HBITMAP bitmap, HPALETTE palette) {
    rt::Bitmap ownedBitmap(bitmap);
    rt::GdiObject<HPALETTE> ownedPalette(palette);
    rt::Picture p = rt::Picture::FromBitmap(bitmap, true, palette);
    if (p.Empty()) return {};
    ownedBitmap.release();
    ownedPalette.release();
    return p;
}

rt::Picture GrabWindowImage(HWND hWnd, bool clientArea, int left, int top, int width, int height) {
    rt::Bitmap bitmap;
    rt::GdiObject<HPALETTE> palette;
    {
        const rt::WindowDC source(hWnd, !clientArea);
        rt::MemoryDC memory(source.get());
        bitmap.reset(CreateCompatibleBitmap(source.get(), width, height));
        HGDIOBJ oldBitmap = SelectObject(memory.get(), bitmap.get());
        HPALETTE oldPalette = nullptr;
        const bool paletteDevice = (GetDeviceCaps(source.get(), RASTERCAPS) & kPaletteDevice) &&
                                   GetDeviceCaps(source.get(), SIZEPALETTE) == 256;
        if (paletteDevice) {
            palette.reset(SystemPalette(source.get()));
            oldPalette = SelectPalette(memory.get(), palette.get(), FALSE);
            RealizePalette(memory.get());
        }
        BitBlt(memory.get(), 0, 0, width, height, source.get(), left, top, SRCCOPY);
        SelectObject(memory.get(), oldBitmap);
        if (paletteDevice) SelectPalette(memory.get(), oldPalette, FALSE);
    }
    return PictureFromBitmapHandle(bitmap.release(), palette.release());
}

rt::Picture GrabFormImage(rt::Form& form) {
    rt::Picture picture;
    rt::Procedure proc(rt::OnError::Skip);
    int width = 0, height = 0;
    proc.step([&] { width = rt::ToPixelsX(form.ScaleWidth()); });
    proc.step([&] { height = rt::ToPixelsY(form.ScaleHeight()); });
    proc.step([&] { picture = GrabWindowImage(form.hWnd(), true, 0, 0, width, height); });
    return picture;
}

bool PlayTransition(const std::string& code, const TransitionBoxes& b, int32_t slideDirection) {
    using namespace modTransEffects;
    if (code == "wl") {
        EffectStepDelay = 1;
        WipeEffect(b.Picture7, b.Picture6, 4, 8);
    } else if (code == "wr") {
        EffectStepDelay = 1;
        WipeEffect(b.Picture7, b.Picture6, 8, 20);
    } else if (code == "wu") {
        EffectStepDelay = 1;
        WipeEffect(b.Picture7, b.Picture6, 2, 8);
    } else if (code == "wd") {
        EffectStepDelay = 1;
        WipeEffect(b.Picture7, b.Picture6, 1, 5);
    } else if (code == "wh") {
        EffectStepDelay = 1;
        EdgesWipeEffect(b.Picture7, b.Picture6, 1, 8);
    } else if (code == "wv") {
        EffectStepDelay = 1;
        EdgesWipeEffect(b.Picture7, b.Picture6, 2, 8);
    } else if (code == "sp") {
        b.Picture7.Cls();
        EffectStepDelay = 1;
        StretchPushEffect(b.Picture7, b.Picture5, b.Picture6, 1, 45, 0, 2);
    } else if (code == "su") {
        b.Picture7.Cls();
        EffectStepDelay = 1;
        TwoPhaseSlideEffect(b.Picture7, b.Picture5, b.Picture6, slideDirection, 3);
    } else if (code == "rlh") {
        EffectStepDelay = 0;
        RandomLinesEffect(b.Picture7, b.Picture6, 1, 0);
    } else if (code == "rlv") {
        EffectStepDelay = 0;
        RandomLinesEffect(b.Picture7, b.Picture6, 2, 0);
    } else {
        return false;
    }
    return true;
}

bool PageTransition(const std::string& code, const TransitionBoxes& boxes) {
    return PlayTransition(code, boxes, 1);
}

// The named routines, one transition each.
#define MODULE4_PAGE_TRANSITION(Routine, code) \
    void Routine(const TransitionBoxes& b) {   \
        PlayTransition(code, b, 1);            \
    }
MODULE4_PAGE_TRANSITION(PageTransWl, "wl")
MODULE4_PAGE_TRANSITION(PageTransWr, "wr")
MODULE4_PAGE_TRANSITION(PageTransWu, "wu")
MODULE4_PAGE_TRANSITION(PageTransWd, "wd")
MODULE4_PAGE_TRANSITION(PageTransWh, "wh")
MODULE4_PAGE_TRANSITION(PageTransWv, "wv")
MODULE4_PAGE_TRANSITION(PageTransSp, "sp")
MODULE4_PAGE_TRANSITION(PageTransSu, "su")
MODULE4_PAGE_TRANSITION(PageTransRlh, "rlh")
MODULE4_PAGE_TRANSITION(PageTransRlv, "rlv")
#undef MODULE4_PAGE_TRANSITION

}  // namespace Module4
