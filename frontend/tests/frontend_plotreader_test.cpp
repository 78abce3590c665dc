// The plot-data reader: single, long-term and staged files, English units,
// padding of shorter curves, the soil column, read errors, and the files
// the engine writes for every bundled example.
#include "results/PlotReader.h"
#include "results/PltData.h"
#include "results_test_support.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>

using namespace truvex;

namespace {

struct PyCurve {
    double label;
    std::vector<std::pair<double, double>> points;
};

// The three sections of one case as the engine writes them.
struct CaseSections {
    std::vector<std::array<double, 4>> pressures;  // depth, total, soil, surcharge
    int units = 2;
    std::vector<PyCurve> curves;
    int blockCode = 1;
    std::vector<std::array<double, 5>> stations;  // depth, deflection, moment, shear, reaction
};

// Stations 0 .. count-1 at 0.25 apart; the values grow with `scale`.
std::vector<std::array<double, 5>> Stations(int count, double scale)
{
    std::vector<std::array<double, 5>> rows;
    for (int j = 0; j < count; ++j)
        rows.push_back({0.25 * j, scale * (count - j), scale * 10 * j, scale * j, -scale * j});
    return rows;
}

std::string PlotText(const std::vector<CaseSections>& cases)
{
    std::ostringstream out;
    for (const CaseSections& c : cases) {
        out << ' ' << c.pressures.size() << '\n';
        for (const auto& row : c.pressures)
            out << "  " << row[0] << "  " << row[1] << "  " << row[2] << "  " << row[3] << '\n';
        out << ' ' << c.units << ' ' << c.curves.size() << '\n';
        for (const PyCurve& curve : c.curves) {
            out << ' ' << curve.label << ' ' << curve.points.size() << '\n';
            for (const auto& [y, p] : curve.points)
                out << ' ' << y << ' ' << p << '\n';
        }
        out << ' ' << c.blockCode << ' ' << c.stations.size() << ' ' << c.units << '\n';
        for (const auto& row : c.stations)
            out << ' ' << row[0] << ' ' << row[1] << ' ' << row[2] << ' ' << row[3] << ' ' << row[4] << '\n';
    }
    return out.str();
}

CaseSections SiCase(int blockCode, int stations, double scale)
{
    CaseSections c;
    c.pressures = {{0, 0, 1e-7, 0}, {1.5, 12 * scale, 10 * scale, 2 * scale}, {3, 20 * scale, 18 * scale, 2 * scale}};
    c.curves = {{1.25, {{0, 0}, {0.01, 5 * scale}, {0.05, 9 * scale}}}};
    c.blockCode = blockCode;
    c.stations = Stations(stations, scale);
    return c;
}

double X(const TLineList& lines, int line, int point) { return static_cast<double>(lines.Point(line, point).X); }
double Y(const TLineList& lines, int line, int point) { return static_cast<double>(lines.Point(line, point).Y); }

}  // namespace

class PlotReaderTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void singleCase();
    void longTermRun();
    void threeStagesPaddedToTheLongest();
    void shorterLaterStageKeepsEarlierPoints();
    void englishUnits();
    void pyCurvesPaddedToTheLongest();
    void pressureCurvesPaddedAndZeroPointsFilled();
    void soilColumn();
    void rereadingReplacesNamesAndCurves();
    void fileEndingInsideSectionC();
    void missingFile();
    void engineExamples();

private:
    // Reads `cases` as a plot-data file; true when it was read to the end.
    bool Read(const std::vector<CaseSections>& cases, const TPlotProject& project = {})
    {
        return ReadText(PlotText(cases), project);
    }
    bool ReadText(const std::string& text, const TPlotProject& project = {})
    {
        const std::string path = dir_.filePath("wall.tx5p").toStdString();
        std::ofstream(path, std::ios::binary) << text;
        messages_.clear();
        return ReadPlotData(path, project, graphs_, results_, [this](const std::string& m) { messages_.push_back(m); });
    }

    QTemporaryDir dir_;
    TResultGraphs graphs_;
    TProjectResults results_;
    std::vector<std::string> messages_;
};

