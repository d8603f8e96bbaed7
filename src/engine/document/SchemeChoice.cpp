// The scheme a file's extension asks for.
#include "engine/document/SchemeChoice.h"

#include <string>

#include "engine/text/AsciiText.h"

namespace quinkle {

SchemeNumber SchemeForFileName(std::string_view path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return snHtml;
    const std::string extension = LowerAsciiText(path.substr(dot + 1));
    struct Choice {
        const char* Extension;
        SchemeNumber Scheme;
    };
    static constexpr Choice kChoices[] = {
        {"pas", snPascal},  {"dpr", snPascal}, {"c", snCScript},     {"h", snCScript},
        {"cpp", snCScript}, {"js", snCScript}, {"sql", snSql},       {"vbs", snBasic},
        {"bas", snBasic},   {"ini", snBasic},  {"txt", snPlainText},
    };
    for (const Choice& choice : kChoices)
        if (extension == choice.Extension) return choice.Scheme;
    return snHtml;
}

}  // namespace quinkle
