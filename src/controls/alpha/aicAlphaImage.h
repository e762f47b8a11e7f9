// The alpha picture: a windowless control with a transparent background that shows one 32-bit
// picture with per-pixel alpha over whatever lies beneath it, with a whole-picture opacity, a grey
// scale, a brightness offset, rotation, mirroring, a colour key, colour inversion, a drop shadow,
// five ways of scaling and a caption (the constituent label Label1, centred on the control).
//
// The picture lives in SourceImage with the mirror, the key and the inversion already applied to
// its pixels. Painting is cheap through three caches rebuilt whenever the picture, its size, angle,
// mirror or key change: the AutoRedraw buffer (the picture drawn once at its place, size and angle),
// the drop shadow, and the hit region. Opacity, grey scale, brightness and the offsets act at paint.
//
// Pointer tracking: the pictures of one container share a coordinator (cCrossComm). The hit test
// finds the pointer in the picture's hit area (HitTest 0 the control, 1 the box of the visible
// pixels, 2 and 3 the visible pixels themselves), takes the capture from whichever picture held it
// and raises MouseEnter; a 100 ms poll then raises MouseExit once the pointer leaves the hit area
// or the window, or another picture takes the capture.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/alpha/cCrossComm.h"
#include "imaging/c32bppDIB.h"
#include "runtime/callback_timer.h"
#include "runtime/controls.h"
#include "runtime/font.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

// The picture's stored settings in their stored order, all written whatever their values (see
// runtime/property_list.h); the picture itself is stored ahead of them, by hand. No stored icon
// (MIcon) leaves the control's; Props never keeps the buffer's bit; Mask, the key in use, is kept
// only while a key is; ScaleCx and ScaleCy, the drawn size, only while the picture is scaled to a
// size.
// clang-format off
#define VANTREL_ALPHA_PROPERTIES(X)                                                                     \
    X(Field, int32_t, Scaler, 0, rt::kAlwaysWritten)                                                     \
    X(Custom, int32_t, Opacity, 100, rt::kAlwaysWritten)                                                 \
    X(Custom, int32_t, Mirror, 0, rt::kAlwaysWritten)                                                    \
    X(Field, int32_t, Angle, 0, rt::kAlwaysWritten)                                                      \
    X(Via, bool, Enabled, [](auto& a) { return a.Control::Enabled(); },                                  \
      [](auto& a, bool v) { a.Control::Enabled(v); }, true, rt::kAlwaysWritten, rt::ForNew(rt::kKept))   \
    X(Via, int16_t, MPointer, [](auto& a) { return a.UserControl::MousePointer(); },                     \
      [](auto& a, int16_t v) { a.UserControl::MousePointer(v); }, int16_t{0}, rt::kAlwaysWritten,        \
      rt::ForNew(rt::kKept))                                                                             \
    X(Via, int16_t, OLEdrop, [](auto& a) { return a.UserControl::OLEDropMode(); },                       \
      [](auto& a, int16_t v) { a.UserControl::OLEDropMode(v); }, int16_t{0}, rt::kAlwaysWritten,         \
      rt::ForNew(rt::kKept))                                                                             \
    X(Via, rt::Picture, MIcon, [](auto& a) { return a.UserControl::MouseIcon(); },                       \
      [](auto& a, rt::Picture icon) { if (!icon.Empty()) a.UserControl::MouseIcon(std::move(icon)); },   \
      rt::Picture(), rt::kAlwaysWritten)                                                                 \
    X(Field, int32_t, GrayScale, -1, rt::kAlwaysWritten)                                                 \
    X(Custom, int32_t, HitTest, 0, rt::kAlwaysWritten)                                                   \
    X(Field, int32_t, Props, 1, rt::kAlwaysWritten, rt::StoredAs(WithoutBuffer, WithoutBuffer),          \
      rt::ForNew(kStretchQuality | kAutoSize))                                                           \
    X(Field, bool, MaskUsed, false, rt::kAlwaysWritten)                                                  \
    X(Custom, uint32_t, MaskColor, 0x8000000Fu, rt::kAlwaysWritten)                                      \
    X(Field, int32_t, MaskSource, 0, rt::kAlwaysWritten)                                                 \
    X(Field, uint32_t, Mask, 0x8000000Fu, rt::kAlwaysWritten,                                            \
      rt::OnlyWhen([](auto& a) { return a.settings_.MaskUsed; }), rt::ForNew(0u))                        \
    X(Custom, uint32_t, ShadowColor, 0x404040u, rt::kAlwaysWritten)                                     \
    X(Custom, int32_t, ShadowDepth, 2, rt::kAlwaysWritten)                                               \
    X(Field, int32_t, ShadowX, 2, rt::kAlwaysWritten)                                                    \
    X(Field, int32_t, ShadowY, 2, rt::kAlwaysWritten)                                                    \
    X(Custom, int32_t, ShadowOpacity, 50, rt::kAlwaysWritten)                                            \
    X(Field, float, Intensity, 0.0f, rt::kAlwaysWritten)                                                 \
    X(Via, int32_t, ScaleCx, [](auto& a) { return a.drawWidth_; },                                       \
      [](auto& a, int32_t v) { a.drawWidth_ = v; }, 0, rt::kAlwaysWritten, rt::OnlyWhen(ScaledToSize))   \
    X(Via, int32_t, ScaleCy, [](auto& a) { return a.drawHeight_; },                                      \
      [](auto& a, int32_t v) { a.drawHeight_ = v; }, 0, rt::kAlwaysWritten, rt::OnlyWhen(ScaledToSize))
