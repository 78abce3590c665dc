// Token reader over a whole text file: project files, stage files and the
// plot-data file are read item by item through it. Items are separated by
// blanks or TABs; line breaks do not matter between items.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace truvex {

// A failure while reading a file. The message is the text shown to the user.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* IncompleteFileMessage = "This file either invalid or incomplete.";
inline constexpr const char* IntegerExpectedMessage = "An integer was expected but not found.";
inline constexpr const char* FloatExpectedMessage = "A floating point number was expected but not found.";

class TWordReader {
public:
    // Reads the whole file; a file that cannot be opened raises EInOutError.
    explicit TWordReader(const std::string& fileName);

    // The whole raw text of the current line (also when items of it were
    // taken); the next line becomes current.
    std::string ReadLine();
    // The next item as a whole number from -2147483648 to 2147483647.
    int ReadInteger();
    // The next item as a real number with "." as decimal point.
    long double ReadFloat();
    // The next item as text.
    std::string ReadString();

    // Items of the current line (0 when no line is left).
    int ItemCount() const;
    bool AtEnd() const;
    // Items not yet taken, on the current line and after it.
    std::size_t RemainingItems() const;
    // 1-based number of the current line.
    int LineNumber() const { return static_cast<int>(current_) + 1; }
    // Items already taken from the current line; after a read this is the
    // 1-based position of the item just read.
    int ItemNumber() const { return static_cast<int>(taken_); }

    // "Error on Line <line> Item <item>", a carriage return, then the sentence.
    static std::string LocatedMessage(int line, int item, const std::string& sentence);

private:
    struct Line {
        std::string text;
        std::vector<std::string> items;
        std::size_t itemsBefore = 0;  // items on the lines before this one
    };

    const std::string& nextItem();
    [[noreturn]] void failAtCurrentItem(const char* sentence) const;

    std::vector<Line> lines_;
    std::size_t current_ = 0;
    std::size_t taken_ = 0;
    std::size_t totalItems_ = 0;
};

// The items of one line: the line trimmed at both ends of blanks and control
// characters, then cut at each blank or TAB.
std::vector<std::string> SplitItems(const std::string& line);

// A number in the C locale: optional sign, digits with an optional "." and
// an optional exponent; the whole text must be used. False when it is not one.
bool ParseReal(const std::string& text, long double& value);

}  // namespace truvex
