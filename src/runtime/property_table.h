// A control's stored properties as one table: a line a property with its stored name, where the
// value lives, the default that reading an absent name gives and the default against which a
// write is left out (the two differ where the control's first version had them differ).
//
//   const rt::PropertyTable<Dial>& Dial::Properties() {
//       auto ambientFont = [](Dial& d) { return d.Ambient().Font; };  // a default asked of the control
//       static const rt::PropertyTable<Dial> table{
//           {"Value", &Dial::value_, int16_t{0}},                  // a member, one default for both
//           {"Needle", &Dial::needle_, 0xFFu, 0x8000000Fu},        // read default, write default
//           {"BackColor", &rt::UserControl::BackColor, &rt::UserControl::BackColor, 0xFFFFFFu, 0xFFFFFFu},
//           {"Font", [](Dial& d) -> rt::Font& { return d.Surface().GetFont(); },
//            [](Dial& d, rt::Font f) { d.Surface().GetFont() = std::move(f); }, ambientFont, ambientFont},
//       };
//       return table;
//   }
//   void UserControl_InitProperties() override { Properties().InitAll(*this); }
//   void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
//   void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
//   void Value(int16_t v) { Set(value_, v, "Value"); }  // stores, marks changed, repaints
//
// A write default of rt::kAlwaysWritten writes the property whatever its value, one of
// rt::kNotWritten makes it read only: WriteAll leaves it out (a second view of a stored value that
// another row writes). A read default of rt::kNotRead makes a property written only: ReadAll and
// InitAll leave it as it is. The one default rt::kNotStored keeps a property out of the bag (an
// object reference the bag cannot hold): WriteAll leaves it out, ReadAll and InitAll set it to its
// empty value (T{}).
//
//   {"Texture", &Dial::texture_, rt::kNotRead, rt::Picture()},    // written, never read back
//   {"Owner", &Dial::owner_, rt::kNotStored},                      // reading makes it none
//   {"Colour", &Dial::faceColour_, 0xFFu, rt::kNotWritten},        // read, the needle's row writes it
//
// Options follow the defaults, in any order:
//   rt::OnlyWhen(condition)         read and written only while the condition on the control holds
//                                   (asked when the row's turn comes, so after the rows above it);
//   rt::WrittenOnlyWhen(condition)  read always, written only while the condition holds;
//   rt::ForNew(default)             what InitAll gives, where a new control differs from reading an
//                                   empty bag: a value, a callable taking the control, or rt::kKept
//                                   (a new control keeps what it has);
//   rt::StoredAs(toStored, toHeld)  stored in another form than held: toStored(held) is what the bag
//                                   gets, toHeld(stored) what the control gets; defaults are in the
//                                   stored form;
//   rt::kPassedOver                 a read that fails (a stored value that does not convert, a
//                                   setter that raises) is passed over and the control keeps its value.
//
//   {"Scale", &Dial::scale_, int32_t{0}, rt::OnlyWhen([](Dial& d) { return d.zoomed_; })},
//   {"Font", fontOf, setFont, fontOf, rt::kAlwaysWritten, rt::WrittenOnlyWhen(notInitialFont)},
//   {"Flags", &Dial::flags_, int32_t{1}, rt::ForNew(int32_t{5})},      // 5 new, 1 from an old bag
//   {"Label", labelText, setLabelText, "Dial", "Dial", rt::ForNew(rt::kKept)},
//   {"Steps", &Dial::steps_, int32_t{10}, rt::StoredAs([](int16_t s) { return int32_t{s} * 10; },
//                                                       [](int32_t v) { return int16_t(v / 10); })},
//
// Where the value lives: a data member of the control (pointer to member), or a getter and a
// setter, given as member functions of the control or of a base class (an overloaded pair such as
// BackColor resolves by itself) or as callables taking the control. A default is a value, or a
// callable that takes the control and answers it when the table reads or writes.
//
// ReadAll goes in table order, straight into the members or through the given setters, without
// the checks of the public setters; WriteAll goes in table order too, which is the order the bag
// keeps; InitAll gives every property its default for new controls, else its read default (what
// reading an empty bag gives), whatever its condition. Values go through the bag as their types
// do (PropertyBag::ReadProperty); a byte (uint8_t) is stored as a whole number and read back with
// an overflow check (6). The public setter of a property is one line (UserControl::Set).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/propertybag.h"

