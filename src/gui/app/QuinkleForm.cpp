// The main window: construction, the three-part title, the editor's events and the save
// question that closing asks.
#include "gui/app/QuinkleForm.h"

#include "engine/document/Document.h"
#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/scheme/SchemeOutputStyler.h"
#include "engine/store/UserStore.h"
#include "gui/app/ShippedSchemes.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/BannerMenu.h"
#include "gui/app/HintSwitch.h"
#include "gui/app/MainStatusBar.h"
#include "gui/app/ProgramInfo.h"
#include "gui/app/ProgramState.h"
#include "gui/app/TitleCaption.h"
#include "gui/dialogs/ConfigureDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
QuinkleForm::QuinkleForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("QuinkleForm"));
    setFont(QFont(FromStd(kProgramFont.Default), 8));
    move(kWindowLeft.Default, kWindowTop.Default);
    resize(kWindowWidth.Default, kWindowHeight.Default);
    m_wbrKey = FromStd(kWbrKey.Default);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    m_memo = new SourceEditorWidget(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    setCentralWidget(m_memo);

    CreateCommands();
    CreatePopupMenus();
    CreateMenus();
    CreateToolbars();
    CreateToolWindows();
    CreateStatusBar();
    SetConfigureDialog(nullptr);
    connect(m_controls.Heading, &QComboBox::activated, this,
            [this] { Guarded([this] { InsertHeading(m_controls.Heading->currentText()); }); });
    connect(m_memo, &SourceEditorWidget::FilesDropped, this,
            [this](const QStringList& names) { Guarded([&] { Memo1FilesDropped(names); }); });
    // Menus are windows of their own: the program font does not reach them by itself.
    for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(font());
    QToolTip::setFont(font());

    m_caption = new TitleCaption(menuBar());

    m_memo->installEventFilter(this);
    m_memo->viewport()->installEventFilter(this);
    m_memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_memo, &QWidget::customContextMenuRequested, this, [this] {
        UpdateCommandState();
        findChild<QMenu*>(QStringLiteral("MemoPopUp"))->popup(QCursor::pos());
    });
    connect(m_memo, &SourceEditorWidget::CaretMoved, this, &QuinkleForm::UpdateCommandState);

    FormCreate();
}

QuinkleForm::~QuinkleForm() {
    // The editor widget outlives the members: it must not keep pointing into the schemes.
    if (m_memo) {
        m_memo->SetScheme(nullptr);
        m_memo->UseHighlighter(nullptr);
        m_memo->Editor().SetSettings(nullptr);
        m_memo->Editor().SetOutputStyler(nullptr);
    }
}

QString QuinkleForm::ProgramDir() const { return ::quinkle::ProgramDir(); }

void QuinkleForm::SetDocumentTitle(const QString& part) {
    m_documentTitle = part;
    setWindowTitle(QStringLiteral("%1 - %2").arg(QLatin1String(kProductName.data()), part));
    m_caption->SetDocumentPart(part);
}

void QuinkleForm::SetHintsShown(bool shown) { HintSwitch::Instance().SetHintsShown(shown); }

bool QuinkleForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_memo || watched == m_memo->viewport()) {
        if (event->type() == QEvent::KeyPress) {
            Memo1KeyDown(static_cast<QKeyEvent*>(event));
        } else if (event->type() == QEvent::MouseMove) {
            UpdateCommandState();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void QuinkleForm::Memo1Change() {
    // The title's document part carries "*" exactly while the document is modified; undoing
    // back to the saved text takes it away again.
    if (!StartupComplete()) return;
    const bool modified = m_memo->Editor().Modified();
    const bool marked = m_documentTitle.endsWith(QLatin1Char('*'));
    if (modified && !marked)
        SetDocumentTitle(m_documentTitle + QLatin1Char('*'));
    else if (!modified && marked)
        SetDocumentTitle(m_documentTitle.chopped(1));
}

void QuinkleForm::SetConfigureDialog(ConfigureDialog* dialog) {
    m_configureDialog = dialog;
    for (const char* name : {"mnuToolBars", "btnToolBar"})
        Command(QLatin1String(name))->setEnabled(dialog != nullptr);
}

void QuinkleForm::btnToolBarClick() {
    if (m_configureDialog == nullptr) return;
    m_configureDialog->exec();
    ApplyBackground();
}

void QuinkleForm::btnExitClick() { close(); }

}  // namespace quinkle
