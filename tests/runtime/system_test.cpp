#include <gtest/gtest.h>

#include <string>

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/system_library.h"
#include "runtime/ui.h"
#include "support/handle_counter.h"
#include "support/window_helpers.h"

namespace {

TEST(LateBound, ReadsTheSystemCaptionThroughWmi) {
    rt::Object locator = rt::CreateObject("WbemScripting.SWbemLocator");
    rt::Object service = locator.Call("ConnectServer", ".", "root\\cimv2").ToObject();
    rt::Object result = service.Call("ExecQuery", "SELECT * FROM Win32_OperatingSystem").ToObject();
    std::string caption;
    rt::ForEach(result, [&](const rt::Variant& os) { caption = os.ToObject().Get("Caption").ToString(); });
    EXPECT_NE(caption.find("Windows"), std::string::npos) << caption;
    try {
        locator.Get("NoSuchMember");
        ADD_FAILURE();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 438);
    }
    try {
        rt::CreateObject("Vantrel.NoSuchObject");
        ADD_FAILURE();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 429);
    }
}

class PrintedForm : public rt::Form {
public:
    PrintedForm() : Form("PrintedForm") {
        Caption("Printed");
        Move(0, 0, 3000, 3000);
    }
};

TEST(EffectsSeam, RecorderTakesShutdownAndPrintingAndTheMachineRuns) {
    rt::RecordingEffects recorder;
    {
        rt::ScopedEffects use(recorder);
        EXPECT_TRUE(rt::Effects().ExitWindowsEx(EWX_SHUTDOWN, 0xFFFFFFFF));
        rt::Effects().MciSendStringA("set cdaudio door open", nullptr, nullptr);
        PrintedForm& f = rt::Load<PrintedForm>();
        EXPECT_TRUE(f.PrintForm());
        RECT c;
        GetClientRect(f.hWnd(), &c);
        ASSERT_EQ(recorder.calls.size(), 3u);
        EXPECT_EQ(recorder.calls[0], "ExitWindowsEx 1 -1");
        EXPECT_EQ(recorder.calls[1], "mciSendString set cdaudio door open");
        EXPECT_EQ(recorder.calls[2],
                  "PrintBitmap Printed " + std::to_string(c.right) + "x" + std::to_string(c.bottom));
        f.Unload();
    }
    EXPECT_NE(dynamic_cast<rt::SystemEffects*>(&rt::Effects()), nullptr);  // the real ones again
    EXPECT_TRUE(IsWindow(GetDesktopWindow()));                             // still here
}

TEST(EffectsSeam, RealPrintingWithoutAPrinterFailsQuietlyAndTheDrawingFitsThePage) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 2);
    rt::SystemEffects real;
    EXPECT_FALSE(real.PrintBitmap(bmp, "doc"));  // no printer here
    // The page drawing itself, on a memory "page": the picture fills its width, centred.
    HDC page = CreateCompatibleDC(screen);
    HBITMAP pageBmp =
        CreateCompatibleBitmap(screen, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
    HGDIOBJ old = SelectObject(page, pageBmp);
    HDC src = CreateCompatibleDC(screen);
    HGDIOBJ oldSrc = SelectObject(src, bmp);
    RECT r{0, 0, 4, 2};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(src, &r, red);
    DeleteObject(red);
    SelectObject(src, oldSrc);
    DeleteDC(src);
    EXPECT_TRUE(rt::DrawBitmapToPage(page, bmp));
    int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
    EXPECT_EQ(GetPixel(page, w / 2, h / 2), RGB(255, 0, 0));
    SelectObject(page, old);
    DeleteObject(pageBmp);
    DeleteDC(page);
    DeleteObject(bmp);
    ReleaseDC(nullptr, screen);
}

TEST(SystemLibrary, FindsAFunctionOnItsFirstCallAndNothingThatIsMissing) {
    const auto length = rt::SystemFunction<int WINAPI(LPCSTR)>("kernel32.dll", "lstrlenA");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("abc"), 3);
    EXPECT_EQ(rt::SystemProcedure("kernel32.dll", "NoSuchFunction"), nullptr);
    for (int i = 0; i < 2; ++i)  // a library that failed to load is not taken as loaded the next time
        EXPECT_EQ(rt::SystemProcedure("vantrel_no_such_library.dll", "lstrlenA"), nullptr);
}

TEST(HandleCounter, SeesADeliberateLeak) {
    testsupport::HandleCounter counter;
    ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 10);
    HBRUSH leaked = CreateSolidBrush(RGB(1, 2, 3));
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(counter.GdiObjects(), 1u);
    EXPECT_EQ(counter.Windows(), 1u);
    EXPECT_EQ(counter.DeviceContexts(), 1u);
    ReleaseDC(nullptr, dc);
    DestroyWindow(window);
    DeleteObject(leaked);
    EXPECT_EQ(counter.Total(), 0u) << counter.Report();
}

class BusyForm : public rt::Form {
public:
    BusyForm() : Form("BusyForm") {
        Label1[0].Caption("x");
        Label1[0].BackStyle(rt::vbOpaque);
        txt[0].MultiLine(true);
        Timer1.Interval(10);
    }
    rt::ControlArray<rt::Label> Label1{*this, "Label1"};
    rt::ControlArray<rt::TextBox> txt{*this, "txt"};
    rt::ControlArray<rt::Image> pic{*this, "pic"};
    rt::ControlArray<rt::Shape> shp{*this, "shp"};
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::ListBox lk{*this, "lk"};
    rt::ComboBox combo{*this, "combo"};
    rt::CheckBox chk{*this, "chk"};
    rt::OptionButton opt{*this, "opt"};
    rt::ScrollBar bar{*this, "bar"};
    rt::Timer Timer1{*this, "Timer1"};
    rt::Menu menu{*this, "myMenu"};
    rt::ControlArray<rt::MenuItem> items{*this, "items", menu};
};

TEST(HandleCounter, TheRuntimeLeavesNothingBehind) {
    rt::EnsureOle();
    rt::DoEvents();  // the runtime's own window exists before counting starts
    rt::Timer warm{rt::Load<BusyForm>(), "warm"};
    rt::UnloadAll();
    rt::DoEvents();

    testsupport::HandleCounter counter;
    {
        BusyForm& f = rt::Load<BusyForm>();
        f.SetPicture(testutil::SolidPicture(50, 50, RGB(0, 0, 255)));
        f.Icon(
            rt::Picture::FromIcon(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)))));
        for (int i = 1; i <= 3; ++i) {
            f.Label1.Load(i).Visible(true);
            f.txt.Load(i).Text("t");
            f.pic.Load(i).SetPicture(testutil::SolidPicture(5, 5, RGB(9, 9, 9)));
            f.shp.Load(i).Visible(true);
            f.items.Load(i).Caption("item");
        }
        f.Label1[1].ToolTipText("tip");
        f.txt[2].PasswordChar("*");
        f.Picture5.AutoRedraw(true);
        f.Picture5.Surface().Line(0, 0, 300, 300, 0xFF);
        f.AutoRedraw(true);
        f.Surface().PSet(10, 10, 0xFF);
        f.Show();
        f.Refresh();
        testutil::PumpUntil([] { return false; }, 100);
        f.Label1.Unload(2);
        f.Unload();
        rt::DoEvents();
    }
    EXPECT_EQ(counter.Total(), 0u) << counter.Report();
}

}  // namespace
