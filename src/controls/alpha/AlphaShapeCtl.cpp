#include "controls/alpha/AlphaShapeCtl.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "runtime/ansi_text.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/win.h"

namespace controls {

namespace {

namespace gdip = imaging::gdip;

int Nearest(double v) {
    return rt::RoundEven(v);
}
int Half(double v) {
    return Nearest(v) / 2;
}

rt::Font InitialFont() {
    return rt::Font("Times New Roman", 48, true);
}

// The stored form leaves out only the initial font; any other survives a save and reload whole.
bool IsInitialFont(const rt::Font& f) {
    const rt::Font initial = InitialFont();
    return rt::EqualsNoCase(f.Name(), initial.Name()) && f.Size() == initial.Size() &&
           f.Bold() == initial.Bold() && f.Weight() == initial.Weight() && !f.Italic() && !f.Underline() &&
           !f.Strikethrough() && f.Charset() == initial.Charset();
}

// A GDI+ matrix for one fitting; none without GDI+ or when GDI+ refuses it.
imaging::GdipMatrix FittingMatrix(const imaging::GdiplusShapeApi* api, float m11, float m12, float m21,
                                  float m22, float dx, float dy) {
    imaging::GdipMatrix m(api);
    if (api && api->GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, m.put()) != gdip::Ok) m.release();
    return m;
}

}  // namespace

AlphaShapeCtl::AlphaShapeCtl(rt::Container& c, std::string name, int index,
                             std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
    Create();
}

AlphaShapeCtl::AlphaShapeCtl(const AlphaShapeCtl& t, int index)
    : UserControl(t, index),
      ShapeChanged(t.ShapeChanged),
      PrePaint(t.PrePaint),
      PostPaint(t.PostPaint),
      HitAreaEnter(t.HitAreaEnter),
      HitAreaLeave(t.HitAreaLeave) {
    Create();
}

AlphaShapeCtl::~AlphaShapeCtl() {
    fontWatch_ = rt::Font::Subscription();
    DeleteCustomPath();
    if (m_Shape) m_Shape->Changed = nullptr;
}

void AlphaShapeCtl::UserControl_Initialize() {
    ScaleMode(rt::vbPixels);
    UserControl::BackStyle(0);  // only the figure is drawn
    UserControl::BackColor(kDefaultBackColor);
    UserControl::ForeColor(kDefaultLineColor);
    Surface().GetFont() = InitialFont();
    m_Shape = std::make_unique<GDIpShape>();
    m_Shape->Changed = [this] { PathChanged(); };
    penBrush_ = std::make_unique<GDIpPenBrush>();
}

const imaging::GdiplusShapeApi* AlphaShapeCtl::Shapes() const {
    const auto& token = SharedGdipToken();
    return token ? token->Shapes() : nullptr;
}

const imaging::GdiplusApi* AlphaShapeCtl::Images() const {
    const auto& token = SharedGdipToken();
    return token ? token->Images() : nullptr;
}

// ---- persistence

void AlphaShapeCtl::UserControl_InitProperties() {
    Properties().InitAll(*this);
    WatchFont();
    BuildShapePath(false);
    BuildBorderPen(false);
}

VANTREL_PROPERTY_TABLE(AlphaShapeCtl, VANTREL_SHAPE_PROPERTIES)

bool AlphaShapeCtl::NotInitialFont(AlphaShapeCtl& s) {
    return !IsInitialFont(s.Surface().GetFont());
}

