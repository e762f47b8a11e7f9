#include "controls/chrome/EtsLinkLabel.h"

#include <windows.h>
// after windows.h
#include <mmsystem.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>

#include "controls/common/main_window_link.h"
#include "controls/common/paint.h"
#include "runtime/effects.h"
#include "runtime/error.h"

namespace controls {

namespace {

constexpr const char* kSource = "VudevIdori";
constexpr const char* kIllegalValue = "Illegal Property Value";
constexpr const char* kPlaceholderURL = "http://www.example.com/";
constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kButtonText = 0x80000012u;
constexpr int16_t kHourglass = 11;
constexpr int16_t kCustom = 99;

// The picture shown while Picture is Nothing.
const rt::Picture& LinkIcon() {
    static const rt::Picture icon = [] {
        HICON shared = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_INFORMATION));
        return shared ? rt::Picture::FromIcon(CopyIcon(shared), true) : rt::Picture();
    }();
    return icon;
}

// An address the shell opens as such: a scheme ("http:", "mailto:", a drive "c:") or a path.
bool OpensAsAddress(const std::string& url) {
    if (url.find_first_of("\\/") != std::string::npos) return true;
    const size_t colon = url.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
    return std::all_of(url.begin(), url.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '.' || c == '-';
    });
}

[[noreturn]] void Illegal(const char* property) {
    rt::Raise(rt::errInvalidPropertyValue, std::string(kSource) + "." + property, kIllegalValue);
}

}  // namespace

EtsLinkLabel::EtsLinkLabel(rt::Container& c, std::string name, int index,
                           std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
    wire();
    Create();
}

EtsLinkLabel::EtsLinkLabel(const EtsLinkLabel& t, int index)
    : UserControl(t, index), BeforeJump(t.BeforeJump), Change(t.Change), Resize(t.Resize) {
    wire();
    Create();
}

void EtsLinkLabel::wire() {
    Label1.MouseMove = [this](int, int16_t, int16_t, float, float) { Label1_MouseMove(); };
    Label1.Click = [this](int) { LinkClick(); };
    Image1.Click = [this](int) { LinkClick(); };
    Label1.Change = [this](int) { Label1_Change(); };
}

// ---- life

void EtsLinkLabel::UserControl_Initialize() {
    MousePointer(kCustom);
    MouseIcon(HandPointerPicture());
    Label1.BackStyle(rt::vbTransparent);
    Label1.Move(0, 0);
    Image1.Move(0, 0);
    Image1.Visible(false);
    designIcon_ = LinkIcon();
    Image1.SetPicture(designIcon_);
}

// In the order the settings are written.
const rt::PropertyTable<EtsLinkLabel>& EtsLinkLabel::Properties() {
    using T = EtsLinkLabel;
    using UC = rt::UserControl;
    auto displayName = [](T& t) { return t.Ambient().DisplayName; };
    auto ambientFont = [](T& t) { return t.Ambient().Font.Clone(); };
    static const rt::PropertyTable<T> table{
        {"Caption", [](T& t) -> const std::string& { return t.Label1.Caption(); },
         [](T& t, std::string v) { t.Label1.Caption(std::move(v)); }, displayName, displayName},
        {"Font", [](T& t) -> rt::Font& { return t.Label1.GetFont(); },
         [](T& t, rt::Font f) { t.Label1.SetFont(std::move(f)); }, ambientFont, ambientFont},
        // A stored style other than 0 and 1 leaves the control's own.
        {"BackStyle", [](T& t) { return t.UC::BackStyle(); },
         [](T& t, int16_t v) { rt::Try([&] { t.UC::BackStyle(v); }); }, int16_t{1}, int16_t{1}},
        {"Enabled", [](T& t) { return t.Control::Enabled(); }, [](T& t, bool v) { t.Control::Enabled(v); },
         true, true},
        {"BackColor", &UC::BackColor, &UC::BackColor, kButtonFace, kButtonFace},
        {"ForeColor", &T::foreColor_, kButtonText},
        {"DropColor", &T::dropColor_, 0xFFFFFFu},
        {"DropColorAngleLeft", &T::dropColorAngleLeft_, int16_t{0}},
        {"DropColorAngleTop", &T::dropColorAngleTop_, int16_t{0}},
        {"Hover", &T::hover_, true},
        {"LinkColor", &T::linkColor_, 0xFF0000u},
        {"Style", &T::style_, int32_t{0}},
        {"Picture", &T::picture_, rt::Picture()},
        {"URL", &T::url_, kPlaceholderURL},
    };
    return table;
}

void EtsLinkLabel::UserControl_InitProperties() {
    busy_ = true;
    Properties().InitAll(*this);
    // A new control's angles differ from the stored defaults.
    dropColorAngleLeft_ = 15;
    dropColorAngleTop_ = 15;
    Label1.ForeColor(foreColor_);
    busy_ = false;
    ArrangeLink();
}

// The text's colour comes with the first Refresh, when the control shows.
void EtsLinkLabel::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    busy_ = true;
    Properties().ReadAll(*this, PropBag);
    busy_ = false;
    if (!picture_.Empty()) Image1.SetPicture(picture_);
    Image1.Visible(style_ == 1);
    ArrangeLink();
}

void EtsLinkLabel::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

void EtsLinkLabel::UserControl_Resize() {
    if (!busy_) ArrangeLink();
}

