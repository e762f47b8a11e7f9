// The text records: labels ("obj2"), text boxes with their passwords ("txt"), option buttons
// ("opt") and link labels ("lnk").
#include <cmath>
#include <string>

#include "pages/PageBuilder.h"
#include "runtime/font_batch.h"
#include "runtime/picture.h"

template <class Member>
void PageBuilder::TextLook(Member m, CharsetOrder order) {
    // The font's settings reach the control as one change: one font made, one repaint.
    rt::FontChangeBatch fontChange;
    step([&] {
        bool bold = false, italic = false;
        if (!StyleCode(F(12), bold, italic)) return;
        m().GetFont().Bold(bold);
        m().GetFont().Italic(italic);
    });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(Item(13, 0)))); });
    step([&] { m().Alignment(rt::TextToInt16(Item(13, 1))); });
    step([&] { m().GetFont().Size(rt::TextToSingle(Item(14, 0))); });
    auto charset = [&] { step([&] { m().GetFont().Charset(rt::TextToInt16(Item(14, 3))); }); };
    if (order == CharsetOrder::BeforeFace) charset();
    step([&] {
        const std::string face = Item(14, 1);
        if (f.chk_fnt(face)) m().GetFont().Name(face);
    });
    step([&] { m().GetFont().Underline(rt::TextToBoolean(Item(14, 2))); });
    if (order == CharsetOrder::AfterFace) charset();
}

template <class Member>
void PageBuilder::LabelLikeLook(Member m) {
    TextLook(m, CharsetOrder::AfterFace);
    step([&] { m().ZOrder(0); });
}

void PageBuilder::obj2() {
    auto m = [&]() -> rt::Label& { return f.Label1[Index()]; };
    Create(f.Label1);
    step([&] { m().Visible(false); });
    step([&] { m().Caption(F(3)); });
    Position(m);
    Dimensions(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().BackStyle(rt::TextToInt16(F(9))); });
    step([&] { m().ToolTipText(F(10)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    skipMode();
    LabelLikeLook(m);
    step([&] {
        const std::string cursor = f.pat.Text() + "\\data\\" + f.page.Text() + "P" +
                                   rt::Str(static_cast<int64_t>(m().Index())) + "lecur" + ".ico";
        m().MouseIcon(rt::LoadPicture(cursor));
    });
    step([&] { m().Visible(true); });
}

void page_events::Label1Events(Form1& f) {
    f.Label1.Design([&f](rt::Label& t) {
        t.Click = [&f](int i) { f.Label1_Click(i); };
        t.MouseMove = [&f](int i, int16_t b, int16_t s, float x, float y) {
            f.Label1_MouseMove(i, b, s, x, y);
        };
    });
}

void PageBuilder::txt() {
    auto m = [&]() -> rt::TextBox& { return f.txt[Index()]; };
    Create(f.txt);
    step([&] { m().Text(F(3)); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().Password(F(9)); });
    if (test([&] { return !m().Password().empty(); })) {
        step([&] { m().Text(""); });
        step([&] { m().Locked(false); });
        step([&] { m().PasswordChar("*"); });
    }
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    skipMode();
    TextLook(m, CharsetOrder::BeforeFace);
}

void page_events::txtEvents(Form1& f) {
    f.txt.Design(
        [&f](rt::TextBox& t) { t.KeyDown = [&f](int i, int16_t& k, int16_t s) { f.txt_KeyDown(i, k, s); }; });
}

void PageBuilder::opt() {
    auto m = [&]() -> rt::OptionButton& { return f.o[Index()]; };
    Create(f.o);
    step([&] { m().Caption(F(3)); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().ToolTipText(F(10)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    skipMode();
    LabelLikeLook(m);
}

void page_events::oEvents(Form1& f) {
    f.o.Design([&f](rt::OptionButton& t) {
        t.MouseDown = [&f](int i, int16_t b, int16_t s, float x, float y) { f.o_MouseDown(i, b, s, x, y); };
        t.MouseUp = [&f](int i, int16_t b, int16_t s, float x, float y) { f.o_MouseUp(i, b, s, x, y); };
    });
}

namespace {
// A size as a fixed-point number of four decimals; a text that is no single-precision number fails.
float FourDecimals(const std::string& text) {
    rt::TextToSingle(text);
    return static_cast<float>(std::nearbyint(rt::TextToDouble(text) * 10000) / 10000);
}
}  // namespace

void PageBuilder::lnk() {
    auto m = [&]() -> controls::EtsLinkLabel& { return f.lnk[Index()]; };
    Create(f.lnk);
    step([&] { m().Caption(F(3)); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    // Transparent, whatever the record holds.
    step([&] { m().BackStyle(0); });
    step([&] { m().LinkColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    skipMode();
    {
        // The font's settings reach the label as one change.
        rt::FontChangeBatch fontChange;
        // The style code sets the font and is the tooltip as well; another text sets neither.
        step([&] {
            bool bold = false, italic = false;
            if (!StyleCode(F(12), bold, italic)) return;
            m().Font().Bold(bold);
            m().Font().Italic(italic);
            m().ToolTipText(F(12));
        });
        // The normal colour is the whole field.
        step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(13)))); });
        step([&] { m().Font().Size(FourDecimals(Item(14, 0))); });
        step([&] {
            const std::string face = Item(14, 1);
            if (f.chk_fnt(face)) m().Font().Name(face);
        });
        step([&] { m().Font().Underline(rt::TextToBoolean(Item(14, 2))); });
        step([&] { m().Font().Charset(rt::TextToInt16(Item(14, 3))); });
    }
    // The look is the control's: the link colour and underline only while the pointer is over it.
    step([&] { m().Refresh(); });
    step([&] { m().ZOrder(0); });
}

void page_events::lnkEvents(Form1& f) {
    f.lnk.Design([&f](controls::EtsLinkLabel& t) { t.Click = [&f](int i) { f.lnk_Click(i); }; });
}