// Text as stored: two bytes a code unit, low byte first; an odd last byte is the low byte of a
// last character.
rt::PropertyBag::Bytes AlphaShapeCtl::TextBytes(const std::wstring& text) {
    rt::PropertyBag::Bytes bytes(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>((text[i] >> 8) & 0xFF);
    }
    return bytes;
}
std::wstring AlphaShapeCtl::BytesText(const rt::PropertyBag::Bytes& bytes) {
    if (bytes.empty()) return {};
    std::wstring text((bytes.size() - 1) / 2 + 1, L'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i / 2] = static_cast<wchar_t>(text[i / 2] | (bytes[i] << (8 * (i % 2))));
    return text;
}

void AlphaShapeCtl::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    WatchFont();
    if (settings_.TransColors & kDisabledBit) {
        settings_.TransColors &= ~kDisabledBit;
        Control::Enabled(false);
    }
    BuildShapePath(false);
    if (FillStyle() < 55) BuildFillBrush(false);  // the others were built with the figure
    BuildBorderPen(false);
}

void AlphaShapeCtl::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- properties

void AlphaShapeCtl::AlignCenter(bool v) {
    if (v == AlignCenter()) return;
    SetBits(1, 31, v ? 0 : 1);
    Rebuild(sfFigurePending);
    PropertyChanged("AlignCenter");
}

void AlphaShapeCtl::AutoSize(bool v) {
    if (v == AutoSize()) return;
    SetBits(1, 15, v ? 1 : 0);
    if (v && m_Shape->Handle()) Rebuild(sfFigurePending);
    PropertyChanged("AutoSize");
}

void AlphaShapeCtl::BackColor(uint32_t v) {
    if (v == BackColor()) return;
    UserControl::BackColor(v);
    if (FillStyle() < 60) Rebuild(sfBrushPending);
    PropertyChanged("BackColor");
}

void AlphaShapeCtl::BackStyle(int32_t v) {
    if (v != 1) v = 0;
    if (v == BackStyle()) return;
    SetBits(1, 3, static_cast<uint32_t>(v));
    if (FillStyle() < 60) Rebuild(sfBrushPending);
    PropertyChanged("BackStyle");
}

void AlphaShapeCtl::BackTransparency(int32_t v) {
    if (v == BackTransparency()) return;
    if (static_cast<uint32_t>(v) > 100) return;
    settings_.TransColors = (settings_.TransColors & ~0xFFu) | static_cast<uint32_t>(v);
    // The transparency lives in the brush (or its texture's attributes): make it afresh.
    if (SetRedraw()) {
        penBrush_->DestroyBrush();
        BuildFillBrush(true);
    } else {
        stateFlags_ |= sfBrushPending;
    }
    PropertyChanged("BackTransparency");
}

void AlphaShapeCtl::BorderColor(uint32_t v) {
    if (v == BorderColor()) return;
    UserControl::ForeColor(v);
    Rebuild(sfPenPending);
    PropertyChanged("BorderColor");
}

void AlphaShapeCtl::BorderStyle(int32_t v) {
    if (v == BorderStyle()) return;
    if (static_cast<uint32_t>(v) > 5) return;
    SetBits(7, 4, static_cast<uint32_t>(v));
    Rebuild(sfPenPending);
    PropertyChanged("BorderStyle");
}

void AlphaShapeCtl::BorderTransparency(int32_t v) {
    if (v == BorderTransparency()) return;
    if (static_cast<uint32_t>(v) > 100) return;
    settings_.TransColors = (settings_.TransColors & ~0xFF00u) | (static_cast<uint32_t>(v) << 8);
    Rebuild(sfPenPending);
    PropertyChanged("BorderTransparency");
}

void AlphaShapeCtl::BorderWidth(int32_t v) {
    if (v == BorderWidth()) return;
    if (static_cast<uint32_t>(v) > 15) return;
    SetBits(0xF, 16, static_cast<uint32_t>(v));
    if (SetRedraw()) {
        BuildBorderPen(false);
        BuildShapePath(true);
    } else {
        stateFlags_ |= sfFigurePending | sfPenPending;
    }
    PropertyChanged("BorderWidth");
}

void AlphaShapeCtl::Enabled(bool v) {
    Control::Enabled(v);
    PropertyChanged("Enabled");
}

