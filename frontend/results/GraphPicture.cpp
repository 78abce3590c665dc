#include "GraphPicture.h"

#include "GraphDraw.h"
#include "GraphLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace truvex {

bool GraphHasCurves(const TGraphPlot& graph)
{
    return graph.Curves.Count() > 0 && graph.Curves.PointCount() > 1;
}

QImage RenderGraphPicture(const TGraphPlot& graph, const TPictureSize& size)
{
    TGraphView view;
    if (size.Width <= 0 || size.Height <= 0 || !view.Open(graph))
        return {};
    TDrawSurface surface;
    surface.R = size.Width;
    surface.B = size.Height;
    surface.Px = surface.Py = size.Ppi;
    surface.ForOutput = true;
    surface.IntoBitmap = true;
    // Laid out as on a window, so that the soil column is wide enough for
    // the layer names.
    view.Layout = ComputeLayout(graph, surface);

    QImage image(size.Width, size.Height, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(size.Ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);

    // The legend's place as a fraction of the plot area, so that the box
    // ends a sixteenth of an inch inside its lower right corner.
    const TPixelRect& plot = view.Layout.Plot;
    const TPixelPoint legend = PictureLegendSize(painter, graph, surface);
    TLegendPlacement placement;
    if (plot.Width() > 0 && plot.Height() > 0) {
        placement.Left = std::max(0.0, double(plot.Width() - legend.X - size.Ppi / 16) / plot.Width());
        placement.Top = std::max(0.0, double(plot.Height() - legend.Y - size.Ppi / 16) / plot.Height());
    }
    DrawGraph(painter, graph, view, surface, placement);
    return image;
}

std::vector<TPictureFile> SaveResultPictures(TResultGraphs& graphs, const std::filesystem::path& folder,
                                             const std::string& projectName, const TPictureSize& size)
{
    struct Picture {
        TGraphPlot* graph;
        const char* name;
        bool offered;
    };
    const bool depthGraphs =
        GraphHasCurves(graphs.pltDef) && GraphHasCurves(graphs.pltMom) && GraphHasCurves(graphs.pltShear);
    const Picture pictures[] = {
        {&graphs.pltDef, "deflection", GraphHasCurves(graphs.pltDef)},
        {&graphs.pltMom, "moment", GraphHasCurves(graphs.pltMom)},
        {&graphs.pltShear, "shear", GraphHasCurves(graphs.pltShear)},
        {&graphs.pltSoil, "net-reaction", GraphHasCurves(graphs.pltSoil)},
        {&graphs.pltDMS, "deflection-moment-shear", depthGraphs},
        {&graphs.pltLD, "earth-pressure", GraphHasCurves(graphs.pltLD)},
        {&graphs.PltCombine, "earth-pressure-combined", GraphHasCurves(graphs.PltCombine)},
        {&graphs.pltPY, "py-curves", GraphHasCurves(graphs.pltPY)},
    };
    // The three-panel picture shows the soil column beside the panels, when
    // the project has soil layers of some depth (a project whose earth
    // pressure and p-y curves are all given has only the table's empty row).
    TGraphPlot& dms = graphs.pltDMS;
    dms.ShowLayers = false;
    for (int i = 0; i < dms.WallLineCount; ++i)
        if (dms.LayerLines.Line(i).PointCount() > 0 && dms.LayerLines.Point(i, 0).Y > 0)
            dms.ShowLayers = true;

    std::vector<TPictureFile> files;
    for (const Picture& picture : pictures) {
        if (!picture.offered)
            continue;
        TPictureFile file;
        file.Path = folder / (projectName + "-" + picture.name + ".png");
        const QImage image = RenderGraphPicture(*picture.graph, size);
        if (image.isNull())
            file.Message = "the graph cannot be scaled";
        else if (!image.save(QString::fromStdString(file.Path.string()), "PNG"))
            file.Message = "cannot write the picture";
        else
            file.Saved = true;
        files.push_back(std::move(file));
    }
    return files;
}

}  // namespace truvex
