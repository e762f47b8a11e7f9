// What the controls of a page see while the page is built: each Move, Resize, Show and Hide they
// get, in order, with the values read at that moment, and every control's values, window and
// stacking after the build. A page with every record kind that places or shows a window is
// started and then switched to a second page, once with the build holding its windows until the
// records are read and once with each step moving the windows at once; the two must agree.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "controls/media/UserControl1.h"
#include "pages_fixture.h"
#include "runtime/activex.h"
#include "runtime/usercontrol.h"
#include "support/gif_fixture.h"
#include "support/window_helpers.h"

using namespace pagestest;

namespace {

constexpr const char* kTestBrowser = "Vantrel.TestBrowser.1";
const std::string kButtonFont = "9**qk**Tahoma**qk**False**qk**False**qk**False**qk**0";
const std::string kTextFont = "10**qk**Arial**qk**False**qk**0";

// A record kind: its record at (left, top) twips, member 1 where the kind has members, and the
// control the record places (none for the window's own record).
struct Kind {
    const char* name;
    std::function<std::string(const std::string& left, const std::string& top)> record;
    std::function<rt::Control*(Form1&)> placed;
};

template <class Array>
std::function<rt::Control*(Form1&)> MemberOne(Array Form1::*array) {
    return [array](Form1& f) -> rt::Control* { return (f.*array).Exists(1) ? &(f.*array)[1] : nullptr; };
}
std::function<rt::Control*(Form1&)> Named(const char* name) {
    return [name](Form1& f) { return rt::FindControl(f, name); };
}

// The window's record comes first, then the alpha picture, whose record lets messages run, before
// any page timer exists.
std::vector<Kind> Kinds() {
    using S = const std::string&;
    return {
        {"Form", [](S, S) { return FormRec("Placed", 9000, 13800); }, nullptr},
        {"Label3",
         [](S l, S t) {
             return Rec({"Label3", "0", "", l, t, "285", "2000", "1500", "", l, t, "1000", "0", "0**qk**8"});
         },
         [](Form1& f) -> rt::Control* { return &f.Label3; }},
        {"Aap", [](S l, S t) { return AapRec(1, std::stoi(l), std::stoi(t), 600, 600, "0"); },
         MemberOne(&Form1::aap)},
        {"obj1",
         [](S l, S t) {
             return Rec(
                 {"obj1", "1", "Button", l, t, "360", "1500", "", "255", "1", kButtonFont, "", "tip", "0"});
         },
         MemberOne(&Form1::Command1)},
        {"MacBT",
         [](S l, S t) {
             return Rec({"MacBT", "1", "Glossy", l, t, "450", "1500", "", "16777215", "2", kButtonFont,
                         "255**qk**65280**qk**16711680**qk**16777215", "glossy tip", "0"});
         },
         MemberOne(&Form1::Macbt)},
        {"obj2",
         [](S l, S t) {
             return Rec({"obj2", "1", "Label", l, t, "285", "2000", "", "0", "tip", "16777215", "1",
                         "0**qk**0", kTextFont});
         },
         MemberOne(&Form1::Label1)},
        {"txt",
         [](S l, S t) {
             return Rec({"txt", "1", "Text", l, t, "330", "1500", "", "", "", "16777215", "1", "0**qk**0",
                         kTextFont});
         },
         MemberOne(&Form1::txt)},
        {"picture2",
         [](S l, S t) {
             return Rec({"picture2", "1", "", l, t, "900", "1200", ""});
         },
         Named("tovi1")},
        {"WMPlayer",
         [](S l, S t) {
             return Rec(
                 {"WMPlayer", "1", "none", l, t, "900", "1500", "True", "False", "False", "none", "1"});
         },
         MemberOne(&Form1::WMPlayer)},
        {"metrodes1",
         [](S l, S t) {
             return Rec(
                 {"metrodes1", "1", "0", l, t, "900", "1500", "", "1", "", "255", "16777215", "1",
                  "0**qk**0**qk**4**qk**Tile**qk**0**qk**0**qk**255**qk**0**qk**Arial**qk**False**qk**False"
                  "**qk**tip**qk**10**qk**0"});
         },
         MemberOne(&Form1::metrodes1)},
        {"ComboBox",
         [](S l, S t) {
             return Rec({"ComboBox", "1", "False", l, t, "315", "2000", "Choose", "255", "16777215", "Arial",
                         "10", "True", "False**qk**0"});
         },
         MemberOne(&Form1::combobx1)},
        {"slideshow",
         [](S l, S t) {
             return Rec(
                 {"slideshow", "1", "tag", l, t, "900", "1200", "60000", "wd", "slides", "255", "False"});
         },
         MemberOne(&Form1::slideshow)},
        {"rt",
         [](S l, S t) {
             return Rec({"rt", "1", "", l, t, "900", "1500", "", "255"});
         },
         MemberOne(&Form1::rt)},
        {"web",
         [](S l, S t) {
             return Rec({"web", "1", "1", l, t, "900", "1500", "about:blank", "0"});
         },
         MemberOne(&Form1::web)},
        {"thumb",
         [](S l, S t) {
             return Rec({"thumb", "1", "pics", l, t, "1200", "2400", "Arial", "True", "9**qk**0",
                         "16777215**qk**0", "255**qk**16571851", "3", ""});
         },
         MemberOne(&Form1::thumb)},
        {"file",
         [](S l, S t) {
             return Rec({"file", "1", "*.*", l, t, "900", "1500", "", "", "", "16777215", "", "0"});
         },
         MemberOne(&Form1::File)},
        {"lnk",
         [](S l, S t) {
             return Rec(
                 {"lnk", "1", "Link", l, t, "285", "2000", "", "", "", "65280", "1", "255", kTextFont});
         },
         MemberOne(&Form1::lnk)},
        {"Image",
         [](S l, S t) {
             return Rec({"Image", "1", "", l, t, "480", "480", "True", "", "", "", "True", "", "0"});
         },
         MemberOne(&Form1::pic)},
        {"gif",
         [](S l, S t) {
             return Rec({"gif", "1", "", l, t, "900", "1200", "65535", "", "", "", "True", ""});
         },
         MemberOne(&Form1::gif)},
        {"Shaper1",
         [](S l, S t) {
             return Rec({"Shaper1", "1", "1", l, t, "900", "900", "", "1", "field tip", "16711680", "0", "2",
                         "1**qk**0**qk**0**qk****qk**0**qk**0**qk**255**qk**0**qk**Arial**qk**True**qk**"
                         "False**qk**tip"});
         },
         MemberOne(&Form1::Shaper1)},
        {"opt",
         [](S l, S t) {
             return Rec({"opt", "1", "Option", l, t, "285", "2000", "", "", "", "16777215", "3", "0**qk**0",
                         "9**qk**Tahoma**qk**False**qk**0"});
         },
         MemberOne(&Form1::o)},
        {"imageover",
         [](S l, S t) {
             return Rec({"imageover", "1", "Go", l, t, "600", "1200", "", "255", std::to_string(0xFF00FF),
                         "10**qk**Arial", "", "the tip"});
         },
         MemberOne(&Form1::imageover)},
        {"PDF",
         [](S l, S t) {
             return Rec({"PDF", "0", "", l, t, "900", "1500", "1", "", "", "", "0"});
         },
         Named("PDF")},
        {"bsGradientLabel1",
         [](S l, S t) {
             return Rec({"bsGradientLabel1", "1", "Gradient", l, t, "450", "2400", "", "0", "16711680",
                         "10**qk**Arial**qk**0", "0", "0", "0**qk**16777215**qk**0**qk**0**qk**1"});
         },
         MemberOne(&Form1::bsGradientLabel1)},
        {"Scroll1",
         [](S l, S t) {
             return Rec({"Scroll1", "1", "Marquee", l, t, "300", "3000", "", "60000", "tip", "16777215",
                         "True**qk**False", "255**qk**1", "10**qk**Arial**qk**0"});
         },
         MemberOne(&Form1::Scroll1)},
    };
}

// Where the kinds stand on a page: five columns; page 2 moves everything.
std::string LeftOf(size_t k, int page) {
    return std::to_string(120 + 2700 * static_cast<int>(k % 5) + (page == 2 ? 300 : 0));
}
std::string TopOf(size_t k, int page) {
    return std::to_string(120 + 1500 * static_cast<int>(k / 5) + (page == 2 ? 150 : 0));
}

std::string Script(int page) {
    std::string script;
    const std::vector<Kind> kinds = Kinds();
    for (size_t k = 0; k < kinds.size(); ++k) script += kinds[k].record(LeftOf(k, page), TopOf(k, page));
    return script;
}

// A control by its containers, name and index: the same in both builds.
std::string Key(const rt::Control& c) {
    std::string key = c.Name() + "(" + std::to_string(c.Index()) + ")";
    for (auto* up = dynamic_cast<const rt::Control*>(&c.Parent()); up;
         up = dynamic_cast<const rt::Control*>(&up->Parent()))
        key = up->Name() + "(" + std::to_string(up->Index()) + ")/" + key;
    return key;
}

// What a handler of the control reads: place and size in twips, visibility, the client area its
// window has as far as the control knows, and a user control's scale size.
std::string Values(rt::Control& c) {
    auto n = [](double v) { return std::to_string(static_cast<long>(v)); };
    std::string s = n(c.Left()) + "," + n(c.Top()) + " " + n(c.Width()) + "x" + n(c.Height()) +
                    (c.Visible() ? " shown" : " hidden");
    if (c.hWnd()) {
        const RECT client = rt::ClientRectOf(c.hWnd());
        s += " client " + std::to_string(client.right) + "x" + std::to_string(client.bottom);
    }
    if (auto* uc = dynamic_cast<rt::UserControl*>(&c))
        s += " scale " + n(uc->ScaleWidth()) + "x" + n(uc->ScaleHeight());
    return s;
}

const char* EventName(rt::PlacementEvent e) {
    switch (e) {
        case rt::PlacementEvent::Move:
            return "move";
        case rt::PlacementEvent::Resize:
            return "resize";
        case rt::PlacementEvent::Show:
            return "show";
        case rt::PlacementEvent::Hide:
            return "hide";
    }
    return "?";
}

// The events of the main window's controls, in order: "key event values".
class Recording {
public:
    explicit Recording(std::vector<std::string>& log) {
        rt::WatchPlacement([&log](rt::Control& c, rt::PlacementEvent e) {
            if (&c.OwnerForm() != FindForm("Form1")) return;
            log.push_back(Key(c) + " " + EventName(e) + " " + Values(c));
        });
    }
    ~Recording() { rt::WatchPlacement({}); }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;
};

// Every control of the container and of the containers in it, after a build: its values, its
// window's place in its parent, visibility and place from the top among its siblings.
void ReadBack(const rt::Container& container, std::map<std::string, std::string>& out) {
    for (rt::Control* c : container.Controls()) {
        std::string s = Values(*c);
        if (HWND w = c->hWnd()) {
            RECT r{};
            GetWindowRect(w, &r);
            MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
            int depth = 0;
            for (HWND above = GetWindow(w, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
                ++depth;
            s += " window " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                 std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
                 (IsWindowVisible(w) ? " visible" : " unseen") + " depth " + std::to_string(depth);
        }
        out[Key(*c)] = s;
        if (auto* inner = dynamic_cast<const rt::Container*>(c)) ReadBack(*inner, out);
    }
}

struct Build {
    std::vector<std::string> events;
    std::map<std::string, std::string> after;
    std::map<std::string, std::string> placed;  // kind: Left and Top of the control it placed
    std::map<std::string, std::string> keys;    // kind: the key of the control it placed
};

// Whether the control got the event during the build.
bool Got(const Build& b, const std::string& key, const char* event) {
    const std::string start = key + " " + event + " ";
    for (const std::string& line : b.events)
        if (line.compare(0, start.size(), start) == 0) return true;
    return false;
}

class PagePlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reg.ok());
        controls::SetWebBrowserProgID(kTestBrowser);
        app.MakeFolder("slides");
        app.Write("slides/a.bmp", Bitmap(40, 30, 0xFFFF00));
        app.Write("pics/a.bmp", Bitmap(60, 40, 0xFF0000));
        std::vector<Member> store;
        for (int page : {1, 2}) {
            const std::string n = std::to_string(page);
            store.push_back({"sys" + n + " .esr", Script(page)});
            store.push_back({n + "aap1.pic", Bitmap(40, 40, 0x00FF00)});
            store.push_back({n + "P1.gif", giftest::ThreeFrames()});
            store.push_back({n + "p1Normal.pic", Bitmap(80, 40, 0x0000FF)});
            store.push_back({n + "p1.pic", Bitmap(32, 32, 0x00FFFF)});
        }
        app.Pack(store);
    }
    void TearDown() override {
        controls::SetWebBrowserProgID("Shell.Explorer.2");
        rt::HeldPlacement::Enable(true);
    }

