// Fills of the soil column: a pattern code of a soil layer turned into a
// brush, either a hatch or a tiled black-on-white pattern picture. Each
// picture motif comes in a screen size and a larger printer size.
#pragma once

#include <QBrush>
#include <QImage>

namespace truvex {

// Pattern codes the plot-data reader gives the soil types.
constexpr int PatternClay = 1;
constexpr int PatternSand = 7;
constexpr int PatternSilt = 8;
constexpr int PatternStrongRock = 9;
constexpr int PatternWeakRock = 10;

// Pattern picture 1 to 14 (odd numbers for the screen, even ones for the
// printer); a null image for any other number.
QImage SoilPatternImage(int number);

// The fill of a pattern code: Qt::NoBrush for codes without a fill.
QBrush SoilPatternBrush(int code, bool forPrinter);

}  // namespace truvex
