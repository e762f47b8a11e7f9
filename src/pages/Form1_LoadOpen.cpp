// The page build: Form1::LoadOpen.
#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "controls/common/paint.h"
#include "controls/media/Module4.h"
#include "pages/PageBuilder.h"
#include "runtime/files.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "runtime/textfile.h"
#include "runtime/ui.h"
#include "shell/clsTransparency.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form17_title_bar.h"
#include "windows/Form2_intro.h"

// The rows of the record table as the builder walks them. The rows name private members of the
// builder, so they are made here.
struct PageKinds {
    using Step = void (PageBuilder::*)();
    struct Row {
        std::string_view keyword;
        Step block;
        // A kind with an array: the removal of its members and its place in the prologue, its
        // hook-up, and the hiding of its template (null when the template starts shown).
        Step removeMembers = nullptr;
        int removalPlace = 0;
        void (*hookUp)(Form1&) = nullptr;
        void (*hideTemplate)(Form1&) = nullptr;
    };

    template <auto Array>
    static void HideTemplate(Form1& f) {
        (f.*Array).Design([](rt::Control& t) { t.Visible(false); });
    }

    static constexpr auto Rows() {
#define VANTREL_PAGE_KIND_ROW(keyword, block, array, removal, start, hookup) \
    Row{keyword,                                                             \
        &PageBuilder::block,                                                 \
        &PageBuilder::RemoveMembers<&Form1::array>,                          \
        removal,                                                             \
        &page_events::hookup,                                                \
        page_kinds::Start::start == page_kinds::Start::hidden ? &HideTemplate<&Form1::array> : nullptr},
#define VANTREL_PAGE_RECORD_ROW(keyword, block) Row{keyword, &PageBuilder::block},
        return std::array{VANTREL_PAGE_RECORDS(VANTREL_PAGE_KIND_ROW, VANTREL_PAGE_RECORD_ROW)};
#undef VANTREL_PAGE_KIND_ROW
#undef VANTREL_PAGE_RECORD_ROW
    }

    // The run-time viewers are no arrays; they take their places among the arrays'.
    static constexpr int kPdfViewerPlace = 3;
    static constexpr int kFlashViewersPlace = 18;

    static constexpr size_t RemovalCount() {
        size_t n = 2;
        for (const Row& kind : Rows())
            if (kind.removeMembers) ++n;
        return n;
    }
    // Each place from 1 to the count is taken exactly once, or the table does not compile.
    static constexpr auto RemovalOrder() {
        std::array<Step, RemovalCount()> order{};
        auto put = [&](int place, Step remove) {
            if (place < 1 || static_cast<size_t>(place) > order.size() ||
                order[static_cast<size_t>(place - 1)])
                throw "a removal place is taken twice or lies outside the order";
            order[static_cast<size_t>(place - 1)] = remove;
        };
        put(kPdfViewerPlace, &PageBuilder::HidePdfViewer);
        put(kFlashViewersPlace, &PageBuilder::RemoveFlashViewers);
        for (const Row& kind : Rows())
            if (kind.removeMembers) put(kind.removalPlace, kind.removeMembers);
        return order;
    }
};

namespace {

constexpr auto kKinds = PageKinds::Rows();
constexpr auto kRemovalOrder = PageKinds::RemovalOrder();

constexpr std::array<std::string_view, kKinds.size()> Keywords() {
    std::array<std::string_view, kKinds.size()> keywords{};
    for (size_t i = 0; i < kKinds.size(); ++i) keywords[i] = kKinds[i].keyword;
    return keywords;
}
// A map answers as a walk through the kinds in their order only while no keyword is listed twice.
constexpr auto kKeywords = Keywords();
static_assert(page_kinds::Distinct(kKeywords.data(), kKeywords.data() + kKeywords.size()),
              "a record kind is listed twice");

}  // namespace

void Form1::LoadOpen() {
    ++buildSerial_;
    PageBuilder(*this).Build();
}

std::string PageBuilder::Item(int n, int i, const char* sep) const {
    const std::vector<std::string> items = rt::Split(F(n), sep);
    if (i < 0 || static_cast<size_t>(i) >= items.size()) rt::Raise(rt::errSubscriptOutOfRange, "LoadOpen");
    return items[static_cast<size_t>(i)];
}

