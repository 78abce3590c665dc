// p-y curves of sand and silt for static loading.
//
// Sand: Reese, L.C., Cox, W.R. and Koop, F.D. (1974), "Analysis of laterally
// loaded piles in sand", Proc. 6th Offshore Technology Conference, OTC 2080:
// the ultimate resistance of the wedge near the surface and of the flow
// around the element at depth, the empirical factors A and B, and the curve
// of an initial line, a parabola, a straight line and the ultimate
// resistance. Silt treats a soil with cohesion and friction by adding a clay
// term of Matlock's form to the friction terms of the sand criterion.
//
// Departures from the published criterion, all for walls:
// - a continuous wall (WA/WP below 1.1) resists with the Coulomb passive
//   pressure of a plane wall, wall friction φ/2 in sand and 10° in silt,
//   instead of the wedge and flow resistance;
// - every curve is shifted by p0, the active earth pressure at the
//   excavation level (σvE·Ka·b, less 2c·√Ka·b in silt): taken off on the
//   excavation side, added on the backfill side;
// - a layer below another one uses the equivalent depth of layered soil,
//   found by integrating the layer's own resistance from its surface;
// - when the initial line meets the curve beyond yu, ym and yu are scaled to
//   the initial modulus (the parabola's m, n and C are kept);
// - silt uses 1.5·ps + pc at ym and chooses among three shapes according to
//   where the initial line meets the curve;
// - p- and y-multipliers scale every point.
#include "py_sand_silt.h"

