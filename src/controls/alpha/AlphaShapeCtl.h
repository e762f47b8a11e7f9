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
#include "runtime/property_table.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"

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

    bool AlignCenter() const noexcept { return (settings_ & 0x80000000u) == 0; }
    void AlignCenter(bool v);
    bool AutoSize() const noexcept { return (settings_ & 0x8000u) != 0; }
    void AutoSize(bool v);
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    int32_t BackStyle() const noexcept { return (settings_ >> 3) & 1; }
    void BackStyle(int32_t v);
    int32_t BackTransparency() const noexcept { return transColors_ & 0x7F; }
    void BackTransparency(int32_t v);
    uint32_t BorderColor() const { return UserControl::ForeColor(); }
    void BorderColor(uint32_t v);
    int32_t BorderStyle() const noexcept { return (settings_ >> 4) & 7; }
    void BorderStyle(int32_t v);
    int32_t BorderTransparency() const noexcept { return (transColors_ >> 8) & 0x7F; }
    void BorderTransparency(int32_t v);
    int32_t BorderWidth() const noexcept { return (settings_ >> 16) & 0xF; }
    void BorderWidth(int32_t v);
    using Control::Enabled;
    void Enabled(bool v) override;
    uint32_t FillColor() const noexcept { return fillColor_; }
    void FillColor(uint32_t v);
    int32_t FillStyle() const noexcept { return (settings_ >> 8) & 0x3F; }
    void FillStyle(int32_t v);
    // The font object itself: a change made through it (name, bold, italic) rebuilds a text figure.
    rt::Font& Font() noexcept { return Surface().GetFont(); }
    void Font(rt::Font f);
    using UserControl::HitTest;
    int32_t HitTest() const noexcept { return (settings_ >> 7) & 1; }
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
    float PolygonAngle() const noexcept { return polygonAngle_; }
    void PolygonAngle(float v);
    int32_t PolygonSides() const noexcept { return (settings_ >> 20) & 0x1FF; }
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
    bool SizeFixed() const noexcept { return (settings_ & 0x40000000u) != 0; }
    void SizeFixed(bool v);
    bool Stretch() const noexcept { return (settings_ & 0x20000000u) != 0; }
    void Stretch(bool v);
    const rt::Picture& Texture() const noexcept { return texture_; }
    void Texture(rt::Picture p);
    int32_t TextureMode() const noexcept { return (transColors_ >> 16) & 7; }
    void TextureMode(int32_t v);
    bool WantMouseEvents() const noexcept { return (settings_ & 0x4000u) != 0; }
    void WantMouseEvents(bool v);

    // Run-time state, for the host and for tests.
    uint32_t Settings() const noexcept { return settings_; }
    uint32_t TransColors() const noexcept { return transColors_; }
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
    static const rt::PropertyTable<AlphaShapeCtl>& Properties();
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
        settings_ = (settings_ & ~(mask << shift)) | ((value & mask) << shift);
    }
    void DeleteCustomPath();
    void WatchFont();
    void FontChanged();
    void PathChanged();
    const imaging::GdiplusShapeApi* Shapes() const;
    const imaging::GdiplusApi* Images() const;

    uint32_t settings_ = kDefaultSettings;
    uint32_t transColors_ = 0;
    uint32_t fillColor_ = 0x80000008;
    std::wstring shapeText_;
    float polygonAngle_ = 0;
    uint32_t stateFlags_ = 0;
    imaging::GdipPath customPath_;
    rt::Picture texture_;
    float fCx_ = 0, fCy_ = 0;
    float hitBounds_[4] = {0, 0, 0, 0};
    // The path goes last: the pen and brush are released before it.
    std::unique_ptr<GDIpShape> m_Shape;
    std::unique_ptr<GDIpPenBrush> penBrush_;
    rt::Font::Subscription fontWatch_;
};

}  // namespace controls
