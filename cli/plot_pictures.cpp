#include "plot_pictures.h"

#include "entry/InputTables.h"
#include "project/ProgramData.h"
#include "results/GraphPicture.h"
#include "results/PlotReader.h"

#include <QGuiApplication>

#include <system_error>

namespace truvex {

struct PictureWriter::Application {
    explicit Application(const char* programName) : argv{const_cast<char*>(programName), nullptr}
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    int argc = 1;
    char* argv[2];
    std::unique_ptr<QGuiApplication> app;
};

PictureWriter::PictureWriter(const char* programName) : application_(std::make_unique<Application>(programName)) {}

PictureWriter::~PictureWriter() = default;

namespace {

// The reader's view of the project beside the plot file. Without one the
// unit system is the one the engine wrote into the plot data.
TPlotProject projectBeside(const std::filesystem::path& plotFile, TResultGraphs& graphs)
{
    std::filesystem::path projectFile = plotFile;
    projectFile.replace_extension(".tx5d");
    std::error_code error;
    if (std::filesystem::is_regular_file(projectFile, error)) {
        const std::unique_ptr<TInputTables> tables = TInputTables::FromResource();
        TProgramData project(*tables);
        project.Open(projectFile.string(), LayoutFromExtension(projectFile.string()));
        return PlotProjectOf(project);
    }
    TPlotProject project;
    TProjectResults results;
    if (ReadPlotData(plotFile.string(), project, graphs, results))
        project.Units = graphs.pltDef.Units();
    return project;
}

}  // namespace

PictureWriter::Outcome PictureWriter::write(const std::filesystem::path& plotFile, const std::filesystem::path& folder)
{
    const std::string name = plotFile.string();
    TResultGraphs graphs;
    const TPlotProject project = projectBeside(plotFile, graphs);
    TProjectResults results;
    std::string message;
    if (!ReadPlotData(name, project, graphs, results, [&](const std::string& text) { message = text; }))
        return {name + ": " + message, false};

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return {name + ": cannot create " + folder.string() + ": " + error.message(), false};

    const std::vector<TPictureFile> files = SaveResultPictures(graphs, folder, plotFile.stem().string());
    int saved = 0;
    std::string failures;
    for (const TPictureFile& file : files) {
        if (file.Saved)
            ++saved;
        else
            failures += "; " + file.Path.string() + ": " + file.Message;
    }
    return {name + ": " + std::to_string(saved) + (saved == 1 ? " picture" : " pictures") + " in " + folder.string() +
                failures,
            failures.empty()};
}

}  // namespace truvex