#include "run_stop.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace truvex {
namespace {

constexpr double kRestCoefficient = 0.4;   // K0
constexpr double kSandPi = 3.1416;
const double kSiltPi = 4 * std::atan(1.0);
constexpr double kSiltWallFriction = 0.17453;   // 10 degrees
constexpr double kEnginePi = 3.1416;            // the degree conversion of the input

// Offsets this small are no offset.
constexpr double kSmallestOffset = 0.00001;

double degrees(double radians) { return radians * 180.0 / kEnginePi; }

bool noFriction(double phi) { return std::sin(phi) * std::sin(phi) < 1.0E-10; }

// The curve of the sand criterion: the initial line Es·y up to yk, the
// parabola C·y^(1/n) up to ym, the straight line to (yu, pu), then pu.
struct ReeseCurve {
    double es = 0;
    double pu = 0;
    double pm = 0;
    double ym = 0;
    double yu = 0;
    double m = 0;
    double n = 1;
    double c = 0;
    double yk = 0;
};

ReeseCurve reeseCurve(double es, double pu, double pm, double width, double x, bool slopeMagnitude)
{
    ReeseCurve curve;
    curve.es = es;
    curve.pu = pu;
    curve.pm = pm;
    curve.ym = width / 60;
    curve.yu = 3 * width / 80;
    curve.m = (pu - pm) / (curve.yu - curve.ym);
    if (x > 0) {
        curve.n = pm / ((slopeMagnitude ? std::abs(curve.m) : curve.m) * curve.ym);
        curve.c = pm / std::pow(curve.ym, 1 / curve.n);
        curve.yk = std::pow(curve.c / es, curve.n / (curve.n - 1));
    } else {
        curve.yk = 2 * width;
    }
    return curve;
}

using SidePoints = std::array<CurvePoint, kPointsPerSide>;

// The 17 points of the curve before the multipliers and the offset.
// `siltSpacing` spreads the points evenly when the initial line reaches far
// towards ym.
SidePoints parabolicPoints(ReeseCurve curve, bool siltSpacing)
{
    if (curve.yk > curve.yu) {
        // The initial line meets the curve beyond yu: ym and yu are scaled to
        // the point where it reaches pu.
        curve.ym = (curve.ym / curve.yu) * (curve.pu / curve.es);
        curve.yu = curve.pu / curve.es;
        curve.yk = curve.ym / 10;
    }
    const double ys = (curve.yk > curve.ym || curve.yk > curve.ym / 5) ? curve.ym / 10 : curve.yk;

    std::array<double, kPointsPerSide> y{};
    if (siltSpacing && ys > 0.75 * curve.ym) {
        for (int k = 1; k <= 5; ++k) {
            y[static_cast<std::size_t>(k)] = ys * k / 6;
            y[static_cast<std::size_t>(k + 6)] = ys + (curve.ym - ys) * k / 6;
        }
        y[6] = ys;
    } else {
        y[1] = ys / 2;
        y[2] = ys;
        for (int k = 1; k <= 9; ++k)
            y[static_cast<std::size_t>(k + 2)] = ys + (curve.ym - ys) * k / 10;
    }
    y[12] = curve.ym;
    y[13] = (2 * curve.ym + curve.yu) / 3;
    y[14] = (curve.ym + 2 * curve.yu) / 3;
    y[15] = curve.yu;
    y[16] = 1.2 * curve.yu;

    SidePoints points;
    for (int i = 0; i < kPointsPerSide; ++i) {
        const double yi = y[static_cast<std::size_t>(i)];
        double p = curve.pu;
        if (yi <= curve.yk && yi < curve.ym)
            p = curve.es * yi;
        else if (yi < curve.ym)
            p = curve.c * std::pow(yi, 1 / curve.n);
        else if (yi < curve.yu)
            p = curve.pm + curve.m * (yi - curve.ym);
        points[static_cast<std::size_t>(i)] = {yi, std::min(p, curve.es * yi)};
    }
    return points;
}

// Silt shape 2: the initial line meets the straight segment at y2.
SidePoints lineToSegmentPoints(const ReeseCurve& curve, double y2)
{
    SidePoints points;
    for (int i = 0; i < kPointsPerSide; ++i) {
        static constexpr double kBeyond[] = {1.0, 1.1, 1.2};
        double y = curve.yu * kBeyond[std::max(i - 14, 0)];
        if (i < 8)
            y = y2 * i / 8;
        else if (i < 14)
            y = y2 + (curve.yu - y2) * (i - 8) / 6;
        double p = curve.pu;
        if (y <= y2)
            p = curve.es * y;
        else if (y <= curve.yu)
            p = curve.es * y2 + curve.m * (y - y2);
        points[static_cast<std::size_t>(i)] = {y, std::min(p, curve.es * y)};
    }
    return points;
}

// Silt shape 3: the initial line reaches pu at y3, at or beyond yu.
SidePoints lineToUltimatePoints(const ReeseCurve& curve, double y3)
{
    SidePoints points;
    for (int i = 0; i < kPointsPerSide; ++i) {
        static constexpr double kBeyond[] = {1.0, 1.05, 1.1, 1.15, 1.2};
        const double y = i < 12 ? y3 * i / 12 : y3 * kBeyond[i - 12];
        const double p = y <= y3 ? curve.es * y : curve.pu;
        points[static_cast<std::size_t>(i)] = {y, std::min(p, curve.es * y)};
    }
    return points;
}

SidePoints siltPoints(const ReeseCurve& curve, double x)
{
    if (x <= 0 || (curve.yk >= 0 && curve.yk < curve.ym))
        return parabolicPoints(curve, true);
    const double y2 = (curve.pm - curve.m * curve.ym) / (curve.es - curve.m);
    if (curve.ym <= y2 && y2 < curve.yu)
        return lineToSegmentPoints(curve, y2);
    const double y3 = curve.pu / curve.es;
    if (y3 >= curve.yu)
        return lineToUltimatePoints(curve, y3);
    return parabolicPoints(curve, true);
}

// The depth below its own surface at which a sand (or silt) layer has built
// up the resistance `above` of the layers over it: its resistance per unit
// depth integrated in equal steps down to the transition depth xt, and at
// the deep rate beyond. Silt adds the clay term 3cb + γ'xb + cx/2.
double frictionEquivalentDepth(double above, const FrictionTerms& t, double unitWeight, double width, double z,
                               int steps, bool withClayTerm, double cohesion)
{
    if (!(above > 0))
        return 0.0;
    const double k0 = kRestCoefficient;
    const double tanPhi = std::tan(t.phi);
    const double tanAlpha = std::tan(t.alpha);
    const double c1 = std::tan(t.beta) * (k0 * (tanPhi * std::sin(t.beta) * (1 / std::cos(t.alpha) + 1) - tanAlpha) +
                                          t.kp * tanAlpha);
    const double c2 = t.kp * t.kp * (t.kp + k0 * tanPhi) - t.ka;
    const double xt = (c2 - (t.kp - t.ka)) * width / c1;
    const double dx = xt / steps;
    double sum = 0;
    for (int i = 1; i <= steps; ++i) {
        const double x = i * dx;
        double rate = sandA(x / width) * unitWeight * width * width *
                      (x * (t.kp - t.ka) / width + (x / width) * (x / width) * c1);
        if (withClayTerm)
            rate += 3 * cohesion * width + unitWeight * x * width + 0.5 * cohesion * x;
        const double increment = dx * rate;
        if (sum + increment > above)
            return (i - 1) * dx + dx * (above - sum) / increment;
        sum += increment;
    }
    double deepRate = 0.88 * unitWeight * width * c2 * z;
    if (withClayTerm)
        deepRate += 9 * cohesion * width;
    return xt + (above - sum) / deepRate;
}

// Accumulated resistance of a sand or silt layer: the mean ultimate
// resistance between consecutive curves, and for the last curve its own
// down to the layer's bottom.
void accumulateFrictionLayer(PyGeneration& generation, int layerIndex, int curve, double x, double previousX,
                             double ultimate, double previousUltimate)
{
    const PyLayer& layer = generation.profile().layers()[static_cast<std::size_t>(layerIndex)];
    double amount = 0;
    if (curve > 0)
        amount += 0.5 * (ultimate + previousUltimate) * (x - previousX);
    if (curve == kCurvesPerLayer - 1)
        amount += ultimate * (layer.xBottom - x);
    generation.accumulate(layerIndex, amount);
}

}  // namespace

