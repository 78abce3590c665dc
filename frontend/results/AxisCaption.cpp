#include "AxisCaption.h"

#include "entry/Units.h"

namespace truvex {

namespace {

void replaceAll(std::string& text, std::string_view token, std::string_view name)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + name.size()))
        text.replace(at, token.size(), name);
}

struct TokenNames {
    const char* token;
    const char* english;
    const char* si;
};

// Tried in order: the first token that occurs is the one replaced.
constexpr TokenNames kForceTokens[] = {{"F2", "tons", "kN"}, {"F1", "kips", "kN"}, {"F", "lbs", "kN"}};
constexpr TokenNames kLengthTokens[] = {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L", "in", "m"}};

template <std::size_t N>
void replaceFirstPresent(std::string& text, const TokenNames (&tokens)[N], int system)
{
    for (const TokenNames& names : tokens) {
        if (text.find(names.token) == std::string::npos)
            continue;
        replaceAll(text, names.token, system == UnitsEnglish ? names.english : names.si);
        return;
    }
}

}  // namespace

std::string ExpandUnits(std::string_view symbols, int system)
{
    std::string text(symbols);
    if (ClampUnitSystem(system) == UnitsOther)
        return text;
    replaceFirstPresent(text, kForceTokens, ClampUnitSystem(system));
    replaceFirstPresent(text, kLengthTokens, ClampUnitSystem(system));
    return text;
}

std::string AxisCaptionText(std::string_view caption, std::string_view symbols, int system)
{
    std::string text(caption);
    if (!symbols.empty())
        text += " (" + ExpandUnits(symbols, system) + ")";
    return text;
}

}  // namespace truvex
