// The Horizontal Rule dialog: width, thickness, colour, alignment and shading of an hr line.
#pragma once

#include "engine/html/RuleText.h"
#include "gui/dialogs/InsertDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace quinkle {

/// Builds an hr tag from its fields; OK inserts it as one "Horizontal Line" undo step. The
/// alignment is the list's text, so a typed one counts. The fields keep their values.
class RuleDialog : public InsertDialog {
    Q_OBJECT

public:
    explicit RuleDialog(InsertHost& host, QWidget* parent = nullptr);

    RuleFields Fields() const;
    GeneratedText Generated() const override;

private:
    QSpinBox* m_Widthsp = nullptr;
    QSpinBox* m_Heightsp = nullptr;
    QLineEdit* m_ceColour = nullptr;
    QComboBox* m_cbAlign = nullptr;
    QCheckBox* m_cbSolid = nullptr;
};

}  // namespace quinkle
