// Expression evaluator for typed entries: numbers and arithmetic expressions
// with parentheses, the operators ^ * / % & + - | =, the constants pi and e,
// named functions, factorials and hexadecimal integers ("$FF").
//
// The method is textual reduction: innermost parentheses are evaluated first
// and replaced by their value; the flat text is then cut into operands and
// operators and reduced in four left-to-right passes (^; * / % &; + - |; =).
// Operators therefore share a level and group from the left: 2^3^2 is 64.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace truvex {

// Raised for every entry that cannot be evaluated. The message is
// "Entry could not be evaluated:", a line break and the reason.
class EEvaluationError : public std::runtime_error {
public:
    explicit EEvaluationError(const std::string& reason);
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

namespace EvaluationReason {
inline constexpr std::string_view Blank = "entry cannot be blank";
inline constexpr std::string_view Parentheses = "() (parentheses) do not match";
inline constexpr std::string_view InvalidExpression = "invalid expression";
inline constexpr std::string_view InvalidCharacters = "invalid character(s) in expression";
inline constexpr std::string_view InvalidHex = "invalid use of $ (hex function)";
inline constexpr std::string_view Factorial = "! (factoral) applicable to integers only";
}  // namespace EvaluationReason

// Evaluates an entry; blanks and TABs are ignored, names are case-insensitive.
// A result that is not a finite number (1/0, sqrt(-1)) is an invalid
// expression. Throws EEvaluationError.
long double Evaluate(std::string_view text);

}  // namespace truvex
