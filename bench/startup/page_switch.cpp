// Page builds measured inside the program: the program starts in this process on a prepared
// application folder (its machine effects recorded, not done), then jumps between pages 1 and 2
// through the jump action; each switch is timed from the action to the end of the page's
// finishing steps, and again until the window has painted. The program's own calls that create
// GDI objects and fonts are counted through its imports.
//
//   bench_page_switch.exe <folder with quorlin.dat> <objects per page> [<switches>]
//
// With VANTREL_BENCH_PROFILE=start (or =switch) the start (or the switches) are sampled and a
// profile goes to standard error (x86-64 builds; see sampler.h). VANTREL_BENCH_SYMS names a file
// of "nm" output for the program, so that its own functions are named.
//
// Each measured build is bracketed by marks in Wine's server trace (wineserver -d1): an atom named
// "vantrel-bench:<phase>:begin", then ":end", is added and deleted, so that a script can count the
// requests of this thread between them (phases "start" and "switch").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/program.h"
#include "runtime/effects.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "sampler.h"
#include "shell/Form1.h"
#include "support/handle_counter.h"
#include "support/import_patch.h"

namespace {

// Every font the program creates, with its description, while counting is on.
struct FontLog {
    bool counting = false;
    size_t created = 0;
    std::map<HFONT, std::string> described;
};
FontLog& Fonts() {
    static FontLog log;
    return log;
}

std::string Describe(const LOGFONTA& lf) {
    char text[160];
    std::snprintf(text, sizeof text, "%s/%ld/%ld/%d%d%d/%d", lf.lfFaceName, static_cast<long>(lf.lfHeight),
                  static_cast<long>(lf.lfWeight), lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet);
    return text;
}

using CreateFontIndirectA_t = HFONT(WINAPI*)(const LOGFONTA*);
CreateFontIndirectA_t originalCreateFontIndirectA = nullptr;
HFONT WINAPI CountedCreateFontIndirectA(const LOGFONTA* lf) {
    HFONT font = originalCreateFontIndirectA(lf);
    if (Fonts().counting && font && lf) {
        ++Fonts().created;
        Fonts().described[font] = Describe(*lf);
    }
    return font;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        rt::FlushDeferred();
    }
}

Form1* Main() {
    for (rt::Form* f : rt::Forms())
        if (f->Name() == "Form1") return static_cast<Form1*>(f);
    return nullptr;
}

struct Build {
    double ms = 0, paintedMs = 0;
    size_t fonts = 0, distinctFonts = 0, gdi = 0;
};

// The distinct fonts alive after a build, of those the program made since it started: the fonts
// the page uses (a platform font outlives its control while another control or the font cache
// holds it).
size_t DistinctLiveFonts() {
    std::set<std::string> live;
    for (auto& [font, text] : Fonts().described)
        if (GetObjectType(font) == OBJ_FONT) live.insert(text);
    return live.size();
}

// A mark in the server trace: one add_atom request with the name, then the atom goes again.
void Mark(const char* phase, const char* edge) {
    const std::string name = std::string("vantrel-bench:") + phase + ":" + edge;
    if (ATOM atom = GlobalAddAtomA(name.c_str())) GlobalDeleteAtom(atom);
}

template <class Work>
Build Measure(testsupport::HandleCounter& counter, const char* phase, Work work) {
    Build b;
    Pump();
    Mark(phase, "begin");
    counter.Start();
    Fonts().created = 0;
    Fonts().counting = true;
    const double start = Now();
    work();
    b.ms = Now() - start;
    Pump();
    b.paintedMs = Now() - start;
    Mark(phase, "end");
    Fonts().counting = false;
    b.fonts = Fonts().created;
    b.distinctFonts = DistinctLiveFonts();
    b.gdi = counter.Created();
    return b;
}

void Print(const char* what, const Build& b, int objects) {
    std::printf(
        "%-14s %7.1f ms  %5.2f ms/object  painted %7.1f ms  fonts %4zu  (%zu in use, %.1f each)  "
        "GDI objects %5zu\n",
        what, b.ms, b.ms / objects, b.paintedMs, b.fonts, b.distinctFonts,
        b.distinctFonts ? static_cast<double>(b.fonts) / static_cast<double>(b.distinctFonts) : 0.0, b.gdi);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_page_switch <folder> <objects per page> [<switches>]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int objects = std::max(1, std::atoi(argv[2]));
    const int switches = argc > 3 ? std::max(1, std::atoi(argv[3])) : 14;

    testsupport::HandleCounter counter;
    testsupport::RedirectImport("CreateFontIndirectA", reinterpret_cast<void*>(&CountedCreateFontIndirectA),
                                reinterpret_cast<void**>(&originalCreateFontIndirectA));
    rt::RecordingEffects recorder;
    rt::ScopedEffects effects(recorder);
    rt::App::SetPathForTests(folder);
    rt::App::SetEndForTests([] {});

    // VANTREL_BENCH_PROFILE=start or =switch samples that phase and writes a profile to stderr.
    const char* profileWhat = std::getenv("VANTREL_BENCH_PROFILE");
    const std::string profile = profileWhat ? profileWhat : "";
    bench::Sampler sampler(GetCurrentThreadId());
    if (profile == "start") sampler.Start();
    const Build first = Measure(counter, "start", [] {
        rt::HandlerScope keep;
        app::StartProgram();
    });
    Form1* main = Main();
    if (!main || !main->Visible()) {
        std::fprintf(stderr, "the main window did not show\n");
        return 1;
    }
    Print("start, page 1", first, objects);
    if (profile == "start") {
        sampler.Stop();
        sampler.Report(stderr, 120);
    }
    if (profile == "switch") sampler.Start();

    std::vector<Build> builds;
    for (int i = 0; i < switches; ++i) {
        const int page = i % 2 == 0 ? 2 : 1;
        builds.push_back(Measure(counter, "switch", [&] {
            rt::HandlerScope scope;
            main->ExecuteTag("jump***Sepa***" + std::to_string(page));
        }));
        if (main->page.Text() != std::to_string(page)) {
            std::fprintf(stderr, "the jump to page %d did not happen\n", page);
            return 1;
        }
    }
    if (profile == "switch") {
        sampler.Stop();
        sampler.Report(stderr, 150);
    }
    std::sort(builds.begin(), builds.end(), [](const Build& a, const Build& b) { return a.ms < b.ms; });
    Print("switch, median", builds[builds.size() / 2], objects);
    Print("switch, best", builds.front(), objects);
    std::fflush(stdout);

    rt::UnloadAll();
    Pump();
    rt::App::SetEndForTests({});
    rt::App::SetPathForTests({});
    return 0;
}
