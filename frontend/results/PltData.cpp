#include "PltData.h"

#include "util/MorString.h"

#include <algorithm>

namespace truvex {

void TLine::SetPointCount(int count)
{
    Points.resize(static_cast<std::size_t>(std::max(count, 0)));
}

std::string TLine::GetLineName() const
{
    if (!Name.empty())
        return Name;
    return owner_->CurveName + FormatGeneral(Number, 15);
}

void TLineList::SetLineCount(int count)
{
    const std::size_t wanted = static_cast<std::size_t>(std::max(count, 0));
    if (lines_.size() > wanted)
        lines_.resize(wanted);
    while (lines_.size() < wanted)
        lines_.push_back(std::make_unique<TLine>(*owner_, owner_->Curves.Count() + 1));
}

void TLineList::SetPointCount(int count)
{
    for (const std::unique_ptr<TLine>& line : lines_)
        line->SetPointCount(count);
}

void TGraphPlot::SetUnits(int system)
{
    units_ = std::clamp(system, 1, 3);
}

namespace {

struct DesignValues {
    const char* caption;
    const char* curveName;
    const char* xCaption;
    const char* xUnits;
    bool xOnTop;
    const char* yCaption;
    const char* yUnits;
};

void apply(TGraphPlot& graph, const DesignValues& values)
{
    graph.Caption = values.caption;
    graph.CurveName = values.curveName;
    graph.XCaption = values.xCaption;
    graph.XUnits = values.xUnits;
    graph.XOnTop = values.xOnTop;
    graph.YCaption = values.yCaption;
    graph.YUnits = values.yUnits;
}

}  // namespace

TResultGraphs::TResultGraphs()
{
    apply(pltPY, {"p-y Curves", "Depth ", "y", "L", false, "p", "F/L"});
    apply(pltDef, {"Deflection vs Depth", "Load #", "Deflection", "L", true, "Depth", ""});
    apply(pltMom, {"Moment vs Depth", "Load #", "Bending Moment", "", true, "Depth", ""});
    apply(pltShear, {"Shear vs Depth", "Load #", "Shear", "", true, "Depth", ""});
    apply(pltSoil, {"Net Reaction vs Depth", "Load #", "Reaction", "F", true, "Depth", ""});
    apply(pltDMS, {"Deflection, Moment, Shear vs Depth", "Curve #", "Deflection", "L", true, "Depth", ""});
    apply(pltLD, {"Earth Pressure Distribution", "Curve #", "Distributed load", "F/L", true, "Depth", ""});
    apply(PltCombine, {"Earth Pressure Combined", "Curve #", "Distributed Load", "F/L", true, "Depth", "L2"});
}

std::vector<TGraphPlot*> TResultGraphs::All()
{
    return {&pltPY, &pltDef, &pltMom, &pltShear, &pltSoil, &pltDMS,
            &pltLD, &PltCombine, &pltInter, &pltMomEi, &pltMomCurv, &pltLM};
}

}  // namespace truvex
