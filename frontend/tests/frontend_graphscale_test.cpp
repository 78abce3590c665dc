// Graph descriptions, unit names, axis scaling, layout, pixel mapping,
// markers and the soil column, all without drawing.
#include "results/AxisCaption.h"
#include "results/GraphDraw.h"
#include "results/GraphLayout.h"
#include "results/GraphScale.h"
#include "results/PltData.h"

#include <QTest>

#include <cmath>

using namespace truvex;

Q_DECLARE_METATYPE(std::string)

namespace {

bool Near(long double a, long double b) { return std::fabs(static_cast<double>(a - b)) < 1e-12; }

// A graph whose first curve holds the given x and y values.
void SetCurve(TGraphPlot& graph, const std::vector<TFloatPoint>& points)
{
    graph.Curves.SetLineCount(1);
    graph.Curves.Line(0).Points = points;
}

TDrawSurface Window(int width, int height)
{
    TDrawSurface surface;
    surface.R = width;
    surface.B = height;
    return surface;
}

}  // namespace

class GraphScaleTest : public QObject {
    Q_OBJECT

private slots:
    void linesAndPoints();
    void designValues();
    void expandUnits_data();
    void expandUnits();
    void extents_data();
    void extents();
    void extentsUseEveryListedCurve();
    void majorStep_data();
    void majorStep();
    void ticksOnA600PixelAxis();
    void ticksNeedRoom();
    void windowLayout();
    void bitmapLayout();
    void pixelMapping();
    void threePanelToData();
    void coloursAndMarkers();
    void markerOutlines();
    void threePanelPolylineRule();
    void legendRows();
    void soilColumnWithoutWall();
    void soilColumnWithWallAndTwoLayers();
};

void GraphScaleTest::linesAndPoints()
{
    TGraphPlot graph;
    graph.CurveName = "Load #";
    graph.Curves.SetLineCount(3);
    QCOMPARE(graph.Curves.Line(2).GetLineName(), std::string("Load #3"));
    QCOMPARE(&graph.Curves.Line(2).Owner(), &graph);
    // Lines of the other lists are numbered after the first list's lines.
    graph.LayerLines.SetLineCount(2);
    QCOMPARE(graph.LayerLines.Line(1).GetLineName(), std::string("Load #4"));
    graph.Curves.Line(0).Name = "Stage: 1";
    QCOMPARE(graph.Curves.Line(0).GetLineName(), std::string("Stage: 1"));
    QVERIFY(graph.Curves.Line(0).Shown && graph.Curves.Line(0).Active);

    graph.Curves.SetPointCount(4);
    QCOMPARE(graph.Curves.PointCount(), 4);
    graph.Curves.Point(1, 3) = {2, 5};
    graph.Curves.Line(1).SetPointCount(2);
    graph.Curves.Line(1).SetPointCount(4);
    QCOMPARE(static_cast<double>(graph.Curves.Point(1, 3).X), 0.0);  // new points are zero
    graph.Curves.SetPointCount(-3);
    QCOMPARE(graph.Curves.Line(2).PointCount(), 0);
    graph.Curves.SetLineCount(-1);
    QCOMPARE(graph.Curves.Count(), 0);
    QCOMPARE(graph.Curves.PointCount(), 0);

    TGraphPlot py;
    py.CurveName = "Depth ";
    py.Curves.SetLineCount(1);
    py.Curves.Line(0).Number = 12.5L;
    QCOMPARE(py.Curves.Line(0).GetLineName(), std::string("Depth 12.5"));

    graph.SetUnits(0);
    QCOMPARE(graph.Units(), 1);
    graph.SetUnits(7);
    QCOMPARE(graph.Units(), 3);
}

