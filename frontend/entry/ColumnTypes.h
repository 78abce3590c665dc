// Column types of the grid tables: choice, integer, real, sub-table and
// string columns, each holding one cell per row of its table, with the cell
// handle TData and the template list of sub-table columns.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace truvex {

class TGridTable;
class TTableRegistry;
class TDefinitionReader;
class TDefinitionWriter;

// Misuse of a table or a cell ("Data of wrong type", a bad index).
class ETableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An entry typed into a cell that cannot be stored; the table window shows
// the message and keeps the cell.
class EAssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The type numbers under which column definitions are stored.
enum class ColumnType : int { Enum = 0, Int = 1, Float = 2, Table = 3, String = 4 };

class TColumn {
public:
    explicit TColumn(TGridTable& owner) : owner_(&owner) {}
    virtual ~TColumn() = default;
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    // Reads a definition (captions, Visible, GroupShared, own data) of the
    // given type for a column of `owner`. Throws EReadError.
    static std::unique_ptr<TColumn> CreateFromDefinition(int typeNumber, TGridTable& owner, TDefinitionReader& reader);
    static bool IsTypeNumber(int typeNumber);

    virtual ColumnType Type() const = 0;
    TGridTable& Owner() const { return *owner_; }
    int RowGroup() const;

    // Definition.
    std::vector<std::string> Captions;
    bool Visible = true;
    bool GroupShared = false;

    int CaptionLineCount() const { return static_cast<int>(Captions.size()); }
    virtual std::string CaptionLine(int index) const;
    // The type's own minimum display width in inches; the window widens a
    // column further to its widest caption line.
    virtual double MinimumWidthInches() const = 0;
    // Choice and sub-table cells are edited through controls over the grid.
    virtual bool UsesControls() const { return false; }
    void WriteDefinition(TDefinitionWriter& writer) const;
    // A copy of the definition, without cells, for a column of `owner`.
    virtual std::unique_ptr<TColumn> Clone(TGridTable& owner) const = 0;

    // Cells.
    virtual int RowCount() const = 0;
    virtual void AddRows(int index, int count) = 0;
    virtual void DeleteRow(int index) = 0;
    virtual TGridTable& GetTable(int row) const;
    virtual TGridTable* GetObject(int row) const;
    virtual long double GetFloat(int row) const;
    virtual void SetFloat(int row, long double value);
    virtual int GetInt(int row) const;
    virtual void SetInt(int row, int value);
    virtual std::string GetText(int row) const = 0;
    // Parses and stores an entry typed by the user. Throws EAssignError.
    virtual void SetText(int row, std::string_view text) = 0;

    // Sub-tables of the column.
    virtual bool IsModified() const { return false; }
    virtual void ClearModified() {}
    virtual void CloseWindows() {}
    // Converts the cells from the owner's current unit system to `system`.
    virtual void SetUnits(int system);

protected:
    virtual void ReadOwnDefinition(TDefinitionReader& reader) = 0;
    virtual void WriteOwnDefinition(TDefinitionWriter& writer) const = 0;
    void CopyDefinitionTo(TColumn& copy) const;
    void CheckRow(int row) const;
    // The rows that a write to `row` stores into: its row group when
    // GroupShared, else the row alone (first, one past last).
    std::pair<int, int> WrittenRows(int row) const;
    void CellChanged(int row, bool byEntry);
    // The typed entry evaluated; an empty or invalid entry raises EAssignError.
    static long double EvaluateEntry(std::string_view text);

private:
    TGridTable* owner_;
};

// Columns that keep one value of type T per row.
template <class T>
class TCellColumn : public TColumn {
public:
    using TColumn::TColumn;
    int RowCount() const override { return static_cast<int>(cells_.size()); }
    void AddRows(int index, int count) override
    {
        for (int i = 0; i < count; ++i)
            cells_.insert(cells_.begin() + index + i, NewCell(index + i));
    }
    void DeleteRow(int index) override
    {
        CheckRow(index);
        cells_.erase(cells_.begin() + index);
    }

protected:
    virtual T NewCell(int row) const = 0;
    // Stores into the written rows and signals each one.
    void Store(int row, const T& value, bool byEntry)
    {
        CheckRow(row);
        const auto [first, last] = WrittenRows(row);
        for (int r = first; r < last; ++r) {
            cells_[r] = value;
            CellChanged(r, byEntry);
        }
    }
    std::vector<T> cells_;
};

class TEnumColumn : public TCellColumn<int> {
public:
    using TCellColumn::TCellColumn;
    ColumnType Type() const override { return ColumnType::Enum; }
    std::vector<std::string> Choices;

    double MinimumWidthInches() const override { return 1.5; }
    bool UsesControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable& owner) const override;
    int GetInt(int row) const override;
    void SetInt(int row, int value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;

protected:
    int NewCell(int) const override { return 1; }
    void ReadOwnDefinition(TDefinitionReader& reader) override;
    void WriteOwnDefinition(TDefinitionWriter& writer) const override;

private:
    void StoreChoice(int row, int value, bool byEntry);
};

