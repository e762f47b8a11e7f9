#include "runtime/propertybag.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
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

// Rows read and written only while a condition holds, and one written only while it holds.
struct Dial {
    bool zoomed = false;
    int32_t scale = 7;
    std::string note = "n";

    static const rt::PropertyTable<Dial>& Table() {
        static const rt::PropertyTable<Dial> table{
            {"Zoomed", &Dial::zoomed, false},
            {"Scale", &Dial::scale, int32_t{1}, rt::OnlyWhen([](Dial& d) { return d.zoomed; })},
            {"Note", &Dial::note, "", rt::kAlwaysWritten,
             rt::WrittenOnlyWhen([](Dial& d) { return !d.note.empty(); })},
        };
        return table;
    }
};

TEST(PropertyTable, ConditionalRowsAskTheirConditionAfterTheRowsAbove) {
    Dial d;
    Dial::Table().InitAll(d);
    EXPECT_EQ(d.scale, 1) << "a new control takes the default whatever the condition";
    EXPECT_EQ(d.note, "");

    rt::PropertyBag bag;
    Dial::Table().WriteAll(d, bag);
    EXPECT_EQ(bag.Dump(), "") << "neither condition holds";
    d.zoomed = true;
    d.note = "x";
    Dial::Table().WriteAll(d, bag);
    EXPECT_EQ(bag.Dump(), "Zoomed = Boolean True\nNote = String \"x\"\n") << "Scale equals its default";
    d.scale = 3;
    d.zoomed = false;
    Dial::Table().WriteAll(d, bag);
    EXPECT_EQ(bag.Dump(), "Note = String \"x\"\n") << "not zoomed: no Scale";

    const rt::PropertyBag stored{{"Zoomed", true}, {"Scale", 5}, {"Note", "s"}};
    Dial on;
    Dial::Table().ReadAll(on, stored);
    EXPECT_EQ(on.scale, 5) << "Zoomed is read first, so Scale is read";
    EXPECT_EQ(on.note, "s");
    Dial off;
    Dial::Table().ReadAll(off, rt::PropertyBag{{"Scale", 5}});
    EXPECT_EQ(off.scale, 7) << "not zoomed: Scale is not read and keeps its value";
    EXPECT_EQ(off.note, "") << "written only when set, read always";
}

// One stored value read into two places, only the first writing it.
struct Face {
    uint32_t colour = 0;
    uint32_t rim = 0;

    static const rt::PropertyTable<Face>& Table() {
        static const rt::PropertyTable<Face> table{
            {"Colour", &Face::colour, 0xFFu},
            {"Colour", &Face::rim, 0xFFu, rt::kNotWritten},
        };
        return table;
    }
};

TEST(PropertyTable, AReadOnlyRowReadsButNeverWrites) {
    Face f;
    Face::Table().InitAll(f);
    EXPECT_EQ(f.rim, 0xFFu);
    f.rim = 9;
    rt::PropertyBag bag;
    Face::Table().WriteAll(f, bag);
    EXPECT_EQ(bag.Dump(), "");
    f.colour = 5;
    Face::Table().WriteAll(f, bag);
    EXPECT_EQ(bag.Dump(), "Colour = Long 5\n");

    Face r;
    Face::Table().ReadAll(r, bag);
    EXPECT_EQ(r.colour, 5u);
    EXPECT_EQ(r.rim, 5u);
    Face::Table().ReadAll(r, rt::PropertyBag{});
    EXPECT_EQ(r.rim, 0xFFu);
}

// Held in tenths as a whole number, stored as a number with a fraction; a label with its own
// setter stored in capitals.
struct Ruler {
    int16_t tenths = 0;
    std::string label;
    std::string Label() const { return label; }
    void Label(std::string v) { label = "set " + v; }

    static const rt::PropertyTable<Ruler>& Table() {
        auto toStored = [](int16_t t) { return t / 10.0f; };
        auto toHeld = [](float v) { return static_cast<int16_t>(std::lround(v * 10)); };
        auto upper = [](std::string s) {
            for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return s;
        };
        auto lower = [](std::string s) {
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return s;
        };
        static const rt::PropertyTable<Ruler> table{
            {"Step", &Ruler::tenths, 1.5f, rt::StoredAs(toStored, toHeld)},
            {"Label", &Ruler::Label, &Ruler::Label, "A", "A", rt::StoredAs(upper, lower)},
        };
        return table;
    }
};

