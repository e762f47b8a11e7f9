// A control's stored properties as one list: a line a property, from which come its field, its
// public getter and setter and its row of the control's PropertyTable (property_table.h). The list
// is a macro of X lines, in the order the bag keeps:
//
//   #define DIAL_PROPERTIES(X)                                          (one line a property)
//       X(Set, int16_t, Value, int16_t{0})            one default for both
//       X(Set, uint32_t, Needle, 0xFFu, 0x8000000Fu)  a read default and a write default
//       X(Store, std::string, Note, "")
//       X(Custom, int16_t, Turns, int16_t{1})
//       X(Set, bool, Lit, false, rt::ForNew(true))    a row option after the defaults
//       X(Via, uint32_t, BackColor, &rt::UserControl::BackColor, &rt::UserControl::BackColor,
//         0xFFFFFFu, 0xFFFFFFu)
//
//   class Dial : public rt::UserControl {
//   public:
//       VANTREL_PROPERTY_ACCESSORS(DIAL_PROPERTIES)
//       void Turns(int16_t v);  // the custom setter: checks v, then Set(settings_.Turns, v, "Turns")
//   protected:
//       void UserControl_InitProperties() override { Properties().InitAll(*this); }  // and Read, Write
//   private:
//       static const rt::PropertyTable<Dial>& Properties();
//       struct Settings {
//           VANTREL_PROPERTY_FIELDS(DIAL_PROPERTIES)
//       } settings_;
//   };
//   VANTREL_PROPERTY_TABLE(Dial, DIAL_PROPERTIES)  // in the .cpp: defines Dial::Properties
//
// The kind of a line says what it makes:
//   Set     a field, the getter, and the setter that stores, marks the property changed and shows
//           the change (UserControl::Set);
//   Store   the same, with a setter that does not show the change (UserControl::Store);
//   Custom  the field and the getter; the control writes the setter (it has more to do);
//   Field   the field only; the control writes getter and setter (their name is not the stored one);
//   Keyed   as Custom, stored under the key that follows the name (a key not the property's name):
//           X(Keyed, int32_t, ButtonType, "BTYPE", int32_t{2});
//   Via     the row only: the value lives elsewhere (the surface, a constituent). After the name
//           come the row's getter and setter and defaults, as for a PropertyTable::Row. The
//           control writes the public pair.
//   Relay   as Via, and the public setter: it passes the value to the row's setter and marks the
//           property changed (the constituent shows it). The type is the setter's parameter; the
//           row's getter and setter are callables, and the control writes the public getter.
//   FieldVia  the field, and the row through the getter and setter after the name, as for Via
//           (what is stored is made of the field and more of the control).
// After the type and the name come the defaults as in a PropertyTable::Row: one, or a read and a
// write default; then, in a line of any kind, the row's options (rt::ForNew, rt::OnlyWhen,
// rt::StoredAs, rt::kPassedOver... of property_table.h):
//       X(Set, int16_t, Scale, int16_t{1}, rt::ForNew(int16_t{4}))  a new dial's is 4, not 1
// A callable in a line takes the control as `auto&` (the fields' struct does not know the
// control) and keeps its commas inside parentheses: a line is a macro's arguments.
// Fields live in one struct, the control's member `settings_`, which the paint code reads; a field
// starts at its read default when that is a value (a default asked of the control leaves it empty
// until the control reads its properties). A getter answers a scalar by value, others by reference.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "runtime/property_table.h"

namespace rt {

// What the getter of a stored property answers.
template <class T>
using StoredValue = std::conditional_t<std::is_scalar_v<T>, T, const T&>;

namespace detail {

// A field's first value: its read default when that is a value of the field's kind.
template <class T, class D, class... W>
T InitialValue(const D& readDefault, const W&...) {
    if constexpr (std::is_same_v<D, T> || (!std::is_class_v<D> && std::is_constructible_v<T, const D&>))
        return T(readDefault);
    else
        return T{};
}

}  // namespace detail

namespace detail {

// Whether a line's arguments after its first default begin with a row option (or are none): the
// line then has one default for both.
template <class... A>
inline constexpr bool kOneDefault = true;
template <class A, class... R>
inline constexpr bool kOneDefault<A, R...> = kIsOption<A>;

}  // namespace detail

// The row of a field, reached through `field` (the control to a reference to the value): one
// default, or a read and a write default, then the row's options.
template <class C, class Field, class D, class... A>
typename PropertyTable<C>::Row FieldRow(const char* name, Field field, D def, A... rest) {
    using T = std::decay_t<std::invoke_result_t<Field, C&>>;
    auto set = [field](C& c, T v) { field(c) = std::move(v); };
    if constexpr (detail::kOneDefault<A...>)
        return {name, field, set, def, def, std::move(rest)...};
    else
        return {name, field, set, def, std::move(rest)...};
}

}  // namespace rt

