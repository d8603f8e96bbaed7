// Formatting of the engine's message texts.
#include "engine/text/EditorError.h"

namespace quinkle {

std::string FormatMessage(const char* format, const std::string& argument) {
    std::string text = format;
    auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

}  // namespace quinkle
