// The program's application object: a last chance for a fault that escaped every guard.
#pragma once

#include <QApplication>

namespace quinkle {

/// Delivers events as QApplication does; a standard exception that escapes an event handler
/// (a programmer error: engine errors are caught at the command guard) is shown as a message
/// and the program goes on, so the user can still save the document.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace quinkle
