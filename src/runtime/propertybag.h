// The property bag: a control's persisted settings, named values read back with a default.
//
//   void UserControl_WriteProperties(rt::PropertyBag& PropBag) override {
//       PropBag.WriteProperty("BackColor", backColor_, 0x8000000Fu);   // not written when equal
//   }
//   void UserControl_ReadProperties(rt::PropertyBag& PropBag) override {
//       backColor_ = PropBag.ReadProperty("BackColor", 0x8000000Fu);   // absent: the default
//   }
//
// A bag authored as data (the design-time settings of an array's member 0):
//   rt::PropertyBag{{"BackColor", 0xFFC0FFu}, {"FontName", "Tahoma"}, {"FontBold", true},
//                   {"Font", rt::Font("Tahoma", 12, true)}}
//
// Names compare without regard to case. A value is converted to the type the reader asks for
// (numbers, Booleans and text between each other with the runtime's rules: True is -1, whole
// numbers round half to even); what does not convert raises 13, a number out of range 6. Fonts are
// stored as descriptions: each read gives a new font object. Pictures are stored by reference.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "runtime/font.h"
#include "runtime/picture.h"

namespace rt {

class PropertyBag {
public:
    using Bytes = std::vector<uint8_t>;

    // One stored value. Colours (OLE colours above 0x7FFFFFFF) are whole numbers with the same bits.
    class Value {
    public:
        Value() = default;
        Value(int32_t v) : v_(v) {}
        Value(int16_t v) : v_(static_cast<int32_t>(v)) {}
        Value(uint32_t v) : v_(static_cast<int32_t>(v)) {}
        Value(long v) : v_(static_cast<int32_t>(v)) {}
        Value(unsigned long v) : v_(static_cast<int32_t>(v)) {}
        Value(double v) : v_(v) {}
        Value(float v) : v_(static_cast<double>(v)) {}
        Value(bool v) : v_(v) {}
        Value(std::string v) : v_(std::move(v)) {}
        Value(const char* v) : v_(std::string(v)) {}
        Value(Bytes v) : v_(std::move(v)) {}
        Value(const Font& f);
        Value(Picture p) : v_(std::move(p)) {}

        bool operator==(const Value& o) const;

    private:
        friend class PropertyBag;
        struct FontDesc {
            std::string name;
            float size = 0;
            bool bold = false, italic = false, underline = false, strike = false;
            int16_t weight = 400, charset = 0;
            bool operator==(const FontDesc&) const = default;
        };
        std::variant<std::monostate, int32_t, double, bool, std::string, Bytes, FontDesc, Picture> v_;
    };

    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<std::string, Value>> values);

    // Reads a value; an absent name gives the default.
    int32_t ReadProperty(const std::string& name, int32_t def) const;
    int16_t ReadProperty(const std::string& name, int16_t def) const;
    uint32_t ReadProperty(const std::string& name, uint32_t def) const;  // colours
    bool ReadProperty(const std::string& name, bool def) const;
    double ReadProperty(const std::string& name, double def) const;
    float ReadProperty(const std::string& name, float def) const;
    std::string ReadProperty(const std::string& name, const std::string& def) const;
    std::string ReadProperty(const std::string& name, const char* def) const;
    Bytes ReadProperty(const std::string& name, const Bytes& def) const;
    Font ReadProperty(const std::string& name, const Font& def) const;  // a new font object
    Picture ReadProperty(const std::string& name, const Picture& def) const;

    // Stores a value under the name; a value equal to the default is not written (and an earlier
    // value of that name is dropped, so reading gives the default again).
    void WriteProperty(const std::string& name, const Value& value, const Value& def);
    void WriteProperty(const std::string& name, const Value& value);

    bool Contains(const std::string& name) const;
    // Names in the order they were first written.
    std::vector<std::string> Names() const;
    size_t Count() const noexcept { return entries_.size(); }
    bool operator==(const PropertyBag& o) const;
    // The bag as text, one "Name = Kind value" line a property in the order written. Unlike ==,
    // it tells a whole number from the same floating-point one and keeps the order: what a saved
    // form of the settings would show. Pictures show their type and pixel size.
    std::string Dump() const;

private:
    const Value* find(const std::string& name) const;
    std::vector<std::pair<std::string, Value>> entries_;
};

}  // namespace rt
