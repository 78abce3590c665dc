#include "free_format.h"

#include "run_stop.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace truvex {
namespace {

// No quantity of a wall model comes near this in any unit system; larger
// values would only overflow the computation into meaningless results.
constexpr double kLargestMagnitude = 1.0E20;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool endsItem(char c) { return isBlank(c) || c == ',' || c == '/'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::size_t afterSign(std::string_view text, std::size_t i)
{
    return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

// At least one character from `i` on, and only digits.
bool digitsOnlyFrom(std::string_view text, std::size_t i)
{
    if (i >= text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!isDigit(text[i]))
            return false;
    return true;
}

// Digits with an optional sign: the only form an integer item may take.
bool isIntegerText(std::string_view text) { return digitsOnlyFrom(text, afterSign(text, 0)); }

// [sign] digits [. digits] [E|D [sign] digits], at least one mantissa digit.
bool isRealText(std::string_view text)
{
    std::size_t i = afterSign(text, 0);
    int mantissaDigits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++mantissaDigits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++mantissaDigits;
    if (mantissaDigits == 0)
        return false;
    if (i == text.size())
        return true;
    const char marker = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    if (marker != 'E' && marker != 'D')
        return false;
    return digitsOnlyFrom(text, afterSign(text, i + 1));
}

}  // namespace

FreeFormatReader::FreeFormatReader(std::istream& in, std::string sourceName)
    : in_(in), sourceName_(std::move(sourceName))
{
}

std::optional<std::string> FreeFormatReader::tryReadLine()
{
    std::string line;
    if (!std::getline(in_, line))
        return std::nullopt;
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string FreeFormatReader::readLine()
{
    std::optional<std::string> line = tryReadLine();
    if (!line)
        throw RunStop("     INPUT ERROR -- " + sourceName_ + " ENDS BEFORE ITS LAST RECORD (AFTER LINE " +
                      std::to_string(lineNumber_) + ")");
    return *line;
}

void FreeFormatReader::beginRecord()
{
    lineLoaded_ = false;
    slashSeen_ = false;
    afterValue_ = false;
    repeatLeft_ = 0;
    repeatItem_.reset();
}

void FreeFormatReader::endRecord()
{
    // The rest of the record's last line is skipped: the next read starts on
    // a new line.
    lineLoaded_ = false;
}

void FreeFormatReader::nextLineOfRecord()
{
    line_ = readLine();
    pos_ = 0;
    lineLoaded_ = true;
}

std::optional<std::string> FreeFormatReader::nextItem()
{
    if (repeatLeft_ > 0) {
        --repeatLeft_;
        return repeatItem_;
    }
    if (slashSeen_)
        return std::nullopt;
    if (!lineLoaded_)
        nextLineOfRecord();
    for (;;) {
        while (pos_ < line_.size() && isBlank(line_[pos_]))
            ++pos_;
        if (pos_ == line_.size()) {
            nextLineOfRecord();
            continue;
        }
        if (line_[pos_] == ',') {
            ++pos_;
            if (!afterValue_)
                return std::nullopt;   // two separating commas: a null value
            afterValue_ = false;
            continue;
        }
        if (line_[pos_] == '/') {
            slashSeen_ = true;
            return std::nullopt;
        }
        const std::size_t start = pos_;
        while (pos_ < line_.size() && !endsItem(line_[pos_]))
            ++pos_;
        afterValue_ = true;
        std::string item = line_.substr(start, pos_ - start);

        // "r*value" repeats the value r times; "r*" repeats a null value.
        const std::size_t star = item.find('*');
        if (star != std::string::npos && star > 0 && isIntegerText(item.substr(0, star)) && item[0] != '-' &&
            item[0] != '+') {
            int count = 0;
            std::from_chars(item.data(), item.data() + star, count);
            if (count > 0) {
                repeatItem_ = star + 1 < item.size() ? std::optional<std::string>(item.substr(star + 1)) : std::nullopt;
                repeatLeft_ = count - 1;
                return repeatItem_;
            }
        }
        return item;
    }
}

void FreeFormatReader::badItem(const std::string& item, std::string_view expected) const
{
    throw RunStop("     INPUT ERROR -- '" + item + "' ON LINE " + std::to_string(lineNumber_) + " OF " + sourceName_ +
                  " IS NOT " + std::string(expected));
}

void FreeFormatReader::readItem(long long& target)
{
    std::optional<std::string> item = nextItem();
    if (!item)
        return;
    if (!isIntegerText(*item))
        badItem(*item, "A WHOLE NUMBER");
    const char* first = item->data() + (item->front() == '+' ? 1 : 0);
    long long value = 0;
    if (std::from_chars(first, item->data() + item->size(), value).ec != std::errc())
        badItem(*item, "A WHOLE NUMBER OF A USABLE SIZE");
    target = value;
}

void FreeFormatReader::readItem(int& target)
{
    long long value = target;
    readItem(value);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw RunStop("     INPUT ERROR -- THE WHOLE NUMBER " + std::to_string(value) + " ON LINE " +
                      std::to_string(lineNumber_) + " OF " + sourceName_ + " IS TOO LARGE");
    target = static_cast<int>(value);
}

void FreeFormatReader::readItem(double& target)
{
    std::optional<std::string> item = nextItem();
    if (!item)
        return;
    if (!isRealText(*item))
        badItem(*item, "A NUMBER");
    std::string text = item->front() == '+' ? item->substr(1) : *item;
    for (char& c : text)
        if (c == 'D' || c == 'd')
            c = 'E';
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || std::fabs(value) > kLargestMagnitude)
        badItem(*item, "A NUMBER OF A USABLE SIZE");
    target = value;
}

}  // namespace truvex
