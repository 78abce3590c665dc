// Text helpers shared by the front end: number text in general format and
// case-insensitive comparisons. Every conversion here is locale-independent.
#pragma once

#include <string>
#include <string_view>

namespace truvex {

// A real in general format with at most `digits` significant digits and "."
// as decimal point: trailing zeros and a trailing point dropped; fixed
// notation when 0.0001 <= |value| < 10^digits, otherwise a mantissa, "E" and
// an exponent that carries a sign only when negative ("1E-5", "1.2345679E8").
std::string FormatGeneral(long double value, int digits);

// The number text of table cells and project files (8 significant digits).
inline std::string FormatNumber(long double value) { return FormatGeneral(value, 8); }

std::string ToLower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace truvex
