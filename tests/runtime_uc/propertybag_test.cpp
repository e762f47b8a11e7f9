#include "runtime/propertybag.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/error.h"
#include "runtime/property_table.h"
#include "support/error_of.h"

namespace {

using testsupport::ErrorOf;

TEST(PropertyBag, ReadsConvertWithTheRuntimesRules) {
    rt::PropertyBag bag{{"Long", 40000},
                        {"Half", 2.5},
                        {"True", true},
                        {"Text", "12"},
                        {"Word", "abc"},
                        {"Colour", 0x80000005u},
                        {"Bytes", rt::PropertyBag::Bytes{7, 8}}};
    EXPECT_EQ(bag.ReadProperty("long", int32_t{0}), 40000);  // names ignore case
    EXPECT_EQ(bag.ReadProperty("Half", int32_t{0}), 2);      // half to even
    EXPECT_EQ(bag.ReadProperty("True", int32_t{0}), -1);
    EXPECT_EQ(bag.ReadProperty("Text", int16_t{0}), 12);
    EXPECT_TRUE(bag.ReadProperty("Long", false));
    EXPECT_EQ(bag.ReadProperty("True", std::string()), "True");
    EXPECT_EQ(bag.ReadProperty("Colour", 0u), 0x80000005u);
    EXPECT_EQ(bag.ReadProperty("Absent", 0x8000000Fu), 0x8000000Fu);
    EXPECT_EQ(bag.ReadProperty("Absent", "dflt"), "dflt");

    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("Long", int16_t{0}); }), rt::errOverflow);
    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("Word", int32_t{0}); }), rt::errTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("Bytes", int32_t{0}); }), rt::errTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { bag.ReadProperty("Long", rt::Font()); }), rt::errTypeMismatch);
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotWritten) {
    rt::PropertyBag bag;
    bag.WriteProperty("Caption", "x", "x");
    bag.WriteProperty("Size", 1.0, 1);  // the same number as floating point
    bag.WriteProperty("Pic", rt::Picture(), rt::Picture());
    bag.WriteProperty("Font", rt::Font("Tahoma", 12, true), rt::Font("Tahoma", 12, true));
    EXPECT_EQ(bag.Count(), 0u);

    bag.WriteProperty("Caption", "y", "x");
    bag.WriteProperty("Font", rt::Font("Tahoma", 12, false), rt::Font("Tahoma", 12, true));
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"Caption", "Font"}));
    // Writing the default later drops the earlier value: reading gives the default again.
    bag.WriteProperty("caption", "x", "x");
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_EQ(bag.ReadProperty("Caption", "x"), "x");
}

TEST(PropertyBag, FontsAreStoredAsDescriptions) {
    rt::Font f("Arial", 10.5f, true, true);
    f.Underline(true);
    f.Charset(178);
    rt::PropertyBag bag;
    bag.WriteProperty("Font", f);
    f.Name("Courier New");  // later changes of the written font do not reach the bag
    rt::Font a = bag.ReadProperty("Font", rt::Font());
    rt::Font b = bag.ReadProperty("Font", rt::Font());
    EXPECT_EQ(a.Name(), "Arial");
    EXPECT_FLOAT_EQ(a.Size(), 10.5f);
    EXPECT_TRUE(a.Bold());
    EXPECT_TRUE(a.Italic());
    EXPECT_TRUE(a.Underline());
    EXPECT_EQ(a.Charset(), 178);
    EXPECT_FALSE(a.SameObject(b));  // each read is a new font object
}

TEST(PropertyBag, TheDumpTellsKindsApartAndKeepsTheWriteOrder) {
    rt::PropertyBag bag{{"Whole", 5}, {"Real", 5.0}, {"Flag", false}, {"Text", "a \"b\""}};
    bag.WriteProperty("Bytes", rt::PropertyBag::Bytes{1, 255});
    bag.WriteProperty("Font", rt::Font("Arial", 10.5f, true));
    bag.WriteProperty("Pic", rt::Picture());
    bag.WriteProperty("whole", 6);  // an existing name keeps its place
    EXPECT_EQ(bag.Dump(),
              "Whole = Long 6\n"
              "Real = Double 5\n"
              "Flag = Boolean False\n"
              "Text = String \"a \"b\"\"\n"
              "Bytes = Bytes 1 255\n"
              "Font = Font \"Arial\" 10.5 weight 700 charset " +
                  std::to_string(rt::Font("Arial", 10.5f, true).Charset()) +
                  " bold\n"
                  "Pic = Picture\n");
    EXPECT_EQ(bag, (rt::PropertyBag{{"Whole", 6.0},
                                    {"Real", 5},
                                    {"Flag", false},
                                    {"Text", "a \"b\""},
                                    {"Bytes", rt::PropertyBag::Bytes{1, 255}},
                                    {"Font", rt::Font("Arial", 10.5f, true)},
                                    {"Pic", rt::Picture()}}))
        << "where == does not";
}

