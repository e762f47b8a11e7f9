#include <gtest/gtest.h>

#include "support/error_of.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/folderlists.h"
#include "runtime/form.h"
#include "runtime/inputbox.h"
#include "runtime/ui.h"

namespace {

using testsupport::ErrorOf;

// A drive letter the machine does not have.
std::string MissingDrive() {
    DWORD mask = GetLogicalDrives();
    for (int i = 25; i >= 3; --i)
        if (!(mask & (1u << i))) return std::string(1, static_cast<char>('a' + i)) + ":\\";
    return {};
}

// A folder with two sub-folders and a file, removed afterwards.
struct TempTree {
    std::string root;
    TempTree() {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        root = std::string(dir) + "vt_dirlist";
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA((root + "\\beta").c_str(), nullptr);
        CreateDirectoryA((root + "\\Alpha").c_str(), nullptr);
        HANDLE h =
            CreateFileA((root + "\\file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
        char full[MAX_PATH];
        GetLongPathNameA(root.c_str(), full, MAX_PATH);
        root = full;
    }
    ~TempTree() {
        DeleteFileA((root + "\\file.txt").c_str());
        RemoveDirectoryA((root + "\\beta").c_str());
        RemoveDirectoryA((root + "\\Alpha").c_str());
        RemoveDirectoryA(root.c_str());
    }
};

class CopyForm : public rt::Form {
public:
    CopyForm() : Form("CopyForm") {
        Dir1.Change = [this](int) { changes.push_back("dir " + Dir1.Path()); };
        Drive1.Change = [this](int) {
            changes.push_back("drive " + Drive1.Drive().substr(0, 2));
            try {
                Dir1.Path(Drive1.Drive());
            } catch (const rt::RuntimeError& e) {
                changes.push_back("error " + std::to_string(e.Number()));
            }
        };
    }
    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::DirListBox Dir1{*this, "Dir1"};
    std::vector<std::string> changes;
};

struct ListsTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

TEST_F(ListsTest, FolderListShowsTheChainAndSubFoldersAndRaisesChange) {
    TempTree tree;
    CopyForm& f = rt::Load<CopyForm>();
    f.Dir1.Path(tree.root + "\\");
    f.Dir1.Path(tree.root);  // the same folder: no second Change
    EXPECT_EQ(f.changes, (std::vector<std::string>{"dir " + tree.root}));
    EXPECT_EQ(f.Dir1.Path(), tree.root);

    int n = f.Dir1.ListCount();
    ASSERT_GE(n, 3);
    EXPECT_EQ(f.Dir1.FolderAt(0), tree.root.substr(0, 3));  // the drive's root first
    EXPECT_EQ(f.Dir1.FolderAt(n - 3), tree.root);
    EXPECT_EQ(f.Dir1.FolderAt(n - 2), tree.root + "\\Alpha");  // sorted ignoring case, no files
    EXPECT_EQ(f.Dir1.FolderAt(n - 1), tree.root + "\\beta");

    // Double-clicking a sub-folder enters it.
    f.changes.clear();
    SendMessageA(f.Dir1.hWnd(), LB_SETCURSEL, static_cast<WPARAM>(n - 1), 0);
    SendMessageA(f.hWnd(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(f.Dir1.hWnd()));
    EXPECT_EQ(f.changes, (std::vector<std::string>{"dir " + tree.root + "\\beta"}));
    EXPECT_EQ(f.Dir1.FolderAt(f.Dir1.ListCount() - 1), tree.root + "\\beta");  // no sub-folders
}

TEST_F(ListsTest, FolderListRefusesMissingFoldersAndDrives) {
    TempTree tree;
    CopyForm& f = rt::Load<CopyForm>();
    f.Dir1.Path(tree.root);
    f.changes.clear();
    EXPECT_EQ(ErrorOf([&] { f.Dir1.Path(tree.root + "\\gamma"); }), rt::errPathNotFound);
    EXPECT_EQ(ErrorOf([&] { f.Dir1.Path(tree.root + "\\file.txt"); }), rt::errPathNotFound);
    std::string missing = MissingDrive();
    ASSERT_FALSE(missing.empty());
    EXPECT_EQ(ErrorOf([&] { f.Dir1.Path(missing); }), rt::errDeviceUnavailable);
    EXPECT_EQ(f.Dir1.Path(), tree.root);
    EXPECT_TRUE(f.changes.empty());
}

TEST_F(ListsTest, DriveListChangesDriveAndTheFolderListFollows) {
    CopyForm& f = rt::Load<CopyForm>();
    std::vector<std::string> letters;
    for (int i = 0; i < f.Drive1.ListCount(); ++i) letters.push_back(f.Drive1.List(i).substr(0, 2));
    EXPECT_NE(std::find(letters.begin(), letters.end(), "c:"), letters.end());

    SetEnvironmentVariableA("=C:", "C:\\windows");  // drive C's current folder
    f.Drive1.Drive("z:");
    f.changes.clear();
    f.Drive1.Drive("C:\\");
    f.Drive1.Drive("c: [anything]");  // the same drive: no Change
    ASSERT_EQ(f.changes.size(), 2u);
    EXPECT_EQ(f.changes[0], "drive c:");
    EXPECT_EQ(rt::LCase(f.Dir1.Path()), "c:\\windows");
    EXPECT_EQ(rt::LCase(f.Drive1.Drive().substr(0, 2)), "c:");

    f.changes.clear();
    EXPECT_EQ(ErrorOf([&] { f.Drive1.Drive(MissingDrive()); }), rt::errDeviceUnavailable);
    EXPECT_TRUE(f.changes.empty());
    EXPECT_EQ(f.Drive1.Drive().substr(0, 2), "c:");
}

// Answers the next input box from a timer: types the text (unless null) and presses the button.
struct Answer {
    const char* text;
    int button;
    std::string prompt;
};
Answer* pending = nullptr;

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = FindWindowA("#32770", "Make New folder");
    if (!dlg || !pending) return;
    KillTimer(nullptr, id);
    char buf[256] = {};
    GetDlgItemTextA(dlg, 100, buf, sizeof(buf));
    pending->prompt = buf;
    if (pending->text) SetDlgItemTextA(dlg, 101, pending->text);
    SendMessageA(GetDlgItem(dlg, pending->button), BM_CLICK, 0, 0);
}

TEST_F(ListsTest, InputBoxGivesTheAnswerOrNothingOnCancel) {
    struct Case {
        const char* typed;
        int button;
        std::string expected;
    } cases[] = {
        {nullptr, IDOK, "New Folder"},  // the default answer
        {"Photos", IDOK, "Photos"},
        {"Photos", IDCANCEL, ""},
    };
    for (const Case& c : cases) {
        Answer a{c.typed, c.button, {}};
        pending = &a;
        SetTimer(nullptr, 0, 50, AnswerTimer);
        std::string got = rt::InputBox("Write you folder Name", "Make New folder", "New Folder");
        pending = nullptr;
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(a.prompt, "Write you folder Name");
    }
}

}  // namespace
