// The main window's status bar, the command-state refresh and the key state indicators.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>

#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle {
namespace {

constexpr int kPanelWidths[] = {110, 40, 40, 40, 35};
constexpr const char* kPanelTexts[] = {"Line:   0 Col:    0", "INS", "NUM", "", ""};

void SetEnabled(const QuinkleForm& form, std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) form.Command(QLatin1String(name))->setEnabled(enabled);
}

}  // namespace

void QuinkleForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("Status"));
    bar->setSizeGripEnabled(true);
    for (int panel = 0; panel < 5; ++panel) {
        auto* label = new QLabel(QLatin1String(kPanelTexts[panel]), bar);
        label->setObjectName(QStringLiteral("Panel%1").arg(panel));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        if (panel < PanelMessage) {
            label->setFixedWidth(kPanelWidths[panel]);
            bar->addWidget(label);
        } else {
            label->setMinimumWidth(kPanelWidths[panel]);
            bar->addWidget(label, 1);
        }
        m_panels[size_t(panel)] = label;
    }
}

QString QuinkleForm::PanelText(int panel) const {
    return panel >= 0 && panel < 5 ? m_panels[size_t(panel)]->text() : QString();
}

void QuinkleForm::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 5) m_panels[size_t(panel)]->setText(text);
}

void QuinkleForm::UpdateCommandState() {
    if (!StartupComplete()) {
        QCoreApplication::processEvents();
        return;
    }
    const SourceEditor& editor = m_memo->Editor();
    SetEnabled(*this, {"btnUndo", "mnuUndo", "Undo1"}, editor.CanUndo());
    SetEnabled(*this, {"btnRedo", "mnuRedo", "Redo1"}, editor.CanRedo());

    const bool selection = editor.SelLength() > 0;
    if (selection) {
        SetPanelText(PanelPosition, QString::asprintf("Len:%5.d", int(editor.SelLength())));
    } else {
        int32_t column = 0;
        int32_t line = 0;
        editor.GetCaretPos(column, line);
        SetPanelText(PanelPosition,
                     QString::asprintf("Line:%4.d Col:%4.d", int(line), int(column)));
    }
    SetEnabled(*this,
               {"mnuCut", "btnCut", "Cut1", "mnuCopy", "btnCopy", "Copy1", "mnuIndent",
                "mnuUnIndent", "btnIndent", "btnUnIndent"},
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
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->key() == Qt::Key_Insert && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The editor toggles its mode after this handler; show the mode it ends in.
        QMetaObject::invokeMethod(
            this,
            [this] {
                SetPanelText(PanelInsert, m_memo->Editor().InsertMode() ? QStringLiteral("INS")
                                                                        : QStringLiteral("OVR"));
            },
            Qt::QueuedConnection);
    }

    // The lock keys' states are read off the keys they change: a letter whose case differs
    // from what Shift asks for means Caps Lock, a keypad digit means Num Lock.
    const QString text = event->text();
    const bool shift = modifiers & Qt::ShiftModifier;
    if (text.size() == 1 && text.at(0).isLetter() && text.at(0).isUpper() != text.at(0).isLower() &&
        !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        const bool caps = text.at(0).isUpper() != shift;
        SetPanelText(PanelCapsLock, caps ? QStringLiteral("CAP") : QString());
    }
    if (modifiers & Qt::KeypadModifier) {
        const int key = event->key();
        if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period ||
            key == Qt::Key_Comma) {
            SetPanelText(PanelNumLock, QStringLiteral("NUM"));
        } else if (!shift &&
                   (key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left ||
                    key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
                    key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Insert ||
                    key == Qt::Key_Delete || key == Qt::Key_Clear)) {
            SetPanelText(PanelNumLock, QString());
        }
    }
}

}  // namespace quinkle
