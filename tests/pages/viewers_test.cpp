// The run-time Flash and PDF viewers, with the test control registered under their identifiers,
// and their placeholders without; the platform's media player as a page object.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "comserver/axtest.h"
#include "pages_fixture.h"
#include "runtime/activex.h"

using namespace pagestest;

namespace {

std::string FlashRec(int index, const std::string& source) {
    return Rec(
        {"picture2", std::to_string(index), "", std::to_string(150 * index), "300", "900", "1200", source});
}
std::string PdfRec(const std::string& file) {
    return Rec({"PDF", "0", file, "300", "450", "1500", "1950", "1", "", "", "", "0"});
}

void Act(Form1& main, const std::string& action) {
    rt::HandlerScope scope;
    main.ExecuteTag(action);
}

std::function<void()> g_duringYield;
void CALLBACK RunDuringYield(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto f = std::exchange(g_duringYield, nullptr)) f();
}

}  // namespace

TEST(ViewersTest, FlashActionsDriveTheViewerThatTheNameListNames) {
    axtest::Registration reg("ShockwaveFlash.ShockwaveFlash.10");
    ASSERT_TRUE(reg.ok());
    axtest::CallLog log;
    AppFolder app;
    app.Pack({{"sys1 .esr", FlashRec(1, "one.swf") + FlashRec(2, "two.swf")},
              {"name.nme", "1#FLA#2#mov\r\n1#FLA#1#first\r\n1#FLA#9#none\r\n"}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    const std::string pat = main.pat.Text();
    rt::Control* tovi1 = rt::FindControl(main, "tovi1");
    rt::Control* tovi2 = rt::FindControl(main, "tovi2");
    ASSERT_NE(tovi1, nullptr);
    ASSERT_NE(tovi2, nullptr);
    IDispatch* player1 = static_cast<rt::ActiveXControl*>(tovi1)->object().get();
    IDispatch* player2 = static_cast<rt::ActiveXControl*>(tovi2)->object().get();
    ASSERT_EQ(main.FlashViewer().get(), player2);  // the one loaded last

    Act(main, "loadyoutube***Sepa***first***Sepa***Play");
    EXPECT_EQ(main.FlashViewer().get(), player1);  // the one driven last
    const size_t built = log.Calls().size();
    for (const char* command : {"Play", "Pause", "Rewind", "a.swf", "play", "b.SWF", "http://h/x#~~#y"})
        Act(main, std::string("loadyoutube***Sepa***mov***Sepa***") + command);
    Act(main, "loadyoutube***Sepa***mov");  // no command: an empty address
    EXPECT_EQ(main.FlashViewer().get(), player2);
    Act(main, "loadyoutube***Sepa***none***Sepa***Play");  // no viewer of that index: nothing
    Act(main, "loadyoutube***Sepa***nobody***Sepa***Play");
    EXPECT_EQ(main.FlashViewer().get(), player2);
    const std::vector<std::string> all = log.Calls();
    ASSERT_GE(all.size(), built);
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(built), all.end()),
              (std::vector<std::string>{"play()", "Stop()", "Rewind()", "LoadMovie(0," + pat + "a.swf)",
                                        "LoadMovie(0,play)", "LoadMovie(0,b.SWF)",
                                        "LoadMovie(0,http://h/x\"y)", "LoadMovie(0,)"}));

    // A viewer removed while the walk lets the message loop run is not called.
    const size_t before = log.Calls().size();
    g_duringYield = [&] {
        rt::HandlerScope scope;
        rt::RemoveControl(main, "tovi2");
    };
    SetTimer(nullptr, 0, 0, RunDuringYield);
    Sleep(30);
    Act(main, "loadyoutube***Sepa***mov***Sepa***Play");
    EXPECT_FALSE(g_duringYield);
    EXPECT_EQ(rt::FindControl(main, "tovi2"), nullptr);
    EXPECT_EQ(log.Calls().size(), before);
}

TEST(ViewersTest, WithoutAFlashPlayerTheFlashActionsCallNothing) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FlashRec(1, "one.swf")}, {"name.nme", "1#FLA#1#mov\r\n"}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    EXPECT_EQ(rt::FindControl(main, "tovi1"), nullptr);
    EXPECT_TRUE(main.Picture2[1].Visible());
    for (const char* command : {"Play", "Pause", "Rewind", "a.swf", "http://h/x"})
        Act(main, std::string("loadyoutube***Sepa***mov***Sepa***") + command);
    EXPECT_TRUE(main.FlashViewer().IsNothing());
    EXPECT_EQ(main.page.Text(), "1");
}

