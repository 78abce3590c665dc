// The Truvex analysis engine as a C++ library: analyse one project file and
// write its report, plot-data and run-notes files.
//
// The shared library exports only the C entry ITRUVEX/_ITRUVEX, which reads
// the hand-off file "NAMES.dat" and calls runProject. Programs that link the
// engine directly (truvex-run, the tests) call runProject themselves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace truvex {

inline constexpr std::int32_t kInterfaceCode = 17;
inline constexpr const char* kVersionText = "2015.5.17";

struct RunRequest {
    std::filesystem::path projectFile;   // ".tx5d", the input
    std::filesystem::path reportFile;    // ".tx5o"
    std::filesystem::path plotFile;      // ".tx5p"
    std::filesystem::path notesFile;     // ".tx5r"
    // Folder of the scratch files "BMWALL.001" and "SOILDATA". Runs that go
    // on at the same time need folders of their own.
    std::filesystem::path workDir = ".";
    std::string versionText = kVersionText;
    std::string userLine1;
    std::string userLine2;
    std::int64_t userNumber = 0;
};

struct RunSummary {
    enum class Status {
        Completed,     // every case analysed
        InputError,    // the run stopped early; `message` is also in the report
        FileError,     // a file could not be opened; nothing was analysed
    };
    Status status = Status::Completed;
    int casesRun = 0;          // cases whose header was printed
    std::string message;       // the stop message, without leading blanks
};

// Runs the whole analysis. Never throws; every outcome is in the summary and
// in the report.
RunSummary runProject(const RunRequest& request) noexcept;

// The same project paths as the front end derives them: the project path
// with its extension replaced by ".tx5o", ".tx5p" and ".tx5r".
RunRequest requestForProject(const std::filesystem::path& projectFile);

}  // namespace truvex
