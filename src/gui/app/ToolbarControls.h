// The controls that sit on the main window's toolbars besides the buttons.
#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace quinkle {

/// The macro name field, the heading box and the Font toolbar's ticks and boxes.
struct ToolbarControls {
    QLineEdit* Macro = nullptr;
    QComboBox* Heading = nullptr;
    QCheckBox* AddFont = nullptr;
    QCheckBox* AddColour = nullptr;
    QCheckBox* AddSize = nullptr;
    QComboBox* Size = nullptr;
    QComboBox* Colour = nullptr;
    QComboBox* Font = nullptr;

    /// Makes the control of designer name `name` (an "@name" item of the toolbar layouts) on
    /// `bar` and keeps it.
    QWidget* Make(const QString& name, QWidget* bar);
};

}  // namespace quinkle
