#include "runtime/convert.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/error.h"

namespace rt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The extent of a decimal number at the start of s: sign, digits, one '.', digits, and an
// exponent only when digits follow its letter. Returns 0 when no digit is there.
struct NumberScan {
    size_t length = 0;  // characters taken
    bool negative = false;
    bool nonzero = false;  // some mantissa digit is not 0
    // Decimal magnitude of the leading non-zero digit, without the exponent (123.4 -> 2, 0.05 -> -2).
    int64_t leadMagnitude = 0;
    int64_t exponent = 0;  // saturated
};

NumberScan ScanNumber(std::string_view s) {
    NumberScan r;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        r.negative = s[i] == '-';
        ++i;
    }
    size_t intDigits = 0, fracDigits = 0;
    int64_t intSignificant = 0;  // integer digits from the first non-zero one on
    int64_t fracLeadZeros = 0;   // zeros after the point before the first non-zero digit
    for (; i < s.size() && IsDigit(s[i]); ++i, ++intDigits) {
        if (s[i] != '0') r.nonzero = true;
        if (r.nonzero) ++intSignificant;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        bool seen = r.nonzero;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++fracDigits) {
            if (s[i] != '0') {
                r.nonzero = true;
                seen = true;
            } else if (!seen) {
                ++fracLeadZeros;
            }
        }
    }
    if (intDigits + fracDigits == 0) return NumberScan{};
    r.leadMagnitude = intSignificant > 0 ? intSignificant - 1 : -(fracLeadZeros + 1);
    r.length = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            int64_t e = 0;
            for (; j < s.size() && IsDigit(s[j]); ++j)
                if (e < 100000000) e = e * 10 + (s[j] - '0');
            r.exponent = expNegative ? -e : e;
            r.length = j;
        }
    }
    return r;
}

// Value of a scanned number. Returns false on overflow; an underflow gives (signed) zero.
bool NumberValue(std::string_view s, const NumberScan& scan, double& value) {
    std::string_view body = s.substr(0, scan.length);
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
    double v = 0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (scan.nonzero && scan.leadMagnitude + scan.exponent >= 0) return false;
        v = 0;
    } else if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(v)) {
        return false;
    }
    value = scan.negative ? -v : v;
    return true;
}

// The whole text as a decimal number, blanks around allowed; raises 13 or 6.
double ParseNumber(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    NumberScan scan = ScanNumber(s);
    if (scan.length == 0 || scan.length != s.size()) Raise(errTypeMismatch);
    double v = 0;
    if (!NumberValue(s, scan, v)) Raise(errOverflow);
    return v;
}

double RoundHalfEven(double v) {
    double r = std::round(v);  // halves away from zero
    if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
    return r;
}

template <class T>
T RoundTo(double v) {
    double r = RoundHalfEven(v);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        Raise(errOverflow);
    return static_cast<T>(r);
}

}  // namespace

int16_t NumberToInt16(double value) {
    return RoundTo<int16_t>(value);
}
int32_t NumberToInt32(double value) {
    return RoundTo<int32_t>(value);
}
uint8_t NumberToByte(double value) {
    return RoundTo<uint8_t>(value);
}

int16_t TextToInt16(std::string_view text) {
    return RoundTo<int16_t>(ParseNumber(text));
}
int32_t TextToInt32(std::string_view text) {
    return RoundTo<int32_t>(ParseNumber(text));
}
uint8_t TextToByte(std::string_view text) {
    return RoundTo<uint8_t>(ParseNumber(text));
}

double TextToDouble(std::string_view text) {
    return ParseNumber(text);
}

float TextToSingle(std::string_view text) {
    double v = ParseNumber(text);
    // Values up to half a unit beyond the largest float still round to it; beyond, overflow.
    const double limit = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
    if (std::fabs(v) >= limit) Raise(errOverflow);
    if (std::fabs(v) > static_cast<double>(FLT_MAX)) return v < 0 ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(v);
}

bool TextToBoolean(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    if (EqualsNoCase(s, "True")) return true;
    if (EqualsNoCase(s, "False")) return false;
    return ParseNumber(s) != 0.0;
}

double LeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    NumberScan scan = ScanNumber(s);
    if (scan.length == 0) return 0.0;
    double v = 0;
    // Never fails: a number beyond the double range gives the largest double with its sign.
    if (!NumberValue(s, scan, v)) v = scan.negative ? -DBL_MAX : DBL_MAX;
    return v;
}

std::string Str(int64_t value) {
    return std::to_string(value);
}

// Up to 15 significant digits; plain notation from 0.0001 up to below 1E+15, otherwise
// a mantissa and a signed exponent of at least two digits ("1E+15", "1E-05").
std::string Str(double value) {
    if (value == 0) return "0";
    if (!std::isfinite(value)) return value != value ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);  // correctly rounded, as to_chars would be
    std::string sci(buf);
    size_t epos = sci.find('e');
    std::string mant = sci.substr(0, epos);
    int exp10 = std::stoi(sci.substr(epos + 1));
    bool negative = mant.front() == '-';
    if (negative) mant.erase(0, 1);
    std::string digits;
    for (char c : mant)
        if (IsDigit(c)) digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exp10 >= 15 || exp10 < -4) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exp10 < 0 ? "E-" : "E+";
        std::string e = std::to_string(exp10 < 0 ? -exp10 : exp10);
        if (e.size() < 2) e.insert(0, "0");
        out += e;
    } else if (exp10 < 0) {
        out += "0." + std::string(static_cast<size_t>(-exp10 - 1), '0') + digits;
    } else {
        size_t intLen = static_cast<size_t>(exp10) + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    }
    return out;
}

// Letter case in the Western ANSI code page: ASCII letters and the accented letters of the
// upper half; other bytes stay as they are.
namespace {
unsigned char Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A:
            return 0x8A;
        case 0x9C:
            return 0x8C;
        case 0x9E:
            return 0x8E;
        case 0xFF:
            return 0x9F;
        default:
            return c;
    }
}
unsigned char Lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}
}  // namespace

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    return out;
}

std::string LCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(static_cast<unsigned char>(a[i])) != Lower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::string Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    if (separator.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

std::string Replace(std::string_view text, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (;;) {
        size_t at = text.find(find, start);
        if (at == std::string_view::npos) {
            out.append(text.substr(start));
            return out;
        }
        out.append(text.substr(start, at - start));
        out.append(with);
        start = at + find.size();
    }
}

}  // namespace rt
