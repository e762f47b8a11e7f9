// The main window's live text placeholders (Timer5), the page transition (Timer6) and the
// registry reads of the placeholders.
#include <windows.h>

#include <string>

#include "runtime/dispatch.h"
#include "runtime/error.h"
#include "shell/Form1.h"
#include "shell/placeholders.h"
#include "controls/media/Module4.h"

namespace {

std::string NowText(bool date) {
    char text[128] = {};
    const int n =
        date ? GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text)
             : GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
    return n > 0 ? std::string(text) : std::string();
}

const char* const kCurrentVersion = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";

}  // namespace

void Form1::Timer5_Timer() {
    using namespace placeholders;
    // Every label of the page, whatever gaps its indexes have; the template is left alone.
    for (int i : Label1.Indexes()) {
        if (i == 0 || !Label1.Exists(i)) continue;
        rt::Try([&] {
            rt::Label& label = Label1[i];
            if (label.ToolTipText() == kTimeMarker || label.Caption() == kShowTime) {
                label.Caption(NowText(false));
                label.ToolTipText(kTimeMarker);
            }
            if (label.ToolTipText() == kDayMarker || label.Caption() == kShowDay) {
                label.Caption(NowText(true));
                label.ToolTipText(kDayMarker);
            }
            if (label.Caption() == kWindowsVersion)
                label.Caption(ReadKey(std::string(kCurrentVersion) + "ProductName") + "  " +
                              ReadKey(std::string(kCurrentVersion) + "CSDVersion"));
            if (label.Caption() == kUserName)
                label.Caption(ReadKey(std::string(kCurrentVersion) + "RegisteredOwner"));
            if (label.Caption() == kOrganization)
                label.Caption(ReadKey(std::string(kCurrentVersion) + "RegisteredOrganization"));
            if (label.Caption() == kProcessorName)
                label.Caption(ReadKey(
                    "HKEY_LOCAL_"
                    "MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\Processornamestring"));
            if (label.ToolTipText() == kPlayerMarker || label.Caption() == kPlayerTime) {
                label.Caption(MoviePositionText(MoviePosition()));
                label.ToolTipText(kPlayerMarker);
            }
        });
    }
}

// The page movie's position in whole seconds, as its seek bar holds it.
int32_t Form1::MoviePosition() const {
    return Picture16.Value();
}

std::string Form1::ReadKey(const std::string& Value) {
    std::string result;
    rt::Try([&] {
        rt::Object shell = rt::CreateObject("wscript.shell");
        result = shell.Call("regread", Value).ToString();
    });
    return result;
}

void Form1::Timer6_Timer() {
    rt::Procedure proc(rt::OnError::Skip);
    if (transitionRuns == 0) {
        // The first page after start-up shows without a transition.
        proc.step([&] { Picture7.Visible(false); });
        proc.step([&] { Timer6.Enabled(false); });
        transitionRuns = 1;
        return;
    }
    proc.step([&] { Picture6.SetPicture(Module4::GrabFormImage(*this)); });
    proc.step([&] { Picture7.Width(Width()); });
    proc.step([&] { Picture7.Height(Height()); });
    proc.step([&] { Picture7.SetPicture(Picture5.GetPicture()); });
    // The overlay covers the page's own windows too.
    proc.step([&] { Picture7.ZOrder(0); });
    proc.step([&] { Picture7.Visible(true); });
    proc.step([&] { Module4::PageTransition(Text11.Text(), {Picture5, Picture6, Picture7}); });
    proc.step([&] { Picture7.Visible(false); });
    proc.step([&] { Timer6.Enabled(false); });
}
