#include "project_test_support.h"

#include "entry/TableChart.h"
#include "entry/Units.h"
#include "project/WordRead.h"
#include "util/MorString.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

// Texts compared line by line, naming the first line that differs.
#define COMPARE_TEXT(actual, expected) QVERIFY2(FirstDifference(actual, expected).empty(), FirstDifference(actual, expected).c_str())

using namespace truvex;
using namespace truvex::test;

namespace {

// The file of a new project saved at once.
const std::string NewProjectBlock = Crlf({
    "New Wall",
    "1 0\t1\t0\t2\t2 0 1 0 0",
    "0 0\t100\t1E-5\t0\t0",
    "0\t1\t1\t0",
    "0",
    "0",
    "0\t0\t0\t0\t0\t1\t1\t0",
    "0\t0\t0\t0\t0\t0",
    "0",
    "1",
    "1 0 ",
});

// A project with every switch on and a value in every table, in the
// current unit system.
void FillProject(TProgramData& p)
{
    p.Title = "  Every record, with blanks";
    p.IncrementCount = 40;
    p.IncrementLength = 6;
    p.MaxDeflection = 12;
    p.ClosureTolerance = 1E-5L;
    p.FreeHeight = 180;
    p.ActiveWidth = 12;
    p.ResistanceWidth = 24;
    p.WaterDepthBackfill = 60;
    p.WaterDepthExcavation = 200;
    p.ActivePressureFactor = 0.9L;
    p.BackfillSlope = 5;
    p.UniformSurcharge = 1.5L;
    p.Distance = 36;
    p.PointLoad = 1000;
    p.StripWidth = 24;
    p.ApplyRestraints = p.ApplyConcentratedLoads = p.ApplyLateralSprings = p.ApplyTiebacks = true;
    p.ApplyPYModification = p.ApplyExternalPY = p.ApplyMomentEI = p.ApplySurcharge = true;
    p.EarthPressureChoice = 3;

    TGridTable& restraints = p.Table("SoilLayer");
    for (const auto& table : p.Tables().Tables())
        table->SetRowCount(std::max(table->RowCount(), table->MinRows()));
    restraints.Cell(0, 0).SetInt(2);
    restraints.Cell(1, 0).SetInt(40);
    restraints.Cell(3, 0).SetFloat(0.001L);
    TGridTable& stiffness = p.Table("PileSect");
    stiffness.SetRowCount(2);
    stiffness.Cell(1, 0).SetInt(20);
    stiffness.Cell(2, 0).SetInt(2);
    stiffness.Cell(3, 0).SetFloat(1.2963E10L);
    stiffness.Cell(0, 1).SetInt(21);
    stiffness.Cell(1, 1).SetInt(40);
    stiffness.Cell(2, 1).SetInt(2);  // the writer sets the last row to 1
    stiffness.Cell(3, 1).SetFloat(123456789);
    TGridTable& loads = p.Table("BoundCond");
    loads.Cell(3, 0).SetFloat(1500);
    loads.Cell(4, 0).SetFloat(-36000);
    loads.Cell(5, 0).SetFloat(0.25L);
    TGridTable& springs = p.Table("SoilStrength");
    springs.Cell(0, 0).SetInt(2);
    springs.Cell(1, 0).SetInt(30);
    springs.Cell(2, 0).SetInt(31);
    springs.Cell(3, 0).SetFloat(18000);
    TGridTable& tiebacks = p.Table("TiebackTable1");
    tiebacks.SetRowCount(2);
    for (int row = 0; row < 2; ++row) {
        tiebacks.Cell(0, row).SetFloat(6 + 8 * row);
        tiebacks.Cell(1, row).SetFloat(1.302L);
        tiebacks.Cell(2, row).SetFloat(28500000);
        tiebacks.Cell(3, row).SetFloat(20);
        tiebacks.Cell(4, row).SetFloat(15);
        tiebacks.Cell(5, row).SetFloat(8);
        tiebacks.Cell(6, row).SetFloat(50000 * row);
    }
    TGridTable& modification = p.Table("PYMod");
    modification.Cell(0, 1).SetFloat(10);
    modification.Cell(1, 1).SetFloat(0.5L);
    TGridTable& surcharges = p.Table("SurchargeTable");
    surcharges.SetRowCount(2);
    surcharges.Cell(0, 1).SetInt(3);
    surcharges.Cell(1, 1).SetFloat(2.5L);
    surcharges.Cell(2, 1).SetFloat(48);
    surcharges.Cell(3, 1).SetFloat(96);

    for (const char* name : {"NewSoil", "LongSoil"}) {
        TGridTable& layers = p.Table(name);
        layers.SetRowCount(4);
        const int types[] = {1, 4, 5, 7};
        for (int row = 0; row < 4; ++row) {
            layers.Cell(0, row).SetInt(types[row]);
            layers.Cell(1, row).SetFloat(5 * (row + 1));
            TGridTable& parameters = layers.Cell(2, row).GetTable();
            for (int column = 0; column < parameters.ColumnCount(); ++column)
                for (int parameterRow = 0; parameterRow < 2; ++parameterRow)
                    parameters.Cell(column, parameterRow).SetFloat(column + 0.5L * parameterRow + 1);
        }
    }

    TGridTable& curves = p.Table("PYCurves2");
    for (int curve = 0; curve < 2; ++curve) {
        curves.Cell(0, curve).SetInt(28 + 4 * curve);
        curves.Cell(2, curve).SetFloat(0.8L);
        TGridTable& points = curves.Cell(1, curve).GetTable();
        points.SetRowCount(3);
        for (int row = 0; row < 3; ++row) {
            points.Cell(0, row).SetFloat(row - 1);
            points.Cell(1, row).SetFloat((25 + curve) * (1 - row));
        }
    }
    TGridTable& ranges = p.Table("MEICurves2");
    ranges.Cell(1, 0).SetInt(40);
    TGridTable& moments = ranges.Cell(2, 0).GetTable();
    moments.SetRowCount(2);
    moments.Cell(1, 0).SetFloat(254000);
    moments.Cell(0, 1).SetFloat(150);
    moments.Cell(1, 1).SetFloat(120000);
}

// `original` with every number that has the value of the number at the
// same place in `saved` spelled as there; everything else unchanged.
std::string SpellingAsWritten(const std::string& saved, const std::string& original)
{
    const auto isSeparator = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::string out;
    std::size_t s = 0;
    std::size_t o = 0;
    while (o < original.size()) {
        if (isSeparator(original[o]) || s >= saved.size()) {
            out += original[o++];
            s += s < saved.size() ? 1 : 0;
            continue;
        }
        std::size_t oEnd = o;
        while (oEnd < original.size() && !isSeparator(original[oEnd]))
            ++oEnd;
        std::size_t sEnd = s;
        while (sEnd < saved.size() && !isSeparator(saved[sEnd]))
            ++sEnd;
        const std::string written = original.substr(o, oEnd - o);
        const std::string spelled = saved.substr(s, sEnd - s);
        long double a = 0;
        long double b = 0;
        const bool sameNumber = ParseReal(written, a) && ParseReal(spelled, b) && FormatNumber(a) == FormatNumber(b);
        out += sameNumber ? spelled : written;
        o = oEnd;
        s = sEnd;
    }
    return out;
}

template <class Action>
QString ErrorOf(Action action)
{
    try {
        action();
    } catch (const EInOutError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

}  // namespace

class ProjectTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newProject();
    void newProjectSavedAtOnce();
    void unitSwitch();
    void surchargeMagnitudesFollowLoadType();
    void saveDerivesControlValues_data();
    void saveDerivesControlValues();
    void switchedOffTablesSavedEmpty();
    void unitsInsideTheFile();
    void roundTripEveryRecord_data();
    void roundTripEveryRecord();
    void longTermReopensAsLongTerm();
    void activeWidthKeptWithoutRecord11();
    void tiebackPrestressOptional();
    void readingErrors_data();
    void readingErrors();
    void activePressureFactorReplacement();
    void layoutChoice();
    void layout2013();
    void layout30();
    void layout20();
    void examplesRoundTrip_data();
    void examplesRoundTrip();
    void failedSaveKeepsPreviousFile();

private:
    TProgramData& Project() { return *project_; }
    // Saves the project, then opens the file into a new project.
    std::string SaveAndReopen(const char* name);
    std::string Open(const std::string& path, FileLayout layout);

    std::unique_ptr<TInputTables> tables_;
    std::unique_ptr<TProgramData> project_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void ProjectTest::init()
{
    tables_ = TInputTables::FromResource();
    project_ = std::make_unique<TProgramData>(*tables_);
    project_->New();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ProjectTest::cleanup()
{
    ReleaseCurrentProject();
    project_.reset();
    tables_.reset();
    dir_.reset();
}

std::string ProjectTest::Open(const std::string& path, FileLayout layout)
{
    project_ = std::make_unique<TProgramData>(*tables_);
    return project_->Open(path, layout);
}

std::string ProjectTest::SaveAndReopen(const char* name)
{
    Project().FileName = PathIn(*dir_, name);
    Project().Save();
    const std::string text = ReadFile(Project().FileName);
    const std::string error = Open(PathIn(*dir_, name), FileLayout::Current);
    if (!error.empty())
        qWarning("%s", error.c_str());
    return text;
}

void ProjectTest::newProject()
{
    int closed = 0;
    TProjectEvents events;
    events.CloseChildWindows = [&closed] { ++closed; };
    TProgramData* first = &NewCurrentProject(*tables_, events);
    QCOMPARE(closed, 1);
    first->Title = "Changed";
    first->FileName = "/somewhere/wall.tx5d";
    first->SetUnits(UnitsSI);
    first->ApplyTiebacks = true;
    tables_->Table("PileSect").SetRowCount(4);
    tables_->Table("PileSect").Column(3).SetText(0, "7");
    QVERIFY(first->IsModified());

    TProgramData& second = NewCurrentProject(*tables_, events);
    QCOMPARE(&CurrentProject(), &second);
    QCOMPARE(closed, 2);
    QCOMPARE(second.Title, std::string("New Wall"));
    QCOMPARE(second.FileName, std::string("NewWall.tx5d"));
    QCOMPARE(second.Units(), UnitsEnglish);
    QVERIFY(!second.ApplyTiebacks);
    QCOMPARE(second.GeneratePYCurves, 1);
    QCOMPARE(second.EarthPressureChoice, 2);
    QCOMPARE(static_cast<double>(second.MaxDeflection), 100.0);
    QCOMPARE(static_cast<double>(second.ClosureTolerance), 1e-5);
    QCOMPARE(second.StageCount, 1);
    QVERIFY(second.HasMomentEICount && second.HasTiebackCount && second.ThreeZeroLayout);
    QVERIFY(!second.IsModified());
    for (const auto& table : tables_->Tables()) {
        QCOMPARE(table->RowCount(), table->MinRows());
        QCOMPARE(table->Units(), UnitsEnglish);
    }
    QCOMPARE(Value(tables_->Table("PileSect"), 3, 0), 0.0);

    // A failed open still gives a current project, with the defaults.
    const std::string error =
        OpenCurrentProject(*tables_, events, PathIn(*dir_, "absent.tx5d"), FileLayout::Current);
    QVERIFY(!error.empty());
    QVERIFY(HasCurrentProject());
    QCOMPARE(CurrentProject().FileName, PathIn(*dir_, "absent.tx5d"));
    QCOMPARE(CurrentProject().Title, std::string("New Wall"));
    QCOMPARE(tables_->Table("PileSect").RowCount(), 1);
}

void ProjectTest::newProjectSavedAtOnce()
{
    const std::string shortTerm = NewProjectBlock + Crlf({"0 0 0.0  0 0 0 ", "0 0 0.0  0 0 0 "});
    COMPARE_TEXT(SaveAndReopen("new.tx5d"), shortTerm + Crlf({"0"}));
    QVERIFY(!Project().LongTermAnalysis);

    Project().LongTermAnalysis = true;
    const std::string longTerm = NewProjectBlock + Crlf({"0 0 0.0  0 0 0.0  ", "0 0 0.0  0 0 0.0  "});
    COMPARE_TEXT(SaveAndReopen("long.tx5d"), shortTerm + Crlf({"9"}) + longTerm + Crlf({"0"}));
    QCOMPARE(Project().CaseCode, 9);
}

void ProjectTest::unitSwitch()
{
    int refreshed = 0;
    TProjectEvents events;
    events.UnitsChanged = [&refreshed] { ++refreshed; };
    project_ = std::make_unique<TProgramData>(*tables_, events);
    TProgramData& p = Project();
    p.FreeHeight = 120;
    p.ActivePressureFactor = 0.9L;
    p.IncrementCount = 7;
    p.Table("PYMod").Cell(0, 1).SetFloat(10);
    p.Table("PYMod").Cell(1, 1).SetFloat(0.5L);

    p.SetUnits(UnitsSI);
    QCOMPARE(refreshed, 1);
    QVERIFY(Near(p.FreeHeight, 3.048));
    QVERIFY(Near(Value(p.Table("PYMod"), 0, 1), 10 * 0.3048, 1e-8));
    QCOMPARE(Value(p.Table("PYMod"), 1, 1), 0.5);
    p.SetUnits(UnitsEnglish);
    // The two directions use rounded constants that are not reciprocal.
    QVERIFY(Near(p.FreeHeight, 120.0000648));
    QVERIFY(p.FreeHeight != 120);
    QCOMPARE(static_cast<double>(p.ActivePressureFactor), 0.9);
    QCOMPARE(p.IncrementCount, 7);

    // Through the other system nothing converts.
    p.FreeHeight = 120;
    p.SetUnits(UnitsOther);
    QCOMPARE(static_cast<double>(p.FreeHeight), 120.0);
    p.SetUnits(UnitsSI);
    QCOMPARE(static_cast<double>(p.FreeHeight), 120.0);
    QCOMPARE(p.Units(), UnitsSI);
    p.SetUnits(9);
    QCOMPARE(p.Units(), UnitsOther);
}

void ProjectTest::surchargeMagnitudesFollowLoadType()
{
    TProgramData& p = Project();
    TGridTable& surcharges = p.Table("SurchargeTable");
    surcharges.SetRowCount(3);
    for (int row = 0; row < 3; ++row) {
        surcharges.Cell(0, row).SetInt(row + 1);
        surcharges.Cell(1, row).SetFloat(1);
        surcharges.Cell(2, row).SetFloat(10);
    }
    p.StripLoad = 1;
    p.SetUnits(UnitsSI);
    QVERIFY(Near(Value(surcharges, 1, 0), 0.004448222468060650624));
    QVERIFY(Near(Value(surcharges, 1, 1), 0.004448222468060650624 / 0.0254));
    QCOMPARE(surcharges.Cell(1, 2).GetText(), std::string("6.8947586"));
    QCOMPARE(FormatNumber(p.StripLoad), std::string("6.8947586"));
    // Distances follow their unit code, in to mm.
    QVERIFY(Near(Value(surcharges, 2, 0), 254));
}

void ProjectTest::saveDerivesControlValues_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<int>("generate");
    QTest::addColumn<int>("generated");
    QTest::addColumn<bool>("external");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("koutpt");
    QTest::addColumn<int>("kpyop");
    QTest::newRow("user-specified") << true << 1 << 1 << false << 1 << 1 << 2;
    QTest::newRow("generated triangular") << false << 1 << 0 << false << 2 << 2 << 2;
    QTest::newRow("trapezoidal kept by marker") << false << 0 << 1 << true << 3 << 3 << 1;
    QTest::newRow("nothing generated") << false << 0 << 0 << true << 3 << 0 << 1;
    QTest::newRow("no p-y curves") << false << 0 << 0 << false << 2 << 0 << 0;
}

void ProjectTest::saveDerivesControlValues()
{
    QFETCH(bool, user);
    QFETCH(int, generate);
    QFETCH(int, generated);
    QFETCH(bool, external);
    QFETCH(int, choice);
    QFETCH(int, koutpt);
    QFETCH(int, kpyop);
    TProgramData& p = Project();
    p.UserEarthPressure = user;
    p.GeneratePYCurves = generate;
    p.EarthPressureGenerated = generated;
    p.ApplyExternalPY = external;
    p.EarthPressureChoice = choice;
    const std::string text = p.ProjectText();
    QCOMPARE(p.EarthPressureCode, koutpt);
    QCOMPARE(p.PYCurveCode, kpyop);
    if (user)
        QCOMPARE(p.EarthPressureGenerated, 0);
    const std::string control = text.substr(text.find("\r\n") + 2, text.find("\r\n", text.find("\r\n") + 2) - text.find("\r\n") - 2);
    const std::string curves = external ? "2" : "0";
    QCOMPARE(control, "1 0\t1\t0\t" + std::to_string(koutpt) + "\t" + std::to_string(kpyop) + " " + curves + " 1 0 0");
}

void ProjectTest::switchedOffTablesSavedEmpty()
{
    TProgramData& p = Project();
    FillProject(p);
    p.ApplyRestraints = p.ApplyConcentratedLoads = p.ApplyLateralSprings = p.ApplyTiebacks = false;
    p.ApplyPYModification = p.ApplyExternalPY = p.ApplyMomentEI = p.ApplySurcharge = false;
    const char* switchedOff[] = {"BoundCond", "SoilLayer", "SoilStrength", "TiebackTable1", "PYMod", "PYCurves2",
                                 "SurchargeTable"};
    const std::string text = p.ProjectText();
    // Saved empty, and empty in the project afterwards.
    for (const char* name : switchedOff)
        QVERIFY2(tables_->Table(name).RowCount() == 0, name);
    QCOMPARE(tables_->Table("MEICurves2").RowCount(), 1);
    QVERIFY(text.find("\r\n0\r\n0\r\n") != std::string::npos);  // the counts of records 6 and 7
    COMPARE_TEXT(SaveAndReopen("off.tx5d"), text);
    for (const char* name : switchedOff)
        QVERIFY2(tables_->Table(name).RowCount() == tables_->Table(name).MinRows(), name);
    QVERIFY(!Project().ApplyConcentratedLoads && !Project().ApplyTiebacks && !Project().ApplySurcharge);
    // The moment-EI table keeps its rows; only its count is 0.
    QVERIFY(text.find("\r\n1 0\t2\t0\t3\t2 0 1 0 0\r\n") != std::string::npos);
}

void ProjectTest::unitsInsideTheFile()
{
    TProgramData& p = Project();
    p.UserEarthPressure = true;
    p.ApplyPYModification = true;
    p.Table("PYMod").Cell(0, 1).SetFloat(10);
    TGridTable& pressure = p.Table("DistLoad");
    pressure.Cell(0, 1).SetFloat(4);
    pressure.Cell(1, 1).SetFloat(307.2L);
    std::string text = SaveAndReopen("english.tx5d");
    QVERIFY(text.find("\r\n120\t1\t1\r\n") != std::string::npos);  // p-y modification depth in inches
    QVERIFY(text.find("\r\n48\t25.6\r\n") != std::string::npos);    // pressure per inch
    QVERIFY(Near(Value(Project().Table("DistLoad"), 0, 1), 4));
    QVERIFY(Near(Value(Project().Table("DistLoad"), 1, 1), 307.2));
    QVERIFY(Near(Value(Project().Table("PYMod"), 0, 1), 10));

    // Soil layers: depth in inches, unit weight per cubic inch, cohesion per
    // square inch.
    Project().UserEarthPressure = false;
    TGridTable& layers = Project().Table("NewSoil");
    layers.Cell(1, 0).SetFloat(20);
    TGridTable& clay = layers.Cell(2, 0).GetTable();
    clay.Cell(0, 0).SetFloat(120);
    clay.Cell(1, 0).SetFloat(144);
    clay.Cell(3, 0).SetFloat(500);
    text = SaveAndReopen("soil.tx5d");
    QVERIFY(text.find("\r\n1 240 \r\n0.069444444 1 0.0  0 500 0 \r\n") != std::string::npos);
    const TGridTable& reread = Project().Table("NewSoil").Cell(2, 0).GetTable();
    QVERIFY(Near(Value(Project().Table("NewSoil"), 1, 0), 20));
    QVERIFY(Near(Value(reread, 0, 0), 120, 1e-7));
    QVERIFY(Near(Value(reread, 1, 0), 144));

    // SI: the tieback area in m2.
    Project().SetUnits(UnitsSI);
    Project().ApplyTiebacks = true;
    Project().Table("TiebackTable1").Cell(1, 0).SetFloat(420);
    text = SaveAndReopen("si.tx5d");
    QVERIFY(text.find("\r\n0\t0.00042\t0\t0\t0\t0\t0\r\n") != std::string::npos);
    QVERIFY(Near(Value(Project().Table("TiebackTable1"), 1, 0), 420));
}

void ProjectTest::roundTripEveryRecord_data()
{
    QTest::addColumn<int>("units");
    QTest::newRow("English") << UnitsEnglish;
    QTest::newRow("SI") << UnitsSI;
    QTest::newRow("other") << UnitsOther;
}

void ProjectTest::roundTripEveryRecord()
{
    QFETCH(int, units);
    Project().SetUnits(units);
    FillProject(Project());
    Project().LongTermAnalysis = true;
    const std::string first = SaveAndReopen("every.tx5d");
    QCOMPARE(Project().Units(), units);
    QCOMPARE(Project().Title, std::string("  Every record, with blanks"));
    QCOMPARE(tables_->Table("PileSect").Cell(2, 1).GetInt(), 1);
    QCOMPARE(tables_->Table("NewSoil").Cell(2, 3).GetTable().Caption, std::string("Weak Rock"));
    QCOMPARE(tables_->Table("PYCurves2").Cell(1, 0).GetTable().RowCount(), 3);
    QCOMPARE(tables_->Table("MEICurves2").Cell(2, 0).GetTable().RowCount(), 2);
    const std::string second = SaveAndReopen("every.tx5d");
    COMPARE_TEXT(second, first);
}

void ProjectTest::longTermReopensAsLongTerm()
{
    FillProject(Project());
    Project().LongTermAnalysis = true;
    Project().Table("LongSoil").Cell(1, 0).SetFloat(7);
    const std::string text = SaveAndReopen("long.tx5d");
    QVERIFY(Project().LongTermAnalysis);
    QCOMPARE(Project().CaseCode, 9);
    QVERIFY(Near(Value(Project().Table("LongSoil"), 1, 0), 7));
    QVERIFY(Near(Value(Project().Table("NewSoil"), 1, 0), 5));
    // The long-term block keeps no earth pressure coefficients.
    const TGridTable& longClay = Project().Table("LongSoil").Cell(2, 0).GetTable();
    const TGridTable& shortClay = Project().Table("NewSoil").Cell(2, 0).GetTable();
    QCOMPARE(Value(longClay, 4, 0), 0.0);
    QCOMPARE(Value(shortClay, 4, 0), 5.0);
}

void ProjectTest::activeWidthKeptWithoutRecord11()
{
    TProgramData& p = Project();
    p.UserEarthPressure = true;
    p.GeneratePYCurves = 0;
    p.ActiveWidth = 96;
    p.ApplyTiebacks = true;
    const std::string text = SaveAndReopen("width.tx5d");
    QCOMPARE(Project().EarthPressureCode, 1);
    QCOMPARE(Project().PYCurveCode, 0);
    QVERIFY(text.find("0 0\t100\t1E-5\t0\t96\r\n") != std::string::npos);
    QCOMPARE(static_cast<double>(Project().ActiveWidth), 96.0);
}

void ProjectTest::tiebackPrestressOptional()
{
    const std::string path = WriteFile(*dir_, "tiebacks.tx5d",
                                       Crlf({"Tiebacks", "1 0\t1\t0\t0\t0 0 1 0 3", "10 6\t12\t1E-5\t0\t12",
                                             "0\t10\t1\t1E9", "0", "0", "6\t1.5\t29000000\t20\t15\t8",
                                             "12\t1.5\t29000000\t20\t15\t8\t40000", "18 1.5 29000000 20 15 8", "0"}));
    QCOMPARE(Open(path, FileLayout::Current), std::string());
    const TGridTable& tiebacks = tables_->Table("TiebackTable1");
    QCOMPARE(tiebacks.RowCount(), 3);
    QVERIFY(Project().ApplyTiebacks);
    QCOMPARE(Value(tiebacks, 6, 0), 0.0);
    QCOMPARE(Value(tiebacks, 6, 1), 40000.0);
    QCOMPARE(Value(tiebacks, 0, 2), 18.0);
    QCOMPARE(Value(tiebacks, 6, 2), 0.0);
}

void ProjectTest::readingErrors_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stiffnessRows");
    const char* header = "Title\r\n1 0\t2\t0\t0\t0 0 1 0 0\r\n10 6\t12\t1E-5\t0\t0\r\n";
    QTest::newRow("real in integer position")
        << QString("Title\r\n1 0\t1\t3.5\t0\t0 0 1 0 0\r\n") << "Error on Line 2 Item 4\rAn integer was expected but not found."
        << 1;
    QTest::newRow("word in real position")
        << QString(header) + "0\t5\t1\tEI\r\n" << "Error on Line 4 Item 4\rA floating point number was expected but not found."
        << 2;
    QTest::newRow("ends inside record 5") << "Title\r\n1 0\t1\t0\t0\t0 0 1 0 0\r\n10 6\t12\t1E-5\t0\t0\r\n0\t5\r\n"
                                          << "This file either invalid or incomplete." << 1;
    QTest::newRow("empty line inside record 5")
        << QString(header) + "0\t5\t1\t1E9\r\n\r\n6\t10\t1\t1E9\r\n0\r\n0\r\n0\r\n"
        << "Error on Line 5 Item 1\rThis file either invalid or incomplete." << 2;
    QTest::newRow("count beyond the file") << "Title\r\n1 0\t2000000000\t0\t0\t0 0 1 0 0\r\n"
                                           << "This file either invalid or incomplete." << 1;
    QTest::newRow("unknown soil type")
        << "Title\r\n1 0\t1\t0\t2\t2 0 1 0 0\r\n10 6\t12\t1E-5\t0\t0\r\n0\t10\t1\t1E9\r\n0\r\n0\r\n"
           "0\t0\t0\t0\t0\t1\t1\t0\r\n0\t0\t0\t0\t0\t0\r\n0\r\n1\r\n9 10 \r\n1 2 3 4 5 6 \r\n1 2 3 4 5 6 \r\n0\r\n"
        << "Error on Line 11 Item 1\rThis file either invalid or incomplete." << 1;
    QTest::newRow("missing file") << QString() << "" << 1;
}

void ProjectTest::readingErrors()
{
    QFETCH(QString, content);
    QFETCH(QString, message);
    QFETCH(int, stiffnessRows);
    std::string path = PathIn(*dir_, "absent.tx5d");
    if (!content.isEmpty())
        path = WriteFile(*dir_, "error.tx5d", content.toStdString());
    const std::string error = Open(path, FileLayout::Current);
    if (message.isEmpty())
        QVERIFY(error.find("absent.tx5d") != std::string::npos);
    else
        QCOMPARE(QString::fromStdString(error), message);
    // What was read stays; every table has at least its minimum rows.
    QCOMPARE(tables_->Table("PileSect").RowCount(), stiffnessRows);
    for (const auto& table : tables_->Tables())
        QVERIFY(table->RowCount() >= table->MinRows());
    QVERIFY(!Project().IsModified());
    QCOMPARE(Project().Title, std::string(content.isEmpty() ? "New Wall" : "Title"));
}

void ProjectTest::activePressureFactorReplacement()
{
    const char* factors[][2] = {{"0.036", "1"}, {"0.0360001", "0.0360001"}, {"0.9", "0.9"}};
    for (const auto& [written, expected] : factors) {
        const std::string content = Crlf({"Old", "1 0\t1\t0\t2\t2 0 1 0 0", "10 6\t12\t1E-5\t0\t0", "0\t10\t1\t1E9",
                                          "0", "0"}) +
                                    "0\t12\t12\t0\t0\t" + written + "\t1\t0\r\n" +
                                    Crlf({"0\t0\t0\t0\t0\t0", "0", "1", "4 10 ", "120 0.0  30 0.0  25 0 ",
                                          "120 0.0  30 0.0  25 0 ", "0"});
        QCOMPARE(Open(WriteFile(*dir_, "factor.tx5d", content), FileLayout::Current), std::string());
        QCOMPARE(FormatNumber(Project().ActivePressureFactor), std::string(expected));
    }
}

void ProjectTest::layoutChoice()
{
    QCOMPARE(LayoutFromExtension("/a/wall.txd"), FileLayout::V30);
    QCOMPARE(LayoutFromExtension("wall.TXD"), FileLayout::V30);
    QCOMPARE(LayoutFromExtension("wall.tx4d"), FileLayout::Y2013);
    QCOMPARE(LayoutFromExtension("wall.tx5d"), FileLayout::Current);
    QCOMPARE(LayoutFromExtension("wall.dat"), FileLayout::Current);
    QCOMPARE(LayoutFromFilter(1), FileLayout::Current);
    QCOMPARE(LayoutFromFilter(2), FileLayout::Y2013);
    QCOMPARE(LayoutFromFilter(3), FileLayout::V30);
    QCOMPARE(LayoutFromFilter(4), FileLayout::V20);
    QCOMPARE(LayoutFromFilter(5), FileLayout::V20);

    // A version 2.0 file: read right with filter 4, misread as 3.0 from
    // the recent-file list.
    const std::string path = WriteFile(*dir_, "old.txd",
                                       Crlf({"Two", "1 0\t1\t0\t1\t0 0", "10 6\t12\t1E-5\t0", "0\t10\t1\t1E9", "0",
                                             "0", "1", "0\t0", "0"}));
    QCOMPARE(Open(path, LayoutFromFilter(4)), std::string());
    QCOMPARE(tables_->Table("DistLoad").RowCount(), 2);  // the minimum; the file had one row
    QCOMPARE(Project().IncrementCount, 10);
    QVERIFY(Project().UserEarthPressure);
    QVERIFY(!Open(path, LayoutFromExtension(path)).empty());
}

void ProjectTest::layout2013()
{
    // Nine control values, five in record 3, no tiebacks; surcharge table,
    // p-y multipliers and moment-EI ranges present.
    const std::string path = WriteFile(*dir_, "y2013.tx4d",
                                       Crlf({"Layout 2013", "1 0\t1\t0\t2\t2 2 1 1", "20 6\t12\t1E-5\t120",
                                             "0\t20\t1\t1E9", "0", "0", "120\t24\t24\t0\t0\t1\t1\t0",
                                             "0.5\t0\t0\t0\t0\t0", "1", "3\t2\t36\t48", "1", "4 240 ",
                                             "0.0625 0.0  30 0.0  25 0.3 ", "0.0625 0.0  32 0.0  50 0.3 ",
                                             "10\t2\t0.8\t0.9", "-1\t10", "1\t-10", "12\t2\t1\t1", "-1\t20", "1\t-20", "0\t20\t2", "0\t1E9",
                                             "100\t5E8", "0"}));
    QCOMPARE(Open(path, LayoutFromExtension(path)), std::string());
    TProgramData& p = Project();
    QCOMPARE(static_cast<double>(p.FreeHeight), 120.0);
    QCOMPARE(static_cast<double>(p.ActiveWidth), 24.0);  // from record 11a
    QVERIFY(p.ApplySurcharge && p.ApplyExternalPY && p.ApplyMomentEI && !p.ApplyTiebacks);
    QCOMPARE(tables_->Table("SurchargeTable").Cell(0, 0).GetInt(), 3);
    const TGridTable& sand = tables_->Table("NewSoil").Cell(2, 0).GetTable();
    QCOMPARE(sand.Caption, std::string("Sand"));
    QCOMPARE(Value(tables_->Table("NewSoil"), 1, 0), 20.0);
    QCOMPARE(Value(sand, 0, 0), 108.0);
    QCOMPARE(Value(sand, 1, 1), 32.0);
    QCOMPARE(Value(sand, 2, 1), 50.0);
    QCOMPARE(Value(sand, 3, 0), 0.3);
    QCOMPARE(Value(tables_->Table("PYCurves2"), 3, 0), 0.9);
    QCOMPARE(Value(tables_->Table("MEICurves2").Cell(2, 0).GetTable(), 1, 1), 5e8);
    QVERIFY(p.HasMomentEICount && !p.HasTiebackCount && !p.ThreeZeroLayout);
    // Saved again in the current layout: NTIE and record 3's sixth value.
    p.FileName = PathIn(*dir_, "y2013.tx5d");
    p.Save();
    const std::string text = ReadFile(p.FileName);
    QVERIFY(text.find("1 0\t1\t0\t2\t2 2 1 1 0\r\n20 6\t12\t1E-5\t120\t24\r\n") != std::string::npos);
}

void ProjectTest::layout30()
{
    // SI, eight control values; the surcharge table comes from the single
    // surcharge, whose distance and width are metres; p-y curves without
    // multipliers.
    const std::string path = WriteFile(*dir_, "v30.txd",
                                       Crlf({"Version 3.0", "2 0\t1\t0\t3\t2 1 1", "20 0.25\t0.3\t1E-5\t3",
                                             "0\t20\t1\t70000", "0", "0", "3\t1\t1\t0\t0\t0.036\t1\t0",
                                             "10\t1.5\t20\t5\t15\t2", "1", "5 6 ", "18 10 25 0.01 0 0 ",
                                             "19 12 27 0.008 0 0 ", "10\t2", "-0.01\t10", "0.01\t-10", "0"}));
    QCOMPARE(Open(path, LayoutFromExtension(path)), std::string());
    TProgramData& p = Project();
    QCOMPARE(p.Units(), UnitsSI);
    QCOMPARE(static_cast<double>(p.ActivePressureFactor), 1.0);
    QVERIFY(p.ApplySurcharge);
    const TGridTable& surcharges = tables_->Table("SurchargeTable");
    QCOMPARE(surcharges.RowCount(), 3);
    const double magnitudes[] = {20, 5, 15};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(surcharges.Cell(0, row).GetInt(), row + 1);
        QCOMPARE(Value(surcharges, 1, row), magnitudes[row]);
        QCOMPARE(Value(surcharges, 2, row), 1500.0);  // mm
        QCOMPARE(Value(surcharges, 3, row), 2000.0);
    }
    const TGridTable& curves = tables_->Table("PYCurves2");
    QCOMPARE(Value(curves, 2, 0), 1.0);
    QCOMPARE(Value(curves, 3, 0), 1.0);
    QCOMPARE(Value(curves.Cell(1, 0).GetTable(), 1, 1), -10.0);
    const TGridTable& silt = tables_->Table("NewSoil").Cell(2, 0).GetTable();
    QCOMPARE(Value(silt, 0, 1), 19.0);  // unit weight
    QCOMPARE(Value(silt, 1, 1), 27.0);  // friction angle
    QCOMPARE(Value(silt, 2, 1), 12.0);  // cohesion
    QCOMPARE(Value(silt, 3, 0), 0.01);  // E50
    QVERIFY(p.ThreeZeroLayout && !p.HasTiebackCount && !p.ApplyMomentEI);
}