TEST(ViewersTest, FlashViewersAndThePdfViewerAreCreatedNamedLoadedAndRemoved) {
    axtest::Registration reg("ShockwaveFlash.ShockwaveFlash.4;PDF.PdfCtrl.1");
    ASSERT_TRUE(reg.ok());
    axtest::CallLog log;
    AppFolder app;
    app.Pack(
        {{"sys1 .esr", FlashRec(1, "movie1.swf") + FlashRec(2, "http://host/a#~~#b.swf") + PdfRec("doc.pdf")},
         {"sys2 .esr", LabelRec(1, "no viewers")},
         {"sys3 .esr", PdfRec("doc2.pdf")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    const std::string pat = main.pat.Text();

    rt::Control* tovi1 = rt::FindControl(main, "tovi1");
    ASSERT_NE(tovi1, nullptr);
    ASSERT_NE(rt::FindControl(main, "tovi2"), nullptr);
    EXPECT_TRUE(tovi1->Visible());
    EXPECT_DOUBLE_EQ(tovi1->Left(), 150);
    EXPECT_DOUBLE_EQ(tovi1->Width(), 1200);
    EXPECT_DOUBLE_EQ(tovi1->Height(), 900);
    rt::Control* pdf = rt::FindControl(main, "PDF");
    ASSERT_NE(pdf, nullptr);
    EXPECT_TRUE(pdf->Visible());
    EXPECT_DOUBLE_EQ(pdf->Left(), 300);
    EXPECT_DOUBLE_EQ(pdf->Width(), 1950);
    EXPECT_EQ(log.Calls(), (std::vector<std::string>{"LoadMovie(0," + pat + "movie1.swf)",
                                                     "LoadMovie(0,http://host/a\"b.swf)",
                                                     "AllowFullScreen=True", "LoadFile(" + pat + "doc.pdf)",
                                                     "setShowToolbar(0)", "setShowScrollbars(1)"}));
    EXPECT_FALSE(main.Picture8.Visible());

    // The next page removes the Flash viewers and hides the PDF viewer.
    Jump(main, 2);
    EXPECT_EQ(rt::FindControl(main, "tovi1"), nullptr);
    EXPECT_EQ(rt::FindControl(main, "tovi2"), nullptr);
    ASSERT_NE(rt::FindControl(main, "PDF"), nullptr);
    EXPECT_FALSE(rt::FindControl(main, "PDF")->Visible());

    // Another PDF page: still one viewer, with the new document.
    Jump(main, 3);
    int viewers = 0;
    for (rt::Control* c : main.Controls()) viewers += c->Name() == "PDF";
    EXPECT_EQ(viewers, 1);
    EXPECT_TRUE(rt::FindControl(main, "PDF")->Visible());
    EXPECT_EQ(log.Calls().at(6), "LoadFile(" + pat + "doc2.pdf)");
}

TEST(ViewersTest, WithoutTheComponentsThePlaceholdersStandInTheirPlace) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FlashRec(3, "movie.swf") + FlashRec(0, "") + PdfRec("doc.pdf")},
              // A web movie with no player at all fails before any record switched to skip mode.
              {"sys2 .esr", FlashRec(1, "http://host/m.swf") + LabelRec(1, "never built")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    EXPECT_EQ(rt::FindControl(main, "tovi3"), nullptr);
    ASSERT_TRUE(main.Picture2.Exists(3));
    EXPECT_TRUE(main.Picture2[3].Visible());
    EXPECT_DOUBLE_EQ(main.Picture2[3].Left(), 450);
    EXPECT_DOUBLE_EQ(main.Picture2[3].Height(), 900);
    EXPECT_DOUBLE_EQ(main.Picture2[3].Width(), 1200);
    EXPECT_TRUE(main.Picture2[0].Visible());
    EXPECT_EQ(rt::FindControl(main, "PDF"), nullptr);
    EXPECT_TRUE(main.Picture8.Visible());
    EXPECT_DOUBLE_EQ(main.Picture8.Left(), 300);
    EXPECT_DOUBLE_EQ(main.Picture8.Width(), 1950);

    Jump(main, 2);
    EXPECT_TRUE(Members(main.Label1).empty());
    EXPECT_FALSE(main.Picture8.Visible());  // hidden by every build
    EXPECT_FALSE(main.Picture2.Exists(3));
}

TEST(ViewersTest, MediaPlayerRecordPlacesThePlayerAndGivesItItsSource) {
    AppFolder app;
    app.Pack({{"sys1 .esr",
               LabelRec(1, "skip on") + Rec({"WMPlayer", "2", "fle#$#media\\clip.wav", "600", "700", "1500",
                                             "2400", "True", "False", "False", "none", "1"})}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(main.WMPlayer.Exists(2));
    rt::MediaPlayer& player = main.WMPlayer[2];
    if (!player.Created()) GTEST_SKIP() << "no media player control on this machine";
    EXPECT_TRUE(player.Visible());
    EXPECT_EQ(player.Tag(), "fle#$#media\\clip.wav");
    EXPECT_DOUBLE_EQ(player.Left(), 600);
    EXPECT_DOUBLE_EQ(player.Width(), 2400);
    EXPECT_FALSE(player.autoStart());
    EXPECT_NE(player.URL().find("clip.wav"), std::string::npos) << player.URL();
    EXPECT_FALSE(main.WMPlayer[0].Visible());
}
