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
    if (status == 3)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else
        window.setWindowState(window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    return status;
}

WindowState CurrentWindowState(const QMainWindow& window) {
    if (window.isMinimized() || !window.isActiveWindow()) return WindowState::Minimised;
    return window.isMaximized() ? WindowState::Maximised : WindowState::Normal;
}

void StoreWindowPlacement(const QMainWindow& window, WindowState state, IniFile& settings) {
    if (!window.isMinimized() && !window.isMaximized()) {
        Write(settings, kWindowTop, window.y());
        Write(settings, kWindowLeft, window.x());
        Write(settings, kWindowWidth, window.width());
        Write(settings, kWindowHeight, window.height());
    }
    Write(settings, kWindowStatus, static_cast<int>(state));
}

}  // namespace quinkle
