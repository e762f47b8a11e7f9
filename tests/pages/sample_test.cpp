// The sample menu of examples/sample: its two pages and page 1's open actions.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "runtime/effects.h"
#include "windows/Form11_picture_viewer.h"
#include "windows/Form5_about.h"
#include "windows/Form8_picture_popup.h"
#include "windows/Form9_copy_dialog.h"

using namespace pagestest;

namespace {

// The members of the sample's store, as its folder holds them.
std::string SampleFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<Member> SampleStore() {
    std::vector<Member> members;
    for (auto& e :
         std::filesystem::directory_iterator(std::string(VANTREL_SOURCE_DIR) + "/examples/sample/store")) {
        members.push_back({e.path().filename().string(), SampleFile(e.path())});
    }
    return members;
}

// Page 1's tile leaves its icon's copy in the temporary folder, as tiles do; the other tests of
// this program and of the others expect the folder clean, so it goes after every test.
class TileIconCopy : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::error_code ec;
        std::filesystem::remove(CopyFolder() / "1metro1.pic", ec);
    }
};
const bool kTileIconCopy = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TileIconCopy);
    return true;
}();

}  // namespace

TEST(SampleMenuTest, PageOneRunsItsOpenActionsAndPageTwoHasLabelsATextBoxAndPictures) {
    AppFolder app;
    app.Pack(SampleStore());
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    std::vector<std::string> ran;
    main.OpenActionHook = [&](const std::string& action) { ran.push_back(action); };

    EXPECT_EQ(main.Caption(), "Vantrel sample");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(main.Label1[2].Tag(), "jump***Sepa***2");
    // An alpha picture with the light-and-press hover, and a label that gives it another picture.
    ASSERT_EQ(Members(main.aap), (std::vector<int>{1}));
    EXPECT_EQ(main.aap[1].Spare(), 1);
    EXPECT_TRUE(main.aap[1].Visible());
    EXPECT_EQ(main.aap[1].GetImageObject().Width(), 60);
    EXPECT_EQ(main.Label1[5].Tag(), "loadaap***Sepa***Logo***Sepa***Data\\logo2.png");
    // A page button in the glassy look and a glossy button in the first colour preset's colours.
    ASSERT_EQ(Members(main.Command1), (std::vector<int>{1}));
    EXPECT_EQ(main.Command1[1].ButtonStyle(), 8);
    EXPECT_EQ(main.Command1[1].Tag(), "jump***Sepa***2");
    ASSERT_EQ(Members(main.Macbt), (std::vector<int>{1}));
    EXPECT_EQ(main.Macbt[1].Style(), 2);
    EXPECT_EQ(main.Macbt[1].ColorButtonUp(), 0xD06720u);
    EXPECT_TRUE(main.Macbt[1].Visible());
    EXPECT_EQ(main.GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_EQ(Members(main.bsGradientLabel1), (std::vector<int>{1}));
    EXPECT_EQ(Members(main.Scroll1), (std::vector<int>{1}));
    EXPECT_EQ(main.Scroll1[1].Text(), "1");
    EXPECT_EQ(Members(main.lnk), (std::vector<int>{1}));
    EXPECT_EQ(main.lnk[1].Tag(), "jump***Sepa***2");
    // An ellipse with a radial gradient that opens page 2.
    ASSERT_EQ(Members(main.Shaper1), (std::vector<int>{1}));
    EXPECT_EQ(main.Shaper1[1].Shape(), 1);
    EXPECT_EQ(main.Shaper1[1].FillStyle(), 59);
    EXPECT_TRUE(main.Shaper1[1].Visible());
    EXPECT_EQ(main.Shaper1[1].Tag(), "jump***Sepa***2");
    ASSERT_TRUE(PumpUntil([&] { return !ran.empty(); }, 5000));
    EXPECT_EQ(ran, (std::vector<std::string>{"inc***Sepa***10", "dec***Sepa***10"}));

    Jump(main, 2);
    EXPECT_EQ(main.Caption(), "Vantrel sample - page 2");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(main.Text11.Text(), "wd");
    EXPECT_EQ(main.Label1[6].Tag(), "movon***Sepa***Data\\sample.avi");
    ASSERT_EQ(Members(main.picture3), (std::vector<int>{1}));
    EXPECT_EQ(main.picture3[1].Text(), "5");
    EXPECT_EQ(Members(main.txt), (std::vector<int>{1}));
    EXPECT_EQ(main.txt[1].Password(), "vantrel");
    ASSERT_EQ(Members(main.pic), (std::vector<int>{1, 2}));
    EXPECT_EQ(main.pic[1].GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_EQ(main.pic[2].GetPicture().Type(), rt::vbPicTypeBitmap);
    EXPECT_TRUE(main.Visible());
    // The page timer fills its label after five seconds (four to five, by the clock's second).
    EXPECT_TRUE(PumpUntil([&] { return main.Label1[5].Caption() == "Five seconds on this page"; }, 6000));
}

// The sample's own actions: a label jumps to page 2, a label there fills in the text box through
// the object name list, and Enter in the box with its password jumps back to page 1.
TEST(SampleMenuTest, ItsLabelsJumpBetweenPagesAndSetTexts) {
    AppFolder app;
    app.Pack(SampleStore());
    rt::RecordingEffects effects;
    rt::ScopedEffects scope(effects);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    main.Label1_Click(2);
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_EQ(main.Caption(), "Vantrel sample - page 2");
    ASSERT_TRUE(main.txt.Exists(1));
    EXPECT_EQ(main.txt[1].Text(), "");

    main.Label1_Click(4);
    EXPECT_EQ(main.txt[1].Text(), "vantrel");

    int16_t enter = 13;
    main.txt_KeyDown(1, enter, 0);
    EXPECT_EQ(main.page.Text(), "1");
    EXPECT_EQ(main.Caption(), "Vantrel sample");
}

// Page 3's buttons open the secondary windows: the About box with the clicked button's tooltip, the
// picture viewer and popup on the Data folder's picture, the copy-to dialog and the exit question.
TEST(SampleMenuTest, PageThreeOpensTheWindows) {
    AppFolder app;
    app.Pack(SampleStore());
    // The picture only: with the exit picture the end would wait for its timer.
    app.MakeFolder("Data");
    std::filesystem::copy(std::string(VANTREL_SOURCE_DIR) + "/examples/sample/Data/view.bmp",
                          app.Fs("Data/view.bmp"));
    rt::RecordingEffects effects;
    rt::ScopedEffects scope(effects);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    main.Label1_Click(4);
    EXPECT_EQ(main.page.Text(), "3");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2, 3}));  // 3 leads to page 5
    EXPECT_EQ(Members(main.Command1), (std::vector<int>{1, 2, 3, 4, 5}));

    main.Command1_Click(1);
    auto* about = static_cast<Form5*>(FindForm("Form5"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->Visible());
    EXPECT_EQ(about->Label1.Caption(), "The Vantrel sample menu: pages, pictures and windows");

    main.Command1_Click(2);
    auto* viewer = static_cast<Form11*>(FindForm("Form11"));
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->l.Width(), 240 * 15);

    main.Command1_Click(3);
    auto* popup = static_cast<Form8*>(FindForm("Form8"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Width(), 240 * 15);
    EXPECT_EQ(popup->Height(), 160 * 15);

    main.Command1_Click(4);
    auto* copy = static_cast<Form9*>(FindForm("Form9"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->frm.Text(), app.Path() + "\\Data");

    MessageBoxWatcher boxes([](const SeenBox&) { return IDNO; });
    main.Command1_Click(5);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Exit");
    EXPECT_TRUE(HasText(boxes.boxes[0], "Leave the sample menu?"));
    EXPECT_EQ(program.ends, 0);
}

// Page 4: the rich text of the Data folder and the web viewer on its local page (the animated
// picture's GIF is made by the build, so here the page has none and its picture stays empty).
TEST(SampleMenuTest, PageFourHoldsTheViewers) {
    AppFolder app;
    app.Pack(SampleStore());
    const std::string data = std::string(VANTREL_SOURCE_DIR) + "/examples/sample/Data/";
    app.Write("Data/sample.rtf", SampleFile(data + "sample.rtf"));
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 4);
    EXPECT_EQ(main.Caption(), "Vantrel sample - page 4");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2}));
    ASSERT_EQ(Members(main.gif), (std::vector<int>{1}));
    EXPECT_TRUE(main.gif[1].Visible());
    ASSERT_EQ(Members(main.rt), (std::vector<int>{1}));
    EXPECT_TRUE(main.rt[1].Visible());
    EXPECT_GT(GetWindowTextLengthA(main.rt[1].TextWindow().window), 0);
    ASSERT_EQ(Members(main.web), (std::vector<int>{1}));
    EXPECT_TRUE(main.web[1].Visible());
    EXPECT_EQ(main.web[1].Tag(), "Data\\page.htm");
}

