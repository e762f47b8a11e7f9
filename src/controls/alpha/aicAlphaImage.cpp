#include "controls/alpha/aicAlphaImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include "runtime/error.h"

using imaging::c32bppDIB;

namespace {

constexpr int32_t kCheckerSize = 12;
constexpr int32_t kCheckerWhite = 0xFFFFFF;
constexpr int32_t kCheckerSilver = 0xC0C0C0;

// Nearest whole number, halves to the even neighbour.
int32_t nint(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

// An OLE colour as a plain red-green-blue value (a system colour when the top bit is set).
int32_t TranslateOleColor(uint32_t c) {
    if (c & 0x80000000u) return static_cast<int32_t>(GetSysColor(static_cast<int>(c & 255)));
    return static_cast<int32_t>(c);
}

void Mirrored(c32bppDIB& image, int32_t delta) {
    if (delta & 3) image.MirrorImage((delta & 1) != 0, (delta & 2) != 0);
}

// The colour that the keyed pixels had: the key, inverted while the picture is.
uint32_t KeyFill(uint32_t key, bool inversed) {
    uint32_t fill = static_cast<uint32_t>(TranslateOleColor(key));
    return inversed ? fill ^ 0xFFFFFF : fill;
}

}  // namespace

// Every fully transparent pixel becomes the colour, opaque. When no pixel is left partly
// transparent, the picture counts as opaque again (and so can be keyed again).
void aicAlphaImage::FillKeyedPixels(c32bppDIB& image, uint32_t fill) {
    uint8_t* p = image.Bits();
    const size_t n = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
    bool partial = false;
    for (size_t i = 0; i < n; ++i, p += 4) {
        if (p[3] == 0) {
            p[0] = static_cast<uint8_t>(fill >> 16);
            p[1] = static_cast<uint8_t>(fill >> 8);
            p[2] = static_cast<uint8_t>(fill);
            p[3] = 255;
        } else if (p[3] != 255) {
            partial = true;
        }
    }
    if (partial) return;
    image.SetAlpha(false);
    if (image.ImageType() == imaging::imgPremultipliedAlpha || image.ImageType() == imaging::imgStraightAlpha)
        image.SetImageType(imaging::imgBitmap);
}

// ---- life

aicAlphaImage::aicAlphaImage(rt::Container& c, std::string name, int index,
                             std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
    wire();
    Create();
}

aicAlphaImage::aicAlphaImage(const aicAlphaImage& t, int index)
    : UserControl(t, index),
      Click(t.Click),
      DblClick(t.DblClick),
      MouseExit(t.MouseExit),
      MouseEnter(t.MouseEnter),
      MouseUp(t.MouseUp),
      MouseMove(t.MouseMove),
      MouseDown(t.MouseDown),
      KeyDown(t.KeyDown),
      KeyPress(t.KeyPress),
      KeyUp(t.KeyUp),
      OLEDragDrop(t.OLEDragDrop),
      OLEDragOver(t.OLEDragOver),
      FadeTerminated(t.FadeTerminated) {
    wire();
    Create();
}

aicAlphaImage::~aicAlphaImage() {
    // Both timers stop before their entries go.
    ReleaseTimers();
    if (crossComm_) crossComm_->RemoveRef(Identity());
    crossComm_.reset();
    hitRegion_.reset();
}

void aicAlphaImage::wire() {
    Label1.Click = [this](int) {
        int16_t button = static_cast<int16_t>(buttonState_ / 16);
        RaiseEvent(Click, button);
    };
    auto labelXY = [this](float twipsX, float twipsY, float& X, float& Y) {
        X = ToContainerX(static_cast<float>(ScaleX(twipsX, rt::vbTwipsUnit, rt::vbPixelsUnit)));
        Y = ToContainerY(static_cast<float>(ScaleY(twipsY, rt::vbTwipsUnit, rt::vbPixelsUnit)));
    };
    Label1.MouseDown = [this, labelXY](int, int16_t button, int16_t shift, float x, float y) {
        buttonState_ = static_cast<int16_t>(buttonState_ | button);
        float X = 0, Y = 0;
        rt::Try([&] { labelXY(x, y, X, Y); });
        RaiseEvent(MouseDown, button, shift, X, Y);
    };
    Label1.MouseMove = [this, labelXY](int, int16_t button, int16_t shift, float x, float y) {
        float X = 0, Y = 0;
        rt::Try([&] { labelXY(x, y, X, Y); });
        RaiseEvent(MouseMove, button, shift, X, Y);
    };
    Label1.MouseUp = [this, labelXY](int, int16_t button, int16_t shift, float x, float y) {
        buttonState_ = static_cast<int16_t>(buttonState_ & 15);
        if ((buttonState_ & button) == button)
            buttonState_ = static_cast<int16_t>(buttonState_ | (button * 16));
        float X = 0, Y = 0;
        rt::Try([&] { labelXY(x, y, X, Y); });
        RaiseEvent(MouseUp, button, shift, X, Y);
    };
}

void aicAlphaImage::UserControl_Initialize() {
    ScaleMode(rt::vbPixelsUnit);
    BackStyle(0);
    // Only the hit area takes the pointer; the rest of the rectangle lets it through.
    ProposedHitResult(rt::vbHitResultOutside);
    SourceImage = std::make_unique<c32bppDIB>();
    Label1.BackStyle(rt::vbTransparent);
    Label1.AutoSize(true);
    Label1.SetFont(rt::Font("Tahoma", 8.25f));
    Label1.Caption("Text");
}

bool aicAlphaImage::DesignMode() const {
    return !Ambient().UserMode;
}

void aicAlphaImage::ReadContainerScaleMode() {
    containerScaleMode_ = 9;
    rt::Try([&] { containerScaleMode_ = Ambient().ScaleMode; });
}

void aicAlphaImage::UserControl_InitProperties() {
    JoinCrossComm();
    Properties().InitAll(*this);
    SourceImage->HighQualityInterpolation(true);
    ReadContainerScaleMode();
}

VANTREL_PROPERTY_TABLE(aicAlphaImage, VANTREL_ALPHA_PROPERTIES)

const rt::PropertyTable<aicAlphaImage>& aicAlphaImage::CaptionProperties() {
    using Self = aicAlphaImage;
    static const rt::PropertyTable<Self> table{VANTREL_ALPHA_CAPTION_PROPERTIES(VANTREL_PL_ROW)};
    return table;
}

void aicAlphaImage::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    JoinCrossComm();
    const std::vector<uint8_t> image = PropBag.ReadProperty("Image", rt::PropertyBag::Bytes{});
    Properties().ReadAll(*this, PropBag);

