// Lateral pressure on the wall from the loads placed on the retained
// surface: point loads, line loads parallel to the wall and strip loads.
#pragma once

#include "model.h"

#include <vector>

namespace truvex {

// Lateral pressure (force per area) at `depth` below the top of the wall from
// all surcharge rows together, zero without rows. `freeHeight` must be
// positive: the caller guards a zero free height.
double surchargePressure(const std::vector<SurchargeRow>& rows, double freeHeight, double wallLength, double depth);

}  // namespace truvex