namespace rt {

namespace detail {

template <class T>
T ReadStored(const PropertyBag& bag, const std::string& name, const T& def) {
    if constexpr (std::is_same_v<T, uint8_t>)
        return NumberToByte(bag.ReadProperty(name, int32_t{def}));
    else
        return bag.ReadProperty(name, def);
}

template <class T>
PropertyBag::Value Stored(const T& v) {
    if constexpr (std::is_same_v<T, uint8_t>)
        return PropertyBag::Value(int32_t{v});
    else
        return PropertyBag::Value(v);
}

// A default: a fixed value of the property's type, or asked of the control when needed.
template <class C, class T, class D>
std::function<T(C&)> DefaultOf(D def) {
    if constexpr (std::is_invocable_v<D, C&>)
        return [def](C& c) -> T { return def(c); };
    else
        return [value = static_cast<T>(def)](C&) -> T { return value; };
}

// What a row's options derive from.
struct RowOption {};
template <class O>
inline constexpr bool kIsOption = std::is_base_of_v<RowOption, O>;

}  // namespace detail

// In place of a write default: the property is written whatever its value.
struct AlwaysWritten {};
inline constexpr AlwaysWritten kAlwaysWritten{};
// In place of a write default: the property is read only, never written.
struct NotWritten {};
inline constexpr NotWritten kNotWritten{};
// In place of a read default: the property is written only, never read back.
struct NotRead {};
inline constexpr NotRead kNotRead{};
// As the only default: the property never goes into the bag; reading empties it.
struct NotStored {};
inline constexpr NotStored kNotStored{};

// Row options (see the header comment).
template <class P>
struct OnlyWhen : detail::RowOption {
    explicit OnlyWhen(P p) : holds(std::move(p)) {}
    P holds;
};
template <class P>
struct WrittenOnlyWhen : detail::RowOption {
    explicit WrittenOnlyWhen(P p) : holds(std::move(p)) {}
    P holds;
};
// As ForNew's default: a new control keeps the value it has.
struct Kept {};
inline constexpr Kept kKept{};
template <class D>
struct ForNew : detail::RowOption {
    explicit ForNew(D d) : def(std::move(d)) {}
    D def;
};
template <class ToStored, class ToHeld>
struct StoredAs : detail::RowOption {
    StoredAs(ToStored s, ToHeld h) : toStored(std::move(s)), toHeld(std::move(h)) {}
    ToStored toStored;
    ToHeld toHeld;
};
struct PassedOver : detail::RowOption {};
inline constexpr PassedOver kPassedOver{};

namespace detail {

template <class O>
struct IsCondition : std::false_type {};
template <class P>
struct IsCondition<OnlyWhen<P>> : std::true_type {
    static constexpr bool onRead = true;
};
template <class P>
struct IsCondition<WrittenOnlyWhen<P>> : std::true_type {
    static constexpr bool onRead = false;
};
template <class O>
struct IsForNew : std::false_type {};
template <class D>
struct IsForNew<ForNew<D>> : std::true_type {};
template <class O>
struct IsStoredAs : std::false_type {};
template <class S, class H>
struct IsStoredAs<StoredAs<S, H>> : std::true_type {};

template <class First, class... Rest>
const auto& ConversionAmong(const First& first, const Rest&... rest) {
    if constexpr (IsStoredAs<First>::value)
        return first;
    else
        return ConversionAmong(rest...);
}

}  // namespace detail

template <class C>
class PropertyTable {
public:
    class Row {
    public:
        // A data member with one default, or with a read and a write default.
        template <class T, class D, class... O>
        requires(!std::is_function_v<T> && !detail::kIsOption<D> && (detail::kIsOption<O> && ...))
            Row(const char* name, T C::*member, D def, O... opts)
            : Row(name, member, def, def, std::move(opts)...) {}
        template <class T, class R, class W, class... O>
        requires(!std::is_function_v<T> && !detail::kIsOption<W> && (detail::kIsOption<O> && ...))
            Row(const char* name, T C::*member, R readDef, W writeDef, O... opts)
            : Row(
                  name, [member](C& c) -> const T& { return c.*member; },
                  [member](C& c, T v) { c.*member = std::move(v); }, readDef, writeDef, std::move(opts)...) {}
        // A getter and a setter of the control or of a base class (overloaded names resolve).
        template <class T, class B, class R, class W, class... O>
        requires(!detail::kIsOption<W> && (detail::kIsOption<O> && ...))
            Row(const char* name, T (B::*get)() const, void (B::*set)(T), R readDef, W writeDef, O... opts)
            : Row(
                  name, [get](C& c) { return (c.*get)(); }, [set](C& c, T v) { (c.*set)(std::move(v)); },
                  readDef, writeDef, std::move(opts)...) {}
        // A getter and a setter as callables taking the control.
        template <class Get, class Set, class R, class W, class... O>
        requires(std::is_invocable_v<Get, C&> && !std::is_member_pointer_v<Get> && !detail::kIsOption<W> &&
                 (detail::kIsOption<O> && ...))
            Row(const char* name, Get get, Set set, R readDef, W writeDef, O... opts)
            : name_(name) {
            if constexpr ((detail::IsStoredAs<O>::value || ...)) {
                const auto& conversion = detail::ConversionAmong(opts...);
                Build(
                    name, [get, to = conversion.toStored](C& c) { return to(get(c)); },
                    [set, to = conversion.toHeld](C& c, auto v) { set(c, to(std::move(v))); }, readDef,
                    writeDef, opts...);
            } else {
                Build(name, std::move(get), std::move(set), readDef, writeDef, opts...);
            }
            (Apply(opts), ...);
        }

