#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/common/mdlList.h"
#include "runtime/list_sink.h"
#include "support/temp_dir.h"

using V = std::vector<std::string>;

namespace {

class ListReaders : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    rt::VectorList a, b;
    int pumps = 0;
    rt::MessagePump pump = [this] { ++pumps; };

    static void Prefill(rt::VectorList& l) { l.items = {"stale1", "stale2"}; }
};

TEST_F(ListReaders, PairedListSplitsEachItem) {
    std::string path = dir.Write("0cmb1.cmb",
                                 "\"Open, now##qk##go***Sepa***2\"\r\n"
                                 "Plain##qk##a***code***b##qk##unused\r\n"
                                 "Last##qk##\r\n");
    Prefill(a);
    Prefill(b);
    mdlList::LoadPairedList(path, a, b, pump);
    EXPECT_EQ(a.items, (V{"Open, now", "Plain", "Last"}));
    EXPECT_EQ(b.items, (V{"go***Sepa***2", "a***code***b", ""}));
    EXPECT_EQ(pumps, 3);
}

TEST_F(ListReaders, PairedListStopsAtAnItemWithoutSeparator) {
    // The display text of the faulty item is added before its action list is missed.
    std::string path = dir.Write("m.txt", "one##qk##a1\r\ntwo\r\nthree##qk##a3\r\n");
    mdlList::LoadPairedList(path, a, b, pump);
    EXPECT_EQ(a.items, (V{"one", "two"}));
    EXPECT_EQ(b.items, (V{"a1"}));
    EXPECT_EQ(pumps, 1);
    // The file was closed despite the failure.
    EXPECT_TRUE(std::filesystem::remove(path));
}

TEST_F(ListReaders, PairedListStopsAtABlankLine) {
    std::string path = dir.Write("m.txt", "one##qk##a1\r\n\r\nthree##qk##a3\r\n");
    mdlList::LoadPairedList(path, a, b, pump);
    EXPECT_EQ(a.items, V{"one"});
    EXPECT_EQ(b.items, V{"a1"});
}

TEST_F(ListReaders, UnreadableFileLeavesEmptiedLists) {
    for (const std::string& path : {std::string("error"), dir.File("missing.cmb")}) {
        Prefill(a);
        Prefill(b);
        mdlList::LoadPairedList(path, a, b, pump);
        EXPECT_TRUE(a.items.empty()) << path;
        EXPECT_TRUE(b.items.empty()) << path;
        Prefill(a);
        mdlList::LoadLineList(path, a);
        EXPECT_TRUE(a.items.empty()) << path;
    }
    EXPECT_EQ(pumps, 0);
}

TEST_F(ListReaders, PairedComboPutsNewEntriesFirstAndKeepsTheOldOnes) {
    std::string path = dir.Write("1cmb2.cmb", "n1##qk##x1\r\nn2##qk##x2\r\n");
    a.items = {"old1", "old2"};
    b.items = {"oldaction"};
    mdlList::LoadPairedCombo(path, a, b, pump);
    EXPECT_EQ(a.items, (V{"n1", "n2", "old1", "old2"}));
    EXPECT_EQ(b.items, (V{"x1", "x2"}));
    EXPECT_EQ(pumps, 2);
}

TEST_F(ListReaders, ItemListKeepsItemsWhole) {
    std::string path = dir.Write("1sld1.sld", "a.jpg##qk##go***Sepa***3\r\n\"b, c.jpg##qk##\"\r\nd.jpg");
    Prefill(a);
    mdlList::LoadItemList(path, a, pump);
    EXPECT_EQ(a.items, (V{"a.jpg##qk##go***Sepa***3", "b, c.jpg##qk##", "d.jpg"}));
    EXPECT_EQ(pumps, 3);
}

TEST_F(ListReaders, LineListTakesLinesWhole) {
    std::string path = dir.Write("name.nme", "2#TXT#3#Total\r\n1#lbl#1#\"A, b\"\r\n\r\n 1#sld#2#S \r\n");
    Prefill(a);
    mdlList::LoadLineList(path, a);
    EXPECT_EQ(a.items, (V{"2#TXT#3#Total", "1#lbl#1#\"A, b\"", "", " 1#sld#2#S "}));
}

TEST_F(ListReaders, PumpRunsAfterEachItemIsAdded) {
    std::string path = dir.Write("m.txt", "a##qk##1\r\nb##qk##2\r\nc##qk##3\r\n");
    std::vector<int> seen;
    mdlList::LoadPairedList(path, a, b, [&] { seen.push_back(b.ListCount()); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST_F(ListReaders, ReadStartedFromInsideThePumpWorks) {
    // An action run by the message loop loads another list while the first read is under way.
    std::string outer = dir.Write("outer.cmb", "a##qk##1\r\nb##qk##2\r\n");
    std::string inner = dir.Write("inner.mnu", "x##qk##9\r\ny##qk##8\r\n");
    rt::VectorList innerTexts, innerActions, innerLines;
    int calls = 0;
    rt::MessagePump reentering = [&] {
        if (calls++ == 0) {
            mdlList::LoadPairedList(inner, innerTexts, innerActions, reentering);
            mdlList::LoadLineList(outer, innerLines);  // the same file, opened a second time
        }
    };
    mdlList::LoadPairedList(outer, a, b, reentering);
    EXPECT_EQ(a.items, (V{"a", "b"}));
    EXPECT_EQ(b.items, (V{"1", "2"}));
    EXPECT_EQ(innerTexts.items, (V{"x", "y"}));
    EXPECT_EQ(innerActions.items, (V{"9", "8"}));
    EXPECT_EQ(innerLines.items, (V{"a##qk##1", "b##qk##2"}));
}

TEST_F(ListReaders, CounterEndsTheReadAfterPosition32767) {
    std::string text;
    for (int i = 0; i < 32770; ++i) text += "p" + std::to_string(i) + "##qk##q\r\n";
    std::string path = dir.Write("big.txt", text);

    mdlList::LoadItemList(path, a, pump);
    ASSERT_EQ(a.ListCount(), 32768);
    EXPECT_EQ(a.items.back(), "p32767##qk##q");
    EXPECT_EQ(pumps, 32768);

    mdlList::LoadPairedList(path, a, b, {});
    EXPECT_EQ(a.ListCount(), 32768);
    EXPECT_EQ(b.ListCount(), 32768);

    mdlList::LoadLineList(path, a);
    EXPECT_EQ(a.ListCount(), 32768);
}

}  // namespace
