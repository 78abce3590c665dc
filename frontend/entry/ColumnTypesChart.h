// The column classes and cell handle of chart tables. They define and
// behave exactly as those of the grid tables, so they are the same classes.
#pragma once

#include "ColumnTypes.h"

namespace truvex {

using TColumnChart = TColumn;
using TEnumColumnChart = TEnumColumn;
using TIntColumnChart = TIntColumn;
using TFloatColumnChart = TFloatColumn;
using TTableColumnChart = TTableColumn;
using TStringColumnChart = TStringColumn;
using TDataChart = TData;

}  // namespace truvex
