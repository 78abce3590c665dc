// Unit labels of the report, chosen once per case from the unit system.
#pragma once

#include "model.h"

#include <string>

namespace truvex {

struct UnitLabels {
    std::string length;        // width 3: " IN", "  M", "  L"
    std::string force;         // width 4: " LBS", "  KN", "   F"
    std::string lengthShort;   // width 2: "IN", " M", " L"
    std::string forceShort;    // width 3: "LBS", " KN", "  F"
};

UnitLabels unitLabels(UnitSystem units);

}  // namespace truvex