void GraphScaleTest::designValues()
{
    TResultGraphs g;
    struct Row {
        TGraphPlot* graph;
        const char* caption;
        const char* curveName;
        const char* xCaption;
        const char* xUnits;
        bool xOnTop;
        const char* yUnits;
    };
    const Row rows[] = {
        {&g.pltPY, "p-y Curves", "Depth ", "y", "L", false, "F/L"},
        {&g.pltDef, "Deflection vs Depth", "Load #", "Deflection", "L", true, ""},
        {&g.pltMom, "Moment vs Depth", "Load #", "Bending Moment", "", true, ""},
        {&g.pltShear, "Shear vs Depth", "Load #", "Shear", "", true, ""},
        {&g.pltSoil, "Net Reaction vs Depth", "Load #", "Reaction", "F", true, ""},
        {&g.pltDMS, "Deflection, Moment, Shear vs Depth", "Curve #", "Deflection", "L", true, ""},
        {&g.pltLD, "Earth Pressure Distribution", "Curve #", "Distributed load", "F/L", true, ""},
        {&g.PltCombine, "Earth Pressure Combined", "Curve #", "Distributed Load", "F/L", true, "L2"},
    };
    for (const Row& row : rows) {
        QCOMPARE(row.graph->Caption, std::string(row.caption));
        QCOMPARE(row.graph->CurveName, std::string(row.curveName));
        QCOMPARE(row.graph->XCaption, std::string(row.xCaption));
        QCOMPARE(row.graph->XUnits, std::string(row.xUnits));
        QCOMPARE(row.graph->XOnTop, row.xOnTop);
        QCOMPARE(row.graph->YCaption, std::string(row.graph == &g.pltPY ? "p" : "Depth"));
        QCOMPARE(row.graph->YUnits, std::string(row.yUnits));
        QVERIFY(row.graph->ShowLegend && !row.graph->ShowLayers && !row.graph->ShowThree);
        QCOMPARE(row.graph->Markers, 1);
        QCOMPARE(row.graph->SizeFont, 10);
    }
    QCOMPARE(g.All().size(), std::size_t(12));
}

void GraphScaleTest::expandUnits_data()
{
    QTest::addColumn<QString>("symbols");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("names");
    QTest::newRow("L2 SI") << "L2" << 2 << "m";
    QTest::newRow("L2 English") << "L2" << 1 << "ft";
    QTest::newRow("F/L2 English") << "F/L2" << 1 << "lbs/ft";
    QTest::newRow("F/L2 SI") << "F/L2" << 2 << "kN/m";
    QTest::newRow("F/L English") << "F/L" << 1 << "lbs/in";
    QTest::newRow("L-F/Rad. English") << "L-F/Rad." << 1 << "in-lbs/Rad.";
    QTest::newRow("F1-L1 English") << "F1-L1" << 1 << "kips-in";
    QTest::newRow("F1-L1 SI") << "F1-L1" << 2 << "kN-mm";
    QTest::newRow("F2 English") << "F2" << 1 << "tons";
    // Only the first token found of each kind is replaced.
    QTest::newRow("F2 and F") << "F2/F" << 1 << "tons/F";
    QTest::newRow("other system") << "F/L2" << 3 << "F/L2";
}

void GraphScaleTest::expandUnits()
{
    QFETCH(QString, symbols);
    QFETCH(int, system);
    QFETCH(QString, names);
    QCOMPARE(QString::fromStdString(ExpandUnits(symbols.toStdString(), system)), names);
    QCOMPARE(AxisCaptionText("Depth", symbols.toStdString(), system), "Depth (" + names.toStdString() + ")");
    QCOMPARE(AxisCaptionText("Depth (ft)", "", system), std::string("Depth (ft)"));
}

void GraphScaleTest::extents_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::newRow("0 to 250") << 0.0 << 250.0 << 0.0 << 250.0;
    QTest::newRow("0 to 4") << 0.0 << 4.0 << 0.0 << 4.0;
    QTest::newRow("-0.37 to 12.2") << -0.37 << 12.2 << -1.0 << 13.0;
    QTest::newRow("all zero") << 0.0 << 0.0 << -0.01 << 0.01;
    QTest::newRow("positive only") << 3.0 << 7.0 << 0.0 << 7.0;  // zero is always inside
    QTest::newRow("30.5 ft wall") << 0.0 << 30.5 << 0.0 << 40.0;
}

void GraphScaleTest::extents()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, min);
    QFETCH(double, max);
    TGraphPlot graph;
    SetCurve(graph, {{low, high}, {high, low}, {(low + high) / 2, (low + high) / 2}});
    TExtents e;
    QVERIFY(ComputeExtents(graph.Curves, e));
    QVERIFY2(Near(e.XMin, min) && Near(e.XMax, max),
             qPrintable(QString("x %1 .. %2").arg(double(e.XMin)).arg(double(e.XMax))));
    QVERIFY(Near(e.YMin, min) && Near(e.YMax, max));
}