    // From here on a failing step is passed over.
    ReadContainerScaleMode();
    SourceImage->HighQualityInterpolation(StretchQuality());
    bool loaded = false;
    rt::Try([&] {
        loaded = SourceImage->LoadPicture_Stream(image, IconCx(0), IconCy(0), 0, 0,
                                                 DesignMode() || KeepOriginalFormat(), 32);
    });
    if (!loaded) {
        if (settings_.Scaler == 4) settings_.Scaler = 0;
        settings_.Props &= kStretchQuality | kKeepOriginal;
        settings_.Angle = 0;
        settings_.Opacity = 100;
        settings_.Mirror = 0;
        drawWidth_ = drawHeight_ = 0;
    } else {
        rt::Try([&] {
            ApplyMirrorDelta(0);
            if (settings_.MaskUsed) SourceImage->MakeTransparent(TranslateOleColor(settings_.Mask), false);
            if (InversedImage()) SourceImage->MakeImageInverse();
        });
        if (AutoRedraw() && !DesignMode()) {
            rt::Try([&] {
                settings_.Props |= kBufferFlag;
                if (!RenderAutoRedrawBuffer(true, true)) BuildHitRegion();
            });
        }
        if (ShadowEnabled()) rt::Try([&] { BuildShadowImage(); });
    }
    rt::Try([&] { Layout(); });
    CaptionProperties().ReadAll(*this, PropBag);
    CentreLabel();
}

