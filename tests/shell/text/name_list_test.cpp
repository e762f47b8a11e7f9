#include "shell/text/name_list.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/list_sink.h"
#include "support/error_of.h"

namespace {

using namelist::FindNamedObject;

TEST(NameList, ParsesEntries) {
    auto e = namelist::ParseNameEntry("2#TXT#3#Total");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->page, "2");
    EXPECT_EQ(e->kind, namelist::kindText);
    EXPECT_EQ(e->Index(), 3);
    EXPECT_EQ(e->name, "Total");

    EXPECT_FALSE(namelist::ParseNameEntry("2#TXT#3"));  // three parts are not an entry
    EXPECT_FALSE(namelist::ParseNameEntry(""));
    auto odd = namelist::ParseNameEntry("2#aap#x#Pic");
    ASSERT_TRUE(odd);
    EXPECT_EQ(testsupport::ErrorOf([&] { odd->Index(); }), rt::errTypeMismatch);
}

TEST(NameList, KindCodes) {
    EXPECT_EQ(namelist::kindText, "TXT");
    EXPECT_EQ(namelist::kindLabel, "lbl");
    EXPECT_EQ(namelist::kindCombo, "cmb");
    EXPECT_EQ(namelist::kindFlash, "FLA");
    EXPECT_EQ(namelist::kindAlphaPicture, "aap");
    EXPECT_EQ(namelist::kindWeb, "WEB");
    EXPECT_EQ(namelist::kindMediaPlayer, "wmp");
    EXPECT_EQ(namelist::kindSlideshow, "sld");
    EXPECT_EQ(namelist::kindThumbnails, "thumb");
}

TEST(NameList, LookupComparesPageKindAndNameExactly) {
    rt::VectorList list;
    list.items = {"2#TXT#3#Total"};
    std::string page = "2";
    auto current = [&] { return page; };

    struct Case {
        const char* page;
        std::string_view kind;
        const char* name;
        bool found;
    };
    const Case cases[] = {
        {"2", "TXT", "Total", true},   {"1", "TXT", "Total", false}, {"02", "TXT", "Total", false},
        {"2", "txt", "Total", false},  {"2", "lbl", "Total", false}, {"2", "TXT", "total", false},
        {"2", "TXT", "Total ", false}, {"2", "TXT", "", false},
    };
    for (const Case& c : cases) {
        page = c.page;
        auto hit = FindNamedObject(list, current, c.kind, c.name);
        EXPECT_EQ(hit.has_value(), c.found) << c.page << " " << c.kind << " " << c.name;
        if (hit) {
            EXPECT_EQ(hit->Index(), 3);
        }
    }
}

TEST(NameList, FirstMatchWinsAndThePumpRunsPerMiss) {
    rt::VectorList list;
    list.items = {"1#TXT#1#A", "2#TXT", "2#TXT#7#A", "2#TXT#8#A", "2#TXT#9#B"};
    int pumps = 0;
    auto hit = FindNamedObject(
        list, [] { return std::string("2"); }, "TXT", "A", [&] { ++pumps; });
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->Index(), 7);
    EXPECT_EQ(pumps, 2);

    pumps = 0;
    EXPECT_FALSE(FindNamedObject(
        list, [] { return std::string("2"); }, "TXT", "C", [&] { ++pumps; }));
    EXPECT_EQ(pumps, 5);
}

TEST(NameList, NameHoldingHashNeverMatches) {
    rt::VectorList list;
    list.items = {"2#TXT#3#To#tal"};
    EXPECT_FALSE(FindNamedObject(
        list, [] { return std::string("2"); }, "TXT", "To#tal"));
}

TEST(NameList, PageIsReadAgainForEveryEntry) {
    // A nested action run by the pump switches the page; later entries compare with the new one.
    rt::VectorList list;
    list.items = {"2#sld#4#Show", "3#sld#5#Show"};
    std::string page = "3";
    auto hit = FindNamedObject(
        list, [&] { return page; }, "sld", "Show", [&] { page = "2"; });
    EXPECT_FALSE(hit);

    page = "1";
    list.items = {"2#sld#4#Show", "2#sld#5#Show"};
    hit = FindNamedObject(
        list, [&] { return page; }, "sld", "Show", [&] { page = "2"; });
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->Index(), 5);
}

}  // namespace
