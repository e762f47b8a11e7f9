// The web viewer: the system web browser control under a toolbar row of an address box with its
// history list and the buttons back, forward, stop, refresh and go; and the plain web host fls,
// the browser alone.
//
// The browser is called by member name. When it cannot be created, the toolbar and the address
// box are still there and the public members raise 429.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/activex.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/handles.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"
// after the runtime's windows.h
#include <ocidl.h>

namespace controls {

// The browser component of both controls: the system's web browser unless a test names another.
const std::string& WebBrowserProgID();
void SetWebBrowserProgID(std::string progId);

// The stored properties (see runtime/property_list.h).
// clang-format off
#define VANTREL_BROWSER_PROPERTIES(X)                                       \
    X(Relay, int16_t, Value, [](auto& u) { return u.show.Value(); },        \
      [](auto& u, int16_t v) { u.show.Value(v); }, int16_t{0}, int16_t{0})
// clang-format on

class UserControl1 : public rt::UserControl {
public:
    UserControl1(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    UserControl1(const UserControl1& templ, int index);
    ~UserControl1() override;

    // Navigates to a URL or file; the optional Flags, TargetFrameName, PostData and Headers go
    // on as given (those not given stay missing).
    void Navigate(const std::string& URL, std::vector<rt::Variant> optional = {});
    // 1 hides the toolbar row under the browser, 0 shows it; outside 0 to 2 raises 380.
    int16_t Value() const noexcept { return show.Value(); }
    VANTREL_PROPERTY_ACCESSORS(VANTREL_BROWSER_PROPERTIES)
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Stopbrow();

    // The browser's container; nullptr when no browser could be created.
    rt::ActiveXControl* w() const noexcept { return w_.get(); }
    rt::ComboBox h{*this, "h"};
    rt::CheckBox show{*this, "show"};
    rt::CommandButton Command5{*this, "Command5"};
    rt::CommandButton Command4{*this, "Command4"};
    rt::CommandButton Command3{*this, "Command3"};
    rt::CommandButton Command2{*this, "Command2"};
    rt::CommandButton Command6{*this, "Command6"};

    void ChildFocus(rt::Control& child, bool gained, HWND other) override;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
    void UserControl_Resize() override;

private:
    // The browser's events: only ProgressChange is used. The sink lives with the control and is
    // disconnected before it goes, so it keeps no count of its own.
    class BrowserEvents : public IDispatch {
    public:
        explicit BrowserEvents(UserControl1& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP GetTypeInfoCount(UINT* n) override;
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    private:
        UserControl1& owner_;
    };
    void ConnectEvents();
    // The toolbar's pictures, drawn here, shown on the buttons and released with the control.
    void SetButtonPictures();
    std::vector<rt::Bitmap> pictures_;
    // The browser's location into the address box.
    void ShowLocation();

    static const rt::PropertyTable<UserControl1>& Properties();
    void wire();
    void Layout();
    rt::Object browser() const;  // raises 429 without a browser
    void show_Click();
    void Go();
    // A toolbar button: the browser's member, any failure ignored.
    void Toolbar(const char* member);

    // Made first, so that it comes first among the parts.
    std::unique_ptr<rt::ActiveXControl> w_;
    BrowserEvents events_{*this};
    rt::ComPtr<IConnectionPoint> eventPoint_;
    DWORD eventCookie_ = 0;
};

class fls : public rt::UserControl {
public:
    fls(rt::Container& c, std::string name, int index = -1,
        std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    fls(const fls& templ, int index);
    ~fls() override;

    // A URL that is not empty is opened and the browser shown; an empty one only hides it.
    void Navigate(const std::string& URL, std::vector<rt::Variant> optional = {});
    rt::ActiveXControl* WebBrowser1() const noexcept { return browser_.get(); }

protected:
    void UserControl_Resize() override;

private:
    std::unique_ptr<rt::ActiveXControl> browser_;
};

}  // namespace controls
