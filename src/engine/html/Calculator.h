// The calculator window's arithmetic: an expression evaluator and the number format it shows.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

/// The outcome of an evaluation: a finite value, or the message the display shows instead.
struct CalcResult {
    double Value = 0;
    std::string Error;  ///< "Cannot divide by zero", "Syntax error" or "Number too large"
    bool Ok() const { return Error.empty(); }
};

inline constexpr std::string_view kCalcDivideByZero = "Cannot divide by zero";
inline constexpr std::string_view kCalcSyntaxError = "Syntax error";
inline constexpr std::string_view kCalcTooLarge = "Number too large";

/// Evaluates an arithmetic expression as a desk calculator does.
///
/// Numbers are decimal with "." ("12", "1.5", ".5", "2.", "1e+20"); operators are + - * / and
/// the signs the calculator's keys show (× ÷ − in UTF-8), with × ÷ before + −, parentheses and
/// unary plus and minus. Blanks are ignored. Parentheses still open at the end are closed.
///
/// A postfix % makes its operand a percentage: after + or − it is that percentage of the left
/// operand (`200 + 10%` = 220, `200 − 10%` = 180); anywhere else it is the hundredth part
/// (`200 × 10%` = 20, `200 ÷ 10%` = 2000, `10%` = 0.1).
///
/// Parsing is iterative, so any length and nesting depth is safe. A result or intermediate
/// value that is not finite gives "Number too large"; a division by zero "Cannot divide by
/// zero"; an empty or malformed expression "Syntax error".
CalcResult Evaluate(std::string_view expression);

/// `value` in the C locale with "." as the decimal point, up to 15 significant digits and
/// without trailing zeros ("0.1", "20", "-3.25"); exponent form only for very large or small
/// magnitudes ("1e+20", "1e-7"). Negative zero shows as "0".
std::string FormatCalcNumber(double value);

/// The text the display shows for `result`: the formatted value or the error message.
std::string CalcDisplayText(const CalcResult& result);

}  // namespace quinkle
