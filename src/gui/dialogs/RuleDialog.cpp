// The Horizontal Rule dialog: width, thickness, colour, alignment and shading of an hr line.
#include "gui/dialogs/RuleDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "engine/help/HelpTopics.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

// The label of `field` in the first column, and the field across the other two unless it is
// in the grid already (the colour field sits there with its button).
void AddRow(QWidget* owner, QGridLayout* grid, int row, const QString& label, QWidget* field) {
    auto* text = new QLabel(label, owner);
    text->setBuddy(field);
    grid->addWidget(text, row, 0);
    if (grid->indexOf(field) < 0) grid->addWidget(field, row, 1, 1, 2);
}

}  // namespace

RuleDialog::RuleDialog(InsertHost& host, QWidget* parent)
    : InsertDialog(host, parent, "frmHLine",
                   QStringLiteral("HTML Quinkle - Insert a Horizontal Rule"), ucHorizontalLine,
                   kTopicRuleDialog) {
    m_Widthsp = new QSpinBox(this);
    m_Widthsp->setObjectName(QStringLiteral("Widthsp"));
    m_Widthsp->setRange(1, 100);
    m_Widthsp->setValue(100);
    m_Heightsp = new QSpinBox(this);
    m_Heightsp->setObjectName(QStringLiteral("Heightsp"));
    m_Heightsp->setRange(1, 20);
    m_Heightsp->setValue(3);
    m_cbAlign = new QComboBox(this);
    m_cbAlign->setObjectName(QStringLiteral("cbAlign"));
    m_cbAlign->setEditable(true);
    m_cbAlign->addItems(
        {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    m_cbAlign->setCurrentText(QStringLiteral("Center"));
    m_cbSolid = new QCheckBox(QStringLiteral("&Solid Bar"), this);
    m_cbSolid->setObjectName(QStringLiteral("cbSolid"));

    auto* grid = new QGridLayout;
    AddRow(this, grid, 0, QStringLiteral("&Width On Page %"), m_Widthsp);
    AddRow(this, grid, 1, QStringLiteral("&Height (1-20):"), m_Heightsp);
    m_ceColour = AddColourField(Host(), this, grid, 2, 1, "ceColour", QString());
    AddRow(this, grid, 2, QStringLiteral("C&olour"), m_ceColour);
    AddRow(this, grid, 3, QStringLiteral("&Alignment:"), m_cbAlign);
    grid->addWidget(m_cbSolid, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    SetFieldsLayout(grid);
}

RuleFields RuleDialog::Fields() const {
    RuleFields fields;
    fields.Width = m_Widthsp->value();
    fields.Height = m_Heightsp->value();
    fields.Colour = ToStd(m_ceColour->text());
    fields.Align = ToStd(m_cbAlign->currentText());
    fields.Solid = m_cbSolid->isChecked();
    return fields;
}

GeneratedText RuleDialog::Generated() const { return BuildRule(Fields()); }

}  // namespace quinkle
