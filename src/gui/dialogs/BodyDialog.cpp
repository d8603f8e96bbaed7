// The Create Body dialog: background, sound and colours of a page's body start tag.
#include "gui/dialogs/BodyDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <exception>
#include <limits>

#include "engine/help/HelpTopics.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

const QString BodyDialog::kHelpTopic = FromStd(kTopicBodyDialog);

namespace {

const QString kGraphicFilter =
    QStringLiteral("Graphic Files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|All Files (*.*)|*.*");
const QString kMidiFilter = QStringLiteral("MIDI Files (*.mid)|*.mid|All Files (*.*)|*.*");
const QString kGraphicKey = QStringLiteral("GFXPath");
const QString kMidiKey = QStringLiteral("MIDIPath");

QLabel* AddLabel(QWidget* owner, QGridLayout* grid, int row, int column, const QString& text,
                 QWidget* buddy) {
    auto* label = new QLabel(text, owner);
    label->setBuddy(buddy);
    grid->addWidget(label, row, column);
    return label;
}

}  // namespace

BodyDialog::BodyDialog(InsertHost& host, QWidget* parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmBody"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Create Body..."));
    setModal(true);
    CreateControls();
    ConnectHandlers();
    TakeFontName(*this, parent);
}

void BodyDialog::CreateControls() {
    m_BGGfxEdit = new FileNameEdit(this);
    m_BGGfxEdit->setObjectName(QStringLiteral("BGGfxEdit"));
    m_BGGfxEdit->SetFilter(kGraphicFilter);
    m_gDir = new QCheckBox(QStringLiteral("Use File Dir?"), this);
    m_gDir->setObjectName(QStringLiteral("gDir"));
    m_BGMidiEdit = new FileNameEdit(this);
    m_BGMidiEdit->setObjectName(QStringLiteral("BGMidiEdit"));
    m_BGMidiEdit->SetFilter(kMidiFilter);
    m_mDir = new QCheckBox(QStringLiteral("Use File Dir?"), this);
    m_mDir->setObjectName(QStringLiteral("mDir"));
    m_MidiPlays = new QSpinBox(this);
    m_MidiPlays->setObjectName(QStringLiteral("MidiPlays"));
    m_MidiPlays->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    m_MidiPlays->setValue(0);

    auto* files = new QGridLayout;
    AddLabel(this, files, 0, 0, QStringLiteral("BG Graphic:"), m_BGGfxEdit->LineEdit());
    files->addWidget(m_BGGfxEdit, 0, 1);
    files->addWidget(m_gDir, 0, 2);
    AddLabel(this, files, 1, 0, QStringLiteral("MIDI File:"), m_BGMidiEdit->LineEdit());
    files->addWidget(m_BGMidiEdit, 1, 1);
    files->addWidget(m_mDir, 1, 2);
    AddLabel(this, files, 2, 0, QStringLiteral("Plays:"), m_MidiPlays);
    files->addWidget(m_MidiPlays, 2, 1, Qt::AlignLeft);
    files->setColumnStretch(1, 1);

    auto* colours = new QGroupBox(QStringLiteral("Colours:"), this);
    colours->setObjectName(QStringLiteral("gbColours"));
    auto* colourGrid = new QGridLayout(colours);
    m_BGCol = AddColourField(colourGrid, 0, 0, QStringLiteral("BG Colour:"), "BGCol",
                             QStringLiteral("FFFFFF"));
    m_TxtCol = AddColourField(colourGrid, 0, 3, QStringLiteral("Text:"), "TxtCol",
                              QStringLiteral("000000"));
    m_LinksCol = AddColourField(colourGrid, 1, 0, QStringLiteral("Links:"), "LinksCol",
                                QStringLiteral("0000FF"));
    m_VLinksCol = AddColourField(colourGrid, 1, 3, QStringLiteral("VLinks:"), "VLinksCol",
                                 QStringLiteral("800080"));

    DialogButtons buttons = AddDialogButtons(*this);
    m_btnOK = buttons.ok;
    m_btnCancel = buttons.cancel;
    m_btnHelp = buttons.help;
    connect(buttons.helpKey, &QShortcut::activated, this, &BodyDialog::btnHelpClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addWidget(colours);
    layout->addStretch(1);
    layout->addLayout(buttons.row);
    resize(480, sizeHint().height());
}

QLineEdit* BodyDialog::AddColourField(QGridLayout* grid, int row, int column, const QString& label,
                                      const char* name, const QString& defaultText) {
    QLineEdit* field = quinkle::AddColourField(m_host, grid->parentWidget(), grid, row, column + 1,
                                               name, defaultText);
    AddLabel(grid->parentWidget(), grid, row, column, label, field);
    return field;
}

void BodyDialog::ConnectHandlers() {
    ConnectFileBrowse(this, m_host, m_BGGfxEdit, m_gDir, kGraphicKey);
    ConnectFileBrowse(this, m_host, m_BGMidiEdit, m_mDir, kMidiKey);
    connect(m_btnOK, &QPushButton::clicked, this, &BodyDialog::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnHelp, &QPushButton::clicked, this, &BodyDialog::btnHelpClick);
}

BodyFields BodyDialog::Fields() const {
    BodyFields fields;
    fields.BGGfx = m_BGGfxEdit->FileName().toStdString();
    fields.BGMidi = m_BGMidiEdit->FileName().toStdString();
    fields.MidiPlays = m_MidiPlays->value();
    fields.BGCol = m_BGCol->text().toStdString();
    fields.TxtCol = m_TxtCol->text().toStdString();
    fields.LinksCol = m_LinksCol->text().toStdString();
    fields.VLinksCol = m_VLinksCol->text().toStdString();
    return fields;
}

QString BodyDialog::BodyTag() const { return QString::fromStdString(BuildBodyTag(Fields())); }

void BodyDialog::btnOKClick() {
    Guarded([&] { m_host.InsertGeneratedText(BodyTag(), 0, ucBody); });
    accept();
}

void BodyDialog::btnHelpClick() { m_host.ShowHelpTopic(kHelpTopic); }

}  // namespace quinkle
