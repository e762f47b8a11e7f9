// The interpreter's syntax and dispatch, the name lookup, the page jumps and the registry and
// message-box actions.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/ui.h"
#include "support/main_window_fixture.h"

using namespace actionstest;

namespace {

const std::string kSepa = "***Sepa***";
const std::string kCode = "***code***";

TEST_F(MainWindowTest, KeywordsAreWholeAndExactAndArgumentsSplitAtTheSeparator) {
    Names({"1#TXT#1#Total"});
    struct Case {
        std::string action;
        std::string text;  // of the text box afterwards, from "old"
    };
    const std::vector<Case> cases = {
        {"loadTXT" + kSepa + "Total" + kSepa + "new", "new"},
        {"loadTXT" + kSepa + "Total" + kSepa + "three" + kSepa + "fourth part", "three"},
        {"loadTXT" + kSepa + "Total" + kSepa, ""},  // an empty argument 2 is an argument
        {"loadTXT" + kSepa + "Total", "old"},       // no argument 2
        {"loadtxt" + kSepa + "Total" + kSepa + "x", "old"},
        {" loadTXT" + kSepa + "Total" + kSepa + "x", "old"},
        {"loadTXT***sepa***Total***sepa***x", "old"},
        {"loadTXT" + kSepa + kSepa + "x", "old"},  // argument 1 names nothing
        {"nosuchword" + kSepa + "Total" + kSepa + "x", "old"},
        {"", "old"},
    };
    for (const Case& c : cases) {
        Text(1).Text("old");
        Run(c.action);
        EXPECT_EQ(Text(1).Text(), c.text) << c.action;
    }
    EXPECT_TRUE(Calls().empty());
}

TEST_F(MainWindowTest, AKeywordWithoutSeparatorIsTheWholeCommand) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"opcd", 1}, {"OPCD", 0}, {" opcd", 0}, {"opcd ", 0}, {"opcd" + kSepa, 1}};
    for (const auto& [action, doors] : cases) {
        Calls().clear();
        Run(action);
        EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), doors) << "[" << action << "]";
    }
}

TEST_F(MainWindowTest, AnActionListRunsEveryPieceInOrderEmptyPiecesIncluded) {
    Label(1).Tag("opcd" + kCode + kCode + "clcd" + kCode);
    main->Label1_Click(1);
    const std::vector<std::string> expected = {Sound("enter"), "mciSendString set cdaudio door open",
                                               "mciSendString set cdaudio door closed"};
    EXPECT_EQ(Calls(), expected);
}

TEST_F(MainWindowTest, TheFirstMatchingNameEntryDecidesEvenWhenItsMemberIsMissing) {
    Text(1).Text("old");
    Text(2).Text("old");
    struct Case {
        std::vector<std::string> names;
        std::string name;
        std::string one, two;  // texts of members 1 and 2 afterwards
    };
    const std::vector<Case> cases = {
        {{"1#TXT#2#Total", "1#TXT#1#Total"}, "Total", "old", "set"},
        {{"1#TXT#9#Total", "1#TXT#1#Total"}, "Total", "old", "old"},  // member 9 is not on the page
        {{"2#TXT#1#Total", "01#TXT#2#Total", "1#txt#1#Total", "1#TXT#2#total"}, "Total", "old", "old"},
        {{"1#TXT#1", "1#TXT#2#Total"}, "Total", "old", "set"},  // three parts: passed over
        {{"1#TXT#1#To#tal"}, "To#tal", "old", "old"},           // a name with "#" never matches
        {{"1#TXT#1#To#tal"}, "To", "set", "old"},
        {{"1#lbl#1#Total", "1#TXT#x#Total", "1#TXT#2#Total"}, "Total", "old", "old"},  // bad index
    };
    for (const Case& c : cases) {
        Names(c.names);
        Text(1).Text("old");
        Text(2).Text("old");
        Run("loadTXT" + kSepa + c.name + kSepa + "set");
        EXPECT_EQ(Text(1).Text(), c.one) << c.names.front() << " " << c.name;
        EXPECT_EQ(Text(2).Text(), c.two) << c.names.front() << " " << c.name;
    }
}

TEST_F(MainWindowTest, LabelCaptionsAreSetThroughTheirOwnKindCode) {
    Names({"1#TXT#1#Head", "1#lbl#1#Head"});
    Label(1).Caption("old");
    Text(1).Text("old");
    Run("loadlbl" + kSepa + "Head" + kSepa + "new caption");
    EXPECT_EQ(Label(1).Caption(), "new caption");
    EXPECT_EQ(Text(1).Text(), "old");
    Run("loadlbl" + kSepa + "Head");
    EXPECT_EQ(Label(1).Caption(), "new caption");
}

