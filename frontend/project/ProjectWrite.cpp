// Writing the project file and stage files in the current layout.
#include "ProgramData.h"

#include "ProjectFormat.h"
#include "TextFile.h"
#include "entry/Units.h"
#include "util/MorString.h"

namespace truvex {

namespace {

using namespace format;

std::string Num(long double value) { return FormatNumber(value); }
std::string Num(int value) { return std::to_string(value); }

// One case block of the current layout, written record by record after the
// control values were derived from the switches.
class TBlockWriter {
public:
    TBlockWriter(TProgramData& project, std::string& out) : p(project), out(out) {}

    void Write(const std::string& title, bool longTerm)
    {
        DeriveControlValues();
        Line(title);
        WriteControl();
        WriteIncrements();
        WriteRestraints();
        WriteStiffness();
        WriteConcentratedLoads();
        WriteSprings();
        WriteTiebacks();
        if (p.ApplyPYModification)
            WritePYModification();
        if (p.EarthPressureCode == 1)
            WriteDistributedPressure(p.Table(longTerm ? "LongDist" : "DistLoad"));
        if (p.EarthPressureCode == 2 || p.EarthPressureCode == 3 || p.PYCurveCode == 2) {
            WriteWallAndWater();
            WriteSurcharges();
            WriteSoilLayers(p.Table(longTerm ? "LongSoil" : "NewSoil"), longTerm);
        }
        if (p.ApplyExternalPY && Rows("PYCurves2") > 0)
            WriteExternalCurves();
        if (p.ApplyMomentEI && p.MomentEICount > 0)
            WriteMomentEICurves();
    }

private:
    void Line(const std::string& text)
    {
        out += text;
        out += "\r\n";
    }

    // The cells of a row joined by TABs, in the given column order.
    std::string Row(const TGridTable& table, int row, std::initializer_list<int> columns) const
    {
        std::string text;
        for (int column : columns) {
            if (!text.empty())
                text += '\t';
            text += table.Cell(column, row).GetText();
        }
        return text;
    }

    int Rows(const char* table) const { return p.Table(table).RowCount(); }
    void Empty(const char* table) const { p.Table(table).SetRowCount(0); }

    // Switched-off tables are emptied and the control codes derived.
    void DeriveControlValues()
    {
        if (!p.ApplyConcentratedLoads)
            Empty("BoundCond");
        if (!p.ApplyRestraints)
            Empty("SoilLayer");
        if (!p.ApplyExternalPY)
            Empty("PYCurves2");
        if (p.UserEarthPressure) {
            p.EarthPressureCode = 1;
            p.EarthPressureGenerated = 0;
        } else {
            p.EarthPressureCode = p.GeneratePYCurves || p.EarthPressureGenerated ? p.EarthPressureChoice : 0;
        }
        p.PYCurveCode = p.GeneratePYCurves ? 2 : p.ApplyExternalPY ? 1 : 0;
        p.MomentEICount = p.ApplyMomentEI ? Rows("MEICurves2") : 0;
        p.TiebackCount = p.ApplyTiebacks ? Rows("TiebackTable1") : 0;
        if (!p.ApplyPYModification)
            Empty("PYMod");
    }

    void WriteControl()
    {
        Line(Num(p.Units()) + " " + Num(Rows("SoilLayer")) + "\t" + Num(Rows("PileSect")) + "\t" + Num(Rows("PYMod")) +
             "\t" + Num(p.EarthPressureCode) + "\t" + Num(p.PYCurveCode) + " " + Num(Rows("PYCurves2")) + " " +
             Num(p.StageCount) + " " + Num(p.MomentEICount) + " " + Num(p.TiebackCount));
    }

    void WriteIncrements()
    {
        Line(Num(p.IncrementCount) + " " + Num(p.IncrementLength) + "\t" + Num(p.MaxDeflection) + "\t" +
             Num(p.ClosureTolerance) + "\t" + Num(p.FreeHeight) + "\t" + Num(p.ActiveWidth));
    }

    void WriteRestraints()
    {
        const TGridTable& table = p.Table("SoilLayer");
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Row(table, row, {0, 1, 2, 3}));
    }

    void WriteStiffness()
    {
        const TGridTable& table = p.Table("PileSect");
        // The last section has nothing to interpolate to.
        if (table.RowCount() > 0)
            table.Cell(2, table.RowCount() - 1).SetInt(1);
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Row(table, row, {0, 1, 2, 3}));
    }

