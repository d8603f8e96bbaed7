// What the HTML dialogs need from the main window.
#pragma once

#include <QColor>
#include <QString>

namespace quinkle {

/// The main window's side of the dialogs that put generated HTML into the document.
class InsertHost {
public:
    virtual ~InsertHost() = default;

    /// Replaces the editor's selection (or inserts at the caret) with `text` as one undo step
    /// labelled by undo code `code`; with nothing selected the caret then moves `stepBack`
    /// characters back from the end of the inserted text.
    virtual void InsertGeneratedText(const QString& text, int stepBack, int code) = 0;
    /// The folder last remembered under `key` of [LastPaths] (the program folder by default),
    /// with a trailing slash.
    virtual QString LastFolder(const QString& key) const = 0;
    /// Remembers the folder of `path` under `key` of [LastPaths].
    virtual void RememberFolder(const QString& key, const QString& path) = 0;
    /// The colour picker shared by every dialog: starts on `colour` when it is valid, else on
    /// the colour chosen last; returns false when cancelled.
    virtual bool PickColour(QColor& colour) = 0;
    /// Opens the program's help at a named topic ("Create_Header_Dialog").
    virtual void ShowHelpTopic(const QString& topic) = 0;
};

}  // namespace quinkle
