// The gradient text designer: a line of text whose characters run through a list of colours,
// previewed, written as HTML in an editor pane and inserted into the document.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

#include <memory>
#include <vector>

#include "engine/html/GradientText.h"

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace quinkle {

struct CompiledScheme;
class GradientPreview;
class InsertHost;
class SourceEditorWidget;

/// The dialog keeps its colour list, text, font, background and output for the run. Insert
/// puts the output pane's whole text into the document as one "Gradient Text" undo step and
/// leaves the dialog open; Exit, Escape and the close box close it. Questions and messages go
/// through the prompter.
class GradientDialog : public QDialog {
    Q_OBJECT

public:
    /// The output pane highlights with a copy of `htmlScheme` when one is given.
    GradientDialog(InsertHost& host, const CompiledScheme* htmlScheme, QWidget* parent = nullptr);
    ~GradientDialog() override;

    /// Where the pop-up menu was asked for; it decides which items are enabled.
    enum class Zone { Other, Colours, Output, Preview };

    std::vector<RgbColour> Colours() const;
    void SetColours(const std::vector<RgbColour>& colours);
    QString OutputText() const;
    QFont TextFont() const { return m_font; }
    QColor Background() const { return m_background; }
    /// The pop-up menu with its items enabled for `zone`, not shown.
    QMenu* PopupFor(Zone zone);

    /// Regenerates the preview and the output from the list, text, font and background.
    void Generate();
    void Preview();
    void Add();
    void Modify();
    void Delete();
    void MoveUp();
    void MoveDown();
    void Reverse();
    void ChooseFont();
    void ChooseBackground();
    void Load();
    void Save();
    void Insert();

private:
    QPushButton* AddButton(const char* name, const QString& caption, const QString& hint);
    void MakePopup();
    /// The selected entry's row, or -1 after saying that none is selected.
    int SelectedRow();
    void Swap(int row, int other);
    void Error(const QString& text);
    QString FileFolder() const;

    InsertHost& m_host;
    std::unique_ptr<CompiledScheme> m_scheme;
    QLineEdit* m_Edit1 = nullptr;
    QListWidget* m_ListBox1 = nullptr;
    GradientPreview* m_Image1 = nullptr;
    SourceEditorWidget* m_Memo1 = nullptr;
    QMenu* m_popup = nullptr;
    QFont m_font;
    QColor m_background = Qt::white;
};

}  // namespace quinkle
