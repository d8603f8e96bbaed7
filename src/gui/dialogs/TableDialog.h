// The Insert Table dialog: rows, columns, width, border and alignments of an empty table.
#pragma once

#include "engine/html/TableText.h"
#include "gui/dialogs/InsertDialog.h"

class QComboBox;
class QSpinBox;

namespace quinkle {

/// Builds an empty table from its fields; OK inserts it as one "Table" undo step. The fields
/// keep their values for the whole run.
class TableDialog : public InsertDialog {
    Q_OBJECT

public:
    explicit TableDialog(InsertHost& host, QWidget* parent = nullptr);

    /// The fields as they stand now; a list with no entry chosen gives an empty alignment.
    TableFields Fields() const;
    GeneratedText Generated() const override;

private:
    QSpinBox* m_SpinRows = nullptr;
    QSpinBox* m_SpinCols = nullptr;
    QSpinBox* m_spinWidth = nullptr;
    QSpinBox* m_SpinThick = nullptr;
    QComboBox* m_cbAlign = nullptr;
    QComboBox* m_cbHAlign = nullptr;
    QComboBox* m_cbVAlign = nullptr;
};

}  // namespace quinkle
