// The Configure dialog's bands and controls, with their captions and names.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

#include "gui/dialogs/ConfigureDialog.h"
#include "gui/widgets/CollapsibleSection.h"
#include "gui/widgets/FileNameEdit.h"

namespace quinkle {
namespace {

const QString kHelpFileFilter = QStringLiteral("Help File (*.hlp)|*.hlp|All files (*.*)|*.*");
const QString kKeywordFileFilter = QStringLiteral("Keyword File (*.key)|*.key|All files (*.*)|*.*");
const QString kProgramFilter = QStringLiteral("Program Files (*.exe)|*.exe|All files (*.*)|*.*");

/// A group box of radio buttons, numbered from 0 in the order given, each named and captioned.
QButtonGroup* AddRadioGroup(QWidget* owner, QLayout* layout, const QString& objectName,
                            const QString& title,
                            std::initializer_list<std::pair<const char*, QString>> buttons,
                            Qt::Orientation orientation = Qt::Vertical) {
    auto* box = new QGroupBox(title, owner);
    box->setObjectName(objectName);
    QBoxLayout* boxLayout = orientation == Qt::Vertical
                                ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    auto* group = new QButtonGroup(box);
    group->setObjectName(objectName + QStringLiteral("Buttons"));
    int id = 0;
    for (const auto& [name, caption] : buttons) {
        auto* radio = new QRadioButton(caption, box);
        radio->setObjectName(QString::fromLatin1(name));
        group->addButton(radio, id++);
        boxLayout->addWidget(radio);
    }
    if (orientation == Qt::Horizontal) boxLayout->addStretch(1);
    layout->addWidget(box);
    return group;
}

QCheckBox* AddCheckBox(QWidget* owner, const QString& objectName, const QString& caption) {
    auto* box = new QCheckBox(caption, owner);
    box->setObjectName(objectName);
    return box;
}

FileNameEdit* AddFileBox(QWidget* owner, QLayout* layout, const QString& objectName,
                         const QString& caption, const QString& filter) {
    auto* label = new QLabel(caption, owner);
    auto* edit = new FileNameEdit(owner);
    edit->setObjectName(objectName);
    edit->SetFilter(filter);
    label->setBuddy(edit->LineEdit());
    layout->addWidget(label);
    layout->addWidget(edit);
    return edit;
}

}  // namespace

void ConfigureDialog::CreateControls() {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    CreateToolbarsBand(column);
    CreateKeywordHelpBand(column);
    CreateEditKeywordsBand(column);
    CreateStartupBand(column);
    CreateTidyBand(column);
    CreateMiscBand(column);
    CreateDefaultBrowserBand(column);
    CreateShowHintsBand(column);
    column->addStretch(1);

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("bands"));
    page->setLayout(column);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollBands"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(page);