double sandA(double depthOverWidth)
{
    static constexpr double kAt[] = {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
    static constexpr double kA[] = {2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, 0.9, 0.88, 0.88};
    return tableValue(kAt, kA, depthOverWidth);
}

double sandB(double depthOverWidth)
{
    static constexpr double kAt[] = {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0};
    static constexpr double kB[] = {2.14, 1.83, 1.54, 1.27, 1.05, 0.86, 0.71, 0.53, 0.5, 0.5};
    return tableValue(kAt, kB, depthOverWidth);
}

FrictionTerms frictionTerms(double phi, double pi)
{
    FrictionTerms terms;
    terms.phi = phi;
    terms.alpha = phi / 2;
    terms.beta = pi / 4 + phi / 2;
    terms.ka = std::pow(std::tan(pi / 4 - phi / 2), 2);
    terms.kp = std::pow(std::tan(pi / 4 + phi / 2), 2);
    return terms;
}

double wedgeResistance(const FrictionTerms& t, double unitWeight, double x, double width)
{
    const double k0 = kRestCoefficient;
    const double tanPhi = std::tan(t.phi);
    const double tanBeta = std::tan(t.beta);
    const double tanAlpha = std::tan(t.alpha);
    const double tanBetaLessPhi = std::tan(t.beta - t.phi);
    return unitWeight * x *
           (k0 * x * tanPhi * std::sin(t.beta) / (tanBetaLessPhi * std::cos(t.alpha)) +
            tanBeta / tanBetaLessPhi * (width + x * tanBeta * tanAlpha) +
            k0 * x * tanBeta * (tanPhi * std::sin(t.beta) - tanAlpha) - t.ka * width);
}

double flowResistance(const FrictionTerms& t, double unitWeight, double x, double width)
{
    const double tanBeta = std::tan(t.beta);
    return t.ka * width * unitWeight * x * (std::pow(tanBeta, 8) - 1) +
           kRestCoefficient * width * unitWeight * x * std::tan(t.phi) * std::pow(tanBeta, 4);
}

double coulombPassive(double phi, double delta)
{
    const double root = 1 - std::sqrt(std::sin(phi + delta) * std::sin(phi) / std::cos(delta));
    return std::cos(phi) * std::cos(phi) / (std::cos(delta) * root * root);
}

void generateSand(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    if (!(layer.modulus > 0))
        stopForLayer(layer, "THE MODULUS K MUST BE GREATER THAN ZERO FOR THE P-Y CURVES OF A SAND");
    double equivalentDepth = 0;
    double previousX = 0;
    double previousUltimate = 0;

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const double curveX = layer.curveDepths[k];
        const double phi = profile.friction(curveX);
        const double gamma = profile.averageUnitWeight(curveX);
        if (noFriction(phi))
            stopForLayer(layer, "THE FRICTION ANGLE OF A SAND MUST BE GREATER THAN ZERO");
        if (!(gamma > 0))
            stopForLayer(layer, "THE EFFECTIVE UNIT WEIGHT MUST BE GREATER THAN ZERO FOR THE P-Y CURVES OF A SAND");
        const FrictionTerms terms = frictionTerms(phi, kSandPi);
        const double depth = profile.freeHeight() + curveX;
        const double pMultiplier = profile.pMultiplier(depth);
        const double yMultiplier = profile.yMultiplier(depth);
        double p0 = generation.excavationStress() * terms.ka * b;
        if (p0 < kSmallestOffset)
            p0 = 0;
        if (k == 0 && layerIndex > 0)
            equivalentDepth = frictionEquivalentDepth(generation.resistanceAbove(layerIndex), terms, gamma, b, curveX,
                                                      100, false, 0);

        std::array<SideCurve, 2> curves;
        double ultimateAtExcavation = 0;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, curveX);
            const double x = layerIndex == 0 ? z : (z - layer.xTop) + equivalentDepth;
            const double es = layer.modulus * x;
            const double pst = wedgeResistance(terms, gamma, x, b);
            const double psd = flowResistance(terms, gamma, x, b);
            double ps = std::min(pst, psd);
            if (profile.continuousWall())
                ps = b * coulombPassive(phi, phi / 2) * gamma * z;
            const double a = sandA(z / b);
            const double bFactor = sandB(z / b);
            const double pu = a * ps;
            if (side == CurveSide::Excavation)
                ultimateAtExcavation = pu;
            const SidePoints points = parabolicPoints(reeseCurve(es, pu, bFactor * ps, b, x, false), false);

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = pMultiplier;
            curve.yMultiplier = yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH BELOW GS", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"PHI", "DEG", degrees(phi)},
                                                         {"GAMMA AVG", generation.unitWeight(), gamma},
                                                         {"A", "", a},
                                                         {"B", "", bFactor},
                                                         {"PCT", generation.forcePerLength(), pst},
                                                         {"PCD", generation.forcePerLength(), psd}});
            addToHeading(curve, generation.pointHeads(false));
            for (int i = 0; i < kPointsPerSide; ++i)
                curve.points[i] = transformedPoint(side, points[i].y, points[i].p, pMultiplier, yMultiplier, p0);
        }
        accumulateFrictionLayer(generation, layerIndex, k, curveX, previousX, ultimateAtExcavation, previousUltimate);
        previousX = curveX;
        previousUltimate = ultimateAtExcavation;
        generation.addCurve(layerIndex, curveX, curves[0], curves[1]);
    }
}