void AlphaShapeCtl::FillColor(uint32_t v) {
    if (v == settings_.FillColor) return;
    settings_.FillColor = v;
    if (FillStyle() < 60) Rebuild(sfBrushPending);
    PropertyChanged("FillColor");
}

void AlphaShapeCtl::FillStyle(int32_t v) {
    if (v == FillStyle()) return;
    if (static_cast<uint32_t>(v) > 60) return;
    SetBits(0x3F, 8, static_cast<uint32_t>(v));
    Rebuild(sfBrushPending);
    PropertyChanged("FillStyle");
}

void AlphaShapeCtl::Font(rt::Font f) {
    Surface().GetFont() = std::move(f);
    WatchFont();
    if (Shape() == 4) {
        settings_.Settings &= ~7u;
        Shape(4);
    } else {
        PropertyChanged("Font");
    }
}

void AlphaShapeCtl::WatchFont() {
    fontWatch_ = Surface().GetFont().OnChange([this] { FontChanged(); });
}

void AlphaShapeCtl::FontChanged() {
    if (Shape() != 4) return;
    settings_.Settings &= ~7u;
    Shape(4);
}

void AlphaShapeCtl::HitTest(int32_t v) {
    if (v == HitTest()) return;
    if (static_cast<uint32_t>(v) > 1) return;
    SetBits(1, 7, static_cast<uint32_t>(v));
    if (v == 1) m_Shape->BoundsSnug(hitBounds_[0], hitBounds_[1], hitBounds_[2], hitBounds_[3]);
    PropertyChanged("HitTest");
}

void AlphaShapeCtl::MouseIcon(rt::Picture p) {
    UserControl::MouseIcon(std::move(p));
    PropertyChanged("MouseIcon");
}

void AlphaShapeCtl::MousePointer(int32_t v) {
    if (v == MousePointer()) return;
    UserControl::MousePointer(rt::NumberToInt16(v));
    PropertyChanged("MousePointer");
}

void AlphaShapeCtl::PolygonAngle(float v) {
    if (v == settings_.PolygonAngle) return;
    settings_.PolygonAngle = v;
    if (Shape() == 3) Rebuild(sfFigurePending);
    PropertyChanged("PolygonAngle");
}

void AlphaShapeCtl::PolygonSides(int32_t v) {
    if (v == PolygonSides()) return;
    if (static_cast<uint32_t>(v) > 360) return;
    SetBits(0x1FF, 20, static_cast<uint32_t>(v));
    if (Shape() == 3) Rebuild(sfFigurePending);
    PropertyChanged("PolygonSides");
}

void AlphaShapeCtl::Refresh() {
    if (stateFlags_ & sfFigurePending) BuildShapePath(false);
    if (stateFlags_ & sfBrushPending) {
        penBrush_->DestroyBrush();
        BuildFillBrush(false);
    }
    if (stateFlags_ & sfPenPending) BuildBorderPen(false);
    stateFlags_ &= ~(sfFigurePending | sfBrushPending | sfPenPending | sfSuspended);
    RepaintSurface();
}

void AlphaShapeCtl::SetRedraw(bool v) {
    if (v)
        Refresh();
    else
        stateFlags_ |= sfSuspended;
}

int32_t AlphaShapeCtl::Shape() const noexcept {
    const int32_t s = static_cast<int32_t>(settings_.Settings & 7);
    return s == 5 ? -1 : s;
}

void AlphaShapeCtl::Shape(int32_t v) {
    if (v == static_cast<int32_t>(settings_.Settings & 7)) return;
    if (static_cast<uint32_t>(v) > 4) return;
    DeleteCustomPath();
    SetBits(7, 0, static_cast<uint32_t>(v));
    Rebuild(sfFigurePending);
    PropertyChanged("Shape");
}

