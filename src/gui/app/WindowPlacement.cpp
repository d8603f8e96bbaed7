// The main window's place, size and state, restored at showing and stored at closing.
#include "gui/app/WindowPlacement.h"

#include <QMainWindow>

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"

namespace quinkle {

int RestoreWindowPlacement(QMainWindow& window, const IniFile& settings) {
    const int status = Read(settings, kWindowStatus);
    if (status == 0) return status;
    const int top = Read(settings, WithDefault(kWindowTop, window.y()));
    const int left = Read(settings, WithDefault(kWindowLeft, window.x()));
    const int width = Read(settings, WithDefault(kWindowWidth, window.width()));
    const int height = Read(settings, WithDefault(kWindowHeight, window.height()));
    window.move(left, top);
    window.resize(width, height);
    if (status == 1) {
        window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    } else if (status == 2) {
        // Minimising has to wait until the window has been shown.
        QMetaObject::invokeMethod(&window, &QWidget::showMinimized, Qt::QueuedConnection);
    } else if (status == 3) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
    return status;
}

void StoreWindowPlacement(const QMainWindow& window, IniFile& settings) {
    int status = 1;
    if (window.isMinimized()) {
        status = 2;
    } else if (window.isMaximized()) {
        status = 3;
    } else {
        Write(settings, kWindowTop, window.y());
        Write(settings, kWindowLeft, window.x());
        Write(settings, kWindowWidth, window.width());
        Write(settings, kWindowHeight, window.height());
    }
    if (!window.isActiveWindow()) status = 2;
    Write(settings, kWindowStatus, status);
}

}  // namespace quinkle
