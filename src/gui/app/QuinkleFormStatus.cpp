// The main window's status bar, the command-state refresh and the key state indicators.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QStatusBar>

#include "gui/app/MainStatusBar.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle {
namespace {

void SetEnabled(const QuinkleForm& form, std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) form.Command(QLatin1String(name))->setEnabled(enabled);
}

}  // namespace

void QuinkleForm::CreateStatusBar() { m_status = std::make_unique<MainStatusBar>(statusBar()); }

QString QuinkleForm::PanelText(int panel) const { return m_status->Text(panel); }

void QuinkleForm::SetPanelText(int panel, const QString& text) { m_status->SetText(panel, text); }

void QuinkleForm::UpdateCommandState() {
    if (!StartupComplete()) {
        QCoreApplication::processEvents();
        return;
    }
    const SourceEditor& editor = m_memo->Editor();
    SetEnabled(*this, {"btnUndo", "mnuUndo", "Undo1"}, editor.CanUndo());
    SetEnabled(*this, {"btnRedo", "mnuRedo", "Redo1"}, editor.CanRedo());

    const bool selection = editor.SelLength() > 0;
    m_status->ShowPosition(editor);
    SetEnabled(*this,
               {"mnuCut", "btnCut", "Cut1", "mnuCopy", "btnCopy", "Copy1", "mnuIndent",
                "mnuUnIndent", "btnIndent", "btnUnIndent", "btnDelete"},
               selection);

    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    SetEnabled(*this, {"mnuPaste", "btnPaste", "Paste1"}, clip != nullptr && clip->hasText());
}

void QuinkleForm::ShowStatusMessage(const QString& text) {
    UpdateCommandState();
    SetPanelText(PanelMessage, text);
}

void QuinkleForm::Memo1KeyDown(QKeyEvent* event) {
    UpdateKeyIndicators(event);
    UpdateCommandState();
}

void QuinkleForm::UpdateKeyIndicators(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The editor toggles its mode after this handler; show the mode it ends in.
        QMetaObject::invokeMethod(
            this, [this] { m_status->ShowInsertMode(m_memo->Editor().InsertMode()); },
            Qt::QueuedConnection);
    }
    m_status->ShowLockKeys(*event);
}

}  // namespace quinkle
