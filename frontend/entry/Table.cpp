#include "Table.h"

#include "Definition.h"
#include "Units.h"

#include <algorithm>
#include <deque>
#include <string>

namespace truvex {

namespace {
TTableRegistry GridRegistry;
}  // namespace

// ---- TTableRegistry ------------------------------------------------------

TGridTable* TTableRegistry::At(int position) const
{
    if (position < 0 || position >= static_cast<int>(tables_.size()))
        return nullptr;
    return tables_[static_cast<std::size_t>(position)];
}

TGridTable* TTableRegistry::FindIdentifier(int identifier) const
{
    for (TGridTable* table : tables_)
        if (table->Identifier() == identifier)
            return table;
    return nullptr;
}

int TTableRegistry::Add(TGridTable& table)
{
    // The running counter skips identifiers in use, so identifiers stay unique.
    while (FindIdentifier(counter_))
        ++counter_;
    tables_.push_back(&table);
    return counter_++;
}

void TTableRegistry::Remove(TGridTable& table)
{
    tables_.erase(std::remove(tables_.begin(), tables_.end(), &table), tables_.end());
}

// ---- TGridTable ----------------------------------------------------------

TTableRegistry& TGridTable::GlobalRegistry() { return GridRegistry; }

TGridTable::TGridTable(TGridTable* ownerTable) : TGridTable(GridRegistry, ownerTable) {}

TGridTable::TGridTable(TTableRegistry& registry, TGridTable* ownerTable)
    : registry_(&registry), ownerTable_(ownerTable), units_(ownerTable ? ownerTable->Units() : UnitsEnglish)
{
    identifier_ = registry.Add(*this);
}

TGridTable::~TGridTable()
{
    CloseWindow();
    columns_.clear();
    registry_->Remove(*this);
}

void TGridTable::SetIdentifier(int identifier)
{
    if (identifier < 0 || identifier == identifier_)
        return;
    if (TGridTable* holder = registry_->FindIdentifier(identifier))
        holder->identifier_ = identifier_;
    identifier_ = identifier;
}

void TGridTable::SetMinRows(int rows)
{
    if (rows < 1) {
        if (!loading_)
            throw ETableError("Value must be greater than 0");
        rows = 1;
    }
    minRows_ = rows;
}

TColumn& TGridTable::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        throw ETableError("List index out of bounds (" + std::to_string(index) + ")");
    return *columns_[static_cast<std::size_t>(index)];
}

int TGridTable::IndexOf(const TColumn& column) const
{
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].get() == &column)
            return static_cast<int>(i);
    return -1;
}

int TGridTable::VisibleColumnCount() const
{
    return static_cast<int>(std::count_if(columns_.begin(), columns_.end(), [](const auto& c) { return c->Visible; }));
}

TColumn& TGridTable::VisibleColumn(int index) const
{
    int seen = 0;
    for (const auto& column : columns_)
        if (column->Visible && seen++ == index)
            return *column;
    throw ETableError("Index out of bounds");
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column)
{
    columns_.push_back(std::move(column));
    columns_.back()->AddRows(0, rowCount_);
    return *columns_.back();
}

void TGridTable::CheckRow(int row) const
{
    if (row < 0 || row >= rowCount_)
        throw ETableError("List index out of bounds (" + std::to_string(row) + ")");
}

void TGridTable::AddRows(int index, int count)
{
    for (const auto& column : columns_)
        column->AddRows(index, count);
    rowCount_ += count;
}

void TGridTable::DeleteRows(int index, int count)
{
    for (const auto& column : columns_)
        for (int i = 0; i < count; ++i)
            column->DeleteRow(index);
    rowCount_ -= count;
}

void TGridTable::SetRowCount(int count)
{
    count = std::max(count, 0);
    if (count == rowCount_)
        return;
    if (count < rowCount_)
        DeleteRows(count, rowCount_ - count);
    else
        AddRows(rowCount_, count - rowCount_);
    if (OnResize)
        OnResize();
}

TData TGridTable::Cell(int column, int row) const
{
    TColumn& cellColumn = Column(column);
    CheckRow(row);
    return TData(cellColumn, row);
}

void TGridTable::AppendGroup()
{
    AddRows(rowCount_, rowGroup_);
    if (OnResize)
        OnResize();
}

void TGridTable::InsertGroup(int row)
{
    CheckRow(row);
    AddRows(row / rowGroup_ * rowGroup_, rowGroup_);
    if (OnResize)
        OnResize();
}

void TGridTable::DeleteGroup(int row)
{
    CheckRow(row);
    const int first = row / rowGroup_ * rowGroup_;
    DeleteRows(first, std::min(rowGroup_, rowCount_ - first));
    if (OnResize)
        OnResize();
}

void TGridTable::SetUnits(int system)
{
    system = ClampUnitSystem(system);
    if (system == units_)
        return;
    for (const auto& column : columns_)
        column->SetUnits(system);  // converts from the current system
    units_ = system;
    if (OnResize)
        OnResize();
}

