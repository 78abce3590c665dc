// Reading and writing of component definitions in the text form of the
// program's form resources:
//
//   object PileSect: TGridTable
//     Identifier = 15
//     Caption = 'Wall Stiffness'
//     Comments = 'first line'#13'second line'
//     Col = { 1  1 ('Node') True False 0 0 10 }
//   end
//
// Values are integers, reals ("1.5", "-2E-3"), booleans (True, False),
// strings in single quotes (a doubled quote inside; #nn inserts the
// character with that code; adjacent pieces join, also across a "+"), and
// lists in parentheses. "//" starts a comment that runs to the line end.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace truvex {

class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDefinitionReader {
public:
    explicit TDefinitionReader(std::string_view text);

    bool AtEnd();
    int Line() const { return line_; }

    bool NextIsInteger();
    bool NextIsString();
    bool NextIsSymbol(char symbol);
    bool NextIsWord(std::string_view word);  // case-insensitive

    int ReadInteger();  // a 32-bit integer
    long double ReadFloat();
    std::string ReadString();
    bool ReadBoolean();
    std::string ReadWord();
    void ReadSymbol(char symbol);
    std::vector<std::string> ReadStringList();
    std::vector<int> ReadIntegerList();

private:
    enum class Kind { End, Word, Integer, Real, String, Symbol };
    struct Token {
        Kind kind = Kind::End;
        std::string text;
    };
    const Token& Peek();
    Token Take();
    Token Scan();
    void SkipBlanks();
    std::string ScanString();

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token next_;
    bool hasNext_ = false;
};

class TDefinitionWriter {
public:
    void WriteInteger(long long value);
    void WriteFloat(long double value);
    void WriteString(std::string_view value);
    void WriteBoolean(bool value);
    void WriteWord(std::string_view word);
    void WriteStringList(const std::vector<std::string>& values);
    void WriteIntegerList(const std::vector<int>& values);
    void NewLine();

    const std::string& Text() const { return text_; }

private:
    void Separate();
    std::string text_;
};

}  // namespace truvex
