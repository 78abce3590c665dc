#include "PlotReader.h"

#include "entry/Units.h"
#include "project/ProgramData.h"
#include "project/WordRead.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace truvex {

namespace {

// Points beyond a curve's own count repeat its last point (zero points for
// a curve without any).
void padLine(TLine& line, int count)
{
    const TFloatPoint last = line.Points.empty() ? TFloatPoint{} : line.Points.back();
    if (line.PointCount() < count)
        line.Points.resize(static_cast<std::size_t>(count), last);
}

void padList(TLineList& lines, int count)
{
    for (int i = 0; i < lines.Count(); ++i)
        padLine(lines.Line(i), count);
}

void padArray(std::vector<long double>& values, int count)
{
    const long double last = values.empty() ? 0 : values.back();
    if (static_cast<int>(values.size()) < count)
        values.resize(static_cast<std::size_t>(count), last);
}

// The list holds at least `count` lines; existing lines stay as they are.
void ensureLines(TLineList& lines, int count)
{
    if (lines.Count() < count)
        lines.SetLineCount(count);
}

void setLineName(TGraphPlot& graph, int index, const std::string& name)
{
    if (index < graph.Curves.Count())
        graph.Curves.Line(index).Name = name;
}

struct SoilLine {
    std::string name;
    int code;  // pattern code of the fill
};

// A soil layer's line in the soil column: named by its soil type, types
// below 4 counting as clay.
SoilLine soilLineOf(int soilType, int layerNumber)
{
    switch (soilType) {
    case 4:
        return {" SAND ", 7};
    case 5:
        return {" SILT ", 8};
    case 6:
        return {"STRONG ROCK", 9};
    case 7:
        return {"WEAK ROCK", 10};
    default:
        if (soilType < 4)
            return {" CLAY ", 1};
        return {"LAYER " + std::to_string(layerNumber), 0};
    }
}

class PlotDataReader {
public:
    PlotDataReader(TWordReader& in, const TPlotProject& project, TResultGraphs& graphs, TProjectResults& results)
        : in_(in), project_(project), g_(graphs), results_(results)
    {
    }

    void read()
    {
        reset();
        readCase(0);
        // The first block code tells how many cases the file holds.
        for (int c = 1; c < caseCount_; ++c)
            readCase(c);
        padCases();
        setCaptions();
        for (TGraphPlot* graph : g_.All())
            graph->SetUnits(units_);
    }

private:
    // Curves, names and flags of an earlier reading do not carry over.
    void reset()
    {
        for (TGraphPlot* graph : g_.All())
            for (TLineList* lines : {&graph->Curves, &graph->LayerLines, &graph->Curves2, &graph->Curves3})
                lines->SetLineCount(0);
        g_.pltDMS.WallLineCount = 0;
        g_.pltInter.Curves.SetLineCount(1);
        g_.pltLD.Curves.SetLineCount(1);
        g_.PltCombine.Curves.SetLineCount(3);
        results_ = {};
    }

    void readCase(int c)
    {
        results_.Cases.resize(static_cast<std::size_t>(c) + 1);
        readPressures(c);
        readPYCurves(c);
        readStations(c);
        if (c == 0)
            fillSoilColumn();
    }

    // Section A: earth pressure along the wall.
    void readPressures(int c)
    {
        const int count = std::max(in_.ReadInteger(), 0);
        largestPressureCount_ = std::max(largestPressureCount_, count);
        results_.LargestPressureCount = largestPressureCount_;
        ensureLines(g_.pltLD.Curves, c + 1);
        TLine& pressure = g_.pltLD.Curves.Line(c);
        TCaseResults& arrays = results_.Cases[static_cast<std::size_t>(c)];
        const long double combinedDepthScale = project_.Units == UnitsEnglish ? 12 : 1;
        for (int j = 0; j < count; ++j) {
            const long double depth = in_.ReadFloat();
            const long double total = in_.ReadFloat();
            const long double soil = in_.ReadFloat();
            const long double surcharge = in_.ReadFloat();
            pressure.Points.push_back({total, depth});
            arrays.PressureDepth.push_back(depth);
            arrays.PressureTotal.push_back(total);
            if (c != 0)
                continue;
            const long double combinedDepth = depth / combinedDepthScale;
            g_.PltCombine.Curves.Line(0).Points.push_back({total, combinedDepth});
            g_.PltCombine.Curves.Line(1).Points.push_back({soil, combinedDepth});
            g_.PltCombine.Curves.Line(2).Points.push_back({surcharge, combinedDepth});
        }
        if (c == 0) {
            g_.PltCombine.Curves.Line(0).Name = "Total Earth Pressure";
            g_.PltCombine.Curves.Line(1).Name = "from Soils ";
            g_.PltCombine.Curves.Line(2).Name = "from Surcharge Loads";
        }
    }

