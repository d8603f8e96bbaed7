// Where the main window stands between runs: its place, size and state in the settings.
#pragma once

class QMainWindow;

namespace quinkle {

class IniFile;

/// The stored window state: 1 normal, 2 minimised (or not the active window), 3 maximised.
enum class WindowState { Normal = 1, Minimised = 2, Maximised = 3 };

/// The state `window` is in now.
WindowState CurrentWindowState(const QMainWindow& window);

/// Puts `window` where the settings say ([Config] "Status" 0..3, "Top", "Left", "Width",
/// "Height") and returns the status read. Status 0 keeps the design placement; a window
/// stored minimised comes back normal, since a program that starts without a window looks
/// as if it had not started.
int RestoreWindowPlacement(QMainWindow& window, const IniFile& settings);

/// Stores `state` and, unless the window is minimised or maximised, its place and size.
void StoreWindowPlacement(const QMainWindow& window, WindowState state, IniFile& settings);

}  // namespace quinkle