void aicAlphaImage::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    std::vector<uint8_t> bytes;
    const int32_t type = SourceImage->ImageType();
    if (SourceImage->HasPicture() && (type == imaging::imgBitmap || type == imaging::imgStraightAlpha ||
                                      type == imaging::imgPremultipliedAlpha)) {
        if (SourceImage->isGDIplusEnabled() || SourceImage->isZlibEnabled()) {
            // The picture as loaded, from a copy: the shown one keeps its mirror, key and inversion.
            c32bppDIB copy;
            copy.gdiToken(SourceImage->gdiToken());
            if (copy.InitializeDIB(SourceImage->Width(), SourceImage->Height())) {
                std::memcpy(copy.Bits(), SourceImage->BitsPointer(),
                            static_cast<size_t>(SourceImage->scanWidth()) * SourceImage->Height());
                copy.SetAlpha(SourceImage->Alpha());
                copy.SetImageType(type);
                Mirrored(copy, settings_.Mirror);
                if (settings_.MaskUsed) FillKeyedPixels(copy, KeyFill(settings_.Mask, InversedImage()));
                if (InversedImage()) copy.MakeImageInverse();
                copy.SaveToStream_PNG(bytes);
            }
        }
    } else if (type != imaging::imgCheckerBoard) {
        SourceImage->GetOrginalFormat(bytes);
    }
    PropBag.WriteProperty("Image", rt::PropertyBag::Value(std::move(bytes)));
    Properties().WriteAll(*this, PropBag);
    CaptionProperties().WriteAll(*this, PropBag);
}

// ---- loading

int32_t aicAlphaImage::IconCx(int32_t v) const {
    return v < 1 ? nint(ScaleWidth()) : v;
}
int32_t aicAlphaImage::IconCy(int32_t v) const {
    return v < 1 ? nint(ScaleHeight()) : v;
}

static int32_t Depth(int32_t v) {
    return v < 1 ? 32 : v;
}

bool aicAlphaImage::Loaded(bool ok) {
    if (ok) ApplyMaskColor();
    return ok;
}

bool aicAlphaImage::LoadImage_FromArray(const std::vector<uint8_t>& inStream, int32_t w, int32_t h,
                                        int32_t d) {
    return Loaded(SourceImage->LoadPicture_Stream(inStream, IconCx(w), IconCy(h), 0, 0, KeepOriginalFormat(),
                                                  Depth(d)));
}

bool aicAlphaImage::LoadImage_FromFile(const std::string& Filename, int32_t w, int32_t h, int32_t d) {
    return Loaded(
        SourceImage->LoadPicture_File(Filename, IconCx(w), IconCy(h), KeepOriginalFormat(), Depth(d)));
}

// Pictures without a file of their own keep a bitmap file made from the loaded picture.
void aicAlphaImage::KeepBitmapFile(c32bppDIB& image) {
    std::vector<uint8_t> bytes;
    if (image.SaveToStream(bytes)) image.SetOriginalBytes(bytes);
}

bool aicAlphaImage::LoadImage_FromStdPicture(IPicture* stdPic) {
    if (!stdPic) return false;
    bool ok = SourceImage->LoadPicture_StdPicture(stdPic);
    if (ok && KeepOriginalFormat()) KeepBitmapFile(*SourceImage);
    return Loaded(ok);
}

bool aicAlphaImage::LoadImage_FromClipboard() {
    bool ok = SourceImage->LoadPicture_ClipBoard();
    if (ok && KeepOriginalFormat()) KeepBitmapFile(*SourceImage);
    return Loaded(ok);
}

bool aicAlphaImage::LoadImage_FromHandle(HANDLE Handle) {
    bool ok = SourceImage->LoadPicture_ByHandle(Handle);
    if (ok && KeepOriginalFormat()) KeepBitmapFile(*SourceImage);
    return Loaded(ok);
}

bool aicAlphaImage::LoadImage_FromResource(HMODULE ResourceSource, const imaging::ResourceSection& ResSection,
                                           const imaging::ResourceName& ResID, int32_t w, int32_t h,
                                           int32_t d) {
    return Loaded(SourceImage->LoadPicture_Resource(ResID, ResSection, ResourceSource, IconCx(w), IconCy(h),
                                                    0, 0, Depth(d)));
}

