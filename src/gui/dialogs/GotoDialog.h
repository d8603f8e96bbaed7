// The Goto dialog: the start, a line, or the end of the document.
#pragma once

#include <QDialog>
#include <functional>

#include "engine/editor/GotoLine.h"

class QLineEdit;
class QRadioButton;

namespace quinkle {

/// "HTML Quinkle - Goto...": a "Goto" group with Start, Line (the default) and End, the line
/// number field eLineNum (typing in it chooses Line), and OK, Cancel and Help.
class GotoDialog : public QDialog {
public:
    GotoDialog(QWidget* parent, std::function<void()> help);

    GotoChoice Choice() const;
    /// The typed line number; 0 when the field holds no number.
    int32_t LineNumber() const;

    static const QString kHelpTopic;

private:
    QRadioButton* m_start;
    QRadioButton* m_line;
    QRadioButton* m_end;
    QLineEdit* m_lineNumber;
};

}  // namespace quinkle
