// Earth-pressure generation: the lateral pressure of the retained soil on the
// wall, generated from the soil layers, the water tables and the surcharges
// as a triangular (option 2) or trapezoidal (option 3, anchored walls)
// distribution, and handed to the model reading through the pressure file
// "BMWALL.001" in the run's working directory.
#pragma once

#include "model.h"
#include "text_output.h"

#include <filesystem>
#include <vector>

namespace truvex {

inline constexpr const char* kPressureFileName = "BMWALL.001";
inline constexpr int kMaxSoilLayers = 10;
inline constexpr int kMaxWorkingLayers = 21;

// Depths closer than this count as the same depth.
inline constexpr double kDepthTolerance = 0.00001;

// One layer of the working table: an input layer, or a part of one after
// splitting at the excavation level and at the backfill water table.
struct WorkingLayer {
    double thickness = 0;
    double cohesion = 0;       // cohesion, or compressive strength of rock
    double phi = 0;            // friction angle, degrees
    double unitWeight = 0;     // total unit weight
    bool drained = false;
    double kopt = 0;           // optional earth-pressure coefficient, 0 when not given
    double modification = 1;   // modification factor for active pressure
    double ztop = 0;
    bool submerged = false;
    double sigmaV = 0;         // effective vertical stress at the top
    double sqrtKa = 0, ka = 0, sqrtKp = 0, kp = 0;
    double pa1 = 0, pa2 = 0, pa3 = 0, pa4 = 0;
    double z1 = -1000, z2 = -1000;
    double z3 = -0.00001;      // stays so in a layer without a tension zone
    double zc = 0;             // length of the tension-free part of a layer in tension
    double pw1 = 0, pw2 = 0;

    double zbottom() const { return ztop + thickness; }
};

// The working layer table from the input layers, split at the free height
// and at the backfill water table. Throws RunStop for an input layer whose
// bottom is not below its top, and stop 2 for a table longer than
// kMaxWorkingLayers (out of reach of the ten input layers a project holds;
// the table guards its own size all the same).
std::vector<WorkingLayer> splitLayers(const std::vector<SoilLayer>& layers, double freeHeight, double waterDepth);

// Rankine active coefficient for a backfill sloping at `slope` degrees;
// the level-ground value when the slope is zero or not less than phi.
double activeCoefficient(double phiDegrees, double slopeDegrees);

struct GeneratedEarthPressure {
    std::vector<WorkingLayer> layers;
    int excavationLayer = 0;              // 0-based index of the layer whose top is at the free height
    int waterLayer = -1;                  // 0-based index of the layer whose top is at the water table, -1 if none
    int waterFlag = 0;
    double netActiveForce = 0;            // sum of the layer resultants above the excavation level
    double accumulatedActiveForce = 0;    // Fp, from the generated points above the excavation level
    bool trapezoidal = false;             // the trapezoidal diagram replaced the generated totals
    int count = 0;                        // the number of records the reader takes
    std::vector<PressurePoint> records;   // the point records as written, pressures per unit area
};

// Runs the generation for the case: echoes its sections into the report
// (the backfill-slope warning also into the run notes, when given), writes
// the pressure file and leaves the effective vertical stress at the
// excavation level in model.soil.excavationStress. Throws RunStop for the
// fatal conditions.
GeneratedEarthPressure generateEarthPressure(CaseModel& model, TextOutput& report, TextOutput* notes,
                                             const std::filesystem::path& pressureFile);

}  // namespace truvex