void AlphaShapeCtl::ShapeObject(const GDIpShape* obj) {
    if (!obj || !obj->Handle()) return;
    SetBits(7, 0, 5);
    DeleteCustomPath();
    const imaging::GdiplusShapeApi* api = Shapes();
    if (!api || api->GdipClonePath(obj->Handle(), customPath_.put(api)) != gdip::Ok) {
        customPath_.release();
        return;
    }
    if (SetRedraw()) {
        BuildShapePath(false);
        if (FillStyle() < 55)
            RepaintSurface();
        else
            BuildFillBrush(true);
    } else {
        stateFlags_ |= sfFigurePending | sfBrushPending;
    }
}

void AlphaShapeCtl::DeleteCustomPath() {
    customPath_.reset();
}

std::wstring AlphaShapeCtl::ShapeText() const {
    if (!(stateFlags_ & sfRunMode) && (stateFlags_ & sfUnicodeText)) return L"{Unicode}";
    return settings_.Text;
}

void AlphaShapeCtl::ShapeText(const std::wstring& v) {
    if (v == settings_.Text) return;
    settings_.Text = v;
    if (!settings_.Text.empty() && !(stateFlags_ & sfRunMode)) {
        if (IsUnicodeText(settings_.Text))
            stateFlags_ |= sfUnicodeText;
        else
            stateFlags_ &= ~sfUnicodeText;
    }
    if (Shape() == 4) Rebuild(sfFigurePending);
}

void AlphaShapeCtl::ShapeText(const std::string& ansi) {
    ShapeText(rt::Widen(ansi));
}

void AlphaShapeCtl::SizeFixed(bool v) {
    if (v == SizeFixed()) return;
    SetBits(1, 30, v ? 1 : 0);
    if (v) {
        settings_.fCx = static_cast<float>(ScaleWidth() + 2.0 * BorderWidth());
        settings_.fCy = static_cast<float>(ScaleHeight() + 2.0 * BorderWidth());
    } else {
        Rebuild(sfFigurePending);
    }
    PropertyChanged("SizeFixed");
}

void AlphaShapeCtl::Stretch(bool v) {
    if (v == Stretch()) return;
    SetBits(1, 29, v ? 1 : 0);
    Rebuild(sfFigurePending);
    PropertyChanged("Stretch");
}

void AlphaShapeCtl::Texture(rt::Picture p) {
    settings_.Texture = std::move(p);
    if (FillStyle() == 60) {
        if (SetRedraw()) {
            penBrush_->DestroyBrush();
            BuildFillBrush(true);
        } else {
            stateFlags_ |= sfFigurePending | sfBrushPending;
        }
    }
    PropertyChanged("Texture");
}

void AlphaShapeCtl::TextureMode(int32_t v) {
    if (v == TextureMode()) return;
    if (static_cast<uint32_t>(v) > 5) return;
    settings_.TransColors = (settings_.TransColors & ~0xF0000u) | (static_cast<uint32_t>(v) << 16);
    if (FillStyle() == 60) Rebuild(sfBrushPending);
    PropertyChanged("TextureMode");
}

void AlphaShapeCtl::WantMouseEvents(bool v) {
    if (v == WantMouseEvents()) return;
    SetBits(1, 14, v ? 1 : 0);
    PropertyChanged("WantMouseEvents");
}

// ---- building

uint32_t AlphaShapeCtl::ShapeColorToArgb(uint32_t colour, int32_t transparency) const {
    const int32_t alpha = 255 - (transparency * 255 / 100);
    return GDIpPenBrush::ConvertColorToGDIplusColor(static_cast<int32_t>(colour), alpha);
}