    // Section B: the unit code and the p-y curves, which replace those of
    // the case before.
    void readPYCurves(int c)
    {
        units_ = in_.ReadInteger();
        if (units_ == UnitsEnglish)
            for (TFloatPoint& point : g_.pltLD.Curves.Line(c).Points)
                point.Y /= 12;
        const int count = std::max(in_.ReadInteger(), 0);
        TLineList& curves = g_.pltPY.Curves;
        curves.SetLineCount(0);
        int largest = 0;
        for (int i = 0; i < count; ++i) {
            ensureLines(curves, i + 1);
            TLine& curve = curves.Line(i);
            curve.Number = in_.ReadFloat();
            const int points = std::max(in_.ReadInteger(), 0);
            largest = std::max(largest, points);
            for (int j = 0; j < points; ++j) {
                const long double y = in_.ReadFloat();
                const long double p = in_.ReadFloat();
                curve.Points.push_back({y, p});
            }
        }
        padList(curves, largest);
    }

    std::vector<TGraphPlot*> depthGraphs() { return {&g_.pltDef, &g_.pltMom, &g_.pltShear, &g_.pltSoil}; }

    // Section C: the station results.
    void readStations(int c)
    {
        const int blockCode = in_.ReadInteger();
        if (c == 0)
            caseCount_ = std::max(blockCode, 1);
        const int stations = std::max(in_.ReadInteger(), 0);
        in_.ReadInteger();  // the unit code again
        largestStationCount_ = std::max(largestStationCount_, stations);

        for (TGraphPlot* graph : depthGraphs())
            ensureLines(graph->Curves, c + 1);
        for (TLineList* panel : {&g_.pltDMS.Curves, &g_.pltDMS.Curves2, &g_.pltDMS.Curves3})
            ensureLines(*panel, c + 1);
        g_.pltDMS.ShowThree = true;
        nameCase(c);

        TLine& deflection = g_.pltDef.Curves.Line(c);
        TLine& moment = g_.pltMom.Curves.Line(c);
        TLine& shear = g_.pltShear.Curves.Line(c);
        TLine& reaction = g_.pltSoil.Curves.Line(c);
        TCaseResults& arrays = results_.Cases[static_cast<std::size_t>(c)];
        // English files: feet, kip-inches and kips.
        const bool english = units_ == UnitsEnglish;
        for (int j = 0; j < stations; ++j) {
            long double depth = in_.ReadFloat();
            const long double deflectionValue = in_.ReadFloat();
            long double momentValue = in_.ReadFloat();
            long double shearValue = in_.ReadFloat();
            const long double reactionValue = in_.ReadFloat();
            if (english) {
                depth /= 12;
                momentValue /= 1000;
                shearValue /= 1000;
            }
            deflection.Points.push_back({deflectionValue, depth});
            moment.Points.push_back({momentValue, depth});
            shear.Points.push_back({shearValue, depth});
            reaction.Points.push_back({reactionValue, depth});
            g_.pltDMS.Curves.Line(c).Points.push_back({deflectionValue, depth});
            g_.pltDMS.Curves2.Line(c).Points.push_back({momentValue, depth});
            g_.pltDMS.Curves3.Line(c).Points.push_back({shearValue, depth});
            arrays.Depth.push_back(depth);
            arrays.Deflection.push_back(deflectionValue);
            arrays.Moment.push_back(momentValue);
            arrays.Shear.push_back(shearValue);
            arrays.Reaction.push_back(reactionValue);
        }
    }

    // Curves of a run with several cases are named by stage, or as the
    // short- and long-term case.
    void nameCase(int c)
    {
        if (caseCount_ <= 1)
            return;
        std::string name = "Stage: " + std::to_string(c + 1);
        if (project_.CaseCode == 9 && c <= 1)
            name = c == 0 ? "Short-Term" : "Long-Term";
        for (TGraphPlot* graph : {&g_.pltDef, &g_.pltMom, &g_.pltShear, &g_.pltSoil, &g_.pltDMS})
            setLineName(*graph, c, name);
    }

    // The soil column of the deflection-moment-shear graph: one line per
    // soil layer (pattern code, depth at bottom), then the wall's length
    // and its free height, in the unit of the depth axis.
    void fillSoilColumn()
    {
        TGraphPlot& dms = g_.pltDMS;
        if (dms.Curves.Count() == 0 || dms.Curves.PointCount() == 0 || project_.SoilLayers.empty())
            return;
        const int layers = static_cast<int>(project_.SoilLayers.size());
        dms.LayerLines.SetLineCount(layers + 2);
        dms.LayerLines.SetPointCount(1);
        for (int i = 0; i < layers; ++i) {
            const TSoilLayerRow& row = project_.SoilLayers[static_cast<std::size_t>(i)];
            TLine& line = dms.LayerLines.Line(i);
            const SoilLine soil = soilLineOf(row.SoilType, i + 1);
            line.Name = soil.name;
            line.Point(0) = {static_cast<long double>(soil.code), row.Depth};
        }
        const long double toDepthUnit = project_.Units == UnitsEnglish ? 12 : 1;
        TLine& wallLength = dms.LayerLines.Line(layers);
        TLine& freeHeight = dms.LayerLines.Line(layers + 1);
        wallLength.Name = "PILE";
        freeHeight.Name = "PILE";
        wallLength.Point(0) = {0, project_.IncrementCount * project_.IncrementLength / toDepthUnit};
        freeHeight.Point(0) = {0, project_.FreeHeight / toDepthUnit};
        dms.WallLineCount = layers;
    }