bool aicAlphaImage::LoadImage_FromOrignalBytes(int32_t w, int32_t h, int32_t d) {
    return Loaded(SourceImage->LoadPicture_FromOrignalFormat(IconCx(w), IconCy(h), Depth(d)));
}

void aicAlphaImage::ApplyMirrorDelta(int32_t target) {
    Mirrored(*SourceImage, target ^ settings_.Mirror);
}

void aicAlphaImage::ApplyMaskColor() {
    ApplyMirrorDelta(0);
    if (settings_.MaskUsed) {
        if (SourceImage->Alpha()) {
            // A picture with alpha of its own is never colour-keyed.
            settings_.MaskUsed = false;
            settings_.MaskSource = 0;
            PropertyChanged("MaskUsed");
        } else {
            const int32_t w = SourceImage->Width(), h = SourceImage->Height();
            switch (settings_.MaskSource) {
                case 2:
                    settings_.Mask = static_cast<uint32_t>(SourceImage->GetPixel(0, 0));
                    break;
                case 3:
                    settings_.Mask = static_cast<uint32_t>(SourceImage->GetPixel(w - 1, 0));
                    break;
                case 4:
                    settings_.Mask = static_cast<uint32_t>(SourceImage->GetPixel(0, h - 1));
                    break;
                case 5:
                    settings_.Mask = static_cast<uint32_t>(SourceImage->GetPixel(w - 1, h - 1));
                    break;
                default:
                    break;
            }
            SourceImage->MakeTransparent(TranslateOleColor(settings_.Mask), false);
        }
    }
    if (InversedImage()) SourceImage->MakeImageInverse();
    RelayoutImage();
}

void aicAlphaImage::FillTransparentPixels() {
    if (SourceImage->HasPicture()) FillKeyedPixels(*SourceImage, KeyFill(settings_.Mask, InversedImage()));
}

void aicAlphaImage::AfterPixelChange() {
    // The buffer's redraw also rebuilds the shadow when it is on.
    if (!RenderAutoRedrawBuffer(false, true)) BuildHitRegion();
    Repaint();
}

// ---- methods

void aicAlphaImage::ClearImage() {
    if (settings_.Props & kBufferFlag) RedrawBuffer.reset();
    SourceImage->DestroyDIB();
    ShadowImage.reset();
    if (!DesignMode()) {
        Repaint();
    } else {
        if (SourceImage->InitializeDIB(drawWidth_, drawHeight_))
            SourceImage->CreateCheckerBoard(kCheckerSize, kCheckerWhite, kCheckerSilver);
        RelayoutImage();
    }
}

void aicAlphaImage::Refresh() {
    CentreLabel();
    ReadContainerScaleMode();
    Repaint();
}

void aicAlphaImage::Repaint() {
    if (!Visible() || !ContainerHwnd()) return;
    Control::Refresh();
}

bool aicAlphaImage::GetImageBytes(std::vector<uint8_t>& imgBytes, int32_t& scanWidth, bool asArray2D,
                                  bool asBGRformat, bool asBottomUp, bool asPreMultiplied,
                                  bool asFileFormat) {
    const int32_t type = SourceImage->ImageType();
    if (!SourceImage->HasPicture() || type == imaging::imgBlank || type == imaging::imgCheckerBoard)
        return false;
    if (asFileFormat) {
        std::vector<uint8_t> bytes;
        if (!SourceImage->GetOrginalFormat(bytes)) {
            if (SourceImage->isGDIplusEnabled() || SourceImage->isZlibEnabled())
                SourceImage->SaveToStream_PNG(bytes);
            else
                SourceImage->SaveToStream(bytes);
        }
        if (bytes.empty()) return false;
        imgBytes = std::move(bytes);
        return true;
    }
    imaging::PixelBytes out;
    bool ok = SourceImage->GetDIBbits(out, asArray2D, asBGRformat, true, true, asBottomUp, 0, 0, 0, 0,
                                      asPreMultiplied);
    scanWidth = SourceImage->scanWidth();
    if (ok) imgBytes = std::move(out.bytes);
    return ok;
}