void AlphaShapeCtl::BuildShapePath(bool repaint) {
    if (stateFlags_ & sfResizing) return;
    stateFlags_ |= sfBuilding;
    if (!customPath_) m_Shape->Reset(1);

    // The figure box.
    const float BW = static_cast<float>(BorderWidth());
    const float scaleW = static_cast<float>(ScaleWidth()), scaleH = static_cast<float>(ScaleHeight());
    const float W0 = SizeFixed() ? settings_.fCx : scaleW;
    const float H0 = SizeFixed() ? settings_.fCy : scaleH;
    const bool centred = AlignCenter() && !AutoSize();
    float OX = 0, OY = 0;
    if (SizeFixed() && centred) {
        OX = static_cast<float>(Half(scaleW - settings_.fCx));
        OY = static_cast<float>(Half(scaleH - settings_.fCy));
    }
    const float S = W0 > H0 ? H0 - 2 * BW : W0 - 2 * BW;
    const float Px = OX + BW, Py = OY + BW;
    const float stretchW = W0 - 2 * BW, stretchH = H0 - 2 * BW;

    const imaging::GdiplusShapeApi* api = Shapes();
    auto bounds = [&]() {
        gdip::RectF b{0, 0, 0, 0};
        if (api && m_Shape->Handle()) api->GdipGetPathWorldBounds(m_Shape->Handle(), &b, nullptr, nullptr);
        return b;
    };
    auto fit = [&](float m11, float m22, float dx, float dy) {
        if (!api || !m_Shape->Handle()) return;
        const imaging::GdipMatrix m = FittingMatrix(api, m11, 0, 0, m22, dx, dy);
        if (m.get()) api->GdipTransformPath(m_Shape->Handle(), m.get());
    };

    // Where the square figures go: stretched over the box, centred in the control, or at P.
    float x = Px, y = Py, w = S, h = S;
    if (Stretch()) {
        w = stretchW;
        h = stretchH;
    } else if (centred) {
        x = static_cast<float>(Half(scaleW - S));
        y = static_cast<float>(Half(scaleH - S));
    }

    const int32_t shape = Shape();
    if (shape == 0 || (shape == 4 && settings_.Text.empty())) {
        m_Shape->AppendRectangleToPath(x, y, w, h);
    } else if (shape == 1) {
        m_Shape->AppendEllipseToPath(Nearest(x), Nearest(y), Nearest(w), Nearest(h));
    } else if (shape == 2) {
        m_Shape->AppendRoundRectangleToPath(x, y, w, h, S / 4, S / 4);
    } else if (shape == 3) {
        const int32_t sides = PolygonSides() < 3 ? 4 : PolygonSides();
        m_Shape->AppendPrimitivePolygonToPath(0, 0, sides, Nearest(S), Nearest(S), settings_.PolygonAngle);
        const gdip::RectF B = bounds();
        if (Stretch()) {
            // A figure with no extent cannot be scaled to the box: it stays as appended.
            if (B.Width != 0 && B.Height != 0) {
                const float sx = stretchW / B.Width, sy = stretchH / B.Height;
                fit(sx, sy, Px - B.X * sx, Py - B.Y * sy);
            }
        } else if (centred) {
            fit(1, 1, static_cast<float>(Half(scaleW - B.Width)) - B.X,
                static_cast<float>(Half(scaleH - B.Height)) - B.Y);
        } else {
            fit(1, 1, Px - B.X, Py - B.Y);
        }
    } else if (shape == 4) {
        const rt::Font& font = Surface().GetFont();
        const int32_t style = (font.Bold() ? 1 : 0) | (font.Italic() ? 2 : 0) | (font.Underline() ? 4 : 0) |
                              (font.Strikethrough() ? 8 : 0);
        m_Shape->AppendStringToPath(0, 0, settings_.Text, rt::Widen(font.Name()), font.Size(), style);
        const gdip::RectF B = bounds();
        // A text with no extent in one direction (spaces only, a lone line) is left unfitted.
        if (B.Width != 0 && B.Height != 0) {
            if (Stretch()) {
                const float sx = stretchW / B.Width, sy = stretchH / B.Height;
                fit(sx, sy, Px - B.X * sx, Py - B.Y * sy);
            } else {
                const float k = std::min(W0 / B.Width, H0 / B.Height);
                if (centred)
                    fit(k, k, static_cast<float>(Half(scaleW - B.Width * k)) - B.X * k,
                        static_cast<float>(Half(scaleH - B.Height * k)) - B.Y * k);
                else
                    fit(k, k, Px - B.X * k, Py - B.Y * k);
            }
        }
    } else if (shape == -1 && customPath_) {
        m_Shape->Reset(1);
        m_Shape->AppendPathToPath(customPath_.get(), false);
        const gdip::RectF B = bounds();
        // A straight line has no extent to scale: it stays as handed in.
        if (B.Width != 0 && B.Height != 0) {
            const float sx = stretchW / B.Width, sy = stretchH / B.Height;
            if (Stretch()) {
                fit(sx, sy, Px - B.X * sx, Py - B.Y * sy);
            } else {
                const float k = std::min(sx, sy);
                if (centred)
                    fit(k, k, static_cast<float>(Half(scaleW - B.Width * k)) - B.X * k,
                        static_cast<float>(Half(scaleH - B.Height * k)) - B.Y * k);
                else
                    fit(k, k, Px - B.X * k, Py - B.Y * k);
            }
        }
    }

    if (HitTest() == 1) m_Shape->BoundsSnug(hitBounds_[0], hitBounds_[1], hitBounds_[2], hitBounds_[3]);

    if (AutoSize()) {
        stateFlags_ |= sfResizing;
        double cx, cy;
        if (SizeFixed() || shape == 3 || shape == 4 || shape == -1) {
            const gdip::RectF B = bounds();
            cx = B.Width + 2 * BW;
            cy = B.Height + 2 * BW;
        } else {
            cx = cy = S + 2 * BW;
        }
        rt::Try([&] { Size(cx * rt::TwipsPerPixelX(), cy * rt::TwipsPerPixelY()); });
        stateFlags_ &= ~sfResizing;
    }

    if (FillStyle() >= 55) BuildFillBrush(false);
    RaiseEvent(ShapeChanged);
    stateFlags_ &= ~sfBuilding;
    if (repaint) RepaintSurface();
}

