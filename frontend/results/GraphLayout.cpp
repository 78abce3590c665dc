#include "GraphLayout.h"

#include <cstdlib>

namespace truvex {

int BaseTextHeight(const TGraphPlot& graph, const TDrawSurface& surface)
{
    return std::abs(surface.FontHeight * graph.SizeFont / 10);
}

namespace {

// Plot area without title, soil column or panels.
TPixelRect plotArea(const TGraphPlot& graph, const TDrawSurface& s, int f)
{
    TPixelRect plot;
    plot.Left = s.L + 2 * f + s.Px / 8 + f / 8;
    plot.Right = s.R - s.Px / 4 - f / 2;
    if (graph.XOnTop) {
        plot.Top = s.T + 2 * f + s.Py / 8 + f / 8;
        plot.Bottom = s.B - s.Py / 4 - f / 2;
    } else {
        plot.Top = s.T + f / 2 + s.Py / 4;
        plot.Bottom = s.B - 2 * f - s.Py / 8 - f / 8;
    }
    return plot;
}

// Takes `stripWidth` pixels off the right of the plot area for the soil
// column (when shown), then splits the area into panels.
void placeStripAndPanels(const TGraphPlot& graph, const TDrawSurface& s, int f, int stripWidth, TGraphLayout& layout)
{
    TPixelRect& plot = layout.Plot;
    if (graph.ShowLayers) {
        const int oldRight = plot.Right;
        plot.Right -= stripWidth;
        layout.HasSoilStrip = true;
        layout.SoilStrip = {plot.Right + s.Px / 5, plot.Top, oldRight, plot.Bottom};
    }
    if (graph.ShowThree) {
        const int width = (plot.Right - plot.Left - 4 * f - s.Px / 2) / 3;
        const int gap = 2 * f + s.Px / 4;
        TPixelRect& p1 = layout.Panels[0];
        TPixelRect& p2 = layout.Panels[1];
        TPixelRect& p3 = layout.Panels[2];
        p1 = {plot.Left, plot.Top, plot.Left + width, plot.Bottom};
        p2 = {p1.Right + gap, plot.Top, p1.Right + gap + width, plot.Bottom};
        p3 = {p2.Right + gap, plot.Top, plot.Right, plot.Bottom};
    }
}

}  // namespace

TGraphLayout ComputeLayout(const TGraphPlot& graph, const TDrawSurface& surface)
{
    const int f = BaseTextHeight(graph, surface);
    TGraphLayout layout;
    layout.Plot = plotArea(graph, surface, f);
    if (!graph.GraphTitle.empty()) {
        if (graph.TitleAtTop)
            layout.Plot.Top += f / 8 + f;
        else
            layout.Plot.Bottom -= f;
    }
    placeStripAndPanels(graph, surface, f, surface.Px, layout);
    return layout;
}

TGraphLayout ComputeBitmapLayout(const TGraphPlot& graph, const TDrawSurface& surface)
{
    const int f = BaseTextHeight(graph, surface);
    TGraphLayout layout;
    layout.Plot = plotArea(graph, surface, f);
    placeStripAndPanels(graph, surface, f, surface.Px / 2, layout);
    return layout;
}

}  // namespace truvex
