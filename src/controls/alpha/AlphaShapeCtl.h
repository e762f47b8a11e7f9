// The vector shape: a windowless control with a transparent surface that draws one anti-aliased
// GDI+ figure (rectangle, ellipse, rounded rectangle, regular polygon, the outline of a text, or a
// path handed in by the host) with an outline pen and a fill brush (solid, hatch, linear or radial
// gradient, tiled or stretched picture), each with its own transparency. Only the figure is drawn.
//
// The container asks the control at every pointer position whether it is hit: over the figure
// (HitTest 0) or over the figure's bounding rectangle (HitTest 1); a disabled shape is never hit.
//
// Twelve settings live packed in Settings and three in TransColors, as they are stored. While
// drawing is suspended (SetRedraw False) setters only mark the figure, the brush or the pen as
// pending; Refresh then rebuilds each once, in that order. Coordinates are pixels of the control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/alpha/GDIpPenBrush.h"
#include "controls/alpha/GDIpShape.h"
#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"

// The shape's stored settings in their stored order (see runtime/property_list.h). The outline's
// and the back's colours, the pointer and the font live on the surface. A host path does not
// survive saving: the control comes back as a rectangle. A disabled control stores the disabled
// bit in TransColors, and reading clears it once all is read. The text is stored as little-endian
// code units, and no text keeps the control's; fCx and fCy, the fixed size, are kept only while the
// size is fixed; the initial font is left out.
// clang-format off
#define VANTREL_SHAPE_PROPERTIES(X)                                                                      \
    X(FieldVia, uint32_t, Settings, [](auto& s) { return s.settings_.Settings; },                         \
      [](auto& s, uint32_t v) { s.settings_.Settings = WithoutHostPath(v); }, kDefaultSettings,           \
      kDefaultSettings)                                                                                  \
    X(Via, uint32_t, BdrColor, [](auto& s) { return s.UserControl::ForeColor(); },                       \
      [](auto& s, uint32_t c) { s.UserControl::ForeColor(c); }, kDefaultLineColor, kDefaultLineColor,     \
      rt::ForNew(rt::kKept))                                                                             \
    X(Custom, uint32_t, FillColor, kDefaultLineColor)                                                     \
    X(Via, uint32_t, BkColor, [](auto& s) { return s.UserControl::BackColor(); },                        \
      [](auto& s, uint32_t c) { s.UserControl::BackColor(c); }, kDefaultBackColor, kDefaultBackColor,     \
      rt::ForNew(rt::kKept))                                                                             \
    X(FieldVia, uint32_t, TransColors,                                                                   \
      [](auto& s) { return s.settings_.TransColors | (s.Enabled() ? 0u : kDisabledBit); },               \
      [](auto& s, uint32_t v) { s.settings_.TransColors = v; }, 0u, 0u)                                  \
    X(Keyed, float, PolygonAngle, "Angle", 0.0f)                                                          \
    X(Via, rt::Picture, MouseIco, [](auto& s) { return s.UserControl::MouseIcon(); },                    \
      [](auto& s, rt::Picture p) { s.UserControl::MouseIcon(std::move(p)); }, rt::Picture(),             \
      rt::Picture(), rt::ForNew(rt::kKept))                                                              \
    X(Via, int16_t, MousePtr, [](auto& s) { return s.UserControl::MousePointer(); },                     \
      [](auto& s, int16_t v) { s.UserControl::MousePointer(v); }, int16_t{0}, int16_t{0},                \
      rt::ForNew(rt::kKept))                                                                             \
    X(Keyed, rt::Picture, Texture, "Image", rt::Picture())                                               \
    X(FieldVia, std::wstring, Text, [](auto& s) { return s.settings_.Text; },                            \
      [](auto& s, std::wstring text) { if (!text.empty()) s.settings_.Text = std::move(text); },         \
      rt::PropertyBag::Bytes{}, rt::PropertyBag::Bytes{}, rt::StoredAs(TextBytes, BytesText))            \
    X(Field, float, fCx, 0.0f, rt::OnlyWhen(FixedSize))                                                  \
    X(Field, float, fCy, 0.0f, rt::OnlyWhen(FixedSize))                                                  \
    X(Via, rt::Font, Font, [](auto& s) -> rt::Font& { return s.Surface().GetFont(); },                   \
      [](auto& s, rt::Font f) { s.Surface().GetFont() = std::move(f); },                                 \
      [](auto& s) -> rt::Font& { return s.Surface().GetFont(); }, rt::kAlwaysWritten,                    \
      rt::WrittenOnlyWhen(NotInitialFont), rt::ForNew(rt::kKept))
