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
    PaintBox(kButtonFace);
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

// Read and written in this order: the direction before the caption, so the text is put on its
// start line first; the single font keys after the font object, so they win over its attributes.
const rt::PropertyTable<Scroll>& Scroll::Properties() {
    using T = Scroll;
    auto font = [](T& t) -> rt::Font& { return t.Label1.GetFont(); };
    auto ambientFont = [](T& t) { return t.Ambient().Font.Clone(); };
    static const rt::PropertyTable<T> table{
        {"Enabled", [](T& t) { return t.Control::Enabled(); }, [](T& t, bool v) { t.Control::Enabled(v); },
         false, false},
        {"BackStyle", &T::backStyle_, int16_t{0}},
        {"BorderStyle", &T::borderStyle_, int16_t{0}},
        {"Text", [](T& t) -> const std::string& { return t.t.Text(); },
         [](T& t, std::string v) { t.t.Text(std::move(v)); }, "0", "0"},
        {"Interval", [](T& t) { return static_cast<int32_t>(t.Timer1.Interval()); },
         [](T& t, int32_t v) { t.Timer1.Interval(TimerInterval(v)); }, int32_t{0}, int32_t{0}},
        {"Caption", [](T& t) -> const std::string& { return t.Label1.Caption(); },
         [](T& t, std::string v) { t.Label1.Caption(std::move(v)); }, DesignText(), DesignText()},
        {"ForeColor", [](T& t) { return t.Label1.ForeColor(); },
         [](T& t, uint32_t v) { t.Label1.ForeColor(v); }, 0xFFu, 0xFFu},
        {"Font", font, [](T& t, rt::Font f) { t.Label1.SetFont(std::move(f)); }, ambientFont, ambientFont},
        {"FontUnderline", [=](T& t) { return font(t).Underline(); },
         [=](T& t, bool v) { font(t).Underline(v); }, false, false},
        {"FontTransparent", &T::fontTransparent_, false},
        {"FontStrikethru", [=](T& t) { return font(t).Strikethrough(); },
         [=](T& t, bool v) { font(t).Strikethrough(v); }, false, false},
        {"FontSize", [=](T& t) { return font(t).Size(); }, [=](T& t, float v) { font(t).Size(v); }, 8.0f,
         8.0f},
        {"FontName", [=](T& t) -> const std::string& { return font(t).Name(); },
         [=](T& t, std::string v) { font(t).Name(v); }, "Arial", "Arial"},
        {"FontItalic", [=](T& t) { return font(t).Italic(); }, [=](T& t, bool v) { font(t).Italic(v); },
         false, false},
        {"FontBold", [=](T& t) { return font(t).Bold(); }, [=](T& t, bool v) { font(t).Bold(v); }, false,
         false},
        {"Picture", [](T& t) -> const rt::Picture& { return t.Picture1.GetPicture(); },
         [](T& t, rt::Picture p) { t.Picture1.SetPicture(std::move(p)); }, rt::Picture(), rt::Picture()},
        {"BackColor", [](T& t) { return t.Picture1.BackColor(); }, [](T& t, uint32_t v) { t.PaintBox(v); },
         kButtonFace, kButtonFace},
    };
    return table;
}

// A new marquee: the four stored fields False and 0, the rest as designed.
void Scroll::UserControl_InitProperties() {
    Properties().InitAll(*this);
}

void Scroll::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
}

void Scroll::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// The box's colour, painted under the text.
void Scroll::PaintBox(uint32_t colour) {
    Picture1.BackColor(colour);
    Picture1.Surface().BackColor(colour);
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
    Store(backStyle_, v, "BackStyle");
}

void Scroll::BorderStyle(int16_t v) {
    Store(borderStyle_, v, "BorderStyle");
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
    Store(fontTransparent_, v, "FontTransparent");
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
    PaintBox(v);
    PropertyChanged("BackColor");
}

}  // namespace controls