void PageBuilder::StorePicture(const std::function<std::string()>& member,
                               const std::function<void(rt::Picture)>& set) {
    std::string name;
    if (!test([&] { return f.pckex(name = member()) != "error"; })) return;
    rt::Picture picture;
    step([&] { picture = rt::LoadPicture(f.pckex(name)); });
    step([&] { set(picture); });
    picture = rt::Picture();
    step([&] { rt::Kill(f.pckex(name)); });
}

bool PageBuilder::StyleCode(const std::string& code, bool& bold, bool& italic) {
    if (code == "1")
        bold = false, italic = false;
    else if (code == "2")
        bold = false, italic = true;
    else if (code == "3")
        bold = true, italic = false;
    else if (code == "4")
        bold = true, italic = true;
    else
        return false;
    return true;
}

void PageBuilder::Build() {
    serial = f.buildSerial_;
    const bool wasVisible = f.Visible();
    bool stopped = false;
    {
        // The page's windows take their places once, when the records are read.
        rt::HeldPlacement held(f);
        stopped = Records();
    }
    if (!stopped) {
        Finish();
        return;
    }
    // A page that stopped half-built is not finished: the finishing would act on fields that the
    // page never set (a jump empties the window style). The window stays as it stands, visible
    // as it was before the build (a shaped page's record hides it), and a window never shown
    // yet is shown, so that the program is not left running unseen.
    f.stoppedBuild_ = serial;
    if (wasVisible || f.afstme == 0) Show();
}

bool PageBuilder::Records() {
    Prologue();

    // From the opening of the script on, a failing step ends the build, until a step switches
    // to skipping failing steps.
    proc.switchTo(rt::OnError::Stop);
    const std::string script = "sys" + f.page.Text() + " .esr";
    rt::InputFile file;
    bool stopped = false;
    try {
        step([&] { file.Open(f.pckex(script)); });
        while (!file.AtEnd()) {
            // One record is one read of 14 fields; a read that runs out keeps what it got.
            step([&] {
                for (int i = 1; i <= 14; ++i) r[static_cast<size_t>(i)] = file.ReadField();
            });
            RunRecord();
        }
    } catch (const rt::ProcedureStopped&) {
        stopped = true;
    }
    file.Close();
    proc.switchTo(rt::OnError::Skip);
    step([&] { rt::Kill(f.pckex(script)); });
    return stopped;
}

void PageBuilder::Prologue() {
    // The old page's image, from which the transition starts. Clearing takes what was drawn on
    // the boxes; their pictures stay until they are replaced.
    step([&] { f.Picture5.Cls(); });
    step([&] { f.Picture6.Cls(); });
    step([&] { f.Picture7.Cls(); });
    step([&] { f.Picture5.SetPicture(Module4::GrabFormImage(f)); });
    step([&] { f.Picture8.Visible(false); });

    // The previous page's objects, kind by kind in the removal order of the record table.
    for (const auto remove : kRemovalOrder) (this->*remove)();
    step([&] { f.Text1.Text("0"); });
}

void PageBuilder::HidePdfViewer() {
    f.pageHasPdf = false;
    step([&] {
        if (rt::Control* viewer = rt::FindControl(f, "PDF")) viewer->Visible(false);
    });
}

void PageBuilder::RemoveFlashViewers() {
    step([&] {
        std::vector<std::string> flash;
        for (rt::Control* c : f.Controls())
            if (c->Name().compare(0, 4, "tovi") == 0) flash.push_back(c->Name());
        for (const std::string& name : flash) rt::Try([&] { rt::RemoveControl(f, name); });
    });
}

void PageBuilder::RunRecord() {
    static const std::unordered_map<std::string_view, void (PageBuilder::*)()> blocks = [] {
        std::unordered_map<std::string_view, void (PageBuilder::*)()> map;
        for (const PageKinds::Row& kind : kKinds) map.emplace(kind.keyword, kind.block);
        return map;
    }();
    const auto row = blocks.find(F(1));
    if (row != blocks.end()) (this->*row->second)();
}

