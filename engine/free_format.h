// List-directed reading of the engine's input files (the project file, the
// hand-off file's number and the scratch files): values separated by blanks,
// TABs or commas; one read statement fills its targets from as many lines as
// it needs and consumes whole lines, so values left on its last line are
// skipped. Also accepted, as list-directed input allows: a null value
// between two commas (the target keeps its value), "r*value" repeats, and a
// "/" that ends the read with the remaining targets unchanged.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace truvex {

class FreeFormatReader {
public:
    // `sourceName` names the file in error messages ("THE PROJECT FILE").
    FreeFormatReader(std::istream& in, std::string sourceName);

    // One read statement. Targets are int, long long or double. Throws
    // RunStop with a report message on a bad item or the end of the file.
    template <class... Targets>
    void read(Targets&... targets)
    {
        beginRecord();
        (readItem(targets), ...);
        endRecord();
    }

    // One whole line as text, without its line end.
    std::string readLine();

    // A whole line, or nothing at the end of the file.
    std::optional<std::string> tryReadLine();

    int lineNumber() const { return lineNumber_; }

private:
    void beginRecord();
    void endRecord();
    void readItem(int& target);
    void readItem(long long& target);
    void readItem(double& target);

    // The next item of the record as text, or nothing for a null value or
    // after a "/".
    std::optional<std::string> nextItem();
    void nextLineOfRecord();
    [[noreturn]] void badItem(const std::string& item, std::string_view expected) const;

    std::istream& in_;
    std::string sourceName_;
    int lineNumber_ = 0;

    std::string line_;
    std::size_t pos_ = 0;
    bool lineLoaded_ = false;
    bool slashSeen_ = false;
    bool afterValue_ = false;      // a value was read since the last separator comma
    int repeatLeft_ = 0;
    std::optional<std::string> repeatItem_;
};

}  // namespace truvex
