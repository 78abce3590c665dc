// Drawing of a graph onto any QPainter surface (a window, a printer page, a
// picture): captions, ticks with grid and labels, curves with colours and
// markers, the soil column, the picture legend and the frames. The state a
// graph window keeps between paints (extents, layout) is `TGraphView`.
#pragma once

#include "GraphLayout.h"
#include "GraphScale.h"
#include "PltData.h"

#include <QColor>

#include <array>
#include <string>
#include <vector>

class QPainter;

namespace truvex {

// Colour k of the curve palette (17 entries, repeating).
QColor CurveColor(int k);

// Marker shape 1 to 10 of a curve (0-based index): shapes repeat every ten
// curves.
int MarkerShape(int curveIndex);

// The marker's outline around a point, closed (the last vertex is the
// first), radius px/32 across and py/32 up and down.
std::vector<TPixelPoint> MarkerVertices(TPixelPoint center, int curveIndex, int px, int py);

// Points of a curve that the three-panel layout joins: with more than one
// curve each polyline stops at its next-to-last point.
int ThreePanelDrawnPoints(int curveCount, int pointCount);

// One row of a legend: an active curve and its legend text.
struct TLegendRow {
    int Curve = 0;
    std::string Text;
};

// The legend rows of a graph: its active curves in order, each with its
// name, passed through `onGetCaption` when the graph has one.
std::vector<TLegendRow> LegendRows(const TGraphPlot& graph);

// The soil column laid out in pixels. Rectangles run from Left/Top to one
// short of Right/Bottom.
struct TSoilBand {
    TPixelRect Rect;
    int Code = 0;            // pattern code of the fill
    std::string Name;        // written in the band; empty with the wall shown
    int NameTop = 0;         // the name is centred between these two
    int NameBottom = 0;
};

struct TSoilColumn {
    std::vector<TSoilBand> Bands;
    bool HasWall = false;
    TPixelRect WallBar;      // the wall, from the strip top to its length
};

// The soil layers of `LayerLines` (the lines before the first wall line),
// mapped through the depth axis of `depthMap` into the strip; with
// `ShowWall` and wall lines present, as seen from the side with the wall
// and the excavation.
TSoilColumn LayOutSoilColumn(const TGraphPlot& graph, const TPanelMap& depthMap, const TPixelRect& strip);

// What a graph window keeps between paints: the extents shown in each
// panel, the extents when it opened (the zoom limits) and the layout.
class TGraphView {
public:
    // Extents of the three panels from `Curves`, `Curves2` and `Curves3`,
    // also kept as the full extents. False when a panel cannot be scaled.
    bool Open(const TGraphPlot& graph);

    std::array<TExtents, 3> Extents;
    std::array<TExtents, 3> FullExtents;
    TGraphLayout Layout;

    // Panel 0 is the single plot area unless the graph shows three panels.
    TPanelMap PanelMap(const TGraphPlot& graph, int panel) const;
    TPixelPoint ToPixel(const TGraphPlot& graph, int panel, long double x, long double y) const;
    // Data values under a pixel, through the panel whose horizontal span
    // holds it; (0, 0) outside every panel.
    TFloatPoint ToData(const TGraphPlot& graph, int xPixel, int yPixel) const;
};

// Where the picture legend goes, relative to the plot area: the on-screen
// legend's left and top over the window's width and height.
struct TLegendPlacement {
    double Left = 0;
    double Top = 0;
};

// Size in pixels of the picture legend of a graph on a surface, (0, 0) when
// no curve is shown.
TPixelPoint PictureLegendSize(QPainter& painter, const TGraphPlot& graph, const TDrawSurface& surface);

// Draws the whole picture of `graph` on the painter's device.
void DrawGraph(QPainter& painter, const TGraphPlot& graph, const TGraphView& view, const TDrawSurface& surface,
               const TLegendPlacement& legend = {});

}  // namespace truvex
