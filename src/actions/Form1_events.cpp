// The main window's handlers of page-object events: the click road that runs an object's action
// list after the enter sound, the hover road with its one sound latch for the whole window, the
// option buttons, the password box, the file list, the thumbnail choice and the plug-in
// placeholders.
#include <windows.h>
// after windows.h
#include <mmsystem.h>
#include <shlwapi.h>

#include <string>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "shell/Form1.h"
#include "windows/Form5_about.h"

namespace {

constexpr DWORD kSoundNoWait = SND_NOWAIT;  // alone: synchronous, skipped when the device is busy
constexpr int16_t kEnter = 13;
constexpr const char* kFlashDownload = "http://get.adobe.com/flashplayer/";
constexpr const char* kPdfDownload = "http://get.adobe.com/reader/";

}  // namespace

Form1::EventHookup::EventHookup(Form1& f) {
    f.Picture8.DblClick = [&f](int) { f.Picture8_DblClick(); };
    f.bac.OnFinished = [&f](int, bool& finished) { f.bac_OnFinished(finished); };
    f.mb.OnFinished = [&f](int, bool& finished) { f.mb_OnFinished(finished); };
    f.mb.movierun = [&f](int, bool& mrun) { f.mb_movierun(mrun); };
    f.Picture16.Click = [&f](int) { f.Picture16_Click(); };
    f.Picture16.MouseDown = [&f](int, int16_t& shift) { f.Picture16_MouseDown(shift); };
    f.Picture16.MouseUp = [&f](int, int16_t& shift) { f.Picture16_MouseUp(shift); };
}

// ---- sounds, tooltip, and the two roads of an action list

void Form1::sound(const std::string& action) {
    const std::string path = pat.Text() + "data\\" + action + ".wav";
    if (!PathFileExistsA(path.c_str())) return;
    rt::Effects().PlaySoundA(path, kSoundNoWait);
}

void Form1::lab() {
    Label3.Visible(true);
}

void Form1::RunActionList(const std::string& ActionList) {
    // The pieces are taken before the first runs; a jump leaves the rest to the new page.
    for (const std::string& piece : actions::SplitActionList(ActionList)) ExecuteTag(piece);
}

void Form1::RunActionListThroughLk(const std::string& ActionList) {
    lk.Clear();
    for (const std::string& piece : actions::SplitActionList(ActionList)) lk.AddItem(piece);
    // A nested run may refill the list; each command is read just before it runs.
    const int count = lk.ListCount();
    for (int i = 0; i < count; ++i) ExecuteTag(lk.List(i));
}

bool Form1::ClickRoad(const rt::Control& object, bool soundAlways) {
    if (!soundAlways && object.Tag().empty()) return false;
    sound("enter");
    RunActionList(object.Tag());
    return true;
}

void Form1::HoverSoundStep() {
    if (!HoverLatch) sound("cross");
    HoverLatch = true;
}

void Form1::ShowToolTip(const std::string& text) {
    Label3.Caption(text);
    if (Label3.Caption() != "") lab();
}

void Form1::AboutCaption(const std::string& text) {
    rt::Try([&] { rt::Load<Form5>().Label1.Caption(text); });
}

std::string Form1::HoverPicturePath(int Index, const std::string& kind) const {
    return pat.Text() + "\\data\\" + page.Text() + "P" + std::to_string(Index) + kind + ".pic";
}

// ---- clicks

void Form1::Label1_Click(int Index) {
    if (Label1[Index].Tag().empty()) {
        rt::Try([&] { Label1[Index].MousePointer(rt::vbDefault); });
        return;
    }
    ClickRoad(Label1[Index], false);
    // The page may have changed: the member of that index now is the one asked.
    rt::Try([&] { AboutCaption(Label1[Index].ToolTipText()); });
}

void Form1::pic_Click(int Index) {
    ClickRoad(pic[Index], false);
}

void Form1::imageover_Click(int Index) {
    ClickRoad(imageover[Index], false);
    rt::Try([&] { AboutCaption(imageover[Index].ToolTipText()); });
}

void Form1::Command1_Click(int Index) {
    if (!ClickRoad(Command1[Index], false)) return;
    // The page may have changed: the member of that index now is the one asked.
    rt::Try([&] { AboutCaption(Command1[Index].ToolTipText()); });
}

