// What the project file's writer and reader share: the records' table
// columns, the soil parameter positions and the unit conversions that apply
// inside the file.
#pragma once

#include <array>

namespace truvex::format {

// English files hold depths in inches, pressures per inch, unit weights in
// lb/in3 and cohesion in lb/in2, where the tables hold feet and square feet.
inline constexpr long double FeetToInches = 12;
inline constexpr long double CubicFeetPerCubicInch = 1728;
inline constexpr long double SquareInchesPerSquareFoot = 144;
// SI files hold the tieback area in m2, the table mm2.
inline constexpr long double SquareMillimetresPerSquareMetre = 1000000;
// SI surcharge distances and widths of older files are in metres, the
// surcharge table's in millimetres.
inline constexpr long double MillimetresPerMetre = 1000;

// The placeholder of an unused soil position.
inline constexpr const char* Placeholder = "0.0  ";

// Case codes after a case block.
inline constexpr int EndOfFile = 0;
inline constexpr int LongTermFollows = 9;

// The title line of a stage file after the first.
inline constexpr const char* StageTitlePrefix = " Stage No : ";
// What marks the start of a later stage in a staged project file.
inline constexpr const char* StageMarker = " Stage No :";

// Soil types of the soil tables' first column.
inline constexpr int SoilTypeCount = 7;

enum class SoilValue { Unused, Plain, UnitWeight, Cohesion, EarthPressureCoefficient };

struct SoilPosition {
    SoilValue value = SoilValue::Unused;
    int column = -1;  // column of the layer's parameter table
};

using SoilLine = std::array<SoilPosition, 6>;

inline constexpr SoilLine ClayLine{{{SoilValue::UnitWeight, 0}, {SoilValue::Cohesion, 1}, {}, {SoilValue::Plain, 2},
                                    {SoilValue::Plain, 3}, {SoilValue::EarthPressureCoefficient, 4}}};
inline constexpr SoilLine SandLine{{{SoilValue::UnitWeight, 0}, {}, {SoilValue::Plain, 1}, {}, {SoilValue::Plain, 2},
                                    {SoilValue::EarthPressureCoefficient, 3}}};
inline constexpr SoilLine SiltLine{{{SoilValue::UnitWeight, 0}, {SoilValue::Cohesion, 2}, {SoilValue::Plain, 1},
                                    {SoilValue::Plain, 3}, {SoilValue::Plain, 4},
                                    {SoilValue::EarthPressureCoefficient, 5}}};
inline constexpr SoilLine StrongRockLine{{{SoilValue::UnitWeight, 0}, {SoilValue::Plain, 1}, {}, {}, {}, {}}};
inline constexpr SoilLine WeakRockLine{{{SoilValue::UnitWeight, 0}, {SoilValue::Plain, 1}, {}, {SoilValue::Plain, 2},
                                        {SoilValue::Plain, 3}, {SoilValue::Plain, 4}}};

// The six positions of a parameter line for soil type 1 to 7.
constexpr const SoilLine& SoilPositions(int soilType)
{
    switch (soilType) {
    case 1:
    case 2:
    case 3: return ClayLine;
    case 4: return SandLine;
    case 5: return SiltLine;
    case 6: return StrongRockLine;
    default: return WeakRockLine;
    }
}

}  // namespace truvex::format
