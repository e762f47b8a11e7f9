// The slideshow: the pictures of one folder one after another, each fitted into the control over
// the back colour, changing with the transition effect that the transition code names. A click
// on the shown picture runs the action list that the item list gives for its file name.
//
// Picture7 is the display; Picture5 (the old picture) and Picture6 (the new one) are hidden boxes
// of the control's size that the transition reads. The clock lists the folder again at every
// advance, so the index (Text1) walks the folder's current listing and wraps past either end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h). A new show reads
// none: it starts as designed. The interval is stored as the clock holds it.
// clang-format off
#define VANTREL_SLIDESHOW_PROPERTIES(X)                                                     \
    X(Relay, bool, StartPlay, [](auto& s) { return s.Timer1.Enabled(); },                   \
      [](auto& s, bool on) { s.Timer1.Enabled(on); }, false, false)                         \
    X(Via, int32_t, Interval, [](auto& s) { return s.Timer1.Interval(); },                  \
      [](auto& s, int32_t ms) { s.Timer1.Interval(ms); }, kDesignInterval, kDesignInterval, \
      rt::StoredAs([](uint32_t ms) { return static_cast<int32_t>(ms); }, TimerInterval))    \
    X(Store, std::string, trnsname, std::string("wd"))                                      \
    X(Relay, uint32_t, BackColor, [](auto& s) { return s.clr; },                            \
      [](auto& s, uint32_t c) {                                                             \
          s.clr = c;                                                                        \
          s.rt::UserControl::BackColor(c);                                                  \
          s.Picture7.Surface().BackColor(c);                                                \
      },                                                                                    \
      0x8000000Fu, 0x8000000Fu)                                                             \
    X(Store, std::string, FPath, std::string())
// clang-format on

class slideshowacx : public rt::UserControl {
public:
    slideshowacx(rt::Container& c, std::string name, int index = -1,
                 std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    slideshowacx(const slideshowacx& templ, int index);

    void trns();  // the transition that trnsname names; empty: a random one
    void rez();   // fits Picture5's picture into Picture5
    void rez2();  // the same for Picture6
    // The action items from an item action file (every item whole).
    void goslid(const std::string& pathn);
    // The effect wrappers, one per transition code; wlss is the effect of "wh".
    void wlss();
    void wv();
    void wl();
    void wu();
    void rlv();
    void wd();
    void rlh();
    void su();
    void sp();
    void wr();
    void wh();

    // From the list: the setters of StartPlay and BackColor, and trnsname and FPath (the folder,
    // relative to the application folder; listed at the next advance), kept and stored.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_SLIDESHOW_PROPERTIES)
    bool StartPlay() const noexcept { return Timer1.Enabled(); }
    // Milliseconds per slide; a Let makes the next tick come after 5 ms.
    int32_t Interval() const noexcept { return static_cast<int32_t>(Timer1.Interval()); }
    void Interval(int32_t v);
    uint32_t BackColor() const noexcept { return clr; }
    void nextp();  // one step forward, running or not
    void playp();  // enables the clock
    void backp();  // one step back

    bool StartPlayv = false;  // the clock advances only while this holds

    rt::Event<int16_t, int16_t, float, float> MouseDown;  // Picture7's
    rt::Event<> Click;                                    // before the picture's actions run

    // The index into File1's list and the shown file's name, as the control keeps them.
    const std::string& CurrentIndex() const noexcept { return Text1; }
    const std::string& ShownName() const noexcept { return txtname; }

    rt::PictureBox Picture7{*this, "Picture7"};
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::PictureBox Picture6{*this, "Picture6"};
    rt::FileListBox File1{*this, "File1"};
    rt::Timer Timer1{*this, "Timer1"};
    rt::ListBox List1{*this, "List1"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<slideshowacx>& Properties();
    enum class Step { Timer, Next, Back };
    void wire();
    std::string PictureFolder() const;
    void ListFolderAtLoad();
    void Timer1_Timer();
    void Advance(Step how);
    void Recover(Step how);
    void Fit(rt::PictureBox& box);
    void LoadInto(rt::PictureBox& box, int i);
    void Effect(const char* code);
    // Lets the message loop run once; ends the advance when the control was unloaded meanwhile.
    void Pump();
    void Picture7_Click();

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_SLIDESHOW_PROPERTIES)
    } settings_;
    std::string Text1 = "-1";
    std::string txtname;
    uint32_t clr = 0x8000000Fu;  // the back colour
    int32_t interval_ = 0;       // as last set through Interval
};

}  // namespace controls
