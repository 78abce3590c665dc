// The input tables of the main window, created from their definitions: the
// built-in definition resource, read at start, or a definition text.
#pragma once

#include "Table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace truvex {

class TInputTables {
public:
    // Creates the tables described by a definition text, in its order, each
    // with no rows. Throws EReadError for a faulty definition.
    explicit TInputTables(std::string_view definition);
    // The tables of the built-in definition resource.
    static std::unique_ptr<TInputTables> FromResource();
    static std::string ResourceDefinition();

    const std::vector<std::unique_ptr<TGridTable>>& Tables() const { return tables_; }
    // The table with that component name; ETableError when there is none.
    TGridTable& Table(std::string_view name) const;

    // Every table emptied and given its minimum number of rows of defaults.
    void ResetRows();
    // Every table switched to the unit system.
    void SetUnits(int system);

private:
    std::vector<std::unique_ptr<TGridTable>> tables_;
};

}  // namespace truvex
