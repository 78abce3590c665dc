#include "layout_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace truvex {
namespace {

enum class ItemKind { Blanks, Text, Integer, Fixed, Exponent, Chars, NewLine, Scale };

struct Item {
    ItemKind kind = ItemKind::Text;
    int width = 0;        // field width; Blanks: count; Scale: the factor
    int digits = -1;      // Integer: minimum digits; Fixed/Exponent: digits after the point
    std::string text;     // Text
};

[[noreturn]] void malformed(std::string_view layout, std::string_view why)
{
    throw std::logic_error("bad line layout " + std::string(layout) + ": " + std::string(why));
}

// Parses a layout into a flat list of items, groups and repeat counts
// expanded. Layouts are short, so the expansion costs nothing worth caching.
class LayoutParser {
public:
    explicit LayoutParser(std::string_view layout) : layout_(layout) {}

    std::vector<Item> parse()
    {
        skipBlanks();
        if (!accept('('))
            malformed(layout_, "must start with '('");
        std::vector<Item> items = parseList();
        skipBlanks();
        if (pos_ != layout_.size())
            malformed(layout_, "text after the closing ')'");
        return items;
    }

private:
    std::vector<Item> parseList()
    {
        std::vector<Item> items;
        for (;;) {
            skipBlanks();
            if (accept(')'))
                return items;
            if (pos_ >= layout_.size())
                malformed(layout_, "missing ')'");
            if (accept(',') )
                continue;
            if (accept('/')) {
                items.push_back({ItemKind::NewLine, 0, -1, {}});
                continue;
            }
            int count = number(1);
            skipBlanks();
            std::vector<Item> unit = parseUnit(count);
            for (int i = 0; i < count; ++i)
                items.insert(items.end(), unit.begin(), unit.end());
        }
    }

    // One item after its optional repeat count; `count` is the number read,
    // which for X and P is the item's own value rather than a repeat.
    std::vector<Item> parseUnit(int& count)
    {
        char c = peekUpper();
        if (c == '(') {
            ++pos_;
            return parseList();
        }
        if (c == '\'') {
            ++pos_;
            return {{ItemKind::Text, 0, -1, quoted()}};
        }
        ++pos_;
        switch (c) {
        case 'X': {
            int blanks = count;
            count = 1;
            return {{ItemKind::Blanks, blanks, -1, {}}};
        }
        case 'P': {
            int factor = count;
            count = 1;
            return {{ItemKind::Scale, factor, -1, {}}};
        }
        case 'I': {
            int width = number(-1);
            int minDigits = accept('.') ? number(-1) : -1;
            requireWidth(width);
            return {{ItemKind::Integer, width, minDigits, {}}};
        }
        case 'F':
        case 'E': {
            int width = number(-1);
            if (!accept('.'))
                malformed(layout_, "real field without '.d'");
            int digits = number(-1);
            requireWidth(width);
            if (digits < 0 || (c == 'E' && digits < 1))
                malformed(layout_, "bad digit count");
            return {{c == 'F' ? ItemKind::Fixed : ItemKind::Exponent, width, digits, {}}};
        }
        case 'A':
            return {{ItemKind::Chars, number(0), -1, {}}};
        default:
            malformed(layout_, std::string("unknown field '") + c + "'");
        }
    }

    std::string quoted()
    {
        std::string text;
        for (;;) {
            if (pos_ >= layout_.size())
                malformed(layout_, "unterminated text");
            char c = layout_[pos_++];
            if (c != '\'') {
                text += c;
                continue;
            }
            if (pos_ < layout_.size() && layout_[pos_] == '\'') {   // '' is one apostrophe
                text += '\'';
                ++pos_;
                continue;
            }
            return text;
        }
    }

    int number(int absent)
    {
        skipBlanks();
        if (pos_ >= layout_.size() || !std::isdigit(static_cast<unsigned char>(layout_[pos_])))
            return absent;
        int value = 0;
        while (pos_ < layout_.size() && std::isdigit(static_cast<unsigned char>(layout_[pos_])))
            value = value * 10 + (layout_[pos_++] - '0');
        return value;
    }

    void requireWidth(int width)
    {
        if (width <= 0)
            malformed(layout_, "field without a width");
    }

    bool accept(char c)
    {
        skipBlanks();
        if (pos_ < layout_.size() && layout_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    char peekUpper() const
    {
        return pos_ < layout_.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(layout_[pos_]))) : '\0';
    }

    void skipBlanks()
    {
        while (pos_ < layout_.size() && layout_[pos_] == ' ')
            ++pos_;
    }

