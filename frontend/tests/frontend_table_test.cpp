#include "entry/ColumnTypesChart.h"
#include "entry/InputTables.h"
#include "entry/TableChart.h"
#include "entry/Units.h"

#include <QTest>

#include <cmath>
#include <memory>

using namespace truvex;

namespace {

// Stands in for the table window: entries typed in a window are checked
// more strictly than those set without one.
class StubWindow : public TTableWindow {
public:
    explicit StubWindow(TGridTable& table) : table_(&table) { table.AttachWindow(this); }
    ~StubWindow() override
    {
        if (table_->Window() == this)
            table_->DetachWindow();
    }
    void CloseTableWindow() override
    {
        ++closed;
        table_->DetachWindow();
    }
    int closed = 0;

private:
    TGridTable* table_;
};

QString EntryError(TGridTable& table, int column, int row, const char* text)
{
    try {
        table.Column(column).SetText(row, text);
    } catch (const EAssignError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

std::unique_ptr<TFloatColumn> FloatColumn(TGridTable& table, const char* caption, bool topDepth = false)
{
    auto column = std::make_unique<TFloatColumn>(table);
    column->Captions = {caption};
    column->TopDepth = topDepth;
    return column;
}

}  // namespace

class TableTest : public QObject {
    Q_OBJECT

private slots:
    void init() { tables_ = TInputTables::FromResource(); }
    void cleanup() { tables_.reset(); }

    void rowCount();
    void resetRows();
    void realEntries();
    void integerEntries_data();
    void integerEntries();
    void integerEntriesWithoutWindow();
    void choiceEntries();
    void soilTypeChangeReplacesParameters();
    void parentRowsFollowInsertAndDelete();
    void unitSwitch();
    void unitSwitchReachesSubTables();
    void modifiedMarkers();
    void cellChangedCallback();
    void identifiers();
    void chartSubTables();
    void topDepth();
    void rowGroupsAndSharedCells();
    void wrongAccess();
    void selfTemplateIsRefused();
    void closeWindowReachesSubTables();

private:
    TGridTable& Table(const char* name) { return tables_->Table(name); }
    std::unique_ptr<TInputTables> tables_;
};

void TableTest::rowCount()
{
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(3);
    pileSect.SetRowCount(-3);
    QCOMPARE(pileSect.RowCount(), 0);
    for (int c = 0; c < pileSect.ColumnCount(); ++c)
        QCOMPARE(pileSect.Column(c).RowCount(), 0);

    int resized = 0;
    pileSect.OnResize = [&resized] { ++resized; };
    pileSect.SetRowCount(2);
    QCOMPARE(resized, 1);
    QCOMPARE(pileSect.RowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(pileSect.Cell(0, row).GetInt(), 0);
        QCOMPARE(pileSect.Cell(1, row).GetInt(), 1);
        QCOMPARE(pileSect.Cell(2, row).GetInt(), 1);
        QCOMPARE(static_cast<double>(pileSect.Cell(3, row).GetFloat()), 0.0);
        QCOMPARE(pileSect.Cell(3, row).GetText(), std::string("0"));
    }
    pileSect.Cell(3, 0).SetFloat(5);
    pileSect.SetRowCount(1);
    QCOMPARE(static_cast<double>(pileSect.Cell(3, 0).GetFloat()), 5.0);
}

void TableTest::resetRows()
{
    Table("PileSect").SetRowCount(5);
    tables_->ResetRows();
    for (const auto& table : tables_->Tables())
        QCOMPARE(table->RowCount(), table->MinRows());
    QCOMPARE(Table("PileSect").RowCount(), 1);
    QCOMPARE(Table("PYMod").RowCount(), 2);
    QCOMPARE(static_cast<double>(Table("PYMod").Cell(2, 1).GetFloat()), 1.0);
    QCOMPARE(Table("NewSoil").Cell(2, 0).GetTable().Caption, std::string("Clay"));
    QCOMPARE(Table("LongSoil").Cell(2, 0).GetTable().RowCount(), 2);
}

void TableTest::realEntries()
{
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(1);
    pileSect.Column(3).SetText(0, "2*3");
    QCOMPARE(static_cast<double>(pileSect.Cell(3, 0).GetFloat()), 6.0);
    QCOMPARE(EntryError(pileSect, 3, 0, "abc"), QStringLiteral("abc is not a valid number."));
    QCOMPARE(EntryError(pileSect, 3, 0, ""), QStringLiteral("Entry cannot be blank."));
    QCOMPARE(EntryError(pileSect, 3, 0, "1+2)"), QStringLiteral("1+2) is not a valid number."));
    QCOMPARE(static_cast<double>(pileSect.Cell(3, 0).GetFloat()), 6.0);  // failed entries leave the cell
    pileSect.Column(3).SetText(0, "1/3");
    QCOMPARE(pileSect.Cell(3, 0).GetText(), std::string("0.33333333"));
}

void TableTest::integerEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stored");
    QTest::newRow("fraction") << "2.5" << "Entry must be an integer." << 7;
    QTest::newRow("below the minimum") << "-1" << "Entry must be between 0 and 2147483600." << 7;
    QTest::newRow("above the maximum") << "2147483601" << "Entry must be between 0 and 2147483600." << 7;
    QTest::newRow("expression") << "4*3" << "" << 12;
    QTest::newRow("whole within 1E-10") << "3+1E-11" << "" << 3;
}

void TableTest::integerEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, message);
    QFETCH(int, stored);
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(1);
    pileSect.Cell(0, 0).SetInt(7);
    StubWindow window(pileSect);
    QCOMPARE(EntryError(pileSect, 0, 0, entry.toLatin1().constData()), message);
    QCOMPARE(pileSect.Cell(0, 0).GetInt(), stored);
}

