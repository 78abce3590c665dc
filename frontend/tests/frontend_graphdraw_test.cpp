// Pictures of the graphs of engine-analysed examples, checked by probing
// pixels: frames, curves in their palette colours, texts, the soil column
// and the picture legend. Texts are only checked to be there.
#include "results/GraphDraw.h"
#include "results/GraphLayout.h"
#include "results/GraphPicture.h"
#include "results/PlotReader.h"
#include "results/PltData.h"
#include "results_test_support.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace truvex;

namespace {

const TPictureSize kSize;  // 960 x 720 at 96 pixels per inch

bool IsBlack(const QImage& image, int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); }

bool IsDark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Dark pixels in a rectangle (inclusive corners), clipped to the image.
int DarkPixels(const QImage& image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y <= std::min(bottom, image.height() - 1); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x)
            count += IsDark(image, x, y) ? 1 : 0;
    return count;
}

int PixelsOf(const QImage& image, const QColor& colour, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// The layout and extents the picture was drawn with.
TGraphView ViewOf(const TGraphPlot& graph)
{
    TGraphView view;
    view.Open(graph);
    TDrawSurface surface;
    surface.R = kSize.Width;
    surface.B = kSize.Height;
    view.Layout = ComputeLayout(graph, surface);
    return view;
}

// Every pixel of the frame of a plot rectangle is black.
bool FrameIsBlack(const QImage& image, const TPixelRect& rect)
{
    for (int x = rect.Left; x <= rect.Right; ++x)
        if (!IsBlack(image, x, rect.Top) || !IsBlack(image, x, rect.Bottom))
            return false;
    for (int y = rect.Top; y <= rect.Bottom; ++y)
        if (!IsBlack(image, rect.Left, y) || !IsBlack(image, rect.Right, y))
            return false;
    return true;
}

}  // namespace

class GraphDrawTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void deflectionPicture();
    void momentPictureWithTwoCases();
    void coloursFollowActiveCurves();
    void threePanelPictureWithSoilColumn();
    void soilColumnWithWall();
    void threePanelPolylineStopsBeforeLastPoint();
    void pictureLegend();
    void smallSurfaceStaysWhite();
    void savedPictureFiles();

private:
    // Reads the plot data of an example analysed by the engine.
    void Load(const QString& example, TResultGraphs& graphs)
    {
        const test::ExampleRun run = test::RunExample(example, dir_);
        QVERIFY(run.summary.status == RunSummary::Status::Completed);
        TProjectResults results;
        QVERIFY(ReadPlotData(run.plotFile.string(), test::OpenPlotProject(run.projectFile), graphs, results));
    }

    QTemporaryDir dir_;
    TResultGraphs layered_;   // one case, three soil layers, SI
    TResultGraphs longTerm_;  // short- and long-term case, SI
};

void GraphDrawTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    Load("cantilever-sheet-pile-layered-soil-si.tx5d", layered_);
    Load("trench-wall-long-term-si.tx5d", longTerm_);
}

void GraphDrawTest::deflectionPicture()
{
    TGraphPlot& graph = layered_.pltDef;
    const QImage image = RenderGraphPicture(graph, kSize);
    QCOMPARE(image.size(), QSize(kSize.Width, kSize.Height));
    const TGraphView view = ViewOf(graph);
    const TPixelRect& plot = view.Layout.Plot;
    QVERIFY(FrameIsBlack(image, plot));

    // The curve: dark pixels around a station that the hidden curve lacks.
    const TFloatPoint station = graph.Curves.Point(0, 10);
    const TPixelPoint at = view.ToPixel(graph, 0, station.X, station.Y);
    QVERIFY(plot.ContainsX(at.X) && plot.ContainsY(at.Y));
    QVERIFY(IsBlack(image, at.X, at.Y));
    graph.Curves.Line(0).Shown = false;
    const QImage hidden = RenderGraphPicture(graph, kSize);
    graph.Curves.Line(0).Shown = true;
    QVERIFY(DarkPixels(image, at.X - 3, at.Y - 3, at.X + 3, at.Y + 3) >
            DarkPixels(hidden, at.X - 3, at.Y - 3, at.X + 3, at.Y + 3) + 3);

    // Texts: the x caption centred at the top, the y caption at the left,
    // tick labels above the plot (depth plots put the x axis on top).
    QVERIFY(DarkPixels(image, 380, 0, 580, 16) > 40);
    QVERIFY(DarkPixels(image, 0, 300, 16, 420) > 40);
    QVERIFY(DarkPixels(image, plot.Left, plot.Top - 20, plot.Right, plot.Top - 4) > 40);
    QVERIFY(DarkPixels(image, plot.Left - 22, plot.Top, plot.Left - 4, plot.Bottom) > 40);
    // Nothing right of the plot, nor below it (the lowest depth label
    // reaches below the plot's left edge).
    QCOMPARE(DarkPixels(image, plot.Right + 2, plot.Top, kSize.Width - 1, kSize.Height - 1), 0);
    QCOMPARE(DarkPixels(image, plot.Left, plot.Bottom + 2, kSize.Width - 1, kSize.Height - 1), 0);
}

