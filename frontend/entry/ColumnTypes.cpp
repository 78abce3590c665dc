#include "ColumnTypes.h"

#include "Definition.h"
#include "MiscMath.h"
#include "Table.h"
#include "Units.h"
#include "util/MorString.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace truvex {
namespace {

const char* const WrongType = "Data of wrong type";
const char* const FloatMarker = "FLOATCOLUMN2";
const char* const FlexMarker = "FLEXCOLUMN2";

std::string BetweenMessage(long long low, long long high)
{
    return "Entry must be between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

// A whole number of the 32-bit range nearest to `value` (halves to even).
int ToInt(long double value)
{
    const long double rounded = std::nearbyint(value);
    if (rounded <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (rounded >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

const TEnumColumn* FirstChoiceColumn(const TGridTable& table)
{
    for (int i = 0; i < table.ColumnCount(); ++i)
        if (const auto* choices = dynamic_cast<const TEnumColumn*>(&table.Column(i)))
            return choices;
    return nullptr;
}

}  // namespace

// ---- TColumn -------------------------------------------------------------

bool TColumn::IsTypeNumber(int typeNumber)
{
    return typeNumber >= static_cast<int>(ColumnType::Enum) && typeNumber <= static_cast<int>(ColumnType::String);
}

std::unique_ptr<TColumn> TColumn::CreateFromDefinition(int typeNumber, TGridTable& owner, TDefinitionReader& reader)
{
    std::unique_ptr<TColumn> column;
    switch (static_cast<ColumnType>(typeNumber)) {
    case ColumnType::Enum: column = std::make_unique<TEnumColumn>(owner); break;
    case ColumnType::Int: column = std::make_unique<TIntColumn>(owner); break;
    case ColumnType::Float: column = std::make_unique<TFloatColumn>(owner); break;
    case ColumnType::Table: column = std::make_unique<TTableColumn>(owner); break;
    case ColumnType::String: column = std::make_unique<TStringColumn>(owner); break;
    default: throw EReadError("Error Column Class not defined");
    }
    column->Captions = reader.ReadStringList();
    column->Visible = reader.ReadBoolean();
    column->GroupShared = reader.ReadBoolean();
    column->ReadOwnDefinition(reader);
    return column;
}

int TColumn::RowGroup() const { return owner_->RowGroup(); }

std::string TColumn::CaptionLine(int index) const { return Captions.at(static_cast<std::size_t>(index)); }

void TColumn::WriteDefinition(TDefinitionWriter& writer) const
{
    writer.WriteStringList(Captions);
    writer.WriteBoolean(Visible);
    writer.WriteBoolean(GroupShared);
    WriteOwnDefinition(writer);
}

void TColumn::CopyDefinitionTo(TColumn& copy) const
{
    copy.Captions = Captions;
    copy.Visible = Visible;
    copy.GroupShared = GroupShared;
}

TGridTable& TColumn::GetTable(int) const { throw ETableError(WrongType); }
TGridTable* TColumn::GetObject(int) const { return nullptr; }
long double TColumn::GetFloat(int) const { throw ETableError(WrongType); }
void TColumn::SetFloat(int, long double) { throw ETableError(WrongType); }
int TColumn::GetInt(int) const { throw ETableError(WrongType); }
void TColumn::SetInt(int, int) { throw ETableError(WrongType); }
void TColumn::SetUnits(int) {}

void TColumn::CheckRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw ETableError("List index out of bounds (" + std::to_string(row) + ")");
}

std::pair<int, int> TColumn::WrittenRows(int row) const
{
    if (!GroupShared)
        return {row, row + 1};
    const int group = RowGroup();
    const int first = row / group * group;
    return {first, std::min(first + group, RowCount())};
}

void TColumn::CellChanged(int row, bool byEntry) { owner_->NotifyCellChanged(*this, row, byEntry); }

long double TColumn::EvaluateEntry(std::string_view text)
{
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        throw EAssignError("Entry cannot be blank.");
    try {
        return Evaluate(text);
    } catch (const EEvaluationError&) {
        throw EAssignError(std::string(text) + " is not a valid number.");
    }
}

// ---- TEnumColumn ---------------------------------------------------------

std::unique_ptr<TColumn> TEnumColumn::Clone(TGridTable& owner) const
{
    auto copy = std::make_unique<TEnumColumn>(owner);
    CopyDefinitionTo(*copy);
    copy->Choices = Choices;
    return copy;
}

int TEnumColumn::GetInt(int row) const
{
    CheckRow(row);
    return cells_[static_cast<std::size_t>(row)];
}

void TEnumColumn::SetInt(int row, int value) { StoreChoice(row, value, false); }

std::string TEnumColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TEnumColumn::SetText(int row, std::string_view text)
{
    CheckRow(row);
    const long double value = EvaluateEntry(text);
    if (value != std::trunc(value))
        throw EAssignError("Value must be an integer.");
    // An index outside the choices would select no choice and no template.
    const int count = static_cast<int>(Choices.size());
    if (value < 1 || value > count)
        throw EAssignError(BetweenMessage(1, count));
    StoreChoice(row, static_cast<int>(value), true);
}

void TEnumColumn::StoreChoice(int row, int value, bool byEntry)
{
    CheckRow(row);
    const auto [first, last] = WrittenRows(row);
    for (int r = first; r < last; ++r) {
        const bool changed = cells_[static_cast<std::size_t>(r)] != value;
        cells_[static_cast<std::size_t>(r)] = value;
        if (changed && Owner().IndexOf(*this) == 0)
            Owner().NotifyFirstChoiceChanged(r);
        CellChanged(r, byEntry);
    }
}

void TEnumColumn::ReadOwnDefinition(TDefinitionReader& reader) { Choices = reader.ReadStringList(); }
void TEnumColumn::WriteOwnDefinition(TDefinitionWriter& writer) const { writer.WriteStringList(Choices); }

// ---- TIntColumn ----------------------------------------------------------

std::unique_ptr<TColumn> TIntColumn::Clone(TGridTable& owner) const
{
    auto copy = std::make_unique<TIntColumn>(owner);
    CopyDefinitionTo(*copy);
    copy->Default = Default;
    copy->Min = Min;
    copy->Max = Max;
    return copy;
}

int TIntColumn::GetInt(int row) const
{
    CheckRow(row);
    return cells_[static_cast<std::size_t>(row)];
}

void TIntColumn::SetInt(int row, int value) { Store(row, value, false); }

std::string TIntColumn::GetText(int row) const { return std::to_string(GetInt(row)); }

void TIntColumn::SetText(int row, std::string_view text)
{
    CheckRow(row);
    const long double value = EvaluateEntry(text);
    // Whole numbers and the limits are enforced for entries in the window.
    if (Owner().HasWindow()) {
        if (std::fabs(value - std::nearbyint(value)) > 1e-10L)
            throw EAssignError("Entry must be an integer.");
        if (value < Min || value > Max)
            throw EAssignError(BetweenMessage(Min, Max));
    }
    Store(row, ToInt(value), true);
}

void TIntColumn::ReadOwnDefinition(TDefinitionReader& reader)
{
    Default = reader.ReadInteger();
    Min = reader.ReadInteger();
    Max = reader.ReadInteger();
}

void TIntColumn::WriteOwnDefinition(TDefinitionWriter& writer) const
{
    writer.WriteInteger(Default);
    writer.WriteInteger(Min);
    writer.WriteInteger(Max);
}

// ---- TFloatColumn --------------------------------------------------------

std::string TFloatColumn::CaptionLine(int index) const
{
    std::string line = TColumn::CaptionLine(index);
    if (index == CaptionLineCount() - 1 && !UnitCode.empty())
        line += " (" + UnitText(UnitCode, Owner().Units()) + ")  ";
    return line;
}

std::unique_ptr<TColumn> TFloatColumn::Clone(TGridTable& owner) const
{
    auto copy = std::make_unique<TFloatColumn>(owner);
    CopyDefinitionTo(*copy);
    copy->TopDepth = TopDepth;
    copy->UnitCode = UnitCode;
    copy->Default = Default;
    return copy;
}

long double TFloatColumn::GetFloat(int row) const
{
    CheckRow(row);
    return cells_[static_cast<std::size_t>(row)];
}

void TFloatColumn::SetFloat(int row, long double value) { StoreValue(row, value, false); }

std::string TFloatColumn::GetText(int row) const { return FormatNumber(GetFloat(row)); }

void TFloatColumn::SetText(int row, std::string_view text)
{
    CheckRow(row);
    StoreValue(row, EvaluateEntry(text), true);
}

void TFloatColumn::SetUnits(int system)
{
    const long double factor = ConversionFactor(UnitCode, Owner().Units(), system);
    for (long double& cell : cells_)
        cell *= factor;
}

TFloatColumn* TFloatColumn::Neighbour(int offset) const
{
    const int index = Owner().IndexOf(*this) + offset;
    if (index < 0 || index >= Owner().ColumnCount())
        return nullptr;
    return dynamic_cast<TFloatColumn*>(&Owner().Column(index));
}

long double TFloatColumn::NewCell(int row) const
{
    if (TopDepth && row > 0)
        if (const TFloatColumn* bottom = Neighbour(1); bottom && row - 1 < bottom->RowCount())
            return bottom->cells_[static_cast<std::size_t>(row - 1)];
    return Default;
}

void TFloatColumn::StoreValue(int row, long double value, bool byEntry)
{
    Store(row, value, byEntry);
    const auto [first, last] = WrittenRows(row);
    for (int r = first; r < last; ++r) {
        // A top depth is the previous row's bottom depth, and the other way round.
        if (TFloatColumn* bottom = TopDepth ? Neighbour(1) : nullptr; bottom && r > 0 && r - 1 < bottom->RowCount()) {
            bottom->cells_[static_cast<std::size_t>(r - 1)] = value;
            bottom->CellChanged(r - 1, byEntry);
        }
        if (TFloatColumn* top = Neighbour(-1); top && top->TopDepth && r + 1 < top->RowCount()) {
            top->cells_[static_cast<std::size_t>(r + 1)] = value;
            top->CellChanged(r + 1, byEntry);
        }
    }
}

void TFloatColumn::ReadOwnDefinition(TDefinitionReader& reader)
{
    TopDepth = reader.ReadBoolean();
    const std::string marker = reader.ReadString();
    if (marker == FloatMarker) {
        UnitCode = reader.ReadString();
        Default = reader.ReadFloat();
    } else {
        UnitCode = marker;  // the older definition: unit code and no default
        Default = 0;
    }
}

void TFloatColumn::WriteOwnDefinition(TDefinitionWriter& writer) const
{
    writer.WriteBoolean(TopDepth);
    writer.WriteString(FloatMarker);
    writer.WriteString(UnitCode);
    writer.WriteFloat(Default);
}

// ---- TStringColumn -------------------------------------------------------

std::unique_ptr<TColumn> TStringColumn::Clone(TGridTable& owner) const
{
    auto copy = std::make_unique<TStringColumn>(owner);
    CopyDefinitionTo(*copy);
    copy->Default = Default;
    copy->WidthInches = WidthInches;
    return copy;
}

std::string TStringColumn::GetText(int row) const
{
    CheckRow(row);
    return cells_[static_cast<std::size_t>(row)];
}

void TStringColumn::SetText(int row, std::string_view text) { Store(row, std::string(text), true); }

void TStringColumn::ReadOwnDefinition(TDefinitionReader& reader)
{
    Default = reader.ReadString();
    WidthInches = static_cast<double>(reader.ReadFloat());
}

void TStringColumn::WriteOwnDefinition(TDefinitionWriter& writer) const
{
    writer.WriteString(Default);
    writer.WriteFloat(WidthInches);
}

// ---- TGridTableList ------------------------------------------------------

TGridTable* TGridTableList::Resolve(int index, const TTableRegistry& registry) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    const Entry& entry = At(index);
    switch (entry.kind) {
    case Kind::Position: return registry.At(entry.value);
    case Kind::Identifier: return registry.FindIdentifier(entry.value);
    default: return nullptr;
    }
}

// ---- TTableColumn --------------------------------------------------------

TTableColumn::TTableColumn(TGridTable& owner) : TCellColumn(owner) {}
TTableColumn::~TTableColumn() = default;

std::unique_ptr<TColumn> TTableColumn::Clone(TGridTable& owner) const
{
    auto copy = std::make_unique<TTableColumn>(owner);
    CopyDefinitionTo(*copy);
    copy->Templates = Templates;
    return copy;
}

TGridTable* TTableColumn::TemplateForRow(int row) const
{
    const TGridTable& owner = Owner();
    int index = 0;
    if (owner.ColumnCount() > 0 && owner.Column(0).Type() == ColumnType::Enum && row < owner.Column(0).RowCount())
        index = owner.Column(0).GetInt(row) - 1;
    TGridTable* found = Templates.Resolve(index, owner.Registry());
    // A template among the owners, or one they were copied from, would copy
    // itself without end.
    for (const TGridTable* table = &owner; found && table; table = table->OwnerTable())
        if (table == found || table->TemplateIdentifier() == found->Identifier())
            found = nullptr;
    return found;
}

std::unique_ptr<TGridTable> TTableColumn::NewCell(int row) const
{
    if (const TGridTable* templateTable = TemplateForRow(row))
        return templateTable->CreateCopy(Owner(), row + 1);
    if (Owner().OnInitRow)
        if (auto table = Owner().OnInitRow(Owner(), row)) {
            table->SetParentRow(row + 1);
            return table;
        }
    return nullptr;
}

void TTableColumn::AddRows(int index, int count)
{
    TCellColumn::AddRows(index, count);
    RenumberFrom(index + count);
}

void TTableColumn::DeleteRow(int index)
{
    TCellColumn::DeleteRow(index);
    RenumberFrom(index);
}

void TTableColumn::RenumberFrom(int index)
{
    for (int row = index; row < RowCount(); ++row)
        if (TGridTable* table = cells_[static_cast<std::size_t>(row)].get())
            table->SetParentRow(row + 1);
}

void TTableColumn::RecreateCell(int row)
{
    CheckRow(row);
    cells_[static_cast<std::size_t>(row)] = NewCell(row);
}

TGridTable* TTableColumn::GetObject(int row) const
{
    CheckRow(row);
    return cells_[static_cast<std::size_t>(row)].get();
}

TGridTable& TTableColumn::GetTable(int row) const
{
    TGridTable* table = GetObject(row);
    if (!table)
        throw ETableError(WrongType);
    return *table;
}

std::string TTableColumn::GetText(int row) const
{
    CheckRow(row);
    return {};
}

void TTableColumn::SetText(int, std::string_view) { throw ETableError(WrongType); }

bool TTableColumn::IsModified() const
{
    for (const auto& table : cells_)
        if (table && table->IsModified())
            return true;
    return false;
}

void TTableColumn::ClearModified()
{
    for (const auto& table : cells_)
        if (table)
            table->SetModified(false);
}

void TTableColumn::CloseWindows()
{
    for (const auto& table : cells_)
        if (table)
            table->CloseWindow();
}

void TTableColumn::SetUnits(int system)
{
    for (const auto& table : cells_)
        if (table)
            table->SetUnits(system);
}

void TTableColumn::MatchTemplatesToChoices()
{
    if (const TEnumColumn* choices = FirstChoiceColumn(Owner()))
        Templates.Resize(static_cast<int>(choices->Choices.size()));
}

void TTableColumn::ReadOwnDefinition(TDefinitionReader& reader)
{
    Templates.Clear();
    if (reader.NextIsString()) {
        const std::string marker = reader.ReadString();
        if (marker != FlexMarker)
            throw EReadError("Unknown sub-table definition " + marker);
        for (int identifier : reader.ReadIntegerList())
            if (identifier < 0)
                Templates.Add({});
            else
                Templates.Add({TGridTableList::Kind::Identifier, identifier});
    } else {
        // The older definition: one registry position, or choice i uses the
        // table with identifier i.
        const int position = reader.ReadInteger();
        const TGridTable& owner = Owner();
        const auto* firstChoices = owner.ColumnCount() > 0 ? dynamic_cast<const TEnumColumn*>(&owner.Column(0)) : nullptr;
        if (!firstChoices || owner.HardwiredButton) {
            const TEnumColumn* choices = FirstChoiceColumn(owner);
            const std::size_t count = choices ? std::max<std::size_t>(choices->Choices.size(), 1) : 1;
            for (std::size_t c = 0; c < count; ++c)
                Templates.Add({TGridTableList::Kind::Position, position});
        } else {
            for (int choice = 1; choice <= static_cast<int>(firstChoices->Choices.size()); ++choice)
                Templates.Add({TGridTableList::Kind::Identifier, choice});
        }
    }
    MatchTemplatesToChoices();
}

void TTableColumn::WriteOwnDefinition(TDefinitionWriter& writer) const
{
    writer.WriteString(FlexMarker);
    std::vector<int> identifiers;
    for (int i = 0; i < Templates.Count(); ++i) {
        const TGridTableList::Entry& entry = Templates.At(i);
        if (entry.kind == TGridTableList::Kind::Identifier) {
            identifiers.push_back(entry.value);
        } else {
            const TGridTable* table = Templates.Resolve(i, Owner().Registry());
            identifiers.push_back(table ? table->Identifier() : -1);
        }
    }
    writer.WriteIntegerList(identifiers);
}

}  // namespace truvex
