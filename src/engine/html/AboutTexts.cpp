// The About and Support texts.
#include "engine/html/AboutTexts.h"

#include <cctype>

#include "engine/html/HeadBody.h"

namespace quinkle {
namespace {

// Percent-encodes what a URL's query may not hold as it is.
std::string EncodeQuery(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == ':') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace

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
    return "mailto:" + std::string(kSupportAddress) + "?subject=" + EncodeQuery(subject);
}

}  // namespace quinkle