void GraphDrawTest::momentPictureWithTwoCases()
{
    const TGraphPlot& graph = longTerm_.pltMom;
    QCOMPARE(graph.Curves.Count(), 2);
    const QImage image = RenderGraphPicture(graph, kSize);
    const TGraphView view = ViewOf(graph);
    QVERIFY(FrameIsBlack(image, view.Layout.Plot));
    // The long-term curve in palette colour 1, over the short-term one.
    const TLine& longTerm = graph.Curves.Line(1);
    const TFloatPoint point = longTerm.Point(longTerm.PointCount() / 3);
    const TPixelPoint at = view.ToPixel(graph, 0, point.X, point.Y);
    QCOMPARE(image.pixelColor(at.X, at.Y), QColor(0, 0, 255));
    QVERIFY(PixelsOf(image, QColor(0, 0, 255), view.Layout.Plot.Left, view.Layout.Plot.Top, view.Layout.Plot.Right,
                     view.Layout.Plot.Bottom) > 100);
}

void GraphDrawTest::coloursFollowActiveCurves()
{
    // An inactive first curve leaves colour 0 to the next active curve.
    TGraphPlot& graph = longTerm_.pltDef;
    graph.Curves.Line(0).Active = false;
    const QImage image = RenderGraphPicture(graph, kSize);
    graph.Curves.Line(0).Active = true;
    const TGraphView view = ViewOf(graph);
    const TPixelRect& plot = view.Layout.Plot;
    QCOMPARE(PixelsOf(image, QColor(0, 0, 255), plot.Left, plot.Top, plot.Right, plot.Bottom), 0);
    const TLine& longTerm = graph.Curves.Line(1);
    const TFloatPoint point = longTerm.Point(longTerm.PointCount() / 3);
    const TPixelPoint at = view.ToPixel(graph, 0, point.X, point.Y);
    QVERIFY(IsBlack(image, at.X, at.Y));
}

void GraphDrawTest::threePanelPictureWithSoilColumn()
{
    TGraphPlot& graph = layered_.pltDMS;
    graph.ShowLayers = true;
    const QImage image = RenderGraphPicture(graph, kSize);
    const TGraphView view = ViewOf(graph);
    graph.ShowLayers = false;
    for (int panel = 0; panel < 3; ++panel) {
        const TPixelRect& rect = view.Layout.Panels[static_cast<std::size_t>(panel)];
        QVERIFY(FrameIsBlack(image, rect));
        // Each panel's x caption above it and its curve inside it.
        QVERIFY(DarkPixels(image, rect.Left, 0, rect.Right, 16) > 30);
        const std::array<const TLineList*, 3> lists = {&graph.Curves, &graph.Curves2, &graph.Curves3};
        const TFloatPoint point = lists[static_cast<std::size_t>(panel)]->Point(0, 20);
        const TPixelPoint at = view.ToPixel(graph, panel, point.X, point.Y);
        QVERIFY(at.X >= rect.Left && at.X <= rect.Right);
        QVERIFY(IsBlack(image, at.X, at.Y));
    }
    // The soil column: three layers, each outlined, filled and named.
    const TPixelRect& strip = view.Layout.SoilStrip;
    QVERIFY(view.Layout.HasSoilStrip);
    for (int layer = 0; layer < 3; ++layer) {
        const int top = layer == 0 ? view.ToPixel(graph, 0, 0, 0).Y
                                   : view.ToPixel(graph, 0, 0, graph.LayerLines.Point(layer - 1, 0).Y).Y;
        const int bottom = view.ToPixel(graph, 0, 0, graph.LayerLines.Point(layer, 0).Y).Y;
        QVERIFY(IsBlack(image, strip.Left, (top + bottom) / 2));
        // The pattern between the outline and the name.
        const int patterned = DarkPixels(image, strip.Left + 3, top + 3, strip.Right - 4, top + (bottom - top) / 3);
        QVERIFY2(patterned > 10, qPrintable(QString("layer %1: %2").arg(layer).arg(patterned)));
        // The name on white, in the middle of the band.
        const int middle = (top + bottom) / 2;
        const int nameInk = DarkPixels(image, strip.Left + 10, middle - 6, strip.Right - 10, middle + 6);
        QVERIFY(nameInk > 20);
    }
    // Clay and sand are filled differently.
    const int sandTop = view.ToPixel(graph, 0, 0, 0).Y;
    const int clayTop = view.ToPixel(graph, 0, 0, graph.LayerLines.Point(0, 0).Y).Y;
    QVERIFY(DarkPixels(image, strip.Left + 3, clayTop + 3, strip.Right - 4, clayTop + 30) >
            2 * DarkPixels(image, strip.Left + 3, sandTop + 3, strip.Right - 4, sandTop + 30));
}

