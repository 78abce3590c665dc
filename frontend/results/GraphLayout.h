// Layout of a graph picture on a drawing surface: the plot area, the three
// side-by-side panels and the soil column, from the surface's size, its
// resolution and the base text height. Integer arithmetic throughout.
#pragma once

#include "GraphScale.h"
#include "PltData.h"

#include <array>

namespace truvex {

// What the drawing needs to know of the surface it draws on.
struct TDrawSurface {
    int L = 0, T = 0, R = 0, B = 0;  // client rectangle
    int Px = 96, Py = 96;            // pixels per inch
    int FontHeight = 14;             // the surface font's height in pixels
    bool ForOutput = false;          // a printer page or a bitmap: the picture legend is drawn
    bool IntoBitmap = false;
};

// Base text height F of a graph on a surface.
int BaseTextHeight(const TGraphPlot& graph, const TDrawSurface& surface);

struct TGraphLayout {
    TPixelRect Plot;                   // x1, y1, x2, y2 of the single plot area
    std::array<TPixelRect, 3> Panels;  // three-panel layout
    bool HasSoilStrip = false;
    TPixelRect SoilStrip;
};

// Layout on a window (and any surface drawn like one).
TGraphLayout ComputeLayout(const TGraphPlot& graph, const TDrawSurface& surface);

// Layout of a picture saved to a file: as on the window, without room for
// the title and with a soil column half an inch wide.
TGraphLayout ComputeBitmapLayout(const TGraphPlot& graph, const TDrawSurface& surface);

}  // namespace truvex
