// The editor's Find and Replace windows: the text, its options and the buttons that search.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quinkle {

/// A modeless Find or Replace window. It holds no search logic: its buttons raise signals,
/// and Flags() turns its options into the editor's search flag word (match case 0x10,
/// backwards 0x80 when "Up" is chosen, whole words 0x40; expression mode 0x20 as set by
/// SetFlags, which the window shows but does not let the user change).
class FindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Find, Replace };

    FindReplaceDialog(Mode mode, QWidget* parent);

    Mode DialogMode() const { return m_mode; }
    /// Presets match case from 0x10 and takes the expression mode from 0x20.
    void SetFlags(uint32_t flags);
    uint32_t Flags() const;
    void SetFindText(const QString& text);
    QString FindText() const;
    QString ReplaceText() const;

signals:
    void FindNextClicked();
    /// Replace (all false) or Replace All (all true).
    void ReplaceClicked(bool all);

private:
    void UpdateButtons();

    Mode m_mode;
    bool m_regExp = false;
    QLineEdit* m_findText = nullptr;
    QLineEdit* m_replaceText = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_regExpShown = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace quinkle
