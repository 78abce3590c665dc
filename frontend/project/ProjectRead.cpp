// Reading project files of the four layouts and stage files.
#include "ProgramData.h"

#include "ProjectFormat.h"
#include "TextFile.h"
#include "WordRead.h"
#include "entry/Units.h"

#include <algorithm>

namespace truvex {

namespace {

using namespace format;

// What a case block holds besides the records every layout has.
struct TBlockLayout {
    bool stageCount = true;     // NSTAGES
    bool momentEICount = true;  // NMEI, record 11c, record 12's multipliers, record 13
    bool tiebacks = true;       // NTIE, record 8, record 3's sixth value
    bool layerThickness = false;  // record 11d as thicknesses with one line of five positions
    bool stageFile = false;
};

TBlockLayout BlockLayoutOf(FileLayout layout)
{
    TBlockLayout block;
    block.tiebacks = layout == FileLayout::Current;
    block.momentEICount = layout == FileLayout::Current || layout == FileLayout::Y2013;
    block.stageCount = layout != FileLayout::V20;
    block.layerThickness = layout == FileLayout::V20;
    return block;
}

class TBlockReader {
public:
    TBlockReader(TProgramData& project, TWordReader& reader, TBlockLayout layout)
        : p(project), r(reader), layout(layout)
    {
    }

    // Records 1 to 13 of one case block; the long-term block fills the
    // long-term pressure and soil tables.
    void Read(bool longTerm)
    {
        p.Title = r.ReadLine();
        p.SetUnits(r.ReadInteger());
        ReadControl(longTerm);
        ReadIncrements();
        ReadRestraints();
        ReadStiffness();
        ReadConcentratedLoads();
        ReadSprings();
        if (layout.tiebacks)
            ReadTiebacks();
        if (Rows("PYMod") > 0)
            ReadPYModification();
        if (p.EarthPressureCode == 1)
            ReadDistributedPressure(p.Table(longTerm ? "LongDist" : "DistLoad"));
        if (p.EarthPressureCode > 1 || p.PYCurveCode > 1) {
            ReadWallAndWater();
            ReadSurcharges();
            ReadSoilLayers(p.Table(longTerm ? "LongSoil" : "NewSoil"), longTerm);
        }
        if (Rows("PYCurves2") > 0)
            ReadExternalCurves();
        if (Rows("MEICurves2") > 0)
            ReadMomentEICurves();
    }

private:
    int Int() { return r.ReadInteger(); }
    long double Real() { return r.ReadFloat(); }
    int Rows(const char* table) const { return p.Table(table).RowCount(); }

    // A count sets the table's rows. A count that the rest of the file
    // cannot fill ends the reading as the end of the file would, before so
    // many rows are made.
    void SetRows(TGridTable& table, int count, std::size_t itemsPerRow)
    {
        if (count > 0 && static_cast<std::size_t>(count) * itemsPerRow > r.RemainingItems())
            throw EInOutError(IncompleteFileMessage);
        table.SetRowCount(count);
    }
    void SetRows(const char* table, int count, std::size_t itemsPerRow) { SetRows(p.Table(table), count, itemsPerRow); }