bool aicAlphaImage::SetImageBytes(const std::vector<uint8_t>& imgBytes, bool isBGRformat, bool isBottomUp) {
    if (!SourceImage->HasPicture()) return false;
    if (!SourceImage->SetDIBbits(imgBytes, isBGRformat, true, true, isBottomUp, 0, 0, 0, 0)) return false;
    AfterPixelChange();
    return true;
}

void aicAlphaImage::GetImageScales(int32_t& Width, int32_t& Height, int32_t method, int32_t desiredWidth,
                                   int32_t desiredHeight, bool asRotatedImage) const {
    if (!SourceImage || !SourceImage->HasPicture()) return;
    if (method > 4) {
        method = 4;
    } else if (method < 0) {
        method = settings_.Scaler;
        if (method < 0 || method > 4) method = 0;
    }
    if (method == 4) {
        Width = drawWidth_;
        Height = drawHeight_;
        return;
    }
    if (desiredWidth < 1) desiredWidth = nint(ScaleWidth());
    if (desiredHeight < 1) desiredHeight = nint(ScaleHeight());
    const int32_t W = SourceImage->Width(), H = SourceImage->Height();
    if (method == 3) {
        Width = W;
        Height = H;
        return;
    }
    if (!asRotatedImage) {
        if (method == 1) {
            Width = desiredWidth;
            Height = desiredHeight;
            return;
        }
        const float rw = static_cast<float>(desiredWidth) / static_cast<float>(W);
        const float rh = static_cast<float>(desiredHeight) / static_cast<float>(H);
        float r = rh < rw ? rh : rw;
        if (method == 2 && r > 1) r = 1;
        Width = nint(static_cast<double>(r) * W);
        Height = nint(static_cast<double>(r) * H);
        return;
    }
    const int32_t d = nint(std::sqrt(static_cast<double>(H) * H + static_cast<double>(W) * W));
    const float rw = static_cast<float>(W) / static_cast<float>(d);
    const float rh = static_cast<float>(H) / static_cast<float>(d);
    if (method == 1) {
        Width = nint(static_cast<double>(desiredWidth) * rw);
        Height = nint(static_cast<double>(desiredHeight) * rh);
        return;
    }
    const int32_t m = desiredHeight < desiredWidth ? desiredHeight : desiredWidth;
    Width = nint(static_cast<double>(rw) * m);
    Height = nint(static_cast<double>(rh) * m);
    if (method == 2 && (W < Width || H < Height)) {
        Width = W;
        Height = H;
    }
}

int32_t aicAlphaImage::ImageType() const {
    const int32_t t = SourceImage->ImageType();
    if (!SourceImage->HasPicture() || t == imaging::imgBlank || t == imaging::imgCheckerBoard) return 0;
    if (KeepOriginalFormat()) return t;
    if (SourceImage->isGDIplusEnabled() || SourceImage->isZlibEnabled()) return imaging::imgPNG;
    return SourceImage->Alpha() ? imaging::imgPremultipliedAlpha : imaging::imgBitmap;
}

bool aicAlphaImage::GetOriginalImageBytes(std::vector<uint8_t>& bytes) const {
    if (SourceImage->ImageType() == imaging::imgCheckerBoard) return false;
    return SourceImage->GetOrginalFormat(bytes);
}

void aicAlphaImage::LoadImageActualSize(const std::vector<uint8_t>& bytes, int32_t w, int32_t h, int32_t d) {
    const int32_t method = settings_.Scaler;
    const int32_t flags = settings_.Props;
    settings_.Scaler = 3;
    settings_.Props |= kAutoSize;
    if (SourceImage->LoadPicture_Stream(bytes, IconCx(w), IconCy(h), 0, 0, true, Depth(d))) {
        // The control takes the picture's own size.
    }
    ApplyMaskColor();
    settings_.Scaler = method;
    settings_.Props = (settings_.Props & ~kAutoSize) | (flags & kAutoSize);
    PropertyChanged("ScaleMethod");
}

