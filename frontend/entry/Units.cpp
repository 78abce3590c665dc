#include "Units.h"

#include <algorithm>
#include <array>
#include <optional>

namespace truvex {
namespace {

struct UnitToken {
    std::string_view token;
    std::string_view english;
    std::string_view si;
    std::string_view other;
    long double factor;  // SI value to English value
};

constexpr std::array<UnitToken, 10> Tokens{{
    {"F", "lbs", "kN", "F", 224.8089237L},
    {"F1", "kips", "kN", "F", 0.2248089237L},
    {"F2", "tons", "kN", "F", 0.1124044745L},
    {"L", "in", "m", "L", 39.37007874L},
    {"L1", "in", "mm", "L", 0.03937007874L},
    {"L2", "ft", "m", "L", 3.280839895L},
    {"F4", "lb-sec2/in", "Mg", "M", 5.7101483L},
    {"F5", "sec", "sec", "T", 1.0L},
    {"L3", "rad", "rad", "L", 1.0L},
    {"F6", "slug", "Mg", "F", 68.364249L},
}};

const UnitToken& FindToken(std::string_view token)
{
    for (const UnitToken& entry : Tokens)
        if (entry.token == token)
            return entry;
    return Tokens[0];
}

std::string_view TokenName(const UnitToken& token, int system)
{
    switch (ClampUnitSystem(system)) {
    case UnitsEnglish: return token.english;
    case UnitsSI: return token.si;
    default: return token.other;
    }
}

bool IsForceIndex(char c) { return c == '0' || c == '1' || c == '2' || c == '4' || c == '5' || c == '6'; }
bool IsLengthIndex(char c) { return c >= '0' && c <= '3'; }

// The token that starts `text` ("F", "F1" ... "L3"), or nothing; "F0" and "L0"
// count as "F" and "L". `length` receives the characters it spans.
std::optional<std::string> TokenAt(std::string_view text, std::size_t& length)
{
    if (text.empty() || (text[0] != 'F' && text[0] != 'L'))
        return std::nullopt;
    const bool force = text[0] == 'F';
    length = 1;
    std::string token(1, text[0]);
    if (text.size() > 1 && (force ? IsForceIndex(text[1]) : IsLengthIndex(text[1]))) {
        length = 2;
        if (text[1] != '0')
            token += text[1];
    }
    return token;
}

long double Power(long double base, int exponent)
{
    long double result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

// g(group): (force factor)^a * (length factor)^c for a group of at most one
// force part, a separator and at most one length part.
long double GroupFactor(std::string_view text)
{
    long double result = 1;
    std::size_t length = 0;
    if (!text.empty() && text[0] == 'F') {
        const std::string token = *TokenAt(text, length);
        int exponent = 1;
        if (text.size() > length + 1 && text[length] == '^' && text[length + 1] >= '0' && text[length + 1] <= '9') {
            exponent = text[length + 1] - '0';
            length += 2;
        }
        result *= Power(FindToken(token).factor, exponent);
        text.remove_prefix(std::min(text.size(), length + 1));  // the token and its separator
    }
    if (!text.empty() && text[0] == 'L') {
        const std::string token = *TokenAt(text, length);
        int exponent = 1;
        if (text.size() > length + 1 && text[length] == '^' && text[length + 1] >= '0' && text[length + 1] <= '9')
            exponent = text[length + 1] - '0';
        result *= Power(FindToken(token).factor, exponent);
    }
    return result;
}

// Replaces the first occurrence of `from` in `text`, or every one.
bool Replace(std::string& text, std::string_view from, std::string_view to, bool all)
{
    bool replaced = false;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
        replaced = true;
        if (!all)
            break;
    }
    return replaced;
}

}  // namespace

int ClampUnitSystem(int system)
{
    return system < UnitsEnglish ? UnitsEnglish : (system > UnitsOther ? UnitsOther : system);
}

std::string UnitText(std::string_view code, int system)
{
    std::string out;
    std::size_t i = 0;
    while (i < code.size()) {
        std::size_t length = 0;
        if (const auto token = TokenAt(code.substr(i), length)) {
            out += TokenName(FindToken(*token), system);
            i += length;
        } else {
            out += code[i++];
        }
    }
    return out;
}

std::string EntryUnitText(std::string_view code, int system)
{
    std::string out(code);
    system = ClampUnitSystem(system);
    if (system == UnitsOther)
        return out;
    const auto name = [system](std::string_view token) { return TokenName(FindToken(token), system); };
    bool done = false;
    for (std::string_view token : {"F6", "F5", "F4", "F2", "F1"})
        if (!done)
            done = Replace(out, token, name(token), false);
    if (!done)
        Replace(out, "F", name("F"), true);
    done = false;
    for (std::string_view token : {"L2", "L1", "L3"})
        if (!done)
            done = Replace(out, token, name(token), false);
    if (!done)
        Replace(out, "L", name("L"), true);
    return out;
}

long double UnitFactor(std::string_view code)
{
    const std::size_t slash = code.find('/');
    if (slash == std::string_view::npos)
        return GroupFactor(code);
    return GroupFactor(code.substr(0, slash)) / GroupFactor(code.substr(slash + 1));
}

long double ConversionFactor(std::string_view code, int fromSystem, int toSystem)
{
    fromSystem = ClampUnitSystem(fromSystem);
    toSystem = ClampUnitSystem(toSystem);
    if (fromSystem == UnitsSI && toSystem == UnitsEnglish)
        return UnitFactor(code);
    if (fromSystem == UnitsEnglish && toSystem == UnitsSI)
        return 1 / UnitFactor(code);
    return 1;
}

}  // namespace truvex
