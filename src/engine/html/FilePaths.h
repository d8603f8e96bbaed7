// File names as the dialogs and document commands cut them: quotes, names, folders, backups.
//
// "/" is the folder separator; "\" and ":" count as separators too where a name is cut, so a
// pasted Windows path ("C:\web\page.htm") is taken apart the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quinkle {

/// Without one leading double quote and then, if there was one, one trailing double quote;
/// any other text unchanged. File-name fields hold quoted names when a name holds blanks.
std::string StripQuotes(std::string_view text);

/// Everything after the last "/", "\" or ":"; the whole text when there is none.
std::string FileNameOnly(std::string_view path);

/// The folder to remember for `path`, as the last-folder memory stores it: the path up to
/// and including its last separator, so "/web/page.htm" gives "/web/", "/x.htm" gives "/"
/// and "C:\web\page.htm" gives "C:\web\". Nothing when the path has no separator: a bare
/// name tells no folder.
std::optional<std::string> FolderToRemember(std::string_view path);

/// The name a file's backup copy takes: "~" inserted right after the last dot of the file
/// name (page.htm gives page.~htm), or appended when the file name has no dot. A dot in a
/// folder name is not the file's: "/my.site/readme" gives "/my.site/readme~".
std::string BackupFileName(std::string_view path);

}  // namespace quinkle
