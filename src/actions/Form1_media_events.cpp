// The main window's handlers of its two players and the page timers: the background music goes
// on file after file through the music folder; the page movie drives its seek bar, obeys it and
// runs its end actions; a page timer runs its actions once when its count reaches its target.
#include <string>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"

void Form1::bac_OnFinished(bool Finished) {
    if (!Finished) return;
    rt::Procedure proc(rt::OnError::Skip);
    // An empty music folder has no next file: the music stops.
    if (l.ListCount() == 0) return;
    proc.step([&] { l.ListIndex(l.ListIndex() == l.ListCount() - 1 ? 0 : l.ListIndex() + 1); });
    proc.step([&] { bac.Filename(l.Path() + "\\" + l.FileName()); });
    proc.step([&] { bac.PlayAMovie(); });
}

void Form1::mb_movierun(bool mrun) {
    rt::Procedure proc(rt::OnError::Skip);
    if (proc.test([&] { return mb.FileLength() > 0 && mrun; })) proc.step([&] { Picture16.Visible(true); });
    proc.step([&] { Picture16.Max(rt::RoundEven(mb.FileLength())); });
    // A position past the rounded length is refused by the seek bar (380): it keeps its value.
    proc.step([&] { Picture16.Value(rt::RoundEven(mb.CurrentPosition())); });
}

void Form1::Picture16_Click() {
    rt::Try([&] { mb.MovieSeek(Picture16.Value()); });
}

void Form1::Picture16_MouseDown(int16_t) {
    Picture16_Click();
}

void Form1::Picture16_MouseUp(int16_t) {
    Picture16_Click();
}

void Form1::mb_OnFinished(bool Finished) {
    if (!Finished) return;
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { mb.Visible(false); });
    proc.step([&] { mb.Filename(""); });
    proc.step([&] { Picture16.Visible(false); });
    if (!mb.Tag().empty()) RunActionListThroughLk(mb.Tag());
}

void Form1::picture3_Timer(int Index) {
    bool reached = false;
    rt::Try([&] {
        controls::timer& t = picture3[Index];
        const std::string target = t.Text();
        // A target written as a number ("05", "5.0") is met by the count of that number; any
        // other target only by the same text.
        double number = 0;
        if (rt::Try([&] { number = rt::TextToDouble(target); })) {
            double count = 0;
            reached = rt::Try([&] { count = rt::TextToDouble(t.Caption()); }) && count == number;
        } else {
            reached = target == t.Caption();
        }
    });
    if (!reached) return;
    rt::Procedure proc(rt::OnError::Skip);
    std::string actions;
    proc.step([&] { picture3[Index].Caption("0"); });
    proc.step([&] { picture3[Index].Text("0"); });
    proc.step([&] { picture3[Index].Interval(0); });
    proc.step([&] { actions = picture3[Index].Tag(); });
    RunActionListThroughLk(actions);
}