void AlphaShapeCtl::BuildFillBrush(bool repaint) {
    GpPath* path = m_Shape->Handle();
    if (!path) return;
    const int32_t T = BackTransparency();
    const uint32_t back = ShapeColorToArgb(BackColor(), T);
    const uint32_t fill = ShapeColorToArgb(settings_.FillColor, T);
    const imaging::GdiplusShapeApi* api = Shapes();
    gdip::RectF B{0, 0, 0, 0};
    if (api) api->GdipGetPathWorldBounds(path, &B, nullptr, nullptr);

    auto solid = [&](uint32_t colour) {
        if (penBrush_->BrushType() == GDIpPenBrush::BrushSolid)
            penBrush_->SetBrushColors(colour, 0xFF000000);
        else
            penBrush_->CreateSolidBrush(colour);
    };

    const int32_t style = FillStyle();
    if (style == 0) {
        if (BackStyle() == 1)
            solid(back);
        else
            penBrush_->DestroyBrush();
    } else if (style == 1) {
        solid(fill);
    } else if (style <= 54) {
        penBrush_->CreateHatchBrush(style - 2, fill, back);
    } else if (style <= 58) {
        penBrush_->CreateGradientBrushRect(B.X, B.Y, B.Width, B.Height, fill, back, style - 55, 0);
    } else if (style == 59) {
        const float cx = B.X + B.Width / 2, cy = B.Y + B.Height / 2;
        if (Shape() == 4)
            penBrush_->CreateGradientRadialRect(B.X, B.Y, B.Width, B.Height, cx, cy, fill, back, 0);
        else
            penBrush_->CreateGradientRadialPath(path, cx, cy, fill, back, 0);
    } else {
        BuildTextureBrush();
    }
    if (repaint) RepaintSurface();
}

