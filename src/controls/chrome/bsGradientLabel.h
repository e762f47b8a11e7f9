// The gradient label: a colour gradient over the whole surface (left to right, top to bottom, or
// blended from four corner colours), a caption written horizontally or turned upwards with an
// optional text shadow, and an optional flat or three-dimensional border. Everything is drawn
// into the surface's persistent image; every property change paints the whole label again.
//
// A paint first keeps the label's shape to its label type: a horizontal label higher than wide
// (or a vertical one wider than high) exchanges its width and height and leaves the painting to
// the resize that follows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "runtime/font.h"
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class bsGradientLabel : public rt::UserControl {
public:
    bsGradientLabel(rt::Container& c, std::string name, int index = -1,
                    std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    bsGradientLabel(const bsGradientLabel& templ, int index);

    // The border of the current BorderStyle, drawn onto the label's image.
    void DrawEdges();
    // The RGB value of an OLE colour; 0 when it has none.
    int32_t TranslateColour(int32_t lColour) const;

    int32_t GradientType() const noexcept { return gradientType_; }
    void GradientType(int32_t v) { Set(gradientType_, v, "GradientType"); }
    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string v) { Set(caption_, std::move(v), "Caption"); }
    // The label's own font object: a change made through it shows at the next paint.
    rt::Font& Fount() noexcept { return fount_; }
    void Fount(rt::Font v) { Set(fount_, std::move(v), "Fount"); }
    uint32_t CaptionColour() const noexcept { return captionColour_; }
    void CaptionColour(uint32_t v) { Set(captionColour_, v, "CaptionColour"); }
    uint32_t Colour1() const noexcept { return colour1_; }
    void Colour1(uint32_t v) { Set(colour1_, v, "Colour1"); }
    uint32_t Colour2() const noexcept { return colour2_; }
    void Colour2(uint32_t v) { Set(colour2_, v, "Colour2"); }
    uint32_t Colour3() const noexcept { return colour3_; }
    void Colour3(uint32_t v) { Set(colour3_, v, "Colour3"); }
    uint32_t Colour4() const noexcept { return colour4_; }
    void Colour4(uint32_t v) { Set(colour4_, v, "Colour4"); }
    int32_t LabelType() const noexcept { return labelType_; }
    void LabelType(int32_t v) { Set(labelType_, v, "LabelType"); }
    int32_t CaptionAlignment() const noexcept { return captionAlignment_; }
    void CaptionAlignment(int32_t v) { Set(captionAlignment_, v, "CaptionAlignment"); }
    int32_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int32_t v) { Set(borderStyle_, v, "BorderStyle"); }
    uint32_t HighlightColour() const noexcept { return highlightColour_; }
    void HighlightColour(uint32_t v) { Set(highlightColour_, v, "HighlightColour"); }
    uint32_t HighlightDKColour() const noexcept { return highlightDKColour_; }
    void HighlightDKColour(uint32_t v) { Set(highlightDKColour_, v, "HighlightDKColour"); }
    uint32_t ShadowColour() const noexcept { return shadowColour_; }
    void ShadowColour(uint32_t v) { Set(shadowColour_, v, "ShadowColour"); }
    uint32_t ShadowDKColour() const noexcept { return shadowDKColour_; }
    void ShadowDKColour(uint32_t v) { Set(shadowDKColour_, v, "ShadowDKColour"); }
    uint32_t FlatBorderColour() const noexcept { return flatBorderColour_; }
    void FlatBorderColour(uint32_t v) { Set(flatBorderColour_, v, "FlatBorderColour"); }
    uint32_t TextShadowColour() const noexcept { return textShadowColour_; }
    void TextShadowColour(uint32_t v) { Set(textShadowColour_, v, "TextShadowColour"); }
    bool TextShadow() const noexcept { return textShadow_; }
    void TextShadow(bool v) { Set(textShadow_, v, "TextShadow"); }
    int16_t TextShadowYOffset() const noexcept { return textShadowYOffset_; }
    void TextShadowYOffset(int16_t v) { Set(textShadowYOffset_, v, "TextShadowYOffset"); }
    int16_t TextShadowXOffset() const noexcept { return textShadowXOffset_; }
    void TextShadowXOffset(int16_t v) { Set(textShadowXOffset_, v, "TextShadowXOffset"); }

    // Events: Click, DblClick and MouseDown (pixels once the label has painted) of rt::Control.

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override { PaintGradientLabel(); }
    void UserControl_Show() override { PaintGradientLabel(); }
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }
    // Every setting paints the whole label at once.
    void PropertyRefresh() override { PaintGradientLabel(); }

private:
    static const rt::PropertyTable<bsGradientLabel>& Properties();
    void PaintGradientLabel();
    void DrawGradientCaption(int16_t Angle);

    int32_t gradientType_ = 0;
    std::string caption_;
    rt::Font fount_;
    uint32_t captionColour_ = 0xFFFFFF;
    uint32_t colour1_ = 0, colour2_ = 0xFF0000, colour3_ = 0xFFFF, colour4_ = 0xFF;
    int32_t labelType_ = 0, captionAlignment_ = 0, borderStyle_ = 0;
    uint32_t highlightColour_ = 0x80000014, highlightDKColour_ = 0x80000016;
    uint32_t shadowColour_ = 0x80000010, shadowDKColour_ = 0x80000015;
    uint32_t flatBorderColour_ = 0, textShadowColour_ = 0;
    bool textShadow_ = false;
    int16_t textShadowYOffset_ = 2, textShadowXOffset_ = 2;
};

}  // namespace controls