// A table over a plain class: members with one or two defaults, a byte, a getter and setter
// pair, and a default asked of the object.
struct Gauge {
    uint8_t level = 0;
    std::string label;
    float scale = 0;
    int16_t limit() const { return limit_; }
    void limit(int16_t v) { limit_ = v; }
    std::string prefix = "p";
    int16_t limit_ = 0;
    bool flag = false;

    static const rt::PropertyTable<Gauge>& Table() {
        static const rt::PropertyTable<Gauge> table{
            {"Level", &Gauge::level, 3},
            {"Label", &Gauge::label, "read", "write"},
            {"Limit", &Gauge::limit, &Gauge::limit, int16_t{-1}, int16_t{-1}},
            {"Scale", &Gauge::scale, [](Gauge& g) { return g.prefix == "p" ? 1.5f : 2.5f; }, 1.5f},
            {"Flag", &Gauge::flag, false, rt::kAlwaysWritten},
        };
        return table;
    }
};

TEST(PropertyTable, ReadsWritesAndInitialisesInTableOrderWithItsTwoDefaults) {
    Gauge g;
    Gauge::Table().InitAll(g);
    EXPECT_EQ(g.level, 3);
    EXPECT_EQ(g.label, "read");
    EXPECT_EQ(g.limit(), -1);
    EXPECT_FLOAT_EQ(g.scale, 1.5f);

    rt::PropertyBag bag;
    Gauge::Table().WriteAll(g, bag);
    EXPECT_EQ(bag.Dump(), "Label = String \"read\"\nFlag = Boolean False\n")
        << "only what differs from its write default, and what is always written";
    g.level = 200;
    g.limit(7);
    g.prefix = "q";  // the read default of Scale is now 2.5
    Gauge::Table().WriteAll(g, bag);
    EXPECT_EQ(bag.Dump(),
              "Label = String \"read\"\nFlag = Boolean False\nLevel = Long 200\nLimit = Long 7\n");

    Gauge h;
    h.prefix = "q";
    Gauge::Table().ReadAll(h, bag);
    EXPECT_EQ(h.level, 200);
    EXPECT_EQ(h.limit(), 7);
    EXPECT_FLOAT_EQ(h.scale, 2.5f) << "absent: the default the object answers";
    EXPECT_EQ(ErrorOf([&] { Gauge::Table().ReadAll(h, rt::PropertyBag{{"Level", 256}}); }), rt::errOverflow);
}

// A property written only and one kept out of the bag, around an ordinary one.
struct Keeper {
    std::string note = "n";
    std::string owner = "o";
    int32_t count = 0;

    static const rt::PropertyTable<Keeper>& Table() {
        static const rt::PropertyTable<Keeper> table{
            {"Note", &Keeper::note, rt::kNotRead, ""},
            {"Owner", &Keeper::owner, rt::kNotStored},
            {"Count", &Keeper::count, 4},
        };
        return table;
    }
};

TEST(PropertyTable, WrittenOnlyAndUnstoredRows) {
    Keeper k;
    Keeper::Table().InitAll(k);
    EXPECT_EQ(k.note, "n");
    EXPECT_EQ(k.owner, "");
    EXPECT_EQ(k.count, 4);

    k.owner = "o";
    k.count = 9;
    rt::PropertyBag bag;
    Keeper::Table().WriteAll(k, bag);
    EXPECT_EQ(bag.Dump(), "Note = String \"n\"\nCount = Long 9\n");
    k.note = "";
    Keeper::Table().WriteAll(k, bag);
    EXPECT_EQ(bag.Dump(), "Count = Long 9\n") << "a written-only value equal to its default is left out";

    Keeper r;
    r.note = "kept";
    Keeper::Table().ReadAll(r, rt::PropertyBag{{"Note", "stored"}, {"Owner", "stored"}, {"Count", 2}});
    EXPECT_EQ(r.note, "kept");
    EXPECT_EQ(r.owner, "") << "emptied, whatever the bag holds";
    EXPECT_EQ(r.count, 2);
}

}  // namespace
