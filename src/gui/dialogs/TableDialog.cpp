// The Insert Table dialog: rows, columns, width, border and alignments of an empty table.
#include "gui/dialogs/TableDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>

#include <limits>

#include "engine/help/HelpTopics.h"
#include "engine/text/UndoStack.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

QSpinBox* MakeSpin(QWidget* owner, const char* name, int minimum, int maximum, int value) {
    auto* spin = new QSpinBox(owner);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

// A list read by its chosen entry: nothing is chosen at first.
QComboBox* MakeList(QWidget* owner, const char* name, const QStringList& entries) {
    auto* list = new QComboBox(owner);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    list->setCurrentIndex(-1);
    return list;
}

std::string Chosen(const QComboBox* list) {
    return list->currentIndex() < 0 ? std::string() : ToStd(list->currentText());
}

}  // namespace

TableDialog::TableDialog(InsertHost& host, QWidget* parent)
    : InsertDialog(host, parent, "frmTable", QStringLiteral("HTML Quinkle - Insert A Table"),
                   ucTable, kTopicTableDialog) {
    constexpr int kUnbounded = std::numeric_limits<int>::max();
    m_SpinRows = MakeSpin(this, "SpinRows", 1, 99, 1);
    m_SpinCols = MakeSpin(this, "SpinCols", 1, 99, 1);
    m_spinWidth = MakeSpin(this, "spinWidth", 0, 100, 100);
    m_SpinThick = MakeSpin(this, "SpinThick", -kUnbounded, kUnbounded, 0);
    const QStringList horizontal{QStringLiteral("Left"), QStringLiteral("Center"),
                                 QStringLiteral("Right")};
    m_cbAlign = MakeList(this, "cbAlign", horizontal);
    m_cbHAlign = MakeList(this, "cbHAlign", horizontal);
    m_cbVAlign =
        MakeList(this, "cbVAlign",
                 {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")});

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Number of &Rows:"), m_SpinRows);
    fields->addRow(QStringLiteral("Number of &Cols:"), m_SpinCols);
    fields->addRow(QStringLiteral("&Width of Page %"), m_spinWidth);
    fields->addRow(QStringLiteral("&Border Thickness:"), m_SpinThick);
    fields->addRow(QStringLiteral("&Table Alignment:"), m_cbAlign);
    fields->addRow(QStringLiteral("&Horizontal Alignment:"), m_cbHAlign);
    fields->addRow(QStringLiteral("&Vertical Alignment:"), m_cbVAlign);
    SetFieldsLayout(fields);
}

TableFields TableDialog::Fields() const {
    TableFields fields;
    fields.Rows = m_SpinRows->value();
    fields.Cols = m_SpinCols->value();
    fields.Width = m_spinWidth->value();
    fields.Border = m_SpinThick->value();
    fields.Align = Chosen(m_cbAlign);
    fields.CellAlign = Chosen(m_cbHAlign);
    fields.CellVAlign = Chosen(m_cbVAlign);
    return fields;
}

GeneratedText TableDialog::Generated() const { return BuildTable(Fields()); }

}  // namespace quinkle
