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

VANTREL_PROPERTY_TABLE(EtsLinkLabel, VANTREL_LINKLABEL_PROPERTIES)

void EtsLinkLabel::UserControl_InitProperties() {
    busy_ = true;
    Properties().InitAll(*this);
    Label1.ForeColor(settings_.ForeColor);
    busy_ = false;
    ArrangeLink();
}

// The text's colour comes with the first Refresh, when the control shows.
void EtsLinkLabel::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    busy_ = true;
    Properties().ReadAll(*this, PropBag);
    busy_ = false;
    if (!settings_.Picture.Empty()) Image1.SetPicture(settings_.Picture);
    Image1.Visible(settings_.Style == 1);
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

void EtsLinkLabel::BackStyle(int32_t v) {
    if (v != 0 && v != 1) Illegal("BackStyle");
    UserControl::BackStyle(static_cast<int16_t>(v));
    PropertyChanged("BackStyle");
}

void EtsLinkLabel::DropColorAngleLeft(int16_t v) {
    Set(settings_.DropColorAngleLeft, std::clamp<int16_t>(v, -50, 50), "DropColorAngleLeft");
}

void EtsLinkLabel::DropColorAngleTop(int16_t v) {
    Set(settings_.DropColorAngleTop, std::clamp<int16_t>(v, -50, 50), "DropColorAngleTop");
}

void EtsLinkLabel::Font(rt::Font v) {
    Label1.SetFont(std::move(v));
    ArrangeLink();
    Refresh();
    PropertyChanged("Font");
}

void EtsLinkLabel::Picture(rt::Picture v) {
    settings_.Picture = std::move(v);
    Image1.SetPicture(settings_.Picture.Empty() ? designIcon_ : settings_.Picture);
    if (settings_.Style == 1) {
        ArrangeLink();
        RaiseEvent(Change);
    }
    PropertyChanged("Picture");
}

void EtsLinkLabel::Style(int32_t v) {
    if (v != 0 && v != 1) Illegal("Style");
    if (v != settings_.Style) {
        settings_.Style = v;
        leave_.Stop();
        hovered_ = false;
        // The picture shows in its own style only.
        Image1.Visible(settings_.Style == 1);
        ArrangeLink();
        Refresh();
    }
    PropertyChanged("Style");
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
    if (settings_.Style == 0) {
        const bool link = !settings_.Hover || hovered_;
        const uint32_t colour = link ? settings_.LinkColor : settings_.ForeColor;
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
    if (!cancel) HyperJump(settings_.URL);
    busy_ = false;
    RaiseEvent(Click);
    // A click ends the link look; the next move over the text starts it again.
    if (hovered_) EndHover();
}

void EtsLinkLabel::Label1_MouseMove() {
    if (!busy_ && settings_.Hover && !settings_.URL.empty()) {
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
    if (settings_.Style != 0) return;
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
