// Controls of other components (ActiveX), hosted in place by the system's ActiveX host window,
// and the controls a container gets at run time.
//
//   rt::ActiveXControl& pdf = rt::AddControl(form, "AcroPDF.PDF.1", "PDF");  // 429 when not installed
//   pdf.Visible(true);
//   pdf.object().Call("LoadFile", path);                                       // by member name
//   for (rt::Control* c : form.Controls()) if (c->Name() == "tovi1") ...
//   rt::RemoveControl(form, "PDF");
//
// Whether a component is installed is judged from its ProgID and from the host's control, never
// from the host window (the host makes a window for any text).
#pragma once

#include <string>

#include "runtime/control.h"
#include "runtime/dispatch.h"

struct IWMPPlayer4;

namespace rt {

class ActiveXControl : public Control {
public:
    // Creates the component of the ProgID in place on the container; raises 429 when it is not
    // installed or cannot be created.
    ActiveXControl(Container& c, std::string name, int index, std::string progId);
    // An array member: a new instance of the template's component, hidden.
    ActiveXControl(const ActiveXControl& templ, int index);
    ~ActiveXControl() override;

    const std::string& ProgID() const noexcept { return progId_; }
    // False when the component could not be created (only controls placed at design time
    // exist without one; see Missing).
    bool Created() const {
        Realize();
        return static_cast<bool>(unknown_);
    }
    // The control itself, for late-bound calls by member name (Nothing when it has no IDispatch).
    Object object() const;
    IUnknown* Unknown() const {
        Realize();
        return unknown_.get();
    }
    template <class I>
    ComPtr<I> Query(REFIID iid) const {
        Realize();
        return unknown_.as<I>(iid);
    }
    // The host window (the component is made first when it waits for its first use).
    HWND hWnd() const noexcept override;
    void Visible(bool v) override;
    using Control::Visible;

protected:
    // Design-time controls: a missing component leaves the control without one instead of
    // failing the form's construction.
    enum class Missing { Raise, Tolerate };
    ActiveXControl(Container& c, std::string name, int index, std::string progId, Missing missing,
                   bool visible = true);
    // A design-time control whose component (and the libraries behind it) is made only when it is
    // first used: shown, asked for its window or reached through its interfaces. Until then a
    // hidden stand-in window keeps its rectangle and its place among its siblings.
    struct OnFirstUse {};
    ActiveXControl(Container& c, std::string name, int index, std::string progId, Missing missing,
                   OnFirstUse);
    // Makes a waiting component now (see OnFirstUse).
    void Realize() const;
    ActiveXControl(const ActiveXControl& templ, int index, Missing missing);

private:
    void create(Missing missing);
    std::string progId_;
    ComPtr<IUnknown> unknown_;
    bool waiting_ = false;  // OnFirstUse: the component is not made yet
};

// The platform's media player control ("WMPlayer.OCX"), reached through its own interfaces
// (it answers no calls by name here). Every member raises 429 without the component and 440 when
// the player refuses the call.
class MediaPlayer : public ActiveXControl {
public:
    MediaPlayer(Container& c, std::string name, int index = -1);
    MediaPlayer(const MediaPlayer& templ, int index);

    std::string URL() const;
    void URL(const std::string& url);
    std::string uiMode() const;
    void uiMode(const std::string& mode);
    bool stretchToFit() const;
    void stretchToFit(bool v);
    bool enableContextMenu() const;
    void enableContextMenu(bool v);
    bool fullScreen() const;
    void fullScreen(bool v);
    // settings
    bool autoStart() const;
    void autoStart(bool v);
    int32_t playCount() const;
    void playCount(int32_t n);
    // controls
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    double currentPosition() const;

    ComPtr<IWMPPlayer4> Player() const;

private:
    ComPtr<IWMPPlayer4> player() const;  // raises 429 without the component
};

// Adds a control of the ProgID under the name (the container owns it; it starts hidden).
// Raises 727 when a control of that name exists and 429 when the component is not installed;
// either way nothing is added.
ActiveXControl& AddControl(Container& container, const std::string& progId, const std::string& name);
// Removes a control added at run time: it leaves the container at once and is destroyed when no
// handler runs. Raises 730 for an unknown name and 362 for a control placed at design time.
void RemoveControl(Container& container, const std::string& name);
// The first control of the container with the name (case does not matter); nullptr when none.
Control* FindControl(const Container& container, const std::string& name);

}  // namespace rt
