// The alpha picture's pointer side: joining the container's coordinator, the hit test with its
// enter and exit events, the leave poll, the mouse and key events, offsets and fading.
#include <cmath>

#include "controls/alpha/aicAlphaImage.h"
#include "runtime/error.h"

namespace {

constexpr UINT kPollMs = 100;
constexpr int32_t kMinFadeMs = 10;

int32_t nint(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

}  // namespace

void aicAlphaImage::ReleaseTimers() {
    StopPoll();
    StopFade();
}

// ---- the coordinator

void aicAlphaImage::JoinCrossComm() {
    aicAlphaImage* first = nullptr;
    for (rt::Control* c : Parent().Controls()) {
        if (auto* picture = dynamic_cast<aicAlphaImage*>(c)) {
            first = picture;
            break;
        }
    }
    crossComm_ = first ? first->CrossTalkClass() : nullptr;
    if (!crossComm_) {
        crossComm_ = std::make_shared<cCrossComm>();
        if (SourceImage->isGDIplusEnabled()) crossComm_->ManageGDIToken(ContainerHwnd());
    }
    GiveToken();
    crossComm_->AddRef(Identity());
    if (!DesignMode()) timerWindow_ = ContainerHwnd();
}

void aicAlphaImage::GiveToken() {
    const ULONG_PTR token = crossComm_ ? crossComm_->ImageToken() : 0;
    SourceImage->gdiToken(token);
    if (RedrawBuffer) RedrawBuffer->gdiToken(token);
    if (ShadowImage) ShadowImage->gdiToken(token);
}

void aicAlphaImage::UserControl_Show() {
    if (Enabled() && crossComm_) crossComm_->AddRef(Identity());
    if (drawWidth_ == 0) RelayoutImage();
}

void aicAlphaImage::UserControl_Hide() {
    StopFade();
    StopPoll();
    if (Enabled() && crossComm_) crossComm_->RemoveRef(Identity());
}

// ---- hit test and tracking

void aicAlphaImage::UserControl_HitTest(float X, float Y, int& HitResult) {
    if (InsideHitArea(nint(X), nint(Y))) HitResult = rt::vbHitResultHit;
    // The pointer-shape lookup and further hit tests of one mouse message only answer.
    if (DesignMode() || HitTestIsLookup() || !crossComm_) return;
    if (!timerWindow_) timerWindow_ = ContainerHwnd();
    const intptr_t self = Identity();
    const intptr_t captured = crossComm_->CapturedControl();
    if (captured != self) {
        if (captured != 0) crossComm_->CapturedControl(0);  // the holder lets go: its MouseExit
        if (HitResult != rt::vbHitResultHit) return;
        POINT cursor{}, origin{0, 0};
        GetCursorPos(&cursor);
        ClientToScreen(timerWindow_, &origin);
        containerOffsetX_ = nint((cursor.x - origin.x) - static_cast<double>(X));
        containerOffsetY_ = nint((cursor.y - origin.y) - static_cast<double>(Y));
        crossComm_->CapturedControl(self);
        RaiseEvent(MouseEnter);
        // The enter handler may have hidden the picture or taken the capture elsewhere.
        if (crossComm_ && crossComm_->CapturedControl() == self) StartPoll();
    } else if (HitResult == rt::vbHitResultOutside) {
        StopPoll();
        crossComm_->CapturedControl(0);  // this picture's own MouseExit
    }
}

void aicAlphaImage::StartPoll() {
    if (!timerWindow_) return;
    if (exitPoll_.Start(timerWindow_, kPollMs)) exitPollRunning_ = true;
}

void aicAlphaImage::StopPoll() {
    if (!exitPollRunning_) return;
    exitPoll_.Stop();
    exitPollRunning_ = false;
}

void aicAlphaImage::ReleaseMouseCapture() {
    StopPoll();
    RaiseEvent(MouseExit);
}

void aicAlphaImage::MouseExitTick() {
    const HWND hwnd = exitPoll_.Window();
    exitPoll_.Stop();
    if (!crossComm_ || crossComm_->CapturedControl() != Identity()) {
        exitPollRunning_ = false;
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    bool inside = false;
    if (WindowFromPoint(cursor) == hwnd) {
        POINT origin{0, 0};
        ClientToScreen(hwnd, &origin);
        inside =
            InsideHitArea(cursor.x - origin.x - containerOffsetX_, cursor.y - origin.y - containerOffsetY_);
    }
    if (inside) {
        exitPoll_.Start(hwnd, kPollMs);
        return;
    }
    crossComm_->CapturedControl(0);  // ReleaseMouseCapture: the poll ends and MouseExit is raised
}

bool aicAlphaImage::isMouseOver() const {
    return Enabled() && crossComm_ && crossComm_->CapturedControl() == Identity();
}

// ---- offsets

void aicAlphaImage::OffsetShadow(int32_t x, int32_t y) {
    settings_.ShadowX = x;
    settings_.ShadowY = y;
    if (ShadowEnabled()) Repaint();
}

void aicAlphaImage::OffsetImage(bool SetOffsets, int32_t& x, int32_t& y) {
    int32_t sx = 0, sy = 0;
    OffsetImage(SetOffsets, x, y, sx, sy);
}

void aicAlphaImage::OffsetImage(bool SetOffsets, int32_t& x, int32_t& y, int32_t& ShadowX, int32_t& ShadowY) {
    if (!SetOffsets) {
        x = offsetX_;
        y = offsetY_;
        ShadowX = settings_.ShadowX;
        ShadowY = settings_.ShadowY;
        return;
    }
    // The hit area moves with the drawn pixels: by the change of the offset.
    const int32_t dx = x - offsetX_, dy = y - offsetY_;
    offsetX_ = x;
    offsetY_ = y;
    if (ShadowX != 0) settings_.ShadowX = ShadowX;
    if (ShadowY != 0) settings_.ShadowY = ShadowY;
    if (hitRegion_) {
        OffsetRgn(hitRegion_.get(), dx, dy);
        GetRgnBox(hitRegion_.get(), &hitRect_);
    } else {
        OffsetRect(&hitRect_, dx, dy);
        if (x == 1 && y == 1) {
            const RECT r = Label1.PixelRect();
            Label1.Move(ScaleX(r.left + 1, rt::vbPixelsUnit, rt::vbTwipsUnit),
                        ScaleY(r.top + 1, rt::vbPixelsUnit, rt::vbTwipsUnit));
        } else {
            CentreLabel();
        }
    }
    Repaint();
}

// ---- mouse and keys

float aicAlphaImage::ToContainerX(float pixels) const {
    float v = 0;
    rt::Try([&] {
        v = static_cast<float>(ScaleX(pixels, rt::vbPixelsUnit, static_cast<int16_t>(containerScaleMode_)));
    });
    return v;
}

float aicAlphaImage::ToContainerY(float pixels) const {
    float v = 0;
    rt::Try([&] {
        v = static_cast<float>(ScaleY(pixels, rt::vbPixelsUnit, static_cast<int16_t>(containerScaleMode_)));
    });
    return v;
}

void aicAlphaImage::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    buttonState_ = static_cast<int16_t>(buttonState_ | Button);
    float x = ToContainerX(X), y = ToContainerY(Y);
    rt::Try([&] { RaiseEvent(MouseDown, Button, Shift, x, y); });  // a failing handler is passed over
}

void aicAlphaImage::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    float x = ToContainerX(X), y = ToContainerY(Y);
    rt::Try([&] { RaiseEvent(MouseMove, Button, Shift, x, y); });  // a failing handler is passed over
}

