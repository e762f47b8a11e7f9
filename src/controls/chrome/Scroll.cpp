#include "controls/chrome/Scroll.h"

#include <algorithm>

namespace controls {

namespace {

// The moving text as designed, and the default of "Caption".
const std::string& DesignText() {
    static const std::string text = [] {
        const std::string line = "Enter You Data Here.";
        std::string s = line;
        for (int blanks : {3, 9, 6, 5, 7, 4}) s += std::string(static_cast<size_t>(blanks), ' ') + line;
        return s + " ";
    }();
    return text;
}

constexpr double kStep = 30;
// Moving right (down), the text starts again once its leading edge is this far from the far side.
constexpr double kRestartMargin = 100;
constexpr double kDesignWidth = 1935, kDesignHeight = 255;
constexpr uint32_t kButtonFace = 0x8000000Fu;

// The platform timer's range: a larger interval is its longest, a negative one stops it.
int32_t TimerInterval(int32_t ms) {
    return std::clamp<int32_t>(ms, 0, 65535);
}

}  // namespace

Scroll::Scroll(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    // A control placed anew takes the box's design size; an array member keeps its template's.
    Move(Left(), Top(), kDesignWidth, kDesignHeight);
    wire();
    Create();
}

Scroll::Scroll(const Scroll& t, int index) : UserControl(t, index) {
    wire();
    Create();
}

void Scroll::wire() {
    Timer1.TimerEvent = [this](int) { Timer1_Timer(); };
    t.Change = [this](int) { t_Change(); };
    Label1.MouseDown = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseDown, b, s, x, y);
    };
    Label1.Click = [this](int) { RaiseEvent(Click); };
    Label1.DblClick = [this](int) { RaiseEvent(DblClick); };
    Picture1.MouseMove = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseMove, b, s, x, y);
    };
}

// ---- life

void Scroll::UserControl_Initialize() {
    // The constituents as designed.
    Picture1.BorderStyle(0);
    Picture1.BackColor(kButtonFace);
    Picture1.Surface().BackColor(kButtonFace);
    Label1.BackStyle(rt::vbTransparent);
    Label1.WordWrap(false);
    Label1.AutoSize(true);
    Label1.SetFont(rt::Font("Arial", 8));
    Label1.ForeColor(0xFF);
    Label1.Caption(DesignText());
    t.Visible(false);
    t.Text("0");
    Label1.Move(0, 0);
    UserControl_Resize();
}

void Scroll::UserControl_InitProperties() {
    Control::Enabled(false);
    backStyle_ = 0;
    borderStyle_ = 0;
    fontTransparent_ = false;
}

void Scroll::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Control::Enabled(PropBag.ReadProperty("Enabled", false));
    backStyle_ = PropBag.ReadProperty("BackStyle", int16_t{0});
    borderStyle_ = PropBag.ReadProperty("BorderStyle", int16_t{0});
    // The direction before the caption: the text is put on its start line first.
    t.Text(PropBag.ReadProperty("Text", "0"));
    Timer1.Interval(TimerInterval(PropBag.ReadProperty("Interval", int32_t{0})));
    Label1.Caption(PropBag.ReadProperty("Caption", DesignText()));
    Label1.ForeColor(PropBag.ReadProperty("ForeColor", 0xFFu));
    Label1.SetFont(PropBag.ReadProperty("Font", Ambient().Font.Clone()));
    // The single font keys come after the font object and win over its attributes.
    rt::Font& font = Label1.GetFont();
    font.Underline(PropBag.ReadProperty("FontUnderline", false));
    fontTransparent_ = PropBag.ReadProperty("FontTransparent", false);
    font.Strikethrough(PropBag.ReadProperty("FontStrikethru", false));
    font.Size(PropBag.ReadProperty("FontSize", 8.0f));
    font.Name(PropBag.ReadProperty("FontName", "Arial"));
    font.Italic(PropBag.ReadProperty("FontItalic", false));
    font.Bold(PropBag.ReadProperty("FontBold", false));
    Picture1.SetPicture(PropBag.ReadProperty("Picture", rt::Picture()));
    const uint32_t back = PropBag.ReadProperty("BackColor", kButtonFace);
    Picture1.BackColor(back);
    Picture1.Surface().BackColor(back);
}

