// The header and footer templates: codes for the alignment, the page number and count, the
// date, the time and the title, expanded for one page.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

/// The moment a document is printed, given by the caller so a page always shows one time.
struct PrintStamp {
    int Year = 2000;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
};

/// "YYYY-MM-DD" (ISO 8601), the same on every desktop whatever its language.
std::string FormatPrintDate(const PrintStamp& stamp);
/// "HH:MM", 24-hour clock.
std::string FormatPrintTime(const PrintStamp& stamp);

/// What the codes of a template stand for on one page.
struct TemplateValues {
    int Page = 1;
    int PageCount = 1;
    std::string_view Title;
    PrintStamp Stamp;
};

/// An expanded template: the texts printed at the left, in the centre and at the right.
struct TemplateParts {
    std::string Left;
    std::string Centre;
    std::string Right;
    bool operator==(const TemplateParts&) const = default;
};

/// Expands a header or footer template. Text goes to the left part until a code moves it:
/// "&l" to the left, "&c" to the centre, "&r" to the right part, each appending to what that
/// part holds. "&p" is the page number, "&P" the page count, "&d" the date, "&t" the time
/// (formatted as above), "&i" the title and "&&" one "&". Codes are case-sensitive; any other
/// "&" and the character after it, and a lone "&" at the end, are printed as written. Values
/// are inserted as they are, so a "&" in the title is no code. Linear in the length of the
/// result.
TemplateParts ExpandTemplate(std::string_view pattern, const TemplateValues& values);

}  // namespace quinkle
