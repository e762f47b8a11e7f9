#include "runtime/activex.h"

#include <wmp.h>

#include <algorithm>
#include <utility>

#include "runtime/ansi_text.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace rt {

namespace {

// The system's ActiveX host (atl.dll): MinGW ships no headers for it, so the two entry points
// are declared here and looked up once; the library stays loaded for the process.
using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

struct AtlHost {
    AtlAxGetControlFn getControl = nullptr;
    bool ready = false;
};

const AtlHost& Atl() {
    static AtlHost host = [] {
        AtlHost h;
        HMODULE lib = LoadLibraryA("atl.dll");
        if (!lib) return h;
        auto init = reinterpret_cast<AtlAxWinInitFn>(GetProcAddress(lib, "AtlAxWinInit"));
        h.getControl = reinterpret_cast<AtlAxGetControlFn>(GetProcAddress(lib, "AtlAxGetControl"));
        h.ready = init && h.getControl && init();
        return h;
    }();
    return host;
}

}  // namespace

// ---- ActiveXControl

ActiveXControl::ActiveXControl(Container& c, std::string name, int index, std::string progId)
    : ActiveXControl(c, std::move(name), index, std::move(progId), Missing::Raise) {}

ActiveXControl::ActiveXControl(Container& c, std::string name, int index, std::string progId, Missing missing,
                               bool visible)
    : Control(c, std::move(name), index, Kind::Windowed), progId_(std::move(progId)) {
    if (!visible) Control::Visible(false);
    create(missing);
}

ActiveXControl::ActiveXControl(Container& c, std::string name, int index, std::string progId, Missing missing,
                               OnFirstUse)
    : Control(c, std::move(name), index, Kind::Windowed), progId_(std::move(progId)), waiting_(true) {
    (void)missing;  // a waiting component is always a design-time one that tolerates its absence
    CreateChild("Static", 0);
    ShowWindow(hwnd_, SW_HIDE);
}

void ActiveXControl::Realize() const {
    if (!waiting_) return;
    auto* self = const_cast<ActiveXControl*>(this);
    self->waiting_ = false;
    self->create(Missing::Tolerate);
}

HWND ActiveXControl::hWnd() const noexcept {
    try {
        Realize();
    } catch (...) {
        // No window could be made for the component: it stays without one.
    }
    return hwnd_;
}

void ActiveXControl::Visible(bool v) {
    if (v) Realize();
    Control::Visible(v);
}

ActiveXControl::ActiveXControl(const ActiveXControl& t, int index)
    : ActiveXControl(t, index, Missing::Raise) {}

ActiveXControl::ActiveXControl(const ActiveXControl& t, int index, Missing missing)
    : Control(t, index), progId_(t.progId_) {
    create(missing);
}

ActiveXControl::~ActiveXControl() {
    // The host window releases the component when it goes (in ~Control).
    unknown_.reset();
}

void ActiveXControl::create(Missing missing) {
    EnsureOle();
    auto fail = [&](const std::string& why) {
        if (missing == Missing::Raise) Raise(errCannotCreateObject, progId_, why);
    };
    // Without a component a waiting control keeps no stand-in window either, and a host that made
    // its window anyway loses it, so no empty host stays on the container.
    auto dropWindow = [&] { WindowHandle(std::exchange(hwnd_, nullptr)).reset(); };
    if (!Atl().ready) {
        dropWindow();
        return fail("The ActiveX host is not available");
    }
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(Widen(progId_).c_str(), &clsid))) {
        dropWindow();
        return fail("ActiveX component can't create object: " + progId_);
    }
    ReplaceChild("AtlAxWin", WS_CLIPCHILDREN, 0, progId_.c_str());
    IUnknown* unk = nullptr;
    HRESULT hr = Atl().getControl(hwnd_, &unk);
    unknown_ = ComPtr<IUnknown>(unk);
    if (FAILED(hr) || !unknown_) {
        unknown_.reset();
        dropWindow();
        return fail("ActiveX component can't create object: " + progId_);
    }
}

Object ActiveXControl::object() const {
    return Object(Query<IDispatch>(IID_IDispatch));
}

// ---- MediaPlayer

MediaPlayer::MediaPlayer(Container& c, std::string name, int index)
    : ActiveXControl(c, std::move(name), index, "WMPlayer.OCX", Missing::Tolerate, OnFirstUse{}) {}

MediaPlayer::MediaPlayer(const MediaPlayer& t, int index) : ActiveXControl(t, index, Missing::Tolerate) {}

ComPtr<IWMPPlayer4> MediaPlayer::Player() const {
    return Query<IWMPPlayer4>(__uuidof(IWMPPlayer4));
}

ComPtr<IWMPPlayer4> MediaPlayer::player() const {
    ComPtr<IWMPPlayer4> p = Player();
    if (!p) Raise(errCannotCreateObject, Name());
    return p;
}