void TableTest::integerEntriesWithoutWindow()
{
    // Without a window the value is only rounded (halves to even).
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(1);
    pileSect.Column(0).SetText(0, "2.5");
    QCOMPARE(pileSect.Cell(0, 0).GetInt(), 2);
    pileSect.Column(0).SetText(0, "-1");
    QCOMPARE(pileSect.Cell(0, 0).GetInt(), -1);
    pileSect.Column(0).SetText(0, "1E30");
    QCOMPARE(pileSect.Cell(0, 0).GetInt(), 2147483647);
}

void TableTest::choiceEntries()
{
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(1);
    pileSect.Column(2).SetText(0, "2");
    QCOMPARE(pileSect.Cell(2, 0).GetInt(), 2);
    QCOMPARE(EntryError(pileSect, 2, 0, "1.5"), QStringLiteral("Value must be an integer."));
    QCOMPARE(EntryError(pileSect, 2, 0, "3"), QStringLiteral("Entry must be between 1 and 2."));
    QCOMPARE(EntryError(pileSect, 2, 0, "0"), QStringLiteral("Entry must be between 1 and 2."));
    QCOMPARE(pileSect.Cell(2, 0).GetText(), std::string("2"));
}

void TableTest::soilTypeChangeReplacesParameters()
{
    TGridTable& soil = Table("NewSoil");
    soil.SetRowCount(2);
    QCOMPARE(soil.Cell(2, 0).GetTable().Caption, std::string("Clay"));  // first choice: soft clay
    soil.Column(0).SetText(1, "4");
    TGridTable& sand = soil.Cell(2, 1).GetTable();
    QCOMPARE(sand.Caption, std::string("Sand"));
    QCOMPARE(sand.ColumnCount(), 4);
    QCOMPARE(sand.RowCount(), 2);
    QCOMPARE(sand.ParentRow(), 2);
    QCOMPARE(sand.Units(), soil.Units());
    sand.Column(0).SetText(0, "120");
    QVERIFY(soil.IsModified());

    soil.Column(0).SetText(1, "5");  // "Silt (c-phi soil)"
    TGridTable& silt = soil.Cell(2, 1).GetTable();
    QCOMPARE(silt.Caption, std::string("Silt"));
    QCOMPARE(silt.ColumnCount(), 6);
    QCOMPARE(silt.RowCount(), 2);
    QCOMPARE(silt.ParentRow(), 2);
    for (int c = 0; c < silt.ColumnCount(); ++c)
        for (int r = 0; r < silt.RowCount(); ++r)
            QCOMPARE(static_cast<double>(silt.Cell(c, r).GetFloat()), 0.0);
    QCOMPARE(silt.Column(0).CaptionLine(0), std::string("Total Unit "));
    QCOMPARE(silt.WindowTitle(), std::string("Silt 2"));

    // Setting the same choice again keeps the table and its data.
    silt.Cell(0, 0).SetFloat(1);
    soil.Cell(0, 1).SetInt(5);
    QCOMPARE(static_cast<double>(soil.Cell(2, 1).GetTable().Cell(0, 0).GetFloat()), 1.0);
    // A choice chosen through the drop-down list replaces it too.
    soil.Cell(0, 1).SetInt(6);
    QCOMPARE(soil.Cell(2, 1).GetTable().Caption, std::string("Strong Rock"));
}

