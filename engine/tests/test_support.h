// Helpers shared by the engine tests: scratch folders and whole runs of a
// project given as text.
#pragma once

#include "truvex/engine.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace truvex::test {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "truvex-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The one line of a report that changes from run to run.
inline std::string maskDateLine(const std::string& report)
{
    static const std::regex dateLine(R"((\n {15}Date:  )[^\n]*)");
    return std::regex_replace(report, dateLine, "$1<date and time>");
}

struct RunOutput {
    RunSummary summary;
    std::string report;   // date line masked
    std::string plot;
    std::string notes;
};

// Runs `projectText` as the project file "wall.tx5d" in `folder`.
inline RunOutput runProjectText(const std::filesystem::path& folder, const std::string& projectText,
                                const std::string& name = "wall")
{
    const std::filesystem::path project = folder / (name + ".tx5d");
    writeFile(project, projectText);
    RunRequest request = requestForProject(project);
    request.workDir = folder;
    RunOutput output;
    output.summary = runProject(request);
    output.report = maskDateLine(readFile(request.reportFile));
    output.plot = readFile(request.plotFile);
    output.notes = readFile(request.notesFile);
    return output;
}

}  // namespace truvex::test