bool TGridTable::IsModified() const
{
    return modified_ || std::any_of(columns_.begin(), columns_.end(), [](const auto& c) { return c->IsModified(); });
}

void TGridTable::SetModified(bool modified)
{
    modified_ = modified;
    if (!modified)
        for (const auto& column : columns_)
            column->ClearModified();
}

void TGridTable::SetParentRow(int row)
{
    parentRow_ = row;
    if (ownerTable_ && ownerTable_->OnSetRow)
        ownerTable_->OnSetRow(*this, row);
}

std::string TGridTable::WindowTitle() const
{
    std::deque<int> rows;
    for (const TGridTable* table = this; table->ownerTable_; table = table->ownerTable_)
        rows.push_front(table->parentRow_);
    std::string title = Caption;
    for (int row : rows)
        title += " " + std::to_string(row);
    return title;
}

void TGridTable::CloseWindow()
{
    if (TTableWindow* window = window_) {
        window_ = nullptr;
        window->CloseTableWindow();
    }
    for (const auto& column : columns_)
        column->CloseWindows();
}

void TGridTable::NotifyCellChanged(const TColumn& column, int row, bool byEntry)
{
    if (byEntry)
        modified_ = true;
    if (OnCellChanged)
        OnCellChanged(IndexOf(column), row);
}

void TGridTable::NotifyFirstChoiceChanged(int row)
{
    for (const auto& column : columns_)
        if (auto* tableColumn = dynamic_cast<TTableColumn*>(column.get()); tableColumn && row < tableColumn->RowCount())
            tableColumn->RecreateCell(row);
}

void TGridTable::ReadCol(TDefinitionReader& reader)
{
    int count = 0;
    try {
        count = reader.ReadInteger();
    } catch (const EReadError&) {
        throw EReadError("Error reading column count");
    }
    if (count < 0)
        throw EReadError("Error reading column count");
    columns_.clear();
    for (int i = 0; i < count; ++i) {
        int type = -1;
        try {
            type = reader.ReadInteger();
        } catch (const EReadError&) {
        }
        if (!TColumn::IsTypeNumber(type))
            throw EReadError("Error Column Class not defined");
        std::unique_ptr<TColumn> column;
        try {
            column = TColumn::CreateFromDefinition(type, *this, reader);
        } catch (const std::exception& error) {
            throw EReadError("Error occured when creating column " + std::to_string(i) + ": " + error.what());
        }
        AddColumn(std::move(column));
    }
    ReadColTail(reader);
}

void TGridTable::WriteCol(TDefinitionWriter& writer) const
{
    writer.WriteInteger(ColumnCount());
    writer.NewLine();
    for (const auto& column : columns_) {
        writer.WriteInteger(static_cast<int>(column->Type()));
        column->WriteDefinition(writer);
        writer.NewLine();
    }
    WriteColTail(writer);
}

bool TGridTable::ReadProperty(std::string_view property, TDefinitionReader& reader)
{
    if (property == "Identifier")
        SetIdentifier(reader.ReadInteger());
    else if (property == "Caption")
        Caption = reader.ReadString();
    else if (property == "Comments")
        Comments = reader.ReadString();
    else if (property == "TopLeft")
        TopLeft = reader.ReadString();
    else if (property == "HelpPicture")
        HelpPicture = reader.ReadString();
    else if (property == "MinRows")
        SetMinRows(reader.ReadInteger());
    else if (property == "MaxRows")
        SetMaxRows(reader.ReadInteger());
    else if (property == "RowGroup")
        SetRowGroup(reader.ReadInteger());
    else if (property == "HardwiredButton")
        HardwiredButton = reader.ReadBoolean();
    else if (property == "Col") {
        reader.ReadSymbol('{');
        ReadCol(reader);
        reader.ReadSymbol('}');
    } else
        return false;
    return true;
}

void TGridTable::CopyDefinitionTo(TGridTable& copy) const
{
    copy.Caption = Caption;
    copy.Comments = Comments;
    copy.TopLeft = TopLeft;
    copy.HelpPicture = HelpPicture;
    copy.HardwiredButton = HardwiredButton;
    copy.minRows_ = minRows_;
    copy.maxRows_ = maxRows_;
    copy.rowGroup_ = rowGroup_;
    copy.templateIdentifier_ = identifier_;
    for (const auto& column : columns_)
        copy.AddColumn(column->Clone(copy));
}

std::unique_ptr<TGridTable> TGridTable::NewTable(TGridTable& owner) const
{
    return std::make_unique<TGridTable>(&owner);
}

std::unique_ptr<TGridTable> TGridTable::CreateCopy(TGridTable& owner, int parentRow) const
{
    auto copy = NewTable(owner);
    CopyDefinitionTo(*copy);
    copy->SetParentRow(parentRow);
    copy->SetRowCount(copy->MinRows());
    return copy;
}

}  // namespace truvex
