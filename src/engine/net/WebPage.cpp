// Reading a web response for the editor: status line, headers, charset and lines.
#include "engine/net/WebPage.h"

#include <array>

#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<StatusLine> ParseStatusLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    if (!line.starts_with("HTTP/")) return std::nullopt;
    size_t i = 5;
    // The version: digits, optionally "." and digits.
    const size_t versionStart = i;
    while (i < line.size() && IsDigit(line[i])) ++i;
    if (i == versionStart) return std::nullopt;
    if (i < line.size() && line[i] == '.') {
        const size_t minorStart = ++i;
        while (i < line.size() && IsDigit(line[i])) ++i;
        if (i == minorStart) return std::nullopt;
    }
    if (i + 4 > line.size() || line[i] != ' ' || !IsDigit(line[i + 1]) || !IsDigit(line[i + 2]) ||
        !IsDigit(line[i + 3]))
        return std::nullopt;
    StatusLine status;
    status.Code = (line[i + 1] - '0') * 100 + (line[i + 2] - '0') * 10 + (line[i + 3] - '0');
    i += 4;
    if (i < line.size() && line[i] != ' ') return std::nullopt;
    if (i < line.size()) status.Reason = std::string(Trimmed(line.substr(i + 1)));
    return status;
}

std::optional<std::string> HeaderValue(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line[name.size()] != ':' ||
        !EqualsNoCase(line.substr(0, name.size()), name))
        return std::nullopt;
    return std::string(Trimmed(line.substr(name.size() + 1)));
}

std::optional<Charset> ContentTypeCharset(std::string_view contentType) {
    // Parameters follow the media type, each after a ";".
    size_t start = contentType.find(';');
    while (start != std::string_view::npos) {
        const size_t end = contentType.find(';', start + 1);
        const std::string_view parameter = Trimmed(contentType.substr(
            start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1));
        const size_t equals = parameter.find('=');
        if (equals != std::string_view::npos &&
            EqualsNoCase(Trimmed(parameter.substr(0, equals)), "charset")) {
            std::string_view value = Trimmed(parameter.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return CharsetFromName(value);
        }
        start = end;
    }
    return std::nullopt;
}

WebPage PageFromResponse(std::string_view body, std::string_view contentType) {
    WebPage page;
    page.ServedCharset = ContentTypeCharset(contentType);
    page.Text.reserve(body.size());
    std::array<size_t, 3> counts{};  // CR LF, LF, CR
    bool lineCut = false;            // a NUL ended this line's text
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') {
                ++counts[0];
                ++i;
            } else {
                ++counts[c == '\n' ? 1 : 2];
            }
            // A break at the very end of the body ends the last line without opening another.
            if (i + 1 < body.size()) page.Text += '\r';
            lineCut = false;
        } else if (c == '\0') {
            lineCut = true;
        } else if (!lineCut) {
            page.Text += c;
        }
    }
    if (counts[0] >= counts[1] && counts[0] >= counts[2] && counts[0] > 0)
        page.LineEnds = LineEnd::CRLF;
    else if (counts[2] > counts[1])
        page.LineEnds = LineEnd::CR;
    return page;
}

}  // namespace quinkle
