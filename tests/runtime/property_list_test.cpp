// A control whose stored properties are one list (property_list.h): from each line its field,
// getter, setter with the change notice and repaint, and its table row, for every kind of line.
#include "runtime/property_list.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "runtime/usercontrol.h"

namespace {

// clang-format off
#define DIAL_PROPERTIES(X)                                                                          \
    X(Set, int16_t, Level, int16_t{3})                                                              \
    X(Set, uint32_t, Needle, 0xFFu, 0x8000000Fu)                                                    \
    X(Store, std::string, Note, "none")                                                             \
    X(Custom, int16_t, Turns, int16_t{1})                                                           \
    X(Field, std::string, ToolTipText, "tip")                                                       \
    X(Relay, const std::string&, Caption, [](auto& d) { return d.shown; },                          \
      [](auto& d, std::string v) { d.shown = std::move(v); ++d.passed; }, "", "")                    \
    X(Via, uint32_t, BackColor, &rt::UserControl::BackColor, &rt::UserControl::BackColor, 0xFFFFFFu, \
      0xFFFFFFu)
// clang-format on

class Dial : public rt::UserControl {
public:
    Dial(rt::Container& c, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, "Dial", -1, Windowing::Windowless, std::move(stored)) {
        Create();
    }
    VANTREL_PROPERTY_ACCESSORS(DIAL_PROPERTIES)
    void Turns(int16_t v) { Set(settings_.Turns, std::max<int16_t>(v, 1), "Turns"); }
    const std::string& Tip() const { return settings_.ToolTipText; }
    void Tip(std::string v) { Store(settings_.ToolTipText, std::move(v), "ToolTipText"); }
    const std::string& Caption() const { return shown; }
    std::string shown;  // stands for a constituent that keeps the value and shows it
    int passed = 0;     // values given to it
    int repaints = 0;

protected:
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
    void PropertyRefresh() override { ++repaints; }

private:
    static const rt::PropertyTable<Dial>& Properties();
    struct Settings {
        VANTREL_PROPERTY_FIELDS(DIAL_PROPERTIES)
    } settings_;
};
VANTREL_PROPERTY_TABLE(Dial, DIAL_PROPERTIES)

// Lines that carry row options after their defaults.
// clang-format off
#define GAUGE_PROPERTIES(X)                                                   \
    X(Set, int16_t, Level, int16_t{3}, rt::ForNew(int16_t{5}))                \
    X(Store, std::string, Note, "none", rt::kPassedOver)                      \
    X(Custom, uint32_t, Needle, 0xFFu, 0x8000000Fu, rt::ForNew(rt::kKept))
// clang-format on

class Gauge : public rt::UserControl {
public:
    Gauge(rt::Container& c, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, "Gauge", -1, Windowing::Windowless, std::move(stored)) {
        settings_.Needle = 7;  // what a new gauge keeps
        Create();
    }
    VANTREL_PROPERTY_ACCESSORS(GAUGE_PROPERTIES)

protected:
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }

private:
    static const rt::PropertyTable<Gauge>& Properties();
    struct Settings {
        VANTREL_PROPERTY_FIELDS(GAUGE_PROPERTIES)
    } settings_;
};
VANTREL_PROPERTY_TABLE(Gauge, GAUGE_PROPERTIES)

// The fields alone, as a struct that paint code would read.
struct DialFields {
    VANTREL_PROPERTY_FIELDS(DIAL_PROPERTIES)
};

// Lines that carry row options, and a field whose row makes its stored value with more of the
// control.
// clang-format off
#define LAMP_PROPERTIES(X)                                                                    \
    X(Set, int32_t, Scale, int32_t{1}, rt::kAlwaysWritten, rt::ForNew(int32_t{5}))             \
    X(Store, int32_t, Zoom, int32_t{0}, rt::OnlyWhen([](auto& g) { return g.Scale() > 1; }))   \
    X(FieldVia, uint32_t, Flags,                                                               \
      [](auto& g) { return g.settings_.Flags | (g.Enabled() ? 0u : 0x100u); },                 \
      [](auto& g, uint32_t v) { g.settings_.Flags = v & 0xFFu; }, 0u, 0u)
// clang-format on

class Lamp : public rt::UserControl {
public:
    Lamp(rt::Container& c, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, "Lamp", -1, Windowing::Windowless, std::move(stored)) {
        Create();
    }
    VANTREL_PROPERTY_ACCESSORS(LAMP_PROPERTIES)
    uint32_t Flags() const { return settings_.Flags; }

protected:
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }

private:
    static const rt::PropertyTable<Lamp>& Properties();
    struct Settings {
        VANTREL_PROPERTY_FIELDS(LAMP_PROPERTIES)
    } settings_;
};
VANTREL_PROPERTY_TABLE(Lamp, LAMP_PROPERTIES)

static_assert(std::is_same_v<decltype(std::declval<const Dial&>().Level()), int16_t>);
static_assert(std::is_same_v<decltype(std::declval<const Dial&>().Note()), const std::string&>);

class DialForm : public rt::Form {
public:
    DialForm() : Form("DialForm") { BorderStyle(rt::vbBSNone); }
};

struct PropertyList : ::testing::Test {
    void SetUp() override { form = &rt::Load<DialForm>(); }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    DialForm* form = nullptr;
};

TEST_F(PropertyList, FieldsStartAtTheirReadDefaults) {
    DialFields f;
    EXPECT_EQ(f.Level, 3);
    EXPECT_EQ(f.Needle, 0xFFu) << "the read default, not the write default";
    EXPECT_EQ(f.Note, "none");
    EXPECT_EQ(f.Turns, 1);
    EXPECT_EQ(f.ToolTipText, "tip");
}

TEST_F(PropertyList, SettersStoreMarkAndRepaintAsTheirLineSays) {
    Dial dial(*form);
    EXPECT_EQ(dial.Level(), 3);
    EXPECT_EQ(dial.Needle(), 0xFFu);
    dial.repaints = 0;
    dial.Level(7);
    EXPECT_EQ(dial.Level(), 7);
    EXPECT_EQ(dial.repaints, 1);
    dial.Note("kept");
    EXPECT_EQ(dial.Note(), "kept");
    EXPECT_EQ(dial.repaints, 1) << "Store does not repaint";
    dial.Turns(-4);
    EXPECT_EQ(dial.Turns(), 1) << "the control's own setter";
    EXPECT_EQ(dial.repaints, 2);
    dial.Tip("hint");
    const int passed = dial.passed;
    dial.Caption("c");
    EXPECT_EQ(dial.Caption(), "c");
    EXPECT_EQ(dial.passed, passed + 1) << "passed on to where it lives";
    EXPECT_EQ(dial.repaints, 2);
    EXPECT_EQ(dial.ChangedProperties(),
              (std::vector<std::string>{"Level", "Note", "Turns", "ToolTipText", "Caption"}));
}

TEST_F(PropertyList, TheRowsKeepTheListsOrderNamesAndDefaults) {
    Dial fresh(*form);
    EXPECT_EQ(fresh.SaveProperties().Dump(), "Needle = Long 255\n")
        << "only what differs from its write default";

    fresh.Level(-2);
    fresh.Needle(0x8000000Fu);
    fresh.Note("n");
    fresh.Turns(4);
    fresh.Tip("t");
    fresh.Caption("c");
    fresh.BackColor(0x010203u);
    const rt::PropertyBag saved = fresh.SaveProperties();
    EXPECT_EQ(saved.Dump(),
              "Level = Long -2\nNote = String \"n\"\nTurns = Long 4\nToolTipText = String \"t\"\n"
              "Caption = String \"c\"\nBackColor = Long 66051\n");

    Dial read(*form, std::make_shared<const rt::PropertyBag>(saved));
    EXPECT_EQ(read.Level(), -2);
    EXPECT_EQ(read.Needle(), 0xFFu) << "absent: its read default";
    EXPECT_EQ(read.Note(), "n");
    EXPECT_EQ(read.Turns(), 4);
    EXPECT_EQ(read.Tip(), "t");
    EXPECT_EQ(read.Caption(), "c");
    EXPECT_EQ(read.passed, 1) << "read through the row's setter";
    EXPECT_EQ(read.BackColor(), 0x010203u);
    EXPECT_TRUE(read.ChangedProperties().empty()) << "reading goes past the setters";
}

TEST_F(PropertyList, LinesCarryTheirRowsOptions) {
    Gauge fresh(*form);
    EXPECT_EQ(fresh.Level(), 5) << "the default for new controls";
    EXPECT_EQ(fresh.Needle(), 7u) << "kept";
    EXPECT_EQ(fresh.SaveProperties().Dump(), "Level = Long 5\nNeedle = Long 7\n");

    Gauge empty(*form, std::make_shared<const rt::PropertyBag>());
    EXPECT_EQ(empty.Level(), 3);
    EXPECT_EQ(empty.Needle(), 0xFFu);
    EXPECT_EQ(empty.SaveProperties().Dump(), "Needle = Long 255\n") << "one default, or a read and a write";

    Gauge read(*form, std::make_shared<const rt::PropertyBag>(
                          rt::PropertyBag{{"Note", rt::Picture()}, {"Needle", 9u}}));
    EXPECT_EQ(read.Note(), "none") << "a note that does not convert is passed over";
    EXPECT_EQ(read.Needle(), 9u) << "and the rows after it are still read";
}