class TIntColumn : public TCellColumn<int> {
public:
    using TCellColumn::TCellColumn;
    ColumnType Type() const override { return ColumnType::Int; }
    int Default = 0;
    int Min = 0;
    int Max = 0;

    double MinimumWidthInches() const override { return 0.5; }
    std::unique_ptr<TColumn> Clone(TGridTable& owner) const override;
    int GetInt(int row) const override;
    void SetInt(int row, int value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;

protected:
    int NewCell(int) const override { return Default; }
    void ReadOwnDefinition(TDefinitionReader& reader) override;
    void WriteOwnDefinition(TDefinitionWriter& writer) const override;
};

class TFloatColumn : public TCellColumn<long double> {
public:
    using TCellColumn::TCellColumn;
    ColumnType Type() const override { return ColumnType::Float; }
    // A top-depth column is followed by its bottom-depth column: a row's top
    // is the previous row's bottom, and the two are kept equal.
    bool TopDepth = false;
    std::string UnitCode;
    long double Default = 0;

    std::string CaptionLine(int index) const override;
    double MinimumWidthInches() const override { return 0.5; }
    std::unique_ptr<TColumn> Clone(TGridTable& owner) const override;
    long double GetFloat(int row) const override;
    void SetFloat(int row, long double value) override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    void SetUnits(int system) override;

protected:
    long double NewCell(int row) const override;
    void ReadOwnDefinition(TDefinitionReader& reader) override;
    void WriteOwnDefinition(TDefinitionWriter& writer) const override;

private:
    void StoreValue(int row, long double value, bool byEntry);
    TFloatColumn* Neighbour(int offset) const;
};

class TStringColumn : public TCellColumn<std::string> {
public:
    using TCellColumn::TCellColumn;
    ColumnType Type() const override { return ColumnType::String; }
    std::string Default;
    double WidthInches = 0;

    double MinimumWidthInches() const override { return WidthInches; }
    std::unique_ptr<TColumn> Clone(TGridTable& owner) const override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;

protected:
    std::string NewCell(int) const override { return Default; }
    void ReadOwnDefinition(TDefinitionReader& reader) override;
    void WriteOwnDefinition(TDefinitionWriter& writer) const override;
};

// The template references of a sub-table column: each entry is a position
// in the table registry or a table identifier, resolved when used; an entry
// that resolves to no table means no template.
class TGridTableList {
public:
    enum class Kind { None, Position, Identifier };
    struct Entry {
        Kind kind = Kind::None;
        int value = 0;
    };

    int Count() const { return static_cast<int>(entries_.size()); }
    const Entry& At(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    void Add(Entry entry) { entries_.push_back(entry); }
    void Resize(int count) { entries_.resize(static_cast<std::size_t>(count < 0 ? 0 : count)); }
    void Clear() { entries_.clear(); }
    TGridTable* Resolve(int index, const TTableRegistry& registry) const;

private:
    std::vector<Entry> entries_;
};

class TTableColumn : public TCellColumn<std::unique_ptr<TGridTable>> {
public:
    explicit TTableColumn(TGridTable& owner);
    ~TTableColumn() override;
    ColumnType Type() const override { return ColumnType::Table; }
    TGridTableList Templates;

    double MinimumWidthInches() const override { return 2.0; }
    bool UsesControls() const override { return true; }
    std::unique_ptr<TColumn> Clone(TGridTable& owner) const override;
    void AddRows(int index, int count) override;
    void DeleteRow(int index) override;
    TGridTable& GetTable(int row) const override;
    TGridTable* GetObject(int row) const override;
    std::string GetText(int row) const override;
    void SetText(int row, std::string_view text) override;
    bool IsModified() const override;
    void ClearModified() override;
    void CloseWindows() override;
    void SetUnits(int system) override;

    // The template for a row: the one listed for the choice in the owner's
    // first column when that is a choice column, else the first one.
    TGridTable* TemplateForRow(int row) const;
    // The row's sub-table created anew from its template (its data is lost).
    void RecreateCell(int row);
    // One template reference per choice of the owner's first choice column.
    void MatchTemplatesToChoices();

protected:
    std::unique_ptr<TGridTable> NewCell(int row) const override;
    void ReadOwnDefinition(TDefinitionReader& reader) override;
    void WriteOwnDefinition(TDefinitionWriter& writer) const override;

private:
    void RenumberFrom(int index);
};

// A cell handle: a column and a row of it.
class TData {
public:
    TData(TColumn& column, int row) : column_(&column), row_(row) {}
    TColumn& Column() const { return *column_; }
    int Row() const { return row_; }

    TGridTable& GetTable() const { return column_->GetTable(row_); }
    long double GetFloat() const { return column_->GetFloat(row_); }
    int GetInt() const { return column_->GetInt(row_); }
    std::string GetText() const { return column_->GetText(row_); }
    void SetFloat(long double value) const { column_->SetFloat(row_, value); }
    void SetInt(int value) const { column_->SetInt(row_, value); }
    void SetText(std::string_view text) const { column_->SetText(row_, text); }

private:
    TColumn* column_;
    int row_;
};

}  // namespace truvex
