// The calculator's evaluator and number format.
#include "engine/html/Calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace quinkle {
namespace {

struct Case {
    const char* expression;
    const char* shown;  // what the display shows: the formatted value or the message
};

void ExpectShown(const Case& c) {
    const CalcResult result = Evaluate(c.expression);
    EXPECT_EQ(CalcDisplayText(result), c.shown) << "expression: " << c.expression;
    if (result.Ok()) {
        EXPECT_TRUE(std::isfinite(result.Value)) << c.expression;
    }
}

TEST(Calculator, PrecedenceParenthesesAndUnaryMinus) {
    // Left to right within a level; open parentheses are closed at the end; no negative zero;
    // a number too small to hold is zero.
    const Case cases[] = {
        {"1+2*3", "7"},
        {"1+2×3", "7"},
        {"(1+2)*3", "9"},
        {"10-4-3", "3"},
        {"64/4/2", "8"},
        {"2*3+4*5", "26"},
        {"8÷2−1", "3"},
        {"-3+5", "2"},
        {"−3*−2", "6"},
        {"2*-3", "-6"},
        {"-(2+3)*2", "-10"},
        {"--4", "4"},
        {"+4-+1", "3"},
        {" 1 + 2 ", "3"},
        {"((2))", "2"},
        {"(1+2", "3"},
        {"2*(3+(4", "14"},
        {"-0", "0"},
        {"0*-5", "0"},
        {".5+1.", "1.5"},
        {"1e3+1", "1001"},
        {"1e+20*10", "1e+21"},
        {"1e-400", "0"},
        {"1e-300/1e10", "0"},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "000000000000000000000000000000000000000000000000000000000000000000000000000001",
         "0"},
    };
    for (const Case& c : cases) ExpectShown(c);
}

TEST(Calculator, PercentFollowsDeskCalculators) {
    // After + and − a percentage is a share of the left operand (a ± a·b/100); after × and ÷
    // and alone it is b/100. The sign stays with the percentage; × binds before the share is
    // taken, and a bracketed percentage is a plain value.
    const Case cases[] = {
        {"10%", "0.1"},         {"200+10%", "220"},   {"200-10%", "180"},     {"200−10%", "180"},
        {"200*10%", "20"},      {"200×10%", "20"},    {"200/10%", "2000"},    {"200+-10%", "180"},
        {"100+10%*2", "100.2"}, {"50+(10%)", "50.1"}, {"(50+50)+10%", "110"}, {"50%%", "0.005"},
    };
    for (const Case& c : cases) ExpectShown(c);
}

TEST(Calculator, FormatsInTheCLocaleWithUpTo15SignificantDigits) {
    EXPECT_EQ(FormatCalcNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatCalcNumber(2.5), "2.5");
    EXPECT_EQ(FormatCalcNumber(20.0), "20");
    EXPECT_EQ(FormatCalcNumber(-3.25), "-3.25");
    EXPECT_EQ(FormatCalcNumber(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatCalcNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatCalcNumber(1e20), "1e+20");
    EXPECT_EQ(FormatCalcNumber(1e-7), "1e-7");
    EXPECT_EQ(FormatCalcNumber(-0.0), "0");
    // What the display shows reads back as the same value.
    for (double value : {1.0 / 3, 1e20, 1e-7, -2.75, 123456.789}) {
        const CalcResult again = Evaluate(FormatCalcNumber(value));
        ASSERT_TRUE(again.Ok());
        EXPECT_DOUBLE_EQ(again.Value, std::stod(FormatCalcNumber(value)));
    }
}

TEST(Calculator, ErrorsAreMessagesNeverInfinityOrNan) {
    const Case cases[] = {
        {"1/0", "Cannot divide by zero"},
        {"0/0", "Cannot divide by zero"},
        {"5÷(2-2)", "Cannot divide by zero"},
        {"1/0%", "Cannot divide by zero"},
        {"1e308*10", "Number too large"},
        {"1e400", "Number too large"},
        {"0.0001e400", "Number too large"},
        {"-1e308-1e308", "Number too large"},
        {"", "Syntax error"},
        {"   ", "Syntax error"},
        {"1+", "Syntax error"},
        {"*2", "Syntax error"},
        {"1..2", "Syntax error"},
        {"1.2.3", "Syntax error"},
        {"2)", "Syntax error"},
        {"()", "Syntax error"},
        {"2(3)", "Syntax error"},
        {"%", "Syntax error"},
        {"1e", "Syntax error"},
        {"abc", "Syntax error"},
        {"1,5", "Syntax error"},
        {"\xC3", "Syntax error"},  // a cut UTF-8 sign
        {"1\xE2\x88", "Syntax error"},
    };
    for (const Case& c : cases) ExpectShown(c);
}

TEST(Calculator, LongAndDeepInputNeedsNoDeepStack) {
    std::string sum = "1";
    for (int i = 1; i < 100000; ++i) sum += "+1";
    EXPECT_EQ(CalcDisplayText(Evaluate(sum)), "100000");

    std::string nested = std::string(10000, '(') + "2" + std::string(10000, ')');
    EXPECT_EQ(CalcDisplayText(Evaluate(nested)), "2");
    EXPECT_EQ(CalcDisplayText(Evaluate(std::string(100000, '(') + "3")), "3");
    EXPECT_EQ(CalcDisplayText(Evaluate(std::string(100000, '-') + "3")), "3");
    // Every operator waits for the last operand: a deep right-leaning chain.
    std::string chain;
    for (int i = 0; i < 10000; ++i) chain += "1-(";
    chain += "1";
    EXPECT_EQ(CalcDisplayText(Evaluate(chain)), "1");
}

}  // namespace
}  // namespace quinkle
