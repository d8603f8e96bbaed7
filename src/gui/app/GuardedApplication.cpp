// The last-chance handler for exceptions that reach the event loop.
#include "gui/app/GuardedApplication.h"

#include <exception>

#include "gui/widgets/Prompter.h"

namespace quinkle {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        AppPrompter().Error(
            QStringLiteral("Internal error: %1\nPlease save your work.").arg(error.what()));
    } catch (...) {
        AppPrompter().Error(QStringLiteral("Internal error.\nPlease save your work."));
    }
    return false;
}

}  // namespace quinkle
