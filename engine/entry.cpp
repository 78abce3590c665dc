// The library's one entry, called by the front end with the interface code.
// It reads the hand-off file "NAMES.dat" from the current directory and runs
// the analysis of the project it names.
#include "truvex/engine.h"

#include "free_format.h"
#include "run_stop.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace truvex {
namespace {

constexpr const char* kHandOffFile = "NAMES.dat";
constexpr std::size_t kVersionLength = 12;
constexpr std::size_t kIdentificationLength = 256;
constexpr std::size_t kPathLength = 255;

std::string field(const std::string& line, std::size_t length)
{
    std::string text = line.substr(0, length);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::int64_t identificationNumber(const std::string& line)
{
    std::istringstream text(line);
    FreeFormatReader reader(text, "NAMES.dat");
    long long number = 0;
    try {
        reader.read(number);
    } catch (const RunStop&) {
        return 0;   // the number is only printed; a run goes on without it
    }
    return number;
}

// The run described by the hand-off file, or nothing when any of the four
// file names is missing.
std::optional<RunRequest> readHandOff()
{
    std::ifstream file(kHandOffFile, std::ios::binary);
    std::array<std::string, 8> lines;
    std::size_t read = 0;
    for (; read < lines.size() && std::getline(file, lines[read]); ++read) {
        if (!lines[read].empty() && lines[read].back() == '\r')
            lines[read].pop_back();
    }
    if (read < lines.size())
        return std::nullopt;

    RunRequest request;
    request.versionText = lines[0].substr(0, kVersionLength);
    request.userLine1 = lines[1].substr(0, kIdentificationLength);
    request.userLine2 = lines[2].substr(0, kIdentificationLength);
    request.userNumber = identificationNumber(lines[3]);
    request.projectFile = field(lines[4], kPathLength);
    request.reportFile = field(lines[5], kPathLength);
    request.plotFile = field(lines[6], kPathLength);
    request.notesFile = field(lines[7], kPathLength);
    request.workDir = ".";
    return request;
}

std::int32_t runEntry(std::int32_t interfaceCode) noexcept
{
    if (interfaceCode != kInterfaceCode)
        return 1;
    std::optional<RunRequest> request;
    try {
        request = readHandOff();
    } catch (const std::exception&) {
        request.reset();
    }
    if (!request) {
        std::cerr << " PLEASE CREATE AN INPUT DATA FILE AND SAVE IT\n BEFORE COMPUTATION.  TRY IT AGAIN!\n";
        return 0;
    }
    runProject(*request);
    return 0;
}

}  // namespace
}  // namespace truvex

extern "C" __attribute__((visibility("default"))) std::int32_t ITRUVEX(std::int32_t interfaceCode)
{
    return truvex::runEntry(interfaceCode);
}

// The same code under the name the front end looks up.
extern "C" __attribute__((visibility("default"), alias("ITRUVEX"))) std::int32_t _ITRUVEX(std::int32_t interfaceCode);