TEST(PropertyTable, ConvertedRowsStoreOneFormAndHoldTheOther) {
    Ruler r;
    Ruler::Table().InitAll(r);
    EXPECT_EQ(r.tenths, 15) << "defaults are in the stored form";
    EXPECT_EQ(r.label, "set a");

    rt::PropertyBag bag;
    r.label = "a";
    Ruler::Table().WriteAll(r, bag);
    EXPECT_EQ(bag.Dump(), "") << "both equal their defaults once converted";
    r.tenths = 25;
    r.label = "Mixed";
    Ruler::Table().WriteAll(r, bag);
    EXPECT_EQ(bag.Dump(), "Step = Double 2.5\nLabel = String \"MIXED\"\n");

    Ruler back;
    Ruler::Table().ReadAll(back, bag);
    EXPECT_EQ(back.tenths, 25);
    EXPECT_EQ(back.label, "set mixed");
    Ruler::Table().ReadAll(back, rt::PropertyBag{{"Step", "0.7"}});
    EXPECT_EQ(back.tenths, 7) << "the bag's conversions first, then the row's";
    EXPECT_EQ(back.label, "set a");
}

// Defaults for new controls: a value, one asked of the object, and none (kept as it is).
struct Lens {
    int32_t flags = 0;
    int32_t base = 4;
    int32_t size = 0;
    std::string label = "mine";

    static const rt::PropertyTable<Lens>& Table() {
        static const rt::PropertyTable<Lens> table{
            {"Flags", &Lens::flags, int32_t{1}, rt::ForNew(int32_t{5})},
            {"Size", &Lens::size, int32_t{2}, rt::ForNew([](Lens& l) { return l.base * 2; })},
            {"Label", &Lens::label, "read", rt::ForNew(rt::kKept)},
        };
        return table;
    }
};

TEST(PropertyTable, NewControlsTakeTheirOwnDefaults) {
    Lens l;
    Lens::Table().InitAll(l);
    EXPECT_EQ(l.flags, 5);
    EXPECT_EQ(l.size, 8);
    EXPECT_EQ(l.label, "mine");

    rt::PropertyBag bag;
    Lens::Table().WriteAll(l, bag);
    EXPECT_EQ(bag.Dump(), "Flags = Long 5\nSize = Long 8\nLabel = String \"mine\"\n")
        << "the write defaults stay the read defaults";

    Lens r;
    Lens::Table().ReadAll(r, rt::PropertyBag{});
    EXPECT_EQ(r.flags, 1);
    EXPECT_EQ(r.size, 2);
    EXPECT_EQ(r.label, "read");
    Lens::Table().ReadAll(r, bag);
    EXPECT_EQ(r.flags, 5);
    EXPECT_EQ(r.label, "mine");
}

// A read that fails is passed over where the row says so, and stops the reading elsewhere.
struct Meter {
    int32_t count = 3;
    int32_t limit = 3;
    bool last = false;

    static const rt::PropertyTable<Meter>& Table() {
        static const rt::PropertyTable<Meter> table{
            {"Count", &Meter::count, int32_t{0}, rt::kPassedOver},
            {"Limit", &Meter::limit, int32_t{0}},
            {"Last", &Meter::last, false},
        };
        return table;
    }
};

TEST(PropertyTable, PassedOverReadsKeepTheValueAndGoOn) {
    Meter m;
    Meter::Table().ReadAll(m, rt::PropertyBag{{"Count", "many"}, {"Limit", 9}, {"Last", true}});
    EXPECT_EQ(m.count, 3) << "kept";
    EXPECT_EQ(m.limit, 9);
    EXPECT_TRUE(m.last);

    Meter n;
    EXPECT_EQ(ErrorOf([&] {
                  Meter::Table().ReadAll(n, rt::PropertyBag{{"Limit", "many"}, {"Last", true}});
              }),
              rt::errTypeMismatch);
    EXPECT_FALSE(n.last) << "the rows after a failing one are not read";
}

}  // namespace
