#include "runtime/propertybag.h"

#include <cmath>
#include <limits>

#include "runtime/convert.h"
#include "runtime/error.h"

namespace rt {

PropertyBag::Value::Value(const Font& f) {
    FontDesc d;
    d.name = f.Name();
    d.size = f.Size();
    d.bold = f.Bold();
    d.italic = f.Italic();
    d.underline = f.Underline();
    d.strike = f.Strikethrough();
    d.weight = f.Weight();
    d.charset = f.Charset();
    v_ = std::move(d);
}

bool PropertyBag::Value::operator==(const Value& o) const {
    if (v_.index() != o.v_.index()) {
        // A number stored as a whole number equals the same number as floating point.
        const auto* i = std::get_if<int32_t>(&v_);
        const auto* d = std::get_if<double>(&o.v_);
        if (!i || !d) {
            i = std::get_if<int32_t>(&o.v_);
            d = std::get_if<double>(&v_);
        }
        return i && d && static_cast<double>(*i) == *d;
    }
    return std::visit(
        [&](const auto& a) {
            using V = std::decay_t<decltype(a)>;
            const V& b = std::get<V>(o.v_);
            if constexpr (std::is_same_v<V, Picture>)
                return a.SameObject(b) || (a.Empty() && b.Empty());
            else if constexpr (std::is_same_v<V, std::monostate>)
                return true;
            else
                return a == b;
        },
        v_);
}

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, Value>> values) {
    for (const auto& [name, value] : values) WriteProperty(name, value);
}

const PropertyBag::Value* PropertyBag::find(const std::string& name) const {
    for (const auto& e : entries_)
        if (EqualsNoCase(e.first, name)) return &e.second;
    return nullptr;
}

bool PropertyBag::Contains(const std::string& name) const {
    return find(name) != nullptr;
}

std::vector<std::string> PropertyBag::Names() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) out.push_back(e.first);
    return out;
}

bool PropertyBag::operator==(const PropertyBag& o) const {
    if (entries_.size() != o.entries_.size()) return false;
    for (const auto& e : entries_) {
        const Value* other = o.find(e.first);
        if (!other || !(*other == e.second)) return false;
    }
    return true;
}

void PropertyBag::WriteProperty(const std::string& name, const Value& value, const Value& def) {
    if (value == def) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (EqualsNoCase(it->first, name)) {
                entries_.erase(it);
                break;
            }
        return;
    }
    WriteProperty(name, value);
}

void PropertyBag::WriteProperty(const std::string& name, const Value& value) {
    for (auto& e : entries_)
        if (EqualsNoCase(e.first, name)) {
            e.second = value;
            return;
        }
    entries_.emplace_back(name, value);
}

namespace {

// A stored value as a number, with the runtime's conversions (True is -1).
double AsNumber(const std::string& name, const auto& v) {
    using V = std::decay_t<decltype(v)>;
    if constexpr (std::is_same_v<V, int32_t> || std::is_same_v<V, double>)
        return static_cast<double>(v);
    else if constexpr (std::is_same_v<V, bool>)
        return v ? -1.0 : 0.0;
    else if constexpr (std::is_same_v<V, std::string>)
        return TextToDouble(v);
    else
        Raise(errTypeMismatch, name);
}

}  // namespace

int32_t PropertyBag::ReadProperty(const std::string& name, int32_t def) const {
    const Value* v = find(name);
    if (!v) return def;
    if (const auto* i = std::get_if<int32_t>(&v->v_)) return *i;
    return std::visit([&](const auto& x) { return NumberToInt32(AsNumber(name, x)); }, v->v_);
}

int16_t PropertyBag::ReadProperty(const std::string& name, int16_t def) const {
    const Value* v = find(name);
    if (!v) return def;
    return std::visit([&](const auto& x) { return NumberToInt16(AsNumber(name, x)); }, v->v_);
}

uint32_t PropertyBag::ReadProperty(const std::string& name, uint32_t def) const {
    return static_cast<uint32_t>(ReadProperty(name, static_cast<int32_t>(def)));
}

bool PropertyBag::ReadProperty(const std::string& name, bool def) const {
    const Value* v = find(name);
    if (!v) return def;
    if (const auto* b = std::get_if<bool>(&v->v_)) return *b;
    if (const auto* s = std::get_if<std::string>(&v->v_)) return TextToBoolean(*s);
    return std::visit([&](const auto& x) { return AsNumber(name, x) != 0.0; }, v->v_);
}

double PropertyBag::ReadProperty(const std::string& name, double def) const {
    const Value* v = find(name);
    if (!v) return def;
    return std::visit([&](const auto& x) { return AsNumber(name, x); }, v->v_);
}

float PropertyBag::ReadProperty(const std::string& name, float def) const {
    double d = ReadProperty(name, static_cast<double>(def));
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) Raise(errOverflow, name);
    return static_cast<float>(d);
}

std::string PropertyBag::ReadProperty(const std::string& name, const std::string& def) const {
    const Value* v = find(name);
    if (!v) return def;
    return std::visit(
        [&](const auto& x) -> std::string {
            using V = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<V, std::string>)
                return x;
            else if constexpr (std::is_same_v<V, int32_t>)
                return Str(static_cast<int64_t>(x));
            else if constexpr (std::is_same_v<V, double>)
                return Str(x);
            else if constexpr (std::is_same_v<V, bool>)
                return x ? "True" : "False";
            else
                Raise(errTypeMismatch, name);
        },
        v->v_);
}

std::string PropertyBag::ReadProperty(const std::string& name, const char* def) const {
    return ReadProperty(name, std::string(def));
}

PropertyBag::Bytes PropertyBag::ReadProperty(const std::string& name, const Bytes& def) const {
    const Value* v = find(name);
    if (!v) return def;
    if (const auto* b = std::get_if<Bytes>(&v->v_)) return *b;
    if (const auto* s = std::get_if<std::string>(&v->v_)) return Bytes(s->begin(), s->end());
    Raise(errTypeMismatch, name);
}

Font PropertyBag::ReadProperty(const std::string& name, const Font& def) const {
    const Value* v = find(name);
    if (!v) return def;
    const auto* d = std::get_if<Value::FontDesc>(&v->v_);
    if (!d) Raise(errTypeMismatch, name);
    Font f(d->name, d->size, false, d->italic);
    f.Weight(d->weight);
    f.Underline(d->underline);
    f.Strikethrough(d->strike);
    f.Charset(d->charset);
    return f;
}

Picture PropertyBag::ReadProperty(const std::string& name, const Picture& def) const {
    const Value* v = find(name);
    if (!v) return def;
    if (const auto* p = std::get_if<Picture>(&v->v_)) return *p;
    Raise(errTypeMismatch, name);
}

}  // namespace rt