    void WriteConcentratedLoads()
    {
        const TGridTable& table = p.Table("BoundCond");
        Line(Num(table.RowCount()));
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Row(table, row, {0, 1, 2, 3, 4, 5}));
    }

    void WriteSprings()
    {
        if (!p.ApplyLateralSprings)
            Empty("SoilStrength");
        const TGridTable& table = p.Table("SoilStrength");
        Line(Num(table.RowCount()));
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Row(table, row, {1, 2, 0, 3, 4}));
    }

    void WriteTiebacks()
    {
        if (!p.ApplyTiebacks)
            Empty("TiebackTable1");
        const TGridTable& table = p.Table("TiebackTable1");
        for (int row = 0; row < table.RowCount(); ++row) {
            std::string area = table.Cell(1, row).GetText();
            if (p.Units() == UnitsSI)
                area = Num(table.Cell(1, row).GetFloat() / SquareMillimetresPerSquareMetre);
            Line(table.Cell(0, row).GetText() + "\t" + area + "\t" + Row(table, row, {2, 3, 4, 5, 6}));
        }
    }

    // English tables hold depths in feet; the file in inches.
    static std::string Depth(const TGridTable& table, int column, int row, bool english)
    {
        const TData cell = table.Cell(column, row);
        return english ? Num(cell.GetFloat() * FeetToInches) : cell.GetText();
    }

    void WritePYModification()
    {
        const TGridTable& table = p.Table("PYMod");
        const bool english = table.Units() == UnitsEnglish;
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Depth(table, 0, row, english) + "\t" + Row(table, row, {1, 2}));
    }

    void WriteDistributedPressure(const TGridTable& table)
    {
        const bool english = table.Units() == UnitsEnglish;
        Line(Num(table.RowCount()));
        for (int row = 0; row < table.RowCount(); ++row) {
            const std::string pressure =
                english ? Num(table.Cell(1, row).GetFloat() / FeetToInches) : table.Cell(1, row).GetText();
            Line(Depth(table, 0, row, english) + "\t" + pressure);
        }
    }

    void WriteWallAndWater()
    {
        Line(Num(p.FreeHeight) + "\t" + Num(p.ActiveWidth) + "\t" + Num(p.ResistanceWidth) + "\t" +
             Num(p.WaterDepthBackfill) + "\t" + Num(p.WaterDepthExcavation) + "\t" + Num(p.ActivePressureFactor) +
             "\t" + Num(p.SoilControlCode) + "\t" + Num(p.BackfillSlope));
        Line(Num(p.UniformSurcharge) + "\t" + Num(p.Distance) + "\t" + Num(p.PointLoad) + "\t" + Num(p.LineLoad) +
             "\t" + Num(p.StripLoad) + "\t" + Num(p.StripWidth));
    }

    void WriteSurcharges()
    {
        if (!p.ApplySurcharge)
            Empty("SurchargeTable");
        const TGridTable& table = p.Table("SurchargeTable");
        Line(Num(table.RowCount()));
        for (int row = 0; row < table.RowCount(); ++row)
            Line(Row(table, row, {0, 1, 2, 3}));
    }

    void WriteSoilLayers(const TGridTable& layers, bool longTerm)
    {
        const bool english = p.Units() == UnitsEnglish;
        Line(Num(layers.RowCount()));
        for (int row = 0; row < layers.RowCount(); ++row) {
            const int soilType = layers.Cell(0, row).GetInt();
            Line(Num(soilType) + " " + Depth(layers, 1, row, english) + " ");
            const TGridTable& parameters = layers.Cell(2, row).GetTable();
            for (int parameterRow = 0; parameterRow < 2; ++parameterRow)
                Line(SoilLine(SoilPositions(soilType), parameters, parameterRow, english, longTerm));
        }
    }

    static std::string SoilLine(const format::SoilLine& positions, const TGridTable& parameters, int row, bool english,
                                bool longTerm)
    {
        std::string text;
        for (const SoilPosition& position : positions) {
            const bool unused = position.value == SoilValue::Unused ||
                                (longTerm && position.value == SoilValue::EarthPressureCoefficient) ||
                                position.column >= parameters.ColumnCount() || row >= parameters.RowCount();
            if (unused) {
                text += Placeholder;
                continue;
            }
            const TData cell = parameters.Cell(position.column, row);
            if (english && position.value == SoilValue::UnitWeight)
                text += Num(cell.GetFloat() / CubicFeetPerCubicInch);
            else if (english && position.value == SoilValue::Cohesion)
                text += Num(cell.GetFloat() / SquareInchesPerSquareFoot);
            else
                text += cell.GetText();
            text += ' ';
        }
        return text;
    }

    void WriteExternalCurves()
    {
        const TGridTable& curves = p.Table("PYCurves2");
        for (int row = 0; row < curves.RowCount(); ++row) {
            const TGridTable& points = curves.Cell(1, row).GetTable();
            Line(curves.Cell(0, row).GetText() + "\t" + Num(points.RowCount()) + "\t" + Row(curves, row, {2, 3}));
            for (int point = 0; point < points.RowCount(); ++point)
                Line(Row(points, point, {0, 1}));
        }
    }

    void WriteMomentEICurves()
    {
        const TGridTable& ranges = p.Table("MEICurves2");
        for (int row = 0; row < ranges.RowCount(); ++row) {
            const TGridTable& points = ranges.Cell(2, row).GetTable();
            Line(Row(ranges, row, {0, 1}) + "\t" + Num(points.RowCount()));
            for (int point = 0; point < points.RowCount(); ++point)
                Line(Row(points, point, {0, 1}));
        }
    }

    TProgramData& p;
    std::string& out;
};

}  // namespace

std::string TProgramData::ProjectText()
{
    std::string text;
    TBlockWriter writer(*this, text);
    CaseCode = LongTermAnalysis ? LongTermFollows : EndOfFile;
    writer.Write(Title, false);
    text += std::to_string(CaseCode) + "\r\n";
    if (LongTermAnalysis) {
        writer.Write(Title, true);
        text += std::to_string(EndOfFile) + "\r\n";
    }
    return text;
}

void TProgramData::Save()
{
    WriteTextFile(FileName, ProjectText());
    ClearModified();
    SetCurrentLayoutFlags();
}

std::string TProgramData::StageText()
{
    std::string text;
    TBlockWriter writer(*this, text);
    writer.Write(CurrentStage == 1 ? Title : StageTitlePrefix + std::to_string(CurrentStage), false);
    text += std::to_string(CurrentStage) + "\r\n";
    return text;
}

void TProgramData::WriteStageFile()
{
    StageFileName = StageFile(CurrentStage);
    WriteTextFile(StageFileName, StageText());
    ClearModified();
    SetCurrentLayoutFlags();
}

}  // namespace truvex