void GraphDrawTest::soilColumnWithWall()
{
    TGraphPlot& graph = layered_.pltDMS;
    graph.ShowLayers = true;
    graph.ShowWall = true;
    const QImage image = RenderGraphPicture(graph, kSize);
    const TGraphView view = ViewOf(graph);
    graph.ShowLayers = false;
    graph.ShowWall = false;
    const TPixelRect& strip = view.Layout.SoilStrip;
    const int w = strip.Width();
    const int wallBottom = view.ToPixel(graph, 0, 0, graph.LayerLines.Point(graph.WallLineCount, 0).Y).Y;
    const int excavation = view.ToPixel(graph, 0, 0, graph.LayerLines.Point(graph.WallLineCount + 1, 0).Y).Y;
    const QColor grey(128, 128, 128);
    // The wall: grey over the middle fifth from the top to its length.
    QCOMPARE(image.pixelColor(strip.Left + w / 2, strip.Top + 5), grey);
    QCOMPARE(image.pixelColor(strip.Left + w / 2, wallBottom - 2), grey);
    QVERIFY(image.pixelColor(strip.Left + w / 2, wallBottom + 3) != grey);
    // Above the excavation the excavation side is empty; below it, soil.
    QCOMPARE(DarkPixels(image, strip.Left + 3 * w / 5 + 2, strip.Top + 2, strip.Right - 2, excavation - 3), 0);
    QVERIFY(DarkPixels(image, strip.Left + 3 * w / 5 + 2, excavation + 3, strip.Right - 2, excavation + 40) > 10);
    QVERIFY(DarkPixels(image, strip.Left + 2, strip.Top + 2, strip.Left + 2 * w / 5 - 2, excavation - 3) > 10);
}

void GraphDrawTest::threePanelPolylineStopsBeforeLastPoint()
{
    TGraphPlot graph;
    graph.ShowThree = true;
    graph.Markers = 0;
    for (TLineList* panel : {&graph.Curves, &graph.Curves2, &graph.Curves3}) {
        panel->SetLineCount(2);
        panel->Line(0).Points = {{0, 0}, {1, 1}, {7.3L, 1.3L}};
        panel->Line(1).Points = {{0, 0}, {1, 1}, {1, 3}};
    }
    const auto lastPointInk = [&](int panel) {
        const QImage image = RenderGraphPicture(graph, kSize);
        const TGraphView view = ViewOf(graph);
        const TPixelPoint last = view.ToPixel(graph, panel, 7.3L, 1.3L);
        const TPixelPoint between = view.ToPixel(graph, panel, 4.15L, 1.15L);
        const bool lastDrawn = DarkPixels(image, last.X, last.Y, last.X, last.Y) > 0;
        const bool segmentDrawn = DarkPixels(image, between.X - 1, between.Y - 1, between.X + 1, between.Y + 1) > 0;
        return int(lastDrawn) + int(segmentDrawn);
    };
    // With more than one curve each polyline stops at its next-to-last
    // point; with one curve it runs to the last.
    for (int panel = 0; panel < 3; ++panel)
        QCOMPARE(lastPointInk(panel), 0);
    for (TLineList* panel : {&graph.Curves, &graph.Curves2, &graph.Curves3})
        panel->SetLineCount(1);
    for (int panel = 0; panel < 3; ++panel)
        QCOMPARE(lastPointInk(panel), 2);
}

