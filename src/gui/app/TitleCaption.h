// The program's title at the right of the menu bar, in its three coloured parts.
#pragma once

#include <QLabel>

class QMenuBar;

namespace quinkle {

/// "HTML", "Quinkle -" and the document part, bold and coloured, in the menu bar's top right
/// corner. A path too long for the room beside the menus loses letters from the middle of its
/// folders, never from the file name; the whole path stays in the tooltip.
class TitleCaption : public QLabel {
public:
    /// Puts itself into the corner of `bar`.
    explicit TitleCaption(QMenuBar* bar);

    /// Shows `part` ("(Untitled)" or the file's path) after the program's name.
    void SetDocumentPart(const QString& part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Fits the document part into the width the menus leave free.
    void Relayout();
    int FreeWidth() const;
    void ShowPart(const QString& shown);

    QMenuBar* m_bar;
    QString m_part;
    QString m_shown;  // what the label shows of m_part
};

}  // namespace quinkle
