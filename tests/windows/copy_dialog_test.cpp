// The copy-to dialog: what "copy" hands it, real copies through the shell, and the check that
// reports success only for a complete copy (played through the file-operation seam).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/ui.h"
#include "support/temp_dir.h"
#include "windows/Form9_copy_dialog.h"
#include "windows/copy_plan.h"
#include "windows_fixture.h"

using namespace actionstest;
using namespace windowstest;

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Puts another file operation in the shell's place for the length of a scope.
class FakeShell {
public:
    explicit FakeShell(std::function<int(SHFILEOPSTRUCTA&)> op) : saved_(Form9::FileOperation) {
        Form9::FileOperation = [this, op](SHFILEOPSTRUCTA& o) {
            ++calls;
            return op(o);
        };
    }
    ~FakeShell() { Form9::FileOperation = saved_; }
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
    int calls = 0;

private:
    std::function<int(SHFILEOPSTRUCTA&)> saved_;
};

const HICON kCritical = LoadIconA(nullptr, IDI_HAND);
const HICON kInformation = LoadIconA(nullptr, IDI_ASTERISK);

// The message boxes of the program; the shell's replace question is answered with `replace`.
struct Boxes : shelltest::MessageBoxWatcher {
    explicit Boxes(int replace = IDNO)
        : MessageBoxWatcher([replace](const shelltest::SeenBox& b) {
              return b.caption == "Confirm file overwrite" ? replace : IDOK;
          }) {}
    // The boxes other than the shell's question.
    std::vector<shelltest::SeenBox> Own() const {
        std::vector<shelltest::SeenBox> own;
        for (const auto& b : boxes)
            if (b.caption != "Confirm file overwrite") own.push_back(b);
        return own;
    }
    bool Asked() const { return Own().size() != boxes.size(); }
};

void ExpectBox(const std::vector<shelltest::SeenBox>& boxes, const std::string& caption,
               const std::string& text, HICON icon) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_TRUE(shelltest::HasText(boxes[0], text));
    EXPECT_EQ(boxes[0].icon, icon);
}

class CopyDialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        app.Write("tree/a.txt", "hello");
        app.Write("tree/sub/b.bin", std::string(20000, 'b'));
        app.Write("tree/sub/c.txt", "c");
    }
    Form9& Open(const std::string& argument = {}) {
        Run(argument.empty() ? "copy" : "copy" + kSepa + argument);
        Form9* dialog = Loaded<Form9>();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    // Opens the dialog on the tree with the fresh destination chosen.
    Form9& OpenOnTree() {
        Form9& dialog = Open("tree");
        dialog.Dir1.Path(Dest());
        return dialog;
    }
    void Copy(Form9& dialog) {
        Press(dialog.chameleonButton1.hWnd());
        Pump(200);  // a box the copy left open would be seen by now
    }
    std::string Dest() const {
        std::string p = dest.Path();
        p.pop_back();
        return p;
    }
    fs::path Copied(const std::string& relative) const { return dest.Fs() / "tree" / relative; }

    testsupport::TempDir dest;
};

TEST_F(CopyDialogTest, OpensOnDriveCWithTheSourceAndKeepsTheChosenFolderWhenOpenedAgain) {
    Form9& dialog = Open("tree");
    EXPECT_TRUE(IsWindowVisible(dialog.hWnd()));
    EXPECT_EQ(dialog.Caption(), "COPY TO Select Path to Copy");
    EXPECT_EQ(rt::LCase(dialog.Text1.Text()), "c:\\");
    EXPECT_EQ(dialog.frm.Text(), app.Path() + "\\tree");
    dialog.Dir1.Path(Dest());
    EXPECT_EQ(dialog.Text1.Text(), Dest());

    EXPECT_EQ(&Open(), &dialog);
    EXPECT_EQ(dialog.frm.Text(), app.Path());
    EXPECT_EQ(dialog.Text1.Text(), Dest());
}

TEST_F(CopyDialogTest, TheSourceAtADriveRootIsJoinedWithoutASecondBackslash) {
    rt::App::SetPathForTests("C:\\");
    EXPECT_EQ(Open("disc\\docs").frm.Text(), "C:\\disc\\docs");
    EXPECT_EQ(Open().frm.Text(), "C:\\");
    rt::App::SetPathForTests(app.Path());
}