void GraphDrawTest::pictureLegend()
{
    const TGraphPlot& graph = longTerm_.pltDef;
    const QImage image = RenderGraphPicture(graph, kSize);
    const TGraphView view = ViewOf(graph);
    const TPixelRect& plot = view.Layout.Plot;
    QImage scratch(10, 10, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TDrawSurface surface;
    const TPixelPoint size = PictureLegendSize(painter, graph, surface);
    QVERIFY(size.X > 40 && size.Y > 20);
    // The box ends near the lower right corner of the plot area; its rows
    // carry the texts in the curves' colours.
    const int right = plot.Right - 6;
    const int bottom = plot.Bottom - 6;
    QVERIFY(DarkPixels(image, right - 3, bottom - size.Y + 4, right + 1, bottom - 4) >= size.Y - 10);
    QVERIFY(PixelsOf(image, QColor(0, 0, 255), right - size.X + 12, bottom - size.Y / 2, right - 2, bottom - 2) > 10);
    QVERIFY(DarkPixels(image, right - size.X + 12, bottom - size.Y + 2, right - 2, bottom - size.Y / 2) > 10);

    // Hidden curves leave the picture legend.
    TGraphPlot& single = layered_.pltDef;
    single.Curves.Line(0).Shown = false;
    QCOMPARE(PictureLegendSize(painter, single, surface).X, 0);
    single.Curves.Line(0).Shown = true;
}

void GraphDrawTest::smallSurfaceStaysWhite()
{
    QImage image(90, 300, QImage::Format_RGB32);  // under an inch wide
    image.fill(Qt::red);
    TGraphView view;
    QVERIFY(view.Open(layered_.pltDef));
    TDrawSurface surface;
    surface.R = 90;
    surface.B = 300;
    view.Layout = ComputeLayout(layered_.pltDef, surface);
    QPainter painter(&image);
    DrawGraph(painter, layered_.pltDef, view, surface);
    painter.end();
    QCOMPARE(PixelsOf(image, QColor(Qt::white), 0, 0, 89, 299), 90 * 300);
}

void GraphDrawTest::savedPictureFiles()
{
    const std::vector<TPictureFile> files = SaveResultPictures(layered_, dir_.path().toStdString(), "wall");
    QStringList names;
    for (const TPictureFile& file : files) {
        QVERIFY2(file.Saved, qPrintable(QString::fromStdString(file.Message)));
        names << QString::fromStdString(file.Path.filename().string());
    }
    // No p-y curves in this project: no p-y picture.
    QCOMPARE(names, QStringList({"wall-deflection.png", "wall-moment.png", "wall-shear.png", "wall-net-reaction.png",
                                 "wall-deflection-moment-shear.png", "wall-earth-pressure.png",
                                 "wall-earth-pressure-combined.png"}));
    // The saved three-panel picture is the drawing, soil column included.
    QImage saved(dir_.filePath("wall-deflection-moment-shear.png"));
    QCOMPARE(saved.size(), QSize(kSize.Width, kSize.Height));
    const TGraphView view = ViewOf(layered_.pltDMS);
    QVERIFY(layered_.pltDMS.ShowLayers);
    QVERIFY(FrameIsBlack(saved, view.Layout.Panels[2]));
    QVERIFY(DarkPixels(saved, view.Layout.SoilStrip.Left, view.Layout.SoilStrip.Top, view.Layout.SoilStrip.Right,
                       view.Layout.SoilStrip.Bottom) > 500);
    layered_.pltDMS.ShowLayers = false;

    // A graph without curves gives no picture; one that cannot be scaled a
    // null image.
    TGraphPlot empty;
    QVERIFY(!GraphHasCurves(empty));
    empty.Curves.SetLineCount(1);
    empty.Curves.Line(0).Points = {{0, 0}, {1e4000L * 1e4000L, 1}};
    QVERIFY(RenderGraphPicture(empty, kSize).isNull());
}

QTEST_MAIN(GraphDrawTest)
#include "frontend_graphdraw_test.moc"
