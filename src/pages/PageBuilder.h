// The page builder behind Form1::LoadOpen: one object per page build. It removes the previous
// page's objects, reads the page script record by record, runs the block of each record's kind
// and finishes the page. The kinds it knows are the rows of VANTREL_PAGE_RECORDS
// (shell/page_kinds.h); a record of any other kind is read and passed over.
//
// The build's failure mode lives in proc: stop mode ends the build at a failing step (the
// record loop catches it), skip mode abandons only that step. Each block reaches its member
// afresh in every step, so a member that could not be created fails each step on its own.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/picture.h"
#include "shell/Form1.h"
#include "shell/page_kinds.h"

class PageBuilder {
public:
    explicit PageBuilder(Form1& form) : f(form) {}
    void Build();

private:
    // The record's fields F1 to F14 (slot 0 unused). They keep their texts from one record to
    // the next, so a short last record still has a kind to compare.
    using Record = std::array<std::string, 15>;

    bool Records();  // the prologue and the script's records; true when a failing step stopped them
    void Prologue();
    void Finish();
    // Shows the window; its first showing also sets afstme.
    void Show();
    void RunRecord();

    const std::string& F(int n) const { return r[static_cast<size_t>(n)]; }
    // Item i of field n split at sep; a missing item fails the step.
    std::string Item(int n, int i, const char* sep = "**qk**") const;
    int16_t Index() const { return rt::TextToInt16(F(2)); }
    // Common step 1: a new member for a non-zero index.
    template <class Array>
    void Create(Array& array) {
        step([&] {
            if (rt::TextToDouble(F(2)) != 0) array.Load(Index());
        });
    }
    // The prologue's removals, one step each: the members above 0 of one array, whatever their
    // indexes; the PDF viewer, which stays, hidden; the Flash viewers, by their names.
    template <auto Array>
    void RemoveMembers() {
        step([&] { (f.*Array).UnloadAll(); });
    }
    void HidePdfViewer();
    void RemoveFlashViewers();
    // Common step 5, the picture from the store: when the member is there, it is extracted again,
    // loaded and handed to set (an empty picture when the load failed), the block's picture is
    // released, and a third copy is extracted and deleted. Each part is a step of its own; the
    // member's name is asked within them (an index that is no number fails them).
    void StorePicture(const std::function<std::string()>& name, const std::function<void(rt::Picture)>& set);
    // Common step 2, placement in the usual order: Left, Top, Visible = True, Height, Width, from
    // F4 to F7. One step each.
    template <class Member>
    void Placement(Member m) {
        Position(m);
        step([&] { m().Visible(true); });
        Dimensions(m);
    }
    // Its two halves, for the blocks that set the visibility otherwise: Left and Top from F4 and
    // F5, Height and Width from F6 and F7. One step each.
    template <class Member>
    void Position(Member m) {
        step([&] { m().Left(rt::TextToSingle(F(4))); });
        step([&] { m().Top(rt::TextToSingle(F(5))); });
    }
    template <class Member>
    void Dimensions(Member m) {
        step([&] { m().Height(rt::TextToSingle(F(6))); });
        step([&] { m().Width(rt::TextToSingle(F(7))); });
    }
    // A button's FontSpec in F11, as text the font converts: the size, and the face when it is
    // installed (ButtonFontFace); bold, italic, underline and character set (ButtonFontStyle).
    template <class Member>
    void ButtonFontFace(Member m) {
        step([&] { m().Font().Size(rt::TextToSingle(Item(11, 0))); });
        step([&] {
            const std::string face = Item(11, 1);
            if (f.chk_fnt(face)) m().Font().Name(face);
        });
    }
    template <class Member>
    void ButtonFontStyle(Member m) {
        step([&] { m().Font().Bold(rt::TextToBoolean(Item(11, 2))); });
        step([&] { m().Font().Italic(rt::TextToBoolean(Item(11, 3))); });
        step([&] { m().Font().Underline(rt::TextToBoolean(Item(11, 4))); });
        step([&] { m().Font().Charset(rt::TextToInt16(Item(11, 5))); });
    }
    // F14's items 1 to 11 of the vector shape and the tile, one step each: polygon angle and
    // sides, the text of item 3 (setText(member, text) sets it), border and back transparency,
    // fill colour and style, the face (installed or not), bold and italic; then, skipping failing
    // steps, the tooltip when item 11 has one.
    template <class Member, class SetText>
    void ShapeItems(Member m, SetText setText) {
        step([&] { m().PolygonAngle(rt::TextToSingle(Item(14, 1))); });
        step([&] { m().PolygonSides(rt::TextToInt32(Item(14, 2))); });
        step([&] {
            auto& member = m();
            setText(member, Item(14, 3));
        });
        step([&] { m().BorderTransparency(rt::TextToInt32(Item(14, 4))); });
        step([&] { m().BackTransparency(rt::TextToInt32(Item(14, 5))); });
        step([&] { m().FillColor(static_cast<uint32_t>(rt::TextToInt32(Item(14, 6)))); });
        step([&] { m().FillStyle(rt::TextToInt32(Item(14, 7))); });
        step([&] { m().Font().Name(Item(14, 8)); });
        step([&] { m().Font().Bold(rt::TextToBoolean(Item(14, 9))); });
        step([&] { m().Font().Italic(rt::TextToBoolean(Item(14, 10))); });
        skipMode();
        if (test([&] { return Item(14, 11) != ""; })) step([&] { m().ToolTipText(Item(14, 11)); });
    }
    // StyleCode of a label-like record: bold and italic, or nothing for any other text.
    static bool StyleCode(const std::string& code, bool& bold, bool& italic);
    // The look of a label or option button from F12 to F14, then to the front: one step each.
    template <class Member>
    void LabelLikeLook(Member m);
    // The style, colour, alignment and font of F12 to F14, one step each, the font's settings as one
    // change. A text box takes the character set before the face name, the others after.
    enum class CharsetOrder { AfterFace, BeforeFace };
    template <class Member>
    void TextLook(Member m, CharsetOrder order);

    template <class Fn>
    bool step(Fn&& fn) {
        return proc.step(std::forward<Fn>(fn));
    }
    template <class Fn>
    bool test(Fn&& fn) {
        return proc.test(std::forward<Fn>(fn));
    }
    void skipMode() { proc.switchTo(rt::OnError::Skip); }

    Form1& f;
    uint32_t serial = 0;  // this build's number in buildSerial_
    rt::Procedure proc{rt::OnError::Skip};
    Record r;

    // The record table as the builder walks it (Form1_LoadOpen.cpp).
    friend struct PageKinds;

    // The kind blocks, one per row of VANTREL_PAGE_RECORDS, each in its Form1_records_*.cpp file.
#define VANTREL_PAGE_KIND_BLOCK(keyword, block, ...) void block();
    VANTREL_PAGE_RECORDS(VANTREL_PAGE_KIND_BLOCK, VANTREL_PAGE_KIND_BLOCK)
#undef VANTREL_PAGE_KIND_BLOCK
};

// The hook-ups that the rows name, each beside its kind's block: it gives the template of the
// kind's array the window's handlers (and any other design it has).
namespace page_events {
inline void noEvents(Form1&) {}
#define VANTREL_PAGE_KIND_HOOKUP(keyword, block, array, removal, start, hookup) void hookup(Form1& f);
VANTREL_PAGE_RECORDS(VANTREL_PAGE_KIND_HOOKUP, VANTREL_PAGE_SKIP)
#undef VANTREL_PAGE_KIND_HOOKUP
}  // namespace page_events
