// Pictures of the result graphs: a graph drawn into an image of its own
// size, laid out as on a window, with the picture legend in the plot area.
// Used by truvex-run to write the graphs of a project as picture files.
#pragma once

#include "PltData.h"

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

namespace truvex {

struct TPictureSize {
    int Width = 960;    // pixels
    int Height = 720;
    int Ppi = 96;       // the resolution the layout and the texts assume
};

// True when a graph has something to draw: at least one curve, and more
// than one point in its first curve (the rule of the Graphics menu).
bool GraphHasCurves(const TGraphPlot& graph);

// The graph drawn into a new image, its legend in the lower right corner of
// the plot area. A null image when the graph cannot be scaled.
QImage RenderGraphPicture(const TGraphPlot& graph, const TPictureSize& size = {});

struct TPictureFile {
    std::filesystem::path Path;
    bool Saved = false;
    std::string Message;  // why it was not saved
};

// Saves the pictures of the results of one project into `folder`, named
// after the project and the graph ("wall-deflection.png"): deflection,
// moment, shear, net reaction, the three-panel deflection-moment-shear
// graph with its soil column, earth pressure, combined earth pressure and
// p-y curves. Graphs without curves are left out.
std::vector<TPictureFile> SaveResultPictures(TResultGraphs& graphs, const std::filesystem::path& folder,
                                             const std::string& projectName, const TPictureSize& size = {});

}  // namespace truvex
