// Graph descriptions of the results: points, curves and the non-visual
// description of one graph (`TGraphPlot`), and the fixed set of graphs the
// main window owns, each with its design values. The plot-data reader fills
// them; the drawing, the graph windows and the export read them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace truvex {

class TGraphPlot;

struct TFloatPoint {
    long double X = 0;
    long double Y = 0;
};

// One curve: one load case, stage or layer line of a graph.
class TLine {
public:
    TLine(TGraphPlot& owner, long double number) : Number(number), owner_(&owner) {}

    std::vector<TFloatPoint> Points;
    long double Number;      // ordinal used in the default name
    std::string Name;        // empty: the default name applies
    bool Shown = true;       // drawn
    bool Active = true;      // takes part in the graph at all

    TGraphPlot& Owner() const { return *owner_; }
    int PointCount() const { return static_cast<int>(Points.size()); }
    TFloatPoint& Point(int index) { return Points.at(static_cast<std::size_t>(index)); }
    const TFloatPoint& Point(int index) const { return Points.at(static_cast<std::size_t>(index)); }
    // Below 0 counts as 0; points are dropped from the end or zero points
    // appended.
    void SetPointCount(int count);
    // `Name`, or the graph's `CurveName` followed by `Number`.
    std::string GetLineName() const;

private:
    TGraphPlot* owner_;
};

// One of the four curve lists of a graph.
class TLineList {
public:
    explicit TLineList(TGraphPlot& owner) : owner_(&owner) {}

    int Count() const { return static_cast<int>(lines_.size()); }
    TLine& Line(int index) const { return *lines_.at(static_cast<std::size_t>(index)); }
    TFloatPoint& Point(int line, int point) const { return Line(line).Point(point); }
    // Points of the first line; 0 for an empty list.
    int PointCount() const { return lines_.empty() ? 0 : lines_.front()->PointCount(); }
    // Below 0 counts as 0. A new line is numbered after the lines of the
    // graph's first list.
    void SetLineCount(int count);
    // Every line of the list gets `count` points.
    void SetPointCount(int count);

private:
    TGraphPlot* owner_;
    std::vector<std::unique_ptr<TLine>> lines_;
};

// The description of one graph. Its properties are plain fields, as the
// graph windows read and write them directly.
class TGraphPlot {
public:
    TGraphPlot() = default;
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    std::string CurveName = "Curve #";
    std::string Caption;
    bool ShowLegend = true;
    bool ShowLayers = false;     // soil column right of the plot
    bool ShowWall = false;       // the soil column also shows the wall
    bool ShowThree = false;      // three panels sharing the vertical axis
    bool ShowFontWidth = true;
    int WallLineCount = 0;       // first wall line in LayerLines; 0: none
    int Markers = 1;             // 0 none, n: a marker at every n-th point
    int SizeFont = 10;           // text size in tenths of the base height
    int LegendFont = 11;
    int WidthLine = 1;           // curve pen width multiplier
    std::string XCaption, XUnits;
    bool XOnTop = true;          // x axis on top, depth growing downward
    std::string YCaption, YUnits;
    std::string XCaption2, XUnits2, YCaption2, YUnits2;
    std::string XCaption3, XUnits3, YCaption3, YUnits3;
    // When set, called for each active curve as the legend is built; it may
    // replace the curve's legend text.
    std::function<void(int index, std::string& text)> onGetCaption;

    std::string GraphTitle;
    bool TitleAtTop = false;

    // Unit system of the unit symbols: 1 English, 2 SI, 3 other.
    int Units() const { return units_; }
    void SetUnits(int system);

    TLineList Curves{*this};      // the only or first panel
    TLineList LayerLines{*this};  // soil layers, then the two wall lines
    TLineList Curves2{*this};     // second panel
    TLineList Curves3{*this};     // third panel

private:
    int units_ = 1;
};

// The graphs of the main window, with their design values.
struct TResultGraphs {
    TResultGraphs();
    TResultGraphs(const TResultGraphs&) = delete;
    TResultGraphs& operator=(const TResultGraphs&) = delete;

    TGraphPlot pltPY;
    TGraphPlot pltDef;
    TGraphPlot pltMom;
    TGraphPlot pltShear;
    TGraphPlot pltSoil;
    TGraphPlot pltDMS;
    TGraphPlot pltLD;
    TGraphPlot PltCombine;
    TGraphPlot pltInter;
    // Kept for their captions only; no menu opens them.
    TGraphPlot pltMomEi;
    TGraphPlot pltMomCurv;
    TGraphPlot pltLM;

    std::vector<TGraphPlot*> All();
};

}  // namespace truvex
