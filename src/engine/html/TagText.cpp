// The texts the main window's tag commands insert, each with its caret step back.
#include "engine/html/TagText.h"

#include "engine/html/HtmlHelpers.h"

namespace quinkle {

GeneratedText WrapSelectionText(std::string_view tag, std::string_view attributes,
                                std::string_view selected) {
    std::string closing = "</" + std::string(tag) + ">";
    std::string text = "<" + std::string(tag);
    if (!attributes.empty()) {
        text += ' ';
        text += attributes;
    }
    text += '>';
    text += selected;
    text += closing;
    return {std::move(text), static_cast<int32_t>(closing.size())};
}

GeneratedText AlignParagraphText(std::string_view alignment, std::string_view selected) {
    std::string text = "<p align=" + std::string(alignment) + ">";
    text += selected;
    text += "</p>";
    return {std::move(text), 4};
}

std::optional<GeneratedText> ListText(std::string_view listTag, std::string_view selected) {
    if (selected.empty()) return std::nullopt;
    std::string text = "<" + std::string(listTag) + ">\r\n";
    size_t at = 0;
    while (at < selected.size()) {
        size_t end = selected.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = selected.size();
        if (end > at) {
            text += " <li>";
            text += selected.substr(at, end - at);
            text += "\r\n";
        }
        // One line end: CR LF, LF or CR.
        at = end;
        if (at < selected.size() && selected[at] == '\r') ++at;
        if (at < selected.size() && selected[at] == '\n') ++at;
        if (at == end) break;  // the end of the selection
    }
    text += "</" + std::string(listTag) + ">\r\n";
    return GeneratedText{std::move(text), 0};
}

std::optional<GeneratedText> FontText(const FontOptions& options, std::string_view selected) {
    if (!options.AddFace && !options.AddColour && !options.AddSize) return std::nullopt;
    std::string text = "<font";
    if (options.AddFace) text += " face=\"" + options.Face + "\"";
    if (options.AddColour)
        text += " color=\"" + HtmlColour(ColourIdentToName(options.Colour)) + "\"";
    if (options.AddSize) text += " size=" + options.Size;
    text += '>';
    text += selected;
    text += "</font>";
    return GeneratedText{std::move(text), selected.empty() ? 7 : 0};
}

GeneratedText DateTimeText(std::string_view date, std::string_view time) {
    return {" " + std::string(date) + " " + std::string(time) + " ", 0};
}

GeneratedText BreakText() { return {"<br>", 0}; }

GeneratedText WbrText() { return {"<wbr>", 0}; }

GeneratedText CommentText() { return {"\r\n<!-- //\r\n       \r\n// -->\r\n", 9}; }

std::string HeadingTag(std::string_view caption) {
    return std::string(caption.substr(std::min<size_t>(1, caption.size()), 2));
}

std::string StripHtmlTags(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        size_t open = text.find('<', at);
        if (open == std::string_view::npos) break;
        size_t close = text.find('>', open + 1);
        if (close == std::string_view::npos) break;  // an unfinished tag: keep it
        result += text.substr(at, open - at);
        at = close + 1;
    }
    result += text.substr(at);
    return result;
}

}  // namespace quinkle
