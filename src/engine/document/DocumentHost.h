// What a document needs from the window that shows it, and what it tells that window.
#pragma once

#include <string>

#include "engine/html/HeadBody.h"
#include "engine/text/Charset.h"

namespace quinkle {

class Document;

/// The window a document lives in: it is told what changed, and supplies what needs the
/// desktop.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    /// Moves `path` to the desktop's trash; false when it could not.
    virtual bool MoveToTrash(const std::string& path) = 0;
    /// A short notice where the window shows such (the status bar).
    virtual void ShowNotice(const std::string& text) = 0;
    /// Whether the program has finished starting: before, a new minimal document asks no
    /// title and opened files leave the folder memory alone.
    virtual bool StartupComplete() const = 0;
    /// The program folder, with a trailing slash; "default.txt" is looked for there.
    virtual std::string ProgramDir() const = 0;
    /// A rich-text file is being opened: the host may offer to convert it and returns the file
    /// to load instead (the HTML page made from it), or `path` itself to load it as text.
    virtual std::string RichTextFileToOpen(const std::string& path) { return path; }
    /// The fields of the Create Body dialog, for the body tag of a minimal document.
    virtual BodyFields CurrentBodyFields() const { return BodyFields{}; }

    /// The document that this host serves is made (called at the end of its constructor).
    virtual void Attached(Document& document) { (void)document; }
    /// The document's part of the title changed ("(Untitled)" or the file name).
    virtual void TitleChanged(const std::string& title) { (void)title; }
    /// The document got new text (new, opened): the view shows it from the caret.
    virtual void TextReplaced() {}
    /// The charset the document declares was looked for again (after loading or saving).
    virtual void CharsetChanged(Charset charset) { (void)charset; }
    /// The editor's read-only state was set or lifted by the document (a file opened read
    /// only, or a new file after it).
    virtual void ReadOnlyChanged(bool readOnly) { (void)readOnly; }
    /// The document's modified state was set or cleared without an edit (saved, recovered,
    /// its file deleted).
    virtual void ModifiedChanged() {}
    /// The recent-files list changed.
    virtual void RecentFilesChanged() {}
};

}  // namespace quinkle