void ProjectTest::layout20()
{
    // Seven control values, soil layers as thicknesses with one line of
    // five positions, no end marker.
    const std::string path =
        WriteFile(*dir_, "v20.txd",
                  Crlf({"Version 2.0", "1 1\t1\t0\t2\t2 0", "30 6\t12\t1E-5\t120", "1\t30\t0\t0", "0\t30\t1\t1E9", "0",
                        "0", "120\t12\t12\t0\t0\t1\t1\t0", "0\t0\t0\t0\t0\t0", "2", "1 10 ", "110 500 0 0.01 100 ",
                        "4 15 ", "120 0 34 0 90 "}));
    QCOMPARE(Open(path, FileLayout::V20), std::string());
    TProgramData& p = Project();
    QVERIFY(p.ApplyRestraints);
    QCOMPARE(p.StageCount, 1);
    QVERIFY(!p.ApplySurcharge);
    const TGridTable& layers = tables_->Table("NewSoil");
    QCOMPARE(layers.RowCount(), 2);
    QCOMPARE(Value(layers, 1, 0), 10.0);
    QCOMPARE(Value(layers, 1, 1), 25.0);  // the first layer's bottom plus the thickness
    const TGridTable& clay = layers.Cell(2, 0).GetTable();
    const TGridTable& sand = layers.Cell(2, 1).GetTable();
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(Value(clay, 0, row), 110.0);
        QCOMPARE(Value(clay, 1, row), 500.0);
        QCOMPARE(Value(clay, 2, row), 0.01);
        QCOMPARE(Value(clay, 3, row), 100.0);
        QCOMPARE(Value(sand, 1, row), 34.0);
        QCOMPARE(Value(sand, 2, row), 90.0);
    }
}