void GraphScaleTest::extentsUseEveryListedCurve()
{
    TGraphPlot graph;
    graph.Curves.SetLineCount(2);
    graph.Curves.Line(0).Points = {{1, 1}};
    graph.Curves.Line(1).Points = {{-42, 1}};
    graph.Curves.Line(1).Active = false;  // inactive curves count as well
    TExtents e;
    QVERIFY(ComputeExtents(graph.Curves, e));
    QCOMPARE(static_cast<double>(e.XMin), -50.0);
    QVERIFY(RoundingUnit(0.02L) > 0);
    long double min = 0;
    long double max = 1e4000L * 1e4000L;
    QVERIFY(!RoundOutward(min, max));  // an infinite range cannot be scaled
}

void GraphScaleTest::majorStep_data()
{
    QTest::addColumn<double>("raw");
    QTest::addColumn<double>("major");
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("2") << 2.0 << 2.0;
    QTest::newRow("4.9") << 4.9 << 2.0;
    QTest::newRow("5") << 5.0 << 5.0;
    QTest::newRow("8.5") << 8.5 << 5.0;
    QTest::newRow("9.5") << 9.5 << 10.0;
    QTest::newRow("0.03") << 0.03 << 0.02;
    QTest::newRow("1500") << 1500.0 << 1000.0;
}

void GraphScaleTest::majorStep()
{
    QFETCH(double, raw);
    QFETCH(double, major);
    QVERIFY(std::fabs(static_cast<double>(MajorStep(raw)) / major - 1) < 1e-12);
}

void GraphScaleTest::ticksOnA600PixelAxis()
{
    // F = 14: 600 / 84 = 7 intervals; -1 .. 13 gives a raw step of 2.
    const TTicks ticks = ComputeTicks(-1, 13, 600, 6 * 14);
    QCOMPARE(ticks.Intervals, 7);
    QVERIFY(ticks.Present);
    QVERIFY(Near(ticks.Major, 2));
    QVERIFY(Near(ticks.Minor, 0.4L));
    QCOMPARE(ticks.First, -2);
    QCOMPARE(ticks.Last, 32);
    QStringList labels;
    for (int i = ticks.First; i <= ticks.Last; ++i)
        if (i % 5 == 0)
            labels << QString::number(static_cast<double>(i * ticks.Minor), 'g', 4);
    QCOMPARE(labels, QStringList({"0", "2", "4", "6", "8", "10", "12"}));
}

void GraphScaleTest::ticksNeedRoom()
{
    QCOMPARE(ComputeTicks(0, 10, 83, 84).Intervals, 0);
    QVERIFY(!ComputeTicks(0, 10, 83, 84).Present);
    QCOMPARE(ComputeTicks(0, 10, -200, 84).Intervals, 2);  // spans count by size
    QVERIFY(!ComputeTicks(0, 10, 200, 0).Present);         // no base text height
}

void GraphScaleTest::windowLayout()
{
    TGraphPlot graph;
    TDrawSurface surface = Window(800, 600);  // 96 pixels per inch, F = 14
    TGraphLayout layout = ComputeLayout(graph, surface);
    QCOMPARE(layout.Plot.Left, 41);
    QCOMPARE(layout.Plot.Right, 769);
    QCOMPARE(layout.Plot.Top, 41);
    QCOMPARE(layout.Plot.Bottom, 569);
    QVERIFY(!layout.HasSoilStrip);

    graph.XOnTop = false;
    graph.GraphTitle = "Wall A";
    layout = ComputeLayout(graph, surface);
    QCOMPARE(layout.Plot.Top, 31);
    QCOMPARE(layout.Plot.Bottom, 559 - 14);  // the title at the bottom takes F

    graph.XOnTop = true;
    graph.TitleAtTop = true;
    graph.ShowLayers = true;
    graph.ShowThree = true;
    graph.SizeFont = 20;  // F = 28
    layout = ComputeLayout(graph, surface);
    QCOMPARE(layout.Plot.Left, 56 + 12 + 3);
    QCOMPARE(layout.Plot.Top, 71 + 3 + 28);
    const int oldRight = 800 - 24 - 14;
    QCOMPARE(layout.Plot.Right, oldRight - 96);
    QCOMPARE(layout.SoilStrip.Left, oldRight - 96 + 19);
    QCOMPARE(layout.SoilStrip.Right, oldRight);
    const int width = (layout.Plot.Right - layout.Plot.Left - 4 * 28 - 48) / 3;
    QCOMPARE(layout.Panels[0].Left, layout.Plot.Left);
    QCOMPARE(layout.Panels[0].Right, layout.Plot.Left + width);
    QCOMPARE(layout.Panels[1].Left, layout.Panels[0].Right + 56 + 24);
    QCOMPARE(layout.Panels[1].Width(), width);
    QCOMPARE(layout.Panels[2].Left, layout.Panels[1].Right + 56 + 24);
    QCOMPARE(layout.Panels[2].Right, layout.Plot.Right);
}