// clang-format on

// The caption's settings, read once the picture is laid out, each passed over when it fails; all
// written whatever their values. A new control keeps the caption it starts with; no stored font
// name leaves the font's.
// clang-format off
#define VANTREL_ALPHA_CAPTION_PROPERTIES(X)                                                             \
    X(Relay, std::string, Caption, [](auto& a) { return a.Caption(); },                                 \
      [](auto& a, std::string s) { a.Label1.Caption(std::move(s)); }, "Text", rt::kAlwaysWritten,        \
      rt::kPassedOver)                                                                                   \
    X(Relay, uint32_t, ForeColor, [](auto& a) { return a.ForeColor(); },                                 \
      [](auto& a, uint32_t c) { a.Label1.ForeColor(c); }, 0x80000012u, rt::kAlwaysWritten,             \
      rt::kPassedOver)                                                                                   \
    X(Via, std::string, FontName, [](auto& a) { return a.FontName(); },                                  \
      [](auto& a, std::string name) { if (!name.empty()) a.Font().Name(name); }, std::string(),          \
      rt::kAlwaysWritten, rt::kPassedOver)                                                               \
    X(Relay, float, FontSize, [](auto& a) { return a.FontSize(); },                                      \
      [](auto& a, float v) { a.Font().Size(v); }, 0.0f, rt::kAlwaysWritten, rt::kPassedOver)             \
    X(Relay, bool, FontBold, [](auto& a) { return a.FontBold(); },                                       \
      [](auto& a, bool v) { a.Font().Bold(v); }, false, rt::kAlwaysWritten, rt::kPassedOver)             \
    X(Relay, rt::Font, Font, [](auto& a) -> rt::Font& { return a.Font(); },                              \
      [](auto& a, rt::Font f) { a.Label1.SetFont(std::move(f)); },                                       \
      [](auto& a) { return a.Ambient().Font.Clone(); }, rt::kAlwaysWritten, rt::kPassedOver)             \
    X(Relay, bool, FontItalic, [](auto& a) { return a.FontItalic(); },                                   \
      [](auto& a, bool v) { a.Font().Italic(v); }, false, rt::kAlwaysWritten, rt::kPassedOver)           \
    X(Relay, bool, FontStrikethru, [](auto& a) { return a.FontStrikethru(); },                           \
      [](auto& a, bool v) { a.Font().Strikethrough(v); }, false, rt::kAlwaysWritten, rt::kPassedOver)
// clang-format on

