// Where the main window stands between runs: its place, size and state in the settings.
#pragma once

class QMainWindow;

namespace quinkle {

class IniFile;

/// Puts `window` where the settings say ([Config] "Status" 0..3, "Top", "Left", "Width",
/// "Height"; status 0 keeps the design placement) and returns the status read.
int RestoreWindowPlacement(QMainWindow& window, const IniFile& settings);

/// Stores the window's state (1 normal, 2 minimised or not the active window, 3 maximised)
/// and, for a normal window, its place and size.
void StoreWindowPlacement(const QMainWindow& window, IniFile& settings);

}  // namespace quinkle
