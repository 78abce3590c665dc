#include "WordRead.h"

#include "TextFile.h"

#include <charconv>
#include <cmath>

namespace truvex {

namespace {

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::vector<std::string> SplitItems(const std::string& line)
{
    std::vector<std::string> items;
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && isBlankOrControl(line[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(line[end - 1]))
        --end;
    while (begin < end) {
        std::size_t cut = begin;
        while (cut < end && line[cut] != ' ' && line[cut] != '\t')
            ++cut;
        items.push_back(line.substr(begin, cut - begin));
        begin = cut;
        while (begin < end && isBlankOrControl(line[begin]))
            ++begin;
    }
    return items;
}

bool ParseReal(const std::string& text, long double& value)
{
    // Check the shape first: from_chars alone would take "inf", "nan" and
    // hexadecimal forms, and no leading "+".
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    long double parsed = 0;
    const auto result = std::from_chars(text.data() + numberStart, text.data() + n, parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + n || !std::isfinite(parsed))
        return false;
    value = negative ? -parsed : parsed;
    return true;
}

TWordReader::TWordReader(const std::string& fileName)
{
    for (std::string& text : SplitLines(ReadFileContent(fileName))) {
        Line line;
        line.items = SplitItems(text);
        line.text = std::move(text);
        line.itemsBefore = totalItems_;
        totalItems_ += line.items.size();
        lines_.push_back(std::move(line));
    }
}

std::string TWordReader::LocatedMessage(int line, int item, const std::string& sentence)
{
    return "Error on Line " + std::to_string(line) + " Item " + std::to_string(item) + "\r" + sentence;
}

std::string TWordReader::ReadLine()
{
    if (AtEnd())
        throw EInOutError(IncompleteFileMessage);
    std::string text = lines_[current_].text;
    ++current_;
    taken_ = 0;
    return text;
}

const std::string& TWordReader::nextItem()
{
    if (AtEnd())
        throw EInOutError(IncompleteFileMessage);
    if (taken_ >= lines_[current_].items.size() && !lines_[current_].items.empty()) {
        ++current_;
        taken_ = 0;
        if (AtEnd())
            throw EInOutError(IncompleteFileMessage);
    }
    // An empty line where a value belongs ends the reading like a missing
    // value does, but names the line.
    if (lines_[current_].items.empty())
        throw EInOutError(LocatedMessage(LineNumber(), 1, IncompleteFileMessage));
    return lines_[current_].items[taken_++];
}

void TWordReader::failAtCurrentItem(const char* sentence) const
{
    throw EInOutError(LocatedMessage(LineNumber(), ItemNumber(), sentence));
}

int TWordReader::ReadInteger()
{
    long double value = 0;
    if (!ParseReal(nextItem(), value) || value != std::floor(value) || value < -2147483648.0L
        || value > 2147483647.0L)
        failAtCurrentItem(IntegerExpectedMessage);
    return static_cast<int>(value);
}

long double TWordReader::ReadFloat()
{
    long double value = 0;
    if (!ParseReal(nextItem(), value))
        failAtCurrentItem(FloatExpectedMessage);
    return value;
}

std::string TWordReader::ReadString() { return nextItem(); }

int TWordReader::ItemCount() const
{
    return AtEnd() ? 0 : static_cast<int>(lines_[current_].items.size());
}

bool TWordReader::AtEnd() const { return current_ >= lines_.size(); }

std::size_t TWordReader::RemainingItems() const
{
    return AtEnd() ? 0 : totalItems_ - lines_[current_].itemsBefore - taken_;
}

}  // namespace truvex
