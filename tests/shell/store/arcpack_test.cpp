// The store packer: a folder packed and extracted again comes back byte for byte, nested stores
// included; bad input ends with a message and a non-zero status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/list_sink.h"
#include "shell/store/ProjectArchive.h"
#include "support/store_fixture.h"

using namespace storetest;

namespace {

class Arcpack : public ::testing::Test {
protected:
    // Runs the packer with its output in files; returns its exit status.
    int Run(const std::string& args) {
        const std::string command = std::string("\"") + ARCPACK_PATH + "\" " + args + " >\"" +
                                    work.File("out.txt") + "\" 2>\"" + work.File("err.txt") + "\"";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Out() { return ReadFile(work.File("out.txt")).value_or(""); }
    std::string Err() { return ReadFile(work.File("err.txt")).value_or(""); }
    std::string Q(const std::string& path) { return "\"" + path + "\""; }

    testsupport::TempDir work;
};

TEST_F(Arcpack, FolderRoundTripsByteForByteWithANestedStore) {
    const std::string states = work.File("states"), folder = work.File("project"), out = work.File("out");
    std::filesystem::create_directories(states);
    std::filesystem::create_directories(folder);
    const std::vector<Member> stateFiles = {
        {"normal.png", Pattern(3000, 1)}, {"over.png", Pattern(2000, 2)}, {"down.png", Pattern(1000, 3)}};
    for (const Member& m : stateFiles) WriteFile(states + "/" + m.name, m.data);
    ASSERT_EQ(Run("pack " + Q(folder + "/1aap1.pic") + " " + Q(states)), 0) << Err();

    const std::vector<Member> files = {{"sys1 .esr", "\"lbl\",1,\"Hello, world\"\r\n"},
                                       {"bg1.bmp", Pattern(150000, 4)},
                                       {"empty.cmb", ""},
                                       {"name.nme", "1#lbl#1#Title\r\n"}};
    for (const Member& m : files) WriteFile(folder + "/" + m.name, m.data);
    const std::string store = work.File("quorlin.dat");
    ASSERT_EQ(Run("pack " + Q(store) + " " + Q(folder)), 0) << Err();

    // Names sorted, lengths as stored.
    ASSERT_EQ(Run("list " + Q(store)), 0) << Err();
    const std::string nestedLength = std::to_string(Store(stateFiles).size());
    EXPECT_EQ(Out(), "1aap1.pic\t" + nestedLength + "\nbg1.bmp\t150000\nempty.cmb\t0\nname.nme\t" +
                         std::to_string(files[3].data.size()) + "\nsys1 .esr\t" +
                         std::to_string(files[0].data.size()) + "\n");

    ASSERT_EQ(Run("extract " + Q(store) + " " + Q(out)), 0) << Err();
    EXPECT_EQ(FolderNames(out), FolderNames(folder));
    for (const std::string& name : FolderNames(folder))
        EXPECT_EQ(ReadFile(out + "/" + name), ReadFile(folder + "/" + name)) << name;

    ASSERT_EQ(Run("extract " + Q(out + "/1aap1.pic") + " " + Q(work.File("states.out"))), 0) << Err();
    for (const Member& m : stateFiles)
        EXPECT_EQ(ReadFile(work.File("states.out") + "/" + m.name), m.data) << m.name;

    // The program reads what the packer wrote, nested store included.
    PrivateTemp temp;
    rt::VectorList pacfile, pagelast, pcfile2;
    ProjectArchive archive(pacfile, pagelast, pcfile2);
    archive.LoadArchiveIndex(work.Path());
    EXPECT_EQ(pagelast.items, (std::vector<std::string>{"sys1 .esr"}));
    const std::string copy = archive.pckex("1aap1.pic");
    archive.OpenPictureArchive(copy);
    const std::string down = archive.pckexbut("down.png");
    EXPECT_EQ(ReadFile(down), Pattern(1000, 3));
    std::filesystem::remove(down);
    std::filesystem::remove(copy);
}

TEST_F(Arcpack, AListOfFilesPacksInTheGivenOrder) {
    WriteFile(work.File("b.txt"), "bb");
    WriteFile(work.File("a.txt"), "a");
    const std::string store = work.File("s.dat");
    ASSERT_EQ(Run("pack " + Q(store) + " " + Q(work.File("b.txt")) + " " + Q(work.File("a.txt"))), 0)
        << Err();
    EXPECT_EQ(ReadFile(store), Header(2, 3) + Entry("b.txt", "bb") + Entry("a.txt", "a"));
}

TEST_F(Arcpack, FailuresEndWithAMessageAndNonZeroStatus) {
    WriteFile(work.File("a.txt"), "a");
    std::filesystem::create_directories(work.File("other"));
    WriteFile(work.File("other") + "/a.txt", "A");
    WriteFile(work.File("cut.dat"), Header(3, 10) + Entry("one", "1") +
                                        Bytes("\x05\x00"
                                              "ab",
                                              4));
    struct Case {
        const char* what;
        std::string args;
    } cases[] = {
        {"no arguments", ""},
        {"unknown command", "squash x"},
        {"missing source", "pack " + Q(work.File("s.dat")) + " " + Q(work.File("none.txt"))},
        {
            "two members of one name",
            "pack " + Q(work.File("s.dat")) + " " + Q(work.File("a.txt")) + " " +
                Q(work.File("other") + "/a.txt"),
        },
        {"missing store", "list " + Q(work.File("none.dat"))},
        {"store cut short: list", "list " + Q(work.File("cut.dat"))},
        {"store cut short: extract", "extract " + Q(work.File("cut.dat")) + " " + Q(work.File("x"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(Run(c.args), 0);
        EXPECT_FALSE(Err().empty());
        EXPECT_FALSE(std::filesystem::exists(work.File("s.dat")));
    }
}

}  // namespace