void TableTest::parentRowsFollowInsertAndDelete()
{
    TGridTable& soil = Table("NewSoil");
    soil.SetRowCount(2);
    soil.InsertGroup(0);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(soil.Cell(2, row).GetTable().ParentRow(), row + 1);
    soil.Cell(0, 2).SetInt(4);
    soil.DeleteGroup(0);
    QCOMPARE(soil.RowCount(), 2);
    QCOMPARE(soil.Cell(2, 1).GetTable().Caption, std::string("Sand"));
    QCOMPARE(soil.Cell(2, 1).GetTable().ParentRow(), 2);
    QCOMPARE(soil.Cell(2, 0).GetTable().ParentRow(), 1);
}

void TableTest::unitSwitch()
{
    TGridTable& pyMod = Table("PYMod");
    pyMod.SetRowCount(2);
    pyMod.Cell(0, 0).SetFloat(10);
    pyMod.Cell(0, 1).SetFloat(20);
    pyMod.Cell(1, 0).SetFloat(1.5);
    pyMod.Cell(2, 1).SetFloat(0.5);
    QCOMPARE(pyMod.Column(0).CaptionLine(0), std::string("Depth (ft)  "));
    QCOMPARE(pyMod.Column(1).CaptionLine(0), std::string("p-Multiplier"));

    int resized = 0;
    pyMod.OnResize = [&resized] { ++resized; };
    pyMod.SetUnits(UnitsSI);
    QCOMPARE(resized, 1);
    QCOMPARE(pyMod.Units(), UnitsSI);
    const long double toSI = 1 / 3.280839895L;
    QVERIFY(std::fabs(pyMod.Cell(0, 0).GetFloat() - 10 * toSI) < 1e-15L);
    QVERIFY(std::fabs(pyMod.Cell(0, 1).GetFloat() - 20 * toSI) < 1e-15L);
    QCOMPARE(static_cast<double>(pyMod.Cell(1, 0).GetFloat()), 1.5);
    QCOMPARE(static_cast<double>(pyMod.Cell(2, 1).GetFloat()), 0.5);
    QCOMPARE(pyMod.Column(0).CaptionLine(0), std::string("Depth (m)  "));

    pyMod.SetUnits(UnitsSI);  // no change: nothing converted, no resize
    QCOMPARE(resized, 1);
    pyMod.SetUnits(UnitsOther);
    pyMod.SetUnits(UnitsEnglish);  // through the other system nothing converts
    QVERIFY(std::fabs(pyMod.Cell(0, 0).GetFloat() - 10 * toSI) < 1e-15L);
    QCOMPARE(pyMod.Column(0).CaptionLine(0), std::string("Depth (ft)  "));
    pyMod.SetUnits(UnitsSI);
    pyMod.SetUnits(UnitsEnglish);
    QVERIFY(std::fabs(pyMod.Cell(0, 0).GetFloat() - 10 * toSI) < 1e-15L);
}

void TableTest::unitSwitchReachesSubTables()
{
    TGridTable& soil = Table("NewSoil");
    soil.SetRowCount(1);
    soil.Cell(2, 0).GetTable().Cell(0, 0).SetFloat(120);  // pcf
    tables_->SetUnits(UnitsSI);
    TGridTable& clay = soil.Cell(2, 0).GetTable();
    QCOMPARE(clay.Units(), UnitsSI);
    QVERIFY(std::fabs(clay.Cell(0, 0).GetFloat() - 120 / UnitFactor("F/L2^3")) < 1e-12L);
    QCOMPARE(clay.Column(0).CaptionLine(1), std::string("Weight, (kN/m^3)  "));
    // A new row's parameter table takes the owner's unit system.
    soil.AppendGroup();
    QCOMPARE(soil.Cell(2, 1).GetTable().Units(), UnitsSI);
}

