#include "controls/media/UserControl1.h"

#include <exdisp.h>
#include <exdispid.h>

#include <string>
#include <utility>

#include "controls/common/paint.h"
#include "runtime/dib.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr int16_t kEnter = 13;
constexpr double kToolbarTop = 360;  // twips: the browser's place under the toolbar row
constexpr double kTallerWithoutToolbar = 370;

std::string& BrowserProgID() {
    static std::string progId = "Shell.Explorer.2";
    return progId;
}

// The browser part, or nothing when the component is missing or refuses to start.
std::unique_ptr<rt::ActiveXControl> MakeBrowser(rt::Container& parent, const char* name) {
    std::unique_ptr<rt::ActiveXControl> browser;
    rt::Try([&] { browser = std::make_unique<rt::ActiveXControl>(parent, name, -1, BrowserProgID()); });
    return browser;
}

rt::Object BrowserObject(const std::unique_ptr<rt::ActiveXControl>& browser, const std::string& source) {
    rt::Object o;
    if (browser) o = browser->object();
    if (o.IsNothing()) rt::Raise(rt::errCannotCreateObject, source);
    return o;
}

enum class Glyph { Back, Forward, Stop, Refresh, Go };

// A 24-bit picture of the button face with its glyph.
rt::Bitmap ButtonPicture(int width, int height, Glyph glyph) {
    const BITMAPINFO bi = rt::DibHeader(width, height, 24, true);
    void* bits = nullptr;
    rt::ScreenDC screen;
    rt::Bitmap picture(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    rt::MemoryDC dc(screen.get());
    if (!picture || !dc) return picture;
    rt::SelectGuard bitmap(dc.get(), picture.get());
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    const int cx = width / 2, cy = height / 2;
    const COLORREF ink = glyph == Glyph::Stop                              ? RGB(192, 32, 32)
                         : glyph == Glyph::Back || glyph == Glyph::Forward ? RGB(32, 64, 160)
                                                                           : RGB(32, 128, 48);
    rt::Brush brush(CreateSolidBrush(ink));
    rt::Pen pen(CreatePen(PS_SOLID, 2, ink));
    rt::SelectGuard useBrush(dc.get(), brush.get());
    rt::SelectGuard usePen(dc.get(), pen.get());
    switch (glyph) {
        case Glyph::Back: {
            POINT p[] = {{cx - 6, cy}, {cx + 4, cy - 7}, {cx + 4, cy + 7}};
            Polygon(dc.get(), p, 3);
            break;
        }
        case Glyph::Forward: {
            POINT p[] = {{cx + 6, cy}, {cx - 4, cy - 7}, {cx - 4, cy + 7}};
            Polygon(dc.get(), p, 3);
            break;
        }
        case Glyph::Stop:
            MoveToEx(dc.get(), cx - 5, cy - 5, nullptr);
            LineTo(dc.get(), cx + 5, cy + 5);
            MoveToEx(dc.get(), cx + 5, cy - 5, nullptr);
            LineTo(dc.get(), cx - 5, cy + 5);
            break;
        case Glyph::Refresh: {
            Arc(dc.get(), cx - 6, cy - 6, cx + 6, cy + 6, cx + 6, cy - 2, cx + 6, cy);
            POINT p[] = {{cx + 3, cy - 6}, {cx + 8, cy - 6}, {cx + 6, cy - 1}};
            Polygon(dc.get(), p, 3);
            break;
        }
        case Glyph::Go: {
            MoveToEx(dc.get(), cx - 6, cy, nullptr);
            LineTo(dc.get(), cx + 2, cy);
            POINT p[] = {{cx + 6, cy}, {cx + 1, cy - 5}, {cx + 1, cy + 5}};
            Polygon(dc.get(), p, 3);
            break;
        }
    }
    return picture;
}

void CallNavigate(const rt::Object& browser, const std::string& URL, std::vector<rt::Variant> optional) {
    std::vector<rt::Variant> args{rt::Variant(URL)};
    for (rt::Variant& v : optional) args.push_back(std::move(v));
    browser.CallWith("Navigate", std::move(args));
}

}  // namespace

const std::string& WebBrowserProgID() {
    return BrowserProgID();
}

void SetWebBrowserProgID(std::string progId) {
    BrowserProgID() = std::move(progId);
}

// ---- UserControl1

UserControl1::UserControl1(rt::Container& c, std::string name, int index,
                           std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Move(0, 0, 6900, 5745);  // the design size
    wire();
    Create();
}

UserControl1::UserControl1(const UserControl1& t, int index) : UserControl(t, index) {
    wire();
    Create();
}

UserControl1::~UserControl1() {
    if (eventPoint_) eventPoint_->Unadvise(eventCookie_);
}

STDMETHODIMP UserControl1::BrowserEvents::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DWebBrowserEvents2)
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
}

STDMETHODIMP UserControl1::BrowserEvents::GetTypeInfoCount(UINT* n) {
    if (n) *n = 0;
    return S_OK;
}

STDMETHODIMP UserControl1::BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                                 EXCEPINFO*, UINT*) {
    if (id == DISPID_PROGRESSCHANGE) owner_.ShowLocation();
    return S_OK;
}

void UserControl1::ConnectEvents() {
    auto container = w_->Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container || FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, eventPoint_.put())))
        return;
    if (FAILED(eventPoint_->Advise(&events_, &eventCookie_))) eventPoint_.reset();
}

void UserControl1::ShowLocation() {
    rt::HandlerScope scope;
    rt::Try([&] { h.Text(browser().Get("LocationURL").ToString()); });
}

void UserControl1::ChildFocus(rt::Control& child, bool gained, HWND other) {
    if (gained && w_ && &child == w_.get()) ShowLocation();
    UserControl::ChildFocus(child, gained, other);
}

