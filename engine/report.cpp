#include "report.h"

#include "truvex/engine.h"

#include <algorithm>
#include <array>

namespace truvex {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                     "July",    "August",   "September", "October", "November", "December"};

std::string trimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void writeStars(TextOutput& report) { report.write("(6X, 50('*'))"); }

}  // namespace

std::string unitLine(std::initializer_list<std::pair<std::size_t, std::string>> labels)
{
    std::string line;
    for (const auto& [endColumn, label] : labels) {
        const std::size_t start = endColumn - label.size();
        line.resize(std::max(line.size() + 1, start), ' ');
        line += label;
    }
    return line;
}

std::string folderWithSeparator(const std::filesystem::path& path)
{
    std::string folder = path.parent_path().string();
    if (!folder.empty() && folder.back() != std::filesystem::path::preferred_separator)
        folder += std::filesystem::path::preferred_separator;
    return folder;
}

CaseLine caseLineFor(int caseNumber, int nstages, const std::string& caseTitle, const std::string& projectTitle)
{
    if (nstages >= 2)
        return {CaseLine::Kind::Stage, caseNumber, projectTitle};
    if (caseNumber == 1)
        return {CaseLine::Kind::Title, caseNumber, caseTitle};
    return {CaseLine::Kind::LongTerm, caseNumber, projectTitle};
}

void writeCaseLine(TextOutput& report, const CaseLine& caseLine)
{
    report.line();
    switch (caseLine.kind) {
    case CaseLine::Kind::Title:
        report.write("(6X, A70)", caseLine.title);
        break;
    case CaseLine::Kind::LongTerm:
        report.write("(6X, 'Long Term :', 2X, A70)", caseLine.title);
        break;
    case CaseLine::Kind::Stage:
        report.write("(6X, 'Stage No :', I2, 2X, A70)", caseLine.caseNumber, caseLine.title);
        break;
    }
}

void writeCaseHeader(TextOutput& report, const RunRequest& request, const CaseLine& caseLine, const std::tm& now)
{
    if (caseLine.caseNumber > 1)
        report.blankLines(2);

    report.write("(5X, 73('='))");
    report.line();
    report.write("(20X, '  TRUVEX for Windows, Version ', A12)", request.versionText);
    report.line();
    report.write("(20X, '   User Identification No. :', I10)", static_cast<long long>(request.userNumber));
    report.line();
    report.write("(20X, '   A Program for the Analysis of ')");
    report.write("(20X, '   Flexible Retaining Walls ')");
    report.line();
    report.write("(5X, 73('='))");
    report.blankLines(2);

    report.write("(5X, A)", std::string("This copy of the program is licensed to:"));
    report.line();
    report.write("(5X, A)", trimRight(request.userLine1));
    report.write("(5X, A)", trimRight(request.userLine2));
    report.line();

    report.write("(5X, 'Path to file locations      : ', A, A)", std::string(),
                 folderWithSeparator(request.projectFile));
    report.write("(5X, 'Name of input data file     : ', A, A)", request.projectFile.stem().string(),
                 request.projectFile.extension().string());
    // The output names are the project's name with the output extensions,
    // whatever the hand-off file called the files.
    report.write("(5X, 'Name of output file         : ', A, A)", request.projectFile.stem().string(),
                 std::string(".tx5o"));
    report.write("(5X, 'Name of plot output file    : ', A, A)", request.projectFile.stem().string(),
                 std::string(".tx5p"));
    report.line();

    report.write("(5X, 73('-'))");
    report.write("(26X, 'Time and Date of Analysis')");
    report.write("(5X, 73('-'))");
    report.line();
    const int month = now.tm_mon >= 0 && now.tm_mon < 12 ? now.tm_mon : 0;
    report.write("(15X, 'Date:  ', A, ' ', I2.2, ', ', I4, 5X, 'Time:  ', I2.2, ':', I2.2, ':', I2.2)",
                 std::string(kMonthNames[static_cast<std::size_t>(month)]), now.tm_mday, now.tm_year + 1900,
                 now.tm_hour, now.tm_min, now.tm_sec);

    writeCaseLine(report, caseLine);
}

void writeBoxedTitle(TextOutput& report, const std::string& framedTitle)
{
    report.blankLines(2);
    writeStars(report);
    report.write("(6X, A)", framedTitle);
    writeStars(report);
}

void writeResults(TextOutput& report, const CaseModel& model, const Solution& solution, const UnitLabels& labels)
{
    report.blankLines(2);
    report.write("('     RESULTS -- ITERATION', I3)", solution.iterations);
    report.line("     --------------------");
    if (solution.offCurve) {
        report.line();
        report.line("     ***** DEFLECTION OFF Q - W CURVES *****");
    }
    if (solution.stationsBeyondMaxDeflection > 0) {
        report.line();
        report.write("('     ***** MAX ALLOWABLE DEFLECTION EXCEEDED AT ***', I4, '  *** STATIONS *****')",
                     solution.stationsBeyondMaxDeflection);
    }
    if (solution.stationsNotClosed > 0) {
        report.line();
        report.line("     ***** SOLUTION NOT CLOSED WITHIN SPECIFIED'TOLERANCE *****");
    }

    report.line();
    report.line("   STA I      X         DEFL.       SLOPE      MOMENT      SHEAR    NET REACT/STA    EI ");
    report.write("(12X, A, 9X, A, 19X, A, '-', A, 7X, A, 8X, A, 7X, A, '-', A, '**', '2')", labels.length,
                 labels.length, labels.forceShort, labels.lengthShort, labels.force, labels.force, labels.forceShort,
                 labels.lengthShort);
    report.line("   ------    ----        ----       -----      ------      ------    ---------    ----------");
    const int n = model.control.n;
    for (const StationResult& row : solution.stations) {
        if (row.station > n)
            break;
        report.write("(2X, I4, 2X, E10.3, 6E12.3)", row.station, row.x, row.deflection, row.slope, row.moment,
                     row.shear, row.netReaction, row.ei);
    }

    if (solution.tiebacks.empty())
        return;
    report.blankLines(2);
    report.line("     TIE BACK RESULTS");
    report.line("     ----------------");
    report.line();
    report.line("     N     STA         X        HOR.FORCE/STA.     FORCE/STA.     FORCE/TIE BACK");
    report.write("(21X, A, 12X, A, 15X, A, 15X, A)", labels.length, labels.forceShort, labels.forceShort,
                 labels.forceShort);
    report.line("   -----  -----    --------     --------------   --------------   --------------");
    for (const TiebackResult& tie : solution.tiebacks)
        report.write("(1X, I5, 2X, I5, 2X, E12.3, 3(2X, E15.4))", tie.number, tie.station, tie.depth,
                     tie.horizontalForce, tie.axialForce, tie.forcePerTieback);
}

void writeEndOfAnalysis(TextOutput& report)
{
    report.blankLines(3);
    report.write("(A49)", std::string("     END OF ANALYSIS"));
}

}  // namespace truvex
