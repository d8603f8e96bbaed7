// The program's title at the right of the menu bar, in its three coloured parts.
#pragma once

#include <QLabel>

class QMenuBar;

namespace quinkle {

/// "HTML", "Quinkle -" and the document part, bold and coloured, in the menu bar's top right
/// corner.
class TitleCaption : public QLabel {
public:
    /// Puts itself into the corner of `bar`.
    explicit TitleCaption(QMenuBar* bar);

    /// Shows `part` ("(Untitled)" or the file name) after the program's name.
    void SetDocumentPart(const QString& part);

private:
    QMenuBar* m_bar;
};

}  // namespace quinkle
