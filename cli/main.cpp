// truvex-run: analyses project files without the front end, in-process and
// several at once, writing the report, plot-data and run-notes files beside
// each project.
#include "truvex/engine.h"

#ifdef TRUVEX_WITH_PLOT
#include "plot_pictures.h"
#endif
#ifdef TRUVEX_WITH_CONVERT
#include "project/Convert.h"
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

#ifdef TRUVEX_WITH_PLOT
const char* const kUsage =
    "Usage: truvex-run [--help] [--plot DIR] FILE...\n"
    "\n"
    "Analyses each Truvex project file (.tx5d) and writes beside it the report\n"
    "(.tx5o), the plot data (.tx5p) and the run notes (.tx5r).\n"
    "\n"
    "  --plot DIR  also save the result graphs of each analysed project as PNG\n"
    "              pictures in DIR, named after the project and the graph:\n"
    "              deflection, moment, shear, net-reaction,\n"
    "              deflection-moment-shear, earth-pressure,\n"
    "              earth-pressure-combined and py-curves (graphs without\n"
    "              curves are left out). A plot-data file (.tx5p) given as FILE\n"
    "              is drawn without analysing; the project file of the same\n"
    "              name, when present, supplies the soil layers and the wall.\n"
    "\n"
    "Prints one line of outcome per file, and one per file drawn. Exit status 0\n"
    "when every file was analysed (and drawn), 1 when a file could not be\n"
    "opened, read or drawn, 2 for a usage error.\n";
#else
const char* const kUsage =
    "Usage: truvex-run [--help] FILE...\n"
    "\n"
    "Analyses each Truvex project file (.tx5d) and writes beside it the report\n"
    "(.tx5o), the plot data (.tx5p) and the run notes (.tx5r).\n"
    "Prints one line of outcome per file. Exit status 0 when every file was\n"
    "analysed, 1 when a file could not be opened or read, 2 for a usage error.\n";
#endif

// A fresh folder for the run's scratch files, so that runs going on at the
// same time do not share them.
std::filesystem::path makeScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "truvex-run-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "cannot create a scratch folder");
    return pattern;
}

struct Outcome {
    std::string line;
    bool ok = false;
    std::filesystem::path plotFile;  // written by a completed analysis
};

bool isPlotDataFile(const std::filesystem::path& file) { return file.extension() == ".tx5p"; }

Outcome analyse(const std::filesystem::path& projectFile)
{
    std::error_code ignored;
    truvex::RunRequest request = truvex::requestForProject(std::filesystem::absolute(projectFile, ignored));
    try {
        request.workDir = makeScratchFolder();
    } catch (const std::exception& error) {
        return {projectFile.string() + ": " + error.what(), false, {}};
    }
    const truvex::RunSummary summary = truvex::runProject(request);
    std::filesystem::remove_all(request.workDir, ignored);

    switch (summary.status) {
    case truvex::RunSummary::Status::Completed:
        return {projectFile.string() + ": " + std::to_string(summary.casesRun) +
                    (summary.casesRun == 1 ? " case" : " cases") + " analysed; report " + request.reportFile.string(),
                true, request.plotFile};
    case truvex::RunSummary::Status::InputError:
        return {projectFile.string() + ": stopped: " + summary.message + "; see " + request.reportFile.string(),
                false, {}};
    case truvex::RunSummary::Status::FileError:
        break;
    }
    return {projectFile.string() + ": " + summary.message, false, {}};
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    std::filesystem::path plotFolder;
#ifdef TRUVEX_WITH_CONVERT
    // Converting older project files is a mode of its own.
    if (argc > 1 && std::string(argv[1]) == "--convert")
        return truvex::ConvertMain({argv + 2, argv + argc}, std::cout, std::cerr);
#endif
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
#ifdef TRUVEX_WITH_CONVERT
            std::cout << "\nOr:\n" << truvex::ConvertUsage;
#endif
            return 0;
        }
#ifdef TRUVEX_WITH_PLOT
        if (argument == "--plot") {
            if (i + 1 == argc) {
                std::cerr << "truvex-run: --plot needs a folder\n\n" << kUsage;
                return 2;
            }
            plotFolder = argv[++i];
            continue;
        }
#endif
        if (argument.size() > 1 && argument[0] == '-') {
            std::cerr << "truvex-run: unknown option " << argument << "\n\n" << kUsage;
            return 2;
        }
        files.emplace_back(argument);
    }
    if (files.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    std::vector<Outcome> outcomes(files.size());
    const auto given = [&](std::size_t i) {
        // A plot-data file is only drawn; its line is the drawing's.
        if (!plotFolder.empty() && isPlotDataFile(files[i]))
            return Outcome{"", true, files[i]};
        return analyse(files[i]);
    };
    const std::size_t workers =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, files.size());
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < workers; ++w)
        threads.emplace_back([&, w] {
            for (std::size_t i = w; i < files.size(); i += workers)
                outcomes[i] = given(i);
        });
    for (std::thread& thread : threads)
        thread.join();

    bool allOk = true;
    for (const Outcome& outcome : outcomes) {
        if (!outcome.line.empty())
            std::cout << outcome.line << '\n';
        allOk = allOk && outcome.ok;
    }
#ifdef TRUVEX_WITH_PLOT
    // Drawing runs on this thread, after every analysis has finished.
    if (!plotFolder.empty()) {
        truvex::PictureWriter pictures(argv[0]);
        for (const Outcome& outcome : outcomes) {
            if (outcome.plotFile.empty())
                continue;
            const truvex::PictureWriter::Outcome drawn = pictures.write(outcome.plotFile, plotFolder);
            std::cout << drawn.line << '\n';
            allOk = allOk && drawn.ok;
        }
    }
#endif
    return allOk ? 0 : 1;
}
