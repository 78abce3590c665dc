#include "InputTables.h"

#include "Definition.h"
#include "TableChart.h"

#include <QFile>

namespace truvex {
namespace {

std::unique_ptr<TGridTable> ReadTable(TDefinitionReader& reader)
{
    if (!reader.NextIsWord("object"))
        throw EReadError("'object' expected in line " + std::to_string(reader.Line()));
    reader.ReadWord();
    const std::string name = reader.ReadWord();
    reader.ReadSymbol(':');
    const std::string className = reader.ReadWord();
    std::unique_ptr<TGridTable> table;
    if (className == "TGridTable")
        table = std::make_unique<TGridTable>();
    else if (className == "TGridTableChart")
        table = std::make_unique<TGridTableChart>();
    else
        throw EReadError("Class " + className + " not found");
    table->SetName(name);
    table->SetLoading(true);
    while (!reader.NextIsWord("end")) {
        if (reader.AtEnd())
            throw EReadError("'end' expected for " + name);
        const std::string property = reader.ReadWord();
        reader.ReadSymbol('=');
        if (!table->ReadProperty(property, reader))
            throw EReadError("Property " + property + " does not exist");
    }
    reader.ReadWord();
    table->SetLoading(false);
    return table;
}

}  // namespace

TInputTables::TInputTables(std::string_view definition)
{
    TDefinitionReader reader(definition);
    while (!reader.AtEnd())
        tables_.push_back(ReadTable(reader));
}

std::string TInputTables::ResourceDefinition()
{
    QFile file(":/truvex/InputTables.def");
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError("The table definitions are missing from the program");
    return file.readAll().toStdString();
}

std::unique_ptr<TInputTables> TInputTables::FromResource()
{
    return std::make_unique<TInputTables>(ResourceDefinition());
}

TGridTable& TInputTables::Table(std::string_view name) const
{
    for (const auto& table : tables_)
        if (table->Name() == name)
            return *table;
    throw ETableError("No table named " + std::string(name));
}

void TInputTables::ResetRows()
{
    for (const auto& table : tables_) {
        table->SetRowCount(0);
        table->SetRowCount(table->MinRows());
    }
}

void TInputTables::SetUnits(int system)
{
    for (const auto& table : tables_)
        table->SetUnits(system);
}

}  // namespace truvex
