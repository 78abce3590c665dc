// The report's own sections: the header of every case (banner,
// identification, files, time and date, case line), the boxed section
// titles, the results table, the tieback results and the end of the run.
#pragma once

#include "model.h"
#include "text_output.h"
#include "units.h"
#include "wall_solver.h"

#include <ctime>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

namespace truvex {

struct RunRequest;

// The line that names the case, printed after the header and again before
// the results.
struct CaseLine {
    enum class Kind { Title, LongTerm, Stage };
    Kind kind = Kind::Title;
    int caseNumber = 1;
    std::string title;   // the case's own title, or the project title
};

CaseLine caseLineFor(int caseNumber, int nstages, const std::string& caseTitle, const std::string& projectTitle);

void writeCaseHeader(TextOutput& report, const RunRequest& request, const CaseLine& caseLine, const std::tm& now);
void writeCaseLine(TextOutput& report, const CaseLine& caseLine);

// Two blank lines, then the title in a frame of asterisks.
void writeBoxedTitle(TextOutput& report, const std::string& framedTitle);

void writeResults(TextOutput& report, const CaseModel& model, const Solution& solution, const UnitLabels& labels);
void writeEndOfAnalysis(TextOutput& report);

// A unit line whose labels end at the given columns (1-based), under the
// columns of the table they describe.
std::string unitLine(std::initializer_list<std::pair<std::size_t, std::string>> labels);

// Path split as the file block prints it: folder with its closing
// separator, and the name with its extension.
std::string folderWithSeparator(const std::filesystem::path& path);

}  // namespace truvex
