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

VANTREL_PROPERTY_TABLE(Scroll, VANTREL_SCROLL_PROPERTIES)

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

int32_t Scroll::TimerInterval(int32_t ms) {
    return std::clamp<int32_t>(ms, 0, 65535);
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

}  // namespace controls
