// The Prompter that asks the user with Qt's message boxes and standard dialogs.
#pragma once

#include <QString>
#include <QStringList>

#include "gui/widgets/Prompter.h"

namespace quinkle {

/// The name filters of a Qt file dialog for a filter in the program's form
/// "Description|*.a;*.b|All files (*.*)|*.*": one "Description (*.a *.b)" per pair, the
/// description kept as written (a pattern list it already ends with is replaced). "*.*" becomes
/// "*", so the all-files entry also lists names without a dot. A trailing description without
/// patterns gets "*"; empty descriptions are named after their patterns. An empty filter gives
/// an empty list (Qt then shows every file).
QStringList QtNameFilters(const QString& programFilter);

/// Asks through QMessageBox, QInputDialog, QFileDialog, QColorDialog and QFontDialog, parented
/// to the active modal window or else the active window.
class QtPrompter : public Prompter {
public:
    int Message(Kind kind, const QString& title, const QString& text, int buttons) override;
    bool InputBox(const QString& title, const QString& prompt, QString& value) override;
    bool OpenFileName(const QString& title, const QString& filter, QString& fileName) override;
    bool SaveFileName(const QString& title, const QString& filter, const QString& defaultExtension,
                      QString& fileName) override;
    bool ChooseColour(QColor& colour) override;
    bool ChooseFont(QFont& font) override;
};

}  // namespace quinkle
