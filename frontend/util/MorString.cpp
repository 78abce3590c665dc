#include "MorString.h"

#include <charconv>
#include <cmath>
#include <string>

namespace truvex {

std::string FormatGeneral(long double value, int digits)
{
    if (digits < 1)
        digits = 1;
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // Round to the wanted digits once, in scientific form, then lay the
    // digits out; to_chars is exact and ignores the user's locale.
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, digits - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t ePos = text.find('e');
    std::string mantissa(1, text[0]);
    if (ePos > 2)
        mantissa += text.substr(2, ePos - 2);
    int exponent = 0;
    std::string_view exponentText = text.substr(ePos + 1);
    if (!exponentText.empty() && exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < digits) {
        if (exponent >= 0) {
            const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (mantissa.size() <= integerDigits)
                out += mantissa + std::string(integerDigits - mantissa.size(), '0');
            else
                out += mantissa.substr(0, integerDigits) + "." + mantissa.substr(integerDigits);
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
        }
    } else {
        out += mantissa[0];
        if (mantissa.size() > 1)
            out += "." + mantissa.substr(1);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

std::string ToLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && ToLower(a) == ToLower(b);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace truvex
