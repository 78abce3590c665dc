#include "units.h"

namespace truvex {

UnitSystem unitSystemFromCode(int code)
{
    switch (code) {
    case 1:
        return UnitSystem::English;
    case 2:
        return UnitSystem::SI;
    default:
        return UnitSystem::Other;
    }
}

UnitLabels unitLabels(UnitSystem units)
{
    switch (units) {
    case UnitSystem::English:
        return {" IN", " LBS", "IN", "LBS"};
    case UnitSystem::SI:
        return {"  M", "  KN", " M", " KN"};
    case UnitSystem::Other:
        break;
    }
    return {"  L", "   F", " L", "  F"};
}

}  // namespace truvex