namespace {
void Check(HRESULT hr, const std::string& source) {
    if (FAILED(hr)) Raise(errAutomation, source, "Automation error");
}
ComPtr<IWMPSettings> SettingsOf(IWMPPlayer4* p, const std::string& source) {
    ComPtr<IWMPSettings> s;
    Check(p->get_settings(s.put()), source);
    if (!s) Raise(errObjectVariableNotSet, source);
    return s;
}
ComPtr<IWMPControls> ControlsOf(IWMPPlayer4* p, const std::string& source) {
    ComPtr<IWMPControls> c;
    Check(p->get_controls(c.put()), source);
    if (!c) Raise(errObjectVariableNotSet, source);
    return c;
}
// A text or switch property of the player or one of its parts, read through its get_ member.
template <class On, class Get>
std::string ReadText(const ComPtr<On>& on, Get get, const std::string& source) {
    SysString b;
    Check((on.get()->*get)(b.put()), source);
    return FromBstr(b.get());
}
template <class On, class Get>
bool ReadSwitch(const ComPtr<On>& on, Get get, const std::string& source) {
    VARIANT_BOOL v = VARIANT_FALSE;
    Check((on.get()->*get)(&v), source);
    return v != VARIANT_FALSE;
}
VARIANT_BOOL Switch(bool v) {
    return v ? VARIANT_TRUE : VARIANT_FALSE;
}
}  // namespace

std::string MediaPlayer::URL() const {
    return ReadText(player(), &IWMPPlayer4::get_URL, Name());
}
void MediaPlayer::URL(const std::string& url) {
    Check(player()->put_URL(ToBstr(url).get()), Name());
}
std::string MediaPlayer::uiMode() const {
    return ReadText(player(), &IWMPPlayer4::get_uiMode, Name());
}
void MediaPlayer::uiMode(const std::string& mode) {
    Check(player()->put_uiMode(ToBstr(mode).get()), Name());
}
bool MediaPlayer::stretchToFit() const {
    return ReadSwitch(player(), &IWMPPlayer4::get_stretchToFit, Name());
}
void MediaPlayer::stretchToFit(bool v) {
    Check(player()->put_stretchToFit(Switch(v)), Name());
}
bool MediaPlayer::enableContextMenu() const {
    return ReadSwitch(player(), &IWMPPlayer4::get_enableContextMenu, Name());
}
void MediaPlayer::enableContextMenu(bool v) {
    Check(player()->put_enableContextMenu(Switch(v)), Name());
}
bool MediaPlayer::fullScreen() const {
    return ReadSwitch(player(), &IWMPPlayer4::get_fullScreen, Name());
}
void MediaPlayer::fullScreen(bool v) {
    Check(player()->put_fullScreen(Switch(v)), Name());
}
bool MediaPlayer::autoStart() const {
    return ReadSwitch(SettingsOf(player().get(), Name()), &IWMPSettings::get_autoStart, Name());
}
void MediaPlayer::autoStart(bool v) {
    Check(SettingsOf(player().get(), Name())->put_autoStart(Switch(v)), Name());
}
int32_t MediaPlayer::playCount() const {
    LONG n = 0;
    Check(SettingsOf(player().get(), Name())->get_playCount(&n), Name());
    return static_cast<int32_t>(n);
}
void MediaPlayer::playCount(int32_t n) {
    Check(SettingsOf(player().get(), Name())->put_playCount(n), Name());
}
void MediaPlayer::play() {
    Check(ControlsOf(player().get(), Name())->play(), Name());
}
void MediaPlayer::pause() {
    Check(ControlsOf(player().get(), Name())->pause(), Name());
}
void MediaPlayer::stop() {
    Check(ControlsOf(player().get(), Name())->stop(), Name());
}
void MediaPlayer::next() {
    Check(ControlsOf(player().get(), Name())->next(), Name());
}
void MediaPlayer::previous() {
    Check(ControlsOf(player().get(), Name())->previous(), Name());
}
double MediaPlayer::currentPosition() const {
    double d = 0;
    Check(ControlsOf(player().get(), Name())->get_currentPosition(&d), Name());
    return d;
}

// ---- run-time controls

class RuntimeControls {
public:
    static ActiveXControl& Add(Container& c, const std::string& progId, const std::string& name) {
        if (FindControl(c, name)) Raise(727, name, "There is already a control with the name '" + name + "'");
        auto control = std::make_unique<RuntimeActiveX>(c, name, progId);
        ActiveXControl& ref = *control;
        c.runtime_.push_back(std::move(control));
        return ref;
    }
    static void Remove(Container& c, const std::string& name) {
        Control* found = FindControl(c, name);
        if (!found) Raise(730, name, "Control '" + name + "' not found");
        auto it =
            std::find_if(c.runtime_.begin(), c.runtime_.end(), [&](auto& p) { return p.get() == found; });
        if (it == c.runtime_.end()) Raise(errCannotUnloadDesignControl, name);
        std::unique_ptr<Control> doomed = std::move(*it);
        c.runtime_.erase(it);
        // Out of the collection at once, so the name is free again; the object goes later.
        doomed->Visible(false);
        c.remove(doomed.get());
        DestroyLater(std::move(doomed));
    }

private:
    // Added controls start hidden, as the container's Add gives them.
    struct RuntimeActiveX : ActiveXControl {
        RuntimeActiveX(Container& c, const std::string& name, const std::string& progId)
            : ActiveXControl(c, name, -1, progId, Missing::Raise, false) {}
    };
};

ActiveXControl& AddControl(Container& container, const std::string& progId, const std::string& name) {
    return RuntimeControls::Add(container, progId, name);
}

void RemoveControl(Container& container, const std::string& name) {
    RuntimeControls::Remove(container, name);
}

Control* FindControl(const Container& container, const std::string& name) {
    for (Control* c : container.Controls())
        if (EqualsNoCase(c->Name(), name)) return c;
    return nullptr;
}

}  // namespace rt
