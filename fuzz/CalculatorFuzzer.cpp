// Arbitrary bytes as a calculator expression: nothing may crash, a result is finite, an error
// is one of the display's messages, and a result's text reads back as a value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/html/Calculator.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const quinkle::CalcResult result = quinkle::Evaluate(input);
    if (!result.Ok()) {
        Require(result.Error == quinkle::kCalcDivideByZero ||
                result.Error == quinkle::kCalcSyntaxError ||
                result.Error == quinkle::kCalcTooLarge);
        return 0;
    }
    Require(std::isfinite(result.Value));
    const std::string text = quinkle::FormatCalcNumber(result.Value);
    Require(!text.empty() && text.find_first_of(",in") == std::string::npos);
    const quinkle::CalcResult again = quinkle::Evaluate(text);
    Require(again.Ok());
    Require(std::fabs(again.Value - result.Value) <= std::fabs(result.Value) * 1e-14);
    return 0;
}
