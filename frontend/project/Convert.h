// Conversion of project files of any layout into the current layout, for
// users with archives of older projects (truvex-run --convert).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace truvex {

// Opens each file with the layout of the open dialog's filter position
// `filter` (1 to 5), or by its extension when `filter` is 0, and saves it
// beside itself with the extension ".tx5d"; a staged project as its joined
// file and its stage files. Prints one line per file: the converted file
// to `out`, or the reading error to `err`. Returns 0 when every file was
// converted, 1 otherwise.
int ConvertProjectFiles(const std::vector<std::string>& files, int filter, std::ostream& out, std::ostream& err);

// The command line after "--convert": [--layout N] FILE...; N is the open
// dialog's filter position 1 to 5. Returns the exit status: 0 when every
// file was converted, 1 when one could not be, 2 for a usage error.
int ConvertMain(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

inline constexpr const char* ConvertUsage =
    "       truvex-run --convert [--layout N] FILE...\n"
    "\n"
    "  --convert   opens each project file of an older layout (.tx4d, .txd) or\n"
    "              the current one and saves it beside itself as .tx5d; a staged\n"
    "              project also as its stage files (.st1 to .st5). The layout\n"
    "              follows the extension (.txd version 3.0, .tx4d 2013, others\n"
    "              current) unless --layout N gives it: 1 current, 2 2013,\n"
    "              3 version 3.0, 4 and 5 version 2.0.\n";

}  // namespace truvex