void aicAlphaImage::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    buttonState_ = static_cast<int16_t>(buttonState_ & 15);
    if ((buttonState_ & Button) == Button) buttonState_ = static_cast<int16_t>(buttonState_ | (Button * 16));
    float x = ToContainerX(X), y = ToContainerY(Y);
    rt::Try([&] { RaiseEvent(MouseUp, Button, Shift, x, y); });  // a failing handler is passed over
}

void aicAlphaImage::UserControl_Click() {
    int16_t button = static_cast<int16_t>(buttonState_ / 16);
    RaiseEvent(Click, button);
}

void aicAlphaImage::UserControl_DblClick() {
    int16_t button = static_cast<int16_t>(buttonState_ / 16);
    RaiseEvent(DblClick, button);
}

void aicAlphaImage::UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) {
    RaiseEvent(KeyDown, KeyCode, Shift);
}

void aicAlphaImage::UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) {
    RaiseEvent(KeyUp, KeyCode, Shift);
}

void aicAlphaImage::UserControl_KeyPress(int16_t& KeyAscii) {
    RaiseEvent(KeyPress, KeyAscii);
}

// Dragged data: the position in the container's unit, the rest as it came.
void aicAlphaImage::UserControl_OLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button,
                                            int16_t& Shift, float& X, float& Y, int16_t& State) {
    float x = ToContainerX(X), y = ToContainerY(Y);
    RaiseEvent(OLEDragOver, Data, Effect, Button, Shift, x, y, State);
}

void aicAlphaImage::UserControl_OLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button,
                                            int16_t& Shift, float& X, float& Y) {
    float x = ToContainerX(X), y = ToContainerY(Y);
    RaiseEvent(OLEDragDrop, Data, Effect, Button, Shift, x, y);
}

// ---- fading

void aicAlphaImage::StopFade() {
    if (fadeStep_ == 0) return;
    fade_.Stop();
    fadeStep_ = 0;
}

void aicAlphaImage::FadeInOut(int32_t FinalOpacity, int32_t FadeStepPercent, int32_t FadeDelayInterval) {
    StopFade();
    if (FinalOpacity < 0) FinalOpacity = 0;
    if (FinalOpacity > 100) FinalOpacity = 100;
    if (FadeStepPercent == 0 || FinalOpacity == settings_.Opacity) return;
    int32_t step = std::abs(FadeStepPercent);
    if (FinalOpacity < settings_.Opacity) step = -step;
    if (!timerWindow_) timerWindow_ = ContainerHwnd();
    fadeStep_ = step;
    fadeTarget_ = FinalOpacity;
    fadeInterval_ = FadeDelayInterval > kMinFadeMs - 1 ? FadeDelayInterval : kMinFadeMs;
    FadeStep(timerWindow_);
}

void aicAlphaImage::FadeStep(HWND hwnd) {
    fade_.Stop();
    if (fadeStep_ == 0) return;  // stopped meanwhile
    const int32_t next = settings_.Opacity + fadeStep_;
    if ((fadeStep_ < 0 && next <= fadeTarget_) || (fadeStep_ > 0 && next >= fadeTarget_)) fadeStep_ = 0;
    if (fadeStep_ != 0) {
        Opacity(next);
        // The change's handlers may have stopped the fade.
        if (fadeStep_ != 0 && !fade_.Start(hwnd, static_cast<UINT>(fadeInterval_))) fadeStep_ = 0;
        return;
    }
    Opacity(fadeTarget_);
    int32_t current = settings_.Opacity;
    RaiseEvent(FadeTerminated, current);
}
