// Switches tool tips on and off for the whole application.
#include "gui/app/HintSwitch.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>

namespace quinkle {

HintSwitch& HintSwitch::Instance() {
    static HintSwitch* instance = [] {
        auto* created = new HintSwitch;
        created->setParent(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    return *instance;
}

void HintSwitch::SetHintsShown(bool shown) {
    m_shown = shown;
    if (!shown) QToolTip::hideText();
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (!m_shown && event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace quinkle
