// The keyword table: every keyword of the interpreter reaches the operation that does what the
// keyword names, and the lookup of a named object uses that object's kind code.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "actions/interpreter.h"

using namespace actions;
using namespace namelist;

namespace {

struct Expected {
    std::string_view keyword;
    Operation operation;
    std::string_view kind = {};
};

const std::vector<Expected>& AllKeywords() {
    static const std::vector<Expected> rows = {
        {"CKEY", RegistryOp::CreateKey},
        {"DKEY", RegistryOp::DeleteKey},
        {"CVALUE", RegistryOp::SetString},
        {"runatstartup", RegistryOp::RunAtStartup},
        {"CDWORD", RegistryOp::SetDWord},
        {"DVALUE", RegistryOp::DeleteValue},
        {"MessageBox", RegistryOp::Message},
        {"loadTXT", TextOp::SetText, kindText},
        {"mnuload", MenuOp{}},
        {"loadlbl", TextOp::SetCaption, kindLabel},
        {"loadcombo", TextOp::StepCombo, kindCombo},
        {"loadyoutube", FlashPictureOp::Flash, kindFlash},
        {"loadTXT2go", TextOp::SearchWeb, kindText},
        {"loadaap", FlashPictureOp::AlphaPicture, kindAlphaPicture},
        {"loadTXT2WEB", TextToWebOp{}},
        {"loadwmp", PlayerWebOp::Player, kindMediaPlayer},
        {"loadWEB", PlayerWebOp::Web, kindWeb},
        {"loadsld", SlideshowThumbOp::Slideshow, kindSlideshow},
        {"loadthumb", SlideshowThumbOp::Thumbnails, kindThumbnails},
        {"loadpdf", PdfOp{}},
        {"URL", ShellOp::OpenAddress},
        {"ontop", WindowOp::OnTop},
        {"notop", WindowOp::NotOnTop},
        {"ButtonHide", WindowOp::HideButton},
        {"ButtonShow", WindowOp::ShowButton},
        {"ButtonDisabled", WindowOp::DisableButton},
        {"ButtonEnabled", WindowOp::EnableButton},
        {"clip", ShellOp::Clipboard},
        {"doscmd", ShellOp::DosCommand},
        {"Activex", ShellOp::RegisterComponent},
        {"Activexno", ShellOp::RegisterComponentQuietly},
        {"copy", WindowOp::CopyDialog},
        {"opcd", ShellOp::OpenCdDoor},
        {"opmedf", WindowOp::MediaFolder},
        {"clcd", ShellOp::CloseCdDoor},
        {"try", WindowOp::ToTray},
        {"size", WindowOp::Resize},
        {"EML", ShellOp::Mail},
        {"endco", WindowOp::EndAsked},
        {"PNT", ShellOp::Print},
        {"sunstop", MovieOp::MusicStop},
        {"sunPlay", MovieOp::MusicPlay},
        {"pic", WindowOp::PicturePopup},
        {"picviw", WindowOp::PictureViewer},
        {"max", WindowOp::MaximiseMovie},
        {"sld", WindowOp::Slideshow},
        {"EXE", ShellOp::RunProgram},
        {"end", WindowOp::End},
        {"shut", ShellOp::ShutDown},
        {"rest", ShellOp::Restart},
        {"min", WindowOp::Minimise},
        {"button", ShellOp::OpenCdDoor},
        {"label", ShellOp::OpenCdDoorAndEnd},
        {"about", WindowOp::About},
        {"jump", JumpOp::ToPage},
        {"n_page", JumpOp::Next},
        {"b_page", JumpOp::Back},
        {"f_page", JumpOp::First},
        {"l_page", JumpOp::Last},
        {"mov", MovieOp::MovieWindow},
        {"movon", MovieOp::PageMovie},
        {"play", MovieOp::Resume},
        {"stop", MovieOp::Stop},
        {"puse", MovieOp::Pause},
        {"full", MovieOp::FullScreen},
        {"inc", MovieOp::VolumeUp},
        {"dec", MovieOp::VolumeDown},
        {"bac", MovieOp::SeekBack},
        {"forw", MovieOp::SeekForward},
    };
    return rows;
}

TEST(ActionTableTest, EveryKeywordReachesItsOperationAndNoOtherRowExists) {
    const auto& expected = AllKeywords();
    ASSERT_EQ(expected.size(), 69u);
    EXPECT_EQ(ActionTable().size(), expected.size());
    for (const Expected& e : expected) {
        const ActionRow* row = FindAction(e.keyword);
        ASSERT_NE(row, nullptr) << e.keyword;
        EXPECT_EQ(row->keyword, e.keyword);
        EXPECT_TRUE(row->operation == e.operation) << e.keyword;
        EXPECT_EQ(row->kind, e.kind) << e.keyword;
    }
}

TEST(ActionTableTest, TextsThatOnlyLookLikeKeywordsFindNoRow) {
    // Argument values, other capitals, blanks, prefixes and the marker inside media arguments.
    for (std::string_view text : {"", "Play", "Stop", "OPCD", " ontop", "ontop ", "loadtxt", "loadTXT2",
                                  "End", "url", "Url**#**URL", "sepa", "***Sepa***"})
        EXPECT_EQ(FindAction(text), nullptr) << "[" << text << "]";
}

}  // namespace