    void ReadControl(bool longTerm)
    {
        const int restraints = Int();
        SetRows("SoilLayer", restraints, 4);
        p.ApplyRestraints = restraints > 0;
        SetRows("PileSect", Int(), 4);
        const int modifications = Int();
        SetRows("PYMod", modifications, 3);
        const int koutpt = Int();
        p.EarthPressureCode = koutpt;
        p.EarthPressureChoice = koutpt;
        const int kpyop = Int();
        p.PYCurveCode = kpyop;

        if (koutpt > 1)
            p.EarthPressureGenerated = 1;
        else if (koutpt == 1)
            p.EarthPressureGenerated = 0;
        // A stage file's generation switch follows KPYOP alone.
        p.GeneratePYCurves = kpyop == 2 && (layout.stageFile || koutpt != 0) ? 1 : 0;
        if (koutpt != 1)
            p.UserEarthPressure = false;
        p.ApplyExternalPY = kpyop == 1;
        p.ApplyPYModification = modifications > 0;
        // The long-term block follows the case code 9 that set these.
        if (!longTerm) {
            p.CaseCode = 0;
            p.LongTermAnalysis = false;
        }

        const int curves = Int();
        SetRows("PYCurves2", curves, 2);
        if (curves > 0)
            p.ApplyExternalPY = true;
        if (layout.stageCount)
            p.StageCount = std::clamp(Int(), 1, MaxStages);
        // A layout without a count has none of those rows.
        const int ranges = layout.momentEICount ? Int() : 0;
        SetRows("MEICurves2", ranges, 3);
        p.ApplyMomentEI = ranges > 0;
        if (layout.tiebacks) {
            const int tiebacks = Int();
            SetRows("TiebackTable1", tiebacks, 6);
            p.ApplyTiebacks = tiebacks > 0;
        } else {
            p.Table("TiebackTable1").SetRowCount(0);
            p.ApplyTiebacks = false;
        }
    }

    void ReadIncrements()
    {
        p.IncrementCount = Int();
        p.IncrementLength = Real();
        p.MaxDeflection = Real();
        p.ClosureTolerance = Real();
        p.FreeHeight = Real();
        // Kept, so that a project without record 11 keeps its width.
        if (layout.tiebacks)
            p.ActiveWidth = Real();
    }

    // Reads a row's cells in the given column order: the first `integers`
    // of them integers, the rest reals.
    void ReadRow(const TGridTable& table, int row, std::initializer_list<int> columns, int integers)
    {
        int index = 0;
        for (int column : columns) {
            const TData cell = table.Cell(column, row);
            if (index++ < integers)
                cell.SetInt(Int());
            else
                cell.SetFloat(Real());
        }
    }

    void ReadRestraints()
    {
        const TGridTable& table = p.Table("SoilLayer");
        for (int row = 0; row < table.RowCount(); ++row)
            ReadRow(table, row, {0, 1, 2, 3}, 2);
    }

    void ReadStiffness()
    {
        const TGridTable& table = p.Table("PileSect");
        for (int row = 0; row < table.RowCount(); ++row)
            ReadRow(table, row, {0, 1, 2, 3}, 3);
    }

    void ReadConcentratedLoads()
    {
        const int count = Int();
        SetRows("BoundCond", count, 6);
        p.ApplyConcentratedLoads = count > 0;
        const TGridTable& table = p.Table("BoundCond");
        for (int row = 0; row < table.RowCount(); ++row)
            ReadRow(table, row, {0, 1, 2, 3, 4, 5}, 3);
    }

    void ReadSprings()
    {
        const int count = Int();
        SetRows("SoilStrength", count, 5);
        p.ApplyLateralSprings = count > 0;
        const TGridTable& table = p.Table("SoilStrength");
        for (int row = 0; row < table.RowCount(); ++row)
            ReadRow(table, row, {1, 2, 0, 3, 4}, 3);
    }

    void ReadTiebacks()
    {
        const TGridTable& table = p.Table("TiebackTable1");
        for (int row = 0; row < table.RowCount(); ++row) {
            ReadRow(table, row, {0, 1, 2, 3, 4, 5}, 0);
            if (p.Units() == UnitsSI)
                table.Cell(1, row).SetFloat(table.Cell(1, row).GetFloat() * SquareMillimetresPerSquareMetre);
            // Older files end the row after the spacing.
            if (r.ItemCount() > 6)
                table.Cell(6, row).SetFloat(Real());
        }
    }

    void ReadDepth(const TGridTable& table, int row, bool english)
    {
        const long double depth = Real();
        table.Cell(0, row).SetFloat(english ? depth / FeetToInches : depth);
    }

    void ReadPYModification()
    {
        const TGridTable& table = p.Table("PYMod");
        const bool english = table.Units() == UnitsEnglish;
        for (int row = 0; row < table.RowCount(); ++row) {
            ReadDepth(table, row, english);
            ReadRow(table, row, {1, 2}, 0);
        }
    }

