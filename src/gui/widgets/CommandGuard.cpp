// The guard around every entry point from Qt.
#include "gui/widgets/CommandGuard.h"

#include <QTimer>

#include "engine/text/EditorError.h"

namespace quinkle {

bool Guarded(const std::function<void()>& action, Prompter::Kind kind) {
    try {
        action();
        return true;
    } catch (const EQuinkleError& error) {
        AppPrompter().Message(kind, QString(), QString::fromStdString(error.what()), Prompter::Ok);
        return false;
    }
}

bool GuardedDeferred(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const EQuinkleError& error) {
        const QString text = QString::fromStdString(error.what());
        QTimer::singleShot(0, [text] { AppPrompter().Error(text); });
        return false;
    }
}

}  // namespace quinkle
