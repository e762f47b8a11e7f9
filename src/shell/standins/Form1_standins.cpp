// Stand-ins for the main window's page switch and page builder until those parts arrive: setting
// pat or page shows the window at a plain size and builds no objects. Each definition here moves
// to its own part, which deletes it from this file.
#include "runtime/error.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/Form1.h"

void Form1::page_Change() {
    mb.StopAMovie();
    mb.Filename("");
    mb.Visible(false);
    LoadOpen();
}

void Form1::pat_Change() {
    LoadOpen();
    rt::Try([&] { Icon(rt::LoadPicture(pat.Text() + "autorun.ico")); });
}

void Form1::LoadOpen() {
    if (afstme != 0) return;
    Move((rt::Screen::Width() - 9600) / 2, (rt::Screen::Height() - 7200) / 2, 9600, 7200);
    Show();
    afstme = 1;
}

void Form1::Text1_Change() {}
void Form1::Timer3_Timer() {}
void Form1::Timer5_Timer() {}
void Form1::Timer6_Timer() {}
void Form1::Command2_Click() {}
void Form1::Command3_Click() {}
