// Strong rock and weak rock (Reese 1997) curves.
#include "py_rock.h"
#include "py_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace truvex {
namespace {

using test::generate;
using test::soilLayer;
using test::wallModel;
using test::WallSetup;

constexpr double kWidth = 0.6;

TEST(StrongRock, BilinearThenBrittleDrop)
{
    // qu = 10 MPa: su = 5000 kPa, b = 0.6 m, gamma = 22 kN/m3.
    const double su = 5000, gamma = 22;
    const double y1 = 0.0004 * kWidth, yu = 0.0024 * kWidth;
    for (double yMultiplier : {1.0, 2.0}) {
        auto model = wallModel({}, {soilLayer(6, 10, {gamma, 2 * su, 0, 0, 0, 0})},
                               {{0, 1, yMultiplier}, {100, 1, yMultiplier}});
        const auto curve = generate(*model).curves[1];   // X = 2 m
        for (const auto& [points, z] : {std::pair{curve.excavation, 2.0}, std::pair{curve.backfill, 4.0}}) {
            const double dropped = 0.5 * gamma * kWidth * z;
            for (int i = 0; i < kPointsPerSide; ++i) {
                const double u = i * yu / 15;
                EXPECT_NEAR(points[i].y, yMultiplier * u, 1e-15) << i;
                if (u < y1) {
                    EXPECT_NEAR(points[i].p, 2000 * su * u, 1e-9) << i;
                } else if (i < 15) {
                    EXPECT_NEAR(points[i].p, 0.8 * su * kWidth + 100 * su * (u - y1), 1e-9) << i;
                }
            }
            // The 16th point lies at yu up to rounding: the rising value or
            // the dropped one; the 17th has dropped.
            EXPECT_TRUE(std::abs(points[15].p - su * kWidth) < 1e-6 || points[15].p == dropped) << points[15].p;
            EXPECT_DOUBLE_EQ(points[16].p, dropped);
        }
        EXPECT_NEAR(curve.excavation[2].p, 2000 * su * 2 * yu / 15, 1e-9);
    }
    // The published corner points: 0.8 su b at 0.0004 b, su b at 0.0024 b.
    EXPECT_NEAR(2000 * su * y1, 0.8 * su * kWidth, 1e-9);
    EXPECT_NEAR(0.8 * su * kWidth + 100 * su * (yu - y1), su * kWidth, 1e-9);
}

// The ultimate resistance and initial modulus a weak-rock curve shows:
// its last point is 0.5 pur 12^0.25, its first lies on the initial line.
std::pair<double, double> weakRockPurAndKir(const std::array<CurvePoint, kPointsPerSide>& points)
{
    return {points[16].p / (0.5 * std::pow(12.0, 0.25)), points[0].p / points[0].y};
}

TEST(WeakRock, BothFormulasMeetThreeWidthsIntoTheRock)
{
    // qu = 5 MPa, Em = 200 MPa, krm = 0.0005, RQD = 100: alpha_r = 1/3. The
    // curve at X = 2 m sits just inside or just beyond 3b.
    const double qu = 5000, em = 2e5;
    for (double width : {(2 + 2e-8) / 3, (2 - 2e-8) / 3}) {
        WallSetup setup;
        setup.resistanceWidth = width;
        setup.activeWidth = 4 * width;
        auto model = wallModel(setup, {soilLayer(7, 10, {22, qu, 0, 0.0005, em, 100})});
        const auto [pur, kir] = weakRockPurAndKir(generate(*model).curves[1].excavation);
        EXPECT_NEAR(pur / (qu * width / 3), 5.2, 1e-7) << width;
        EXPECT_NEAR(kir / em, 500, 1e-5) << width;
    }
}

TEST(WeakRock, NearTheSurfaceAndBelowAnotherLayer)
{
    // RQD 40: alpha_r = 1 - 40/150. Curve at X = 0.01 m: xr = 0.01 m.
    const double alpha = 1 - 40.0 / 150;
    auto model = wallModel({}, {soilLayer(7, 6, {22, 4000, 0, 0.0005, 1e5, 40}),
                                soilLayer(7, 10, {22, 4000, 0, 0.0005, 1e5, 40}, {22, 8000, 0, 0.0005, 1e5, 40})});
    const auto generated = generate(*model);
    const double xr = 0.01 + 1e-8;
    const auto [pur, kir] = weakRockPurAndKir(generated.curves[0].excavation);
    EXPECT_NEAR(pur, alpha * 4000 * kWidth * (1 + 1.4 * xr / kWidth), 1e-6);
    EXPECT_NEAR(kir, 1e5 * (100 + 400 * xr / (3 * kWidth)), 1e-3);
    // The first point is not at zero deflection.
    EXPECT_NEAR(generated.curves[0].excavation[0].y, 0.0005 * 0.0005 * kWidth, 1e-15);
    // Second layer (X = 4..8 m, qu 4000 -> 8000 kPa): at X = 6 m, qa is the
    // mean of its top value and the value at the curve, (4000 + 6000)/2;
    // xr = 2 m is beyond 3b.
    EXPECT_NEAR(weakRockPurAndKir(generated.curves[7].excavation).first, 5.2 * alpha * 5000 * kWidth, 1e-6);
    // The backfill side lies H deeper into the rock.
    const double xrBackfill = 2 + 0.01 + 1e-8;
    EXPECT_GT(xrBackfill, 3 * kWidth);
    EXPECT_NEAR(weakRockPurAndKir(generated.curves[0].backfill).first, 5.2 * alpha * 4000 * kWidth, 1e-6);
}

}  // namespace
}  // namespace truvex
