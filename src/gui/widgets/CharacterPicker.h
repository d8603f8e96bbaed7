// A modal character picker that leaves the characters the user collected on the clipboard.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quinkle {

/// Shows the characters of one Unicode block in a chosen font as a grid, with an enlarged
/// preview of the character under the mouse (or the current one). Double-click, Enter or Select
/// add a character to "Characters to copy"; Copy puts that text on the clipboard as plain text.
class CharacterPicker : public QDialog {
    Q_OBJECT

public:
    /// A block of code points offered in the range box.
    struct CharacterRange {
        QString name;
        char32_t first;
        char32_t last;
    };

    /// The blocks offered, in the order the range box lists them.
    static const QList<CharacterRange>& Ranges();

    /// The characters of `range` the grid shows: every assigned code point except controls,
    /// surrogates, private-use points and the line and paragraph separators.
    static QList<char32_t> CharactersOf(const CharacterRange& range);

    explicit CharacterPicker(QWidget* parent = nullptr);

    /// Shows a picker modally and returns like a process would: 0 when it was closed normally.
    /// What the user copied is on the clipboard afterwards.
    static int RunCharacterPicker(QWidget* parent);

    /// Shows the block `index` of Ranges() in the grid.
    void ShowRange(int index);
    /// The text collected in "Characters to copy".
    QString CharactersToCopy() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void FillGrid(int index);
    /// The character of a grid cell; empty for a cell past the end of the block.
    QString CellCharacter(int row, int column) const;
    void ShowPreview(int row, int column);
    void AddCharacter(int row, int column);

    void cbFontChange();
    void btnSelectClick();
    void btnCopyClick();
    void edCopyChange(const QString& text);

    QFontComboBox* m_cbFont;
    QComboBox* m_cbRange;
    QTableWidget* m_grdChars;
    QLabel* m_lblPreview;
    QLabel* m_lblCode;
    QLineEdit* m_edCopy;
    QPushButton* m_btnSelect;
    QPushButton* m_btnCopy;
    QPushButton* m_btnClose;
};

}  // namespace quinkle