// ---- properties

void aicAlphaImage::AutoRedraw(bool v) {
    if (v == AutoRedraw()) return;
    settings_.Props ^= kAutoRedraw;
    if (!DesignMode()) {
        if (v) {
            settings_.Props |= kBufferFlag;
        } else {
            settings_.Props &= ~kBufferFlag;
            RedrawBuffer.reset();
        }
    }
    PropertyChanged("AutoRedraw");
}

void aicAlphaImage::HitTest(int32_t v) {
    if (v < 0 || v > 3 || v == settings_.HitTest) return;
    settings_.HitTest = v;
    BuildHitRegion();
    PropertyChanged("HitTest");
}

void aicAlphaImage::MaskColor(uint32_t c) {
    if (settings_.MaskUsed && settings_.MaskSource == 1) {
        FillTransparentPixels();
        uint32_t key = static_cast<uint32_t>(TranslateOleColor(c));
        if (InversedImage()) key ^= 0xFFFFFF;
        SourceImage->MakeTransparent(static_cast<int32_t>(key), false);
        settings_.Mask = c;
        AfterPixelChange();
    }
    settings_.MaskColor = c;
    PropertyChanged("MaskColor");
}

void aicAlphaImage::MaskUsed(int32_t v) {
    if (SourceImage->Alpha() && !settings_.MaskUsed) return;
    if (v < 0 || v > 5 || v == settings_.MaskSource || SourceImage->ImageType() == imaging::imgCheckerBoard)
        return;
    if (settings_.MaskUsed) FillTransparentPixels();
    if (v == 0) {
        settings_.MaskUsed = false;
    } else {
        int32_t key = 0;
        if (v == 1) {
            settings_.Mask = settings_.MaskColor;
            key = TranslateOleColor(settings_.MaskColor);
            if (InversedImage()) key ^= 0xFFFFFF;
        } else {
            const int32_t w = SourceImage->Width(), h = SourceImage->Height();
            const int32_t x = (v == 3 || v == 5) ? w - 1 : 0;
            const int32_t y = (v == 4 || v == 5) ? h - 1 : 0;
            key = SourceImage->GetPixel(x, y);
            settings_.Mask = static_cast<uint32_t>(InversedImage() ? key ^ 0xFFFFFF : key);
        }
        settings_.MaskUsed = true;
        SourceImage->MakeTransparent(key, false);
    }
    AfterPixelChange();
    settings_.MaskSource = v;
    PropertyChanged("MaskUsed");
}

void aicAlphaImage::InversedImage(bool v) {
    if (v == InversedImage()) return;
    settings_.Props ^= kInversed;
    SourceImage->MakeImageInverse();
    RenderAutoRedrawBuffer(false, false);
    Repaint();
    PropertyChanged("InversedImage");
}

void aicAlphaImage::AutoSize(bool v) {
    if (v == AutoSize()) return;
    settings_.Props ^= kAutoSize;
    RelayoutImage();
    PropertyChanged("AutoSize");
}

void aicAlphaImage::ScaleMethod(int32_t v) {
    if (v == settings_.Scaler) return;
    settings_.Scaler = v;
    RelayoutImage();
    PropertyChanged("Stretch");
}

void aicAlphaImage::StretchQuality(bool v) {
    if (v == StretchQuality()) return;
    settings_.Props ^= kStretchQuality;
    SourceImage->HighQualityInterpolation(v);
    Repaint();
    PropertyChanged("StretchQuality");
}

void aicAlphaImage::Opacity(int32_t v) {
    if (v != 0) {
        v = std::abs(v) % 100;
        if (v == 0) v = 100;
    }
    Set(settings_.Opacity, v, "Opacity");
}

void aicAlphaImage::Mirror(int32_t v) {
    if (v < 0 || v > 3) return;
    ApplyMirrorDelta(v);
    settings_.Mirror = v;
    AfterPixelChange();
    PropertyChanged("Mirror");
}

