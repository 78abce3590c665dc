#include "ProgramData.h"

#include "entry/Units.h"
#include "util/MorString.h"

#include <filesystem>
#include <stdexcept>

namespace truvex {

namespace {

std::unique_ptr<TProgramData> Current;

enum SurchargeType { PointLoadType = 1, LineLoadType = 2, StripLoadType = 3 };

// The factors of a unit switch. English to SI and SI to English use their
// own rounded constants, so a switch there and back is not exact.
struct SwitchFactors {
    long double length = 1;
    long double force = 1;
};

SwitchFactors FactorsBetween(int from, int to)
{
    if (from == UnitsEnglish && to == UnitsSI)
        return {0.0254L, 0.004448222468060650624L};
    if (from == UnitsSI && to == UnitsEnglish)
        return {39.3701L, 224.8089L};
    return {};
}

}  // namespace

FileLayout LayoutFromFilter(int filter)
{
    switch (filter) {
    case 1: return FileLayout::Current;
    case 2: return FileLayout::Y2013;
    case 3: return FileLayout::V30;
    default: return FileLayout::V20;
    }
}

FileLayout LayoutFromExtension(const std::string& fileName)
{
    const std::string extension = std::filesystem::path(fileName).extension().string();
    if (EqualsNoCase(extension, ".txd"))
        return FileLayout::V30;
    if (EqualsNoCase(extension, ".tx4d"))
        return FileLayout::Y2013;
    return FileLayout::Current;
}

TProgramData::TProgramData(TInputTables& tables, TProjectEvents events) : tables_(&tables), events_(std::move(events))
{
}

void TProgramData::New()
{
    if (events_.CloseChildWindows)
        events_.CloseChildWindows();
    for (const auto& table : tables_->Tables())
        table->CloseWindow();
    SetUnits(UnitsEnglish);
    tables_->ResetRows();
    ClearModified();
    SetCurrentLayoutFlags();
}

void TProgramData::SetUnits(int system)
{
    system = ClampUnitSystem(system);
    const SwitchFactors f = FactorsBetween(units_, system);
    for (long double* length : {&IncrementLength, &MaxDeflection, &ClosureTolerance, &FreeHeight, &WaterDepthBackfill,
                                &WaterDepthExcavation, &ActiveWidth, &ResistanceWidth, &Distance, &StripWidth})
        *length *= f.length;
    UniformSurcharge *= f.force / (f.length * f.length);
    StripLoad *= f.force / (f.length * f.length);
    PointLoad *= f.force;
    LineLoad *= f.force / f.length;

    units_ = system;
    tables_->SetUnits(system);
    if (events_.UnitsChanged)
        events_.UnitsChanged();

    // The magnitude column carries no unit code: its unit follows the row's
    // load type.
    TGridTable& surcharges = Table("SurchargeTable");
    for (int row = 0; row < surcharges.RowCount(); ++row) {
        long double factor = 1;
        switch (surcharges.Cell(0, row).GetInt()) {
        case PointLoadType: factor = f.force; break;
        case LineLoadType: factor = f.force / f.length; break;
        case StripLoadType: factor = f.force / (f.length * f.length); break;
        default: break;
        }
        const TData magnitude = surcharges.Cell(1, row);
        magnitude.SetFloat(magnitude.GetFloat() * factor);
    }
}

bool TProgramData::IsModified() const
{
    if (Modified)
        return true;
    for (const auto& table : tables_->Tables())
        if (table->IsModified())
            return true;
    return false;
}

void TProgramData::ClearModified()
{
    Modified = false;
    for (const auto& table : tables_->Tables())
        table->SetModified(false);
}

void TProgramData::SetCurrentLayoutFlags()
{
    ThreeZeroLayout = true;
    HasMomentEICount = true;
    HasTiebackCount = true;
}

// ---- The current project ------------------------------------------------

bool HasCurrentProject() { return Current != nullptr; }

TProgramData& CurrentProject()
{
    if (!Current)
        throw std::logic_error("No current project");
    return *Current;
}

TProgramData& NewCurrentProject(TInputTables& tables, TProjectEvents events)
{
    Current.reset();
    Current = std::make_unique<TProgramData>(tables, std::move(events));
    Current->New();
    return *Current;
}

std::string OpenCurrentProject(TInputTables& tables, TProjectEvents events, const std::string& fileName,
                               FileLayout layout)
{
    Current.reset();
    Current = std::make_unique<TProgramData>(tables, std::move(events));
    return Current->Open(fileName, layout);
}

void ReleaseCurrentProject() { Current.reset(); }

}  // namespace truvex
