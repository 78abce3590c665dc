#include "MiscMath.h"

#include "util/MorString.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace truvex {
namespace {

using Function = long double (*)(long double);

struct NamedFunction {
    std::string_view name;
    Function apply;
};

const std::array<NamedFunction, 25> Functions{{
    {"arctanh", [](long double x) { return std::atanh(x); }},
    {"arctan", [](long double x) { return std::atan(x); }},
    {"cotan", [](long double x) { return 1 / std::tan(x); }},
    {"tanh", [](long double x) { return std::tanh(x); }},
    {"tan", [](long double x) { return std::tan(x); }},
    {"arccosh", [](long double x) { return std::acosh(x); }},
    {"arccos", [](long double x) { return std::acos(x); }},
    {"cosh", [](long double x) { return std::cosh(x); }},
    {"cos", [](long double x) { return std::cos(x); }},
    {"sec", [](long double x) { return 1 / std::cos(x); }},
    {"arcsinh", [](long double x) { return std::asinh(x); }},
    {"arcsin", [](long double x) { return std::asin(x); }},
    {"sinh", [](long double x) { return std::sinh(x); }},
    {"sin", [](long double x) { return std::sin(x); }},
    {"cosec", [](long double x) { return 1 / std::sin(x); }},
    {"csc", [](long double x) { return 1 / std::sin(x); }},
    {"abs", [](long double x) { return std::fabs(x); }},
    {"frac", [](long double x) { return x - std::trunc(x); }},
    {"int", [](long double x) { return std::trunc(x); }},
    {"ln", [](long double x) { return std::log(x); }},
    {"round", [](long double x) { return std::nearbyint(x); }},  // halves to even
    {"ceil", [](long double x) { return std::ceil(x); }},
    {"floor", [](long double x) { return std::floor(x); }},
    {"log", [](long double x) { return std::log10(x); }},
    {"sqrt", [](long double x) { return std::sqrt(x); }},
}};

[[noreturn]] void Fail(std::string_view reason)
{
    throw EEvaluationError(std::string(reason));
}

long double Finite(long double value)
{
    if (!std::isfinite(value))
        Fail(EvaluationReason::InvalidExpression);
    return value;
}

bool IsFunctionName(std::string_view text)
{
    for (const NamedFunction& function : Functions)
        if (EqualsNoCase(text, function.name))
            return true;
    return false;
}

// The function whose name starts the operand; the longest name wins.
const NamedFunction* FunctionAtStart(std::string_view operand)
{
    const NamedFunction* best = nullptr;
    for (const NamedFunction& function : Functions)
        if (StartsWithNoCase(operand, function.name) && (!best || function.name.size() > best->name.size()))
            best = &function;
    return best;
}

long double ParseHex(std::string_view digits)
{
    std::uint64_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || digits.size() > 16 || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        Fail(EvaluationReason::InvalidHex);
    // Sixteen digits are a 64-bit pattern, so negative values written as hex read back.
    return static_cast<long double>(static_cast<std::int64_t>(value));
}

long double ParseDecimal(std::string_view text)
{
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-'))
            Fail(EvaluationReason::InvalidCharacters);
    long double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        Fail(EvaluationReason::InvalidExpression);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        Fail(EvaluationReason::InvalidCharacters);
    return value;
}

long double Factorial(long double value)
{
    if (value != std::trunc(value))
        Fail(EvaluationReason::Factorial);
    const long double n = std::fabs(value);
    long double product = 1;
    for (long double k = 2; k <= n && std::isfinite(product); ++k)
        product *= k;
    return Finite(value < 0 ? -product : product);
}

long double EvaluateOperand(std::string_view text)
{
    std::string operand(text);
    for (std::size_t pos; (pos = operand.find("--")) != std::string::npos;)
        operand.erase(pos, 2);
    const std::string lower = ToLower(operand);
    if (lower == "pi")
        return std::numbers::pi_v<long double>;
    if (lower == "-pi")
        return -std::numbers::pi_v<long double>;
    if (lower == "e")
        return std::numbers::e_v<long double>;
    if (lower == "-e")
        return -std::numbers::e_v<long double>;
    if (const NamedFunction* function = FunctionAtStart(operand))
        return Finite(function->apply(EvaluateOperand(std::string_view(operand).substr(function->name.size()))));
    if (!operand.empty() && operand.back() == '!')
        return Factorial(EvaluateOperand(std::string_view(operand).substr(0, operand.size() - 1)));
    if (!operand.empty() && operand.front() == '$')
        return ParseHex(std::string_view(operand).substr(1));
    return ParseDecimal(operand);
}

long double Apply(long double left, char op, long double right)
{
    switch (op) {
    case '^': return Finite(std::pow(left, right));
    case '*': return Finite(left * right);
    case '/': return Finite(left / right);
    case '%': {
        const long double divisor = std::trunc(right);
        if (divisor == 0)
            Fail(EvaluationReason::InvalidExpression);
        return std::fmod(std::trunc(left), divisor);
    }
    case '&': return left != 0 && right != 0 ? 1 : 0;
    case '+': return Finite(left + right);
    case '-': return Finite(left - right);
    case '|': return left != 0 || right != 0 ? 1 : 0;
    default: return left == right ? 1 : 0;  // '='
    }
}

bool IsOperator(char c)
{
    return std::string_view("^*/%+=|&").find(c) != std::string_view::npos;
}

// A "-" is a sign when it starts the text, follows a function name, follows
// one of % & * + / = E ^ e |, or follows a minus that was an operator.
long double EvaluateFlat(std::string_view text)
{
    std::vector<std::string> operands;
    std::vector<char> operators;
    std::string current;
    bool previousWasMinusOperator = false;
    const auto endOperand = [&](char op) {
        if (!current.empty())
            operands.push_back(current);
        current.clear();
        operators.push_back(op);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        bool minusOperator = false;
        if (c == '-') {
            const char before = i > 0 ? text[i - 1] : '\0';
            const bool sign = i == 0 || IsFunctionName(current)
                || std::string_view("%&*+/=E^e|").find(before) != std::string_view::npos
                || (before == '-' && previousWasMinusOperator);
            if (sign) {
                current += c;
            } else {
                endOperand(c);
                minusOperator = true;
            }
        } else if (IsOperator(c)) {
            endOperand(c);
        } else {
            current += c;
        }
        previousWasMinusOperator = minusOperator;
    }
    if (!current.empty())
        operands.push_back(current);
    if (operands.size() != operators.size() + 1)
        Fail(EvaluationReason::InvalidExpression);

    std::vector<long double> values;
    values.reserve(operands.size());
    for (const std::string& operand : operands)
        values.push_back(EvaluateOperand(operand));

    for (std::string_view level : {"^", "*/%&", "+-|", "="}) {
        std::size_t i = 0;
        while (i < operators.size()) {
            if (level.find(operators[i]) == std::string_view::npos) {
                ++i;
                continue;
            }
            values[i] = Apply(values[i], operators[i], values[i + 1]);
            values.erase(values.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return values.front();
}

}  // namespace

EEvaluationError::EEvaluationError(const std::string& reason)
    : std::runtime_error("Entry could not be evaluated:\n" + reason), reason_(reason)
{
}

long double Evaluate(std::string_view entry)
{
    std::string text;
    for (char c : entry)
        if (c != ' ' && c != '\t')
            text += c;
    if (text.empty())
        Fail(EvaluationReason::Blank);
    // Innermost parentheses first: the first ")" and the last "(" before it.
    for (std::size_t close; (close = text.find(')')) != std::string::npos;) {
        const std::size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
        if (open == std::string::npos)
            Fail(EvaluationReason::Parentheses);
        const long double inner = Evaluate(std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, FormatGeneral(inner, 18));
    }
    return EvaluateFlat(text);
}

}  // namespace truvex
