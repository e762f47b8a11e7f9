// The main window's page switch and the finishing of a page: window size, frame, opacity, open
// actions, window state, and the revealing of the page.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "shell/ChangsBor.h"
#include "shell/Form1.h"
#include "windows/Form15_backdrop.h"

void Form1::page_Change() {
    mb.StopAMovie();
    mb.Filename("");
    mb.Visible(false);
    LoadOpen();
}

void Form1::pat_Change() {
    DesignPageTemplates();
    LoadOpen();
    rt::Try([&] { Icon(rt::LoadPicture(pat.Text() + "autorun.ico")); });
}

// The page object templates as the window was designed. They matter only to page builds, and
// the first one follows this at once.
void Form1::DesignPageTemplates() {
    txt.Design([](rt::TextBox& t) {
        rt::Procedure proc(rt::OnError::Skip);
        proc.step([&] { t.MultiLine(true); });
        proc.step([&] { t.ScrollBars(2); });
    });
    Label1.Design([](rt::Label& t) { rt::Try([&] { t.MousePointer(rt::vbCustom); }); });
    WMPlayer.Design([](rt::MediaPlayer& t) { rt::Try([&] { t.Visible(false); }); });
}

namespace {
// The labels' design font: Arial 8.25 points in the Arabic character set.
rt::Font DesignedLabelFont() {
    rt::Font font("Arial", 8.25f);
    font.Charset(178);
    return font;
}
}  // namespace

std::shared_ptr<const rt::PropertyBag> Form1::DesignedLinkLabel() {
    return std::make_shared<const rt::PropertyBag>(
        rt::PropertyBag{{"Caption", "EtsLinkLabel1"}, {"Font", DesignedLabelFont()}, {"URL", "c"}});
}

std::shared_ptr<const rt::PropertyBag> Form1::DesignedGradientLabel() {
    return std::make_shared<const rt::PropertyBag>(
        rt::PropertyBag{{"Fount", DesignedLabelFont()}, {"CaptionAlignment", 1}, {"TextShadow", true}});
}

// The tile's design: a pink background with an orange outline and a gradient along the backward
// diagonal, under a caption in Tahoma 12 points bold, Arabic character set.
std::shared_ptr<const rt::PropertyBag> Form1::DesignedTile() {
    rt::Font caption("Tahoma", 12, true);
    caption.Charset(178);
    return std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"BackColor", 0xFFC0FFu},
                                                                   {"FillStyle", int32_t{58}},
                                                                   {"BorderTransparency", int32_t{0}},
                                                                   {"BorderColor", 0xE47A23u},
                                                                   {"BackTransparency", int32_t{1}},
                                                                   {"FontName", "Tahoma"},
                                                                   {"FontSize", 12.0f},
                                                                   {"FontBold", true},
                                                                   {"Font", caption}});
}

void Form1::Text1_Change() {
    ApplyWindowState(Text1.Text());
}

// The window-state commands: "0" normal, "2" maximised, "5" and "6" also raise the desktop
// backdrop behind everything and leave the window normal.
void Form1::ApplyWindowState(const std::string& command) {
    auto backdrop = [&] {
        rt::Procedure proc(rt::OnError::Skip);
        windows::Form15* f = nullptr;
        proc.step([&] { f = &rt::Load<windows::Form15>(); });
        if (!f) return;
        proc.step([&] { f->Visible(true); });
        proc.step([&] { f->Tag("ok"); });
        proc.step([&] { f->WindowState(rt::vbMaximized); });
        proc.step([&] { f->Label1.Caption(Caption()); });
        proc.step([&] { f->ZOrder(1); });
    };
    if (command == "0") {
        WindowState(rt::vbNormal);
    } else if (command == "2") {
        WindowState(rt::vbMaximized);
    } else if (command == "5" || command == "6") {
        WindowState(command == "5" ? rt::vbNormal : rt::vbMaximized);
        backdrop();
        WindowState(rt::vbNormal);
    }
}

