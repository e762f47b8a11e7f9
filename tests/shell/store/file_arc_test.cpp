// The store format and the store object's operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/error.h"
#include "shell/store/dFileArc.h"
#include "shell/store/dTools.h"
#include "support/store_fixture.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace storetest;

namespace {

class FileArc : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir.File(name); }
    std::string MakeStore(const std::string& name, const Bytes& bytes) {
        WriteFile(Path(name), bytes);
        return Path(name);
    }
    testsupport::TempDir dir;
};

TEST_F(FileArc, NewStoreIsExactlyTheFourteenHeaderBytes) {
    const Bytes expected("Arc\x01\x00\x00\x00\x00\x0F\x00\x00\x00\x00\x00", 14);
    // Also over an older, longer file of the same name: nothing of it stays behind the header.
    WriteFile(Path("old.dat"), Pattern(100, 1));
    for (const char* name : {"new.dat", "old.dat"}) {
        SCOPED_TRACE(name);
        dFileArc arc;
        arc.Filename(Path(name));
        arc.CreateAchive();
        EXPECT_TRUE(arc.IsOpen());
        EXPECT_EQ(arc.Signature(), "Arc");
        EXPECT_EQ(arc.Version(), 1);
        EXPECT_EQ(arc.FileCount(), 0);
        EXPECT_EQ(arc.FileLength(), 0);
        arc.CloseAchive();
        EXPECT_FALSE(arc.IsOpen());
        EXPECT_EQ(ReadFile(Path(name)), expected);
    }
}

TEST_F(FileArc, AddFileAppendsAnEntryAndOnlyUpDateHeaderWritesTheCounts) {
    const Bytes data = "0123456789";
    std::filesystem::create_directories(dir.Fs() / "src");
    const std::string source = dir.File("src") + Sep() + "x.bmp";
    WriteFile(source, data);
    WriteFile(dir.File("src") + Sep() + "e.txt", "");

    dFileArc arc;
    arc.Filename(Path("s.dat"));
    arc.CreateAchive();
    arc.AddFile(source);
    EXPECT_EQ(arc.FileCount(), 1);
    EXPECT_EQ(arc.FileLength(), 10);
    Bytes afterAdd = ReadFile(Path("s.dat")).value();
    EXPECT_EQ(afterAdd.size(), 14u + 2 + 5 + 4 + 10);
    EXPECT_EQ(afterAdd, Header(0, 0) + Entry("x.bmp", data)) << "the header in the file is still the new one";

    arc.AddFile(dir.File("src") + Sep() + "e.txt");
    arc.UpDateHeader();
    arc.CloseAchive();
    EXPECT_EQ(ReadFile(Path("s.dat")), Header(2, 10) + Entry("x.bmp", data) + Entry("e.txt", ""));
}

TEST_F(FileArc, GetFileInfoWalksToTheMember) {
    const std::string path =
        MakeStore("s.dat", Store({{"page1.bmp", Pattern(1234, 1)}, {"b", "xy"}, {"c", ""}}));
    dFileArc arc;
    arc.Filename(path);
    arc.OpenAchive();
    struct Case {
        int index;
        const char* name;
        const char* length;
    } cases[] = {{0, "page1.bmp", "1234"}, {2, "c", "0"}, {1, "b", "2"}, {0, "page1.bmp", "1234"}};
    for (const Case& c : cases) {
        auto info = arc.GetFileInfo(c.index);
        ASSERT_NE(info, nullptr) << c.index;
        EXPECT_EQ(info->Filename(), c.name);
        EXPECT_EQ(info->FileLength(), c.length);
    }
    EXPECT_EQ(arc.GetFileInfo(3), nullptr);
    EXPECT_EQ(arc.GetFileInfo(-1), nullptr);
}

