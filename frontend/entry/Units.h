// Unit systems and unit codes. A value column or entry field carries a short
// unit code ("F/L2^3", "F-L^2", "L2"); this module turns a code into the
// unit text of a unit system and into the factor that converts a value in
// that unit from one unit system to another.
#pragma once

#include <string>
#include <string_view>

namespace truvex {

constexpr int UnitsEnglish = 1;
constexpr int UnitsSI = 2;
constexpr int UnitsOther = 3;

// Unit systems are stored clamped to 1..3.
int ClampUnitSystem(int system);

// Unit text for table headings: every token replaced by its name for the
// system; in the other system the token's plain letter, so that index digits
// disappear ("F/L2^3" reads F/L^3).
std::string UnitText(std::string_view code, int system);

// Unit text for entry fields: the code itself in the other system; in English
// and SI one force token and one length token are replaced by their names.
std::string EntryUnitText(std::string_view code, int system);

// The factor that turns a value in the code's unit from SI into English.
long double UnitFactor(std::string_view code);

// The factor by which a value is multiplied when its unit system changes:
// f(code) from SI to English, 1/f(code) from English to SI, 1 otherwise.
long double ConversionFactor(std::string_view code, int fromSystem, int toSystem);

}  // namespace truvex