// ---- page jumps

TEST_F(MainWindowTest, JumpsMoveWithinThePagesOfTheStore) {
    struct Case {
        std::string from, action, to;
    };
    const std::vector<Case> cases = {
        {"3", "n_page", "4"},
        {"3", "b_page", "2"},
        {"3", "f_page", "1"},
        {"3", "l_page", "5"},
        {"5", "n_page", "5"},
        {"1", "b_page", "1"},
        {"2", "jump" + kSepa + "4", "4"},
        {"2", "jump" + kSepa + "03", "03"},
        {"2", "jump", "2"},
        {"3", "n_page" + kSepa + "9", "4"},
    };
    for (const Case& c : cases) {
        main->page.Text(c.from);
        main->de.Text("1");
        main->Text2.Text("vb");
        Run(c.action);
        EXPECT_EQ(main->page.Text(), c.to) << c.from << " " << c.action;
        // Every jump that passed the guard clears the intro flag and the style code, also
        // when the page stays.
        EXPECT_EQ(main->de.Text(), "0") << c.action;
        EXPECT_EQ(main->Text2.Text(), "") << c.action;
    }
}

TEST_F(MainWindowTest, NoJumpDoesAnythingWhileAlphaPicturesAreBuilt) {
    main->page.Text("3");
    main->de.Text("1");
    main->Text2.Text("vb");
    main->png_prs = true;
    for (const std::string& action : {std::string("n_page"), std::string("b_page"), std::string("f_page"),
                                      std::string("l_page"), "jump" + kSepa + "5"}) {
        Run(action);
        EXPECT_EQ(main->page.Text(), "3") << action;
        EXPECT_EQ(main->de.Text(), "1") << action;
        EXPECT_EQ(main->Text2.Text(), "vb") << action;
    }
    main->png_prs = false;
}

TEST_F(MainWindowTest, NextAndPreviousDoNothingOnAPageTextThatIsNoNumber) {
    main->page.Text("two");
    Run("n_page");
    EXPECT_EQ(main->page.Text(), "two");
    Run("b_page");
    EXPECT_EQ(main->page.Text(), "two");
    EXPECT_EQ(main->de.Text(), "0");
}

// ---- registry and message boxes

const std::string kTestKey = "HKEY_CURRENT_USER\\Software\\VantrelActionsTest";

std::optional<std::string> ReadString(const std::string& sub, const std::string& name) {
    char buf[512] = {};
    DWORD size = sizeof buf, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, sub.c_str(), name.c_str(), RRF_RT_ANY, &type, buf, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ) return "type " + std::to_string(type);
    return std::string(buf);
}
std::optional<uint32_t> ReadDword(const std::string& sub, const std::string& name) {
    DWORD v = 0, size = sizeof v;
    if (RegGetValueA(HKEY_CURRENT_USER, sub.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &v, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return v;
}
bool KeyThere(const std::string& sub) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

class RegistryActionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VantrelActionsTest");
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VantrelActionsTest");
        MainWindowTest::TearDown();
    }
};

TEST_F(RegistryActionsTest, KeysAndValuesAreCreatedConvertedAndDeleted) {
    const std::string sub = "Software\\VantrelActionsTest\\Deep\\Er";
    const std::string key = kTestKey + "\\Deep\\Er";
    EXPECT_EQ(main->registryObject, nullptr);
    Run("CKEY" + kSepa + key);
    EXPECT_TRUE(KeyThere(sub));
    ASSERT_NE(main->registryObject, nullptr);
    auto first = main->registryObject;

    Run("CVALUE" + kSepa + key + "**qk**Name**qk**some text" + kSepa + "ignored");
    EXPECT_EQ(ReadString(sub, "Name"), "some text");
    // The value's key is made when it is missing.
    Run("CVALUE" + kSepa + kTestKey + "\\New**qk**V**qk**x");
    EXPECT_EQ(ReadString("Software\\VantrelActionsTest\\New", "V"), "x");
    // Without its third part nothing is written.
    Run("CVALUE" + kSepa + key + "**qk**Half");
    EXPECT_EQ(ReadString(sub, "Half"), std::nullopt);

    struct Dword {
        std::string text;
        std::optional<uint32_t> value;
    };
    const std::vector<Dword> dwords = {{"7", 7u},
                                       {"2.5", 2u},
                                       {"3.5", 4u},
                                       {"-1", 0xFFFFFFFFu},
                                       {"2147483647", 0x7FFFFFFFu},
                                       {"2147483648", std::nullopt},
                                       {"seven", std::nullopt},
                                       {"", std::nullopt}};
    int n = 0;
    for (const Dword& d : dwords) {
        const std::string name = "D" + std::to_string(n++);
        Run("CDWORD" + kSepa + key + "**qk**" + name + "**qk**" + d.text);
        EXPECT_EQ(ReadDword(sub, name), d.value) << d.text;
    }
    EXPECT_EQ(main->registryObject, first);  // one object for all registry actions

    Run("DVALUE" + kSepa + key + "**qk**Name");
    EXPECT_EQ(ReadString(sub, "Name"), std::nullopt);
    Run("DKEY" + kSepa + key);
    EXPECT_FALSE(KeyThere(sub));
    EXPECT_TRUE(KeyThere("Software\\VantrelActionsTest\\Deep"));
    // A root alone is never deleted.
    Run("DKEY" + kSepa + "HKEY_CURRENT_USER");
    EXPECT_TRUE(KeyThere("Software"));
}