void Scroll::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    const rt::Font& font = Label1.GetFont();
    PropBag.WriteProperty("Enabled", Control::Enabled(), false);
    PropBag.WriteProperty("BackStyle", backStyle_, int16_t{0});
    PropBag.WriteProperty("BorderStyle", borderStyle_, int16_t{0});
    PropBag.WriteProperty("Text", t.Text(), "0");
    PropBag.WriteProperty("Interval", static_cast<int32_t>(Timer1.Interval()), int32_t{0});
    PropBag.WriteProperty("Caption", Label1.Caption(), DesignText());
    PropBag.WriteProperty("ForeColor", Label1.ForeColor(), 0xFFu);
    PropBag.WriteProperty("Font", font, Ambient().Font);
    PropBag.WriteProperty("FontUnderline", font.Underline(), false);
    PropBag.WriteProperty("FontTransparent", fontTransparent_, false);
    PropBag.WriteProperty("FontStrikethru", font.Strikethrough(), false);
    PropBag.WriteProperty("FontSize", font.Size(), 8.0f);
    PropBag.WriteProperty("FontName", font.Name(), "Arial");
    PropBag.WriteProperty("FontItalic", font.Italic(), false);
    PropBag.WriteProperty("FontBold", font.Bold(), false);
    PropBag.WriteProperty("Picture", Picture1.GetPicture(), rt::Picture());
    PropBag.WriteProperty("BackColor", Picture1.BackColor(), kButtonFace);
}

void Scroll::UserControl_Resize() {
    Picture1.Move(0, 0, Width(), Height());
}

// ---- the movement

void Scroll::Timer1_Timer() {
    const double W = Picture1.Width(), H = Picture1.Height();
    const double L = Label1.Left(), T = Label1.Top(), w = Label1.Width(), h = Label1.Height();
    const std::string direction = t.Text();
    if (direction == "0") {
        Label1.Left(L <= W - kRestartMargin ? L + kStep : -w);
    } else if (direction == "1") {
        Label1.Left(L >= -w ? L - kStep : W);
    } else if (direction == "2") {
        Label1.Top(T <= H - kRestartMargin ? T + kStep : -h);
    } else if (direction == "3") {
        Label1.Top(T >= -h ? T - kStep : H);
    }
}

// The text runs along the top of the box (right, left) or its left side (down, up).
void Scroll::t_Change() {
    const std::string direction = t.Text();
    if (direction == "0" || direction == "1")
        Label1.Top(0);
    else if (direction == "2" || direction == "3")
        Label1.Left(0);
}

// ---- properties

void Scroll::Enabled(bool v) {
    Control::Enabled(v);
    PropertyChanged("Enabled");
}

void Scroll::BackStyle(int16_t v) {
    backStyle_ = v;
    PropertyChanged("BackStyle");
}

void Scroll::BorderStyle(int16_t v) {
    borderStyle_ = v;
    PropertyChanged("BorderStyle");
}

void Scroll::Text(const std::string& v) {
    t.Text(v);
    PropertyChanged("Text");
}

void Scroll::Interval(int32_t v) {
    Timer1.Interval(TimerInterval(v));
    PropertyChanged("Interval");
}

void Scroll::Caption(std::string v) {
    Label1.Caption(std::move(v));
    PropertyChanged("Caption");
}

void Scroll::ForeColor(uint32_t v) {
    Label1.ForeColor(v);
    PropertyChanged("ForeColor");
}

void Scroll::Font(rt::Font v) {
    Label1.SetFont(std::move(v));
    PropertyChanged("Font");
}

void Scroll::FontUnderline(bool v) {
    Label1.GetFont().Underline(v);
    PropertyChanged("FontUnderline");
}

void Scroll::FontTransparent(bool v) {
    fontTransparent_ = v;
    PropertyChanged("FontTransparent");
}

void Scroll::FontStrikethru(bool v) {
    Label1.GetFont().Strikethrough(v);
    PropertyChanged("FontStrikethru");
}

void Scroll::FontSize(float v) {
    Label1.GetFont().Size(v);
    PropertyChanged("FontSize");
}

void Scroll::FontName(const std::string& v) {
    Label1.GetFont().Name(v);
    PropertyChanged("FontName");
}

void Scroll::FontItalic(bool v) {
    Label1.GetFont().Italic(v);
    PropertyChanged("FontItalic");
}

void Scroll::FontBold(bool v) {
    Label1.GetFont().Bold(v);
    PropertyChanged("FontBold");
}

void Scroll::Picture(rt::Picture v) {
    Picture1.SetPicture(std::move(v));
    PropertyChanged("Picture");
}

void Scroll::BackColor(uint32_t v) {
    Picture1.BackColor(v);
    Picture1.Surface().BackColor(v);
    PropertyChanged("BackColor");
}

}  // namespace controls
