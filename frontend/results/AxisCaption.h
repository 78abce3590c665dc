// Axis captions of the graphs: unit symbols ("F/L", "L2") turned into the
// unit names of a unit system, and a caption with its units in parentheses.
#pragma once

#include <string>
#include <string_view>

namespace truvex {

// Unit symbols to unit names. In the other unit system (3) the symbols stay.
// Otherwise one force token is replaced ("F2", else "F1", else every "F"),
// then one length token ("L2", else "L1", else every "L"); case-sensitive.
std::string ExpandUnits(std::string_view symbols, int system);

// The caption, followed by " (" unit names ")" when there are symbols.
std::string AxisCaptionText(std::string_view caption, std::string_view symbols, int system);

}  // namespace truvex
