// The main window's menus over the editor's state: the bookmark menus and the Undo and Redo
// drop-down lists, filled each time they open.
#pragma once

#include <QObject>

class QMenu;

namespace quinkle {

class QuinkleForm;

/// Made once, when the window's menus and editor are ready, as a child of the window.
class EditorMenus : public QObject {
public:
    explicit EditorMenus(QuinkleForm& form);
    static EditorMenus& Of(QuinkleForm& form);

    /// Sets bookmark `n` (1 to 9) at the caret's line and column.
    void SetBookmark(int n);
    void GotoBookmark(int n);

private:
    void ShowSetBookmarks();
    void FillUndoList(QMenu* menu, bool redo);

    QuinkleForm& m_form;
};

}  // namespace quinkle
