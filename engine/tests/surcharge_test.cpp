#include "surcharge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace truvex {
namespace {

constexpr double kFreeHeight = 10.0;
constexpr double kWallLength = 20.0;             // grid step 0.1
constexpr double kGridStep = kWallLength / 200;

SurchargeRow row(int type, double magnitude, double distance, double width = 0.0)
{
    return SurchargeRow{type, magnitude, distance, width};
}

double pressure(const std::vector<SurchargeRow>& rows, double depth)
{
    return surchargePressure(rows, kFreeHeight, kWallLength, depth);
}

TEST(Surcharge, NoRowsGiveNoPressure)
{
    EXPECT_EQ(pressure({}, 5.0), 0.0);
}

// Values worked out by hand from the published forms, at the grid point
// z = 5.0 (or 3.0) just above the depth asked for.
TEST(Surcharge, HandCheckedValues)
{
    // Point load 1000 at m = 0.2, n = 0.5: 0.28 * 1000 * 0.25 / (100 * 0.41^3).
    EXPECT_NEAR(pressure({row(1, 1000.0, 2.0)}, 5.05), 10.156556, 1e-6);
    // Line load 500 at m = 0.6, n = 0.5: 4 * 500 * 0.36 * 0.5 / (3.1416 * 10 * 0.61^2).
    EXPECT_NEAR(pressure({row(2, 500.0, 6.0)}, 5.05), 30.795832, 1e-6);
    // Strip 100 of width 4 centred on the wall line, z = 3: a1 = atan(2/3).
    EXPECT_NEAR(pressure({row(3, 100.0, 0.0, 4.0)}, 3.05), 16.101877, 1e-6);
    // Strip 100 of width 2 centred at 3, z = 5: a1 = atan(4/5), a2 = atan(2/5).
    EXPECT_NEAR(pressure({row(3, 100.0, 3.0, 2.0)}, 5.05), 9.629315, 1e-6);
}

TEST(Surcharge, NothingWithinTheFirstGridInterval)
{
    const std::vector<SurchargeRow> rows = {row(1, 1000.0, 2.0), row(2, 500.0, 6.0), row(3, 100.0, 3.0, 2.0)};
    EXPECT_EQ(pressure(rows, 0.0), 0.0);
    EXPECT_EQ(pressure(rows, kGridStep / 2), 0.0);
    EXPECT_EQ(pressure(rows, kGridStep), 0.0);
    EXPECT_GT(pressure(rows, kGridStep * 1.5), 0.0);
}

// A step function: a depth on a grid point takes the value of the grid
// point above it, constant down to the next grid point, and the deepest
// grid point (the tip) holds below the wall.
TEST(Surcharge, StepFunctionOfDepth)
{
    for (const SurchargeRow& load : {row(1, 1000.0, 2.0), row(2, 500.0, 6.0), row(3, 100.0, 3.0, 2.0)}) {
        const std::vector<SurchargeRow> rows = {load};
        for (int k : {2, 37, 50, 123, 200}) {
            const double onGridPoint = pressure(rows, k * kGridStep);
            EXPECT_EQ(onGridPoint, pressure(rows, (k - 0.5) * kGridStep)) << "type " << load.loadType << " k " << k;
            EXPECT_EQ(onGridPoint, pressure(rows, (k - 0.999) * kGridStep)) << "type " << load.loadType << " k " << k;
            EXPECT_NE(onGridPoint, pressure(rows, (k + 0.5) * kGridStep)) << "type " << load.loadType << " k " << k;
        }
        EXPECT_EQ(pressure(rows, kWallLength + 0.001), pressure(rows, kWallLength * 3));
    }
}

// Up to m = 0.4 the near-wall forms hold, which do not depend on the
// distance; beyond it the far forms.
TEST(Surcharge, NearWallRuleUpToFourTenths)
{
    const double depth = 5.05;   // grid point z = 5, n = 0.5
    const double n = 0.5;
    for (int type : {1, 2}) {
        const double atWall = pressure({row(type, 1000.0, 0.0)}, depth);
        EXPECT_EQ(pressure({row(type, 1000.0, 4.0)}, depth), atWall) << "type " << type;
        EXPECT_NE(pressure({row(type, 1000.0, 4.001)}, depth), atWall) << "type " << type;
    }
    const double m = 0.4001;
    EXPECT_NEAR(pressure({row(1, 1000.0, 4.001)}, depth),
                1.77 * 1000.0 * m * m * n * n / (kFreeHeight * kFreeHeight * std::pow(m * m + n * n, 3)), 1e-9);
    EXPECT_NEAR(pressure({row(2, 1000.0, 4.001)}, depth),
                4 * 1000.0 * m * m * n / (3.1416 * kFreeHeight * std::pow(m * m + n * n, 2)), 1e-9);
}

TEST(Surcharge, StripCentredOnTheWallIsSymmetric)
{
    const double q = 80.0, width = 3.0;
    for (int k : {1, 10, 75, 199}) {
        const double z = k * kGridStep;
        const double a1 = std::atan(width / 2 / z);
        EXPECT_NEAR(pressure({row(3, q, 0.0, width)}, z + kGridStep / 2),
                    2 * q * (2 * a1 - std::sin(2 * a1)) / 3.1416, 1e-12 * q)
            << "k " << k;
    }
}

TEST(Surcharge, RowsAddUp)
{
    for (const SurchargeRow& load : {row(1, 1000.0, 2.0), row(2, 500.0, 6.0), row(3, 100.0, 3.0, 2.0)}) {
        const double one = pressure({load}, 7.33);
        EXPECT_GT(one, 0.0);
        EXPECT_DOUBLE_EQ(pressure({load, load}, 7.33), 2 * one) << "type " << load.loadType;
    }
    const double mixed = pressure({row(1, 1000.0, 2.0), row(3, 100.0, 3.0, 2.0)}, 7.33);
    EXPECT_DOUBLE_EQ(mixed, pressure({row(1, 1000.0, 2.0)}, 7.33) + pressure({row(3, 100.0, 3.0, 2.0)}, 7.33));
}

}  // namespace
}  // namespace truvex