TEST_F(FileArc, AStoreOfAnyHeaderOpensAndReadsAlike) {
    Bytes bytes = Header(1, 3, 15, "XYZ", 7) + Entry("m", "abc");
    dFileArc arc;
    arc.Filename(MakeStore("odd.dat", bytes));
    arc.OpenAchive();
    EXPECT_EQ(arc.Signature(), "XYZ");
    EXPECT_EQ(arc.Version(), 7);
    EXPECT_EQ(arc.FileCount(), 1);
    ASSERT_NE(arc.GetFileInfo(0), nullptr);
    arc.ExtractFile(0, Path("m.out"));
    EXPECT_EQ(ReadFile(Path("m.out")), "abc");
    arc.CloseAchive();
    EXPECT_EQ(arc.Signature(), "   ");
    EXPECT_EQ(arc.FileCount(), 0);
}

TEST_F(FileArc, ClosedStoreDoesNothing) {
    const Bytes bytes = Store({{"a", "1"}});
    const std::string path = MakeStore("s.dat", bytes);
    WriteFile(Path("add.txt"), "zz");
    dFileArc arc;
    arc.Filename(path);
    arc.AddFile(Path("add.txt"));
    arc.DeleteFile(0);
    arc.ExtractFile(0, Path("out1"));
    arc.ExtractAll(dir.Path());
    EXPECT_EQ(arc.GetFileInfo(0), nullptr);
    arc.CloseAchive();
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(Path("out1")));
    EXPECT_FALSE(std::filesystem::exists(Path("a")));
}

TEST_F(FileArc, OpeningAMissingStoreFails) {
    dFileArc arc;
    arc.Filename(Path("none.dat"));
    EXPECT_THROW(arc.OpenAchive(), rt::RuntimeError);
    EXPECT_FALSE(arc.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(Path("none.dat"))) << "opening must not create the store";
}

TEST_F(FileArc, ExtractFileWritesExactlyTheMemberBytes) {
    const Bytes big = Pattern(200000, 3);  // more than one copy chunk
    dFileArc arc;
    arc.Filename(MakeStore("s.dat", Store({{"big.bin", big}, {"empty", ""}, {"small", "abc"}})));
    arc.OpenAchive();
    arc.ExtractFile(0, Path("big.out"));
    EXPECT_EQ(ReadFile(Path("big.out")), big);
    // A longer file at the destination does not leave its tail behind.
    WriteFile(Path("small.out"), Pattern(50, 2));
    arc.ExtractFile(2, Path("small.out"));
    EXPECT_EQ(ReadFile(Path("small.out")), "abc");
    // A member of length 0 writes no file and reports nothing.
    EXPECT_NO_THROW(arc.ExtractFile(1, Path("empty.out")));
    EXPECT_FALSE(std::filesystem::exists(Path("empty.out")));
}

TEST_F(FileArc, ExtractAllWritesEveryMemberInOrder) {
    std::filesystem::create_directories(dir.Fs() / "all");
    dFileArc arc;
    arc.Filename(MakeStore("s.dat", Store({{"one.txt", "1"}, {"two.bin", Pattern(70000, 4)}, {"zero", ""}})));
    arc.OpenAchive();
    const std::string folder = dir.File("all") + Sep();
    arc.ExtractAll(folder);
    EXPECT_EQ(FolderNames(folder), (std::vector<std::string>{"one.txt", "two.bin", "zero"}));
    EXPECT_EQ(ReadFile(folder + "two.bin"), Pattern(70000, 4));
    EXPECT_EQ(ReadFile(folder + "zero"), "");
}