void GraphScaleTest::bitmapLayout()
{
    TGraphPlot graph;
    graph.GraphTitle = "Saved";
    graph.TitleAtTop = true;
    graph.ShowLayers = true;
    const TGraphLayout layout = ComputeBitmapLayout(graph, Window(432, 288));
    QCOMPARE(layout.Plot.Top, 41);  // no room for the title
    QCOMPARE(layout.SoilStrip.Right, 432 - 24 - 7);
    QCOMPARE(layout.Plot.Right, 432 - 24 - 7 - 48);  // half an inch
    QCOMPARE(layout.SoilStrip.Left, layout.Plot.Right + 19);
}

void GraphScaleTest::pixelMapping()
{
    TPanelMap depth{{-1, 13, 0, 40}, {41, 41, 769, 569}, true};
    QCOMPARE(depth.ToPixel(-1, 0).X, 41);
    QCOMPARE(depth.ToPixel(13, 0).X, 769);
    QCOMPARE(depth.ToPixel(0, 0).Y, 41);      // depth 0 at the top edge
    QCOMPARE(depth.ToPixel(0, 40).Y, 569);
    QCOMPARE(depth.ToPixel(0, 20).Y, 305);
    const TFloatPoint back = depth.ToData(405, 305);
    QVERIFY(std::fabs(static_cast<double>(back.Y) - 20) < 1e-9);
    QVERIFY(std::fabs(static_cast<double>(back.X) - 6) < 1e-9);

    TPanelMap py = depth;
    py.XOnTop = false;  // values grow upward
    QCOMPARE(py.ToPixel(0, 0).Y, 569);
    QCOMPARE(py.ToPixel(0, 40).Y, 41);
    QVERIFY(std::fabs(static_cast<double>(py.ToData(41, 41).Y) - 40) < 1e-9);
    // Far outside values stay inside int.
    QCOMPARE(py.ToPixel(1e300L, 0).X, 41 + 10000000);
}

void GraphScaleTest::threePanelToData()
{
    TGraphPlot graph;
    graph.ShowThree = true;
    TGraphView view;
    view.Extents = {TExtents{0, 10, 0, 5}, TExtents{0, 100, 0, 5}, TExtents{-20, 20, 0, 5}};
    view.Layout.Panels = {TPixelRect{10, 10, 110, 110}, TPixelRect{150, 10, 250, 110}, TPixelRect{290, 10, 390, 110}};
    const TFloatPoint second = view.ToData(graph, 200, 60);
    QVERIFY(std::fabs(static_cast<double>(second.X) - 50) < 1e-9);
    QVERIFY(std::fabs(static_cast<double>(second.Y) - 2.5) < 1e-9);
    QVERIFY(std::fabs(static_cast<double>(view.ToData(graph, 390, 10).X) - 20) < 1e-9);
    const TFloatPoint between = view.ToData(graph, 130, 60);  // between panels
    QCOMPARE(static_cast<double>(between.X), 0.0);
    QCOMPARE(static_cast<double>(between.Y), 0.0);
    QCOMPARE(view.ToPixel(graph, 2, 0, 0).X, 340);

    graph.ShowThree = false;
    view.Layout.Plot = {10, 10, 110, 110};
    QCOMPARE(static_cast<double>(view.ToData(graph, 200, 60).X), 0.0);
    QVERIFY(std::fabs(static_cast<double>(view.ToData(graph, 60, 60).X) - 5) < 1e-9);
}

