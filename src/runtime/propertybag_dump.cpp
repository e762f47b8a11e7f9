// PropertyBag::Dump in a file of its own: only the tests call it, so the program's exe does not
// link it, nor the floating-point formatting of the standard library that it needs.
#include <charconv>

#include "runtime/propertybag.h"

namespace rt {

std::string PropertyBag::Dump() const {
    std::string out;
    for (const auto& [name, value] : entries_) {
        out += name + " = ";
        std::visit(
            [&](const auto& x) {
                using V = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<V, std::monostate>) {
                    out += "Empty";
                } else if constexpr (std::is_same_v<V, int32_t>) {
                    out += "Long " + std::to_string(x);
                } else if constexpr (std::is_same_v<V, double>) {
                    char buf[32];
                    auto res = std::to_chars(buf, buf + sizeof buf, x);  // shortest exact form
                    out += "Double " + std::string(buf, res.ptr);
                } else if constexpr (std::is_same_v<V, bool>) {
                    out += x ? "Boolean True" : "Boolean False";
                } else if constexpr (std::is_same_v<V, std::string>) {
                    out += "String \"" + x + "\"";
                } else if constexpr (std::is_same_v<V, Bytes>) {
                    out += "Bytes";
                    for (uint8_t b : x) out += " " + std::to_string(b);
                } else if constexpr (std::is_same_v<V, Value::FontDesc>) {
                    char size[32];
                    auto res = std::to_chars(size, size + sizeof size, x.size);
                    out += "Font \"" + x.name + "\" " + std::string(size, res.ptr) + " weight " +
                           std::to_string(x.weight) + " charset " + std::to_string(x.charset) +
                           (x.bold ? " bold" : "") + (x.italic ? " italic" : "") +
                           (x.underline ? " underline" : "") + (x.strike ? " strike" : "");
                } else {
                    out += "Picture";
                    if (!x.Empty())
                        out += " type " + std::to_string(x.Type()) + " " + std::to_string(x.PixelWidth()) +
                               "x" + std::to_string(x.PixelHeight());
                }
            },
            value.v_);
        out += "\n";
    }
    return out;
}

}  // namespace rt