    void ReadDistributedPressure(TGridTable& table)
    {
        const int count = Int();
        SetRows(table, count, 2);
        p.UserEarthPressure = count >= 1;
        if (count >= 1)
            p.EarthPressureChoice = 1;
        const bool english = table.Units() == UnitsEnglish;
        for (int row = 0; row < table.RowCount(); ++row) {
            ReadDepth(table, row, english);
            const long double pressure = Real();
            table.Cell(1, row).SetFloat(english ? pressure * FeetToInches : pressure);
        }
    }

    void ReadWallAndWater()
    {
        p.FreeHeight = Real();
        p.ActiveWidth = Real();
        p.ResistanceWidth = Real();
        p.WaterDepthBackfill = Real();
        p.WaterDepthExcavation = Real();
        p.ActivePressureFactor = Real();
        // Old files hold the unit weight of water where the factor belongs.
        if (p.ActivePressureFactor == 0.036L)
            p.ActivePressureFactor = 1.0L;
        p.SoilControlCode = Int();
        p.BackfillSlope = Real();
        p.UniformSurcharge = Real();
        p.Distance = Real();
        p.PointLoad = Real();
        p.LineLoad = Real();
        p.StripLoad = Real();
        p.StripWidth = Real();
    }

    void ReadSurcharges()
    {
        TGridTable& table = p.Table("SurchargeTable");
        if (layout.momentEICount) {
            const int count = Int();
            SetRows(table, count, 4);
            p.ApplySurcharge = count > 0;
            for (int row = 0; row < table.RowCount(); ++row)
                ReadRow(table, row, {0, 1, 2, 3}, 1);
            return;
        }
        // Older layouts hold one surcharge of each kind at one distance.
        p.ApplySurcharge = p.Distance > 0;
        table.SetRowCount(p.ApplySurcharge ? 3 : 0);
        if (!p.ApplySurcharge)
            return;
        const long double toTable = p.Units() == UnitsSI ? MillimetresPerMetre : 1;
        const long double magnitudes[] = {p.PointLoad, p.LineLoad, p.StripLoad};
        for (int row = 0; row < 3; ++row) {
            table.Cell(0, row).SetInt(row + 1);
            table.Cell(1, row).SetFloat(magnitudes[row]);
            table.Cell(2, row).SetFloat(p.Distance * toTable);
            table.Cell(3, row).SetFloat(p.StripWidth * toTable);
        }
    }

    void ReadSoilLayers(TGridTable& layers, bool longTerm)
    {
        const int count = Int();
        SetRows(layers, count, layout.layerThickness ? 7 : 14);
        const bool convert = p.Units() == UnitsEnglish && !layout.layerThickness;
        long double bottom = 0;
        for (int row = 0; row < layers.RowCount(); ++row) {
            const int soilType = Int();
            if (soilType < 1 || soilType > SoilTypeCount)
                throw EInOutError(TWordReader::LocatedMessage(r.LineNumber(), r.ItemNumber(), IncompleteFileMessage));
            layers.Cell(0, row).SetInt(soilType);
            dynamic_cast<TTableColumn&>(layers.Column(2)).RecreateCell(row);
            const long double depth = Real();
            bottom = layout.layerThickness ? bottom + depth : convert ? depth / FeetToInches : depth;
            layers.Cell(1, row).SetFloat(bottom);
            const TGridTable& parameters = layers.Cell(2, row).GetTable();
            if (layout.layerThickness) {
                ReadParameterLine(SoilPositions(soilType), parameters, {0, 1}, 5, false, false);
            } else {
                ReadParameterLine(SoilPositions(soilType), parameters, {0}, 6, convert, longTerm);
                ReadParameterLine(SoilPositions(soilType), parameters, {1}, 6, convert, longTerm);
            }
        }
    }