void EtsLinkLabel::UserControl_Show() {
    if (!busy_) Refresh();
}

// In both styles the text fills the control.
void EtsLinkLabel::ArrangeLink() {
    busy_ = true;
    if (!Label1.Visible()) Label1.Visible(true);
    Label1.Move(0, 0, Width(), Height());
    busy_ = false;
    RaiseEvent(Resize);
}

// ---- properties

void EtsLinkLabel::BackColor(uint32_t v) {
    UserControl::BackColor(v);
    PropertyChanged("BackColor");
}

void EtsLinkLabel::BackStyle(int32_t v) {
    if (v != 0 && v != 1) Illegal("BackStyle");
    UserControl::BackStyle(static_cast<int16_t>(v));
    PropertyChanged("BackStyle");
}

void EtsLinkLabel::Caption(std::string v) {
    Label1.Caption(std::move(v));
    PropertyChanged("Caption");
}

void EtsLinkLabel::ForeColor(uint32_t v) {
    Set(foreColor_, v, "ForeColor");
}

void EtsLinkLabel::DropColor(uint32_t v) {
    Set(dropColor_, v, "DropColor");
}

void EtsLinkLabel::DropColorAngleLeft(int16_t v) {
    Set(dropColorAngleLeft_, std::clamp<int16_t>(v, -50, 50), "DropColorAngleLeft");
}

void EtsLinkLabel::DropColorAngleTop(int16_t v) {
    Set(dropColorAngleTop_, std::clamp<int16_t>(v, -50, 50), "DropColorAngleTop");
}

void EtsLinkLabel::Enabled(bool v) {
    Control::Enabled(v);
    PropertyChanged("Enabled");
}

void EtsLinkLabel::Font(rt::Font v) {
    Label1.SetFont(std::move(v));
    ArrangeLink();
    Refresh();
    PropertyChanged("Font");
}

void EtsLinkLabel::Hover(bool v) {
    Set(hover_, v, "Hover");
}

void EtsLinkLabel::LinkColor(uint32_t v) {
    Set(linkColor_, v, "LinkColor");
}

void EtsLinkLabel::Picture(rt::Picture v) {
    picture_ = std::move(v);
    Image1.SetPicture(picture_.Empty() ? designIcon_ : picture_);
    if (style_ == 1) {
        ArrangeLink();
        RaiseEvent(Change);
    }
    PropertyChanged("Picture");
}

void EtsLinkLabel::Style(int32_t v) {
    if (v != 0 && v != 1) Illegal("Style");
    if (v != style_) {
        style_ = v;
        leave_.Stop();
        hovered_ = false;
        // The picture shows in its own style only.
        Image1.Visible(style_ == 1);
        ArrangeLink();
        Refresh();
    }
    PropertyChanged("Style");
}

void EtsLinkLabel::URL(std::string v) {
    Store(url_, std::move(v), "URL");
}

int32_t EtsLinkLabel::ScaleHeight() const {
    return rt::RoundEven(UserControl::ScaleHeight());
}

int32_t EtsLinkLabel::ScaleWidth() const {
    return rt::RoundEven(UserControl::ScaleWidth());
}

// ---- the link

int32_t EtsLinkLabel::HyperJump(const std::string& URL) {
    if (URL.empty() || !OpensAsAddress(URL)) return 0;
    MousePointer(kHourglass);
    const HINSTANCE result = rt::Effects().ShellExecuteA(GetDesktopWindow(), "", URL, "", "", SW_SHOWNORMAL);
    MousePointer(kCustom);
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

void EtsLinkLabel::Refresh() {
    if (style_ == 0) {
        const bool link = !hover_ || hovered_;
        const uint32_t colour = link ? linkColor_ : foreColor_;
        if (Label1.ForeColor() != colour) Label1.ForeColor(colour);
        if (Label1.GetFont().Underline() != link) Label1.GetFont().Underline(link);
        busy_ = true;
        Label1.Refresh();
        busy_ = false;
    } else {
        busy_ = true;
        Image1.Refresh();
        busy_ = false;
    }
}

void EtsLinkLabel::LinkClick() {
    busy_ = true;
    bool cancel = false;
    RaiseEvent(BeforeJump, cancel);
    if (!cancel) HyperJump(url_);
    busy_ = false;
    RaiseEvent(Click);
    // A click ends the link look; the next move over the text starts it again.
    if (hovered_) EndHover();
}

void EtsLinkLabel::Label1_MouseMove() {
    if (!busy_ && hover_ && !url_.empty()) {
        // While the link look lasts, moves are not news: the sound played when it began.
        if (hovered_) return;
        hovered_ = true;
        Refresh();
        leave_.Start();
    }
    PlayHoverSound();
}

void EtsLinkLabel::EndHover() {
    leave_.Stop();
    hovered_ = false;
    Refresh();
}

void EtsLinkLabel::Label1_Change() {
    if (style_ != 0) return;
    ArrangeLink();
    RaiseEvent(Change);
}

// The data folder's "cross.wav", only when it is there: the platform would play its default
// sound for a missing one.
void EtsLinkLabel::PlayHoverSound() {
    rt::Try([&] {
        const auto& pat = MainWindow().pat;
        const std::string path = (pat ? pat() : std::string()) + "data\\cross.wav";
        if (!PathFileExistsA(path.c_str())) return;
        rt::Effects().PlaySoundA(path, SND_NOWAIT);
    });
}

}  // namespace controls
