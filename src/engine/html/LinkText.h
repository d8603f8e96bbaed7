// The Insert Link dialog's result (a link, a mail link or a named place) and its pick of an
// Internet shortcut file.
#pragma once

#include <string>
#include <string_view>

#include "engine/html/TagText.h"

namespace quinkle {

/// The dialog's pages; the one showing when OK is pressed decides the result.
enum class LinkPage { Link, MailTo, Name };

/// The Insert Link dialog's fields, with their start-up values.
struct LinkFields {
    LinkPage Page = LinkPage::Link;
    std::string Link = "https://www.example.com/";
    std::string Text = "Text to Describe the WWW Page.";
    std::string EmailLink = "someone@example.com";
    std::string EmailText = "If left blank, will insert the email address.";
    std::string Name;
};

/// For the page showing: "<a href=\"LINK\">TEXT</a>", "<a href=\"mailto:ADDRESS\">TEXT</a>"
/// or "<a name=\"NAME\"></a>", step back 0, no line break, nothing trimmed. A description
/// is written as typed (it may hold markup); when it is empty the address serves, escaped as
/// text. Addresses pass through UrlAttribute and the name through EscapeHtml, so no value
/// ends its attribute early. An empty text when the page's own field is empty.
GeneratedText BuildLink(const LinkFields& fields);

/// What picking a shortcut file puts into the Link page.
struct ShortcutPick {
    std::string Link;  ///< [InternetShortcut] URL, or "ERROR Getting URL!" when missing
    std::string Text;  ///< the file's name without its folder and its last four characters
};

inline constexpr std::string_view kShortcutWithoutUrl = "ERROR Getting URL!";

/// Reads the text of the shortcut file at `path` (an ini file) for the Link page.
ShortcutPick PickShortcut(std::string_view fileText, std::string_view path);

}  // namespace quinkle
