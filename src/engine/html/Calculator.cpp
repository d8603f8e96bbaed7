// The calculator window's arithmetic: an expression evaluator and the number format it shows.
#include "engine/html/Calculator.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace quinkle {
namespace {

// An operand on the value stack. `Percent` marks a value written with %, already divided by
// 100, so that + and − can take it as a share of their left operand.
struct Operand {
    double Value;
    bool Percent;
};

enum Op : char { kOpen = '(', kAdd = '+', kSubtract = '-', kMultiply = '*', kDivide = '/' };
constexpr char kNegate = 'n';

int Precedence(char op) {
    switch (op) {
        case kAdd:
        case kSubtract:
            return 1;
        case kMultiply:
        case kDivide:
            return 2;
        case kNegate:
            return 3;
        default:
            return 0;  // an open parenthesis stops every reduction
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The operator at `text[pos]`, in ASCII or as the UTF-8 sign the keys show; sets `length`.
char OperatorAt(std::string_view text, size_t pos, size_t& length) {
    length = 1;
    switch (text[pos]) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '(':
        case ')':
        case '%':
            return text[pos];
        default:
            break;
    }
    const std::string_view rest = text.substr(pos);
    length = 2;
    if (rest.starts_with("\xC3\x97")) return kMultiply;  // ×
    if (rest.starts_with("\xC3\xB7")) return kDivide;    // ÷
    length = 3;
    if (rest.starts_with("\xE2\x88\x92")) return kSubtract;  // −
    length = 0;
    return 0;
}

// Reads a number at `text[pos]`: digits with at most one ".", then an optional exponent.
// Returns the length read, 0 when there is no well-formed number there.
size_t ScanNumber(std::string_view text, size_t pos) {
    size_t end = pos;
    size_t digits = 0;
    while (end < text.size() && IsDigit(text[end])) ++end, ++digits;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end, ++digits;
    }
    if (digits == 0) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent >= text.size() || !IsDigit(text[exponent])) return 0;
        while (exponent < text.size() && IsDigit(text[exponent])) ++exponent;
        end = exponent;
    }
    return end - pos;
}

// Whether a number that a double cannot hold is too large rather than too small: its decimal
// magnitude (the position of its first significant digit, plus its exponent) is positive.
bool IsLarge(std::string_view number) {
    long magnitude = 0;
    size_t pos = 0;
    bool significant = false;
    for (; pos < number.size() && IsDigit(number[pos]); ++pos) {
        significant = significant || number[pos] != '0';
        if (significant) ++magnitude;
    }
    if (pos < number.size() && number[pos] == '.') {
        for (++pos; pos < number.size() && IsDigit(number[pos]) && !significant; ++pos) {
            significant = number[pos] != '0';
            if (!significant) --magnitude;
        }
    }
    const size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        long exponent = 0;
        for (size_t i = e + 1; i < number.size(); ++i) {
            if (IsDigit(number[i]) && exponent < 1000000)
                exponent = exponent * 10 + (number[i] - '0');
        }
        magnitude += number[e + 1] == '-' ? -exponent : exponent;
    }
    return magnitude > 0;
}

