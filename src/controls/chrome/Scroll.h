// The marquee: a line of text that moves in steps of 30 twips through a box, to the right, to the
// left, down or up, over the box's background colour or picture, and starts again from the
// opposite side when it has run out.
//
// The box is the picture box Picture1, always the control's size; the moving text is the label
// Label1 inside it, sized to its text with a transparent background. The direction is the text of
// the hidden text box t ("0" right, "1" left, "2" down, "3" up, anything else stands still); the
// timer Timer1 steps it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

class Scroll : public rt::UserControl {
public:
    Scroll(rt::Container& c, std::string name, int index = -1,
           std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    Scroll(const Scroll& templ, int index);

    // Kept and stored; they change nothing else.
    using Control::Enabled;
    void Enabled(bool v) override;
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);
    void Refresh() {}
    // The direction code; a change puts the text on its direction's start line.
    std::string Text() const { return t.Text(); }
    void Text(const std::string& v);
    // Milliseconds per step; 0 stops the text where it is. Held to the timer's 0 to 65535.
    int32_t Interval() const noexcept { return static_cast<int32_t>(Timer1.Interval()); }
    void Interval(int32_t v);
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    void Caption(std::string v);
    uint32_t ForeColor() const noexcept { return Label1.ForeColor(); }
    void ForeColor(uint32_t v);
    // The moving text's own font object: changes made through it show at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    void Font(rt::Font v);
    bool FontUnderline() { return Label1.GetFont().Underline(); }
    void FontUnderline(bool v);
    bool FontTransparent() const noexcept { return fontTransparent_; }
    void FontTransparent(bool v);
    bool FontStrikethru() { return Label1.GetFont().Strikethrough(); }
    void FontStrikethru(bool v);
    float FontSize() { return Label1.GetFont().Size(); }
    void FontSize(float v);
    std::string FontName() { return Label1.GetFont().Name(); }
    void FontName(const std::string& v);
    bool FontItalic() { return Label1.GetFont().Italic(); }
    void FontItalic(bool v);
    bool FontBold() { return Label1.GetFont().Bold(); }
    void FontBold(bool v);
    const rt::Picture& Picture() const { return Picture1.GetPicture(); }
    void Picture(rt::Picture v);
    uint32_t BackColor() const noexcept { return Picture1.BackColor(); }
    void BackColor(uint32_t v);

    // One step of the movement (Timer1's tick).
    void Timer1_Timer();

    // Events of rt::Control: MouseDown, Click and DblClick on the moving text, MouseMove over the
    // box where the text is not.

    rt::PictureBox Picture1{*this, "Picture1"};
    rt::Label Label1{Picture1, "Label1"};
    rt::TextBox t{*this, "t"};
    rt::Timer Timer1{*this, "Timer1"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<Scroll>& Properties();
    void wire();
    void t_Change();
    void PaintBox(uint32_t colour);

    int16_t backStyle_ = 0;
    int16_t borderStyle_ = 0;
    bool fontTransparent_ = false;
};

}  // namespace controls
