#include "Definition.h"

#include "util/MorString.h"

#include <charconv>
#include <limits>

namespace truvex {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c) || c == '.'; }

}  // namespace

TDefinitionReader::TDefinitionReader(std::string_view text) : text_(text) {}

void TDefinitionReader::SkipBlanks()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++pos_;
        } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else {
            break;
        }
    }
}

std::string TDefinitionReader::ScanString()
{
    std::string value;
    for (;;) {
        if (pos_ < text_.size() && text_[pos_] == '\'') {
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\n')
                    throw EReadError("Unterminated string");
                if (text_[pos_] == '\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                        value += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                value += text_[pos_++];
            }
        } else if (pos_ < text_.size() && text_[pos_] == '#') {
            ++pos_;
            int code = 0;
            const std::size_t start = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_]) && code < 256)
                code = code * 10 + (text_[pos_++] - '0');
            if (pos_ == start || code > 255)
                throw EReadError("Invalid character code in string");
            value += static_cast<char>(code);
        } else {
            // A "+" joins string pieces across lines.
            const std::size_t save = pos_;
            const int saveLine = line_;
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '+') {
                ++pos_;
                SkipBlanks();
                if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#'))
                    continue;
                throw EReadError("String expected");
            }
            pos_ = save;
            line_ = saveLine;
            return value;
        }
    }
}

TDefinitionReader::Token TDefinitionReader::Scan()
{
    SkipBlanks();
    Token token;
    if (pos_ >= text_.size())
        return token;
    const char c = text_[pos_];
    if (c == '\'' || c == '#') {
        token.kind = Kind::String;
        token.text = ScanString();
    } else if (IsWordStart(c)) {
        token.kind = Kind::Word;
        while (pos_ < text_.size() && IsWordChar(text_[pos_]))
            token.text += text_[pos_++];
    } else if (IsDigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size()
                              && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '.'))
               || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
        token.kind = Kind::Integer;
        if (c == '+')
            ++pos_;
        else if (c == '-')
            token.text += text_[pos_++];
        while (pos_ < text_.size()) {
            const char d = text_[pos_];
            if (IsDigit(d)) {
                token.text += d;
            } else if (d == '.' || d == 'e' || d == 'E') {
                token.kind = Kind::Real;
                token.text += d;
                if ((d == 'e' || d == 'E') && pos_ + 1 < text_.size() && (text_[pos_ + 1] == '-' || text_[pos_ + 1] == '+'))
                    token.text += text_[++pos_];
            } else {
                break;
            }
            ++pos_;
        }
    } else {
        token.kind = Kind::Symbol;
        token.text = std::string(1, c);
        ++pos_;
    }
    return token;
}

const TDefinitionReader::Token& TDefinitionReader::Peek()
{
    if (!hasNext_) {
        next_ = Scan();
        hasNext_ = true;
    }
    return next_;
}

TDefinitionReader::Token TDefinitionReader::Take()
{
    Peek();
    hasNext_ = false;
    return next_;
}

bool TDefinitionReader::AtEnd() { return Peek().kind == Kind::End; }
bool TDefinitionReader::NextIsInteger() { return Peek().kind == Kind::Integer; }
bool TDefinitionReader::NextIsString() { return Peek().kind == Kind::String; }
bool TDefinitionReader::NextIsSymbol(char symbol)
{
    return Peek().kind == Kind::Symbol && Peek().text[0] == symbol;
}
bool TDefinitionReader::NextIsWord(std::string_view word)
{
    return Peek().kind == Kind::Word && EqualsNoCase(Peek().text, word);
}

int TDefinitionReader::ReadInteger()
{
    if (!NextIsInteger())
        throw EReadError("Integer expected");
    const Token token = Take();
    long long value = 0;
    const auto result = std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
    if (result.ec != std::errc() || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EReadError("Integer out of range: " + token.text);
    return static_cast<int>(value);
}

long double TDefinitionReader::ReadFloat()
{
    if (Peek().kind != Kind::Integer && Peek().kind != Kind::Real)
        throw EReadError("Real expected");
    const Token token = Take();
    long double value = 0;
    const auto result = std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
    if (result.ec != std::errc() || result.ptr != token.text.data() + token.text.size())
        throw EReadError("Invalid real: " + token.text);
    return value;
}

std::string TDefinitionReader::ReadString()
{
    if (!NextIsString())
        throw EReadError("String expected");
    return Take().text;
}

bool TDefinitionReader::ReadBoolean()
{
    if (NextIsWord("True")) {
        Take();
        return true;
    }
    if (NextIsWord("False")) {
        Take();
        return false;
    }
    throw EReadError("Boolean expected");
}

std::string TDefinitionReader::ReadWord()
{
    if (Peek().kind != Kind::Word)
        throw EReadError("Name expected");
    return Take().text;
}

void TDefinitionReader::ReadSymbol(char symbol)
{
    if (!NextIsSymbol(symbol))
        throw EReadError(std::string("'") + symbol + "' expected");
    Take();
}

std::vector<std::string> TDefinitionReader::ReadStringList()
{
    ReadSymbol('(');
    std::vector<std::string> values;
    while (!NextIsSymbol(')'))
        values.push_back(ReadString());
    Take();
    return values;
}

std::vector<int> TDefinitionReader::ReadIntegerList()
{
    ReadSymbol('(');
    std::vector<int> values;
    while (!NextIsSymbol(')'))
        values.push_back(ReadInteger());
    Take();
    return values;
}

void TDefinitionWriter::Separate()
{
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '(')
        text_ += ' ';
}

void TDefinitionWriter::WriteInteger(long long value)
{
    Separate();
    text_ += std::to_string(value);
}

void TDefinitionWriter::WriteFloat(long double value)
{
    Separate();
    std::string text = FormatGeneral(value, 18);
    // Keep reals recognisable as reals when read back.
    if (text.find_first_of(".E") == std::string::npos)
        text += ".0";
    text_ += text;
}

void TDefinitionWriter::WriteString(std::string_view value)
{
    Separate();
    bool quoted = false;
    std::string out;
    for (char c : value) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127) {
            if (quoted)
                out += '\'';
            quoted = false;
            out += '#' + std::to_string(code);
        } else {
            if (!quoted)
                out += '\'';
            quoted = true;
            out += c;
            if (c == '\'')
                out += '\'';
        }
    }
    if (quoted)
        out += '\'';
    text_ += out.empty() ? "''" : out;
}

void TDefinitionWriter::WriteBoolean(bool value) { WriteWord(value ? "True" : "False"); }

void TDefinitionWriter::WriteWord(std::string_view word)
{
    Separate();
    text_ += word;
}

void TDefinitionWriter::WriteStringList(const std::vector<std::string>& values)
{
    Separate();
    text_ += '(';
    for (const std::string& value : values)
        WriteString(value);
    text_ += ')';
}

void TDefinitionWriter::WriteIntegerList(const std::vector<int>& values)
{
    Separate();
    text_ += '(';
    for (int value : values)
        WriteInteger(value);
    text_ += ')';
}

void TDefinitionWriter::NewLine() { text_ += '\n'; }

}  // namespace truvex