    // Cases with fewer points than the largest repeat their last point.
    void padCases()
    {
        TLineList& pressures = g_.pltLD.Curves;
        for (int i = 0; i < pressures.Count(); ++i) {
            TLine& line = pressures.Line(i);
            padLine(line, largestPressureCount_);
            for (int j = 1; j < line.PointCount(); ++j)
                if (std::fabs(line.Point(j).X) < 1E-7L && std::fabs(line.Point(j).Y) < 1E-7L)
                    line.Point(j) = line.Point(j - 1);
        }
        if (g_.pltDef.Curves.Count() <= 1)
            return;
        for (TGraphPlot* graph : depthGraphs())
            padList(graph->Curves, largestStationCount_);
        for (TLineList* panel : {&g_.pltDMS.Curves, &g_.pltDMS.Curves2, &g_.pltDMS.Curves3})
            padList(*panel, largestStationCount_);
        for (TCaseResults& arrays : results_.Cases)
            for (std::vector<long double>* values :
                 {&arrays.Depth, &arrays.Deflection, &arrays.Moment, &arrays.Shear, &arrays.Reaction})
                padArray(*values, largestStationCount_);
    }

    void setCaptions()
    {
        const bool english = units_ == UnitsEnglish;
        const std::string moment = english ? "Moment (in-kips)" : "Moment (m-kN)";
        const std::string bendingMoment = "Bending " + moment;
        const std::string depth = english ? "Depth (ft)" : "Depth (m)";
        const std::string force = english ? "(kips)" : "(kN)";
        g_.pltMomEi.XCaption = moment;
        g_.pltMomEi.YCaption = english ? "EI (kips-in^2)" : "EI (kN-m^2)";
        g_.pltMomCurv.YCaption = moment;
        g_.pltInter.XCaption = bendingMoment;
        g_.pltInter.YCaption = "Axial Load " + force;
        g_.pltDef.YCaption = depth;
        g_.pltMom.XCaption = bendingMoment;
        g_.pltMom.YCaption = depth;
        g_.pltShear.XCaption = "Shear " + force;
        g_.pltShear.YCaption = depth;
        g_.pltSoil.YCaption = depth;
        g_.pltLM.XCaption = "Maximum " + moment;
        g_.pltLM.YCaption = "Lateral Load " + force;
        g_.pltLD.YCaption = depth;

        TGraphPlot& dms = g_.pltDMS;
        dms.XCaption = g_.pltDef.XCaption;
        dms.YCaption = g_.pltDef.YCaption;
        dms.XUnits = g_.pltDef.XUnits;
        dms.XCaption2 = g_.pltMom.XCaption;
        dms.YCaption2 = g_.pltMom.YCaption;
        dms.XUnits2 = g_.pltMom.XUnits;
        dms.XCaption3 = g_.pltShear.XCaption;
        dms.YCaption3 = g_.pltShear.YCaption;
        dms.XUnits3 = g_.pltShear.XUnits;
    }

    TWordReader& in_;
    const TPlotProject& project_;
    TResultGraphs& g_;
    TProjectResults& results_;
    int units_ = UnitsEnglish;
    int caseCount_ = 1;
    int largestPressureCount_ = 0;
    int largestStationCount_ = 0;
};

}  // namespace

TPlotProject PlotProjectOf(const TProgramData& project)
{
    TPlotProject view;
    view.Units = project.Units();
    view.CaseCode = project.CaseCode;
    view.IncrementCount = project.IncrementCount;
    view.IncrementLength = project.IncrementLength;
    view.FreeHeight = project.FreeHeight;
    const TGridTable& soil = project.Table("NewSoil");
    for (int row = 0; row < soil.RowCount(); ++row)
        view.SoilLayers.push_back({soil.Cell(0, row).GetInt(), soil.Cell(1, row).GetFloat()});
    return view;
}

bool ReadPlotData(const std::string& fileName, const TPlotProject& project, TResultGraphs& graphs,
                  TProjectResults& results, const std::function<void(const std::string&)>& showMessage)
{
    try {
        TWordReader in(fileName);
        PlotDataReader(in, project, graphs, results).read();
        return true;
    } catch (const EInOutError&) {
        if (showMessage)
            showMessage(PlotReadErrorMessage);
        return false;
    }
}

}  // namespace truvex