TEST_F(FileArc, DeleteFileRewritesTheStoreWithoutTheMember) {
    const std::string path =
        MakeStore("s.dat", Store({{"a.txt", "AAAA"}, {"b.bin", Pattern(100000, 5)}, {"c", "CC"}}));
    dFileArc arc;
    arc.Filename(path);
    arc.OpenAchive();
    arc.DeleteFile(1);
    EXPECT_TRUE(arc.IsOpen());
    EXPECT_EQ(arc.FileCount(), 2);
    EXPECT_EQ(arc.FileLength(), 6);
    EXPECT_EQ(arc.GetFileInfo(1)->Filename(), "c");
    arc.CloseAchive();
    EXPECT_EQ(ReadFile(path), Header(2, 6) + Entry("a.txt", "AAAA") + Entry("c", "CC"));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(FileArc, DeleteFileGivesTheCopiedEntriesTheirTrueStart) {
    // Entries that started later than the header's end start right after it once copied.
    const Bytes bytes = Header(2, 3, 20) + "....." + Entry("a", "1") + Entry("b", "23");
    const std::string path = MakeStore("s.dat", bytes);
    dFileArc arc;
    arc.Filename(path);
    arc.OpenAchive();
    arc.DeleteFile(0);
    arc.CloseAchive();
    EXPECT_EQ(ReadFile(path), Header(1, 2) + Entry("b", "23"));
}

TEST_F(FileArc, DeleteFileReportsAFailureInItsMessageBoxAndKeepsTheStore) {
    static std::vector<std::pair<std::string, std::string>> shown;
    shown.clear();
    dFileArc::ShowDeleteError = [](const std::string& text, const std::string& title) {
        shown.emplace_back(text, title);
    };
    const Bytes bytes = Store({{"a", "1"}, {"b", "2"}});
    const std::string path = MakeStore("s.dat", bytes);
    dFileArc arc;
    arc.Filename(path);
    arc.OpenAchive();
    arc.DeleteFile(2);
    dFileArc::ShowDeleteError = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first.rfind("Error:DeleteFile()\r\n", 0), 0u) << shown[0].first;
    EXPECT_GT(shown[0].first.size(), std::string("Error:DeleteFile()\r\n").size())
        << "the description follows";
    EXPECT_EQ(shown[0].second, "Error");
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(FileInfo, LengthTravelsAsDecimalText) {
    cFileInfo info;
    info.FileLength("1234");
    EXPECT_EQ(info.FileLength(), "1234");
    EXPECT_EQ(info.Length(), 1234);
    EXPECT_THROW(info.FileLength("twelve"), rt::RuntimeError);
}

TEST(Tools, AddBackslashAppendsOnlyWhenMissing) {
    const std::string s = Sep();
    EXPECT_EQ(dTools::AddBackslash(""), s);
    EXPECT_EQ(dTools::AddBackslash("abc"), "abc" + s);
    EXPECT_EQ(dTools::AddBackslash("abc" + s), "abc" + s);
}

TEST(Tools, FileNameOnlyTakesTheTextAfterTheLastSeparator) {
    const std::string s = Sep();
    EXPECT_EQ(dFileArc::FileNameOnly("dir" + s + "sub" + s + "x.bmp"), "x.bmp");
    EXPECT_EQ(dFileArc::FileNameOnly("x.bmp"), "x.bmp");
    EXPECT_EQ(dFileArc::FileNameOnly("dir" + s), "");
}

TEST(Tools, GetTempFolderIsTheSystemFolderWithoutItsSeparator) {
    PrivateTemp temp;
    EXPECT_EQ(dTools::GetTempFolder(), temp.System());
}

TEST(Tools, FileExistsCountsOnlyPlainFiles) {
    testsupport::TempDir dir;
    WriteFile(dir.File("f.txt"), "x");
    std::filesystem::create_directories(dir.Fs() / "folder");
    EXPECT_TRUE(dTools::FileExists(dir.File("f.txt")));
    EXPECT_FALSE(dTools::FileExists(dir.File("folder")));
    EXPECT_FALSE(dTools::FileExists(dir.File("missing")));
    EXPECT_FALSE(dTools::FileExists(""));
#ifdef _WIN32
    struct Case {
        DWORD attributes;
        bool counts;
    } cases[] = {{FILE_ATTRIBUTE_READONLY, true},
                 {FILE_ATTRIBUTE_ARCHIVE, true},
                 {FILE_ATTRIBUTE_HIDDEN, false},
                 {FILE_ATTRIBUTE_SYSTEM, false}};
    for (const Case& c : cases) {
        SetFileAttributesA(dir.File("f.txt").c_str(), c.attributes);
        EXPECT_EQ(dTools::FileExists(dir.File("f.txt")), c.counts) << c.attributes;
    }
    SetFileAttributesA(dir.File("f.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

}  // namespace
