// Sand (Reese, Cox and Koop) against its published numbers, and the curve
// shapes of sand and silt.
#include "py_sand_silt.h"
#include "py_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace truvex {
namespace {

using test::generate;
using test::soilLayer;
using test::wallModel;
using test::englishTenFootCut;
using test::WallSetup;

constexpr double kSandPi = 3.1416;
constexpr double kRelative = 1e-9;   // the same formulas evaluated twice
constexpr double kWidth = 0.6;

double radians(double degrees) { return degrees * kSandPi / 180; }

TEST(Sand, FrictionResistanceMatchesPublishedNumbers)
{
    // phi = 35 deg, b = 0.6 m, gamma' = 10 kN/m3. Published to 0.01 kN/m.
    const FrictionTerms terms = frictionTerms(radians(35), kSandPi);
    const double deep = std::min(wedgeResistance(terms, 10, 4, kWidth), flowResistance(terms, 10, 4, kWidth));
    EXPECT_NEAR(deep, 557.33, 0.01);
    EXPECT_NEAR(sandA(4 / kWidth) * deep, 490.45, 0.01);
    EXPECT_NEAR(sandB(4 / kWidth) * deep, 278.67, 0.01);
    EXPECT_DOUBLE_EQ(sandA(4 / kWidth), 0.88);
    EXPECT_DOUBLE_EQ(sandB(4 / kWidth), 0.5);
    // Near the surface the wedge governs.
    EXPECT_NEAR(wedgeResistance(terms, 10, 1, kWidth), 50.22, 0.01);
    EXPECT_LT(wedgeResistance(terms, 10, 1, kWidth), flowResistance(terms, 10, 1, kWidth));
    EXPECT_NEAR(sandA(2.25), (1.48 + 1.23) / 2, 1e-12);
    EXPECT_NEAR(sandB(0.25), (2.14 + 1.83) / 2, 1e-12);
}

TEST(Sand, CurveAtFourMetresReachesPmAtYmAndPuAtYu)
{
    // One sand layer X = 0..16 m (H = 2 m, wall 20 m); a stiff initial line.
    WallSetup setup;
    setup.increments = 40;
    auto model = wallModel(setup, {soilLayer(4, 18, {10, 0, 35, 0, 1e6, 0})});
    const auto points = generate(*model).curves[1].excavation;   // X = 4 m
    EXPECT_NEAR(points[12].y, kWidth / 60, 1e-15);
    EXPECT_NEAR(points[12].p, 278.67, 0.01);
    EXPECT_NEAR(points[15].y, 3 * kWidth / 80, 1e-15);
    EXPECT_NEAR(points[15].p, 490.45, 0.01);
    EXPECT_NEAR(points[16].p, 490.45, 0.01);
}

// The closed-form quantities of the sand curve at one depth.
struct SandReference {
    double pu, pm, ym, yu, m, n, c, yk, es;
};

SandReference sandReference(double phiDegrees, double gamma, double k, double x, double z, double width)
{
    const FrictionTerms terms = frictionTerms(radians(phiDegrees), kSandPi);
    const double ps = std::min(wedgeResistance(terms, gamma, x, width), flowResistance(terms, gamma, x, width));
    SandReference r{};
    r.pu = sandA(z / width) * ps;
    r.pm = sandB(z / width) * ps;
    r.ym = width / 60;
    r.yu = 3 * width / 80;
    r.es = k * x;
    r.m = (r.pu - r.pm) / (r.yu - r.ym);
    r.n = r.pm / (r.m * r.ym);
    r.c = r.pm / std::pow(r.ym, 1 / r.n);
    r.yk = std::pow(r.c / r.es, r.n / (r.n - 1));
    return r;
}

TEST(Sand, AtTheExcavationLevelTheInitialLineEndsAtTheClosedFormYk)
{
    // English units: the first curve lies 0.1 in below the excavation level.
    const WallSetup setup = englishTenFootCut();
    auto model = wallModel(setup, {soilLayer(4, 240, {0.04, 0, 32, 0, 90, 0})});
    const auto points = generate(*model).curves[0].excavation;
    const SandReference r = sandReference(32, 0.04, 90, 0.1, 0.1, 12);
    ASSERT_LT(r.yk, r.ym / 5);   // the spacing starts from yk itself
    EXPECT_NEAR(points[2].y, r.yk, kRelative * r.yk);
    EXPECT_NEAR(points[2].p, r.es * r.yk, kRelative * r.es * r.yk);
    EXPECT_NEAR(points[1].y, r.yk / 2, kRelative * r.yk);
    EXPECT_NEAR(points[6].p, r.c * std::pow(points[6].y, 1 / r.n), kRelative * r.pm);
}

TEST(Sand, InitialLineMeetingTheCurveBeyondYuRescalesYmAndYu)
{
    WallSetup setup;
    setup.increments = 40;
    const double k = 1000;
    auto model = wallModel(setup, {soilLayer(4, 10, {10, 0, 35, 0, k, 0})});
    const auto points = generate(*model).curves[1].excavation;   // X = 2 m
    const SandReference r = sandReference(35, 10, k, 2, 2, kWidth);
    ASSERT_GT(r.yk, r.yu);
    const double yu = r.pu / r.es;
    const double ym = (r.ym / r.yu) * yu;
    EXPECT_NEAR(points[12].y, ym, kRelative * ym);
    EXPECT_NEAR(points[15].y, yu, kRelative * yu);
    EXPECT_NEAR(points[2].y, ym / 10, kRelative * ym);
    EXPECT_NEAR(points[16].p, r.pu, kRelative * r.pu);
    // The straight line keeps the slope m of the unscaled curve.
    EXPECT_NEAR(points[13].p, std::min(r.pm + r.m * (points[13].y - ym), r.es * points[13].y), kRelative * r.pu);
}

TEST(Sand, SheetPileUsesCoulombPassiveWithHalfTheFrictionAngle)
{
    // phi = 30 deg, delta = 15 deg: Kp = 4.977 (tabulated Coulomb value, to 0.001).
    EXPECT_NEAR(coulombPassive(radians(30), radians(15)), 4.977, 0.001);
    WallSetup setup;
    setup.activeWidth = kWidth;
    setup.increments = 40;
    auto model = wallModel(setup, {soilLayer(4, 10, {10, 0, 30, 0, 1e6, 0})});
    const auto curve = generate(*model).curves[1];   // X = 2 m
    for (const auto& [points, z] : {std::pair{curve.excavation, 2.0}, std::pair{curve.backfill, 4.0}}) {
        const double pu = sandA(z / kWidth) * kWidth * coulombPassive(radians(30), radians(15)) * 10 * z;
        EXPECT_NEAR(points[16].p, pu, kRelative * pu) << z;
    }
}

TEST(Sand, OffsetIsTheActivePressureAtTheExcavationLevel)
{
    WallSetup setup;
    setup.excavationStress = 50;
    auto model = wallModel(setup, {soilLayer(4, 10, {10, 0, 30, 0, 1e4, 0})});
    const auto generated = generate(*model);
    const double p0 = 50 * frictionTerms(radians(30), kSandPi).ka * kWidth;
    EXPECT_NEAR(generated.curves[2].excavation[0].p, -p0, 1e-12);
    EXPECT_NEAR(generated.curves[2].backfill[0].p, p0, 1e-12);
}

TEST(Sand, EquivalentDepthUnderAnotherSandLayer)
{
    // Two identical sand layers behave as one: the equivalent depth of the
    // second continues the first, so its first curve resists about as much
    // as the first layer's at the same depth would (the integration of the
    // layer's own resistance agrees with the accumulated curves to 2 %).
    const test::LayerRow sand = {10, 0, 35, 0, 1e5, 0};
    auto layered = wallModel({}, {soilLayer(4, 6, sand), soilLayer(4, 10, sand)});
    auto single = wallModel({}, {soilLayer(4, 10, sand)});
    const auto two = generate(*layered);
    const auto one = generate(*single);
    // Layer 2's first curve lies at X = 4.01 m, the single layer's third
    // curve at X = 4 m.
    EXPECT_NEAR(two.curves[5].excavation[16].p, one.curves[2].excavation[16].p, 0.02 * one.curves[2].excavation[16].p);
}

TEST(Silt, WithoutCohesionStillDiffersFromSand)
{
    // c = 0: pm = 1.5 ps (sand: B ps), pu = A ps at A(x/b).
    auto model = wallModel({}, {soilLayer(5, 10, {9, 0, 30, 0.01, 1e5, 0})});
    const auto points = generate(*model).curves[1].excavation;   // X = 2 m
    const FrictionTerms terms = frictionTerms(radians(30), 4 * std::atan(1.0));
    const double ps = std::min(wedgeResistance(terms, 9, 2, kWidth), flowResistance(terms, 9, 2, kWidth));
    EXPECT_NEAR(points[12].y, kWidth / 60, 1e-15);
    EXPECT_NEAR(points[12].p, 1.5 * ps, kRelative * ps);
    EXPECT_NEAR(points[15].p, sandA(2 / kWidth) * ps, kRelative * ps);
}

struct SiltShapeCase {
    const char* name;
    double cohesion;
    double k;
    int shape;
};

void PrintTo(const SiltShapeCase& c, std::ostream* out) { *out << c.name; }

class SiltShapeTest : public testing::TestWithParam<SiltShapeCase> {};

TEST_P(SiltShapeTest, ShapeFollowsWhereTheInitialLineMeetsTheCurve)
{
    const auto [name, c, k, shape] = GetParam();
    auto model = wallModel({}, {soilLayer(5, 10, {9, c, 30, 0.01, k, 0})});
    const auto points = generate(*model).curves[1].excavation;   // X = 2 m
    const double x = 2;
    const FrictionTerms terms = frictionTerms(radians(30), 4 * std::atan(1.0));
    const double ps = std::min(wedgeResistance(terms, 9, x, kWidth), flowResistance(terms, 9, x, kWidth));
    const double pc = c > 0 ? c * std::min(3 + 9 * x / c + 0.5 * x / kWidth, 9.0) * kWidth : 0.0;
    const double pu = sandA(x / kWidth) * ps;
    const double pm = 1.5 * ps + pc;
    const double ym = kWidth / 60, yu = 3 * kWidth / 80, es = k * x;
    const double m = (pu - pm) / (yu - ym);
    switch (shape) {
    case 1:
        EXPECT_NEAR(points[12].y, ym, 1e-15);
        EXPECT_NEAR(points[12].p, pm, kRelative * pm);
        EXPECT_NEAR(points[15].p, pu, kRelative * pu);
        break;
    case 2: {
        const double y2 = (pm - m * ym) / (es - m);
        EXPECT_NEAR(points[8].y, y2, kRelative * y2);
        EXPECT_NEAR(points[8].p, es * y2, kRelative * pm);
        EXPECT_NEAR(points[11].p, es * y2 + m * (points[11].y - y2), kRelative * pm);
        EXPECT_NEAR(points[14].y, yu, 1e-15);
        EXPECT_NEAR(points[14].p, pu, kRelative * pm);
        EXPECT_NEAR(points[16].y, 1.2 * yu, 1e-15);
        break;
    }
    default: {
        const double y3 = pu / es;
        ASSERT_GE(y3, yu);
        EXPECT_NEAR(points[6].p, es * y3 / 2, kRelative * pu);
        EXPECT_NEAR(points[12].y, y3, kRelative * y3);
        EXPECT_NEAR(points[12].p, pu, kRelative * pu);
        EXPECT_NEAR(points[16].y, 1.2 * y3, kRelative * y3);
        EXPECT_NEAR(points[16].p, pu, kRelative * pu);
        break;
    }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, SiltShapeTest,
                         testing::Values(SiltShapeCase{"parabola", 0, 1e5, 1}, SiltShapeCase{"line_meets_segment", 50, 1e4, 2},
                                         SiltShapeCase{"line_reaches_pu", 10, 1e3, 3}),
                         [](const testing::TestParamInfo<SiltShapeCase>& info) { return std::string(info.param.name); });

TEST(Silt, HeadingNamesTheFrictionPartWithTheOemPhi)
{
    auto model = wallModel({}, {soilLayer(5, 10, {9, 10, 30, 0.01, 1e4, 0})});
    const std::string report = generate(*model).report;
    EXPECT_NE(report.find("Puc         Pu\xED"), std::string::npos);
    EXPECT_NE(report.find("THE SOIL IS A SILT"), std::string::npos);
}

}  // namespace
}  // namespace truvex