Form1::PageObjectHookup::PageObjectHookup(Form1& f) {
    for (const PageKinds::Row& kind : kKinds) {
        if (kind.hookUp) kind.hookUp(f);
        if (kind.hideTemplate) kind.hideTemplate(f);
    }
}

void PageBuilder::Show() {
    const bool firstShowing = f.afstme == 0;
    if (firstShowing) {
        // A nudge that makes the platform draw the window's frame on its first showing.
        step([&] { f.Left(f.Left() + 20); });
        step([&] { f.Left(f.Left() - 20); });
        f.afstme = 1;
    }
    step([&] { f.Visible(true); });
    // The border step gives the window its visible style before it was ever shown, so showing
    // it repaints nothing: the controls with windows of their own would stay unpainted.
    if (firstShowing)
        step([&] { RedrawWindow(f.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); });
}

void PageBuilder::Finish() {
    step([&] { f.setzde(); });
    if (test([&] { return rt::TextToDouble(f.page.Text()) == 1 && f.frma.Text() != "1"; }))
        step([&] { f.Timer3.Enabled(true); });
    step([&] { f.combogo(); });
    step([&] { f.sldgo(); });
    // A build started inside this one (a jump from an event while the lists loaded, or from the
    // open actions) that stopped leaves the window as it stands; this one changes it no more.
    if (f.stoppedBuild_ > serial) return;
    step([&] { f.Command2_Click(); });
    if (f.stoppedBuild_ > serial) return;

    const std::string background = "bg" + f.page.Text() + ".bmp";
    if (test([&] { return f.pckex(background) != "error"; })) {
        step([&] { f.SetPicture(rt::LoadPicture(f.pckex(background))); });
        step([&] { rt::Kill(f.pckex(background)); });
    } else {
        step([&] { f.SetPicture(rt::Picture()); });
    }

    // The intro video plays first while the window waits hidden far off-screen; the intro window
    // puts it back at its Left when the video ends.
    if (test([&] { return f.v.Text() != "" && f.v.Text() != "0" && rt::TextToDouble(f.de.Text()) == 1; })) {
        Form2* loaded = nullptr;
        auto intro = [&]() -> Form2& {
            if (!loaded) rt::Raise(rt::errObjectVariableNotSet, "LoadOpen");
            return *loaded;
        };
        step([&] {
            loaded = &rt::Load<Form2>();
            intro().Label1.Caption(f.v.Text());
        });
        step([&] { intro().Show(); });
        step([&] { intro().Text1.Text(rt::Str(f.Left())); });
        step([&] { f.Left(-900000); });
        step([&] { f.Visible(false); });
    } else {
        Show();
        step([&] { f.v.Text(""); });
    }

    if (test([&] { return rt::TextToDouble(f.Text2.Text()) == 3; })) {
        step([&] { clsTransparency().DoTransparency(f, controls::TranslateOleColor(f.BackColor())); });
        step([&] { f.Visible(true); });
    } else {
        // A region that a shaped page left would clip this page. Without one there is nothing to
        // take away and nothing to repaint.
        step([&] {
            rt::Region probe(CreateRectRgn(0, 0, 0, 0));
            if (GetWindowRgn(f.hWnd(), probe.get()) != ERROR) SetWindowRgn(f.hWnd(), nullptr, TRUE);
        });
    }

    step([&] { f.Option1.Value(true); });
    step([&] { f.ApplyWindowState(f.Text1.Text()); });
    step([&] {
        windows::Form15& backdrop = rt::Load<windows::Form15>();
        if (backdrop.Tag() != "ok") return;
        backdrop.ZOrder(1);
        f.WindowState(rt::vbNormal);
    });
    step([&] { f.Command3_Click(); });
    step([&] { f.thmbgo(); });
    // The title-bar window, when the start-up loaded it, sits directly above the window. Without
    // a title bar there is nothing to place, and no hidden window is made for it.
    step([&] {
        windows::Form17* loaded = rt::LoadedForm<windows::Form17>();
        if (!loaded) return;
        windows::Form17& titleBar = *loaded;
        titleBar.Top(f.Top() - titleBar.Height());
        titleBar.Left(f.Left());
        titleBar.Width(f.Width());
    });
    step([&] { f.Shape1.Move(0, 0, f.Width(), f.Height()); });
}