        const char* Name() const noexcept { return name_; }

    private:
        friend class PropertyTable;

        // The three steps of a property whose stored type is what get answers; set takes that type.
        template <class Get, class Set, class R, class W, class... O>
        void Build(const char* name, Get get, Set set, [[maybe_unused]] R readDef,
                   [[maybe_unused]] W writeDef, const O&... opts) {
            using T = std::decay_t<std::invoke_result_t<Get, C&>>;
            if constexpr (std::is_same_v<R, NotStored> || std::is_same_v<W, NotStored>) {
                static_assert(std::is_same_v<R, W>, "a property kept out of the bag has no other default");
                init_ = [set](C& c) { set(c, T{}); };
                read_ = [set](C& c, const PropertyBag&) { set(c, T{}); };
                write_ = [](C&, PropertyBag&) {};
                return;
            } else {
                if constexpr (std::is_same_v<R, NotRead>) {
                    init_ = [](C&) {};
                    read_ = [](C&, const PropertyBag&) {};
                } else {
                    auto readDefault = detail::DefaultOf<C, T>(readDef);
                    init_ = [set, readDefault](C& c) { set(c, readDefault(c)); };
                    read_ = [name, set, readDefault](C& c, const PropertyBag& bag) {
                        set(c, detail::ReadStored<T>(bag, name, readDefault(c)));
                    };
                }
                if constexpr (std::is_same_v<W, NotWritten>) {
                    write_ = [](C&, PropertyBag&) {};
                } else if constexpr (std::is_same_v<W, AlwaysWritten>) {
                    write_ = [name, get](C& c, PropertyBag& bag) {
                        bag.WriteProperty(name, detail::Stored<T>(get(c)));
                    };
                } else {
                    auto writeDefault = detail::DefaultOf<C, T>(writeDef);
                    write_ = [name, get, writeDefault](C& c, PropertyBag& bag) {
                        bag.WriteProperty(name, detail::Stored<T>(get(c)),
                                          detail::Stored<T>(writeDefault(c)));
                    };
                }
                (InitFor<T>(set, opts), ...);
            }
        }
        // A default for new controls, in the stored form.
        template <class T, class Set, class O>
        void InitFor([[maybe_unused]] const Set& set, [[maybe_unused]] const O& option) {
            if constexpr (std::is_same_v<O, ForNew<Kept>>)
                init_ = [](C&) {};
            else if constexpr (detail::IsForNew<O>::value)
                init_ = [set, def = detail::DefaultOf<C, T>(option.def)](C& c) { set(c, def(c)); };
        }
        // The options that wrap the steps built.
        template <class O>
        void Apply(const O& option) {
            if constexpr (detail::IsCondition<O>::value) {
                auto holds = [p = option.holds](C& c) -> bool { return p(c); };
                if constexpr (detail::IsCondition<O>::onRead)
                    read_ = [holds, read = std::move(read_)](C& c, const PropertyBag& bag) {
                        if (holds(c)) read(c, bag);
                    };
                write_ = [holds, write = std::move(write_)](C& c, PropertyBag& bag) {
                    if (holds(c)) write(c, bag);
                };
            } else if constexpr (std::is_same_v<O, PassedOver>) {
                read_ = [read = std::move(read_)](C& c, const PropertyBag& bag) {
                    Try([&] { read(c, bag); });
                };
            }
        }

        const char* name_;
        std::function<void(C&)> init_;
        std::function<void(C&, const PropertyBag&)> read_;
        std::function<void(C&, PropertyBag&)> write_;
    };

    PropertyTable(std::initializer_list<Row> rows) : rows_(rows) {}

    // Every property to its default for new controls (else what reading an empty bag gives).
    void InitAll(C& c) const {
        for (const Row& r : rows_) r.init_(c);
    }
    void ReadAll(C& c, const PropertyBag& bag) const {
        for (const Row& r : rows_) r.read_(c, bag);
    }
    // A value equal to its write default is left out (see PropertyBag::WriteProperty).
    void WriteAll(C& c, PropertyBag& bag) const {
        for (const Row& r : rows_) r.write_(c, bag);
    }
    const std::vector<Row>& Rows() const noexcept { return rows_; }

private:
    std::vector<Row> rows_;
};

}  // namespace rt
