// What the Configure dialog needs from the main window.
#pragma once

#include <QString>

class QMainWindow;

namespace quinkle {

class IniFile;

/// The main window's side of the Configure dialog: its settings store, its toolbars and
/// tool windows (found on the window as QToolBar and QDockWidget children, by their window
/// titles), and the switches the dialog applies.
class ConfigureHost {
public:
    virtual ~ConfigureHost() = default;

    virtual IniFile& Settings() = 0;
    virtual QMainWindow* MainWindow() = 0;
    /// The writable program folder (with a trailing slash).
    virtual QString ProgramDir() const = 0;

    virtual QString KeywordHelpFile() const = 0;
    virtual void SetKeywordHelpFile(const QString& path) = 0;
    virtual QString KeywordFile() const = 0;
    virtual void SetKeywordFile(const QString& path) = 0;

    /// Large (40 pixel, with captions) or small (25 pixel) toolbar buttons; writes
    /// [Config] "Icon Size".
    virtual void ApplyLargeButtons(bool large) = 0;
    /// Re-reads [Config] "Background" and paints the docks with or without the picture.
    virtual void ApplyBackground() = 0;
    /// 0 "Office97", 1 "IE4", 2 "None".
    virtual void ApplyMenusLook(int look) = 0;
    virtual void SetHintsShown(bool shown) = 0;

    virtual int RecentFilesMax() const = 0;
    virtual void SetRecentFilesMax(int max) = 0;
    /// 999 pixels for full paths, 150 otherwise.
    virtual void SetRecentCaptionWidth(int width) = 0;

    /// The Quick File Load list's file mask ("*.*" when it shows all files).
    virtual QString QuickFileMask() const = 0;
    virtual void SetQuickFileMask(const QString& mask) = 0;

    /// Opens the program's help at a named topic ("The_Configure_Dialog"); until the help
    /// viewer exists this does nothing.
    virtual void ShowHelpTopic(const QString& topic) { (void)topic; }
};

}  // namespace quinkle
