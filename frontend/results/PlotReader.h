// Reader of the plot-data file (".tx5p") that the engine writes after a
// run: fills the result graphs (curves, names, captions, the soil column of
// the deflection-moment-shear graph) and the project's result arrays.
#pragma once

#include "PltData.h"
#include "project/ProjectResults.h"

#include <functional>
#include <string>
#include <vector>

namespace truvex {

class TProgramData;

// One row of the soil-layer table `NewSoil`.
struct TSoilLayerRow {
    int SoilType = 1;          // 1 to 7
    long double Depth = 0;     // depth at the bottom of the layer (ft or m)
};

// What the reader takes from the project.
struct TPlotProject {
    int Units = 1;                     // 1 English, 2 SI, 3 other
    int CaseCode = 0;                  // 9: a long-term case follows the first
    int IncrementCount = 0;
    long double IncrementLength = 0;   // inches when English
    long double FreeHeight = 0;        // inches when English
    std::vector<TSoilLayerRow> SoilLayers;
};

// The reader's view of a project: its fields and the rows of `NewSoil`.
TPlotProject PlotProjectOf(const TProgramData& project);

// The message shown when the file cannot be read to its end.
inline constexpr const char* PlotReadErrorMessage = "An error occured in running the main program.";

// Reads the plot-data file into `graphs` and `results`. True when the file
// was read to its end. On a read error the graphs keep what was read,
// `showMessage` (when given) is called with the message, and the result is
// false. Other errors pass to the caller.
bool ReadPlotData(const std::string& fileName, const TPlotProject& project, TResultGraphs& graphs,
                  TProjectResults& results, const std::function<void(const std::string&)>& showMessage = {});

}  // namespace truvex