void AlphaShapeCtl::BuildTextureBrush() {
    if (settings_.Texture.Empty()) {
        penBrush_->DestroyBrush();
        return;
    }
    const int32_t mode = TextureMode();
    const int32_t wrap = mode == 5 ? 4 : mode;
    const int32_t T = BackTransparency();
    const imaging::GdiplusShapeApi* api = Shapes();
    const imaging::GdiplusApi* images = Images();

    if (T == 0 && penBrush_->BrushType() == GDIpPenBrush::BrushTexture) {
        // Same picture, no transparency: the brush only needs its wrap and placement again.
        penBrush_->SetTextureBrushTransformation(nullptr);
        penBrush_->SetBrushWrapMode(wrap);
    } else {
        penBrush_->DestroyBrush();
        if (T > 0 && images) {
            imaging::GdipImageAttributes attributes(images);
            if (images->GdipCreateImageAttributes(attributes.put()) == gdip::Ok && attributes) {
                gdip::ColorMatrix m{};
                m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[4][4] = 1.0f;
                m.m[3][3] = static_cast<float>(100 - T) / 100.0f;
                images->GdipSetImageAttributesColorMatrix(attributes.get(), 0, TRUE, &m, nullptr, 0);
                penBrush_->CreateTextureBrushStdPicture(settings_.Texture, wrap, attributes.get());
            }
        }
        if (!penBrush_->BrushHandle()) penBrush_->CreateTextureBrushStdPicture(settings_.Texture, wrap);
    }

    if (penBrush_->BrushHandle() && api) {
        gdip::RectF B{0, 0, 0, 0};
        api->GdipGetPathWorldBounds(m_Shape->Handle(), &B, nullptr, nullptr);
        if (mode == 5) {
            // One copy of the picture stretched over the figure's bounds.
            if (imaging::GdipImage image(images, penBrush_->TextureBrushImage()); image) {
                gdip::RectF r{0, 0, 0, 0};
                int unit = 0;
                const bool sized = images && images->GdipGetImageBounds(image.get(), &r, &unit) == gdip::Ok;
                image.reset();
                if (sized && r.Width > 0 && r.Height > 0) {
                    const imaging::GdipMatrix m =
                        FittingMatrix(api, B.Width / r.Width, 0, 0, B.Height / r.Height, B.X, B.Y);
                    if (m.get()) penBrush_->SetTextureBrushTransformation(m.get());
                }
            }
        } else if (Nearest(B.X) != 0 || Nearest(B.Y) != 0) {
            // The tiling starts at the figure's top-left corner.
            const imaging::GdipMatrix m = FittingMatrix(api, 1, 0, 0, 1, B.X, B.Y);
            if (m.get()) penBrush_->SetTextureBrushTransformation(m.get());
        }
    }
    // A picture that cannot make a brush is dropped.
    if (!penBrush_->BrushHandle()) settings_.Texture = rt::Picture();
}

void AlphaShapeCtl::BuildBorderPen(bool repaint) {
    if (!m_Shape->Handle()) return;
    if (BorderWidth() < 1 || BorderStyle() < 1) {
        penBrush_->DestroyPen();
    } else {
        const uint32_t A = ShapeColorToArgb(BorderColor(), BorderTransparency());
        if (penBrush_->PenHandle()) {
            penBrush_->SetPenColor(A);
            penBrush_->SetPenStyle(BorderStyle() - 1);
            penBrush_->SetPenWidth(static_cast<float>(BorderWidth()));
        } else {
            penBrush_->CreatePen(BorderWidth(), BorderStyle() - 1, A);
        }
    }
    if (repaint) RepaintSurface();
}

void AlphaShapeCtl::Rebuild(uint32_t part) {
    if (!SetRedraw()) {
        stateFlags_ |= part;
    } else if (part == sfFigurePending) {
        BuildShapePath(true);
    } else if (part == sfBrushPending) {
        BuildFillBrush(true);
    } else {
        BuildBorderPen(true);
    }
}

void AlphaShapeCtl::RepaintSurface() {
    Control::Refresh();
}

// ---- painting, hit testing and the surface's events