#define VANTREL_PROPERTY_FIELDS(LIST) LIST(VANTREL_PL_FIELD)
#define VANTREL_PROPERTY_ACCESSORS(LIST) LIST(VANTREL_PL_ACCESSORS)
#define VANTREL_PROPERTY_TABLE(Class, LIST)                                 \
    const ::rt::PropertyTable<Class>& Class::Properties() {                 \
        using Self = Class;                                                 \
        static const ::rt::PropertyTable<Self> table{LIST(VANTREL_PL_ROW)}; \
        return table;                                                       \
    }

// ---- One expansion a kind: the field, the accessors, the row.
#define VANTREL_PL_FIELD(kind, ...) VANTREL_PL_FIELD_##kind(__VA_ARGS__)
#define VANTREL_PL_FIELD_Set(Type, Name, ...) Type Name = ::rt::detail::InitialValue<Type>(__VA_ARGS__);
#define VANTREL_PL_FIELD_Store VANTREL_PL_FIELD_Set
#define VANTREL_PL_FIELD_Custom VANTREL_PL_FIELD_Set
#define VANTREL_PL_FIELD_Field VANTREL_PL_FIELD_Set
#define VANTREL_PL_FIELD_Keyed(Type, Name, Key, ...) VANTREL_PL_FIELD_Set(Type, Name, __VA_ARGS__)
#define VANTREL_PL_FIELD_Via(...)
#define VANTREL_PL_FIELD_Relay(...)
#define VANTREL_PL_FIELD_FieldVia(Type, Name, get, set, ...) VANTREL_PL_FIELD_Set(Type, Name, __VA_ARGS__)

#define VANTREL_PL_ACCESSORS(kind, ...) VANTREL_PL_ACCESSORS_##kind(__VA_ARGS__)
#define VANTREL_PL_GETTER(Type, Name)               \
    ::rt::StoredValue<Type> Name() const noexcept { \
        return settings_.Name;                      \
    }
#define VANTREL_PL_ACCESSORS_Set(Type, Name, ...) \
    VANTREL_PL_GETTER(Type, Name)                 \
    void Name(Type v) {                           \
        Set(settings_.Name, std::move(v), #Name); \
    }
#define VANTREL_PL_ACCESSORS_Store(Type, Name, ...) \
    VANTREL_PL_GETTER(Type, Name)                   \
    void Name(Type v) {                             \
        Store(settings_.Name, std::move(v), #Name); \
    }
#define VANTREL_PL_ACCESSORS_Custom(Type, Name, ...) VANTREL_PL_GETTER(Type, Name)
#define VANTREL_PL_ACCESSORS_Field(...)
#define VANTREL_PL_ACCESSORS_Keyed(Type, Name, ...) VANTREL_PL_GETTER(Type, Name)
#define VANTREL_PL_ACCESSORS_Via(...)
#define VANTREL_PL_ACCESSORS_FieldVia(...)
#define VANTREL_PL_ACCESSORS_Relay(Type, Name, get, set, ...) \
    void Name(Type v) {                                       \
        (set)(*this, std::move(v));                           \
        PropertyChanged(#Name);                               \
    }

#define VANTREL_PL_ROW(kind, ...) VANTREL_PL_ROW_##kind(__VA_ARGS__)
#define VANTREL_PL_ROW_Set(Type, Name, ...) \
    ::rt::FieldRow<Self>(                   \
        #Name, [](Self& c) -> Type& { return c.settings_.Name; }, __VA_ARGS__),
#define VANTREL_PL_ROW_Store VANTREL_PL_ROW_Set
#define VANTREL_PL_ROW_Custom VANTREL_PL_ROW_Set
#define VANTREL_PL_ROW_Field VANTREL_PL_ROW_Set
#define VANTREL_PL_ROW_Keyed(Type, Name, Key, ...) \
    ::rt::FieldRow<Self>(                          \
        Key, [](Self& c) -> Type& { return c.settings_.Name; }, __VA_ARGS__),
#define VANTREL_PL_ROW_Via(Type, Name, ...) ::rt::PropertyTable<Self>::Row(#Name, __VA_ARGS__),
#define VANTREL_PL_ROW_Relay VANTREL_PL_ROW_Via
#define VANTREL_PL_ROW_FieldVia VANTREL_PL_ROW_Via
