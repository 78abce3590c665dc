// Helpers of the results tests: plot-data files written by the engine for
// the bundled examples, and the projects they belong to.
#pragma once

#include "entry/InputTables.h"
#include "project/ProgramData.h"
#include "results/PlotReader.h"
#include "truvex/engine.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>

namespace truvex::test {

inline QStringList ExampleProjects()
{
    return QDir(TRUVEX_EXAMPLES_DIR).entryList({"*.tx5d"}, QDir::Files, QDir::Name);
}

// The outcome of analysing an example in a folder of its own.
struct ExampleRun {
    RunSummary summary;
    std::filesystem::path projectFile;
    std::filesystem::path plotFile;
};

// Copies the example into `dir` and analyses it there.
inline ExampleRun RunExample(const QString& example, const QTemporaryDir& dir)
{
    ExampleRun run;
    run.projectFile = dir.filePath(example).toStdString();
    std::filesystem::copy_file(std::filesystem::path(TRUVEX_EXAMPLES_DIR) / example.toStdString(), run.projectFile,
                               std::filesystem::copy_options::overwrite_existing);
    RunRequest request = requestForProject(run.projectFile);
    request.workDir = dir.path().toStdString();
    run.summary = runProject(request);
    run.plotFile = request.plotFile;
    return run;
}

// The reader's view of a project file, opened as the front end opens it.
inline TPlotProject OpenPlotProject(const std::filesystem::path& projectFile)
{
    const std::unique_ptr<TInputTables> tables = TInputTables::FromResource();
    TProgramData project(*tables);
    project.Open(projectFile.string(), LayoutFromExtension(projectFile.string()));
    return PlotProjectOf(project);
}

}  // namespace truvex::test