    // One parameter line, its values stored into each of `rows`.
    void ReadParameterLine(const format::SoilLine& positions, const TGridTable& parameters,
                           std::initializer_list<int> rows, int count, bool convert, bool longTerm)
    {
        for (int index = 0; index < count; ++index) {
            const SoilPosition& position = positions[static_cast<std::size_t>(index)];
            long double value = Real();
            if (position.value == SoilValue::Unused || position.column >= parameters.ColumnCount() ||
                (longTerm && position.value == SoilValue::EarthPressureCoefficient))
                continue;
            if (convert && position.value == SoilValue::UnitWeight)
                value *= CubicFeetPerCubicInch;
            else if (convert && position.value == SoilValue::Cohesion)
                value *= SquareInchesPerSquareFoot;
            for (int row : rows)
                if (row < parameters.RowCount())
                    parameters.Cell(position.column, row).SetFloat(value);
        }
    }

    void ReadExternalCurves()
    {
        const TGridTable& curves = p.Table("PYCurves2");
        for (int row = 0; row < curves.RowCount(); ++row) {
            curves.Cell(0, row).SetInt(Int());
            TGridTable& points = curves.Cell(1, row).GetTable();
            SetRows(points, Int(), 2);
            curves.Cell(2, row).SetFloat(layout.momentEICount ? Real() : 1.0L);
            curves.Cell(3, row).SetFloat(layout.momentEICount ? Real() : 1.0L);
            for (int point = 0; point < points.RowCount(); ++point)
                ReadRow(points, point, {0, 1}, 0);
        }
    }

    void ReadMomentEICurves()
    {
        const TGridTable& ranges = p.Table("MEICurves2");
        for (int row = 0; row < ranges.RowCount(); ++row) {
            ReadRow(ranges, row, {0, 1}, 2);
            TGridTable& points = ranges.Cell(2, row).GetTable();
            SetRows(points, Int(), 2);
            for (int point = 0; point < points.RowCount(); ++point)
                ReadRow(points, point, {0, 1}, 0);
        }
    }

    TProgramData& p;
    TWordReader& r;
    TBlockLayout layout;
};

// After reading, also after an error: every table has at least its minimum
// rows, and nothing counts as modified.
void FinishReading(TProgramData& project)
{
    for (const auto& table : project.Tables().Tables())
        if (table->RowCount() < table->MinRows())
            table->SetRowCount(table->MinRows());
    project.ClearModified();
}

}  // namespace

std::string TProgramData::Open(const std::string& fileName, FileLayout layout)
{
    FileName = fileName;
    for (const auto& table : tables_->Tables())
        table->SetRowCount(0);
    SetUnits(UnitsEnglish);
    std::string error;
    try {
        TWordReader reader(fileName);
        TBlockReader block(*this, reader, BlockLayoutOf(layout));
        block.Read(false);
        if (layout != FileLayout::V20 && reader.ReadInteger() == LongTermFollows) {
            reader.ReadLine();
            LongTermAnalysis = true;
            CaseCode = LongTermFollows;
            block.Read(true);
            reader.ReadInteger();
        }
    } catch (const EInOutError& failure) {
        error = failure.what();
    }
    FinishReading(*this);
    ThreeZeroLayout = layout == FileLayout::V30;
    HasMomentEICount = true;
    HasTiebackCount = layout == FileLayout::Current;
    return error;
}

std::string TProgramData::ReadStageFile()
{
    StageFileName = StageFile(CurrentStage);
    if (!FileExists(StageFileName))
        return {};
    std::string error;
    try {
        TWordReader reader(StageFileName);
        TBlockLayout layout;
        layout.momentEICount = HasMomentEICount;
        layout.tiebacks = HasTiebackCount;
        layout.stageFile = true;
        TBlockReader(*this, reader, layout).Read(false);
        LongTermAnalysis = reader.ReadInteger() == LongTermFollows;
    } catch (const EInOutError& failure) {
        error = failure.what();
    }
    FinishReading(*this);
    if (!error.empty() && events_.ShowInformation)
        events_.ShowInformation(error);
    return error;
}

}  // namespace truvex