void TableTest::modifiedMarkers()
{
    TGridTable& soil = Table("NewSoil");
    soil.SetRowCount(1);
    QVERIFY(!soil.IsModified());
    soil.Cell(1, 0).SetFloat(3);  // set by the program, not typed
    QVERIFY(!soil.IsModified());
    soil.Cell(2, 0).GetTable().Column(1).SetText(0, "4");
    QVERIFY(soil.IsModified());
    soil.SetModified(false);
    QVERIFY(!soil.IsModified());
    QVERIFY(!soil.Cell(2, 0).GetTable().IsModified());
    soil.Column(1).SetText(0, "5");
    QVERIFY(soil.IsModified());
}

void TableTest::cellChangedCallback()
{
    TGridTable& boundCond = Table("BoundCond");
    boundCond.SetRowCount(2);
    QList<QPair<int, int>> changed;
    boundCond.OnCellChanged = [&changed](int column, int row) { changed.append({column, row}); };
    boundCond.Column(4).SetText(1, "2");
    QCOMPARE(changed, (QList<QPair<int, int>>{{4, 1}}));
}

void TableTest::identifiers()
{
    TGridTable& pileSect = Table("PileSect");
    QCOMPARE(pileSect.Identifier(), 15);
    QCOMPARE(Table("SoilLayer").Identifier(), 0);
    QCOMPARE(Table("Rows2").Identifier(), 0);  // chart tables count on their own
    QCOMPARE(TGridTable::GlobalRegistry().FindIdentifier(0), &Table("SoilLayer"));
    QCOMPARE(TGridTableChart::ChartRegistry().FindIdentifier(0), &Table("Rows2"));

    TGridTable extra;
    QVERIFY(TGridTable::GlobalRegistry().FindIdentifier(extra.Identifier()) == &extra);
    const int previous = extra.Identifier();
    extra.SetIdentifier(15);
    QCOMPARE(extra.Identifier(), 15);
    QCOMPARE(pileSect.Identifier(), previous);  // the holder took the previous one
    extra.SetIdentifier(-4);
    QCOMPARE(extra.Identifier(), 15);
    extra.SetIdentifier(previous);
    QCOMPARE(pileSect.Identifier(), 15);
}

void TableTest::chartSubTables()
{
    TGridTable& curves = Table("PYCurves2");
    curves.SetRowCount(2);
    auto* curve = dynamic_cast<TGridTableChart*>(&curves.Cell(1, 1).GetTable());
    QVERIFY(curve);
    QCOMPARE(curve->Caption, std::string("External p-y Curve"));
    QCOMPARE(curve->RowCount(), 2);
    QCOMPARE(curve->MaxRows(), 17);
    QCOMPARE(curve->TopLeft, std::string("Point"));
    QVERIFY(curve->Graphics.ShowChart);
    QVERIFY(curve->GetDataFromFile);
    QCOMPARE(curve->WindowTitle(), std::string("External p-y Curve 2"));
    QCOMPARE(static_cast<double>(curves.Cell(2, 0).GetFloat()), 1.0);

    TGridTable& moments = Table("MEICurves2");
    moments.SetRowCount(1);
    QCOMPARE(moments.Cell(2, 0).GetTable().Caption, std::string("Moment and EI data"));  // not SoilLayer
    TDataChart cell = moments.Cell(2, 0);
    QCOMPARE(cell.GetTable().Column(1).CaptionLine(0), std::string("Flexural rigidity (lbs-in^2)  "));
}

void TableTest::topDepth()
{
    TGridTable table;
    table.AddColumn(FloatColumn(table, "Top", true));
    table.AddColumn(FloatColumn(table, "Bottom"));
    table.SetRowCount(1);
    table.Column(1).SetText(0, "5");
    table.AppendGroup();
    QCOMPARE(static_cast<double>(table.Cell(0, 1).GetFloat()), 5.0);  // the new top is the previous bottom
    table.Column(1).SetText(1, "9");
    table.AppendGroup();
    table.Column(0).SetText(1, "6");  // a top moves the previous bottom
    QCOMPARE(static_cast<double>(table.Cell(1, 0).GetFloat()), 6.0);
    table.Column(1).SetText(1, "8");  // a bottom moves the next top
    QCOMPARE(static_cast<double>(table.Cell(0, 2).GetFloat()), 8.0);
    table.Cell(0, 0).SetFloat(1);  // the first top has no previous row
    QCOMPARE(static_cast<double>(table.Cell(1, 0).GetFloat()), 6.0);
}

