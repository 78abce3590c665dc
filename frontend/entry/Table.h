// TGridTable: a typed input table. It holds columns of cells, its row limits,
// the unit system of its values and a modified marker; a table may own
// sub-tables through a sub-table column, created as copies of template
// tables found by identifier in the registry of its family.
#pragma once

#include "ColumnTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace truvex {

class TGridTable;

// Every table of one family in creation order, with the counter that hands
// out default identifiers.
class TTableRegistry {
public:
    const std::vector<TGridTable*>& Tables() const { return tables_; }
    TGridTable* At(int position) const;
    TGridTable* FindIdentifier(int identifier) const;

private:
    friend class TGridTable;
    int Add(TGridTable& table);  // returns the table's default identifier
    void Remove(TGridTable& table);
    std::vector<TGridTable*> tables_;
    int counter_ = 0;
};

// The window that shows a table, provided by the window layer.
class TTableWindow {
public:
    virtual ~TTableWindow() = default;
    // Closes and frees the window; the window detaches itself from its table.
    virtual void CloseTableWindow() = 0;
};

class TGridTable {
public:
    // A table owned by `ownerTable` takes its unit system, any other 1.
    explicit TGridTable(TGridTable* ownerTable = nullptr);
    virtual ~TGridTable();
    TGridTable(const TGridTable&) = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    static TTableRegistry& GlobalRegistry();
    TTableRegistry& Registry() const { return *registry_; }

    // Properties.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Identifier() const { return identifier_; }
    // A value held by another table of the family gives that table this
    // table's previous identifier; negative values are ignored.
    void SetIdentifier(int identifier);
    std::string Caption;
    std::string Comments;
    std::string TopLeft;
    std::string HelpPicture;
    bool HardwiredButton = false;
    int MaxRows() const { return maxRows_; }
    void SetMaxRows(int rows) { maxRows_ = rows < 0 ? 0 : rows; }  // 0: no limit
    int MinRows() const { return minRows_; }
    // At least 1: a lower value raises "Value must be greater than 0", or
    // becomes 1 while the definition is being loaded.
    void SetMinRows(int rows);
    int RowGroup() const { return rowGroup_; }
    void SetRowGroup(int rows) { rowGroup_ = rows < 1 ? 1 : rows; }
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // Columns.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TColumn& Column(int index) const;
    int IndexOf(const TColumn& column) const;
    int VisibleColumnCount() const;
    TColumn& VisibleColumn(int index) const;  // "Index out of bounds" for a bad index
    // Appends a column, given a default cell for every existing row.
    TColumn& AddColumn(std::unique_ptr<TColumn> column);

    // Rows.
    int RowCount() const { return rowCount_; }
    // Below 0 counts as 0; cells are removed from the end or appended with
    // their defaults.
    void SetRowCount(int count);
    TData Cell(int column, int row) const;
    void AppendGroup();
    void InsertGroup(int row);
    void DeleteGroup(int row);

    // Units: 1 English, 2 SI, 3 other.
    int Units() const { return units_; }
    void SetUnits(int system);

    // Modified state: the table's marker or a modified sub-table.
    bool IsModified() const;
    // Clearing also clears the markers of all sub-tables.
    void SetModified(bool modified);

    // Sub-table relation: the owning table and the 1-based row of this
    // table's cell there (0 for a table that is no sub-table).
    TGridTable* OwnerTable() const { return ownerTable_; }
    int ParentRow() const { return parentRow_; }
    // The identifier of the template this table was copied from, or -1.
    int TemplateIdentifier() const { return templateIdentifier_; }
    void SetParentRow(int row);
    // The caption followed by the parent row numbers of this table and its
    // owners, outermost first, each after a blank.
    std::string WindowTitle() const;

    // The window, when one is open.
    TTableWindow* Window() const { return window_; }
    bool HasWindow() const { return window_ != nullptr; }
    void AttachWindow(TTableWindow* window) { window_ = window; }
    void DetachWindow() { window_ = nullptr; }
    // Closes the table's window and the windows of its sub-tables.
    void CloseWindow();

    // The "Col" property: column count, then per column its type number and
    // definition (chart tables append their graphic parameters). Reading
    // replaces the columns. Throws EReadError.
    void ReadCol(TDefinitionReader& reader);
    void WriteCol(TDefinitionWriter& writer) const;
    // Reads one published property by name; false for an unknown name.
    virtual bool ReadProperty(std::string_view property, TDefinitionReader& reader);

    // A new sub-table of `owner` made from this table as template: caption,
    // comments, top-left text, help picture, row limits and column
    // definitions, with its minimum number of rows of default cells.
    std::unique_ptr<TGridTable> CreateCopy(TGridTable& owner, int parentRow) const;

    // Events.
    std::function<void()> OnResize;                      // after the row count changed
    std::function<void(int column, int row)> OnCellChanged;
    // Supplies a row's sub-table when its column has no template.
    std::function<std::unique_ptr<TGridTable>(TGridTable& owner, int row)> OnInitRow;
    std::function<void(TGridTable& subTable, int row)> OnSetRow;  // a sub-table got its row

    // Notifications from the columns.
    void NotifyCellChanged(const TColumn& column, int row, bool byEntry);
    void NotifyFirstChoiceChanged(int row);

protected:
    TGridTable(TTableRegistry& registry, TGridTable* ownerTable);
    virtual void ReadColTail(TDefinitionReader&) {}
    virtual void WriteColTail(TDefinitionWriter&) const {}
    // An empty table of this family owned by `owner`.
    virtual std::unique_ptr<TGridTable> NewTable(TGridTable& owner) const;
    virtual void CopyDefinitionTo(TGridTable& copy) const;

private:
    void AddRows(int index, int count);
    void DeleteRows(int index, int count);
    void CheckRow(int row) const;

    TTableRegistry* registry_;
    TGridTable* ownerTable_;
    std::string name_;
    int identifier_ = 0;
    int minRows_ = 1;
    int maxRows_ = 0;
    int rowGroup_ = 1;
    bool loading_ = false;
    std::vector<std::unique_ptr<TColumn>> columns_;
    int rowCount_ = 0;
    int units_ = 1;
    bool modified_ = false;
    int parentRow_ = 0;
    int templateIdentifier_ = -1;
    TTableWindow* window_ = nullptr;
};

}  // namespace truvex