// Page 5: a slideshow and a thumbnail browser over Data\slides, each with its item list, and a
// combo box whose items jump to pages.
TEST(SampleMenuTest, PageFiveShowsASlideshowThumbnailsAndAComboBox) {
    AppFolder app;
    app.Pack(SampleStore());
    std::filesystem::create_directories(app.Fs("Data/slides"));
    std::filesystem::copy(std::string(VANTREL_SOURCE_DIR) + "/examples/sample/Data/slides",
                          app.Fs("Data/slides"));
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 5);
    EXPECT_EQ(main.Caption(), "Vantrel sample - page 5");
    ASSERT_EQ(Members(main.slideshow), (std::vector<int>{1}));
    EXPECT_EQ(main.slideshow[1].List1.ListCount(), 2);
    ASSERT_EQ(Members(main.thumb), (std::vector<int>{1}));
    EXPECT_EQ(main.thumb[1].Entries().size(), 3u);
    EXPECT_EQ(main.thumb[1].List1.ListCount(), 2);
    ASSERT_EQ(Members(main.combobx1), (std::vector<int>{1}));
    EXPECT_EQ(main.combobx1[1].Combo1.ListCount(), 2);
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1}));
    ASSERT_TRUE(PumpUntil([&] { return !main.slideshow[1].ShownName().empty(); }, 5000));
}
