// The About and Support texts.
#include "engine/html/AboutTexts.h"

#include "engine/html/HeadBody.h"
#include "engine/html/HtmlHelpers.h"

namespace quinkle {

std::string AboutProductText() {
    std::string text(kProductName);
    text += ' ';
    text += kProductVersion;
    text += ' ';
    text += kCopyrightNotice;
    text += "\r\n";
    return text;
}

std::string AboutAuthorText() {
    std::string text = "by\r\n";
    text += kAuthorName;
    text += " \r\n";
    text += kAuthorMailLine;
    text += "\r\nPlease send any bug reports to me at the address above.";
    return text;
}

std::string SupportMailUrl(SupportMail kind) {
    std::string subject = kind == SupportMail::Suggestion ? "Suggestion: " : "Bug Report: ";
    subject += kProductName;
    subject += kProductVersion;  // no blank between them
    subject += " beta";
    return "mailto:" + std::string(kSupportAddress) + "?subject=" + PercentEncode(subject, ":");
}

}  // namespace quinkle