void GraphScaleTest::coloursAndMarkers()
{
    QCOMPARE(CurveColor(0), QColor(0, 0, 0));
    QCOMPARE(CurveColor(1), QColor(0, 0, 255));
    QCOMPARE(CurveColor(16), QColor(0, 255, 255));
    QCOMPARE(CurveColor(17), CurveColor(0));  // the eighteenth curve
    QCOMPARE(CurveColor(19), QColor(255, 0, 0));
    QCOMPARE(MarkerShape(0), 1);
    QCOMPARE(MarkerShape(9), 10);
    QCOMPARE(MarkerShape(10), MarkerShape(0));  // the eleventh curve
}

void GraphScaleTest::markerOutlines()
{
    const TPixelPoint at{100, 100};
    // 96 pixels per inch: radius 3 both ways.
    const std::vector<TPixelPoint> triangle = MarkerVertices(at, 0, 96, 96);
    QCOMPARE(triangle.size(), std::size_t(4));
    QCOMPARE(triangle[0].X, 100);
    QCOMPARE(triangle[0].Y, 103);  // vertex at the bottom
    QCOMPARE(triangle[3].Y, triangle[0].Y);
    const std::vector<TPixelPoint> square = MarkerVertices(at, 1, 96, 96);
    QCOMPARE(square.size(), std::size_t(5));
    for (const TPixelPoint& corner : square)
        QVERIFY(std::abs(corner.X - 100) == 2 && std::abs(corner.Y - 100) == 2);
    const std::vector<TPixelPoint> diamond = MarkerVertices(at, 3, 96, 96);
    QCOMPARE(diamond.size(), std::size_t(5));
    QCOMPARE(diamond[0].Y, 97);  // vertex at the top
    QCOMPARE(diamond[1].X, 103);
    QCOMPARE(MarkerVertices(at, 9, 96, 96).size(), std::size_t(11));
    QCOMPARE(MarkerVertices(at, 10, 600, 600)[0].Y, 118);  // printer: radius 18
}

void GraphScaleTest::threePanelPolylineRule()
{
    QCOMPARE(ThreePanelDrawnPoints(3, 44), 43);
    QCOMPARE(ThreePanelDrawnPoints(1, 44), 44);
    QCOMPARE(ThreePanelDrawnPoints(2, 0), 0);
}

void GraphScaleTest::legendRows()
{
    TGraphPlot graph;
    graph.CurveName = "Load #";
    graph.Curves.SetLineCount(3);
    graph.Curves.Line(1).Active = false;
    graph.Curves.Line(2).Shown = false;  // hidden curves keep their row
    std::vector<TLegendRow> rows = LegendRows(graph);
    QCOMPARE(rows.size(), std::size_t(2));
    QCOMPARE(rows[1].Curve, 2);
    QCOMPARE(rows[1].Text, std::string("Load #3"));
    graph.onGetCaption = [](int index, std::string& text) { text += " of " + std::to_string(index); };
    rows = LegendRows(graph);
    QCOMPARE(rows[1].Text, std::string("Load #3 of 2"));
}

namespace {

// Layers (pattern code, depth at bottom), then the wall lines.
void SetSoilColumn(TGraphPlot& graph, const std::vector<TFloatPoint>& layers, long double wallLength,
                   long double freeHeight)
{
    const int count = static_cast<int>(layers.size());
    graph.LayerLines.SetLineCount(count + 2);
    graph.LayerLines.SetPointCount(1);
    for (int i = 0; i < count; ++i)
        graph.LayerLines.Point(i, 0) = layers[static_cast<std::size_t>(i)];
    graph.LayerLines.Line(0).Name = " SAND ";
    graph.LayerLines.Point(count, 0) = {0, wallLength};
    graph.LayerLines.Point(count + 1, 0) = {0, freeHeight};
    graph.WallLineCount = count;
}

}  // namespace