class Evaluator {
public:
    CalcResult Run(std::string_view text) {
        bool expectOperand = true;
        size_t pos = 0;
        while (pos < text.size() && m_error.empty()) {
            const char c = text[pos];
            if (c == ' ' || c == '\t') {
                ++pos;
                continue;
            }
            if (expectOperand) {
                pos += ReadOperand(text, pos, expectOperand);
            } else {
                pos += ReadOperator(text, pos, expectOperand);
            }
        }
        if (m_error.empty() && expectOperand) m_error = kCalcSyntaxError;
        while (m_error.empty() && !m_ops.empty()) {
            // Parentheses still open are closed here.
            if (m_ops.back() != kOpen) Apply(m_ops.back());
            m_ops.pop_back();
        }
        if (m_error.empty() && m_values.size() != 1) m_error = kCalcSyntaxError;
        if (!m_error.empty()) return CalcResult{0, std::string(m_error)};
        // No negative zero, and no value too small to format and read back.
        double value = m_values.back().Value;
        if (std::fabs(value) < std::numeric_limits<double>::min()) value = 0;
        return CalcResult{value, {}};
    }

private:
    // Each returns the bytes consumed, at least one unless it sets m_error.
    size_t ReadOperand(std::string_view text, size_t pos, bool& expectOperand) {
        if (IsDigit(text[pos]) || text[pos] == '.') {
            const size_t length = ScanNumber(text, pos);
            if (length == 0) return Fail(kCalcSyntaxError);
            double value = 0;
            const char* first = text.data() + pos;
            const auto [ptr, ec] =
                std::from_chars(first, first + length, value, std::chars_format::general);
            if (ec == std::errc::result_out_of_range) {
                // Too small to hold is zero; too large to hold is an error.
                if (IsLarge(std::string_view(first, length))) return Fail(kCalcTooLarge);
                value = 0;
            } else if (ec != std::errc() || ptr != first + length) {
                return Fail(kCalcSyntaxError);
            }
            m_values.push_back({value, false});
            expectOperand = false;
            return length;
        }
        size_t length = 0;
        switch (OperatorAt(text, pos, length)) {
            case kOpen:
                m_ops.push_back(kOpen);
                return length;
            case kSubtract:
                m_ops.push_back(kNegate);
                return length;
            case kAdd:  // a unary plus changes nothing
                return length;
            default:
                return Fail(kCalcSyntaxError);
        }
    }

    size_t ReadOperator(std::string_view text, size_t pos, bool& expectOperand) {
        size_t length = 0;
        const char op = OperatorAt(text, pos, length);
        switch (op) {
            case '%': {
                Operand& top = m_values.back();
                top.Value /= 100;
                top.Percent = true;
                return length;
            }
            case ')':
                while (!m_ops.empty() && m_ops.back() != kOpen && m_error.empty()) {
                    Apply(m_ops.back());
                    m_ops.pop_back();
                }
                if (!m_error.empty()) return 0;
                if (m_ops.empty()) return Fail(kCalcSyntaxError);
                m_ops.pop_back();
                // A bracketed group is a plain value, even "(10%)".
                m_values.back().Percent = false;
                return length;
            case kAdd:
            case kSubtract:
            case kMultiply:
            case kDivide:
                while (!m_ops.empty() && Precedence(m_ops.back()) >= Precedence(op) &&
                       m_error.empty()) {
                    Apply(m_ops.back());
                    m_ops.pop_back();
                }
                if (!m_error.empty()) return 0;
                m_ops.push_back(op);
                expectOperand = true;
                return length;
            default:
                return Fail(kCalcSyntaxError);
        }
    }

    void Apply(char op) {
        if (op == kNegate) {
            m_values.back().Value = -m_values.back().Value;  // keeps the percent mark
            return;
        }
        Operand right = m_values.back();
        m_values.pop_back();
        Operand& left = m_values.back();
        double result = 0;
        switch (op) {
            case kAdd:
            case kSubtract:
                if (right.Percent) right.Value *= left.Value;
                result = op == kAdd ? left.Value + right.Value : left.Value - right.Value;
                break;
            case kMultiply:
                result = left.Value * right.Value;
                break;
            default:
                if (right.Value == 0) {
                    Fail(kCalcDivideByZero);
                    return;
                }
                result = left.Value / right.Value;
                break;
        }
        if (!std::isfinite(result)) {
            Fail(kCalcTooLarge);
            return;
        }
        left = {result, false};
    }

    size_t Fail(std::string_view message) {
        if (m_error.empty()) m_error = message;
        return 0;
    }

    std::vector<Operand> m_values;
    std::vector<char> m_ops;
    std::string_view m_error;
};

}  // namespace

CalcResult Evaluate(std::string_view expression) { return Evaluator().Run(expression); }

std::string FormatCalcNumber(double value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    // "1e-07" reads better as "1e-7".
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        size_t digits = e + 2;
        while (digits + 1 < text.size() && text[digits] == '0') text.erase(digits, 1);
    }
    return text;
}

std::string CalcDisplayText(const CalcResult& result) {
    return result.Ok() ? FormatCalcNumber(result.Value) : result.Error;
}

}  // namespace quinkle
