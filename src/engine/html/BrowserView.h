// What the Browser command shows: the document's own file, or a private copy of its text.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

inline constexpr const char* kNothingToView =
    "You will need to enter some Text before you \r\ncan display it in your browser.";
/// The copy's name inside the private preview folder.
inline constexpr std::string_view kPreviewFileName = "$$TEST$$.HTM";

/// The page a browser is to show, and how it came about.
struct BrowserPage {
    std::string Path;     ///< the file to open; empty when there is nothing to show
    std::string Problem;  ///< what went wrong, for the user; empty on success
};

/// The document's text as the preview copy holds it: for a document with a file name, a
/// <base href> to the document's folder right after <head> (or at the start when there is no
/// head), so relative links and pictures still resolve from the copy.
std::string PreviewText(std::string_view text, std::string_view documentPath);

/// The folder the preview copy lives in: `runtimeDir`/htmquinkle when a runtime folder is
/// given (it is private to the user), else `cacheDir`/htmquinkle. It is made with owner-only
/// permissions, and refused when it exists but is not a folder of this user's that only the
/// user may enter. Empty with `problem` set on failure.
std::string PreviewFolder(const std::string& runtimeDir, const std::string& cacheDir,
                          std::string& problem);

/// Decides the page: the document's own file when it has one and is unmodified; otherwise
/// writes PreviewText into the preview folder (replacing the last copy) and gives that.
BrowserPage PageToView(std::string_view text, const std::string& documentPath, bool modified,
                       const std::string& previewFolder);

}  // namespace quinkle
