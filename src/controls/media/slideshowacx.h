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
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

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

    bool StartPlay() const noexcept { return Timer1.Enabled(); }
    void StartPlay(bool v);
    // Milliseconds per slide; a Let makes the next tick come after 5 ms.
    int32_t Interval() const noexcept { return static_cast<int32_t>(Timer1.Interval()); }
    void Interval(int32_t v);
    const std::string& trnsname() const noexcept { return Text2; }
    void trnsname(const std::string& v);
    uint32_t BackColor() const noexcept { return clr; }
    void BackColor(uint32_t v);
    // The folder, relative to the application folder; listed at the next advance.
    const std::string& FPath() const noexcept { return pth; }
    void FPath(const std::string& v);
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

    std::string Text1 = "-1";
    std::string txtname;
    std::string Text2 = "wd";
    std::string pth;
    uint32_t clr = 0x8000000Fu;
    int32_t interval_ = 0;  // as last set through Interval
};

}  // namespace controls