TEST_F(CopyDialogTest, ACompleteCopyOfTheTreeSaysCopyIsDoneAndCloses) {
    Form9& dialog = OpenOnTree();
    Boxes boxes;
    Copy(dialog);
    ExpectBox(boxes.Own(), "Copy is done", "Copy is done", kInformation);
    EXPECT_FALSE(boxes.Asked());
    EXPECT_EQ(Loaded<Form9>(), nullptr);
    EXPECT_EQ(Read(Copied("a.txt")), "hello");
    EXPECT_EQ(fs::file_size(Copied("sub/b.bin")), 20000u);
    EXPECT_EQ(Read(Copied("sub/c.txt")), "c");
}

TEST_F(CopyDialogTest, ASuccessThatLeftATruncatedFileIsNotCompleteAndOnlyThePartialFileGoes) {
    shelltest::WriteFile(Copied("a.txt"), "earlier file");
    // A full disk: the shell reports success, one file copied whole, one cut short.
    FakeShell shell([&](SHFILEOPSTRUCTA&) {
        shelltest::WriteFile(Copied("sub/c.txt"), "c");
        shelltest::WriteFile(Copied("sub/b.bin"), std::string(4096, 'b'));
        return 0;
    });
    Form9& dialog = OpenOnTree();
    Boxes boxes;
    Copy(dialog);
    EXPECT_EQ(shell.calls, 1);
    ExpectBox(boxes.Own(), "Copy", "Copy is not complete", kCritical);
    EXPECT_FALSE(fs::exists(Copied("sub/b.bin")));
    EXPECT_EQ(Read(Copied("sub/c.txt")), "c");
    EXPECT_EQ(Read(Copied("a.txt")), "earlier file");
    ASSERT_EQ(Loaded<Form9>(), &dialog);
    EXPECT_TRUE(IsWindowVisible(dialog.hWnd()));
    EXPECT_EQ(dialog.Text1.Text(), Dest());
}

TEST_F(CopyDialogTest, ACancelledCopyLeavesNoPartialFileAndSaysNothing) {
    FakeShell shell([&](SHFILEOPSTRUCTA& op) {
        shelltest::WriteFile(Copied("a.txt"), "hello");
        shelltest::WriteFile(Copied("sub/b.bin"), std::string(100, 'b'));
        op.fAnyOperationsAborted = TRUE;
        return static_cast<int>(ERROR_CANCELLED);
    });
    Form9& dialog = OpenOnTree();
    Boxes boxes;
    Copy(dialog);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(fs::exists(Copied("sub/b.bin")));
    EXPECT_EQ(Read(Copied("a.txt")), "hello");  // whole: kept
    EXPECT_EQ(Loaded<Form9>(), &dialog);
}

TEST_F(CopyDialogTest, ADestinationOnOrInsideTheSourceIsRefusedBeforeTheShellIsAsked) {
    FakeShell shell([](SHFILEOPSTRUCTA&) { return 0; });
    for (const std::string& inside : {std::string("tree"), std::string("tree\\sub")}) {
        Form9& dialog = Open("tree");
        dialog.Dir1.Path(app.Path() + "\\" + inside);
        Boxes boxes;
        Copy(dialog);
        ExpectBox(boxes.Own(), "Copy", "Copy is not complete", kCritical);
        EXPECT_EQ(Loaded<Form9>(), &dialog);
    }
    // A drive's root holds every folder of the drive.
    rt::App::SetPathForTests("C:\\");
    Form9& dialog = Open();
    dialog.Dir1.Path(Dest());
    Boxes boxes;
    Copy(dialog);
    ExpectBox(boxes.Own(), "Copy", "Copy is not complete", kCritical);
    rt::App::SetPathForTests(app.Path());
    EXPECT_EQ(shell.calls, 0);
}

TEST_F(CopyDialogTest, AnExistingFileIsReplacedOnlyWhenTheShellsQuestionIsAnsweredYes) {
    struct Case {
        int answer;
        bool readOnly;
        std::string left;
    };
    const Case cases[] = {
        {IDNO, false, "older"},
        {IDNO, true, "older"},
        {IDYES, false, "hello"},
    };
    for (const Case& c : cases) {
        const fs::path target = Copied("a.txt");
        SetFileAttributesA(target.string().c_str(), FILE_ATTRIBUTE_NORMAL);
        shelltest::WriteFile(target, "older");
        if (c.readOnly) SetFileAttributesA(target.string().c_str(), FILE_ATTRIBUTE_READONLY);
        Form9& dialog = OpenOnTree();
        Boxes boxes(c.answer);
        Copy(dialog);
        EXPECT_TRUE(boxes.Asked());
        EXPECT_EQ(Read(target), c.left) << c.answer << c.readOnly;
        if (c.answer == IDYES) {
            ExpectBox(boxes.Own(), "Copy is done", "Copy is done", kInformation);
            EXPECT_EQ(Loaded<Form9>(), nullptr);
        } else {
            // No copy is complete without the kept file; the dialog stays with its choices.
            for (const auto& b : boxes.Own()) EXPECT_NE(b.caption, "Copy is done");
            EXPECT_EQ(Loaded<Form9>(), &dialog);
            dialog.Unload();
            Pump();
        }
    }
}

