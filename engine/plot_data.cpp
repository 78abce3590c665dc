#include "plot_data.h"

#include <string>

namespace truvex {
namespace {

void writeIntegers(TextOutput& plot, std::initializer_list<long long> values)
{
    std::string line;
    for (long long value : values)
        line += " " + std::to_string(value);
    plot.line(line);
}

// The reader treats a soil part of exactly zero as absent; a tiny positive
// value keeps the point on the graph of the soil part.
constexpr double kZeroSoilPart = 1.0E-7;

}  // namespace

void writePressureSection(TextOutput& plot, const std::vector<PressurePoint>& points)
{
    writeIntegers(plot, {static_cast<long long>(points.size())});
    for (const PressurePoint& point : points)
        plot.write("(4(2X, E10.3))", point.depth, point.total, point.soil == 0.0 ? kZeroSoilPart : point.soil,
                   point.surcharge);
}

void writeCurveSection(TextOutput& plot, int unitsCode, const std::vector<PlotCurve>& curves)
{
    writeIntegers(plot, {unitsCode, static_cast<long long>(curves.size())});
    for (const PlotCurve& curve : curves) {
        if (curve.labelledByDepth)
            plot.write("(1X, F10.2, 1X, I5)", curve.depth, curve.points.size());
        else
            writeIntegers(plot, {curve.station, static_cast<long long>(curve.points.size())});
        for (const CurvePoint& point : curve.points)
            plot.write("(2(1X, 1P, E14.6))", point.y, point.p);
    }
}

void writeResultsSection(TextOutput& plot, int blockCode, int unitsCode, const std::vector<StationResult>& stations)
{
    writeIntegers(plot, {blockCode, static_cast<long long>(stations.size()), unitsCode});
    for (const StationResult& row : stations)
        plot.write("(5(1X, E13.4))", row.x, row.deflection, row.moment, row.shear, row.netReaction);
}

}  // namespace truvex