    // Page 1 at the start, then page 2; the events of each and the state after each.
    std::vector<Build> Run(bool held) {
        rt::HeldPlacement::Enable(held);
        std::vector<Build> builds(2);
        ProgramScope program(app);
        {
            Recording recording(builds[0].events);
            program.Start();
        }
        Form1& f = Main();
        Settle(f, builds[0]);
        {
            Recording recording(builds[1].events);
            Jump(f, 2);
        }
        Settle(f, builds[1]);
        rt::HeldPlacement::Enable(true);
        return builds;
    }
    static void Settle(Form1& f, Build& b) {
        // The page transition's timer ticks when the machine gets to it: let it end, so that its
        // cover stands where it leaves it in both runs.
        EXPECT_TRUE(testutil::PumpUntil([&] { return !f.Timer6.Enabled(); }, 10000));
        ReadBack(f, b.after);
        // The main window's child windows from the top down; a window of no control by its class.
        std::string stack;
        for (HWND w = GetWindow(f.hWnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            const rt::Control* c = rt::ControlFromWindow(w);
            stack += (c ? Key(*c) : std::string("[") + cls + "]") + " ";
        }
        b.after["stack"] = stack;
        const RECT window = WindowRect(f);
        b.after["window"] = std::to_string(window.left) + "," + std::to_string(window.top) + " " +
                            std::to_string(window.right - window.left) + "x" +
                            std::to_string(window.bottom - window.top) + (f.Visible() ? " shown" : " hidden");
        for (const Kind& k : Kinds())
            if (k.placed)
                if (rt::Control* c = k.placed(f)) {
                    b.placed[k.name] = std::to_string(static_cast<long>(c->Left())) + "," +
                                       std::to_string(static_cast<long>(c->Top()));
                    b.keys[k.name] = Key(*c);
                }
    }

    axtest::Registration reg{std::string(kTestBrowser) + ";ShockwaveFlash.ShockwaveFlash.10;AcroPDF.PDF.1"};
    AppFolder app;
};

// The steps of a log but those of the page transition's windows (its two pictures and its cover):
// its timer can tick inside a build or after it, as the machine's load has it.
std::vector<std::string> PageSteps(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    for (const std::string& line : log)
        if (line.rfind("Picture5(", 0) != 0 && line.rfind("Picture6(", 0) != 0 &&
            line.rfind("Picture7(", 0) != 0)
            out.push_back(line);
    return out;
}

// The first line at which two logs part, with the lines around it.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    if (i == a.size() && i == b.size()) return "";
    std::string out = "line " + std::to_string(i) + " of " + std::to_string(a.size()) + " and " +
                      std::to_string(b.size()) + "\n";
    for (size_t j = i >= 3 ? i - 3 : 0; j < i + 3; ++j)
        out += "  " + (j < a.size() ? a[j] : "-") + "  |  " + (j < b.size() ? b[j] : "-") + "\n";
    return out;
}

}  // namespace