void PlotReaderTest::singleCase()
{
    TPlotProject project;
    project.Units = 2;
    QVERIFY(Read({SiCase(1, 5, 1)}, project));
    QVERIFY(messages_.empty());

    for (TGraphPlot* graph : {&graphs_.pltDef, &graphs_.pltMom, &graphs_.pltShear, &graphs_.pltSoil}) {
        QCOMPARE(graph->Curves.Count(), 1);
        QCOMPARE(graph->Curves.PointCount(), 5);
    }
    QCOMPARE(graphs_.pltDef.Curves.Line(0).GetLineName(), std::string("Load #1"));
    QCOMPARE(X(graphs_.pltDef.Curves, 0, 1), 4.0);
    QCOMPARE(Y(graphs_.pltDef.Curves, 0, 1), 0.25);
    QCOMPARE(X(graphs_.pltMom.Curves, 0, 2), 20.0);
    QCOMPARE(X(graphs_.pltSoil.Curves, 0, 3), -3.0);

    TGraphPlot& dms = graphs_.pltDMS;
    QVERIFY(dms.ShowThree);
    QCOMPARE(dms.Curves.Count(), 1);
    QCOMPARE(X(dms.Curves2, 0, 2), 20.0);
    QCOMPARE(X(dms.Curves3, 0, 4), 4.0);
    QCOMPARE(dms.Curves.Line(0).GetLineName(), std::string("Curve #1"));

    QCOMPARE(graphs_.pltLD.Curves.Count(), 1);
    QCOMPARE(X(graphs_.pltLD.Curves, 0, 2), 20.0);
    QCOMPARE(Y(graphs_.pltLD.Curves, 0, 2), 3.0);
    const TLineList& combined = graphs_.PltCombine.Curves;
    QCOMPARE(combined.Count(), 3);
    QCOMPARE(combined.Line(0).GetLineName(), std::string("Total Earth Pressure"));
    QCOMPARE(combined.Line(1).GetLineName(), std::string("from Soils "));
    QCOMPARE(combined.Line(2).GetLineName(), std::string("from Surcharge Loads"));
    QCOMPARE(X(combined, 1, 1), 10.0);
    QCOMPARE(X(combined, 2, 1), 2.0);
    QCOMPARE(Y(combined, 2, 1), 1.5);

    QCOMPARE(graphs_.pltPY.Curves.Count(), 1);
    QCOMPARE(graphs_.pltPY.Curves.Line(0).GetLineName(), std::string("Depth 1.25"));
    QCOMPARE(Y(graphs_.pltPY.Curves, 0, 2), 9.0);
    QCOMPARE(graphs_.pltInter.Curves.Count(), 1);
    QCOMPARE(graphs_.pltInter.Curves.PointCount(), 0);

    QCOMPARE(graphs_.pltDef.YCaption, std::string("Depth (m)"));
    QCOMPARE(graphs_.pltMom.XCaption, std::string("Bending Moment (m-kN)"));
    QCOMPARE(graphs_.pltShear.XCaption, std::string("Shear (kN)"));
    QCOMPARE(graphs_.pltMomEi.YCaption, std::string("EI (kN-m^2)"));
    QCOMPARE(graphs_.pltInter.YCaption, std::string("Axial Load (kN)"));
    QCOMPARE(graphs_.pltLM.XCaption, std::string("Maximum Moment (m-kN)"));
    QCOMPARE(dms.XCaption2, std::string("Bending Moment (m-kN)"));
    QCOMPARE(dms.YCaption3, std::string("Depth (m)"));
    QCOMPARE(dms.XUnits, std::string("L"));
    for (TGraphPlot* graph : graphs_.All())
        QCOMPARE(graph->Units(), 2);

    QCOMPARE(results_.Cases.size(), std::size_t(1));
    QCOMPARE(results_.Cases[0].Moment.size(), std::size_t(5));
    QCOMPARE(static_cast<double>(results_.Cases[0].Moment[2]), 20.0);
    QCOMPARE(static_cast<double>(results_.Cases[0].PressureTotal[1]), 12.0);
    QCOMPARE(results_.LargestPressureCount, 3);
}

