// The animated picture: plays an animated GIF on a picture box. Each frame of the file is decoded
// once by the platform's picture loader and kept as a picture with its delay, disposal and
// position; a frame step composes the frame over what the display shows, leaving its transparent
// pixels alone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "runtime/usercontrol.h"

namespace controls {

class AniGif : public rt::UserControl {
public:
    AniGif(rt::Container& c, std::string name, int index = -1,
           std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    AniGif(const AniGif& templ, int index);
    ~AniGif() override;

    // Draws the current frame onto the display, its transparent pixels letting the display show.
    void CopyTransImage();
    // Loads a GIF file and starts it (a single frame, or DoNotStart, shows frame 1 and stays).
    void LoadFile(const std::string& Filename, bool DoNotStart);
    void StopAnimate(bool StopAtFirstFrame, bool StopAtOnce);
    void RestartAnimate();
    void NextFrame();
    // The colour behind transparent pixels and of the "restore to background" disposal.
    void BackColor(uint32_t c);
    bool TimerStatus() const noexcept { return Timer1.Enabled(); }
    void FinishCycleFast();
    // The number of frames loaded.
    int16_t Picture() const noexcept { return static_cast<int16_t>(frames_.size()); }

    // The display; its mouse-up is the control's MouseUp (event 1).
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::Timer Timer1{*this, "Timer1"};

    // The frame on display, 1 to Picture(); 0 after a load or a reset.
    int32_t CurrentFrame() const noexcept { return current_; }

protected:
    void UserControl_Initialize() override;
    void UserControl_Resize() override;

private:
    struct Frame {
        rt::Picture picture;  // empty when the loader could not decode the frame
        int32_t delay = 10;   // milliseconds
        int16_t disposal = 0;
        int32_t left = 0, top = 0;
        int width() const { return picture.Empty() ? 0 : picture.PixelWidth(); }
        int height() const { return picture.Empty() ? 0 : picture.PixelHeight(); }
    };
    // A bitmap of the logical screen's size, selected into a memory context for the whole load.
    struct WorkPicture {
        rt::Bitmap bitmap;
        rt::MemoryDC dc;
        bool Make(HDC screen, int width, int height, bool mono);
    };

    void wire();
    void FrameStep();
    // Decodes the file's frames; false when there is nothing to show.
    bool SplitGifFrames(const std::string& file);
    void ClearDisplayRect(const Frame& f);
    const Frame* ShownFrame() const;

    std::vector<Frame> frames_;
    int32_t current_ = 0;
    bool stopAtFirst_ = false;
    bool finishFast_ = false;
    std::string fileName_;
    int32_t screenWidth_ = 0, screenHeight_ = 0;
    // The mask, the black rendering, the sprite, one frame rendered over a colour, its one-bit
    // copy, and what a "restore to previous" frame covered.
    WorkPicture mask_, black_, sprite_, rendering_, oneBit_, covered_;
    bool coveredValid_ = false;
};

}  // namespace controls
