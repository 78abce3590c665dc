// p-y curves of clays for static loading.
//
// Soft clay: Matlock, H. (1970), "Correlations for design of laterally
// loaded piles in soft clay", Proc. 2nd Offshore Technology Conference,
// OTC 1204. Stiff clay with free water: Reese, L.C., Cox, W.R. and Koop,
// F.D. (1975), "Field testing and analysis of laterally loaded piles in
// stiff clay", OTC 2312. Stiff clay without free water: Welch, R.C. and
// Reese, L.C. (1972), "Laterally loaded behavior of drilled shafts",
// Research Report 3-5-65-89, Center for Highway Research, University of
// Texas at Austin.
//
// Departures from the published criteria, all for walls:
// - the ultimate resistance of a continuous wall (WA/WP below 1.1) is the
//   Rankine passive resistance of a plane wall, (2c + γ'z)·b, whatever the
//   criterion gives;
// - every curve is shifted by p0 = b·(σvE − 2c), the earth pressure already
//   acting at the excavation level: taken off on the excavation side, added
//   on the backfill side;
// - soft clay below another layer uses the equivalent depth of layered
//   soil (the depth at which its own accumulated resistance equals that of
//   the layers above);
// - stiff clay with free water below the first layer averages its strength
//   over its own curve depths only;
// - p- and y-multipliers scale every point.
#include "py_clay.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace truvex {
namespace {

// Deflections below this are treated as zero by the soft-clay curve, which
// has an infinite slope at the origin.
constexpr double kSmallestDeflection = 1.0E-14;

// The earth pressure at the excavation level that the curves start from.
double clayOffset(double width, double excavationStress, double cohesion)
{
    const double p0 = width * (excavationStress - 2 * cohesion);
    return p0 > 1.0E-10 ? p0 : 0.0;
}

// Rankine passive resistance of a plane wall in clay.
double continuousWallResistance(double cohesion, double unitWeight, double z, double width)
{
    return (2 * cohesion + unitWeight * z) * width;
}

// What every clay curve needs at its depth X: the properties at X, used for
// both sides, and the multipliers at H + X.
struct ClayCurveData {
    double x = 0;
    double cohesion = 0;
    double unitWeight = 0;   // average effective unit weight down to X
    double e50 = 0;
    double pMultiplier = 1;
    double yMultiplier = 1;
    double p0 = 0;
};

ClayCurveData clayCurveData(const PyGeneration& generation, const PyLayer& layer, double x)
{
    const PyProfile& profile = generation.profile();
    ClayCurveData data;
    data.x = x;
    data.cohesion = profile.strength(x);
    data.unitWeight = profile.averageUnitWeight(x);
    data.e50 = profile.e50(x);
    if (!(data.e50 > 0))
        stopForLayer(layer, "E50 MUST BE GREATER THAN ZERO TO GENERATE THE P-Y CURVES OF A CLAY");
    const double depth = profile.freeHeight() + x;
    data.pMultiplier = profile.pMultiplier(depth);
    data.yMultiplier = profile.yMultiplier(depth);
    data.p0 = clayOffset(profile.width(), generation.excavationStress(), data.cohesion);
    return data;
}

// ---------------------------------------------------------------------------
// Soft clay

constexpr std::array<double, kPointsPerSide> kSoftClayFractions = {
    0, 0.00025, 0.0025, 0.0075, 0.02, 0.04, 0.06, 0.1, 0.15, 0.225, 0.3, 0.4, 0.5, 0.65, 0.8, 1.0, 1.2};

double softClayUltimate(double cohesion, double unitWeight, double x, double width)
{
    const double n = cohesion > 0 ? 3 + unitWeight * x / cohesion + 0.5 * x / width : 0.0;
    return n <= 9 ? n * cohesion * width : 9 * cohesion * width;
}

// The depth below its own surface at which a soft clay layer has built up
// the resistance `above` of the layers over it: Matlock's resistance grows
// as 3cb + γ'bx + cx/2 down to xr, where it reaches 9cb.
double softClayEquivalentDepth(double above, double cohesion, double unitWeight, double width)
{
    if (!(cohesion > 0))
        return 0.0;   // the layer has no resistance to build up
    const double cb = cohesion * width;
    const double xr = 6 * cb / (unitWeight * width + 0.5 * cohesion);
    const double fr = 3 * cb * xr + unitWeight * width * xr * xr / 2 + cohesion * xr * xr / 4;
    if (above > fr)
        return xr + (above - fr) / (9 * cb);
    const double a = unitWeight * width / 2 + cohesion / 4;
    return (-3 * cb + std::sqrt(9 * cb * cb + 4 * a * above)) / (2 * a);
}

}  // namespace

