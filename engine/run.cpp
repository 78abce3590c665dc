// One analysis run: opens the project file and the three output files and
// analyses every case of the project in file order (a single case, a
// short-term case and its long-term case, or the construction stages).
#include "truvex/engine.h"

#include "free_format.h"
#include "model_input.h"
#include "plot_data.h"
#include "report.h"
#include "run_stop.h"
#include "text_output.h"
#include "wall_solver.h"

#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>

namespace truvex {
namespace {

// Case codes of the project file after each case.
constexpr int kEndOfProject = 0;
constexpr int kLongTermFollows = 9;

// Titles are read from an 80-character field of which 70 are used.
constexpr std::size_t kTitleLength = 70;

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

class Run {
public:
    explicit Run(const RunRequest& request) : request_(request) {}

    RunSummary execute();

private:
    void analyseCases(FreeFormatReader& in);
    void stopRun(const std::string& message, bool alsoToConsole);

    const RunRequest& request_;
    TextOutput report_;
    TextOutput plot_;
    TextOutput notes_;
    RunSummary summary_;

    int plotBlockCode_ = 1;
    int unitsCode_ = 1;
    Solution lastSolution_;     // what the results tables hold
    SolverState solverState_;   // deflections carried to the next case
};

RunSummary Run::execute()
{
    std::ifstream project(request_.projectFile, std::ios::binary);
    const bool reportOpen = report_.open(request_.reportFile);
    if (!project || !reportOpen || !plot_.open(request_.plotFile) || !notes_.open(request_.notesFile)) {
        summary_.status = RunSummary::Status::FileError;
        summary_.message = !project   ? "CANNOT OPEN THE PROJECT FILE " + request_.projectFile.string()
                           : !reportOpen ? "CANNOT CREATE THE REPORT FILE " + request_.reportFile.string()
                                         : "CANNOT CREATE THE PLOT-DATA OR RUN-NOTES FILE";
        if (reportOpen) {
            report_.line("     ERROR -- " + summary_.message);
            writeEndOfAnalysis(report_);
        }
        return summary_;
    }

    FreeFormatReader in(project, "THE PROJECT FILE");
    try {
        analyseCases(in);
    } catch (const RunStop& stop) {
        stopRun(stop.what(), stop.alsoToConsole());
    } catch (const std::exception& error) {
        stopRun(std::string("     INTERNAL ERROR -- ") + error.what(), true);
    }
    writeEndOfAnalysis(report_);
    writeResultsSection(plot_, plotBlockCode_, unitsCode_, lastSolution_.stations);
    return summary_;
}

void Run::stopRun(const std::string& message, bool alsoToConsole)
{
    report_.line(message);
    if (alsoToConsole)
        std::cerr << message << '\n';
    summary_.status = RunSummary::Status::InputError;
    summary_.message = message.substr(message.find_first_not_of(' '));
}

void Run::analyseCases(FreeFormatReader& in)
{
    std::string projectTitle;
    for (int caseNumber = 1;; ++caseNumber) {
        std::string title = in.readLine().substr(0, kTitleLength);
        if (caseNumber == 1)
            projectTitle = title;

        auto model = std::make_unique<CaseModel>();
        readControl(in, model->control);
        unitsCode_ = model->control.unitsCode;
        const CaseLine caseLine = caseLineFor(caseNumber, model->control.nstages, title, projectTitle);
        writeCaseHeader(report_, request_, caseLine, localNow());
        summary_.casesRun = caseNumber;

        CaseReader(in, report_, plot_, *model, request_.workDir, &notes_).readRest();
        writeCaseLine(report_, caseLine);
        lastSolution_ = solveWall(*model, solverState_, notes_);
        writeResults(report_, *model, lastSolution_, unitLabels(model->control.units));

        int caseCode = 0;
        in.read(caseCode);
        if (caseCode < 0)
            throw RunStop("     ERROR -- NEGATIVE CASE CODE " + std::to_string(caseCode) + " ON LINE " +
                          std::to_string(in.lineNumber()) + " OF THE PROJECT FILE");
        if (caseCode == model->control.nstages)
            caseCode = kEndOfProject;
        if (caseCode == kEndOfProject)
            return;
        plotBlockCode_ = caseCode == kLongTermFollows ? 2 : model->control.nstages;
        writeResultsSection(plot_, plotBlockCode_, unitsCode_, lastSolution_.stations);
    }
}

}  // namespace

RunSummary runProject(const RunRequest& request) noexcept
{
    try {
        return Run(request).execute();
    } catch (const std::exception& error) {
        RunSummary summary;
        summary.status = RunSummary::Status::FileError;
        summary.message = error.what();
        return summary;
    }
}

RunRequest requestForProject(const std::filesystem::path& projectFile)
{
    RunRequest request;
    request.projectFile = projectFile;
    request.reportFile = std::filesystem::path(projectFile).replace_extension(".tx5o");
    request.plotFile = std::filesystem::path(projectFile).replace_extension(".tx5p");
    request.notesFile = std::filesystem::path(projectFile).replace_extension(".tx5r");
    return request;
}

}  // namespace truvex
