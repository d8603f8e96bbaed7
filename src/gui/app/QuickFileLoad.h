// The Quick File Load window: the files of the current folder, loaded on a double click.
#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QFileSystemWatcher;
class QLineEdit;
class QListWidget;

namespace quinkle {

class QuinkleForm;

/// Lists the files of the process's current folder (the folder of the document last opened
/// or saved) that match the window's masks, and refills the list when files come or go there.
/// Made once, as a child of the window.
class QuickFileLoad : public QObject {
public:
    explicit QuickFileLoad(QuinkleForm& form);
    static QuickFileLoad& Of(QuinkleForm& form);

    /// Refills the list from the current folder with the current masks.
    void Refill();
    /// Refills when the current folder is not the one listed.
    void FollowCurrentFolder();
    /// FollowCurrentFolder for `form`'s window once it has been made.
    static void FollowIn(QuinkleForm& form);
    /// Load: opens the selected file after the save question; clears the selection.
    void LoadSelected();
    /// Moves the selected file, or every listed file, to the trash.
    void DeleteSelected();
    void DeleteAll();
    /// Show All: toggles the tick (which refills the list).
    void ToggleShowAll();

    QString Folder() const { return m_folder; }

private:
    void ShowAllChanged(bool all);

    QuinkleForm& m_form;
    QListWidget* m_list;
    QCheckBox* m_showAll;
    QLineEdit* m_selected;
    QFileSystemWatcher* m_watcher;
    QString m_folder;  // with a trailing slash
};

}  // namespace quinkle
