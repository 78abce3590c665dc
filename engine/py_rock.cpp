// p-y curves of rock for static loading.
//
// Strong rock: a bilinear curve on the rock's shear strength su = qu/2,
// with the initial modulus 2000·su up to 0.0004·b and a slope of 100·su up
// to the ultimate su·b at 0.0024·b; beyond it the rock is taken as broken
// and only the overburden 0.5·γ'·b·z resists, without the p-multiplier.
//
// Weak rock: Reese, L.C. (1997), "Analysis of laterally loaded piles in
// weak rock", Journal of Geotechnical and Geoenvironmental Engineering
// 123(11), 1010-1017: the strength reduction αr from RQD, the ultimate
// resistance pur and the initial modulus Kir growing to three widths into
// the rock, and p = 0.5·pur·(y/yrm)^0.25 beyond the initial line.
//
// Departures, for walls: the depth into rock on the backfill side counts
// from the excavation level on the retained side (H deeper); the average
// strength of a layer below another one is the mean of its top value and
// the value at the curve; p- and y-multipliers scale every point. Neither
// type uses an offset for the earth pressure at the excavation level.
#include "py_rock.h"

#include "run_stop.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace truvex {
namespace {

constexpr std::array<double, kPointsPerSide> kWeakRockFractions = {
    0.0005, 0.001, 0.003, 0.006, 0.009, 0.02, 0.04, 0.06, 0.08, 0.1, 0.25, 0.5, 0.75, 1, 4, 8, 12};

}  // namespace

void generateStrongRock(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const double curveX = layer.curveDepths[k];
        const double su = profile.strength(curveX) / 2;
        if (!(su > 0))
            stopForLayer(layer, "THE COMPRESSIVE STRENGTH OF A STRONG ROCK MUST BE GREATER THAN ZERO");
        const double gamma = profile.averageUnitWeight(curveX);
        const double depth = profile.freeHeight() + curveX;
        const double pMultiplier = profile.pMultiplier(depth);
        const double yMultiplier = profile.yMultiplier(depth);
        const double es = 2000 * su;
        const double y1 = 0.0004 * b;
        const double p1 = es * y1;
        const double pu = su * b;
        const double yu = (pu - p1) / (100 * su) + y1;

        std::array<SideCurve, 2> curves;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, curveX);
            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = pMultiplier;
            curve.yMultiplier = yMultiplier;
            curve.heading = generation.parameterHeading(
                {{side == CurveSide::Excavation ? "DEPTH-EXCAVATION SIDE" : "DEPTH-BACKFILL SIDE  ", labels.length, z},
                 {"DIAM", labels.length, b},
                 {"C", generation.stress(), su}});
            addToHeading(curve, generation.pointHeads(false));
            // Deflections by successive additions of yu/15: the 16th lies at
            // yu up to rounding, on either side of the drop.
            double u = 0;
            for (int i = 0; i < kPointsPerSide; ++i) {
                if (i > 0)
                    u += yu / 15;
                double p = 0.5 * gamma * b * z;
                if (u < y1)
                    p = pMultiplier * es * u;
                else if (u < yu)
                    p = pMultiplier * (p1 + 100 * su * (u - y1));
                curve.points[i] = {yMultiplier * u, p};
            }
        }
        generation.addCurve(layerIndex, curveX, curves[0], curves[1]);
    }
}

void generateWeakRock(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    const double modulus = layer.modulus;   // the rock mass modulus Em
    if (!(modulus > 0))
        stopForLayer(layer, "THE ROCK MASS MODULUS OF A WEAK ROCK MUST BE GREATER THAN ZERO");

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const double curveX = layer.curveDepths[k];
        const double qu = profile.strength(curveX);
        if (k > 0 && qu < 1.0E-10)
            throw RunStop("     --------------------WARNING----------------------\n"
                          "     THE COHESIVE STRENGTH IS 0 FOR ROCK ACCORING TO THE INPUT\n"
                          "     DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN.",
                          true);
        const double krm = profile.e50(curveX);
        if (!(krm > 0))
            stopForLayer(layer, "THE STRAIN FACTOR KRM OF A WEAK ROCK MUST BE GREATER THAN ZERO");
        const double rqd = profile.sixth(curveX);
        if (rqd > 100)
            stopForLayer(layer, "THE RQD OF A WEAK ROCK IS A PERCENTAGE AND MUST NOT EXCEED 100");
        const double gamma = profile.averageUnitWeight(curveX);
        const double depth = profile.freeHeight() + curveX;
        const double pMultiplier = profile.pMultiplier(depth);
        const double yMultiplier = profile.yMultiplier(depth);
        const double alpha = 1 - rqd * 2 / 300;
        const double qa = layerIndex == 0 ? profile.averageStrength(curveX) : 0.5 * (layer.top.strength + qu);
        const double yrm = krm * b;

        std::array<SideCurve, 2> curves;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, curveX);
            const double xr = z - layer.xTop + 1.0E-8;
            const bool nearSurface = xr <= 3 * b;
            const double pur = nearSurface ? alpha * qa * b * (1 + 1.4 * xr / b) : 5.2 * alpha * qa * b;
            const double kir = nearSurface ? modulus * (100 + 400 * xr / (3 * b)) : 500 * modulus;
            const double ya = std::pow(pur / (2 * std::pow(yrm, 0.25) * kir), 4.0 / 3.0);

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = pMultiplier;
            curve.yMultiplier = yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"Qu", generation.stress(), qu},
                                                         {" Eu ", generation.stress(), modulus},
                                                         {"GAMMA AVG", generation.unitWeight(), gamma},
                                                         {"E50", "", krm}});
            addToHeading(curve, generation.pointHeads(false));
            for (int i = 0; i < kPointsPerSide; ++i) {
                const double y = yrm * kWeakRockFractions[static_cast<std::size_t>(i)];
                const double p = y < ya ? kir * y : std::min(0.5 * pur * std::pow(y / yrm, 0.25), pur);
                curve.points[i] = {yMultiplier * y, pMultiplier * p};
            }
        }
        generation.addCurve(layerIndex, curveX, curves[0], curves[1]);
    }
}

}  // namespace truvex
