// The conversions of field text (numbers of every width, Booleans, the leading number of a text) and
// the text helpers the readers split their lines with, on any text. The conversions must agree with
// each other, raise only type mismatch or overflow, and the number texts must read back.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace {

using fuzz::Check;

// The conversion's value, or the error number it raised (only 6 and 13 are allowed).
template <class T, class F>
bool Convert(F f, T& value, int32_t& error) {
    try {
        value = f();
        return true;
    } catch (const rt::RuntimeError& e) {
        error = e.Number();
        Check(error == rt::errOverflow || error == rt::errTypeMismatch, "a conversion raised another error");
        return false;
    }
}

// A whole-number conversion agrees with the number conversion followed by rounding.
template <class T>
void SameAsRounded(bool numberOk, double number, int32_t numberError, bool ok, T value, int32_t error,
                   T (*round)(double)) {
    if (!numberOk) {
        Check(!ok && error == numberError, "whole number read where the number failed");
        return;
    }
    T rounded{};
    int32_t roundError = 0;
    const bool roundOk = Convert<T>([&] { return round(number); }, rounded, roundError);
    Check(ok == roundOk && (!ok || value == rounded), "whole number differs from the rounded number");
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += separator;
        out += parts[i];
    }
    return out;
}

void Numbers(const std::string& text) {
    double number = 0;
    int32_t numberError = 0;
    const bool numberOk = Convert<double>([&] { return rt::TextToDouble(text); }, number, numberError);
    if (numberOk) Check(std::isfinite(number), "a number that is not finite");

    int16_t i16 = 0;
    int32_t i32 = 0, error = 0;
    uint8_t byte = 0;
    bool ok = Convert<int16_t>([&] { return rt::TextToInt16(text); }, i16, error);
    SameAsRounded<int16_t>(numberOk, number, numberError, ok, i16, error, rt::NumberToInt16);
    ok = Convert<int32_t>([&] { return rt::TextToInt32(text); }, i32, error);
    SameAsRounded<int32_t>(numberOk, number, numberError, ok, i32, error, rt::NumberToInt32);
    ok = Convert<uint8_t>([&] { return rt::TextToByte(text); }, byte, error);
    SameAsRounded<uint8_t>(numberOk, number, numberError, ok, byte, error, rt::NumberToByte);

    float single = 0;
    ok = Convert<float>([&] { return rt::TextToSingle(text); }, single, error);
    if (!numberOk) Check(!ok, "single read where the number failed");
    if (ok)
        Check(std::isfinite(single) && (number == 0 || std::signbit(single) == std::signbit(number)),
              "single");

    bool flag = false;
    ok = Convert<bool>([&] { return rt::TextToBoolean(text); }, flag, error);
    if (numberOk) Check(ok && flag == (number != 0), "Boolean differs from the number");

    const double leading = rt::LeadingNumber(text);
    Check(std::isfinite(leading), "leading number not finite");

    // A number's text reads back to within its 15 digits.
    if (numberOk && std::fabs(number) >= std::numeric_limits<double>::min()) {
        const std::string written = rt::Str(number);
        double back = 0;
        int32_t backError = 0;
        Check(Convert<double>([&] { return rt::TextToDouble(written); }, back, backError),
              "Str does not read back");
        Check(std::fabs(back - number) <= std::fabs(number) * 1e-14, "Str reads back to another number");
    }
}

void TextHelpers(const std::string& text) {
    const std::string upper = rt::UCase(text), lower = rt::LCase(text);
    Check(upper.size() == text.size() && lower.size() == text.size(), "case changed the length");
    Check(rt::EqualsNoCase(upper, text) && rt::EqualsNoCase(lower, text), "case-blind compare");
    Check(rt::UCase(lower) == rt::UCase(upper), "case forms differ");

    // The first byte gives a separator length; the separator is taken from the text after it.
    if (text.size() < 2) return;
    const size_t n = 1 + static_cast<uint8_t>(text[0]) % 4;
    const std::string separator = text.substr(1, n);
    const std::string rest = text.substr(1 + separator.size());
    const std::vector<std::string> parts = rt::Split(rest, separator);
    Check(rest.empty() ? parts.empty() : Join(parts, separator) == rest, "Split and join differ");
    for (const std::string& p : parts)
        Check(p.find(separator) == std::string::npos, "a part holds the separator");
    if (!rest.empty())
        Check(rt::Replace(rest, separator, "|") == Join(parts, "|"), "Replace differs from Split");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Numbers(text);
    TextHelpers(text);
    return 0;
}