void TableTest::rowGroupsAndSharedCells()
{
    TGridTable table;
    table.SetRowGroup(2);
    auto shared = std::make_unique<TIntColumn>(table);
    shared->GroupShared = true;
    shared->Max = 100;
    table.AddColumn(std::move(shared));
    table.AddColumn(FloatColumn(table, "Value"));
    table.AppendGroup();
    table.AppendGroup();
    QCOMPARE(table.RowCount(), 4);
    table.Column(0).SetText(3, "7");
    QCOMPARE(table.Cell(0, 2).GetInt(), 7);
    QCOMPARE(table.Cell(0, 3).GetInt(), 7);
    QCOMPARE(table.Cell(0, 1).GetInt(), 0);
    table.Column(1).SetText(3, "2");
    QCOMPARE(static_cast<double>(table.Cell(1, 2).GetFloat()), 0.0);
    table.InsertGroup(3);  // before the group of row 3
    QCOMPARE(table.RowCount(), 6);
    QCOMPARE(table.Cell(0, 4).GetInt(), 7);
    table.DeleteGroup(1);
    QCOMPARE(table.RowCount(), 4);
    QCOMPARE(table.Cell(0, 2).GetInt(), 7);
}

void TableTest::wrongAccess()
{
    TGridTable& pileSect = Table("PileSect");
    pileSect.SetRowCount(1);
    const auto message = [](auto&& action) {
        try {
            action();
        } catch (const ETableError& error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    };
    QCOMPARE(message([&] { pileSect.Cell(0, 0).GetFloat(); }), QStringLiteral("Data of wrong type"));
    QCOMPARE(message([&] { pileSect.Cell(3, 0).SetInt(1); }), QStringLiteral("Data of wrong type"));
    QCOMPARE(message([&] { pileSect.Cell(3, 0).GetTable(); }), QStringLiteral("Data of wrong type"));
    QCOMPARE(message([&] { pileSect.VisibleColumn(4); }), QStringLiteral("Index out of bounds"));
    QCOMPARE(message([&] { pileSect.Cell(0, 1); }), QStringLiteral("List index out of bounds (1)"));
    QCOMPARE(message([&] { pileSect.SetMinRows(0); }), QStringLiteral("Value must be greater than 0"));
    QCOMPARE(pileSect.MinRows(), 1);
    pileSect.SetLoading(true);
    pileSect.SetMinRows(-2);
    pileSect.SetLoading(false);
    QCOMPARE(pileSect.MinRows(), 1);
    QCOMPARE(pileSect.VisibleColumnCount(), 4);
}

void TableTest::selfTemplateIsRefused()
{
    // A table that would hold copies of itself gets no sub-table.
    TGridTable table;
    auto column = std::make_unique<TTableColumn>(table);
    column->Templates.Add({TGridTableList::Kind::Identifier, table.Identifier()});
    table.AddColumn(std::move(column));
    table.SetRowCount(1);
    QVERIFY(table.Cell(0, 0).Column().GetObject(0) == nullptr);

    TGridTable outer;
    auto outerColumn = std::make_unique<TTableColumn>(outer);
    outerColumn->Templates.Add({TGridTableList::Kind::Identifier, table.Identifier()});
    outer.AddColumn(std::move(outerColumn));
    table.SetRowCount(0);
    outer.SetRowCount(1);
    TGridTable& copy = outer.Cell(0, 0).GetTable();
    QCOMPARE(copy.RowCount(), 1);
    QVERIFY(copy.Column(0).GetObject(0) == nullptr);
}

void TableTest::closeWindowReachesSubTables()
{
    TGridTable& soil = Table("NewSoil");
    soil.SetRowCount(1);
    StubWindow ownWindow(soil);
    StubWindow subWindow(soil.Cell(2, 0).GetTable());
    soil.CloseWindow();
    QCOMPARE(ownWindow.closed, 1);
    QCOMPARE(subWindow.closed, 1);
    QVERIFY(!soil.HasWindow());
}

QTEST_APPLESS_MAIN(TableTest)
#include "frontend_table_test.moc"
