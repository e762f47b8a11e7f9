#include "runtime/convert.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/error_of.h"

using testsupport::ErrorOf;

namespace {

constexpr int kOverflow = rt::errOverflow;
constexpr int kMismatch = rt::errTypeMismatch;

// A text, and either the value it converts to (error 0) or the error it raises.
template <class T>
struct Case {
    const char* text;
    T value;
    int error;
};

template <class T, class F>
void Check(const std::vector<Case<T>>& cases, F convert) {
    for (const Case<T>& c : cases) {
        T got{};
        int err = ErrorOf([&] { got = convert(c.text); });
        EXPECT_EQ(err, c.error) << "text \"" << c.text << "\"";
        if (c.error == 0 && err == 0) {
            EXPECT_EQ(got, c.value) << "text \"" << c.text << "\"";
        }
    }
}

TEST(Conversions, TextToInt16) {
    // clang-format off
    Check<int16_t>(
        {
            {"2.5", 2, 0},       {"3.5", 4, 0},        {"-2.5", -2, 0},
            {"-3.5", -4, 0},     {"0.5", 0, 0},        {"1.5", 2, 0},
            {"2.51", 3, 0},      {"-0.4", 0, 0},       {"7", 7, 0},
            {"  7  ", 7, 0},     {"\t+12\t", 12, 0},   {"-0", 0, 0},
            {"1e3", 1000, 0},    {"1.5E+1", 15, 0},    {"25e-1", 2, 0},
            {".5", 0, 0},        {"5.", 5, 0},         {"007", 7, 0},
            {"32767", 32767, 0}, {"-32768", -32768, 0}, {"-32768.5", -32768, 0},
            {"32767.4", 32767, 0},
            {"32768", 0, kOverflow},   {"32767.5", 0, kOverflow}, {"-32769", 0, kOverflow},
            {"1e10", 0, kOverflow},    {"1e400", 0, kOverflow},
            {"", 0, kMismatch},        {"   ", 0, kMismatch},      {"abc", 0, kMismatch},
            {"12abc", 0, kMismatch},   {"1,5", 0, kMismatch},     {"1 2", 0, kMismatch},
            {"+", 0, kMismatch},       {"-", 0, kMismatch},       {".", 0, kMismatch},
            {"1e", 0, kMismatch},      {"1e+", 0, kMismatch},     {"e5", 0, kMismatch},
            {"- 5", 0, kMismatch},     {"&H10", 0, kMismatch},    {"0x10", 0, kMismatch},
            {"1.2.3", 0, kMismatch},   {"nan", 0, kMismatch},     {"inf", 0, kMismatch},
            {"True", 0, kMismatch},
        },
        rt::TextToInt16);
    // clang-format on
}

TEST(Conversions, TextToInt32) {
    Check<int32_t>(
        {
            {"2147483647", 2147483647, 0},
            {"-2147483648", std::numeric_limits<int32_t>::min(), 0},
            {"-2147483648.5", std::numeric_limits<int32_t>::min(), 0},
            {"2147483646.5", 2147483646, 0},
            {"40000", 40000, 0},
            {" -1.5e3 ", -1500, 0},
            {"2147483648", 0, kOverflow},
            {"2147483647.5", 0, kOverflow},
            {"-2147483649", 0, kOverflow},
            {"", 0, kMismatch},
            {"x", 0, kMismatch},
        },
        rt::TextToInt32);
}

TEST(Conversions, TextToByte) {
    // clang-format off
    Check<uint8_t>(
        {
            {"0", 0, 0},         {"255", 255, 0},      {"254.5", 254, 0},
            {"-0.5", 0, 0},      {" 100 ", 100, 0},    {"0.5", 0, 0},
            {"256", 0, kOverflow}, {"255.5", 0, kOverflow}, {"-1", 0, kOverflow},
            {"-0.6", 0, kOverflow}, {"", 0, kMismatch}, {"ff", 0, kMismatch},
        },
        rt::TextToByte);
    // clang-format on
}

TEST(Conversions, TextToSingle) {
    Check<float>(
        {
            {"1.5", 1.5f, 0},
            {" -0.25 ", -0.25f, 0},
            {"1440", 1440.0f, 0},
            {"3.4e38", 3.4e38f, 0},
            {"-3.4e38", -3.4e38f, 0},
            {"1e-50", 0.0f, 0},
            {"3.5e38", 0, kOverflow},
            {"-1e39", 0, kOverflow},
            {"1e400", 0, kOverflow},
            {"", 0, kMismatch},
            {"1.5f", 0, kMismatch},
            {"abc", 0, kMismatch},
        },
        rt::TextToSingle);
}

TEST(Conversions, TextToDouble) {
    Check<double>(
        {
            {"12.5", 12.5, 0},
            {" -1e-3 ", -0.001, 0},
            {"1.7976931348623157e308", DBL_MAX, 0},
            {"1e-400", 0.0, 0},
            {"0.1", 0.1, 0},
            {"1e309", 0, kOverflow},
            {"-1e309", 0, kOverflow},
            {"1e99999999999999999999", 0, kOverflow},
            {"", 0, kMismatch},
            {"1..2", 0, kMismatch},
        },
        rt::TextToDouble);
}

TEST(Conversions, TextToBoolean) {
    // clang-format off
    Check<bool>(
        {
            {"True", true, 0},   {"TRUE", true, 0},   {"tRuE", true, 0},
            {"False", false, 0}, {"false", false, 0}, {"FALSE", false, 0},
            {"-1", true, 0},     {"1", true, 0},      {"2", true, 0},
            {"0.4", true, 0},    {"0", false, 0},     {"0.0", false, 0},
            {"-0", false, 0},    {" True ", true, 0},
            {"yes", false, kMismatch}, {"", false, kMismatch}, {"Truee", false, kMismatch},
            {"T", false, kMismatch},   {"on", false, kMismatch},
        },
        rt::TextToBoolean);
    // clang-format on
}

TEST(Conversions, LeadingNumberNeverFails) {
    struct LCase {
        const char* text;
        double value;
    };
    // clang-format off
    const LCase cases[] = {
        {"12abc", 12},   {"1 2", 12},       {"1,5", 1},       {"abc", 0},
        {"", 0},         {"   ", 0},        {"1\n2", 12},     {"\t-3.5e2x", -350},
        {"1.2.3", 1.2},  {"12e", 12},       {"12e+", 12},     {"12e-x", 12},
        {"1 e 2", 100},  {"+7", 7},         {"- 4", -4},      {".5", 0.5},
        {"-", 0},        {".", 0},          {"$5", 0},        {"&H10", 0},
        {"1e-400", 0},   {"0012", 12},      {"1\r2", 1},      {"1e400", DBL_MAX},
        {"-1e400", -DBL_MAX},
    };
    // clang-format on
    for (const LCase& c : cases) {
        double got = -999;
        EXPECT_EQ(ErrorOf([&] { got = rt::LeadingNumber(c.text); }), 0) << c.text;
        EXPECT_EQ(got, c.value) << "text \"" << c.text << "\"";
    }
}

TEST(Conversions, NumberToWholeNumbers) {
    EXPECT_EQ(rt::NumberToInt16(2.5), 2);
    EXPECT_EQ(rt::NumberToInt16(-3.5), -4);
    EXPECT_EQ(rt::NumberToInt32(1e9 + 0.5), 1000000000);
    EXPECT_EQ(rt::NumberToByte(255.4), 255);
    EXPECT_EQ(ErrorOf([] { rt::NumberToInt16(32767.5); }), kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::NumberToInt16(std::nan("")); }), kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::NumberToInt32(DBL_MAX); }), kOverflow);
    EXPECT_EQ(ErrorOf([] { rt::NumberToByte(-1); }), kOverflow);
}