void ProjectTest::examplesRoundTrip_data()
{
    QTest::addColumn<QString>("example");
    const QDir examples(TRUVEX_EXAMPLES_DIR);
    for (const QString& name : examples.entryList({"*.tx5d"}, QDir::Files, QDir::Name))
        QTest::newRow(name.toUtf8().constData()) << examples.filePath(name);
}

void ProjectTest::examplesRoundTrip()
{
    QFETCH(QString, example);
    const std::string original = ReadFile(example.toStdString());
    const std::string path = WriteFile(*dir_, "example.tx5d", original);
    QCOMPARE(Open(path, LayoutFromExtension(path)), std::string());
    if (Project().StageCount > 1)
        Project().SplitStagedProject(FileLayout::Current);
    Project().SaveProject();
    const std::string saved = ReadFile(path);
    if (saved != original) {
        // A hand-written example may spell a number otherwise than the
        // number text rule does; nothing else may differ.
        qInfo("%s differs from its saved form in number spelling", qPrintable(example));
        COMPARE_TEXT(SpellingAsWritten(saved, original), saved);
    }
}

void ProjectTest::failedSaveKeepsPreviousFile()
{
    TProgramData& p = Project();
    p.FileName = PathIn(*dir_, "kept.tx5d");
    p.Save();
    const std::string previous = ReadFile(p.FileName);
    FillProject(p);

    // A full disk: no file may grow beyond a few bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const QString fullDisk = ErrorOf([&] { p.Save(); });
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(fullDisk.startsWith("Cannot write file \"" + QString::fromStdString(p.FileName) + "\"."));
    QCOMPARE(ReadFile(p.FileName), previous);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"kept.tx5d"});

    // A folder that does not exist.
    p.FileName = PathIn(*dir_, "missing/wall.tx5d");
    QVERIFY(ErrorOf([&] { p.Save(); }).startsWith("Cannot create file"));

    // A read-only folder (the superuser may write anywhere).
    if (geteuid() == 0)
        return;
    p.FileName = PathIn(*dir_, "kept.tx5d");
    QFile::setPermissions(QString::fromStdString(dir_->path().toStdString()), QFile::ReadOwner | QFile::ExeOwner);
    const QString readOnly = ErrorOf([&] { p.Save(); });
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(readOnly.startsWith("Cannot create file"));
    QCOMPARE(ReadFile(p.FileName), previous);
}

QTEST_APPLESS_MAIN(ProjectTest)
#include "frontend_project_test.moc"