void PlotReaderTest::longTermRun()
{
    TPlotProject project;
    project.Units = 2;
    project.CaseCode = 9;
    CaseSections longTerm = SiCase(2, 6, 2);
    longTerm.curves = {{2.5, {{0, 0}, {0.02, 3}}}, {3.5, {{0, 0}, {0.02, 4}}}};
    QVERIFY(Read({SiCase(2, 6, 1), longTerm}, project));

    for (TGraphPlot* graph : {&graphs_.pltDef, &graphs_.pltMom, &graphs_.pltShear, &graphs_.pltSoil, &graphs_.pltDMS}) {
        QCOMPARE(graph->Curves.Count(), 2);
        QCOMPARE(graph->Curves.Line(0).GetLineName(), std::string("Short-Term"));
        QCOMPARE(graph->Curves.Line(1).GetLineName(), std::string("Long-Term"));
    }
    QCOMPARE(X(graphs_.pltMom.Curves, 1, 2), 40.0);
    // The combined graph shows the short-term case, the p-y graph the
    // long-term curves.
    QCOMPARE(X(graphs_.PltCombine.Curves, 0, 1), 12.0);
    QCOMPARE(graphs_.pltPY.Curves.Count(), 2);
    QCOMPARE(graphs_.pltPY.Curves.Line(1).GetLineName(), std::string("Depth 3.5"));
    QCOMPARE(graphs_.pltLD.Curves.Count(), 2);
    QCOMPARE(X(graphs_.pltLD.Curves, 1, 1), 24.0);
    QCOMPARE(results_.Cases.size(), std::size_t(2));
    QCOMPARE(static_cast<double>(results_.Cases[1].PressureTotal[2]), 40.0);

    // Without the long-term case code, two cases are stages.
    project.CaseCode = 0;
    QVERIFY(Read({SiCase(2, 6, 1), SiCase(2, 6, 2)}, project));
    QCOMPARE(graphs_.pltDef.Curves.Line(0).GetLineName(), std::string("Stage: 1"));
    QCOMPARE(graphs_.pltDef.Curves.Line(1).GetLineName(), std::string("Stage: 2"));
}