void AlphaShapeCtl::UserControl_Paint() {
    if (stateFlags_ & sfResizing) return;
    HDC const dc = hDC();
    HDC hdc = dc;
    GpBrush* hFillBrush = penBrush_->BrushHandle();
    GpPen* hBorderPen = penBrush_->PenHandle();
    bool Cancel = false;
    RaiseEvent(PrePaint, hdc, hFillBrush, hBorderPen, Cancel);
    if (!Cancel) m_Shape->Render(dc, hBorderPen, hFillBrush);
    // What goes back is what the handler substituted, for it to free.
    if (hBorderPen == penBrush_->PenHandle()) hBorderPen = nullptr;
    if (hFillBrush == penBrush_->BrushHandle()) hFillBrush = nullptr;
    hdc = dc;
    RaiseEvent(PostPaint, hdc, hFillBrush, hBorderPen);
}

void AlphaShapeCtl::PaintShape(HDC hdc, int32_t x, int32_t y, int32_t Width, int32_t Height,
                               intptr_t BorderPen, intptr_t FillBrush) {
    if (!SetRedraw()) RepaintSurface();
    if (!m_Shape->Handle()) return;
    GpPen* pen = BorderPen == -1 ? penBrush_->PenHandle() : reinterpret_cast<GpPen*>(BorderPen);
    GpBrush* brush = FillBrush == -1 ? penBrush_->BrushHandle() : reinterpret_cast<GpBrush*>(FillBrush);
    m_Shape->Render(hdc, pen, brush, static_cast<float>(x), static_cast<float>(y), static_cast<float>(Width),
                    static_cast<float>(Height));
}

void AlphaShapeCtl::UserControl_HitTest(float X, float Y, int& HitResult) {
    // Outside a running program the whole control is hit, as in a designer.
    HitResult = (stateFlags_ & sfRunMode) ? HitTestShape(X, Y) : rt::vbHitResultHit;
}

int AlphaShapeCtl::HitTestShape(float x, float y) const {
    if (!Enabled()) return rt::vbHitResultOutside;
    if (HitTest() == 1) {
        const float* b = hitBounds_;
        const bool inside = b[0] <= x && x < b[0] + b[2] && b[1] <= y && y < b[1] + b[3];
        return inside ? rt::vbHitResultHit : rt::vbHitResultOutside;
    }
    return m_Shape->MouseOverPath(x, y) ? rt::vbHitResultHit : rt::vbHitResultOutside;
}

void AlphaShapeCtl::UserControl_Resize() {
    // Before the first build there is no path, and nothing to fit.
    if (m_Shape && m_Shape->Handle()) BuildShapePath(false);
}

void AlphaShapeCtl::UserControl_Show() {
    if (!(stateFlags_ & sfRunMode)) DetectUserMode();
    if (!settings_.Text.empty() && !(stateFlags_ & sfRunMode)) {
        if (IsUnicodeText(settings_.Text))
            stateFlags_ |= sfUnicodeText;
        else
            stateFlags_ &= ~sfUnicodeText;
    }
}

void AlphaShapeCtl::DetectUserMode() {
    if (Ambient().UserMode) stateFlags_ |= sfRunMode;
}

bool AlphaShapeCtl::IsUnicodeText(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<uint16_t>(c) > 255; });
}

void AlphaShapeCtl::PathChanged() {
    // The host appended to the path object itself: show it (the cached hit bounds stay).
    if (stateFlags_ & sfBuilding) return;
    RaiseEvent(ShapeChanged);
    Refresh();
}

void AlphaShapeCtl::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

void AlphaShapeCtl::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    RaiseEvent(MouseUp, Button, Shift, X, Y);
}

void AlphaShapeCtl::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    RaiseEvent(MouseMove, Button, Shift, X, Y);
}

void AlphaShapeCtl::UserControl_Click() {
    RaiseEvent(Click);
}

void AlphaShapeCtl::UserControl_DblClick() {
    RaiseEvent(DblClick);
}

}  // namespace controls