void generateSilt(PyGeneration& generation, int layerIndex)
{
    const PyProfile& profile = generation.profile();
    const PyLayer& layer = profile.layers()[static_cast<std::size_t>(layerIndex)];
    const double b = profile.width();
    const auto& labels = generation.labels();
    double equivalentDepth = 0;
    double previousX = 0;
    double previousUltimate = 0;

    for (int k = 0; k < kCurvesPerLayer; ++k) {
        const double curveX = layer.curveDepths[k];
        const double phi = profile.friction(curveX);
        if (noFriction(phi))
            throw RunStop("     WARNING-------The Angle of the slope can not\n"
                          "     be greater than the internal\n"
                          "     friction angle of the sand.",
                          true);
        if (!(layer.modulus > 0))
            stopForLayer(layer, "THE MODULUS K MUST BE GREATER THAN ZERO FOR THE P-Y CURVES OF A SILT");
        const double c = profile.strength(curveX);
        const double gamma = profile.averageUnitWeight(curveX);
        const FrictionTerms terms = frictionTerms(phi, kSiltPi);
        const double depth = profile.freeHeight() + curveX;
        const double pMultiplier = profile.pMultiplier(depth);
        const double yMultiplier = profile.yMultiplier(depth);
        double p0 = generation.excavationStress() * terms.ka * b - 2 * c * std::sqrt(terms.ka) * b;
        if (p0 < kSmallestOffset)
            p0 = 0;
        if (k == 0)
            equivalentDepth = frictionEquivalentDepth(generation.resistanceAbove(layerIndex), terms, gamma, b, curveX, 50,
                                                      true, c);

        std::array<SideCurve, 2> curves;
        double ultimateAtExcavation = 0;
        for (CurveSide side : kSides) {
            const double z = generation.sideDepth(side, curveX);
            const double x = (z - layer.xTop) + equivalentDepth;
            const double es = layer.modulus * x;
            double ps = std::min(wedgeResistance(terms, gamma, x, b), flowResistance(terms, gamma, x, b));
            const double n = c > 0 ? 3 + gamma * x / c + 0.5 * x / b : 0.0;
            double pc = c * std::min(n, 9.0) * b;
            if (profile.continuousWall()) {
                ps = b * coulombPassive(phi, kSiltWallFriction) * gamma * z;
                pc = (2 * c + gamma * z) * b;
            }
            const double a = sandA(x / b);
            const double bFactor = sandB(x / b);
            const double pu = a * ps;
            if (side == CurveSide::Excavation)
                ultimateAtExcavation = pu;
            const SidePoints points = siltPoints(reeseCurve(es, pu, 1.5 * ps + pc, b, x, true), x);

            SideCurve& curve = curves[side == CurveSide::Excavation ? 0 : 1];
            curve.pMultiplier = pMultiplier;
            curve.yMultiplier = yMultiplier;
            curve.heading = generation.parameterHeading({{"DEPTH", labels.length, z},
                                                         {"DIAM", labels.length, b},
                                                         {"PHI", "DEG", degrees(phi)},
                                                         {"GAMMA AVG", generation.unitWeight(), gamma},
                                                         {"A", "", a},
                                                         {"B", "", bFactor},
                                                         {"Puc", generation.forcePerLength(), pc},
                                                         {"Pu\xED", generation.forcePerLength(), ps}});
            addToHeading(curve, generation.pointHeads(false));
            for (int i = 0; i < kPointsPerSide; ++i)
                curve.points[i] = transformedPoint(side, points[i].y, points[i].p, pMultiplier, yMultiplier, p0);
        }
        accumulateFrictionLayer(generation, layerIndex, k, curveX, previousX, ultimateAtExcavation, previousUltimate);
        previousX = curveX;
        previousUltimate = ultimateAtExcavation;
        generation.addCurve(layerIndex, curveX, curves[0], curves[1]);
    }
}

}  // namespace truvex
