// The alpha picture record, "Aap": a member of aap with its picture from the store (or, in hover
// mode 5, the "normal.png" of its state-picture archive), its place, opacity, colour key, actions
// and, from the settings list of F14, its scaling, caption, font, shadow and hover pointer.
#include <string>

#include "pages/PageBuilder.h"
#include "runtime/files.h"
#include "runtime/ui.h"

namespace {

// The page-jump actions wait while alpha pictures are being made: set for the length of a
// record, and cleared however the record ends, also when a failing step ends the build inside it.
class JumpHold {
public:
    explicit JumpHold(bool& flag) : flag_(flag) {}
    ~JumpHold() { flag_ = false; }
    JumpHold(const JumpHold&) = delete;
    JumpHold& operator=(const JumpHold&) = delete;

private:
    bool& flag_;
};

}  // namespace

void PageBuilder::Aap() {
    auto m = [&]() -> aicAlphaImage& { return f.aap[Index()]; };
    Create(f.aap);
    JumpHold hold(f.png_prs);
    f.png_prs = true;
    // The hover mode lives in the member's spare whole number, where the pointer handlers read it.
    step([&] { m().Spare(rt::TextToInt32(Item(14, 1))); });
    // F2 as written names the store member.
    const std::string member = f.page.Text() + "aap" + F(2) + ".pic";
    if (test([&] { return m().Spare() != 5; })) {
        step([&] { m().LoadImage_FromFile(f.pckex(member)); });
        skipMode();
        step([&] { rt::Kill(f.pckex(member)); });
    } else {
        step([&] { f.OpenPictureArchive(f.pckex(member)); });
        step([&] { m().LoadImage_FromFile(f.pckexbut("normal.png")); });
        skipMode();
        step([&] { rt::Kill(f.pckexbut("normal.png")); });
    }
    skipMode();
    step([&] { rt::Kill(f.pckex(member)); });

    step([&] { m().ZOrder(0); });
    step([&] { m().ToolTipText(F(3)); });
    Position(m);
    // The page finishing shows the pictures once the page is complete.
    step([&] { m().Visible(false); });
    Dimensions(m);
    step([&] { m().AutoSize(rt::TextToBoolean(F(8))); });
    if (F(9) != "") step([&] { m().Opacity(rt::TextToInt32(F(9))); });
    if (F(10) != "NULL") {
        step([&] { m().MaskUsed(1); });
        step([&] { m().MaskColor(static_cast<uint32_t>(rt::TextToInt32(F(10)))); });
    }
    step([&] { m().Tag(F(13)); });

    // A settings field of fewer than five characters is the scaling mode alone.
    if (F(14).size() < 5) {
        step([&] { m().ScaleMethod(rt::TextToInt32(F(14))); });
    } else {
        step([&] { m().ScaleMethod(rt::TextToInt32(Item(14, 0))); });
        step([&] { m().Spare(rt::TextToInt32(Item(14, 1))); });
        skipMode();
        step([&] { m().Caption(Item(14, 2)); });
        step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(Item(14, 3)))); });
        step([&] {
            const std::string face = Item(14, 4);
            if (f.chk_fnt(face)) m().Font().Name(face);
        });
        step([&] { m().Font().Size(rt::TextToSingle(Item(14, 5))); });
        step([&] { m().Font().Bold(rt::TextToBoolean(Item(14, 6))); });
        step([&] { m().Font().Underline(rt::TextToBoolean(Item(14, 7))); });
        step([&] { m().Font().Italic(rt::TextToBoolean(Item(14, 8))); });
        step([&] { m().ShadowEnabled(rt::TextToBoolean(Item(14, 9))); });
        step([&] { m().ShadowColor(static_cast<uint32_t>(rt::TextToInt32(Item(14, 10)))); });
        step([&] { m().ShadowDepth(rt::TextToInt32(Item(14, 11))); });
        step([&] { m().ShadowOffsetX(rt::TextToInt32(Item(14, 12))); });
        step([&] { m().ShadowOffsetY(rt::TextToInt32(Item(14, 13))); });
        step([&] { m().ShadowOpacity(rt::TextToInt32(Item(14, 14))); });
        step([&] { m().Font().Charset(rt::TextToInt16(Item(14, 15))); });
        if (test([&] { return m().Spare() == 5; })) {
            step([&] { m().MousePointer(rt::vbCustom); });
            step([&] { m().MouseIcon(f.hand.GetPicture()); });
        }
        if (test([&] { return m().Spare() == 1; })) {
            step([&] { m().ShadowEnabled(true); });
            step([&] { m().ShadowOpacity(15); });
            step([&] { m().MousePointer(rt::vbCustom); });
            step([&] { m().MouseIcon(f.hand.GetPicture()); });
        }
        step([&] { m().Refresh(); });
    }
    // Handlers of the objects already built may run here; page jumps still wait.
    step([&] { rt::DoEvents(); });
}

void page_events::aapEvents(Form1& f) {
    f.aap.Design([&f](aicAlphaImage& t) {
        t.Click = [&f](int i, int16_t&) { f.aap_Click(i); };
        t.MouseEnter = [&f](int i) { f.aap_MouseEnter(i); };
        t.MouseExit = [&f](int i) { f.aap_MouseExit(i); };
        t.MouseDown = [&f](int i, int16_t& b, int16_t& s, float& x, float& y) {
            f.aap_MouseDown(i, b, s, x, y);
        };
        t.MouseUp = [&f](int i, int16_t& b, int16_t& s, float& x, float& y) { f.aap_MouseUp(i, b, s, x, y); };
    });
}