TEST_F(PagePlacementTest, ControlsSeeTheSameStepsHeldAsMovedAtOnce) {
    const std::vector<Build> moved = Run(false);
    const std::vector<Build> held = Run(true);
    const std::vector<Kind> kinds = Kinds();
    for (int page : {1, 2}) {
        SCOPED_TRACE("page " + std::to_string(page));
        const Build& m = moved[static_cast<size_t>(page - 1)];
        const Build& h = held[static_cast<size_t>(page - 1)];

        // Each kind's control stands where its record put it, and was moved there during the
        // build: the recording saw the steps.
        for (size_t k = 0; k < kinds.size(); ++k) {
            if (!kinds[k].placed) continue;
            SCOPED_TRACE(kinds[k].name);
            const std::string want = LeftOf(k, page) + "," + TopOf(k, page);
            EXPECT_EQ(m.placed.count(kinds[k].name) ? m.placed.at(kinds[k].name) : "none", want);
            EXPECT_EQ(h.placed.count(kinds[k].name) ? h.placed.at(kinds[k].name) : "none", want);
            if (h.keys.count(kinds[k].name)) {
                EXPECT_TRUE(Got(h, h.keys.at(kinds[k].name), "move"));
            }
        }

        EXPECT_EQ(FirstDifference(PageSteps(m.events), PageSteps(h.events)), "");
        for (const auto& [key, values] : m.after) {
            SCOPED_TRACE(key);
            EXPECT_EQ(h.after.count(key) ? h.after.at(key) : "none", values);
        }
        EXPECT_EQ(h.after.size(), m.after.size());
    }
}