void Form1::Macbt_Click(int Index) {
    ClickRoad(Macbt[Index], true);
}

// The label has opened its address (or not) before this runs.
void Form1::lnk_Click(int Index) {
    std::string actions;
    if (!rt::Try([&] { actions = lnk[Index].Tag(); }) || actions.empty()) return;
    sound("enter");
    RunActionListThroughLk(actions);
}

void Form1::metrodes1_Click(int Index) {
    ClickRoad(metrodes1[Index], false);
}

void Form1::bsGradientLabel1_Click(int Index) {
    ClickRoad(bsGradientLabel1[Index], true);
}

void Form1::gif_MouseUp(int Index, int16_t, int16_t, float, float) {
    ClickRoad(gif[Index], false);
}

void Form1::Shaper1_Click(int Index) {
    ClickRoad(Shaper1[Index], false);
}

void Form1::Form_Click() {
    rt::Try([&] { gr.Visible(false); });
}

void Form1::o_MouseDown(int Index, int16_t, int16_t, float, float) {
    rt::Try([&] { o[Index].Value(false); });
}

void Form1::o_MouseUp(int Index, int16_t, int16_t, float, float) {
    rt::Try([&] { o[Index].Value(true); });
    ClickRoad(o[Index], true);
    rt::Try([&] { AboutCaption(o[Index].ToolTipText()); });
}

// ---- hovers