void aicAlphaImage::KeepOriginalFormat(bool v) {
    if (v == KeepOriginalFormat()) return;
    settings_.Props ^= kKeepOriginal;
    PropertyChanged("KeepOriginalFormat");
}

void aicAlphaImage::grayScale(int32_t v) {
    if (v < 0 || v > 8 || v - 1 == settings_.GrayScale) return;
    Set(settings_.GrayScale, v - 1, "GrayScale");
}

void aicAlphaImage::RotateEnabled(bool v) {
    if (v == RotateEnabled()) return;
    settings_.Props ^= kRotate;
    RelayoutImage();
    PropertyChanged("RotateEnabled");
}

void aicAlphaImage::Rotation(int32_t v) {
    v %= 360;
    if (v == settings_.Angle) return;
    settings_.Angle = v;
    if (!RotateEnabled()) return;
    AfterPixelChange();
    PropertyChanged("Rotation");
}

void aicAlphaImage::Enabled(bool v) {
    Control::Enabled(v);
    if (!SourceImage) return;  // not made yet
    if (!DesignMode() && crossComm_) {
        if (v) {
            crossComm_->AddRef(Identity());
        } else {
            StopPoll();
            crossComm_->RemoveRef(Identity());
        }
    }
    BuildHitRegion();
    PropertyChanged("Enabled");
}

void aicAlphaImage::ShadowEnabled(bool v) {
    if (v == ShadowEnabled()) return;
    settings_.Props ^= kShadow;
    BuildShadowImage();
    Repaint();
    PropertyChanged("ShadowEnabled");
}

void aicAlphaImage::ShadowColor(uint32_t c) {
    if (c == settings_.ShadowColor) return;
    settings_.ShadowColor = c;
    BuildShadowImage();
    Repaint();
    PropertyChanged("ShadowColor");
}

void aicAlphaImage::ShadowOffsetX(int32_t v) {
    if (v == settings_.ShadowX) return;
    settings_.ShadowX = v;
    if (ShadowEnabled()) Repaint();
    PropertyChanged("ShadowOffsetX");
}

void aicAlphaImage::ShadowOffsetY(int32_t v) {
    if (v == settings_.ShadowY) return;
    settings_.ShadowY = v;
    if (ShadowEnabled()) Repaint();
    PropertyChanged("ShadowOffsetY");
}

void aicAlphaImage::ShadowDepth(int32_t v) {
    if (v < 0 || v > 10 || v == settings_.ShadowDepth) return;
    settings_.ShadowDepth = v;
    BuildShadowImage();
    Repaint();
    PropertyChanged("ShadowDepth");
}

void aicAlphaImage::ShadowOpacity(int32_t v) {
    if (v < 0 || v > 100 || v == settings_.ShadowOpacity) return;
    settings_.ShadowOpacity = v;
    if (ShadowEnabled()) Repaint();
    PropertyChanged("ShadowOpacity");
}

void aicAlphaImage::MousePointer(int32_t v) {
    rt::Try([&] { UserControl::MousePointer(static_cast<int16_t>(v)); });
    PropertyChanged("MousePointer");
}

void aicAlphaImage::MouseIcon(rt::Picture p) {
    rt::Try([&] { UserControl::MouseIcon(std::move(p)); });
    PropertyChanged("MouseIcon");
}

void aicAlphaImage::OLEDropMode(int32_t v) {
    rt::Try([&] { UserControl::OLEDropMode(static_cast<int16_t>(v)); });
    PropertyChanged("OLEDropMode");
}

void aicAlphaImage::IntensityOffset(float v) {
    if (v < -100 || v > 100 || v == settings_.Intensity) return;
    Set(settings_.Intensity, v, "Intensity");
}

bool aicAlphaImage::GDIplusInitialized() const {
    return crossComm_ && crossComm_->gdiToken() != 0;
}

bool aicAlphaImage::GDIplusEnabled() const {
    return SourceImage->isGDIplusEnabled();
}

void aicAlphaImage::FontName(const std::string& v) {
    Label1.GetFont().Name(v);
    PropertyChanged("FontName");
}
