// "imageover" records: the picture-shaped button built from the store and the data folder, its
// click and hover handlers, and its removal by the next build.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "pages_fixture.h"
#include "windows/Form5_about.h"

using namespace pagestest;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;  // 0xRRGGBB, as the bitmap writer takes it

// A 40 by 20 state picture: columns 0-9 magenta, the rest in the colour.
Bytes StatePicture(uint32_t rgb) { return TwoColourBitmap(40, 20, rgb, 10, 20, kMagenta); }

// Button 1: 80 by 40 pixels at the window's corner, mask magenta, actions and a tooltip.
std::string ButtonRec(const std::string& actions) {
    return Rec({"imageover", "1", "Go", "0", "0", "600", "1200", actions, "255", std::to_string(0xFF00FF),
                "10**qk**Arial", "", "the tip"});
}

TEST(ImageoverRecordTest, BuildsTheButtonFromTheStoreAndRunsItsActions) {
    AppFolder app;
    app.Pack({{"sys1 .esr", ButtonRec("opcd")},
              {"1p1Normal.pic", StatePicture(0xFF0000)},
              {"1p1Down.pic", StatePicture(0x0000FF)},
              {"1p1Over.pic", StatePicture(0x00FF00)},
              {"sys2 .esr", ButtonRec("")},
              {"2p1Over.pic", StatePicture(0x00FF00)},
              {"sys3 .esr", "\"Form\",0\r\n"}});
    app.Write("data/1p1cucur.ico", Icon16(0x0000FF));
    app.Write("data/enter.wav", "RIFF");
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(main.imageover.Exists(1));
    controls::ShapedButton& b = main.imageover[1];
    EXPECT_TRUE(b.Visible());
    EXPECT_EQ(b.Caption(), "Go");
    EXPECT_EQ(b.Tag(), "opcd");
    EXPECT_EQ(b.ToolTipText(), "the tip");
    EXPECT_EQ(b.MaskColor(), 0xFF00FFu);
    EXPECT_EQ(b.ForeColor(), 255u);
    EXPECT_FLOAT_EQ(b.Font().Size(), 10.0f);
    EXPECT_NE(b.PictureOnMouseLeave().Handle(), 0u);
    EXPECT_NE(b.PictureOnMouseDown().Handle(), 0u);
    EXPECT_NE(b.PictureOnMouseMove().Handle(), 0u);
    EXPECT_FALSE(b.MouseIcon().Empty());
    EXPECT_TRUE(b.ShowPicture());
    EXPECT_EQ(b.BackColor(), 0xFFFFFFu);
    EXPECT_FALSE(main.imageover[0].Visible());
    EXPECT_TRUE(CopiesLeft().empty());

    // The see-through columns are no part of the button's outline; the rest is.
    rt::Region outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(b.hWnd(), outline.get()), ERROR);
    EXPECT_FALSE(PtInRegion(outline.get(), 10, 20));
    EXPECT_TRUE(PtInRegion(outline.get(), 60, 20));

    program.recorder.calls.clear();
    {
        rt::HandlerScope scope;
        main.imageover_Click(1);
    }
    ASSERT_GE(program.recorder.calls.size(), 2u);
    EXPECT_EQ(program.recorder.calls[0], "PlaySound " + main.pat.Text() + "data\\enter.wav 8192");
    EXPECT_EQ(program.recorder.calls[1], "mciSendString set cdaudio door open");
    ASSERT_TRUE(FormLoaded("Form5"));
    EXPECT_EQ(static_cast<Form5*>(FindForm("Form5"))->Label1.Caption(), "the tip");

    // Page 2: only the hover picture is in the store; the others are skipped without a word.
    Jump(main, 2);
    ASSERT_TRUE(main.imageover.Exists(1));
    controls::ShapedButton& b2 = main.imageover[1];
    EXPECT_EQ(b2.PictureOnMouseLeave().Handle(), 0u);
    EXPECT_NE(b2.PictureOnMouseMove().Handle(), 0u);
    EXPECT_TRUE(b2.MouseIcon().Empty());
    // No normal picture: before the pointer ever came, nothing of it but the caption is there.
    rt::Region none(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(b2.hWnd(), none.get()), ERROR);
    const RECT caption = b2.lblCaption.PixelRect();
    RECT box{};
    GetRgnBox(none.get(), &box);
    EXPECT_FALSE(IsRectEmpty(&box));
    EXPECT_TRUE(box.left >= caption.left && box.top >= caption.top && box.right <= caption.right &&
                box.bottom <= caption.bottom);
    EXPECT_FALSE(PtInRegion(none.get(), 60, 20));
    // Without actions: no sound, and the about label takes the tooltip all the same.
    program.recorder.calls.clear();
    {
        rt::HandlerScope scope;
        main.imageover_Click(1);
    }
    EXPECT_TRUE(program.recorder.calls.empty());

    Jump(main, 3);
    EXPECT_TRUE(Members(main.imageover).empty());
    EXPECT_TRUE(CopiesLeft().empty());
}

}  // namespace