TEST_F(RegistryActionsTest, AMalformedPathShowsIncorrectFormatAndWritesNothing) {
    shelltest::MessageBoxWatcher watcher;
    const std::string bad = "hkey_current_user\\Software\\VantrelActionsTest";
    Run("CKEY" + kSepa + bad);
    Run("CVALUE" + kSepa + kTestKey + "\\**qk**N**qk**x");  // ends with a backslash
    ASSERT_EQ(watcher.boxes.size(), 2u);
    EXPECT_TRUE(shelltest::HasText(watcher.boxes[0], "Incorrect Format: \n\n" + bad));
    EXPECT_TRUE(shelltest::HasText(watcher.boxes[1], "Incorrect Format: \n\n" + kTestKey + "\\"));
    EXPECT_FALSE(KeyThere("Software\\VantrelActionsTest"));
    // A root the class does not know: no message, nothing written.
    Run("CKEY" + kSepa + "HKEY_NOWHERE\\Software\\VantrelActionsTest");
    EXPECT_EQ(watcher.boxes.size(), 2u);
}

TEST_F(RegistryActionsTest, TheRunValueStartsTheProgramFromTheApplicationFolderQuotedWhenItHasABlank) {
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string exe = rt::App::EXEName() + ".exe";
    // A folder that does not exist: Wine may act on the Run key while the value stands, and must
    // find no program there to start.
    main->pat.Text("C:\\VantrelNoMenu\\");
    Run("runatstartup" + kSepa + "VantrelActionsTest");
    const std::string plain = Pat() + exe;
    ASSERT_EQ(plain.find(' '), std::string::npos);
    EXPECT_EQ(ReadString(run, "VantrelActionsTest"), plain);

    main->pat.Text("C:\\My Menu\\");
    Run("runatstartup" + kSepa + "VantrelActionsTest");
    EXPECT_EQ(ReadString(run, "VantrelActionsTest"), "\"C:\\My Menu\\" + exe + "\"");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, run.c_str(), "VantrelActionsTest");
}

TEST_F(MainWindowTest, MessageBoxShowsOnlyForTheFiveKindsWithTheirIcons) {
    struct Case {
        std::string kind;
        LPCSTR icon;  // nullptr: no icon; "-": no box
    };
    const LPCSTR none = nullptr;
    const LPCSTR noBox = "-";
    const std::vector<Case> cases = {
        {"i", IDI_ASTERISK}, {"e", IDI_EXCLAMATION}, {"q", IDI_QUESTION}, {"c", IDI_HAND},
        {"n", none},         {"I", noBox},           {"", noBox},         {"x", noBox}};
    for (const Case& c : cases) {
        shelltest::MessageBoxWatcher watcher;
        Run("MessageBox" + kSepa + "Title**msg**The prompt**msg**" + c.kind);
        if (c.icon == noBox) {
            EXPECT_TRUE(watcher.boxes.empty()) << c.kind;
            continue;
        }
        ASSERT_EQ(watcher.boxes.size(), 1u) << c.kind;
        EXPECT_EQ(watcher.boxes[0].caption, "Title");
        EXPECT_TRUE(shelltest::HasText(watcher.boxes[0], "The prompt"));
        if (c.icon == none)
            EXPECT_EQ(watcher.boxes[0].icon, nullptr);
        else
            EXPECT_EQ(watcher.boxes[0].icon, LoadIconA(nullptr, c.icon)) << c.kind;
    }
    shelltest::MessageBoxWatcher watcher;
    Run("MessageBox" + kSepa + "Title**msg**Only a prompt");
    EXPECT_TRUE(watcher.boxes.empty());
}

}  // namespace
