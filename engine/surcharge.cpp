// Surcharge lateral pressures by the elastic (Boussinesq) solutions as
// modified by Terzaghi for rigid, unyielding walls, in the forms of the
// NAVFAC Design Manual DM-7 (Soil Mechanics, Foundations and Earth
// Structures, 1971 and DM-7.2, 1982):
//   point load P, m <= 0.4:  0.28 P n^2 / (H^2 (0.16 + n^2)^3)
//                 m >  0.4:  1.77 P m^2 n^2 / (H^2 (m^2 + n^2)^3)
//   line load Q,  m <= 0.4:  0.203 Q n / (H (0.16 + n^2)^2)
//                 m >  0.4:  4 Q m^2 n / (pi H (m^2 + n^2)^2)
//   strip load q:            2 q (beta - sin beta cos 2 alpha) / pi
// with m = X/H and n = z/H; the point and line forms are Terzaghi's
// ("Anchored bulkheads", Transactions ASCE 119, 1954), the strip form is the
// elastic strip solution doubled for a rigid wall, as DM-7.2 gives it.
//
// Departures kept on purpose: the wall length is divided into 200 grid
// intervals, and the pressure at a depth is that of the deepest grid point
// above it (a step function, the formulas are never evaluated at the depth
// itself); pi is 3.1416 in the line and strip formulas.
#include "surcharge.h"

#include <cmath>

namespace truvex {
namespace {

constexpr int kGridPoints = 200;
constexpr double kPi = 3.1416;
constexpr double kNearWallRatio = 0.4;

enum SurchargeType { kPointLoad = 1, kLineLoad = 2, kStripLoad = 3 };

// Pressure of one row at grid depth z; m = X/H, n = z/H.
double rowPressure(const SurchargeRow& row, double freeHeight, double z)
{
    const double m = row.distance / freeHeight;
    const double n = z / freeHeight;
    const double n2 = n * n;
    const double m2 = m * m;
    switch (row.loadType) {
    case kPointLoad:
        if (m <= kNearWallRatio)
            return 0.28 * row.magnitude * n2 / (freeHeight * freeHeight * std::pow(0.16 + n2, 3));
        return 1.77 * row.magnitude * m2 * n2 / (freeHeight * freeHeight * std::pow(m2 + n2, 3));
    case kLineLoad:
        if (m <= kNearWallRatio)
            return 0.203 * row.magnitude * n / (freeHeight * std::pow(0.16 + n2, 2));
        return 4.0 * row.magnitude * m2 * n / (kPi * freeHeight * std::pow(m2 + n2, 2));
    case kStripLoad: {
        const double a1 = std::atan((row.distance + row.stripWidth / 2.0) / z);
        const double a2 = std::atan((row.distance - row.stripWidth / 2.0) / z);
        const double beta = a1 - a2;
        const double twoAlpha = a1 + a2;
        return 2.0 * row.magnitude * (beta - std::sin(beta) * std::cos(twoAlpha)) / kPi;
    }
    default:
        return 0.0;
    }
}

}  // namespace

double surchargePressure(const std::vector<SurchargeRow>& rows, double freeHeight, double wallLength, double depth)
{
    const double gridStep = wallLength / kGridPoints;
    double pressure = 0.0;
    for (const SurchargeRow& row : rows) {
        // Deepest grid point strictly above the depth; none within the first
        // interval.
        for (int k = kGridPoints; k >= 1; --k) {
            const double z = k * gridStep;
            if (z < depth) {
                pressure += rowPressure(row, freeHeight, z);
                break;
            }
        }
    }
    return pressure;
}

}  // namespace truvex
