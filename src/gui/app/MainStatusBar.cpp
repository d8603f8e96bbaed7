// The main window's status bar panels.
#include "gui/app/MainStatusBar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "engine/editor/SourceEditor.h"

namespace quinkle {
namespace {

constexpr int kPanelWidths[] = {110, 40, 40, 40, 35};
constexpr const char* kPanelTexts[] = {"Line:   0 Col:    0", "INS", "NUM", "", ""};

bool IsNavigationKey(int key) {
    return key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left ||
           key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
           key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Insert ||
           key == Qt::Key_Delete || key == Qt::Key_Clear;
}

}  // namespace

MainStatusBar::MainStatusBar(QStatusBar* bar) {
    bar->setObjectName(QStringLiteral("Status"));
    bar->setSizeGripEnabled(true);
    for (int panel = 0; panel < 5; ++panel) {
        auto* label = new QLabel(QLatin1String(kPanelTexts[panel]), bar);
        label->setObjectName(QStringLiteral("Panel%1").arg(panel));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        if (panel < Message) {
            label->setFixedWidth(kPanelWidths[panel]);
            bar->addWidget(label);
        } else {
            label->setMinimumWidth(kPanelWidths[panel]);
            bar->addWidget(label, 1);
        }
        m_panels[size_t(panel)] = label;
    }
}

QString MainStatusBar::Text(int panel) const {
    return panel >= 0 && panel < 5 ? m_panels[size_t(panel)]->text() : QString();
}

void MainStatusBar::SetText(int panel, const QString& text) {
    if (panel >= 0 && panel < 5) m_panels[size_t(panel)]->setText(text);
}

void MainStatusBar::ShowPosition(const SourceEditor& editor) {
    if (editor.SelLength() > 0) {
        SetText(Position, QString::asprintf("Len:%5.d", int(editor.SelLength())));
        return;
    }
    int32_t column = 0;
    int32_t line = 0;
    editor.GetCaretPos(column, line);
    SetText(Position, QString::asprintf("Line:%4.d Col:%4.d", int(line), int(column)));
}

void MainStatusBar::ShowInsertMode(bool insert) {
    SetText(Insert, insert ? QStringLiteral("INS") : QStringLiteral("OVR"));
}

void MainStatusBar::ShowLockKeys(const QKeyEvent& event) {
    // The lock keys' states are read off the keys they change: a letter whose case differs
    // from what Shift asks for means Caps Lock, a keypad digit means Num Lock.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const QString text = event.text();
    const bool shift = modifiers & Qt::ShiftModifier;
    if (text.size() == 1 && text.at(0).isLetter() && text.at(0).isUpper() != text.at(0).isLower() &&
        !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        const bool caps = text.at(0).isUpper() != shift;
        SetText(CapsLock, caps ? QStringLiteral("CAP") : QString());
    }
    if (!(modifiers & Qt::KeypadModifier)) return;
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period || key == Qt::Key_Comma)
        SetText(NumLock, QStringLiteral("NUM"));
    else if (!shift && IsNavigationKey(key))
        SetText(NumLock, QString());
}

}  // namespace quinkle