void generateSoftClay(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    double equivalentDepth = 0;
    double previousX = 0;

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const ClayCurveData d = clayCurveData(generation, layer, layer.curveDepths[k]);
        if (k == 0 && layerIndex > 0)
            equivalentDepth = softClayEquivalentDepth(generation.resistanceAbove(layerIndex), d.cohesion, d.unitWeight, b);
        const double y50 = 2.5 * d.e50 * b;

        std::array<SideCurve, 2> curves;
        double ultimateAtExcavation = 0;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, d.x);
            const double x = layerIndex == 0 ? z : (z - layer.xTop) + equivalentDepth;
            double pu = softClayUltimate(d.cohesion, d.unitWeight, x, b);
            if (profile.continuousWall())
                pu = continuousWallResistance(d.cohesion, d.unitWeight, z, b);
            if (side == CurveSide::Excavation)
                ultimateAtExcavation = pu;

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = d.pMultiplier;
            curve.yMultiplier = d.yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH BELOW GS", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"C", generation.stress(), d.cohesion},
                                                         {"GAMMA AVG", generation.unitWeight(), d.unitWeight},
                                                         {"E50", "", d.e50}});
            addToHeading(curve, generation.pointHeads(true));

            // The secant of the curve at the smallest deflection it resolves.
            const double initialModulus = 0.5 * pu * std::pow(y50 / kSmallestDeflection, 2.0 / 3.0) / y50;
            for (int i = 0; i < kPointsPerSide; ++i) {
                const double y = 8 * y50 * kSoftClayFractions[i];
                double p = pu;
                if (y < kSmallestDeflection)
                    p = initialModulus * y;
                else if (y <= 8 * y50)
                    p = 0.5 * pu * std::cbrt(y / y50);
                curve.points[i] = transformedPoint(side, y, p, d.pMultiplier, d.yMultiplier, d.p0);
                if (i > 0 && curve.points[i].y < kSmallestDeflection)
                    curve.notes[i] = {"     **** WARNING ****", "     DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM",
                                      "     USED A SOIL MODULUS OF " +
                                          formatLine("(E12.4)", initialModulus)};
            }
        }
        if (k > 0)
            generation.accumulate(layerIndex, ultimateAtExcavation * (d.x - previousX));
        previousX = d.x;
        generation.addCurve(layerIndex, d.x, curves[0], curves[1]);
    }
}

// ---------------------------------------------------------------------------
// Stiff clay with free water

double stiffClayAs(double depthOverWidth)
{
    static constexpr double kAt[] = {0, 1, 2, 3, 4, 5};
    static constexpr double kAs[] = {0.223, 0.46, 0.55, 0.59, 0.60, 0.60};
    return tableValue(kAt, kAs, depthOverWidth);
}

double stiffClayAc(double depthOverWidth)
{
    static constexpr double kAt[] = {0, 1, 2, 3};
    static constexpr double kAc[] = {0.20, 0.29, 0.30, 0.30};
    return tableValue(kAt, kAc, depthOverWidth);
}

