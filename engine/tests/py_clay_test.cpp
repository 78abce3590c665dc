// The clay criteria against their published formulas and numbers: soft clay
// (Matlock), stiff clay with free water (Reese, Cox and Koop), stiff clay
// without free water (Welch and Reese); the continuous-wall limit, the
// offset for the earth pressure at the excavation level and the equivalent
// depth of soft clay under another layer.
#include "py_clay.h"
#include "py_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace truvex {
namespace {

using test::generate;
using test::soilLayer;
using test::wallModel;
using test::WallSetup;

// The formulas are evaluated in double precision on both sides: results
// agree to rounding.
constexpr double kRelative = 1e-9;

// SI wall, H = 2 m, b = 0.6 m, one layer from the excavation level down 8 m:
// curves at X = 0.01, 2, 4, 6 and 7.99 m.
constexpr double kWidth = 0.6;

TEST(SoftClay, MatchesMatlockPublishedNumbers)
{
    // gamma' = 8 kN/m3, c = 20 kPa, e50 = 0.02, b = 0.6 m: y50 = 0.030 m,
    // pu = 65.6 kN/m at 2 m and 9cb = 108 kN/m at 6 m.
    const auto model = wallModel({}, {soilLayer(1, 10, {8, 20, 0, 0.02, 0, 0})});
    const auto generated = generate(*model);
    ASSERT_EQ(generated.curves.size(), 5u);
    const double y50 = 0.030;
    const std::pair<int, double> cases[] = {{1, 65.6}, {3, 108.0}};
    for (const auto& [index, pu] : cases) {
        const auto& points = generated.curves[static_cast<std::size_t>(index)].excavation;
        EXPECT_EQ(points[0].y, 0.0);
        EXPECT_EQ(points[0].p, 0.0);
        for (int i = 1; i < 15; ++i) {
            EXPECT_NEAR(points[i].p, 0.5 * pu * std::cbrt(points[i].y / y50), kRelative * pu) << i;
            EXPECT_LT(points[i].p, pu);
        }
        EXPECT_NEAR(points[15].y, 8 * y50, 1e-12);
        EXPECT_NEAR(points[15].p, pu, kRelative * pu);
        EXPECT_NEAR(points[16].y, 9.6 * y50, 1e-12);
        EXPECT_NEAR(points[16].p, pu, kRelative * pu);
    }
    EXPECT_DOUBLE_EQ(generated.curves[1].depth, 4.0);
}

TEST(SoftClay, VerySmallDeflectionsUseTheInitialModulusAndWarn)
{
    // e50 so small that y50 is below 1E-14: the second point lies on the
    // initial modulus, the secant of the curve at 1E-14.
    auto tiny = wallModel({}, {soilLayer(1, 10, {8, 20, 0, 1e-14, 0, 0})});
    auto generated = generate(*tiny);
    const double y50 = 2.5 * 1e-14 * kWidth;
    const auto& points = generated.curves[1].excavation;
    const double pu = 65.6;
    const double initialModulus = 0.5 * pu * std::pow(y50 / 1e-14, 2.0 / 3.0) / y50;
    EXPECT_NEAR(points[1].p, initialModulus * points[1].y, kRelative * points[1].p);
    EXPECT_NE(generated.report.find("     **** WARNING ****\n     DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM\n"
                                    "     USED A SOIL MODULUS OF"),
              std::string::npos);

    // A y-multiplier that shrinks the deflections below 1E-14 warns, but
    // the curve itself is taken at the deflections before the multiplier.
    auto shrunk = wallModel({}, {soilLayer(1, 10, {8, 20, 0, 0.02, 0, 0})}, {{0, 1, 1e-15}, {20, 1, 1e-15}});
    generated = generate(*shrunk);
    const auto& scaled = generated.curves[1].excavation;
    EXPECT_NEAR(scaled[1].p, 0.5 * 65.6 * std::cbrt(0.00025 * 8), kRelative);
    EXPECT_NEAR(scaled[1].y, 8 * 0.030 * 0.00025 * 1e-15, 1e-30);
    EXPECT_NE(generated.report.find("DEFLECTION IS LESS THAN 1.0E-14"), std::string::npos);
}

TEST(StiffClayWithFreeWater, AsAndAcTables)
{
    EXPECT_NEAR(stiffClayAs(2.5), 0.57, 1e-12);
    EXPECT_NEAR(stiffClayAs(0), 0.223, 1e-12);
    EXPECT_NEAR(stiffClayAs(9), 0.60, 1e-12);
    EXPECT_NEAR(stiffClayAc(0.5), 0.245, 1e-12);
    EXPECT_NEAR(stiffClayAc(7), 0.30, 1e-12);
}

TEST(StiffClayWithFreeWater, FourBranchesAndTheInitialModulusCap)
{
    // c = 50 kPa, gamma' = 9 kN/m3, e50 = 0.005; curve at X = 2 m.
    const double c = 50, gamma = 9, e50 = 0.005, x = 2;
    const double y50 = e50 * kWidth;
    const double as = stiffClayAs(x / kWidth);
    const double pc = std::min(2 * c * kWidth + gamma * kWidth * x + 2.83 * c * x, 11 * c * kWidth);
    const double peak = 0.5 * pc * std::sqrt(6 * as) - 0.411 * pc;

    auto stiff = wallModel({}, {soilLayer(2, 10, {gamma, c, 0, e50, 1e9, 0})});
    const auto points = generate(*stiff).curves[1].excavation;
    const std::pair<int, double> expected[] = {
        {1, 0.5 * pc * std::sqrt(0.5 * as)},                                         // y below As*y50
        {2, 0.5 * pc * std::sqrt(as)},                                               // at As*y50: the branch below
        {6, 0.5 * pc * std::sqrt(3 * as) - 0.055 * pc * std::pow(2.0, 1.25)},         // second branch
        {12, 0.5 * pc * std::sqrt(6 * as) - 0.055 * pc * std::pow(5.0, 1.25)},        // at 6*As*y50: second branch
        {13, peak - 0.0625 * pc / y50 * 4 * as * y50},                               // straight descent
        {15, peak - 0.75 * pc * as},                                                 // at 18*As*y50
        {16, peak - 0.75 * pc * as},                                                 // residual
    };
    for (const auto& [index, p] : expected) {
        EXPECT_NEAR(points[index].p, p, kRelative * pc) << index;
    }
    EXPECT_NEAR(points[16].y, 200 * as * y50, 1e-12);

    // A soft initial modulus Es = k*x caps the curve near the origin.
    const double k = 100;
    auto soft = wallModel({}, {soilLayer(2, 10, {gamma, c, 0, e50, k, 0})});
    const auto capped = generate(*soft).curves[1].excavation;
    EXPECT_NEAR(capped[1].p, k * x * capped[1].y, kRelative);
    EXPECT_NEAR(capped[16].p, peak - 0.75 * pc * as, kRelative * pc);
}

TEST(StiffClayWithoutFreeWater, WelchAndReeseCurve)
{
    // c from 20 kPa at X = 0 to 60 kPa at X = 8 m: c = 20 + 5X, average
    // ca = 20 + 2.5X; gamma' = 8; the resistance formula governs at X = 2.
    const double gamma = 8, e50 = 0.01;
    const double y50 = 2.5 * e50 * kWidth;
    auto varying = wallModel({}, {soilLayer(3, 10, {gamma, 20, 0, e50, 0, 0}, {gamma, 60, 0, e50, 0, 0})});
    const double x = 2, c = 30, ca = 25;
    const double pu = std::min(9 * c * kWidth, 3 * ca * kWidth + gamma * kWidth * x + 0.5 * ca * x);
    ASSERT_LT(pu, 9 * c * kWidth);
    const auto points = generate(*varying).curves[1].excavation;
    for (int i = 0; i < 15; ++i)
        EXPECT_NEAR(points[i].p, 0.5 * pu * std::pow(points[i].y / y50, 0.25), kRelative * pu) << i;
    EXPECT_NEAR(points[14].y, 16 * y50, 1e-12);
    EXPECT_NEAR(points[15].p, pu, kRelative * pu);
    EXPECT_NEAR(points[16].y, 20 * y50, 1e-12);

    // Uniform c = 20 kPa: 9cb governs at X = 6 m.
    auto uniform = wallModel({}, {soilLayer(3, 10, {gamma, 20, 0, e50, 0, 0})});
    EXPECT_NEAR(generate(*uniform).curves[3].excavation[16].p, 9 * 20 * kWidth, kRelative);
}

// The ultimate resistance a clay curve shows (p-multiplier 1, no offset).
double ultimateOf(int soilType, const std::array<CurvePoint, kPointsPerSide>& points, double z)
{
    switch (soilType) {
    case 1:
        return points[15].p;
    case 2:
        return points[2].p / (0.5 * std::sqrt(stiffClayAs(z / kWidth)));
    default:
        return points[14].p;
    }
}

struct ContinuousWallCase {
    int soilType;
    double ratio;   // WA/WP
};

class ContinuousWallTest : public testing::TestWithParam<ContinuousWallCase> {};

TEST_P(ContinuousWallTest, SheetPileTakesThePassiveResistanceOfAPlaneWall)
{
    const auto [soilType, ratio] = GetParam();
    WallSetup setup;
    setup.activeWidth = ratio * kWidth;
    const double c = 20, gamma = 8, x = 4;
    auto model = wallModel(setup, {soilLayer(soilType, 10, {gamma, c, 0, 0.01, 1e9, 0})});
    const auto curve = generate(*model).curves[2];
    for (const auto& [points, z] : {std::pair{curve.excavation, x}, std::pair{curve.backfill, setup.freeHeight + x}}) {
        const double expected = (2 * c + gamma * z) * kWidth;
        EXPECT_NEAR(ultimateOf(soilType, points, z), expected, kRelative * expected) << "z = " << z;
    }
}

INSTANTIATE_TEST_SUITE_P(Clays, ContinuousWallTest,
                         testing::Values(ContinuousWallCase{1, 1.0}, ContinuousWallCase{2, 1.0}, ContinuousWallCase{3, 1.0},
                                         ContinuousWallCase{1, 1.1}, ContinuousWallCase{2, 1.1},
                                         ContinuousWallCase{3, 1.1}));

TEST(ClayCurves, ElementsApartKeepTheirOwnResistanceTimesTheGroupFactor)
{
    WallSetup setup;
    setup.activeWidth = 1.2 * kWidth;
    auto model = wallModel(setup, {soilLayer(1, 10, {8, 20, 0, 0.02, 0, 0})});
    const double pm = 0.5292 * std::pow(1.2, 0.5659);
    EXPECT_NEAR(generate(*model).curves[3].excavation[15].p, pm * 108.0, kRelative * 108);
}

TEST(ClayCurves, OffsetForTheEarthPressureAtTheExcavationLevel)
{
    for (int soilType : {1, 2, 3}) {
        WallSetup setup;
        setup.excavationStress = 100;   // p0 = b(100 - 2*20) = 36 kN/m
        auto model = wallModel(setup, {soilLayer(soilType, 10, {8, 20, 0, 0.01, 1e9, 0})});
        const auto generated = generate(*model);
        for (const GeneratedPyCurve& curve : generated.curves) {
            EXPECT_EQ(curve.excavation[0].y, 0.0);
            EXPECT_NEAR(curve.excavation[0].p, -36, 1e-12) << soilType;
            EXPECT_EQ(curve.backfill[0].y, 0.0);
            EXPECT_NEAR(curve.backfill[0].p, 36, 1e-12) << soilType;
        }
        // Every point moves by p0, away from the excavation on its side.
        setup.excavationStress = 0;
        const auto unshifted = generate(*wallModel(setup, {soilLayer(soilType, 10, {8, 20, 0, 0.01, 1e9, 0})}));
        for (int i = 0; i < kPointsPerSide; ++i) {
            EXPECT_NEAR(generated.curves[2].excavation[i].p, unshifted.curves[2].excavation[i].p - 36, 1e-9);
            EXPECT_NEAR(generated.curves[2].backfill[i].p, unshifted.curves[2].backfill[i].p + 36, 1e-9);
        }
        // Below 2c the earth pressure gives no offset.
        setup.excavationStress = 30;
        EXPECT_EQ(generate(*wallModel(setup, {soilLayer(soilType, 10, {8, 20, 0, 0.01, 1e9, 0})})).curves[0].backfill[0].p,
                  0.0);
    }
}

// Matlock's resistance of a soft clay layer integrated from its surface.
double softClayEquivalentDepth(double above, double c, double gamma, double b)
{
    const double xr = 6 * c * b / (gamma * b + 0.5 * c);
    const double fr = 3 * c * b * xr + gamma * b * xr * xr / 2 + c * xr * xr / 4;
    if (above > fr)
        return xr + (above - fr) / (9 * c * b);
    const double a = gamma * b / 2 + c / 4;
    return (-3 * c * b + std::sqrt(9 * c * c * b * b + 4 * a * above)) / (2 * a);
}

TEST(SoftClay, EquivalentDepthUnderAnotherClayLayer)
{
    // Stiff clay without free water X = 0..4 m over soft clay X = 4..10 m,
    // gamma = 8 throughout. Both branches of the closed form: a strong
    // layer above (equivalent depth beyond xr) and a weak one.
    const double gamma = 8;
    for (const auto& [upper, lower] : {std::pair{50.0, 15.0}, std::pair{15.0, 40.0}}) {
        auto model = wallModel({}, {soilLayer(3, 6, {gamma, upper, 0, 0.01, 0, 0}),
                                    soilLayer(1, 12, {gamma, lower, 0, 0.02, 0, 0})});
        const auto generated = generate(*model);
        ASSERT_EQ(generated.curves.size(), 10u);
        double above = 0;
        for (int k = 1; k < 5; ++k) {
            const double dx = (generated.curves[k].depth - generated.curves[k - 1].depth);
            above += 0.5 * (generated.curves[k].excavation[14].p + generated.curves[k - 1].excavation[14].p) * dx;
        }
        const double xeq = softClayEquivalentDepth(above, lower, gamma, kWidth);
        const double xr = 6 * lower * kWidth / (gamma * kWidth + 0.5 * lower);
        SCOPED_TRACE(upper > lower ? "beyond xr" : "within xr");
        EXPECT_EQ(xeq > xr, upper > lower);
        const double x = 0.01 + xeq;   // first curve 0.01 m into the layer
        const double pu = std::min(3 + gamma * x / lower + 0.5 * x / kWidth, 9.0) * lower * kWidth;
        EXPECT_NEAR(generated.curves[5].excavation[15].p, pu, kRelative * pu);
        // The backfill side starts H deeper in the layer.
        const double xBackfill = 2 + 0.01 + xeq;
        const double puBackfill = std::min(3 + gamma * xBackfill / lower + 0.5 * xBackfill / kWidth, 9.0) * lower * kWidth;
        EXPECT_NEAR(generated.curves[5].backfill[15].p, puBackfill, kRelative * puBackfill);
    }
}

}  // namespace
}  // namespace truvex