// Answers the input box "Make New folder" from a timer.
const char* folderAnswer = nullptr;
void CALLBACK AnswerFolderName(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowA("#32770", "Make New folder");
    if (!box) return;
    KillTimer(nullptr, id);
    if (folderAnswer) SetDlgItemTextA(box, 101, folderAnswer);
    PostMessageA(box, WM_COMMAND, folderAnswer ? IDOK : IDCANCEL, 0);
}

TEST_F(CopyDialogTest, ANewFolderIsMadeInTheChosenOneAndBecomesTheDestination) {
    Form9& dialog = OpenOnTree();
    folderAnswer = "Photos";
    SetTimer(nullptr, 0, 50, AnswerFolderName);
    Press(dialog.chameleonButton2.hWnd());
    EXPECT_TRUE(fs::is_directory(dest.Fs() / "Photos"));
    EXPECT_EQ(dialog.Text1.Text(), Dest() + "\\Photos");
    EXPECT_EQ(dialog.Dir1.Path(), Dest() + "\\Photos");

    // Cancelled: nothing is made.
    dialog.Dir1.Path(Dest());
    folderAnswer = nullptr;
    SetTimer(nullptr, 0, 50, AnswerFolderName);
    Press(dialog.chameleonButton2.hWnd());
    EXPECT_EQ(std::distance(fs::directory_iterator(dest.Fs()), fs::directory_iterator()), 1);
    EXPECT_EQ(dialog.Dir1.Path(), Dest());
}

// Where the shell puts what it copies.
TEST(CopyPlan, FollowsTheShellsRulesForTheDestination) {
    testsupport::TempDir root;
    shelltest::WriteFile(root.Fs() / "src" / "a.txt", "hello");
    shelltest::WriteFile(root.Fs() / "src" / "sub" / "b.txt", "bb");
    shelltest::WriteFile(root.Fs() / "file.txt", "12345678");
    fs::create_directories(root.Fs() / "there");
    const std::string r = root.Path();
    struct Case {
        std::string from, to;
        std::vector<std::string> targets;
    };
    const Case cases[] = {
        {r + "src", r + "there", {r + "there\\src\\a.txt", r + "there\\src\\sub\\b.txt"}},
        {r + "src", r + "new", {r + "new\\a.txt", r + "new\\sub\\b.txt"}},
        {r + "src\\*.*", r + "there", {r + "there\\a.txt", r + "there\\sub\\b.txt"}},
        {r + "file.txt", r + "there\\", {r + "there\\file.txt"}},
        {r + "file.txt", r + "copy.txt", {r + "copy.txt"}},
        {r + "nothing", r + "there", {}},
    };
    for (const Case& c : cases) {
        const windows::CopyPlan plan = windows::PlanCopy(c.from, c.to);
        EXPECT_FALSE(plan.intoItself) << c.from;
        std::vector<std::string> targets;
        for (const auto& f : plan.files) targets.push_back(rt::LCase(f.target));
        std::vector<std::string> expected;
        for (const auto& t : c.targets) expected.push_back(rt::LCase(t));
        std::sort(targets.begin(), targets.end());
        EXPECT_EQ(targets, expected) << c.from << " -> " << c.to;
    }
    EXPECT_TRUE(windows::PlanCopy(r + "src", r + "SRC\\sub").intoItself);
    EXPECT_TRUE(windows::PlanCopy(r + "src", r).intoItself);  // onto itself
    EXPECT_TRUE(windows::PlanCopy(r + "file.txt", r).intoItself);
    EXPECT_FALSE(windows::PlanCopy(r + "src", r + "src2").intoItself);
}

TEST_F(CopyDialogTest, OpeningAndClosingTheDialogLeavesNoHandles) {
    ExpectNoHandlesLeft([&] {
        Form9& dialog = Open("tree");
        dialog.Dir1.Path(Dest());
        dialog.Unload();
        Pump(10);
    });
}

}  // namespace
