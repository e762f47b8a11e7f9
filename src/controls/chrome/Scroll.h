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
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in the order they are read and written (see runtime/property_list.h):
// the direction before the caption, so the text is put on its start line first; the single font
// keys after the font object, so they win over its attributes.
// clang-format off
#define VANTREL_SCROLL_PROPERTIES(X)                                                                       \
    X(Relay, bool, Enabled, [](auto& s) { return s.rt::Control::Enabled(); },                              \
      [](auto& s, bool v) { s.rt::Control::Enabled(v); }, false, false)                                    \
    X(Store, int16_t, BackStyle, int16_t{0})                                                               \
    X(Store, int16_t, BorderStyle, int16_t{0})                                                             \
    X(Relay, const std::string&, Text, [](auto& s) -> const std::string& { return s.t.Text(); },           \
      [](auto& s, std::string v) { s.t.Text(std::move(v)); }, "0", "0")                                    \
    X(Relay, int32_t, Interval, [](auto& s) { return static_cast<int32_t>(s.Timer1.Interval()); },         \
      [](auto& s, int32_t v) { s.Timer1.Interval(TimerInterval(v)); }, int32_t{0}, int32_t{0})             \
    X(Relay, std::string, Caption, [](auto& s) -> const std::string& { return s.Label1.Caption(); },       \
      [](auto& s, std::string v) { s.Label1.Caption(std::move(v)); }, DesignText(), DesignText())          \
    X(Relay, uint32_t, ForeColor, [](auto& s) { return s.Label1.ForeColor(); },                            \
      [](auto& s, uint32_t v) { s.Label1.ForeColor(v); }, 0xFFu, 0xFFu)                                    \
    X(Relay, rt::Font, Font, [](auto& s) -> rt::Font& { return s.Label1.GetFont(); },                      \
      [](auto& s, rt::Font f) { s.Label1.SetFont(std::move(f)); },                                         \
      [](auto& s) { return s.Ambient().Font.Clone(); }, [](auto& s) { return s.Ambient().Font.Clone(); })  \
    X(Relay, bool, FontUnderline, [](auto& s) { return s.Label1.GetFont().Underline(); },                  \
      [](auto& s, bool v) { s.Label1.GetFont().Underline(v); }, false, false)                              \
    X(Store, bool, FontTransparent, false)                                                                 \
    X(Relay, bool, FontStrikethru, [](auto& s) { return s.Label1.GetFont().Strikethrough(); },             \
      [](auto& s, bool v) { s.Label1.GetFont().Strikethrough(v); }, false, false)                          \
    X(Relay, float, FontSize, [](auto& s) { return s.Label1.GetFont().Size(); },                           \
      [](auto& s, float v) { s.Label1.GetFont().Size(v); }, 8.0f, 8.0f)                                    \
    X(Relay, const std::string&, FontName,                                                                 \
      [](auto& s) -> const std::string& { return s.Label1.GetFont().Name(); },                             \
      [](auto& s, std::string v) { s.Label1.GetFont().Name(v); }, "Arial", "Arial")                        \
    X(Relay, bool, FontItalic, [](auto& s) { return s.Label1.GetFont().Italic(); },                        \
      [](auto& s, bool v) { s.Label1.GetFont().Italic(v); }, false, false)                                 \
    X(Relay, bool, FontBold, [](auto& s) { return s.Label1.GetFont().Bold(); },                            \
      [](auto& s, bool v) { s.Label1.GetFont().Bold(v); }, false, false)                                   \
    X(Relay, rt::Picture, Picture, [](auto& s) -> const rt::Picture& { return s.Picture1.GetPicture(); },  \
      [](auto& s, rt::Picture p) { s.Picture1.SetPicture(std::move(p)); }, rt::Picture(), rt::Picture())   \
    X(Relay, uint32_t, BackColor, [](auto& s) { return s.Picture1.BackColor(); },                          \
      [](auto& s, uint32_t v) { s.PaintBox(v); }, kButtonFace, kButtonFace)
// clang-format on

class Scroll : public rt::UserControl {
public:
    Scroll(rt::Container& c, std::string name, int index = -1,
           std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    Scroll(const Scroll& templ, int index);

    // From the list: BackStyle, BorderStyle and FontTransparent, kept and stored (they change
    // nothing else), and the setters of the others (Enabled too is kept and stored only).
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SCROLL_PROPERTIES)
    using Control::Enabled;
    void Refresh() {}
    // The direction code; a change puts the text on its direction's start line.
    std::string Text() const { return t.Text(); }
    // Milliseconds per step; 0 stops the text where it is. Held to the timer's 0 to 65535.
    int32_t Interval() const noexcept { return static_cast<int32_t>(Timer1.Interval()); }
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    uint32_t ForeColor() const noexcept { return Label1.ForeColor(); }
    // The moving text's own font object: changes made through it show at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    bool FontUnderline() { return Label1.GetFont().Underline(); }
    bool FontStrikethru() { return Label1.GetFont().Strikethrough(); }
    float FontSize() { return Label1.GetFont().Size(); }
    std::string FontName() { return Label1.GetFont().Name(); }
    bool FontItalic() { return Label1.GetFont().Italic(); }
    bool FontBold() { return Label1.GetFont().Bold(); }
    const rt::Picture& Picture() const { return Picture1.GetPicture(); }
    uint32_t BackColor() const noexcept { return Picture1.BackColor(); }

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
    // The platform timer's range: a larger interval is its longest, a negative one stops it.
    static int32_t TimerInterval(int32_t ms);
    void wire();
    void t_Change();
    void PaintBox(uint32_t colour);

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_SCROLL_PROPERTIES)
    } settings_;
};

}  // namespace controls
