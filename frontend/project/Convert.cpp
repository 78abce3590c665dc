#include "Convert.h"

#include "ProgramData.h"
#include "WordRead.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace truvex {

namespace {

// A message on one console line: the reader's line break becomes a blank.
std::string OneLine(std::string message)
{
    std::replace(message.begin(), message.end(), '\r', ' ');
    return message;
}

}  // namespace

int ConvertProjectFiles(const std::vector<std::string>& files, int filter, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const std::unique_ptr<TInputTables> tables = TInputTables::FromResource();
    for (const std::string& file : files) {
        const FileLayout layout = filter > 0 ? LayoutFromFilter(filter) : LayoutFromExtension(file);
        const std::string target = std::filesystem::path(file).replace_extension(".tx5d").string();
        try {
            TProgramData project(*tables);
            const std::string error = project.Open(file, layout);
            if (!error.empty()) {
                err << file << ": " << OneLine(error) << '\n';
                status = 1;
                continue;
            }
            if (project.StageCount > 1)
                project.SplitStagedProject(layout);
            project.SaveProjectAs(target);
            out << file << ": saved as " << target
                << (project.StageCount > 1 ? " with " + std::to_string(project.StageCount) + " stage files" : "")
                << '\n';
        } catch (const EInOutError& error) {
            err << file << ": " << OneLine(error.what()) << '\n';
            status = 1;
        }
    }
    return status;
}

int ConvertMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    int filter = 0;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--layout") {
            const std::string value = i + 1 < arguments.size() ? arguments[++i] : std::string();
            if (value.size() != 1 || value[0] < '1' || value[0] > '5') {
                err << "truvex-run: --layout needs a number from 1 to 5\n\nUsage:\n" << ConvertUsage;
                return 2;
            }
            filter = value[0] - '0';
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (files.empty()) {
        err << "Usage:\n" << ConvertUsage;
        return 2;
    }
    return ConvertProjectFiles(files, filter, out, err);
}

}  // namespace truvex
