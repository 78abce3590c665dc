// The one way a run ends early. Input errors, storage overruns and the stop
// codes of the generation modules throw a RunStop; the case loop catches it,
// writes its message to the report and closes the run normally.
#pragma once

#include <stdexcept>
#include <string>

namespace truvex {

class RunStop : public std::runtime_error {
public:
    // `reportLines` is written to the report as it stands (already in the
    // report's style: capitals, five leading blanks). When `alsoToConsole`
    // is set the message goes to standard error as well.
    explicit RunStop(std::string reportLines, bool alsoToConsole = false)
        : std::runtime_error(std::move(reportLines)), alsoToConsole_(alsoToConsole) {}

    bool alsoToConsole() const { return alsoToConsole_; }

private:
    bool alsoToConsole_;
};

// Ends the run with `message` as a report line in the report's style, after
// the five blanks that lead every message.
[[noreturn]] inline void stopRun(const std::string& message, bool alsoToConsole = false)
{
    throw RunStop("     " + message, alsoToConsole);
}

inline const char* const kTooMuchData = "     TOO MUCH DATA FOR AVAILABLE STORAGE";
inline const char* const kStationsNotInOrder = "     ERROR STOP -- STATIONS NOT IN ORDER";
inline const char* const kDataBeyondEnd = "     ERROR -- NON-ZERO TABLE 4 DATA BEYOND END";

}  // namespace truvex
