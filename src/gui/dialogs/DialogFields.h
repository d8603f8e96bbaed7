// Field behaviours the HTML dialogs share: colour fields with a picker button, and file names
// browsed from a remembered folder.
#pragma once

#include <QString>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QObject;
class QWidget;

namespace quinkle {

class FileNameEdit;
class InsertHost;

/// Asks the host's colour picker, starting on the field's colour (a name, "#RRGGBB" or bare
/// hex digits), and, if the user confirms, writes the colour's "#RRGGBB" into the field.
void PickColourInto(InsertHost& host, QLineEdit* field);

/// A colour field named `name` with a "..." button named "btn" + `name` that picks into it,
/// both made in `owner` and added to `grid` at `row`, from `column` on.
QLineEdit* AddColourField(InsertHost& host, QWidget* owner, QGridLayout* grid, int row, int column,
                          const char* name, const QString& text);

/// Browsing in `edit` starts in the folder last remembered under `key`; a chosen file's
/// folder is remembered, and the name keeps its folder only when `useFileDir` is ticked.
/// `owner` holds the connections.
void ConnectFileBrowse(QObject* owner, InsertHost& host, FileNameEdit* edit, QCheckBox* useFileDir,
                       const QString& key);

/// The name in `edit` cut down to its file name, without quotes.
void CutToFileName(FileNameEdit* edit);

}  // namespace quinkle
