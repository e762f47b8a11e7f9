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
// A write default of rt::kAlwaysWritten writes the property whatever its value. A read default
// of rt::kNotRead makes a property written only: ReadAll and InitAll leave it as it is. The one
// default rt::kNotStored keeps a property out of the bag (an object reference the bag cannot
// hold): WriteAll leaves it out, ReadAll and InitAll set it to its empty value (T{}).
//
//   {"Texture", &Dial::texture_, rt::kNotRead, rt::Picture()},    // written, never read back
//   {"Owner", &Dial::owner_, rt::kNotStored},                      // reading makes it none
//
// Where the value lives: a data member of the control (pointer to member), or a getter and a
// setter, given as member functions of the control or of a base class (an overloaded pair such as
// BackColor resolves by itself) or as callables taking the control. A default is a value, or a
// callable that takes the control and answers it when the table reads or writes.
//
// ReadAll goes in table order, straight into the members or through the given setters, without
// the checks of the public setters; WriteAll goes in table order too, which is the order the bag
// keeps; InitAll gives every property its read default. Values go through the bag as their types
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

}  // namespace detail

// In place of a write default: the property is written whatever its value.
struct AlwaysWritten {};
inline constexpr AlwaysWritten kAlwaysWritten{};
// In place of a read default: the property is written only, never read back.
struct NotRead {};
inline constexpr NotRead kNotRead{};
// As the only default: the property never goes into the bag; reading empties it.
struct NotStored {};
inline constexpr NotStored kNotStored{};

template <class C>
class PropertyTable {
public:
    class Row {
    public:
        // A data member with one default, or with a read and a write default.
        template <class T, class D>
        requires(!std::is_function_v<T>) Row(const char* name, T C::*member, D def)
            : Row(name, member, def, def) {}
        template <class T, class R, class W>
        requires(!std::is_function_v<T>) Row(const char* name, T C::*member, R readDef, W writeDef)
            : Row(
                  name, [member](C& c) -> const T& { return c.*member; },
                  [member](C& c, T v) { c.*member = std::move(v); }, readDef, writeDef) {}
        // A getter and a setter of the control or of a base class (overloaded names resolve).
        template <class T, class B, class R, class W>
        Row(const char* name, T (B::*get)() const, void (B::*set)(T), R readDef, W writeDef)
            : Row(
                  name, [get](C& c) { return (c.*get)(); }, [set](C& c, T v) { (c.*set)(std::move(v)); },
                  readDef, writeDef) {}
        // A getter and a setter as callables taking the control.
        template <class Get, class Set, class R, class W>
        requires std::is_invocable_v<Get, C&> Row(const char* name, [[maybe_unused]] Get get, Set set,
                                                  [[maybe_unused]] R readDef, [[maybe_unused]] W writeDef)
            : name_(name) {
            using T = std::decay_t<std::invoke_result_t<Get, C&>>;
            if constexpr (std::is_same_v<R, NotStored> || std::is_same_v<W, NotStored>) {
                static_assert(std::is_same_v<R, W>, "a property kept out of the bag has no other default");
                init_ = [set](C& c) { set(c, T{}); };
                read_ = [set](C& c, const PropertyBag&) { set(c, T{}); };
                write_ = [](C&, PropertyBag&) {};
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
                if constexpr (std::is_same_v<W, AlwaysWritten>) {
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
            }
        }

        const char* Name() const noexcept { return name_; }

    private:
        friend class PropertyTable;
        const char* name_;
        std::function<void(C&)> init_;
        std::function<void(C&, const PropertyBag&)> read_;
        std::function<void(C&, PropertyBag&)> write_;
    };

    PropertyTable(std::initializer_list<Row> rows) : rows_(rows) {}

    // Every property to its read default (what reading an empty bag gives).
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