VANTREL_PROPERTY_TABLE(UserControl1, VANTREL_BROWSER_PROPERTIES)

void UserControl1::wire() {
    BackColor(0xFFFFFF);
    w_ = MakeBrowser(*this, "w");
    if (w_) {
        w_->Move(0, kToolbarTop, 6855, 3975);
        w_->Visible(true);
        ConnectEvents();
    }
    // The design positions; the layout places the address box, the go button and the browser.
    h.Move(0, 0, 6855, 360);
    h.GetFont().Name("Tahoma");
    h.GetFont().Size(9.75f);
    h.ToolTipText("Address bar");
    // The box is as tall as its font makes its text field (the window's own closed height).
    RECT field{};
    if (GetWindowRect(h.hWnd(), &field)) h.Height(double(field.bottom - field.top) * rt::TwipsPerPixelY());
    show.Move(5160, 4800, 1215, 375);
    show.Caption("Check1");
    show.Visible(false);
    struct Button {
        rt::CommandButton& b;
        double left, top, width, height;
        const char* tip;
    };
    for (const Button& b :
         {Button{Command5, 1080, 0, 375, 375, "Refresh"}, Button{Command4, 720, 0, 375, 375, "Stop"},
          Button{Command3, 360, 0, 375, 375, "Forward"}, Button{Command2, 0, 0, 375, 375, "Back"},
          Button{Command6, 6360, 20, 340, 320, "Go"}}) {
        b.b.Move(b.left, b.top, b.width, b.height);
        b.b.Caption("");
        b.b.ToolTipText(b.tip);
    }
    SetButtonPictures();
    show.Click = [this](int) { show_Click(); };
    Command2.Click = [this](int) { Toolbar("GoBack"); };
    Command3.Click = [this](int) { Toolbar("GoForward"); };
    Command4.Click = [this](int) { Toolbar("Stop"); };
    Command5.Click = [this](int) { Toolbar("Refresh"); };
    Command6.Click = [this](int) { Go(); };
    h.KeyDown = [this](int, int16_t& key, int16_t) {
        if (key == kEnter) Go();
    };
}

void UserControl1::SetButtonPictures() {
    struct Face {
        rt::CommandButton& button;
        int width, height;
        Glyph glyph;
    };
    for (const Face& f : {Face{Command5, 19, 23, Glyph::Refresh}, Face{Command4, 19, 23, Glyph::Stop},
                          Face{Command3, 22, 24, Glyph::Forward}, Face{Command2, 23, 24, Glyph::Back},
                          Face{Command6, 18, 18, Glyph::Go}}) {
        rt::Bitmap picture = ButtonPicture(f.width, f.height, f.glyph);
        HWND w = f.button.hWnd();
        if (!picture || !w) continue;
        SetWindowLongPtrA(w, GWL_STYLE, GetWindowLongPtrA(w, GWL_STYLE) | BS_BITMAP);
        SendMessageA(w, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
        pictures_.push_back(std::move(picture));
    }
}

rt::Object UserControl1::browser() const {
    return BrowserObject(w_, Name());
}

void UserControl1::UserControl_Initialize() {
    if (w_) rt::Try([&] { browser().Let("Offline", true); });
    Layout();
    if (w_) ShowLocation();
}

void UserControl1::UserControl_Resize() {
    Layout();
}

void UserControl1::Layout() {
    if (w_) {
        rt::Try([&] {
            w_->Width(Width());
            w_->Height(Height() - h.Height());
            w_->Top(h.Height());
        });
    }
    rt::Try([&] { h.Left(0); });
    rt::Try([&] { h.Width(Width()); });
    rt::Try([&] { Command6.Left(Width() - Command6.Width()); });
    if (w_) {
        if (show.Value() == 1) w_->Top(0);
        if (show.Value() == 0) w_->Top(h.Height());
    }
}

void UserControl1::show_Click() {
    if (!w_) return;
    if (show.Value() == 1) {
        w_->Top(0);
        w_->Height(w_->Height() + kTallerWithoutToolbar);
    }
    if (show.Value() == 0) w_->Top(kToolbarTop);
}

void UserControl1::Go() {
    h.AddItem(h.Text());
    // An address the browser refuses is ignored, as the toolbar's buttons ignore theirs.
    rt::Try([&] { browser().Call("Navigate", h.Text()); });
}

void UserControl1::Toolbar(const char* member) {
    rt::Try([&] { browser().Call(member); });
}

void UserControl1::Navigate(const std::string& URL, std::vector<rt::Variant> optional) {
    CallNavigate(browser(), URL, std::move(optional));
}
void UserControl1::GoBack() {
    browser().Call("GoBack");
}
void UserControl1::GoForward() {
    browser().Call("GoForward");
}
void UserControl1::GoHome() {
    browser().Call("GoHome");
}
void UserControl1::Refresh() {
    browser().Call("Refresh");
}
void UserControl1::Stopbrow() {
    browser().Call("Stop");
}

// ---- fls

fls::fls(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)),
      browser_(MakeBrowser(*this, "WebBrowser1")) {
    Create();
}

fls::fls(const fls& t, int index) : UserControl(t, index), browser_(MakeBrowser(*this, "WebBrowser1")) {
    Create();
}

fls::~fls() = default;

void fls::Navigate(const std::string& URL, std::vector<rt::Variant> optional) {
    if (URL.empty()) {
        if (browser_) browser_->Visible(false);
        return;
    }
    CallNavigate(BrowserObject(browser_, Name()), URL, std::move(optional));
    browser_->Visible(true);
}

void fls::UserControl_Resize() {
    if (browser_) rt::Try([&] { browser_->Move(0, 0, Width(), Height()); });
}

}  // namespace controls
