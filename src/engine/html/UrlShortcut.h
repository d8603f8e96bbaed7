// Internet shortcut files (".url") turned into links, as dropping them on the editor does.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

/// A link made from a shortcut file, or the message telling why none could be made.
struct ShortcutLink {
    std::string Link;   ///< "<a href=\"URL\">name</a>"; empty on failure
    std::string Error;  ///< "File Error:  <path>" (a status message); empty on success
    bool Ok() const { return Error.empty(); }
};

/// Reads the shortcut file at `path` (an ini file: [InternetShortcut] URL=...) and makes the
/// link to its address, named after the file without its folder and its last four
/// characters (".url"). A file that cannot be read, or holds no address, gives the error.
ShortcutLink ShortcutFileToLink(const std::string& path);

/// The same for a shortcut file's text already read; `path` names the file.
ShortcutLink ShortcutTextToLink(std::string_view fileText, std::string_view path);

}  // namespace quinkle
