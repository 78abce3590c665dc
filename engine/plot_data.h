// The plot-data file: per case an earth-pressure section, a p-y curve
// section and a results section, numbers only, read back by the front end.
#pragma once

#include "model.h"
#include "text_output.h"
#include "wall_solver.h"

#include <vector>

namespace truvex {

// Earth-pressure points as loads per unit length of wall.
void writePressureSection(TextOutput& plot, const std::vector<PressurePoint>& points);

// One curve of the p-y section. Generated curves are labelled by depth
// (fixed layout); user curves and mixed sets by station (free form).
struct PlotCurve {
    bool labelledByDepth = false;
    double depth = 0;
    int station = 0;
    std::vector<CurvePoint> points;   // p per unit length, not times h
};

void writeCurveSection(TextOutput& plot, int unitsCode, const std::vector<PlotCurve>& curves);

// Stations 0 to n+1 of the solution; `blockCode` tells the reader how many
// cases the file holds.
void writeResultsSection(TextOutput& plot, int blockCode, int unitsCode, const std::vector<StationResult>& stations);

}  // namespace truvex
