#include "entry/Definition.h"
#include "entry/InputTables.h"
#include "entry/TableChart.h"

#include <QTest>

#include <array>
#include <memory>
#include <vector>

using namespace truvex;

namespace {

struct ExpectedColumn {
    ColumnType type;
    std::vector<std::string> captions;
    std::string unit;
    double defaultValue;
    long long min;
    long long max;
    std::vector<std::string> choices;
    std::vector<int> templates;
};

struct ExpectedTable {
    std::string name;
    bool chart;
    int identifier;
    std::string caption;
    int minRows;
    int maxRows;
    std::string topLeft;
    std::vector<ExpectedColumn> columns;
    std::string comments;
    bool getDataFromFile;
    std::array<int, 6> graphics;  // ShowChart, DrawInPaintBox, four integers
};

// Every input table of the main window as the program must present it.
const std::vector<ExpectedTable> ExpectedTables = {
    {"PileSect", false, 15, "Wall Stiffness", 1, 10, "Section",
        {
            {ColumnType::Int, {"From Node No. (Start)"}, "", 0, 0, 2147483600, {}, {}},
            {ColumnType::Int, {"To Node No. (End)"}, "", 1, 0, 2147483647, {}, {}},
            {ColumnType::Enum, {"Constant or Interpolate?                                  "}, "", 0, 0, 0, {"Use Constant Value for all Nodes on this Line", "Linear Interpolate to End Node of Next Line"}, {}},
            {ColumnType::Float, {"Flexural Stiffness (EI)"}, "F-L^2", 0.0, 0, 0, {}, {}},
        },
        "The nodal number at the top of the wall is set to be 0.\rValues of Flexural Stiffness (EI) must be specified for all nodes of the wall.\rLinear interpolation (when selected) is performed from START node of previous line to END node of the following line.",
        false, {false, false, 0, 0, 0, 0}},
    {"SoilLayer", false, 0, "Specify Deflection and Slope on Wall", 1, 10, "No",
        {
            {ColumnType::Enum, {"Case                                           "}, "", 0, 0, 0, {"Specify Deflection", "Specify Slope"}, {}},
            {ColumnType::Int, {"Nodal No."}, "", 0, 0, 2147483600, {}, {}},
            {ColumnType::Float, {"Deflection"}, "L", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Slope"}, "", 0.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"BoundCond", false, 123, "Concentrated Loads on Wall", 1, 20, "",
        {
            {ColumnType::Enum, {"Constant or Interpolate?                                  "}, "", 0, 0, 0, {"Use Constant Values for all Nodes on this Line", "Linear Interpolate to End Node of Next Line"}, {}},
            {ColumnType::Int, {"From Node No.", "(Start)"}, "", 0, 0, 2147483600, {}, {}},
            {ColumnType::Int, {"To Node No.", "(End)"}, "", 1, 0, 2147483647, {}, {}},
            {ColumnType::Float, {"Lateral Load"}, "F", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Moment"}, "F-L", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Axial Load"}, "F", 0.0, 0, 0, {}, {}},
        },
        "The concentrated loads are applied at nodal points only (including the specified START and END nodes).\rLinear interpolation (when selected) is performed from START node of previous line to END node of the following line.",
        false, {false, false, 0, 0, 0, 0}},
    {"SoilStrength", false, 4, "Lateral Spring and Rotation Spring", 1, 20, "Point",
        {
            {ColumnType::Enum, {"Constant or Interpolate?                                      "}, "", 0, 0, 0, {"Use Constant Values for all Nodes on this Line  ", "Linear Interpolate to End Node of Next Line"}, {}},
            {ColumnType::Int, {"From Node No.", "     (Start)"}, "", 0, 0, 2147483647, {}, {}},
            {ColumnType::Int, {"To Node No.", "   (End)"}, "", 0, -2147483648, 2147483647, {}, {}},
            {ColumnType::Float, {"Lateral Spring", "Stiffness"}, "F/L", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Rotational Spr.", "Stiff."}, "F-L/RAD.", 0.0, 0, 0, {}, {}},
        },
        "The spring stiffnesses are applied at nodal points only (including the specified START and END nodes).\rLinear interpolation (when selected) is performed from START node of previous line to END node of the following line.",
        false, {false, false, 0, 0, 0, 0}},
    {"TiebackTable1", false, 77, "Tieback (ground anchor) Table", 1, 20, "",
        {
            {ColumnType::Float, {"Depth from top", "of wall,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Cross sectional area", "of steel rod,"}, "L1^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Elastic modulus", "of steel,"}, "F/L^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Unbonded anchor", "length,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Angle from", "horizontal,"}, "DEG.", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Anchor spacing", "in each row,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Prestressing Force"}, "F", 0.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"PYMod", false, 16, "p-y Modification Factors", 2, 30, "",
        {
            {ColumnType::Float, {"Depth"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"p-Multiplier"}, "", 1.0, 0, 0, {}, {}},
            {ColumnType::Float, {"y-Multiplier"}, "", 1.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"DistLoad", false, 22, "Distributed Loads", 2, 100, "",
        {
            {ColumnType::Float, {"Depth measured from the top of the wall,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Lateral distributed line load, "}, "F/L2", 0.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"LongDist", false, 104, "Distributed Load (Long-Term)", 1, 0, "",
        {
            {ColumnType::Float, {"Depth measured from the top of the wall,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Lateral distributed line load,"}, "F/L2", 0.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"SurchargeTable", false, 23, "Surcharge Loads", 1, 20, "",
        {
            {ColumnType::Enum, {"Load Types"}, "", 0, 0, 0, {"Point Load", "Line Load", "Strip Load"}, {}},
            {ColumnType::Float, {"Load Magnitude"}, "SEE NOTES", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Distance, X"}, "L1", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Width of Strip Load, W"}, "L1", 0.0, 0, 0, {}, {}},
        },
        "The unit for point load is lbs or kN \rThe unit for line load is lbs/in. or kN/m \rThe unit for strip load is lbs/in^2 or kN/m^2 \rFor strip load, Distance X goes from the wall to the middle of the strip width",
        false, {false, false, 0, 0, 0, 0}},
    {"NewSoil", false, 19, "Soil Layers", 1, 10, "",
        {
            {ColumnType::Enum, {"Soil ", "Type"}, "", 0, 0, 0, {"Soft Clay", "Stiff Clay with Free Water", "Stiff Clay w/o Free Water", "Sand", "Silt (c-phi soil)", "Strong Rock", "Weak Rock"}, {}},
            {ColumnType::Float, {"Depth at Bottom", "of the Layer,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Table, {"Edit Soil", "Parameters"}, "", 0, 0, 0, {}, {18, 18, 18, 17, 29, 30, 31}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"LongSoil", false, 44, "Soil Layers (Long-Term)", 1, 10, "",
        {
            {ColumnType::Enum, {"Soil", "Type"}, "", 0, 0, 0, {"Soft Clay", "Stiff Clay with Free water", "Stiff Clay w/o Free Water", "Sand", "Silt (c-phi soil)", "Strong Rock", "Weak Rock"}, {}},
            {ColumnType::Float, {"Depth at Bottom", "of the Layer,"}, "L2", 0.0, 0, 0, {}, {}},
            {ColumnType::Table, {"Edit Soil", "Parameters"}, "", 0, 0, 0, {}, {18, 18, 18, 17, 29, 30, 31}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"TblClay1", false, 18, "Clay", 2, 2, "",
        {
            {ColumnType::Float, {"Total Unit", "Weight,"}, "F/L2^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Cohesive", "Strength,"}, "F/L2^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"E50"}, "", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"k(py)"}, "F/L^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Optional Earth", "Pressure Coefficient"}, "", 0.0, 0, 0, {}, {}},
        },
        "The user may optionally enter an earth pressure coefficient for generating \rlateral earth pressure that is equal to the vertical soil pressure multiplied \rby this user-specified coefficient. If the user does not intend to use this option, \rplease leave the optional earth pressure coefficient as zero and the program will \ruse the active earth pressure coefficient calculated internally.",
        false, {false, false, 0, 0, 0, 0}},
    {"TblSand1", false, 17, "Sand", 2, 2, "",
        {
            {ColumnType::Float, {"Total Unit", "Weight,"}, "F/L2^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Friction", "Angle, deg."}, "", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"k(py)"}, "F/L^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Optional Earth", "Pressure Coefficient"}, "", 0.0, 0, 0, {}, {}},
        },
        "The user may optionally enter an earth pressure coefficient for generating \rlateral earth pressure that is equal to the vertical soil pressure multiplied \rby this user-specified coefficient. If the user does not intend to use this option, \rplease leave the optional earth pressure coefficient as zero and the program will \ruse the active earth pressure coefficient calculated internally.",
        false, {false, false, 0, 0, 0, 0}},
    {"TblSilt1", false, 29, "Silt", 2, 2, "",
        {
            {ColumnType::Float, {"Total Unit ", "Weight,"}, "F/L2^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Friction", "Angle, deg."}, "", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Cohesive", "Strength,"}, "F/L2^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"E50"}, "", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"K(py)"}, "F/L^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Optional Earth", "Pressure Coefficient"}, "", 0.0, 0, 0, {}, {}},
        },
        "The user may optionally enter an earth pressure coefficient for generating \rlateral earth pressure that is equal to the vertical soil pressure multiplied \rby this user-specified coefficient. If the user does not intend to use this option, \rplease leave the optional earth pressure coefficient as zero and the program will \ruse the active earth pressure coefficient calculated internally.",
        false, {false, false, 0, 0, 0, 0}},
    {"TblRock1", false, 30, "Strong Rock", 2, 2, "",
        {
            {ColumnType::Float, {"Total Unit", "Weight,"}, "F/L2^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Uniaxial Compressive", "Strength,"}, "F/L^2", 0.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"TblRock2", false, 31, "Weak Rock", 2, 2, "",
        {
            {ColumnType::Float, {"Total Unit", "Weight,"}, "F/L2^3", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Uniaxial Compressive", "Strength,"}, "F/L^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"krm *"}, "", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Elastic", "Modulus,"}, "F/L^2", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"RQD", "%"}, "", 0.0, 0, 0, {}, {}},
        },
        "* krm is a strain constant that seve to establish the overall stiffness of the curves",
        false, {false, false, 0, 0, 0, 0}},
    {"PYCurves2", true, 37, "Sets of Ext. p-y Curves", 2, 30, "",
        {
            {ColumnType::Int, {"Node # "}, "", 0, -2147483648, 2147483647, {}, {}},
            {ColumnType::Table, {"Curve Sets"}, "", 0, 0, 0, {}, {38}},
            {ColumnType::Float, {"Multiplier for p-value"}, "", 1.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Multiplier for y-value"}, "", 1.0, 0, 0, {}, {}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"PYCurve2", true, 38, "External p-y Curve", 2, 17, "Point",
        {
            {ColumnType::Float, {"Lateral Deflection, y (*)"}, "L", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Soil Resistance, p"}, "F/L", 0.0, 0, 0, {}, {}},
        },
        "* Use negative (-) values for deflections to the left (to backfill)\r     and positive (+) to the right (to excavation).\rLateral movement (y) should start from negative deflection\r     (towards backfill) and gradually increase to positive\r     deflection (towards excavation) for the range of the response.\rPositive soil resistance (p) should correspond to the negative\r     soil movement (-y) and negative soil resistance (-p) should\r     correspond to the positive soil movement (y).",
        true, {true, false, 0, 1, 0, 0}},
    {"MEICurves2", true, 36, "Nonlinear Moment vs EI Curves", 1, 20, "Section",
        {
            {ColumnType::Int, {"From Node No. (Start)"}, "", 0, 0, 1000, {}, {}},
            {ColumnType::Int, {"To Node No. (End)"}, "", 0, 0, 1000, {}, {}},
            {ColumnType::Table, {}, "", 0, 0, 0, {}, {0}},
        },
        "",
        false, {false, false, 0, 0, 0, 0}},
    {"Rows2", true, 0, "Moment and EI data", 1, 100, "Point",
        {
            {ColumnType::Float, {"Bending moment"}, "F-L", 0.0, 0, 0, {}, {}},
            {ColumnType::Float, {"Flexural rigidity"}, "F-L^2", 0.0, 0, 0, {}, {}},
        },
        "",
        true, {true, false, 0, 1, 0, 0}}
};

QString ReadError(TGridTable& table, const char* definition)
{
    TDefinitionReader reader(definition);
    try {
        table.ReadCol(reader);
    } catch (const EReadError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

std::string ColText(const TGridTable& table)
{
    TDefinitionWriter writer;
    table.WriteCol(writer);
    return writer.Text();
}

}  // namespace

class DefinitionTest : public QObject {
    Q_OBJECT

private slots:
    void faultyColumns_data();
    void faultyColumns();
    void faultyGraphicParameters();
    void faultyTableObjects_data();
    void faultyTableObjects();
    void readerValues();
    void olderFloatDefinition();
    void olderSubTableDefinition();
    void definitionsRoundTrip();
    void resourceTables();
};

void DefinitionTest::faultyColumns_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("message");
    QTest::newRow("count missing") << "'x'" << "Error reading column count";
    QTest::newRow("count negative") << "-1" << "Error reading column count";
    QTest::newRow("unknown type") << "1 7 ('a') True False" << "Error Column Class not defined";
    QTest::newRow("type missing") << "1 ('a') True False" << "Error Column Class not defined";
    QTest::newRow("bad boolean in second column")
        << "2 1 ('a') True False 0 0 5  1 ('b') True 0 0 0 5"
        << "Error occured when creating column 1: Boolean expected";
    QTest::newRow("bad real default")
        << "1 2 ('a') True False False 'FLOATCOLUMN2' 'L' x"
        << "Error occured when creating column 0: Real expected";
    QTest::newRow("captions not a list")
        << "1 4 'a' True False 'text' 1.0" << "Error occured when creating column 0: '(' expected";
    QTest::newRow("bad sub-table marker")
        << "1 3 ('a') True False 'FLEX' (1)" << "Error occured when creating column 0: Unknown sub-table definition FLEX";
    QTest::newRow("ends early") << "2 1 ('a') True False 0 0 5" << "Error Column Class not defined";
}

void DefinitionTest::faultyColumns()
{
    QFETCH(QString, definition);
    QFETCH(QString, message);
    TGridTable table;
    QCOMPARE(ReadError(table, definition.toLatin1().constData()), message);
}

void DefinitionTest::faultyGraphicParameters()
{
    TGridTableChart chart;
    QCOMPARE(ReadError(chart, "1 1 ('a') True False 0 0 5  True False 0 1"),
             QStringLiteral("Error reading graphic parameters"));
    QCOMPARE(ReadError(chart, "1 1 ('a') True False 0 0 5  True False 0 1 0 0"), QString());
    QVERIFY(chart.Graphics.ShowChart);
    QCOMPARE(chart.Graphics.Values[1], 1);
}

void DefinitionTest::faultyTableObjects_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown property") << "object T: TGridTable\n Colour = 1\nend" << "Property Colour does not exist";
    QTest::newRow("unknown class") << "object T: TGrid\nend" << "Class TGrid not found";
    QTest::newRow("faulty columns") << "object T: TGridTable\n Col = { x }\nend" << "Error reading column count";
    QTest::newRow("missing end") << "object T: TGridTable\n Caption = 'a'" << "'end' expected for T";
    QTest::newRow("unterminated string") << "object T: TGridTable\n Caption = 'a\nend" << "Unterminated string";
}

void DefinitionTest::faultyTableObjects()
{
    QFETCH(QString, definition);
    QFETCH(QString, message);
    const std::string text = definition.toStdString();
    try {
        TInputTables tables(text);
        QFAIL("no error");
    } catch (const EReadError& error) {
        QCOMPARE(QString::fromStdString(error.what()), message);
    }
}

void DefinitionTest::readerValues()
{
    TDefinitionReader reader("'it''s'#13'x' + 'y' -12 2.5E-3 True // comment\n (1 -1)");
    QCOMPARE(reader.ReadString(), std::string("it's\rxy"));
    QCOMPARE(reader.ReadInteger(), -12);
    QCOMPARE(static_cast<double>(reader.ReadFloat()), 0.0025);
    QVERIFY(reader.ReadBoolean());
    QCOMPARE(reader.ReadIntegerList(), (std::vector<int>{1, -1}));
    QVERIFY(reader.AtEnd());

    TDefinitionWriter writer;
    writer.WriteString("it's\rx");
    writer.WriteFloat(2);
    TDefinitionReader back(writer.Text());
    QCOMPARE(back.ReadString(), std::string("it's\rx"));
    QCOMPARE(static_cast<double>(back.ReadFloat()), 2.0);
}

void DefinitionTest::olderFloatDefinition()
{
    // The unit code in place of the marker, and no default.
    TGridTable table;
    QCOMPARE(ReadError(table, "1 2 ('Depth') True False False 'L2'"), QString());
    const auto& column = dynamic_cast<const TFloatColumn&>(table.Column(0));
    QCOMPARE(column.UnitCode, std::string("L2"));
    QCOMPARE(static_cast<double>(column.Default), 0.0);
}

void DefinitionTest::olderSubTableDefinition()
{
    // After a choice column, choice i uses the table with identifier i.
    TGridTable byChoice;
    QCOMPARE(ReadError(byChoice, "2 0 ('Type') True False ('a' 'b' 'c') 3 ('Edit') True False 9"), QString());
    const auto& templates = dynamic_cast<const TTableColumn&>(byChoice.Column(1)).Templates;
    QCOMPARE(templates.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(templates.At(i).kind == TGridTableList::Kind::Identifier);
        QCOMPARE(templates.At(i).value, i + 1);
    }
    // Without a first choice column, or hard-wired, the number is a registry position.
    TGridTable first;
    QCOMPARE(ReadError(first, "1 3 ('Edit') True False 0"), QString());
    const auto& single = dynamic_cast<const TTableColumn&>(first.Column(0)).Templates;
    QCOMPARE(single.Count(), 1);
    QVERIFY(single.At(0).kind == TGridTableList::Kind::Position);
    QCOMPARE(single.Resolve(0, TGridTable::GlobalRegistry()), TGridTable::GlobalRegistry().At(0));

    TGridTable hardwired;
    hardwired.HardwiredButton = true;
    QCOMPARE(ReadError(hardwired, "2 0 ('Type') True False ('a' 'b') 3 ('Edit') True False 4"), QString());
    const auto& wired = dynamic_cast<const TTableColumn&>(hardwired.Column(1)).Templates;
    QCOMPARE(wired.Count(), 2);
    QVERIFY(wired.At(1).kind == TGridTableList::Kind::Position);
    QCOMPARE(wired.At(1).value, 4);

    // The template list follows the choices: missing ones empty, surplus dropped.
    TGridTable matched;
    QCOMPARE(ReadError(matched, "2 0 ('Type') True False ('a' 'b' 'c') 3 ('Edit') True False 'FLEXCOLUMN2' (5 6 7 8)"), QString());
    QCOMPARE(dynamic_cast<const TTableColumn&>(matched.Column(1)).Templates.Count(), 3);
    TGridTable padded;
    QCOMPARE(ReadError(padded, "2 0 ('Type') True False ('a' 'b' 'c') 3 ('Edit') True False 'FLEXCOLUMN2' (5)"), QString());
    const auto& padding = dynamic_cast<const TTableColumn&>(padded.Column(1)).Templates;
    QCOMPARE(padding.Count(), 3);
    QVERIFY(padding.At(2).kind == TGridTableList::Kind::None);
}

void DefinitionTest::definitionsRoundTrip()
{
    const auto tables = TInputTables::FromResource();
    for (const auto& table : tables->Tables()) {
        const std::string written = ColText(*table);
        std::unique_ptr<TGridTable> copy;
        if (dynamic_cast<const TGridTableChart*>(table.get()))
            copy = std::make_unique<TGridTableChart>();
        else
            copy = std::make_unique<TGridTable>();
        TDefinitionReader reader(written);
        copy->ReadCol(reader);
        QVERIFY(reader.AtEnd());
        QCOMPARE(ColText(*copy), written);
    }
}

void DefinitionTest::resourceTables()
{
    const auto tables = TInputTables::FromResource();
    QCOMPARE(tables->Tables().size(), ExpectedTables.size());
    for (const ExpectedTable& expected : ExpectedTables) {
        const TGridTable& table = tables->Table(expected.name);
        const QByteArray where = QByteArray::fromStdString(expected.name);
        QVERIFY2(table.Identifier() == expected.identifier, where);
        QVERIFY2(table.Caption == expected.caption, where);
        QVERIFY2(table.MinRows() == expected.minRows, where);
        QVERIFY2(table.MaxRows() == expected.maxRows, where);
        QVERIFY2(table.TopLeft == expected.topLeft, where);
        QVERIFY2(table.Comments == expected.comments, where);
        QVERIFY2(table.RowGroup() == 1, where);
        const auto* chart = dynamic_cast<const TGridTableChart*>(&table);
        QVERIFY2((chart != nullptr) == expected.chart, where);
        if (chart) {
            QVERIFY2(chart->GetDataFromFile == expected.getDataFromFile, where);
            QVERIFY2(!chart->OKCancelButtons, where);
            const std::array<int, 6> graphics{chart->Graphics.ShowChart, chart->Graphics.DrawInPaintBox,
                                              chart->Graphics.Values[0], chart->Graphics.Values[1],
                                              chart->Graphics.Values[2], chart->Graphics.Values[3]};
            QVERIFY2(graphics == expected.graphics, where);
        }
        QVERIFY2(table.ColumnCount() == static_cast<int>(expected.columns.size()), where);
        for (int c = 0; c < table.ColumnCount(); ++c) {
            const ExpectedColumn& column = expected.columns[static_cast<std::size_t>(c)];
            const QByteArray at = where + " column " + QByteArray::number(c);
            const TColumn& actual = table.Column(c);
            QVERIFY2(actual.Type() == column.type, at);
            QVERIFY2(actual.Captions == column.captions, at);
            QVERIFY2(actual.Visible && !actual.GroupShared, at);
            switch (column.type) {
            case ColumnType::Enum:
                QVERIFY2(dynamic_cast<const TEnumColumn&>(actual).Choices == column.choices, at);
                break;
            case ColumnType::Int: {
                const auto& integer = dynamic_cast<const TIntColumn&>(actual);
                QVERIFY2(integer.Default == column.defaultValue && integer.Min == column.min && integer.Max == column.max, at);
                break;
            }
            case ColumnType::Float: {
                const auto& real = dynamic_cast<const TFloatColumn&>(actual);
                QVERIFY2(real.UnitCode == column.unit && real.Default == column.defaultValue && !real.TopDepth, at);
                break;
            }
            case ColumnType::Table: {
                const auto& sub = dynamic_cast<const TTableColumn&>(actual);
                QVERIFY2(sub.Templates.Count() == static_cast<int>(column.templates.size()), at);
                for (int i = 0; i < sub.Templates.Count(); ++i) {
                    const TGridTable* found = sub.Templates.Resolve(i, table.Registry());
                    QVERIFY2(found && found->Identifier() == column.templates[static_cast<std::size_t>(i)], at);
                }
                break;
            }
            case ColumnType::String: QFAIL(at); break;
            }
        }
    }
    // The help pictures.
    QCOMPARE(tables->Table("DistLoad").HelpPicture, tables->Table("LongDist").HelpPicture);
    QVERIFY(!tables->Table("SoilStrength").HelpPicture.empty());
    QVERIFY(tables->Table("PileSect").HelpPicture.empty());
}

QTEST_APPLESS_MAIN(DefinitionTest)
#include "frontend_definition_test.moc"