void GraphScaleTest::soilColumnWithoutWall()
{
    TGraphPlot graph;
    SetSoilColumn(graph, {{7, 2.5}, {1, 6}, {7, 12}}, 10, 4);
    // Depth 0 .. 12 over pixels 100 .. 340: 20 pixels per unit.
    const TPanelMap depth{{0, 1, 0, 12}, {40, 100, 300, 340}, true};
    const TPixelRect strip{400, 100, 477, 340};
    const TSoilColumn column = LayOutSoilColumn(graph, depth, strip);
    QVERIFY(!column.HasWall);
    QCOMPARE(column.Bands.size(), std::size_t(3));  // the wall lines are not drawn
    const TSoilBand& first = column.Bands[0];
    QCOMPARE(first.Rect.Left, 400);
    QCOMPARE(first.Rect.Right, 476);
    QCOMPARE(first.Rect.Top, 100);
    QCOMPARE(first.Rect.Bottom, 151);  // one pixel below the layer's bottom
    QCOMPARE(first.Code, 7);
    QCOMPARE(first.Name, std::string(" SAND "));
    QCOMPARE(first.NameBottom, 150);
    QCOMPARE(column.Bands[1].Rect.Top, 150);
    QCOMPARE(column.Bands[1].Name, std::string("Curve #1"));  // numbered after `Curves`
    QCOMPARE(column.Bands[2].Rect.Bottom, 340);  // the last layer to its bottom

    // A column deeper than the plot stops at the plot bottom.
    SetSoilColumn(graph, {{7, 2.5}, {1, 20}, {7, 30}}, 10, 4);
    const TSoilColumn deep = LayOutSoilColumn(graph, depth, strip);
    QCOMPARE(deep.Bands[1].Rect.Bottom, 340);

    graph.LayerLines.SetPointCount(0);
    QVERIFY(LayOutSoilColumn(graph, depth, strip).Bands.empty());
}

void GraphScaleTest::soilColumnWithWallAndTwoLayers()
{
    TGraphPlot graph;
    graph.ShowWall = true;
    // Sand to 2.5, clay to 12; excavation at 4 inside the clay; wall 10 long.
    SetSoilColumn(graph, {{7, 2.5}, {1, 12}}, 10, 4);
    const TPanelMap depth{{0, 1, 0, 12}, {40, 100, 300, 340}, true};
    const TPixelRect strip{400, 100, 500, 340};  // w = 100
    const TSoilColumn column = LayOutSoilColumn(graph, depth, strip);
    QCOMPARE(column.Bands.size(), std::size_t(3));
    // The first layer ends above the excavation: retained side only.
    const TSoilBand& sand = column.Bands[0];
    QCOMPARE(sand.Rect.Left, 400);
    QCOMPARE(sand.Rect.Right, 440);
    QCOMPARE(sand.Rect.Top, 100);
    QCOMPARE(sand.Rect.Bottom, 151);
    QVERIFY(sand.Name.empty());
    // The second holds the excavation depth: retained side from the first
    // layer's bottom, excavation side from the excavation depth.
    const TSoilBand& retained = column.Bands[1];
    QCOMPARE(retained.Rect.Left, 400);
    QCOMPARE(retained.Rect.Right, 440);
    QCOMPARE(retained.Rect.Top, 150);
    QCOMPARE(retained.Rect.Bottom, 340);
    QCOMPARE(retained.Code, 1);
    const TSoilBand& excavation = column.Bands[2];
    QCOMPARE(excavation.Rect.Left, 460);
    QCOMPARE(excavation.Rect.Right, 500);
    QCOMPARE(excavation.Rect.Top, 180);
    QCOMPARE(excavation.Rect.Bottom, 340);
    // The wall fills the middle fifth from the strip top to its length.
    QVERIFY(column.HasWall);
    QCOMPARE(column.WallBar.Left, 440);
    QCOMPARE(column.WallBar.Right, 460);
    QCOMPARE(column.WallBar.Top, 100);
    QCOMPARE(column.WallBar.Bottom, 300);

    // Layers below the excavation span the whole strip.
    SetSoilColumn(graph, {{7, 2.5}, {1, 6}, {8, 12}}, 10, 4);
    const TSoilColumn three = LayOutSoilColumn(graph, depth, strip);
    QCOMPARE(three.Bands.size(), std::size_t(4));
    QCOMPARE(three.Bands[3].Rect.Left, 400);
    QCOMPARE(three.Bands[3].Rect.Right, 500);
    QCOMPARE(three.Bands[3].Rect.Top, 220);
    QCOMPARE(three.Bands[3].Code, 8);
}

QTEST_APPLESS_MAIN(GraphScaleTest)
#include "frontend_graphscale_test.moc"
