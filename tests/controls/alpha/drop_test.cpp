// Data dragged onto alpha pictures: the drop mode as the control surface holds it, the drag events
// with the position in the container's unit, and a drop of files read by the page.
#include "alpha_fixture.h"
#include "runtime/ole_drop.h"
#include "support/file_drag.h"
#include "support/test_window.h"

using namespace alphatest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kMagenta = RGB(255, 0, 255);

class Drop : public Alpha {
protected:
    // A red picture that takes drops, at (x, y) of the form, 100 x 100 pixels.
    aicAlphaImage& Target(int x, int y) {
        auto bag =
            std::make_shared<rt::PropertyBag>(rt::PropertyBag{{"Caption", ""}, {"OLEdrop", int16_t{1}}});
        aicAlphaImage& p = MakeFrom(bag, x, y);
        EXPECT_TRUE(p.LoadImage_FromArray(SolidBmp(100, 100, kRed)));
        return p;
    }
    POINTL At(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(form->hWnd(), &p);
        return POINTL{p.x, p.y};
    }
};

TEST_F(Drop, TheDropModeLivesOnTheControlSurface) {
    aicAlphaImage& p = Target(10, 10);
    EXPECT_EQ(p.OLEDropMode(), 1);
    EXPECT_NE(rt::DropTargetOf(form->hWnd()), nullptr);
    // A value the surface refuses is passed over; the change is noticed all the same.
    p.ClearChangedProperties();
    p.OLEDropMode(7);
    EXPECT_EQ(p.OLEDropMode(), 1);
    EXPECT_EQ(p.ChangedProperties(), std::vector<std::string>{"OLEDropMode"});
    EXPECT_EQ(p.SaveProperties().ReadProperty("OLEdrop", int16_t{-1}), 1);
    p.OLEDropMode(0);
    EXPECT_EQ(p.OLEDropMode(), 0);
    EXPECT_EQ(rt::DropTargetOf(form->hWnd()), nullptr);
    EXPECT_EQ(p.SaveProperties().ReadProperty("OLEdrop", int16_t{-1}), 0);
}

TEST_F(Drop, OnlyTheVisiblePixelsOfAPictureTakeDrops) {
    aicAlphaImage& p = Target(10, 10);
    p.ScaleMethod(3);
    p.HitTest(3);
    ASSERT_TRUE(p.LoadImage_FromArray(Bmp(
        100, 100, [](int x, int y) { return x >= 30 && x < 70 && y >= 30 && y < 70 ? kMagenta : kRed; })));
    p.MaskColor(kMagenta);
    p.MaskUsed(1);
    std::string log;
    p.OLEDragOver = [&](int, IDataObject*&, int32_t& Effect, int16_t&, int16_t&, float&, float&,
                        int16_t& State) {
        log += std::to_string(State) + " ";
        Effect = DROPEFFECT_COPY;
    };
    p.MouseEnter = [&](int) { log += "enter "; };
    IDropTarget* site = rt::DropTargetOf(form->hWnd());
    ASSERT_NE(site, nullptr);
    testsupport::FileData data({L"c:\\a.png"});
    DWORD effect = DROPEFFECT_COPY;
    site->DragEnter(&data, MK_LBUTTON, At(60, 60), &effect);  // the hole
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    effect = DROPEFFECT_COPY;
    site->DragOver(MK_LBUTTON, At(20, 20), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
    site->DragLeave();
    // Dragging is no pointer tracking: the picture is not entered.
    EXPECT_EQ(log, "0 1 ");
}

TEST_F(Drop, FilesDraggedFromAWindowOfTheProgram) {
    aicAlphaImage& p = Target(100, 50);
    std::vector<std::string> over;
    float dropX = -1, dropY = -1;
    std::vector<std::wstring> files;
    p.OLEDragOver = [&](int, IDataObject*&, int32_t& Effect, int16_t&, int16_t&, float& X, float& Y,
                        int16_t& State) {
        over.push_back(std::to_string(State) + "@" + std::to_string(static_cast<int>(X)) + "," +
                       std::to_string(static_cast<int>(Y)));
        Effect = DROPEFFECT_COPY;
    };
    p.OLEDragDrop = [&](int, IDataObject*& Data, int32_t& Effect, int16_t&, int16_t&, float& X, float& Y) {
        dropX = X;
        dropY = Y;
        p.GetImageObject().GetDroppedFileNames(Data, files);
        Effect = DROPEFFECT_COPY;
    };
    rt::WindowHandle start(
        testsupport::MakeTestWindow("AlphaDropStart", DefWindowProcA, WS_POPUP | WS_VISIBLE, 50, 50));
    SetWindowPos(start.get(), HWND_TOP, 600, 100, 50, 50, SWP_SHOWWINDOW);
    SetCursorPos(620, 120);
    Pump(100);

    testsupport::FileData data({L"c:\\one.png", L"c:\\two.gif"});
    std::vector<POINT> path = testsupport::OnScreen(form->hWnd(), {{110, 60}, {150, 100}});
    path.insert(path.begin(), POINT{620, 120});
    DWORD effect = 0;
    EXPECT_EQ(testsupport::DragAlong(data, path, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});

    // The form measures in twips: 15 to the pixel.
    ASSERT_FALSE(over.empty());
    EXPECT_EQ(over.front(), "0@150,150");
    EXPECT_EQ(over.back(), "2@750,750");
    EXPECT_FLOAT_EQ(dropX, 750);
    EXPECT_FLOAT_EQ(dropY, 750);
    EXPECT_EQ(files, (std::vector<std::wstring>{L"c:\\one.png", L"c:\\two.gif"}));
}

}  // namespace