void Form1::Label1_MouseMove(int Index, int16_t Button, int16_t, float, float) {
    rt::Procedure::run(rt::OnError::Stop, [&](rt::Procedure& proc) {
        proc.step([&] {
            rt::Label& label = Label1[Index];
            if (label.Tag() != "") {
                HoverSoundStep();
            } else {
                label.MousePointer(rt::vbDefault);
                if (Button == rt::vbLeftButton) {
                    // A label without actions lets the window be dragged by it.
                    ReleaseCapture();
                    SendMessageA(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
                }
            }
        });
        proc.step([&] { ShowToolTip(Label1[Index].ToolTipText()); });
        proc.switchTo(rt::OnError::Skip);
        proc.step([&] { gr.SetPicture(rt::LoadPicture(HoverPicturePath(Index, "lgr"))); });
        proc.step([&] { gr.Visible(true); });
    });
}

void Form1::imageover_MouseMove(int, int16_t, int16_t, float, float) {
    HoverSoundStep();
}

void Form1::Command1_MouseMove(int Index, int16_t, int16_t, float, float) {
    rt::Try([&] { HoverSoundStep(); });
    rt::Try([&] { gr.Visible(true); });
    rt::Try([&] { gr.SetPicture(rt::LoadPicture(HoverPicturePath(Index, "gr"))); });
    rt::Try([&] { ShowToolTip(Command1[Index].ToolTipText()); });
}

void Form1::Macbt_MouseMove(int, int16_t, int16_t, float, float) {
    rt::Try([&] { HoverSoundStep(); });
}

// A shape without actions redraws itself instead: no sound, no latch.
void Form1::Shaper1_MouseMove(int Index, int16_t, int16_t, float, float) {
    rt::Try([&] {
        if (Shaper1[Index].Tag() != "")
            HoverSoundStep();
        else
            Shaper1[Index].Refresh();
    });
}

void Form1::pic_MouseMove(int Index, int16_t, int16_t, float, float) {
    // A picture without actions keeps its pointer: the image control has none of its own.
    rt::Try([&] {
        if (pic[Index].Tag() != "") HoverSoundStep();
    });
    rt::Try([&] { gr.SetPicture(rt::LoadPicture(HoverPicturePath(Index, "grpic"))); });
    rt::Try([&] { gr.Visible(true); });
}

// ---- the alpha pictures: click, and the hover modes kept in each member's spare number

namespace {

constexpr int32_t kLightAndPress = 1;
constexpr int32_t kStatePictures = 5;

// The light-and-press mode's press and release: member Index moved by `shift` pixels both ways
// and lit by `intensity`.
void ShiftAndLight(Form1& main, int Index, int32_t shift, int32_t intensity) {
    rt::Try([&] {
        int32_t x = shift, y = shift;
        main.aap[Index].OffsetImage(true, x, y);
    });
    rt::Try([&] { main.aap[Index].IntensityOffset(intensity); });
}

}  // namespace

void Form1::aap_Click(int Index) {
    ClickRoad(aap[Index], false);
}

int32_t Form1::AapHoverMode(int Index) {
    int32_t mode = 0;
    rt::Try([&] { mode = aap[Index].Spare(); });
    return mode;
}

void Form1::AapStatePicture(int Index, const char* picture, bool release) {
    // The member's state pictures are read from its archive in the store on every event.
    std::string archive = "error", state = "error";
    rt::Try([&] {
        archive = pckex(page.Text() + "aap" + std::to_string(Index) + ".pic");
        OpenPictureArchive(archive);
        const char* name = picture;
        if (release) name = aap[Index].isMouseOver() ? "over.png" : "normal.png";
        state = pckexbut(name);
        aap[Index].LoadImage_FromFile(state);
    });
    for (const std::string& copy : {state, archive})
        if (copy != "error") rt::Try([&] { rt::Kill(copy); });
}

void Form1::aap_MouseEnter(int Index) {
    const int32_t mode = AapHoverMode(Index);
    if (mode == kLightAndPress) rt::Try([&] { aap[Index].IntensityOffset(20); });
    if (mode == kStatePictures) AapStatePicture(Index, "over.png", false);
}

void Form1::aap_MouseExit(int Index) {
    const int32_t mode = AapHoverMode(Index);
    if (mode == kLightAndPress) rt::Try([&] { aap[Index].IntensityOffset(0); });
    if (mode == kStatePictures) AapStatePicture(Index, "normal.png", false);
}

void Form1::aap_MouseDown(int Index, int16_t Button, int16_t, float, float) {
    if ((Button & rt::vbLeftButton) == 0) return;
    const int32_t mode = AapHoverMode(Index);
    if (mode == kLightAndPress) ShiftAndLight(*this, Index, 1, -20);
    if (mode == kStatePictures) AapStatePicture(Index, "down.png", false);
}

void Form1::aap_MouseUp(int Index, int16_t Button, int16_t, float, float) {
    if ((Button & rt::vbLeftButton) == 0) return;
    const int32_t mode = AapHoverMode(Index);
    if (mode == kLightAndPress) {
        ShiftAndLight(*this, Index, 0, 20);
        rt::Try([&] {
            if (!aap[Index].isMouseOver()) aap[Index].IntensityOffset(0);
        });
    }
    if (mode == kStatePictures) AapStatePicture(Index, nullptr, true);
}

// ---- the password box, the file list, the thumbnail choice, the placeholders

void Form1::txt_KeyDown(int Index, int16_t& KeyCode, int16_t) {
    if (KeyCode != kEnter) return;
    rt::Try([&] {
        const std::string stored = txt[Index].Password();
        if (stored != "" && rt::UCase(stored) == rt::UCase(txt[Index].Text()))
            RunActionListThroughLk(txt[Index].Tag());
    });
}

void Form1::File_DblClick(int Index) {
    rt::Try([&] {
        std::string folder = File[Index].Path();
        if (folder.size() != 3) folder += "\\";
        rt::Effects().ShellExecuteA(nullptr, "", folder + File[Index].FileName(), "", "", SW_SHOWNORMAL);
    });
}

void Form1::ThumbChoice(const std::string& browserTag, const std::function<void(int16_t)>& showPicture) {
    if (browserTag.empty()) return;
    rt::Try([&] {
        if (auto entry = actions::FindOnPage(*this, namelist::kindAlphaPicture, browserTag))
            showPicture(entry->Index());
    });
}

void Form1::thumb_MouseDown(int Index, int16_t, int16_t, float, float) {
    rt::Try([&] {
        controls::thumb& browser = thumb[Index];
        const std::string chosen = browser.fileselectedname;
        ThumbChoice(browser.Tag(), [&](int16_t picture) { aap[picture].LoadImage_FromFile(chosen); });
    });
}

void Form1::Picture2_Click(int) {
    rt::Effects().ShellExecuteA(nullptr, "", kFlashDownload, "", "", SW_SHOWNORMAL);
}

void Form1::Picture8_DblClick() {
    rt::Effects().ShellExecuteA(nullptr, "", kPdfDownload, "", "", SW_SHOWNORMAL);
}