    m_btnOK = new QPushButton(QStringLiteral("&OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    m_btnHelp = new QPushButton(QStringLiteral("&Help"), this);
    m_btnHelp->setObjectName(QStringLiteral("btnHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    // Wide enough for the widest band when it is open, so opening one never clips it.
    int widest = 0;
    for (CollapsibleSection* band : m_bands) {
        widest = qMax(widest, band->Body()->sizeHint().width());
        widest = qMax(widest, band->TitleBar()->sizeHint().width());
    }
    const QMargins margins = column->contentsMargins();
    scroll->setMinimumWidth(widest + margins.left() + margins.right() + 2 * scroll->frameWidth() +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    resize(sizeHint().width(), 540);
}

CollapsibleSection* ConfigureDialog::AddBand(QVBoxLayout* column, const QString& objectName,
                                             const QString& title) {
    auto* band = new CollapsibleSection(title, this);
    band->setObjectName(objectName);
    column->addWidget(band);
    m_bands.append(band);
    return band;
}

void ConfigureDialog::CreateToolbarsBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandToolbars"), QStringLiteral("Toolbars"))->Body();
    auto* layout = new QVBoxLayout(body);
    auto* label = new QLabel(QStringLiteral("Show Which ToolBars?"), body);
    m_clbToolBars = new QListWidget(body);
    m_clbToolBars->setObjectName(QStringLiteral("clbToolBars"));
    m_clbToolBars->setMinimumHeight(120);
    label->setBuddy(m_clbToolBars);
    m_cbLargeIcons = AddCheckBox(body, QStringLiteral("cbLargeIcons"),
                                 QStringLiteral("Large Icons on the Toolbars"));
    layout->addWidget(label);
    layout->addWidget(m_clbToolBars);
    layout->addWidget(m_cbLargeIcons);
}

void ConfigureDialog::CreateKeywordHelpBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandKeywordHelp"), QStringLiteral("Keyword Help"))->Body();
    auto* layout = new QVBoxLayout(body);
    m_edHelpFile = AddFileBox(body, layout, QStringLiteral("edHelpFile"),
                              QStringLiteral("Use Which HelpFile For Keywords"), kHelpFileFilter);
    m_edKeywordFile = AddFileBox(body, layout, QStringLiteral("edKeywordFile"),
                                 QStringLiteral("Use Which Keywords File"), kKeywordFileFilter);
    m_edKeywordFile->SetDefaultExtension(QStringLiteral("*.key"));
}

void ConfigureDialog::CreateEditKeywordsBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandEditKeywords"), QStringLiteral("Edit Keywords"))
            ->Body();
    auto* layout = new QVBoxLayout(body);
    auto* label = new QLabel(QStringLiteral("Edit Keywords for your Help File"), body);
    m_memKeywords = new QPlainTextEdit(body);
    m_memKeywords->setObjectName(QStringLiteral("memKeywords"));
    m_memKeywords->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memKeywords->setTabChangesFocus(true);
    m_memKeywords->setMinimumHeight(120);
    label->setBuddy(m_memKeywords);
    layout->addWidget(label);
    layout->addWidget(m_memKeywords);
}

void ConfigureDialog::CreateStartupBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandStartup"), QStringLiteral("Startup"))->Body();
    auto* layout = new QVBoxLayout(body);
    m_rgStartup = AddRadioGroup(
        body, layout, QStringLiteral("rgStartup"), QStringLiteral("Default Startup/New Action"),
        {{"rbBlank", QStringLiteral("Blank Document")},
         {"rbMinimal", QStringLiteral("Minimal Document")},
         {"rbDefaultTxt", QStringLiteral("Use \"default.txt\" (if available)")},
         {"rbOther", QStringLiteral("Use Other")}});
    m_rbOther = static_cast<QRadioButton*>(m_rgStartup->button(3));
    m_edStartFile = new FileNameEdit(body);
    m_edStartFile->setObjectName(QStringLiteral("edStartFile"));
    m_edStartFile->SetFilter(QStringLiteral("All files (*.*)|*.*"));
    layout->addWidget(m_edStartFile);
}

void ConfigureDialog::CreateTidyBand(QVBoxLayout* column) {
    QWidget* body = AddBand(column, QStringLiteral("bandTidy"), QStringLiteral("Tidy"))->Body();
    auto* layout = new QGridLayout(body);
    m_cbTidyElement = AddCheckBox(body, QStringLiteral("cbTidyElement"),
                                  QStringLiteral("Indent Element Content"));
    m_cbTidyTags =
        AddCheckBox(body, QStringLiteral("cbTidyTags"), QStringLiteral("Omit Optional Endtags"));
    m_cbTidyWrap = AddCheckBox(body, QStringLiteral("cbTidyWrap"), QStringLiteral("Wrap at:"));
    m_seTidyWrapAt = new QSpinBox(body);
    m_seTidyWrapAt->setObjectName(QStringLiteral("seTidyWrapAt"));
    m_seTidyWrapAt->setRange(0, 9999);
    m_cbTidyErrLog =
        AddCheckBox(body, QStringLiteral("cbTidyErrLog"), QStringLiteral("Show Error Log"));
    m_cbTidyUpperCase = AddCheckBox(body, QStringLiteral("cbTidyUpperCase"),
                                    QStringLiteral("Force Tags to Uppercase"));
    m_cbTidyReplace = AddCheckBox(body, QStringLiteral("cbTidyReplace"),
                                  QStringLiteral("replace font, nobr && center tags by CSS"));
    layout->addWidget(m_cbTidyElement, 0, 0, 1, 2);
    layout->addWidget(m_cbTidyTags, 1, 0, 1, 2);
    layout->addWidget(m_cbTidyWrap, 2, 0);
    layout->addWidget(m_seTidyWrapAt, 2, 1, Qt::AlignLeft);
    layout->addWidget(m_cbTidyErrLog, 3, 0, 1, 2);
    layout->addWidget(m_cbTidyUpperCase, 4, 0, 1, 2);
    layout->addWidget(m_cbTidyReplace, 5, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void ConfigureDialog::CreateMiscBand(QVBoxLayout* column) {
    QWidget* body = AddBand(column, QStringLiteral("bandMisc"), QStringLiteral("Misc"))->Body();
    auto* layout = new QVBoxLayout(body);

    auto* looks = new QGroupBox(QStringLiteral("Menus Look"), body);
    looks->setObjectName(QStringLiteral("gbMenusLook"));
    auto* looksLayout = new QHBoxLayout(looks);
    m_cbMenusLook = new QComboBox(looks);
    m_cbMenusLook->setObjectName(QStringLiteral("cbMenusLook"));
    m_cbMenusLook->addItems(
        {QStringLiteral("Office97"), QStringLiteral("IE4"), QStringLiteral("None")});
    looksLayout->addWidget(m_cbMenusLook);
    looksLayout->addStretch(1);
    layout->addWidget(looks);

    m_rgBackground =
        AddRadioGroup(body, layout, QStringLiteral("rgBackground"), QStringLiteral("Background"),
                      {{"rbBackgroundDefault", QStringLiteral("Default")},
                       {"rbBackgroundNone", QStringLiteral("None")}},
                      Qt::Horizontal);
    m_rgBackups = AddRadioGroup(
        body, layout, QStringLiteral("rgBackups"), QStringLiteral("Create Backups While saving?"),
        {{"rbBackupsYes", QStringLiteral("Yes")}, {"rbBackupsNo", QStringLiteral("No")}},
        Qt::Horizontal);
    m_cbSchemeFromExtension =
        AddCheckBox(body, QStringLiteral("cbSchemeFromExtension"),
                    QStringLiteral("Choose the highlighting from the file's extension"));
    layout->addWidget(m_cbSchemeFromExtension);

    auto* recent = new QGroupBox(QStringLiteral("Most Recently Used"), body);
    recent->setObjectName(QStringLiteral("gbMRU"));
    auto* recentLayout = new QGridLayout(recent);
    auto* maxLabel = new QLabel(QStringLiteral("Max Items in MRU List (1-9)"), recent);
    m_seMRUMax = new QSpinBox(recent);
    m_seMRUMax->setObjectName(QStringLiteral("seMRUMax"));
    m_seMRUMax->setRange(1, 9);
    maxLabel->setBuddy(m_seMRUMax);
    m_cbFullPath = AddCheckBox(recent, QStringLiteral("cbFullPath"),
                               QStringLiteral("Show Full Pathnames in MRU list"));
    recentLayout->addWidget(maxLabel, 0, 0);
    recentLayout->addWidget(m_seMRUMax, 0, 1, Qt::AlignLeft);
    recentLayout->addWidget(m_cbFullPath, 1, 0, 1, 2);
    recentLayout->setColumnStretch(1, 1);
    layout->addWidget(recent);

    auto* extensionsLabel =
        new QLabel(QStringLiteral("Use Which Extensions for Quick File Load"), body);
    m_edQFileLoad = new QLineEdit(QStringLiteral("*.htm;*.html"), body);
    m_edQFileLoad->setObjectName(QStringLiteral("edQFileLoad"));
    extensionsLabel->setBuddy(m_edQFileLoad);
    layout->addWidget(extensionsLabel);
    layout->addWidget(m_edQFileLoad);
}

void ConfigureDialog::CreateDefaultBrowserBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandDefaultBrowser"), QStringLiteral("Default Browser"))
            ->Body();
    auto* layout = new QVBoxLayout(body);
    m_edBrowser = AddFileBox(body, layout, QStringLiteral("edBrowser"),
                             QStringLiteral("Select your Default Browser"), kProgramFilter);
    m_edBrowser->SetDialogTitle(QStringLiteral("Default Browser"));
}

void ConfigureDialog::CreateShowHintsBand(QVBoxLayout* column) {
    QWidget* body =
        AddBand(column, QStringLiteral("bandShowHints"), QStringLiteral("Show Hints"))->Body();
    auto* layout = new QVBoxLayout(body);
    m_rgShowHints =
        AddRadioGroup(body, layout, QStringLiteral("rgShowHints"),
                      QStringLiteral("Do you want to show the Default Hints?"),
                      {{"rbHintsYes", QStringLiteral("Yes")}, {"rbHintsNo", QStringLiteral("No")}},
                      Qt::Horizontal);
}

void ConfigureDialog::ConnectHandlers() {
    connect(m_btnOK, &QPushButton::clicked, this, &ConfigureDialog::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &ConfigureDialog::btnCancelClick);
    connect(m_btnHelp, &QPushButton::clicked, this, &ConfigureDialog::btnHelpClick);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("scHelp"));
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, &ConfigureDialog::btnHelpClick);

    connect(m_cbLargeIcons, &QCheckBox::clicked, this, &ConfigureDialog::cbLargeIconsClick);
    connect(m_cbMenusLook, &QComboBox::currentIndexChanged, this,
            &ConfigureDialog::cbMenusLookChange);
    connect(m_rgBackground, &QButtonGroup::buttonClicked, this,
            &ConfigureDialog::rgBackgroundClick);
    connect(m_edStartFile, &FileNameEdit::Edited, this, &ConfigureDialog::edStartFileClick);
    connect(m_edStartFile, &FileNameEdit::Clicked, this, &ConfigureDialog::edStartFileClick);
    connect(m_edStartFile, &FileNameEdit::FileChosen, this, &ConfigureDialog::edStartFileClick);
    connect(m_edHelpFile, &FileNameEdit::FileChosen, this, &ConfigureDialog::edHelpFileChange);
    connect(m_edKeywordFile, &FileNameEdit::BeforeBrowse, this,
            &ConfigureDialog::edKeywordFileBeforeBrowse);
    connect(m_edKeywordFile, &FileNameEdit::FileChosen, this,
            &ConfigureDialog::edKeywordFileChange);
}

}  // namespace quinkle
