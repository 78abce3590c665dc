// Helpers of the project file tests: files in a temporary folder and texts
// built line by line with CR LF line ends.
#pragma once

#include "entry/InputTables.h"
#include "project/ProgramData.h"

#include <QTemporaryDir>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>

namespace truvex::test {

// Lines, each ended by CR LF.
inline std::string Crlf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

inline std::string PathIn(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

inline std::string WriteFile(const QTemporaryDir& dir, const char* name, const std::string& content)
{
    const std::string path = PathIn(dir, name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Empty when the texts are equal, else the first line that differs in each.
inline std::string FirstDifference(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return {};
    std::size_t start = 0;
    while (start < actual.size() && start < expected.size() && actual[start] == expected[start])
        ++start;
    start = actual.rfind('\n', start) == std::string::npos ? 0 : actual.rfind('\n', start) + 1;
    const auto lineAt = [start](const std::string& text) {
        const std::size_t end = text.find('\n', start);
        return start >= text.size() ? std::string("(end of text)") : text.substr(start, end - start);
    };
    return "line at offset " + std::to_string(start) + ": actual \"" + lineAt(actual) + "\", expected \"" +
           lineAt(expected) + "\"";
}

inline double Value(const TGridTable& table, int column, int row)
{
    return static_cast<double>(table.Cell(column, row).GetFloat());
}

inline bool Near(long double value, double expected, double tolerance = 1e-9)
{
    const double difference = static_cast<double>(value) - expected;
    return (difference < 0 ? -difference : difference) <= tolerance * (1 + (expected < 0 ? -expected : expected));
}

}  // namespace truvex::test