TEST(TextHelpers, SplitAndReplace) {
    using V = std::vector<std::string>;
    EXPECT_EQ(rt::Split("t##qk##a##qk##x", "##qk##"), (V{"t", "a", "x"}));
    EXPECT_EQ(rt::Split("t##qk##", "##qk##"), (V{"t", ""}));
    EXPECT_EQ(rt::Split("##qk##", "##qk##"), (V{"", ""}));
    EXPECT_EQ(rt::Split("plain", "##qk##"), (V{"plain"}));
    EXPECT_TRUE(rt::Split("", "#").empty());  // an empty text has no parts at all
    EXPECT_EQ(rt::Split("a#b", ""), (V{"a#b"}));

    EXPECT_EQ(rt::Replace("say #~~#hi#~~#", "#~~#", "\""), "say \"hi\"");
    EXPECT_EQ(rt::Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(rt::Replace("abc", "", "x"), "abc");
}

TEST(TextHelpers, TrimTakesOnlySpacesAtTheEnds) {
    EXPECT_EQ(rt::Trim("  arial.ttf "), "arial.ttf");
    EXPECT_EQ(rt::Trim("a  b"), "a  b");
    EXPECT_EQ(rt::Trim("\tx \t"), "\tx \t");  // tabs are no blanks
    EXPECT_EQ(rt::Trim("   "), "");
    EXPECT_EQ(rt::Trim(""), "");
}

TEST(TextHelpers, LetterCase) {
    EXPECT_EQ(rt::UCase("name.nme 1#x"), "NAME.NME 1#X");
    EXPECT_EQ(rt::LCase("TbRsG.TIB"), "tbrsg.tib");
    EXPECT_TRUE(rt::EqualsNoCase("NAME.NME", "name.nme"));
    EXPECT_TRUE(rt::EqualsNoCase("\xC9t\xE9", "\xE9T\xC9"));  // accented letters of the code page
    EXPECT_FALSE(rt::EqualsNoCase("name", "names"));
    EXPECT_FALSE(rt::EqualsNoCase("a", "b"));
    EXPECT_EQ(rt::UCase("\xD7\xF7\xDF"), "\xD7\xF7\xDF");  // signs and sharp s have no case
}

TEST(TextHelpers, NumbersToText) {
    EXPECT_EQ(rt::Str(int64_t{-1}), "-1");
    EXPECT_EQ(rt::Str(int64_t{32767}), "32767");
    EXPECT_EQ(rt::Str(100.0), "100");
    EXPECT_EQ(rt::Str(-1.5), "-1.5");
    EXPECT_EQ(rt::Str(0.1), "0.1");
    EXPECT_EQ(rt::Str(0.0), "0");
    EXPECT_EQ(rt::Str(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(rt::Str(123456789012345.0), "123456789012345");
    EXPECT_EQ(rt::Str(1e15), "1E+15");
    EXPECT_EQ(rt::Str(0.0001), "0.0001");
    EXPECT_EQ(rt::Str(0.00001), "1E-05");
    EXPECT_EQ(rt::Str(-2.5e-7), "-2.5E-07");
    // Rounding to 15 digits carries into the exponent, and so into the other notation.
    EXPECT_EQ(rt::Str(9999999999999999.0), "1E+16");
    EXPECT_EQ(rt::Str(0.00009999999999999999), "0.0001");
}

}  // namespace