void PlotReaderTest::threeStagesPaddedToTheLongest()
{
    QVERIFY(Read({SiCase(3, 40, 1), SiCase(3, 40, 2), SiCase(3, 44, 3)}));
    for (TGraphPlot* graph : {&graphs_.pltDef, &graphs_.pltMom, &graphs_.pltShear, &graphs_.pltSoil}) {
        QCOMPARE(graph->Curves.Count(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(graph->Curves.Line(c).PointCount(), 44);
    }
    for (const TLineList* panel : {&graphs_.pltDMS.Curves, &graphs_.pltDMS.Curves2, &graphs_.pltDMS.Curves3})
        QCOMPARE(panel->Line(1).PointCount(), 44);
    QCOMPARE(graphs_.pltDMS.Curves.Line(2).GetLineName(), std::string("Stage: 3"));
    // The first two stages repeat their last point for the last 4 points.
    for (int j = 40; j < 44; ++j) {
        QCOMPARE(X(graphs_.pltDef.Curves, 0, j), X(graphs_.pltDef.Curves, 0, 39));
        QCOMPARE(Y(graphs_.pltMom.Curves, 1, j), Y(graphs_.pltMom.Curves, 1, 39));
        QCOMPARE(X(graphs_.pltDMS.Curves3, 1, j), X(graphs_.pltDMS.Curves3, 1, 39));
        QCOMPARE(results_.Cases[0].Shear[static_cast<std::size_t>(j)], results_.Cases[0].Shear[39]);
    }
    QCOMPARE(Y(graphs_.pltDef.Curves, 2, 43), 0.25 * 43);
    QCOMPARE(results_.Cases[2].Depth.size(), std::size_t(44));
    QCOMPARE(graphs_.pltDef.Curves.Line(1).GetLineName(), std::string("Stage: 2"));
}

void PlotReaderTest::shorterLaterStageKeepsEarlierPoints()
{
    // A later stage with fewer stations does not cut the earlier ones.
    QVERIFY(Read({SiCase(2, 44, 1), SiCase(2, 40, 2)}));
    QCOMPARE(graphs_.pltDef.Curves.Line(0).PointCount(), 44);
    QCOMPARE(Y(graphs_.pltDef.Curves, 0, 43), 0.25 * 43);
    QCOMPARE(X(graphs_.pltDef.Curves, 1, 43), X(graphs_.pltDef.Curves, 1, 39));
    QCOMPARE(static_cast<double>(results_.Cases[0].Depth[43]), 0.25 * 43);
}

void PlotReaderTest::englishUnits()
{
    TPlotProject project;
    project.Units = 1;
    project.IncrementCount = 40;
    project.IncrementLength = 6;
    project.FreeHeight = 120;
    project.SoilLayers = {{4, 25}};
    CaseSections c;
    c.units = 1;
    c.pressures = {{0, 0, 1e-7, 0}, {240, 30, 25, 5}};
    c.stations = {{0, 1.5, 0, 0, 0}, {240, 0.5, 150000, 2500, -40}};
    QVERIFY(Read({c}, project));

    // A depth of 240 plots at 20 ft; a moment of 150 thousand at 150 in-kips.
    QCOMPARE(Y(graphs_.pltDef.Curves, 0, 1), 20.0);
    QCOMPARE(X(graphs_.pltMom.Curves, 0, 1), 150.0);
    QCOMPARE(X(graphs_.pltShear.Curves, 0, 1), 2.5);
    QCOMPARE(X(graphs_.pltSoil.Curves, 0, 1), -40.0);
    QCOMPARE(X(graphs_.pltDef.Curves, 0, 1), 0.5);
    QCOMPARE(X(graphs_.pltDMS.Curves2, 0, 1), 150.0);
    QCOMPARE(Y(graphs_.pltLD.Curves, 0, 1), 20.0);
    QCOMPARE(Y(graphs_.PltCombine.Curves, 1, 1), 20.0);
    QCOMPARE(static_cast<double>(results_.Cases[0].PressureDepth[1]), 240.0);  // as written
    QCOMPARE(static_cast<double>(results_.Cases[0].Depth[1]), 20.0);

    QCOMPARE(graphs_.pltDef.YCaption, std::string("Depth (ft)"));
    QCOMPARE(graphs_.pltMom.XCaption, std::string("Bending Moment (in-kips)"));
    QCOMPARE(graphs_.pltShear.XCaption, std::string("Shear (kips)"));
    QCOMPARE(graphs_.pltMomEi.XCaption, std::string("Moment (in-kips)"));
    QCOMPARE(graphs_.pltMomEi.YCaption, std::string("EI (kips-in^2)"));
    QCOMPARE(graphs_.pltMomCurv.YCaption, std::string("Moment (in-kips)"));
    QCOMPARE(graphs_.pltInter.XCaption, std::string("Bending Moment (in-kips)"));
    QCOMPARE(graphs_.pltLM.YCaption, std::string("Lateral Load (kips)"));
    QCOMPARE(graphs_.pltLD.YCaption, std::string("Depth (ft)"));
    QCOMPARE(graphs_.PltCombine.Units(), 1);

    // The wall lines in feet: 40 increments of 6 in, 120 in free height.
    const TLineList& layers = graphs_.pltDMS.LayerLines;
    QCOMPARE(Y(layers, 1, 0), 20.0);
    QCOMPARE(Y(layers, 2, 0), 10.0);
    QCOMPARE(Y(layers, 0, 0), 25.0);  // layer depths are already in feet
}

void PlotReaderTest::pyCurvesPaddedToTheLongest()
{
    CaseSections c = SiCase(1, 3, 1);
    c.curves = {{4, {{0, 0}, {0.1, 2}, {0.2, 3}}}, {6, {{0, 0}, {0.1, 4}, {0.2, 6}, {0.3, 7}, {0.4, 8}}}};
    QVERIFY(Read({c}));
    const TLineList& curves = graphs_.pltPY.Curves;
    QCOMPARE(curves.Count(), 2);
    QCOMPARE(curves.Line(0).PointCount(), 5);
    // The shorter curve keeps its points and repeats its last one.
    QCOMPARE(Y(curves, 0, 1), 2.0);
    QCOMPARE(Y(curves, 0, 2), 3.0);
    QCOMPARE(X(curves, 0, 4), 0.2);
    QCOMPARE(Y(curves, 0, 4), 3.0);
    QCOMPARE(Y(curves, 1, 4), 8.0);
    QCOMPARE(curves.Line(1).GetLineName(), std::string("Depth 6"));
}

void PlotReaderTest::pressureCurvesPaddedAndZeroPointsFilled()
{
    CaseSections first = SiCase(2, 4, 1);
    first.pressures = {{0, 0, 1e-7, 0}, {1, 5, 5, 0}, {0, 0, 0, 0}, {3, 9, 9, 0}};
    CaseSections second = SiCase(2, 4, 1);
    second.pressures = {{0, 0, 1e-7, 0}, {2, 7, 7, 0}};
    QVERIFY(Read({first, second}));
    const TLineList& pressures = graphs_.pltLD.Curves;
    QCOMPARE(pressures.Count(), 2);
    QCOMPARE(pressures.Line(1).PointCount(), 4);
    QCOMPARE(results_.LargestPressureCount, 4);
    // A zero point after the first takes the point before it.
    QCOMPARE(X(pressures, 0, 2), 5.0);
    QCOMPARE(Y(pressures, 0, 2), 1.0);
    QCOMPARE(X(pressures, 0, 0), 0.0);
    QCOMPARE(X(pressures, 1, 3), 7.0);
    QCOMPARE(Y(pressures, 1, 3), 2.0);
}

void PlotReaderTest::soilColumn()
{
    TPlotProject project;
    project.Units = 2;
    project.IncrementCount = 50;
    project.IncrementLength = 0.2L;
    project.FreeHeight = 4;
    project.SoilLayers = {{1, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {9, 7}};
    QVERIFY(Read({SiCase(1, 5, 1)}, project));
    const TGraphPlot& dms = graphs_.pltDMS;
    QCOMPARE(dms.WallLineCount, 7);
    QCOMPARE(dms.LayerLines.Count(), 9);
    struct Expected {
        const char* name;
        double code;
    };
    const Expected expected[] = {{" CLAY ", 1}, {" CLAY ", 1},      {" SAND ", 7},    {" SILT ", 8},
                                 {"STRONG ROCK", 9}, {"WEAK ROCK", 10}, {"LAYER 7", 0}, {"PILE", 0}, {"PILE", 0}};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(dms.LayerLines.Line(i).GetLineName(), std::string(expected[i].name));
        QCOMPARE(dms.LayerLines.Line(i).PointCount(), 1);
        QCOMPARE(X(dms.LayerLines, i, 0), expected[i].code);
    }
    QCOMPARE(Y(dms.LayerLines, 2, 0), 3.0);
    QVERIFY(std::fabs(Y(dms.LayerLines, 7, 0) - 10.0) < 1e-12);
    QCOMPARE(Y(dms.LayerLines, 8, 0), 4.0);

    // Without stations there is no soil column.
    QVERIFY(Read({SiCase(1, 0, 1)}, project));
    QCOMPARE(graphs_.pltDMS.LayerLines.Count(), 0);
    QCOMPARE(graphs_.pltDMS.WallLineCount, 0);
}

void PlotReaderTest::rereadingReplacesNamesAndCurves()
{
    QVERIFY(Read({SiCase(3, 5, 1), SiCase(3, 5, 2), SiCase(3, 5, 3)}));
    graphs_.pltDef.Curves.Line(0).Shown = false;
    QVERIFY(Read({SiCase(1, 4, 1)}));
    QCOMPARE(graphs_.pltDef.Curves.Count(), 1);
    QCOMPARE(graphs_.pltDef.Curves.Line(0).GetLineName(), std::string("Load #1"));
    QVERIFY(graphs_.pltDef.Curves.Line(0).Shown);
    QCOMPARE(graphs_.pltDef.Curves.PointCount(), 4);
    QCOMPARE(graphs_.pltDMS.Curves3.Count(), 1);
    QCOMPARE(results_.Cases.size(), std::size_t(1));
}

void PlotReaderTest::fileEndingInsideSectionC()
{
    std::string text = PlotText({SiCase(1, 6, 1)});
    // Cut the file after the third station line.
    std::size_t cut = text.find(" 1 6 2\n");
    QVERIFY(cut != std::string::npos);
    for (int line = 0; line < 4; ++line)
        cut = text.find('\n', cut) + 1;
    QVERIFY(!ReadText(text.substr(0, cut)));
    QCOMPARE(messages_.size(), std::size_t(1));
    QCOMPARE(messages_[0], std::string("An error occured in running the main program."));
    // The graphs keep what was read.
    QCOMPARE(graphs_.pltDef.Curves.PointCount(), 3);
    QCOMPARE(X(graphs_.pltDef.Curves, 0, 2), 4.0);
    QCOMPARE(graphs_.pltLD.Curves.PointCount(), 3);

    // A malformed value is a read error as well; without a message wanted
    // none is shown.
    const std::string path = dir_.filePath("bad.tx5p").toStdString();
    std::ofstream(path, std::ios::binary) << " 1\n 0 0 x 0\n";
    QVERIFY(!ReadPlotData(path, {}, graphs_, results_));
}

void PlotReaderTest::missingFile()
{
    messages_.clear();
    QVERIFY(!ReadPlotData(dir_.filePath("none.tx5p").toStdString(), {}, graphs_, results_,
                          [this](const std::string& m) { messages_.push_back(m); }));
    QCOMPARE(messages_.size(), std::size_t(1));
}

void PlotReaderTest::engineExamples()
{
    const QStringList examples = test::ExampleProjects();
    QVERIFY(!examples.isEmpty());
    for (const QString& example : examples) {
        QTemporaryDir dir;
        const test::ExampleRun run = test::RunExample(example, dir);
        QVERIFY2(run.summary.status == RunSummary::Status::Completed, qPrintable(example));
        const TPlotProject project = test::OpenPlotProject(run.projectFile);
        TResultGraphs graphs;
        TProjectResults results;
        QVERIFY2(ReadPlotData(run.plotFile.string(), project, graphs, results), qPrintable(example));
        QCOMPARE(graphs.pltDef.Curves.Count(), run.summary.casesRun);
        QCOMPARE(static_cast<int>(results.Cases.size()), run.summary.casesRun);
        QVERIFY2(graphs.pltDef.Curves.PointCount() > 1, qPrintable(example));
        QCOMPARE(graphs.pltDMS.Curves2.PointCount(), graphs.pltMom.Curves.PointCount());
        QCOMPARE(graphs.pltDef.YCaption, std::string(project.Units == 1 ? "Depth (ft)" : "Depth (m)"));
        QCOMPARE(graphs.pltDMS.WallLineCount, static_cast<int>(project.SoilLayers.size()));
        if (project.CaseCode == 9)
            QCOMPARE(graphs.pltDef.Curves.Line(1).GetLineName(), std::string("Long-Term"));
        // The wall ends at the depth of its last station.
        const TLine& deflection = graphs.pltDef.Curves.Line(0);
        const long double wallLength = graphs.pltDMS.LayerLines.Point(graphs.pltDMS.WallLineCount, 0).Y;
        const long double lastStation = deflection.Point(deflection.PointCount() - 2).Y;
        QVERIFY2(std::fabs(static_cast<double>(lastStation / wallLength - 1)) < 1e-3, qPrintable(example));
    }
}

QTEST_GUILESS_MAIN(PlotReaderTest)
#include "frontend_plotreader_test.moc"
