// The Insert Link dialog's result (a link, a mail link or a named place) and its pick of an
// Internet shortcut file.
#include "engine/html/LinkText.h"

#include "engine/html/FilePaths.h"
#include "engine/html/HtmlHelpers.h"
#include "engine/store/IniFile.h"

namespace quinkle {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string Anchor(std::string_view href, std::string_view text, std::string_view address) {
    std::string link = "<a href=\"";
    link += UrlAttribute(href);
    link += "\">";
    link += text.empty() ? EscapeHtml(address) : std::string(text);
    link += "</a>";
    return link;
}

}  // namespace

GeneratedText BuildLink(const LinkFields& fields) {
    switch (fields.Page) {
        case LinkPage::Link:
            if (fields.Link.empty()) return {};
            return {Anchor(fields.Link, fields.Text, fields.Link), 0};
        case LinkPage::MailTo:
            if (fields.EmailLink.empty()) return {};
            return {Anchor("mailto:" + fields.EmailLink, fields.EmailText, fields.EmailLink), 0};
        case LinkPage::Name:
            if (fields.Name.empty()) return {};
            return {"<a name=\"" + EscapeHtml(fields.Name) + "\"></a>", 0};
    }
    return {};
}

ShortcutPick PickShortcut(std::string_view fileText, std::string_view path) {
    // Some programs write the file as UTF-8 with a mark in front of its first section.
    if (fileText.substr(0, kUtf8Mark.size()) == kUtf8Mark) fileText.remove_prefix(kUtf8Mark.size());
    ShortcutPick pick;
    pick.Link = IniFile::FromText(fileText).ReadString("InternetShortcut", "URL",
                                                       std::string(kShortcutWithoutUrl));
    pick.Text = FileNameOnly(path);
    pick.Text.resize(pick.Text.size() >= 4 ? pick.Text.size() - 4 : 0);
    return pick;
}

}  // namespace quinkle
