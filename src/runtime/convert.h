// Conversions of field text to values, with the runtime's rules: decimal numbers (sign, fraction,
// exponent, blanks around), whole numbers rounded half to even, overflow (6) and type mismatch (13)
// failures. Also the few number-to-text forms the program needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

int16_t TextToInt16(std::string_view text);
int32_t TextToInt32(std::string_view text);
uint8_t TextToByte(std::string_view text);
float TextToSingle(std::string_view text);
double TextToDouble(std::string_view text);
bool TextToBoolean(std::string_view text);
double LeadingNumber(std::string_view text);  // never fails; 0 when there is no leading number

// A number to the nearest whole number, halves to the even neighbour; raises 6 outside the range.
int16_t NumberToInt16(double value);
int32_t NumberToInt32(double value);
uint8_t NumberToByte(double value);

// Number to text as the runtime writes it (CStr): whole numbers plainly, "-1" for True.
std::string Str(int64_t value);
std::string Str(double value);

// Text helpers that the program uses everywhere (ANSI, single-byte).
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// The runtime's Trim: the text without the blanks (spaces only) at either end.
std::string Trim(std::string_view text);
// The runtime's Split: the texts between separators; an empty text gives none at all.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
std::string Replace(std::string_view text, std::string_view find, std::string_view with);

}  // namespace rt