class aicAlphaImage : public rt::UserControl, public ICrossComm {
public:
    aicAlphaImage(rt::Container& c, std::string name, int index = -1,
                  std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    aicAlphaImage(const aicAlphaImage& templ, int index);
    ~aicAlphaImage() override;

    // ---- methods
    // Destroys the picture (in design mode the control shows the checkerboard instead).
    void ClearImage();
    // Centres the caption, reads the container's scale mode again and repaints.
    void Refresh();
    // Loads a picture file's bytes (PNG, GIF, icon, cursor, bitmap, or anything GDI+ reads). The
    // icon arguments choose among an icon file's entries: below 1 the control's inner size, and 32 bits.
    bool LoadImage_FromArray(const std::vector<uint8_t>& inStream, int32_t desiredIconWidth = 0,
                             int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    bool LoadImage_FromFile(const std::string& Filename, int32_t desiredIconWidth = 0,
                            int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    bool LoadImage_FromStdPicture(IPicture* stdPic);
    bool LoadImage_FromStdPicture(const rt::Picture& stdPic) {
        return LoadImage_FromStdPicture(stdPic.get());
    }
    bool LoadImage_FromClipboard();
    bool LoadImage_FromHandle(HANDLE Handle);
    bool LoadImage_FromResource(HMODULE ResourceSource, const imaging::ResourceSection& ResSection,
                                const imaging::ResourceName& ResID, int32_t desiredIconWidth = 0,
                                int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    bool LoadImage_FromOrignalBytes(int32_t desiredIconWidth = 0, int32_t desiredIconHeight = 0,
                                    int32_t desiredIconBitDepth = 0);
    // The picture as bytes: a file (asFileFormat) or its pixels, 32 bits each, rows aligned.
    bool GetImageBytes(std::vector<uint8_t>& imgBytes, int32_t& scanWidth, bool asArray2D = false,
                       bool asBGRformat = true, bool asBottomUp = true, bool asPreMultiplied = true,
                       bool asFileFormat = false);
    // Replaces the pixels (same size, 32 bits each); the key, mirror and inversion are not re-applied.
    bool SetImageBytes(const std::vector<uint8_t>& imgBytes, bool isBGRformat = true, bool isBottomUp = true);
    // The size at which the picture would be drawn (unchanged without a picture). A ScaleMethod
    // below 0 takes the control's own.
    void GetImageScales(int32_t& Width, int32_t& Height, int32_t ScaleMethod = -1, int32_t desiredWidth = 0,
                        int32_t desiredHeight = 0, bool asRotatedImage = false) const;
    int32_t ImageType() const;
    // Fades Opacity to FinalOpacity by FadeStepPercent every FadeDelayInterval ms (at least 10);
    // the first step happens at once.
    void FadeInOut(int32_t FinalOpacity, int32_t FadeStepPercent, int32_t FadeDelayInterval);

    // ---- properties (VANTREL_ALPHA_PROPERTIES and VANTREL_ALPHA_CAPTION_PROPERTIES): the getters of
    // the picture's settings and the caption's setters
    VANTREL_PROPERTY_ACCESSORS(VANTREL_ALPHA_PROPERTIES)
    VANTREL_PROPERTY_ACCESSORS(VANTREL_ALPHA_CAPTION_PROPERTIES)
    bool AutoRedraw() const noexcept { return (settings_.Props & kAutoRedraw) != 0; }
    void AutoRedraw(bool v);
    using rt::UserControl::HitTest;
    void HitTest(int32_t v);
    void MaskColor(uint32_t c);
    // The key's source: 0 none, 1 MaskColor, 2 to 5 the top-left, top-right, bottom-left and
    // bottom-right pixel.
    int32_t MaskUsed() const noexcept { return settings_.MaskSource; }
    void MaskUsed(int32_t v);
    bool InversedImage() const noexcept { return (settings_.Props & kInversed) != 0; }
    void InversedImage(bool v);
    bool AutoSize() const noexcept { return (settings_.Props & kAutoSize) != 0; }
    void AutoSize(bool v);
    int32_t ScaleMethod() const noexcept { return settings_.Scaler; }
    void ScaleMethod(int32_t v);
    bool StretchQuality() const noexcept { return (settings_.Props & kStretchQuality) != 0; }
    void StretchQuality(bool v);
    void Opacity(int32_t v);
    void Mirror(int32_t v);
    bool KeepOriginalFormat() const noexcept { return (settings_.Props & kKeepOriginal) != 0; }
    void KeepOriginalFormat(bool v);
    int32_t grayScale() const noexcept { return settings_.GrayScale + 1; }
    void grayScale(int32_t v);
    bool RotateEnabled() const noexcept { return (settings_.Props & kRotate) != 0; }
    void RotateEnabled(bool v);
    int32_t Rotation() const noexcept { return settings_.Angle; }
    void Rotation(int32_t v);
    using rt::Control::Enabled;
    void Enabled(bool v) override;
    bool ShadowEnabled() const noexcept { return (settings_.Props & kShadow) != 0; }
    void ShadowEnabled(bool v);
    void ShadowColor(uint32_t c);
    int32_t ShadowOffsetX() const noexcept { return settings_.ShadowX; }
    void ShadowOffsetX(int32_t v);
    int32_t ShadowOffsetY() const noexcept { return settings_.ShadowY; }
    void ShadowOffsetY(int32_t v);
    void ShadowDepth(int32_t v);
    void ShadowOpacity(int32_t v);
    int32_t MousePointer() const noexcept { return rt::UserControl::MousePointer(); }
    void MousePointer(int32_t v);
    const rt::Picture& MouseIcon() const noexcept { return rt::UserControl::MouseIcon(); }
    void MouseIcon(rt::Picture p);
    int32_t OLEDropMode() const noexcept { return UserControl::OLEDropMode(); }
    void OLEDropMode(int32_t v);
    // Shadow offsets without a change notice; repaints while the shadow is on.
    void OffsetShadow(int32_t x, int32_t y);
    // SetOffsets: shifts the drawn picture and its hit area (shadow offsets of 0 stay as they are);
    // otherwise reads the offsets back into the arguments.
    void OffsetImage(bool SetOffsets, int32_t& x, int32_t& y, int32_t& ShadowX, int32_t& ShadowY);
    void OffsetImage(bool SetOffsets, int32_t& x, int32_t& y);
    // The control is enabled and holds the pointer.
    bool isMouseOver() const;
    bool GDIplusInitialized() const;
    bool GDIplusEnabled() const;
    float IntensityOffset() const noexcept { return settings_.Intensity; }
    void IntensityOffset(float v);
    // ICrossComm
    std::shared_ptr<cCrossComm> CrossTalkClass() const override { return crossComm_; }
    void ReleaseMouseCapture() override;
    // The caption label's text and font.
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    uint32_t ForeColor() const noexcept { return Label1.ForeColor(); }
    std::string FontName() { return Label1.GetFont().Name(); }
    void FontName(const std::string& v);
    float FontSize() { return Label1.GetFont().Size(); }
    bool FontBold() { return Label1.GetFont().Bold(); }
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    bool FontItalic() { return Label1.GetFont().Italic(); }
    bool FontStrikethru() { return Label1.GetFont().Strikethrough(); }

    // ---- for a design-time property page
    bool GetOriginalImageBytes(std::vector<uint8_t>& bytes) const;
    void LoadImageActualSize(const std::vector<uint8_t>& bytes, int32_t desiredIconWidth = 0,
                             int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    imaging::c32bppDIB& GetImageObject() noexcept { return *SourceImage; }

    // ---- where the picture is drawn (pixels of the control)
    int32_t ImageX() const noexcept { return imageX_; }
    int32_t ImageY() const noexcept { return imageY_; }
    int32_t DrawWidth() const noexcept { return drawWidth_; }
    int32_t DrawHeight() const noexcept { return drawHeight_; }
    // The hit area now: the region's box with a region, else the hit rectangle.
    RECT HitArea() const;
    bool HasHitRegion() const noexcept { return static_cast<bool>(hitRegion_); }
    bool HasRedrawBuffer() const noexcept { return static_cast<bool>(RedrawBuffer); }
    bool HasShadowImage() const noexcept { return static_cast<bool>(ShadowImage); }
    int32_t PropsFlags() const noexcept { return settings_.Props; }

    // ---- events (arguments by reference, read back after the handler)
    rt::Event<int16_t&> Click;
    rt::Event<int16_t&> DblClick;
    rt::Event<> MouseExit;
    rt::Event<> MouseEnter;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseUp;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseMove;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseDown;
    rt::Event<int16_t&, int16_t&> KeyDown;
    rt::Event<int16_t&> KeyPress;
    rt::Event<int16_t&, int16_t&> KeyUp;
    rt::Event<IDataObject*&, int32_t&, int16_t&, int16_t&, float&, float&> OLEDragDrop;
    rt::Event<IDataObject*&, int32_t&, int16_t&, int16_t&, float&, float&, int16_t&> OLEDragOver;
    rt::Event<int32_t&> FadeTerminated;

    // PropsFlags bits.
    static constexpr int32_t kStretchQuality = 1, kAutoSize = 4, kAutoRedraw = 8, kKeepOriginal = 16,
                             kBufferFlag = 32, kInversed = 64, kShadow = 128, kRotate = 256;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Paint() override;
    void UserControl_HitTest(float X, float Y, int& HitResult) override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void UserControl_OLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                 float& X, float& Y, int16_t& State) override;
    void UserControl_OLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                 float& X, float& Y) override;
    void PropertyRefresh() override { Repaint(); }

private:
    static const rt::PropertyTable<aicAlphaImage>& Properties();
    static const rt::PropertyTable<aicAlphaImage>& CaptionProperties();
    static int32_t WithoutBuffer(int32_t props) noexcept { return props & ~kBufferFlag; }
    static bool ScaledToSize(aicAlphaImage& a) noexcept { return a.settings_.Scaler == 4; }
    void wire();
    void Repaint();
    // Loading and the steps after it.
    bool Loaded(bool ok);
    void ApplyMaskColor();
    void ApplyMirrorDelta(int32_t target);
    void FillTransparentPixels();
    static void FillKeyedPixels(imaging::c32bppDIB& image, uint32_t fill);
    static void KeepBitmapFile(imaging::c32bppDIB& image);
    void AfterPixelChange();
    int32_t IconCx(int32_t v) const;
    int32_t IconCy(int32_t v) const;
    // Layout and caches.
    void Layout();
    void RelayoutImage();
    bool RenderAutoRedrawBuffer(bool force, bool rebuildRegion);
    void BuildShadowImage();
    void BuildHitRegion();
    void CentreLabel();
    bool InsideHitArea(int32_t x, int32_t y) const;
    bool DesignMode() const;
    // Pointer tracking and fading.
    void JoinCrossComm();
    void GiveToken();
    void StartPoll();
    void StopPoll();
    void StopFade();
    void ReleaseTimers();
    // One tick of the leave poll; one step of the fade, on the fade's window.
    void MouseExitTick();
    void FadeStep(HWND hwnd);
    float ToContainerX(float pixels) const;
    float ToContainerY(float pixels) const;
    void ReadContainerScaleMode();

    rt::Label Label1{*this, "Label1"};

    std::unique_ptr<imaging::c32bppDIB> SourceImage;
    std::unique_ptr<imaging::c32bppDIB> RedrawBuffer;
    std::unique_ptr<imaging::c32bppDIB> ShadowImage;
    std::shared_ptr<cCrossComm> crossComm_;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_ALPHA_PROPERTIES)
    } settings_;
    rt::Region hitRegion_;
    RECT hitRect_{};
    int32_t containerScaleMode_ = 9;
    int32_t imageX_ = 0, imageY_ = 0;
    int32_t drawWidth_ = 0, drawHeight_ = 0;
    int32_t rotatedSide_ = 0;
    int32_t offsetX_ = 0, offsetY_ = 0;
    bool drawnUnscaled_ = false;
    bool shadowFromBuffer_ = false;  // ShadowImage is the shadow of the whole AutoRedraw buffer
    // Pointer tracking and fading.
    HWND timerWindow_ = nullptr;
    bool exitPollRunning_ = false;
    bool fadeBound_ = false;
    int32_t fadeStep_ = 0, fadeTarget_ = 0, fadeInterval_ = 10;
    int16_t buttonState_ = 0;
    int32_t containerOffsetX_ = 0, containerOffsetY_ = 0;
    // Both on the container's window (timerWindow_).
    rt::CallbackTimer exitPoll_{[this] { MouseExitTick(); }};
    rt::CallbackTimer fade_{[this] { FadeStep(fade_.Window()); }};
};
