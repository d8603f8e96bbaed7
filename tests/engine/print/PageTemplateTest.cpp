// The header and footer codes expanded for one page.
#include <gtest/gtest.h>

#include "engine/print/PageTemplate.h"

namespace quinkle {
namespace {

struct TemplateCase {
    const char* Pattern;
    TemplateParts Parts;
};

TEST(PageTemplate, ExpandsCodesIntoLeftCentreAndRight) {
    const TemplateValues values{4, 9, "HTML Quinkle 1.0 - a&p.html", {2026, 3, 7, 9, 5}};
    const TemplateCase cases[] = {
        {"", {}},
        {"plain text", {"plain text", "", ""}},
        {"&l&i&rPage &p", {"HTML Quinkle 1.0 - a&p.html", "", "Page 4"}},
        {"&l&d&r&t", {"2026-03-07", "", "09:05"}},
        {"&cPage &p of &P", {"", "Page 4 of 9", ""}},
        {"&rR1&lL1&cC&rR2", {"L1", "C", "R1R2"}},
        {"a && b &&&p", {"a & b &4", "", ""}},
        {"unknown &x and &L stay", {"unknown &x and &L stay", "", ""}},
        {"ends with &", {"ends with &", "", ""}},
        {"&", {"&", "", ""}},
    };
    for (const TemplateCase& c : cases) {
        SCOPED_TRACE(c.Pattern);
        EXPECT_EQ(ExpandTemplate(c.Pattern, values), c.Parts);
    }
}

TEST(PageTemplate, DateAndTimeArePaddedIsoForms) {
    EXPECT_EQ(FormatPrintDate({987, 12, 31, 0, 0}), "0987-12-31");
    EXPECT_EQ(FormatPrintTime({2026, 1, 1, 0, 7}), "00:07");
    EXPECT_EQ(FormatPrintTime({2026, 1, 1, 23, 59}), "23:59");
}

}  // namespace
}  // namespace quinkle
