// truvex-run: analyses project files without the front end, in-process and
// several at once, writing the report, plot-data and run-notes files beside
// each project.
#include "truvex/engine.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: truvex-run [--help] FILE...\n"
    "\n"
    "Analyses each Truvex project file (.tx5d) and writes beside it the report\n"
    "(.tx5o), the plot data (.tx5p) and the run notes (.tx5r).\n"
    "Prints one line of outcome per file. Exit status 0 when every file was\n"
    "analysed, 1 when a file could not be opened or read, 2 for a usage error.\n";

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
};

Outcome analyse(const std::filesystem::path& projectFile)
{
    std::error_code ignored;
    truvex::RunRequest request = truvex::requestForProject(std::filesystem::absolute(projectFile, ignored));
    try {
        request.workDir = makeScratchFolder();
    } catch (const std::exception& error) {
        return {projectFile.string() + ": " + error.what(), false};
    }
    const truvex::RunSummary summary = truvex::runProject(request);
    std::filesystem::remove_all(request.workDir, ignored);

    switch (summary.status) {
    case truvex::RunSummary::Status::Completed:
        return {projectFile.string() + ": " + std::to_string(summary.casesRun) +
                    (summary.casesRun == 1 ? " case" : " cases") + " analysed; report " + request.reportFile.string(),
                true};
    case truvex::RunSummary::Status::InputError:
        return {projectFile.string() + ": stopped: " + summary.message + "; see " + request.reportFile.string(),
                false};
    case truvex::RunSummary::Status::FileError:
        break;
    }
    return {projectFile.string() + ": " + summary.message, false};
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
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
    const std::size_t workers =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, files.size());
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < workers; ++w)
        threads.emplace_back([&, w] {
            for (std::size_t i = w; i < files.size(); i += workers)
                outcomes[i] = analyse(files[i]);
        });
    for (std::thread& thread : threads)
        thread.join();

    bool allOk = true;
    for (const Outcome& outcome : outcomes) {
        std::cout << outcome.line << '\n';
        allOk = allOk && outcome.ok;
    }
    return allOk ? 0 : 1;
}
