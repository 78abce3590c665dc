// Axis scaling of the graphs: data extents rounded outward to a "nice" unit,
// tick steps from the 1-2-5 series, and the mapping between data values and
// pixels of a plot rectangle.
//
// The steps are "nice numbers" in the sense of P. S. Heckbert, "Nice numbers
// for graph labels", Graphics Gems (1990). Unlike that method the step is
// chosen from the leading digit of the raw step (truncated, not rounded), the
// extents are rounded to their own unit rather than to the step, and the
// tick indices are found by adding up steps from zero.
#pragma once

#include "PltData.h"

namespace truvex {

struct TExtents {
    long double XMin = 0;
    long double XMax = 0;
    long double YMin = 0;
    long double YMax = 0;
};

// Extents over every point of every line of the list, active or not. Both
// ranges contain zero; an empty range is widened by 0.01 each way; each axis
// is then rounded outward to its rounding unit. False when a rounding unit
// comes out zero or not finite (the graph cannot be scaled).
bool ComputeExtents(const TLineList& lines, TExtents& extents);

// The rounding unit of a range: 10^floor(log10 range), a tenth of it when
// the range's mantissa is below 3.
long double RoundingUnit(long double range);

// Widens [min, max] (with min <= 0 <= max) to the rounding unit; false when
// the unit is zero or not finite.
bool RoundOutward(long double& min, long double& max);

// Tick marks of one axis: the values i * Minor for i from First to Last;
// every fifth index is a major tick with a grid line and a label.
struct TTicks {
    int Intervals = 0;       // major intervals that fit; 0: none fit
    bool Present = false;
    long double Major = 0;
    long double Minor = 0;
    int First = 0;
    int Last = 0;
};

// Major step from the 1-2-5 series for a raw step.
long double MajorStep(long double rawStep);

// `pixelSpan` pixels with room for one major interval per `pixelsPerMajor`
// pixels. No ticks when no interval fits or the first and last index meet;
// a panel where no interval fits on either axis gets no ticks at all.
TTicks ComputeTicks(long double min, long double max, int pixelSpan, int pixelsPerMajor);

struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool ContainsX(int x) const { return x >= Left && x <= Right; }
    bool ContainsY(int y) const { return y >= Top && y <= Bottom; }
};

struct TPixelPoint {
    int X = 0;
    int Y = 0;
};

// Linear mapping of one panel: extents onto a pixel rectangle; with
// `XOnTop` the vertical values grow downward from the top edge.
struct TPanelMap {
    TExtents Extents;
    TPixelRect Rect;
    bool XOnTop = true;

    TPixelPoint ToPixel(long double x, long double y) const;
    TFloatPoint ToData(int xPixel, int yPixel) const;
};

}  // namespace truvex
