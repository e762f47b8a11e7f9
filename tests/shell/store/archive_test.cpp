// The main window's store access: the member index, the copies in the temporary folder, the
// nested store, and stores that lie about themselves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/list_sink.h"
#include "shell/store/ProjectArchive.h"
#include "support/store_fixture.h"

using namespace storetest;

namespace {

class Archive : public ::testing::Test {
protected:
    // Puts quorlin.dat into a fresh application folder and lists it.
    void Load(const Bytes& store) {
        app = temp.Work() + "app";
        std::filesystem::create_directories(app);
        WriteFile(app + Sep() + "quorlin.dat", store);
        archive.LoadArchiveIndex(app);
    }

    PrivateTemp temp;
    std::string app;
    rt::VectorList pacfile, pagelast, pcfile2;
    ProjectArchive archive{pacfile, pagelast, pcfile2};
};

TEST_F(Archive, IndexListsMembersInStoreOrderAndPagesByTheirExactSuffix) {
    pacfile.AddItem("left over");
    Load(Store(
        {{"sys1 .esr", "p1"}, {"bg1.bmp", "b"}, {"sys2 .ESR", "p2"}, {"name.nme", ""}, {"sys3 .esr", "p3"}}));
    EXPECT_EQ(pacfile.items,
              (std::vector<std::string>{"sys1 .esr", "bg1.bmp", "sys2 .ESR", "name.nme", "sys3 .esr"}));
    EXPECT_EQ(pagelast.items, (std::vector<std::string>{"sys1 .esr", "sys3 .esr"}));
}

TEST_F(Archive, StorePathJoinsTheFolderWithOneSeparator) {
#ifdef _WIN32
    EXPECT_EQ(ProjectArchive::StorePath("D:\\"), "D:\\quorlin.dat");
    EXPECT_EQ(ProjectArchive::StorePath("C:\\menu"), "C:\\menu\\quorlin.dat");
#else
    EXPECT_EQ(ProjectArchive::StorePath("/"), "/quorlin.dat");
    EXPECT_EQ(ProjectArchive::StorePath("/srv/menu"), "/srv/menu/quorlin.dat");
#endif
}

TEST_F(Archive, MissingStoreFailsTheCall) {
    app = temp.Work() + "empty";
    std::filesystem::create_directories(app);
    EXPECT_THROW(archive.LoadArchiveIndex(app), rt::RuntimeError);
    pacfile.AddItem("name.nme");
    EXPECT_THROW(archive.pckex("name.nme"), rt::RuntimeError);
    EXPECT_TRUE(FolderNames(temp.Copies()).empty());
}

TEST_F(Archive, PckexCopiesUnderTheStoredNameWhateverTheCaseAsked) {
    const Bytes nme = "1#lbl#1#Title\r\n";
    Load(Store({{"bg1.bmp", Pattern(5000, 1)}, {"name.nme", nme}}));
    const std::string path = archive.pckex("NAME.NME");
    EXPECT_EQ(path, temp.Copy("name.nme"));
    EXPECT_EQ(ReadFile(path), nme);
    // The user deletes its copy; the folder stays, empty.
    std::filesystem::remove(path);
    EXPECT_TRUE(FolderNames(temp.Copies()).empty());
}

TEST_F(Archive, UnknownNameGivesErrorAndWritesNothing) {
    Load(Store({{"name.nme", "x"}}));
    EXPECT_EQ(archive.pckex("nope.pic"), "error");
    EXPECT_TRUE(FolderNames(temp.Copies()).empty());
    // The store was closed again: it can be replaced.
    EXPECT_NO_THROW(std::filesystem::remove(app + Sep() + "quorlin.dat"));
}

TEST_F(Archive, ASecondExtractionReplacesTheFirstCopy) {
    Load(Store({{"1p1.pic", "picture"}}));
    const std::string first = archive.pckex("1p1.pic");
    WriteFile(first, Pattern(300, 9));  // a longer, different old copy
    std::filesystem::permissions(first, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
    const std::string second = archive.pckex("1p1.pic");
    EXPECT_EQ(second, first);
    EXPECT_EQ(ReadFile(second), "picture");
    std::filesystem::remove(second);
}

TEST_F(Archive, FirstMatchInStoreOrderWins) {
    Load(Store({{"Name.nme", "first"}, {"name.nme", "second"}}));
    const std::string path = archive.pckex("NAME.NME");
    EXPECT_EQ(dFileArc::FileNameOnly(path), "Name.nme");
    EXPECT_EQ(ReadFile(path), "first");
    std::filesystem::remove(path);
}

TEST_F(Archive, EmptyMemberGivesThePathOfNoFile) {
    Load(Store({{"zero.cmb", ""}}));
    std::filesystem::create_directories(temp.Copies());
    WriteFile(temp.Copy("zero.cmb"), "old copy");
    const std::string path = archive.pckex("zero.cmb");
    EXPECT_EQ(path, temp.Copy("zero.cmb"));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Archive, ACopyThatCannotBeWrittenGivesError) {
    Load(Store({{"a.pic", "data"}}));
    // The copies' folder is taken by a file: the folder cannot be made, the copy not written.
    WriteFile(temp.Copies(), "in the way");
    EXPECT_EQ(archive.pckex("a.pic"), "error");
    std::filesystem::remove(temp.Copies());
    // A folder where the copy should go cannot be replaced: no path that holds something else.
    std::filesystem::create_directories(temp.Copy("a.pic"));
    EXPECT_EQ(archive.pckex("a.pic"), "error");
    EXPECT_TRUE(std::filesystem::is_directory(temp.Copy("a.pic")));
}

TEST_F(Archive, NestedStoreMembersMatchOnlyWithTheirExactCase) {
    const Bytes normal = Pattern(900, 1), over = Pattern(800, 2), down = Pattern(700, 3);
    const Bytes nested = Store({{"normal.png", normal}, {"over.png", over}, {"down.png", down}});
    Load(Store({{"name.nme", "n"}, {"1aap1.pic", nested}}));
    const std::string copy = archive.pckex("1AAP1.PIC");
    ASSERT_EQ(ReadFile(copy), nested);
    archive.OpenPictureArchive(copy);
    EXPECT_EQ(pcfile2.items, (std::vector<std::string>{"normal.png", "over.png", "down.png"}));
    struct Case {
        const char* asked;
        const Bytes* expected;  // null: "error"
    } cases[] = {{"over.png", &over},     {"normal.png", &normal}, {"down.png", &down},
                 {"Normal.png", nullptr}, {"NORMAL.PNG", nullptr}, {"up.png", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        const std::string path = archive.pckexbut(c.asked);
        if (!c.expected) {
            EXPECT_EQ(path, "error");
            continue;
        }
        EXPECT_EQ(path, temp.Copy(c.asked));
        EXPECT_EQ(ReadFile(path), *c.expected);
        std::filesystem::remove(path);
    }
    std::filesystem::remove(copy);

    // A nested store that is not there leaves the list empty: every name gives "error".
    archive.OpenPictureArchive("error");
    EXPECT_TRUE(pcfile2.items.empty());
    EXPECT_EQ(archive.pckexbut("normal.png"), "error");
    EXPECT_TRUE(FolderNames(temp.Copies()).empty());
}

// ---- Stores that lie about themselves --------------------------------------------------------

Bytes Raw16(int16_t v) {
    Bytes b;
    PutI16(b, v);
    return b;
}
Bytes Raw32(int32_t v) {
    Bytes b;
    PutI32(b, v);
    return b;
}

TEST_F(Archive, HostileStoresEndTheWalkAtTheLastGoodEntry) {
    const Bytes good = Entry("ok.txt", "fine");
    const std::string name259(259, 'n');
    struct Case {
        const char* what;
        Bytes bytes;
        std::vector<std::string> listed;
        bool countCovers = true;  // false: the count, not the entries, ends the listing
        size_t unwritable = 0;    // names too long for a file on this system
    } cases[] = {
        {"empty file", "", {}},
        {"header cut short", Bytes("Arc\x01\x05", 5), {}},
        {"count larger than the entries", Header(1000, 4) + good, {"ok.txt"}},
        {"negative count", Header(-5, 4) + good, {}, false},
        {"data cut short", Header(2, 104) + good + Raw16(1) + "b" + Raw32(100) + "only ten..", {"ok.txt"}},
        {"data length past the end",
         Header(2, 0) + good + Raw16(1) + "b" + Raw32(0x7FFFFFFF) + "x",
         {"ok.txt"}},
        {"negative data length", Header(2, 0) + good + Raw16(1) + "b" + Raw32(-2) + "xyz", {"ok.txt"}},
        {"data length cut short", Header(2, 0) + good + Raw16(1) + "b" + "\x01\x00", {"ok.txt"}},
        {"name length over 259", Header(2, 0) + good + Raw16(260) + Bytes(260, 'n') + Raw32(0), {"ok.txt"}},
        {"name length 259",
         Header(2, 0) + good + Raw16(259) + name259 + Raw32(0),
         {"ok.txt", name259},
         true,
         1},
        {"negative name length", Header(2, 0) + good + Raw16(-1) + Raw32(0), {"ok.txt"}},
        {"name past the end", Header(2, 0) + good + Raw16(200) + "short", {"ok.txt"}},
        {"first entry before the file", Header(1, 4, 0) + good, {}},
        {"first entry past the end", Header(1, 4, 30000) + good, {}},
        {"negative first entry", Header(1, 4, -3) + good, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.bytes);
        EXPECT_EQ(pacfile.items, c.listed);
        for (const std::string& name : c.listed) {
            const std::string path = archive.pckex(name);
            ASSERT_NE(path, "error");
            std::error_code ec;
            std::filesystem::remove(path, ec);
        }
        archive.OpenPictureArchive(app + Sep() + "quorlin.dat");
        EXPECT_EQ(pcfile2.items, c.listed);
        EXPECT_TRUE(FolderNames(temp.Copies()).empty());
        if (!c.countCovers) continue;
        // Every other way in stops at the same place.
        dFileArc arc;
        arc.Filename(app + Sep() + "quorlin.dat");
        arc.OpenAchive();
        EXPECT_EQ(arc.GetFileInfo(static_cast<int32_t>(c.listed.size())), nullptr);
        EXPECT_THROW(arc.ExtractFile(static_cast<int32_t>(c.listed.size()), temp.Work() + "x.out"),
                     rt::RuntimeError);
        const std::string all = temp.Work() + "all";
        std::filesystem::create_directories(all);
        arc.ExtractAll(all + Sep());
        EXPECT_EQ(FolderNames(all).size(), c.listed.size() - c.unwritable);
        std::filesystem::remove_all(all);
    }
}

TEST_F(Archive, UnsafeMemberNamesAreListedButNeverWritten) {
    const std::vector<std::string> names = {"",
                                            ".",
                                            "..",
                                            "..\\evil.txt",
                                            "../evil.txt",
                                            "sub/evil.txt",
                                            "c:evil.txt",
                                            "bad\tname",
                                            "bad\nname",
                                            std::string("nul\0byte", 8)};
    std::vector<Member> members;
    for (const std::string& n : names) members.push_back({n, "EVIL"});
    members.push_back({"good.txt", "GOOD"});
    Load(Store(members));
    std::vector<std::string> expected = names;
    expected.push_back("good.txt");
    EXPECT_EQ(pacfile.items, expected);

    for (const std::string& n : names) EXPECT_EQ(archive.pckex(n), "error") << n;
    // The nested store's reader refuses them alike.
    archive.OpenPictureArchive(app + Sep() + "quorlin.dat");
    for (const std::string& n : names) EXPECT_EQ(archive.pckexbut(n), "error") << n;
    const std::string all = temp.Work() + "all";
    std::filesystem::create_directories(all);
    {
        dFileArc arc;
        arc.Filename(app + Sep() + "quorlin.dat");
        arc.OpenAchive();
        arc.ExtractAll(all + Sep());
    }
    EXPECT_EQ(FolderNames(all), (std::vector<std::string>{"good.txt"}));
    // The good member still comes out, and nothing else was written anywhere.
    const std::string path = archive.pckex("GOOD.TXT");
    EXPECT_EQ(ReadFile(path), "GOOD");
    EXPECT_EQ(FolderNames(temp.Copies()), (std::vector<std::string>{"good.txt"}));
    EXPECT_EQ(FolderNames(temp.System()), (std::vector<std::string>{"vantrel"}));
    EXPECT_EQ(FolderNames(temp.Work()), (std::vector<std::string>{"all", "app", "systemp"}));
    std::filesystem::remove(path);
}

}  // namespace
