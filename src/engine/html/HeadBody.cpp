// The head section and the body start tag of a page, from the Header and Body dialogs' fields.
#include "engine/html/HeadBody.h"

#include "engine/html/HtmlHelpers.h"

namespace quinkle {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string MetaLine(std::string_view name, std::string_view content) {
    std::string line = "<META Name=\"";
    line += name;
    line += "\" Content=\"";
    line += content;
    line += "\">";
    line += kCrLf;
    return line;
}

}  // namespace

std::string GeneratorText() {
    std::string text(kProductName);
    text += ' ';
    text += kProductVersion;
    text += " - ";
    text += kCopyrightNotice;
    return text;
}

std::string BuildHeadSection(std::string_view keywords, std::string_view title,
                             std::string_view description) {
    std::string generator = GeneratorText();
    std::string head = "<head>";
    head += kCrLf;
    head += MetaLine("generator", generator);
    if (!keywords.empty()) head += MetaLine("keywords", keywords);
    head += "<title>";
    head += title.empty() ? "Generated with " + generator : std::string(title);
    head += "</title>";
    head += kCrLf;
    if (!description.empty()) head += MetaLine("Description", description);
    head += "</head>";
    head += kCrLf;
    return head;
}

std::string BuildBodyTag(const BodyFields& fields) {
    std::string body = "<body";
    body += FormatAttribute("background", PathToUrl(fields.BGGfx));
    body += FormatAttribute("bgcolor", HtmlColour(fields.BGCol));
    body += FormatAttribute("text", HtmlColour(fields.TxtCol));
    body += FormatAttribute("link", HtmlColour(fields.LinksCol));
    body += FormatAttribute("vlink", HtmlColour(fields.VLinksCol));
    body += '>';
    body += kCrLf;

    // A sound field holding only blanks names no file: no sound lines for it.
    std::string source = FormatAttribute("src", PathToUrl(fields.BGMidi));
    if (source.empty()) return body;
    body += "<bgsound" + source;
    if (fields.MidiPlays > 1) body += " loop=" + std::to_string(fields.MidiPlays);
    body += '>';
    body += kCrLf;
    body += "<embed" + source + " autostart=TRUE hidden=true loop=";
    body += fields.MidiPlays >= 2 ? "TRUE" : "FALSE";
    body += '>';
    body += kCrLf;
    return body;
}

}  // namespace quinkle
