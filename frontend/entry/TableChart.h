// TGridTableChart: a grid table shown with a chart of its points above the
// grid and able to read its points from a file. Chart tables have their own
// registry and identifier counter; their sub-table templates are chart tables.
#pragma once

#include "Table.h"

#include <array>

namespace truvex {

struct TGraphicParameters {
    bool ShowChart = false;
    bool DrawInPaintBox = false;
    // Select the plotted columns and series; 0, 1, 0, 0 plots the first
    // column against the second.
    std::array<int, 4> Values{};
};

class TGridTableChart : public TGridTable {
public:
    explicit TGridTableChart(TGridTable* ownerTable = nullptr);

    static TTableRegistry& ChartRegistry();

    bool GetDataFromFile = false;
    bool OKCancelButtons = false;
    bool InvertedXAxis = false;
    bool InvertedYAxis = false;
    TGraphicParameters Graphics;

    bool ReadProperty(std::string_view property, TDefinitionReader& reader) override;

protected:
    std::unique_ptr<TGridTable> NewTable(TGridTable& owner) const override;
    void CopyDefinitionTo(TGridTable& copy) const override;
    // The six graphic parameters follow the columns.
    void ReadColTail(TDefinitionReader& reader) override;
    void WriteColTail(TDefinitionWriter& writer) const override;
};

}  // namespace truvex