// clang-format on

namespace controls {

class AlphaShapeCtl : public rt::UserControl {
public:
    using GpPen = imaging::gdip::GpPen;
    using GpBrush = imaging::gdip::GpBrush;
    using GpPath = imaging::gdip::GpPath;

    // Bits of StateFlags (run-time only).
    enum : uint32_t {
        sfBuilding = 0x1,
        sfFigurePending = 0x2,
        sfBrushPending = 0x4,
        sfPenPending = 0x8,
        sfSuspended = 0x10,
        sfRunMode = 0x20,
        sfUnicodeText = 0x80,
        sfResizing = 0x8000,
    };
    static constexpr uint32_t kDefaultSettings = 0x10010;

    AlphaShapeCtl(rt::Container& c, std::string name, int index = -1,
                  std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    AlphaShapeCtl(const AlphaShapeCtl& templ, int index);
    ~AlphaShapeCtl() override;

    // The getters of FillColor, PolygonAngle and Texture come from their lines; the setters rebuild.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SHAPE_PROPERTIES)

    bool AlignCenter() const noexcept { return (settings_.Settings & 0x80000000u) == 0; }
    void AlignCenter(bool v);
    bool AutoSize() const noexcept { return (settings_.Settings & 0x8000u) != 0; }
    void AutoSize(bool v);
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    int32_t BackStyle() const noexcept { return (settings_.Settings >> 3) & 1; }
    void BackStyle(int32_t v);
    int32_t BackTransparency() const noexcept { return settings_.TransColors & 0x7F; }
    void BackTransparency(int32_t v);
    uint32_t BorderColor() const { return UserControl::ForeColor(); }
    void BorderColor(uint32_t v);
    int32_t BorderStyle() const noexcept { return (settings_.Settings >> 4) & 7; }
    void BorderStyle(int32_t v);
    int32_t BorderTransparency() const noexcept { return (settings_.TransColors >> 8) & 0x7F; }
    void BorderTransparency(int32_t v);
    int32_t BorderWidth() const noexcept { return (settings_.Settings >> 16) & 0xF; }
    void BorderWidth(int32_t v);
    using Control::Enabled;
    void Enabled(bool v) override;
    void FillColor(uint32_t v);
    int32_t FillStyle() const noexcept { return (settings_.Settings >> 8) & 0x3F; }
    void FillStyle(int32_t v);
    // The font object itself: a change made through it (name, bold, italic) rebuilds a text figure.
    rt::Font& Font() noexcept { return Surface().GetFont(); }
    void Font(rt::Font f);
    using UserControl::HitTest;
    int32_t HitTest() const noexcept { return (settings_.Settings >> 7) & 1; }
    void HitTest(int32_t v);
    const rt::Picture& MouseIcon() const noexcept { return UserControl::MouseIcon(); }
    void MouseIcon(rt::Picture p);
    int16_t MousePointer() const noexcept { return UserControl::MousePointer(); }
    void MousePointer(int32_t v);
    // Draws the figure into any device context at (x, y), scaled to Width x Height when they are
    // not 0. BorderPen and FillBrush -1 mean the control's own, 0 leaves that part out; any other
    // value is a GDI+ handle.
    void PaintShape(HDC hdc, int32_t x, int32_t y, int32_t Width, int32_t Height, intptr_t BorderPen = -1,
                    intptr_t FillBrush = -1);
    void PolygonAngle(float v);
    int32_t PolygonSides() const noexcept { return (settings_.Settings >> 20) & 0x1FF; }
    void PolygonSides(int32_t v);
    // Applies the pending rebuilds (figure, brush, pen), ends a suspension and repaints.
    void Refresh();
    bool SetRedraw() const noexcept { return (stateFlags_ & sfSuspended) == 0; }
    void SetRedraw(bool v);
    // 0 to 4; -1 while a host path is shown (which only ShapeObject selects).
    int32_t Shape() const noexcept;
    void Shape(int32_t v);
    // The control's own path object (not a copy): a host that appends to it changes the figure.
    GDIpShape& ShapeObject() noexcept { return *m_Shape; }
    // Shows a copy of the object's path, fitted to the control.
    void ShapeObject(const GDIpShape* obj);
    // Before the control was first shown in a running program, a text with a character above 255
    // reads "{Unicode}".
    std::wstring ShapeText() const;
    void ShapeText(const std::wstring& v);
    void ShapeText(const std::string& ansi);  // text of the page script, in the system code page
    bool SizeFixed() const noexcept { return (settings_.Settings & 0x40000000u) != 0; }
    void SizeFixed(bool v);
    bool Stretch() const noexcept { return (settings_.Settings & 0x20000000u) != 0; }
    void Stretch(bool v);
    void Texture(rt::Picture p);
    int32_t TextureMode() const noexcept { return (settings_.TransColors >> 16) & 7; }
    void TextureMode(int32_t v);
    bool WantMouseEvents() const noexcept { return (settings_.Settings & 0x4000u) != 0; }
    void WantMouseEvents(bool v);

    // Run-time state, for the host and for tests.
    uint32_t Settings() const noexcept { return settings_.Settings; }
    uint32_t TransColors() const noexcept { return settings_.TransColors; }
    uint32_t StateFlags() const noexcept { return stateFlags_; }
    const GDIpPenBrush& PenBrush() const noexcept { return *penBrush_; }
    // Snug bounds of the figure as cached for HitTest 1: left, top, width, height.
    const float* HitBounds() const noexcept { return hitBounds_; }

    // Events, after ShapeChanged in this order: PrePaint, PostPaint, then MouseMove, MouseDown,
    // MouseUp, DblClick and Click of rt::Control (pixels of the control). The two hit-area events
    // are declared for hosts that listen and are never raised.
    rt::Event<> ShapeChanged;
    // hdc, hFillBrush, hBorderPen, Cancel: a handler may substitute its own brush or pen, set either
    // to nullptr to leave that part out, or cancel the drawing.
    rt::Event<HDC&, GpBrush*&, GpPen*&, bool&> PrePaint;
    // Hands back exactly the brush and pen a PrePaint handler substituted; nullptr for the own ones.
    rt::Event<HDC&, GpBrush*&, GpPen*&> PostPaint;
    rt::Event<> HitAreaEnter;
    rt::Event<> HitAreaLeave;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Paint() override;
    void UserControl_HitTest(float X, float Y, int& HitResult) override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;

private:
    static constexpr uint32_t kDefaultBackColor = 0x80000005;  // window
    static constexpr uint32_t kDefaultLineColor = 0x80000008;  // window text
    static constexpr uint32_t kDisabledBit = 0x80000000;       // of TransColors, in the stored value only

    static const rt::PropertyTable<AlphaShapeCtl>& Properties();
    static constexpr uint32_t WithoutHostPath(uint32_t settings) noexcept {
        return (settings & 7) > 4 ? settings & ~7u : settings;
    }
    static bool FixedSize(AlphaShapeCtl& s) noexcept { return s.SizeFixed(); }
    static bool NotInitialFont(AlphaShapeCtl& s);
    static rt::PropertyBag::Bytes TextBytes(const std::wstring& text);
    static std::wstring BytesText(const rt::PropertyBag::Bytes& bytes);
    void BuildShapePath(bool repaint);
    void BuildFillBrush(bool repaint);
    void BuildBorderPen(bool repaint);
    void BuildTextureBrush();
    uint32_t ShapeColorToArgb(uint32_t colour, int32_t transparency) const;
    int HitTestShape(float x, float y) const;
    void DetectUserMode();
    static bool IsUnicodeText(const std::wstring& text);
    void RepaintSurface();
    void SetBits(uint32_t mask, int shift, uint32_t value) noexcept {
        settings_.Settings = (settings_.Settings & ~(mask << shift)) | ((value & mask) << shift);
    }
    // Rebuilds one part (sfFigurePending, sfBrushPending or sfPenPending) and shows it; while
    // drawing is suspended, marks it for Refresh.
    void Rebuild(uint32_t part);
    void DeleteCustomPath();
    void WatchFont();
    void FontChanged();
    void PathChanged();
    const imaging::GdiplusShapeApi* Shapes() const;
    const imaging::GdiplusApi* Images() const;

    struct Stored {
        VANTREL_PROPERTY_FIELDS(VANTREL_SHAPE_PROPERTIES)
    } settings_;
    uint32_t stateFlags_ = 0;
    imaging::GdipPath customPath_;
    float hitBounds_[4] = {0, 0, 0, 0};
    // The path goes last: the pen and brush are released before it.
    std::unique_ptr<GDIpShape> m_Shape;
    std::unique_ptr<GDIpPenBrush> penBrush_;
    rt::Font::Subscription fontWatch_;
};

}  // namespace controls