    std::string_view layout_;
    std::size_t pos_ = 0;
};

std::string stars(int width) { return std::string(static_cast<std::size_t>(width), '*'); }

std::string rightAligned(std::string text, int width)
{
    if (static_cast<int>(text.size()) > width)
        return stars(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string nonFinite(double value, int width)
{
    if (std::isnan(value))
        return rightAligned("NaN", width);
    return rightAligned(value < 0 ? "-Infinity" : "Infinity", width);
}

// Drops the optional zero before the point ("0.5" -> ".5") when the field
// is too narrow for it, as the notation allows.
std::string fitOptionalZero(std::string text, int width)
{
    if (static_cast<int>(text.size()) > width) {
        std::size_t zero = text[0] == '-' ? 1 : 0;
        if (text.compare(zero, 2, "0.") == 0)
            text.erase(zero, 1);
    }
    return rightAligned(std::move(text), width);
}

std::string formatInteger(long long value, int width, int minDigits)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value));
    if (minDigits > 0 && static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return rightAligned(value < 0 ? "-" + digits : digits, width);
}

std::string formatFixed(double value, int width, int digits)
{
    if (!std::isfinite(value))
        return nonFinite(value, width);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    std::string text = buffer;
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);   // a value that rounds to zero prints without a sign
    if (digits == 0)
        text += '.';
    return fitOptionalZero(std::move(text), width);
}

// Ew.d: "0.ddd" and a two-digit signed exponent; with scale factor 1 the
// mantissa has one non-zero digit before the point.
std::string formatExponent(double value, int width, int digits, int scale)
{
    if (!std::isfinite(value))
        return nonFinite(value, width);
    const int significant = scale >= 1 ? digits + 1 : digits;
    std::string mantissaDigits;
    int exponent = 0;
    if (value == 0.0) {
        mantissaDigits.assign(static_cast<std::size_t>(significant), '0');
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
        const char* e = std::strchr(buffer, 'e');
        for (const char* c = buffer; c != e; ++c)
            if (*c != '.')
                mantissaDigits += *c;
        exponent = std::atoi(e + 1) + (scale >= 1 ? 0 : 1);
    }
    if (std::abs(exponent) > 99)
        return stars(width);

    std::string text = value < 0 ? "-" : "";
    if (scale >= 1)
        text += mantissaDigits.substr(0, 1) + "." + mantissaDigits.substr(1);
    else
        text += "0." + mantissaDigits;
    char exponentText[8];
    std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    text += exponentText;
    return fitOptionalZero(std::move(text), width);
}

std::string formatChars(const std::string& text, int width)
{
    if (width <= 0)
        return text;
    std::string field = text.substr(0, static_cast<std::size_t>(width));
    field.resize(static_cast<std::size_t>(width), ' ');
    return field;
}

[[noreturn]] void wrongKind(std::string_view layout)
{
    throw std::logic_error("value of the wrong kind for its field in " + std::string(layout));
}

double realValue(const LayoutValue& value, std::string_view layout)
{
    if (const double* real = std::get_if<double>(&value))
        return *real;
    if (const long long* integer = std::get_if<long long>(&value))
        return static_cast<double>(*integer);
    wrongKind(layout);
}

}  // namespace

std::string formatLayout(std::string_view layout, const std::vector<LayoutValue>& values)
{
    const std::vector<Item> items = LayoutParser(layout).parse();
    std::string out;
    std::size_t next = 0;
    int scale = 0;
    for (;;) {
        bool consumed = false;
        for (const Item& item : items) {
            const bool takesValue = item.kind == ItemKind::Integer || item.kind == ItemKind::Fixed ||
                                    item.kind == ItemKind::Exponent || item.kind == ItemKind::Chars;
            if (takesValue && next == values.size()) {
                out += '\n';
                return out;
            }
            switch (item.kind) {
            case ItemKind::Blanks:
                out.append(static_cast<std::size_t>(item.width), ' ');
                break;
            case ItemKind::Text:
                out += item.text;
                break;
            case ItemKind::NewLine:
                out += '\n';
                break;
            case ItemKind::Scale:
                scale = item.width;
                break;
            case ItemKind::Integer: {
                const long long* integer = std::get_if<long long>(&values[next]);
                if (!integer)
                    wrongKind(layout);
                out += formatInteger(*integer, item.width, item.digits);
                break;
            }
            case ItemKind::Fixed:
                out += formatFixed(realValue(values[next], layout), item.width, item.digits);
                break;
            case ItemKind::Exponent:
                out += formatExponent(realValue(values[next], layout), item.width, item.digits, scale);
                break;
            case ItemKind::Chars: {
                const std::string* text = std::get_if<std::string>(&values[next]);
                if (!text)
                    wrongKind(layout);
                out += formatChars(*text, item.width);
                break;
            }
            }
            if (takesValue) {
                ++next;
                consumed = true;
            }
        }
        out += '\n';
        if (next == values.size())
            return out;
        if (!consumed)
            throw std::logic_error("layout without fields given values: " + std::string(layout));
    }
}

}  // namespace truvex
