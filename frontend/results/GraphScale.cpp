#include "GraphScale.h"

#include <algorithm>
#include <cmath>

namespace truvex {

namespace {

// Quotients such as 0.01 / 0.001 land a hair beside the whole number they
// stand for; taking them as that number keeps floor and ceil from moving a
// limit a whole unit too far.
long double snapToWhole(long double quotient)
{
    const long double whole = std::round(quotient);
    return std::fabs(quotient - whole) <= 1e-9L * std::max(1.0L, std::fabs(whole)) ? whole : quotient;
}

// Pixel offsets stay well inside int, whatever a zoomed-in view maps.
int toPixelOffset(long double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0e7L, 1.0e7L)));
}

// Ranges wider than this many minor steps get no ticks: the accumulation
// below walks every step from zero.
constexpr long double kMaxTickSteps = 1.0e6L;

}  // namespace

long double RoundingUnit(long double range)
{
    const long double lg = std::log10(range);
    const long double whole = std::floor(lg);
    long double unit = std::pow(10.0L, whole);
    if (lg - whole < std::log10(3.0L))
        unit /= 10;
    return unit;
}

bool RoundOutward(long double& min, long double& max)
{
    if (max == min) {
        max += 0.01L;
        min -= 0.01L;
    }
    const long double unit = RoundingUnit(max - min);
    if (!(unit > 0) || !std::isfinite(unit))
        return false;
    min = unit * std::floor(snapToWhole(min / unit));
    max = unit * std::ceil(snapToWhole(max / unit));
    return std::isfinite(min) && std::isfinite(max);
}

bool ComputeExtents(const TLineList& lines, TExtents& extents)
{
    TExtents e;
    for (int i = 0; i < lines.Count(); ++i)
        for (const TFloatPoint& point : lines.Line(i).Points) {
            if (point.X < e.XMin)
                e.XMin = point.X;
            else if (point.X > e.XMax)
                e.XMax = point.X;
            if (point.Y < e.YMin)
                e.YMin = point.Y;
            else if (point.Y > e.YMax)
                e.YMax = point.Y;
        }
    // The vertical axis first: a graph that cannot be scaled vertically is
    // given up before the horizontal axis is looked at.
    if (!RoundOutward(e.YMin, e.YMax) || !RoundOutward(e.XMin, e.XMax))
        return false;
    extents = e;
    return true;
}

long double MajorStep(long double rawStep)
{
    const long double g = std::pow(10.0L, std::floor(std::log10(rawStep)));
    const long double h = std::trunc(rawStep / g);
    if (h <= 1)
        return g;
    if (h <= 4)
        return 2 * g;
    if (h <= 8)
        return 5 * g;
    return 10 * g;
}

TTicks ComputeTicks(long double min, long double max, int pixelSpan, int pixelsPerMajor)
{
    TTicks ticks;
    if (pixelsPerMajor <= 0)
        return ticks;
    ticks.Intervals = std::abs(pixelSpan) / pixelsPerMajor;
    if (ticks.Intervals == 0 || !(max > min))
        return ticks;
    ticks.Major = MajorStep((max - min) / ticks.Intervals);
    ticks.Minor = ticks.Major / 5;
    if (!(ticks.Minor > 0) || !std::isfinite(ticks.Minor)
        || std::max(std::fabs(min), std::fabs(max)) / ticks.Minor > kMaxTickSteps)
        return ticks;

    // Both ends by accumulation from zero, as the labels are built from
    // the same sums.
    long double value = 0;
    int subtractions = 0;
    while (value >= min) {
        value -= ticks.Minor;
        ++subtractions;
    }
    value = 0;
    int additions = 0;
    while (value <= max) {
        value += ticks.Minor;
        ++additions;
    }
    ticks.First = -(subtractions - 1);
    ticks.Last = additions - 1;
    ticks.Present = ticks.First != ticks.Last;
    return ticks;
}

TPixelPoint TPanelMap::ToPixel(long double x, long double y) const
{
    const long double xRange = Extents.XMax - Extents.XMin;
    const long double yRange = Extents.YMax - Extents.YMin;
    TPixelPoint pixel;
    pixel.X = Rect.Left + (xRange != 0 ? toPixelOffset((x - Extents.XMin) / xRange * Rect.Width()) : 0);
    const int c = yRange != 0 ? toPixelOffset((y - Extents.YMin) / yRange * Rect.Height()) : 0;
    pixel.Y = XOnTop ? Rect.Top + c : Rect.Bottom - c;
    return pixel;
}

TFloatPoint TPanelMap::ToData(int xPixel, int yPixel) const
{
    TFloatPoint point;
    point.X = Extents.XMin;
    point.Y = Extents.YMin;
    if (Rect.Width() != 0)
        point.X += static_cast<long double>(xPixel - Rect.Left) / Rect.Width() * (Extents.XMax - Extents.XMin);
    if (Rect.Height() != 0) {
        const int c = XOnTop ? yPixel - Rect.Top : Rect.Bottom - yPixel;
        point.Y += static_cast<long double>(c) / Rect.Height() * (Extents.YMax - Extents.YMin);
    }
    return point;
}

}  // namespace truvex
