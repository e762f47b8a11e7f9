#include "controls/media/AniGif.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "controls/common/paint.h"
#include "controls/media/gif_frames.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

void Fill(HDC dc, int x, int y, int w, int h, COLORREF colour) {
    SolidFill(dc, RECT{x, y, x + w, y + h}, colour);
}

}  // namespace

bool AniGif::WorkPicture::Make(HDC screen, int width, int height, bool mono) {
    dc = rt::MemoryDC(screen);
    if (!dc) return false;
    // A bitmap compatible with a fresh memory context has one bit per pixel.
    bitmap = rt::Bitmap(CreateCompatibleBitmap(mono ? dc.get() : screen, width, height));
    if (!bitmap) return false;
    SelectObject(dc.get(), bitmap.get());
    return true;
}

AniGif::AniGif(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

AniGif::AniGif(const AniGif& t, int index) : UserControl(t, index) {
    wire();
    Create();
}

AniGif::~AniGif() = default;

void AniGif::wire() {
    ScaleMode(rt::vbPixels);
    Picture5.AutoRedraw(true);
    Picture5.BorderStyle(0);
    Timer1.Enabled(false);
    Timer1.Interval(10);
    Timer1.TimerEvent = [this](int) { FrameStep(); };
    Picture5.MouseUp = [this](int, int16_t button, int16_t shift, float x, float y) {
        RaiseEvent(MouseUp, button, shift, x, y);
    };
}

void AniGif::UserControl_Initialize() {
    Picture5.Surface().BackColor(0xFFFFFF);
}

void AniGif::UserControl_Resize() {
    rt::Try([&] { Picture5.Move(0, 0, Width(), Height()); });
}

void AniGif::BackColor(uint32_t c) {
    Picture5.Surface().BackColor(c);
}

bool AniGif::SplitGifFrames(const std::string& file) {
    frames_.clear();
    coveredValid_ = false;
    if (file.empty() || !rt::PathExists(file) || rt::IsDirectory(file)) return false;
    std::vector<uint8_t> bytes;
    if (!rt::Try([&] { bytes = rt::ReadAllBytes(file); })) return false;
    gif::Frames split = gif::SplitFrames(bytes);
    if (split.pieces.empty()) return false;

    // The work pictures come first: without them nothing could be drawn.
    screenWidth_ = split.screenWidth;
    screenHeight_ = split.screenHeight;
    rt::ScreenDC screen;
    const int w = screenWidth_, h = screenHeight_;
    if (w <= 0 || h <= 0 || !mask_.Make(screen.get(), w, h, false) ||
        !black_.Make(screen.get(), w, h, false) || !sprite_.Make(screen.get(), w, h, false) ||
        !rendering_.Make(screen.get(), w, h, false) || !oneBit_.Make(screen.get(), w, h, true) ||
        !covered_.Make(screen.get(), w, h, false))
        return false;
    for (WorkPicture* p : {&mask_, &black_, &sprite_}) {
        SetBkColor(p->dc.get(), kWhite);  // a one-bit copy's 1 becomes white, its 0 black
        SetTextColor(p->dc.get(), kBlack);
    }

    for (size_t i = 0; i < split.pieces.size(); ++i) {
        const gif::FramePiece& piece = split.pieces[i];
        Frame frame;
        rt::Try([&] { frame.picture = rt::LoadPictureFromMemory(piece.bytes.data(), piece.bytes.size()); });
        // A piece in the middle that gives no picture still takes its time; an undecodable image
        // before the first control block, or last piece, is no frame.
        if (frame.picture.Empty() && (piece.leading || i + 1 == split.pieces.size())) continue;
        frame.delay = piece.delay;
        frame.disposal = piece.disposal;
        frame.left = piece.left;
        frame.top = piece.top;
        frames_.push_back(std::move(frame));
    }
    return !frames_.empty();
}

void AniGif::LoadFile(const std::string& Filename, bool DoNotStart) {
    stopAtFirst_ = finishFast_ = false;
    Picture5.Cls();
    Timer1.Enabled(false);
    fileName_ = rt::Trim(Filename);
    current_ = 0;
    if (fileName_.empty()) {
        frames_.clear();
        return;
    }
    if (!SplitGifFrames(fileName_)) return;
    // The control takes the GIF's own size whatever it was given.
    Move(Left(), Top(), double(rt::TwipsPerPixelX()) * screenWidth_,
         double(rt::TwipsPerPixelY()) * screenHeight_);
    Picture5.Cls();
    if (frames_.size() < 2 || DoNotStart)
        FrameStep();
    else
        Timer1.Enabled(true);
}

const AniGif::Frame* AniGif::ShownFrame() const {
    if (current_ < 1 || current_ > static_cast<int32_t>(frames_.size())) return nullptr;
    return &frames_[static_cast<size_t>(current_ - 1)];
}

void AniGif::ClearDisplayRect(const Frame& f) {
    Fill(Picture5.hDC(), f.left, f.top, f.width(), f.height(),
         rt::ToColorRef(Picture5.Surface().BackColor()));
}

void AniGif::FrameStep() {
    const int32_t count = static_cast<int32_t>(frames_.size());
    if (count == 0) return;
    current_ = current_ + 1 > count ? 1 : current_ + 1;
    const Frame& previous = frames_[static_cast<size_t>((current_ == 1 ? count : current_ - 1) - 1)];
    const Frame& frame = frames_[static_cast<size_t>(current_ - 1)];
    HDC display = Picture5.hDC();
    if (previous.disposal == 2) {
        ClearDisplayRect(previous);
    } else if (previous.disposal == 3 && coveredValid_) {
        // Back to what the display showed before the previous frame was drawn.
        BitBlt(display, previous.left, previous.top, previous.width(), previous.height(), covered_.dc.get(),
               0, 0, SRCCOPY);
    }
    coveredValid_ = false;
    if (frame.disposal == 3 && covered_.dc) {
        BitBlt(covered_.dc.get(), 0, 0, frame.width(), frame.height(), display, frame.left, frame.top,
               SRCCOPY);
        coveredValid_ = true;
    }
    CopyTransImage();
    Picture5.Refresh();
    rt::Try([&] { Timer1.Interval(finishFast_ ? 1 : frame.delay); });
    if (stopAtFirst_ && current_ == 1) {
        Timer1.Enabled(false);
        stopAtFirst_ = finishFast_ = false;
    }
    if (count == 1) {  // a single picture is drawn once
        Timer1.Interval(1);
        Timer1.Enabled(false);
    }
}

void AniGif::CopyTransImage() {
    const Frame* f = ShownFrame();
    if (!f || f->picture.Empty() || !rendering_.dc) return;
    const int w = std::min(f->width(), screenWidth_), h = std::min(f->height(), screenHeight_);
    HDC frameDC = rendering_.dc.get();
    // The frame over one colour, through one bit per pixel: white where it shows that colour.
    auto overColour = [&](COLORREF colour, WorkPicture& into) {
        Fill(frameDC, 0, 0, w, h, colour);
        f->picture.Render(frameDC, 0, 0, f->width(), f->height());
        SetBkColor(frameDC, colour);
        BitBlt(oneBit_.dc.get(), 0, 0, w, h, frameDC, 0, 0, SRCCOPY);
        BitBlt(into.dc.get(), 0, 0, w, h, oneBit_.dc.get(), 0, 0, SRCCOPY);
    };
    overColour(kWhite, mask_);
    overColour(kBlack, black_);
    // White exactly where the frame is transparent.
    BitBlt(mask_.dc.get(), 0, 0, w, h, black_.dc.get(), 0, 0, SRCAND);
    // The frame (still over black) with its transparent pixels black.
    BitBlt(sprite_.dc.get(), 0, 0, w, h, mask_.dc.get(), 0, 0, SRCCOPY);
    BitBlt(sprite_.dc.get(), 0, 0, w, h, frameDC, 0, 0, SRCERASE);
    HDC display = Picture5.hDC();
    BitBlt(display, f->left, f->top, w, h, mask_.dc.get(), 0, 0, SRCAND);
    BitBlt(display, f->left, f->top, w, h, sprite_.dc.get(), 0, 0, SRCPAINT);
}

void AniGif::StopAnimate(bool StopAtFirstFrame, bool StopAtOnce) {
    stopAtFirst_ = finishFast_ = false;
    if (!Timer1.Enabled()) return;
    if (!StopAtFirstFrame) {
        Timer1.Enabled(false);
    } else if (!StopAtOnce) {
        stopAtFirst_ = true;
    } else {
        Timer1.Enabled(false);
        current_ = 0;
        Picture5.Cls();
        FrameStep();
    }
}

void AniGif::RestartAnimate() {
    if (frames_.empty()) return;
    stopAtFirst_ = finishFast_ = false;
    Timer1.Enabled(true);
}

void AniGif::NextFrame() {
    if (frames_.empty()) return;
    stopAtFirst_ = finishFast_ = false;
    FrameStep();
}

void AniGif::FinishCycleFast() {
    if (!Timer1.Enabled()) return;
    stopAtFirst_ = finishFast_ = true;
}

}  // namespace controls