void generateStiffClayWithFreeWater(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    double previousX = 0;
    double previousCohesion = 0;
    double previousUltimate = 0;
    double cohesionIntegral = 0;   // over the layer's own curve depths

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const ClayCurveData d = clayCurveData(generation, layer, layer.curveDepths[k]);
        double averageCohesion = d.cohesion;
        if (layerIndex == 0) {
            averageCohesion = profile.averageStrength(d.x);
        } else if (k > 0) {
            cohesionIntegral += 0.5 * (d.cohesion + previousCohesion) * (d.x - previousX);
            averageCohesion = cohesionIntegral / (d.x - layer.curveDepths[0]);
        }
        const double y50 = d.e50 * b;

        std::array<SideCurve, 2> curves;
        double ultimateAtExcavation = 0;
        double asAtExcavation = 0;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, d.x);
            const double x = z;
            const double pct = 2 * averageCohesion * b + d.unitWeight * b * x + 2.83 * averageCohesion * x;
            const double pcd = 11 * d.cohesion * b;
            double pc = std::min(pct, pcd);
            if (profile.continuousWall())
                pc = continuousWallResistance(d.cohesion, d.unitWeight, z, b);
            const double as = stiffClayAs(z / b);
            const double ac = stiffClayAc(z / b);
            if (side == CurveSide::Excavation) {
                ultimateAtExcavation = pc;
                asAtExcavation = as;
            }
            const double es = layer.modulus * x;

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = d.pMultiplier;
            curve.yMultiplier = d.yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH BELOW GS", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"C", generation.stress(), d.cohesion},
                                                         {"CAVG", generation.stress(), averageCohesion},
                                                         {"GAMMA AVG", generation.unitWeight(), d.unitWeight},
                                                         {"E50", "", d.e50}});
            curve.heading.push_back("");
            curve.heading.push_back(formatLine("(5X, 'AS =', F8.4, 5X, 'AC =', F8.4)", as, ac));
            addToHeading(curve, generation.pointHeads(true));

            const double asY50 = as * y50;
            const double peak = 0.5 * pc * std::sqrt(6 * as) - 0.411 * pc;
            for (int i = 0; i < kPointsPerSide; ++i) {
                double y = 0;
                if (i <= 12)
                    y = i * 0.5 * as * y50;
                else if (i <= 15)
                    y = (10 + 4 * (i - 13)) * as * y50;
                else
                    y = 200 * as * y50;
                double p = 0;
                if (y <= asY50)
                    p = 0.5 * pc * std::sqrt(y / y50);
                else if (y <= 6 * as * y50)
                    p = 0.5 * pc * std::sqrt(y / y50) - 0.055 * pc * std::pow((y - asY50) / asY50, 1.25);
                else if (y <= 18 * as * y50)
                    p = peak - (0.0625 * pc / y50) * (y - 6 * as * y50);
                else
                    p = peak - 0.75 * pc * as;
                p = std::min(p, es * y);
                curve.points[i] = transformedPoint(side, y, p, d.pMultiplier, d.yMultiplier, d.p0);
            }
        }
        if (k > 0) {
            const double residual = 1.225 * std::sqrt(asAtExcavation) - 0.75 * asAtExcavation - 0.411;
            generation.accumulate(layerIndex, 0.5 * (ultimateAtExcavation + previousUltimate) * residual * (d.x - previousX));
        }
        previousX = d.x;
        previousCohesion = d.cohesion;
        previousUltimate = ultimateAtExcavation;
        generation.addCurve(layerIndex, d.x, curves[0], curves[1]);
    }
}

// ---------------------------------------------------------------------------
// Stiff clay without free water

namespace {

constexpr std::array<double, kPointsPerSide - 2> kWelchReeseFractions = {
    0, 0.00001, 0.00005, 0.0001, 0.0005, 0.001, 0.005, 0.01, 0.025, 0.05, 0.075, 0.1, 0.25, 0.5, 1.0};

}  // namespace

void generateStiffClayWithoutFreeWater(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    double previousX = 0;
    double previousUltimate = 0;

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const ClayCurveData d = clayCurveData(generation, layer, layer.curveDepths[k]);
        const double averageCohesion = profile.averageStrength(d.x);
        const double y50 = 2.5 * d.e50 * b;

        std::array<SideCurve, 2> curves;
        double ultimateAtExcavation = 0;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, d.x);
            const double x = z;
            double pu = std::min(9 * d.cohesion * b,
                                 3 * averageCohesion * b + d.unitWeight * b * x + 0.5 * averageCohesion * x);
            if (profile.continuousWall())
                pu = continuousWallResistance(d.cohesion, d.unitWeight, z, b);
            if (side == CurveSide::Excavation)
                ultimateAtExcavation = pu;

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = d.pMultiplier;
            curve.yMultiplier = d.yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH BELOW GS", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"C", generation.stress(), d.cohesion},
                                                         {"CAVG", generation.stress(), averageCohesion},
                                                         {"GAMMA AVG", generation.unitWeight(), d.unitWeight},
                                                         {"E50", "", d.e50}});
            addToHeading(curve, generation.pointHeads(false));

            for (int i = 0; i < kPointsPerSide; ++i) {
                const double y = i < kPointsPerSide - 2 ? 16 * y50 * kWelchReeseFractions[i]
                                                        : (18 + 2 * (i - (kPointsPerSide - 2))) * y50;
                const double p = y <= 16 * y50 ? 0.5 * pu * std::pow(y / y50, 0.25) : pu;
                curve.points[i] = transformedPoint(side, y, p, d.pMultiplier, d.yMultiplier, d.p0);
            }
        }
        if (k > 0)
            generation.accumulate(layerIndex, 0.5 * (ultimateAtExcavation + previousUltimate) * (d.x - previousX));
        previousX = d.x;
        previousUltimate = ultimateAtExcavation;
        generation.addCurve(layerIndex, d.x, curves[0], curves[1]);
    }
}

}  // namespace truvex