// Lines that carry row options after their one default or their two, and a property stored under
// a key of its own.
// clang-format off
#define METER_PROPERTIES(X)                                                                             \
    X(Set, int16_t, Scale, int16_t{1}, rt::ForNew(int16_t{5}))                                          \
    X(Store, bool, Lit, false, rt::kAlwaysWritten, rt::OnlyWhen([](auto& g) { return g.Scale() > 0; })) \
    X(Keyed, uint32_t, Tint, "TNT", 7u, rt::kAlwaysWritten)
// clang-format on

class Meter : public rt::UserControl {
public:
    Meter(rt::Container& c, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, "Meter", -1, Windowing::Windowless, std::move(stored)) {
        Create();
    }
    VANTREL_PROPERTY_ACCESSORS(METER_PROPERTIES)
    void Tint(uint32_t v) { Set(settings_.Tint, v, "TNT"); }

protected:
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }

private:
    static const rt::PropertyTable<Meter>& Properties();
    struct Settings {
        VANTREL_PROPERTY_FIELDS(METER_PROPERTIES)
    } settings_;
};
VANTREL_PROPERTY_TABLE(Meter, METER_PROPERTIES)

TEST_F(PropertyList, RowOptionsFollowTheDefaultsAndAKeyFollowsTheName) {
    Meter fresh(*form);
    EXPECT_EQ(fresh.Scale(), 5) << "the default for new controls";
    EXPECT_EQ(fresh.Tint(), 7u);
    EXPECT_EQ(fresh.SaveProperties().Dump(), "Scale = Long 5\nLit = Boolean False\nTNT = Long 7\n");

    Meter empty(*form, std::make_shared<const rt::PropertyBag>());
    EXPECT_EQ(empty.Scale(), 1) << "an empty bag gives the read default";
    EXPECT_EQ(empty.SaveProperties().Dump(), "Lit = Boolean False\nTNT = Long 7\n") << "always written";

    // Without a scale above 0 Lit is neither read nor written; the tint is read under its key only.
    Meter off(*form, std::make_shared<const rt::PropertyBag>(
                         rt::PropertyBag{{"Scale", int16_t{-1}}, {"Lit", true}, {"Tint", 3u}, {"TNT", 9u}}));
    EXPECT_FALSE(off.Lit());
    EXPECT_EQ(off.Tint(), 9u);
    EXPECT_EQ(off.SaveProperties().Dump(), "Scale = Long -1\nTNT = Long 9\n");
    off.Scale(2);
    off.Lit(true);
    off.Tint(4);
    EXPECT_EQ(off.SaveProperties().Dump(), "Scale = Long 2\nLit = Boolean True\nTNT = Long 4\n");
    EXPECT_EQ(off.ChangedProperties(), (std::vector<std::string>{"Scale", "Lit", "TNT"}));
}

TEST_F(PropertyList, FieldViaLinesAndConditions) {
    Lamp fresh(*form);
    EXPECT_EQ(fresh.Scale(), 5) << "a new control's default";
    EXPECT_EQ(fresh.SaveProperties().Dump(), "Scale = Long 5\n") << "always written";
    fresh.Zoom(3);
    fresh.Enabled(false);
    EXPECT_EQ(fresh.SaveProperties().Dump(), "Scale = Long 5\nZoom = Long 3\nFlags = Long 256\n");

    // Zoom is read only while Scale is above 1; Flags is read through its row's setter.
    Lamp read(*form, std::make_shared<const rt::PropertyBag>(
                          rt::PropertyBag{{"Scale", int32_t{1}}, {"Zoom", int32_t{7}}, {"Flags", 0x1203u}}));
    EXPECT_EQ(read.Scale(), 1) << "read, not the new control's default";
    EXPECT_EQ(read.Zoom(), 0);
    EXPECT_EQ(read.Flags(), 3u);
    EXPECT_EQ(read.SaveProperties().Dump(), "Scale = Long 1\nFlags = Long 3\n");
}

}  // namespace
