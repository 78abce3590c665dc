#include "TableChart.h"

#include "Definition.h"

namespace truvex {

namespace {
TTableRegistry ChartTableRegistry;
}  // namespace

TTableRegistry& TGridTableChart::ChartRegistry() { return ChartTableRegistry; }

TGridTableChart::TGridTableChart(TGridTable* ownerTable) : TGridTable(ChartTableRegistry, ownerTable) {}

bool TGridTableChart::ReadProperty(std::string_view property, TDefinitionReader& reader)
{
    if (property == "GetDataFromFile")
        GetDataFromFile = reader.ReadBoolean();
    else if (property == "OKCancelButtons")
        OKCancelButtons = reader.ReadBoolean();
    else if (property == "InvertedXAxis")
        InvertedXAxis = reader.ReadBoolean();
    else if (property == "InvertedYAxis")
        InvertedYAxis = reader.ReadBoolean();
    else
        return TGridTable::ReadProperty(property, reader);
    return true;
}

std::unique_ptr<TGridTable> TGridTableChart::NewTable(TGridTable& owner) const
{
    return std::make_unique<TGridTableChart>(&owner);
}

void TGridTableChart::CopyDefinitionTo(TGridTable& copy) const
{
    TGridTable::CopyDefinitionTo(copy);
    if (auto* chart = dynamic_cast<TGridTableChart*>(&copy)) {
        chart->GetDataFromFile = GetDataFromFile;
        chart->OKCancelButtons = OKCancelButtons;
        chart->InvertedXAxis = InvertedXAxis;
        chart->InvertedYAxis = InvertedYAxis;
        chart->Graphics = Graphics;
    }
}

void TGridTableChart::ReadColTail(TDefinitionReader& reader)
{
    try {
        Graphics.ShowChart = reader.ReadBoolean();
        Graphics.DrawInPaintBox = reader.ReadBoolean();
        for (int& value : Graphics.Values)
            value = reader.ReadInteger();
    } catch (const EReadError&) {
        throw EReadError("Error reading graphic parameters");
    }
}

void TGridTableChart::WriteColTail(TDefinitionWriter& writer) const
{
    writer.WriteBoolean(Graphics.ShowChart);
    writer.WriteBoolean(Graphics.DrawInPaintBox);
    for (int value : Graphics.Values)
        writer.WriteInteger(value);
    writer.NewLine();
}

}  // namespace truvex