void Form1::Command2_Click() {
    rt::Procedure proc(rt::OnError::Skip);
    HWND hwnd = hWnd();

    // The PDF viewer's switches, and the viewer or its placeholder to the front.
    if (pageHasPdf) {
        if (pdfViewerReady) {
            proc.step([&] { pdfViewer.Call("setShowToolbar", static_cast<int32_t>(pdfsrol.Value())); });
            proc.step([&] { pdfViewer.Call("setShowScrollbars", static_cast<int32_t>(pdftool.Value())); });
            proc.step([&] {
                rt::Control* viewer = rt::FindControl(*this, "PDF");
                if (!viewer) rt::Raise(rt::errObjectVariableNotSet, "PDF");
                viewer->ZOrder(0);
            });
            if (pdfHasFile) {
                proc.step([&] {
                    rt::Control* viewer = rt::FindControl(*this, "PDF");
                    if (!viewer) rt::Raise(rt::errObjectVariableNotSet, "PDF");
                    viewer->Visible(true);
                });
            }
        } else {
            proc.step([&] { Picture8.ZOrder(0); });
        }
    }

    // Size, frame and position by the window style.
    auto borderless = [&] {
        proc.step([&] { Height(pageHeight); });
        proc.step([&] { Width(pageWidth); });
        proc.step([&] { Top(rt::Screen::Height() / 2 - Height() / 2); });
        proc.step([&] { Left(rt::Screen::Width() / 2 - Width() / 2); });
        proc.step([&] { ChangsBor::ChangeBorderStyle(*this, 0, true, true, true, true, true, false); });
    };
    if (proc.test([&] { return rt::TextToDouble(Text2.Text()) == 0; })) borderless();
    if (proc.test([&] { return rt::TextToDouble(Text2.Text()) == 3; })) borderless();
    if (proc.test([&] {
            const double style = rt::TextToDouble(Text2.Text());
            return style != 3 && style != 0;
        })) {
        proc.step([&] { Height(static_cast<double>(pageHeight) + frameTop + frameSide); });
        proc.step([&] { Width(2.0 * frameSide + pageWidth); });
        if (proc.test([&] { return rt::TextToDouble(pos.Caption()) != 1; })) {
            proc.step([&] { Left((rt::Screen::Width() - Width()) / 2); });
            proc.step([&] { Top((rt::Screen::Height() - Height()) / 2); });
        }
        proc.step([&] { pos.Caption("1"); });
        proc.step([&] { ChangsBor::ChangeBorderStyle(*this, 3, true, true, false, true, true, false); });
    }

    // Opacity. A text that gives no alpha value leaves the page opaque: a layered window without
    // its alpha would not be drawn at all.
    proc.step([&] {
        if (xmlsn.empty()) return;
        if (rt::TextToDouble(xmlsn) == 255) return;
        const uint8_t alpha = rt::TextToByte(xmlsn);
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(hwnd, 0, alpha, LWA_ALPHA);
    });

    // Open actions, once page 1's have run from the one-shot timer.
    if (proc.test([&] { return rt::TextToDouble(frma.Text()) == 1; })) proc.step([&] { RunOpenActions(); });
}

// Runs the page's open actions in Tag, piece by piece, through lk. The pieces are fixed before
// the first one runs: a piece that jumps to another page rebuilds the window (which refills lk
// with that page's actions), and the rest of these pieces then run on the new page.
void Form1::RunOpenActions() {
    const std::vector<std::string> pieces = rt::Split(Tag(), "***code***");
    lk.Clear();
    for (const std::string& piece : pieces) lk.AddItem(piece);
    for (const std::string& piece : pieces) {
        if (OpenActionHook)
            rt::Try([&] { OpenActionHook(piece); });
        else
            rt::Try([&] { ExecuteTag(piece); });
    }
}

void Form1::Command3_Click() {
    // The page builder keeps the alpha pictures and the shapes hidden while it makes them.
    for (int i : aap.Indexes())
        if (i != 0) rt::Try([&] { aap[i].Visible(true); });
    for (int i : Shaper1.Indexes())
        if (i != 0) rt::Try([&] { Shaper1[i].Visible(true); });
    rt::Try([&] { Timer6.Enabled(true); });
    for (int i : slideshow.Indexes())
        if (i != 0) rt::Try([&] { slideshow[i].StartPlay(true); });
}

void Form1::Timer3_Timer() {
    RunOpenActions();
    frma.Text("1");
    Timer3.Enabled(false);
}
