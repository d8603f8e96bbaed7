// The bookmark menus and the undo and redo drop-down lists.
#include "gui/app/EditorMenus.h"

#include <QAction>
#include <QMenu>

#include "engine/editor/UndoListing.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

QString BookmarkCommand(const char* prefix, int n) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n, 2, 10, QLatin1Char('0'));
}

}  // namespace

EditorMenus::EditorMenus(QuinkleForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("EditorMenus"));
    if (auto* gotoMenu = form.findChild<QMenu*>(QStringLiteral("GotoBookmark1")))
        connect(gotoMenu, &QMenu::aboutToShow, this, &EditorMenus::ShowSetBookmarks);
    for (bool redo : {false, true}) {
        auto* list = form.findChild<QMenu*>(redo ? QStringLiteral("ReDoPopup")
                                                 : QStringLiteral("UndoPopup"));
        if (list == nullptr) continue;
        connect(list, &QMenu::aboutToShow, this, [this, list, redo] { FillUndoList(list, redo); });
        FillUndoList(list, redo);  // a menu that is empty never opens
    }
}

EditorMenus& EditorMenus::Of(QuinkleForm& form) {
    return WindowPart<EditorMenus>(form, QStringLiteral("EditorMenus"));
}

void EditorMenus::SetBookmark(int n) {
    m_form.Memo1()->Editor().SetBookmark(n);
    m_form.Memo1()->Refresh();
}

void EditorMenus::GotoBookmark(int n) {
    m_form.Memo1()->Editor().GotoBookmark(n);
    m_form.Memo1()->ScrollCaret();
    m_form.UpdateCommandState();
}

void EditorMenus::ShowSetBookmarks() {
    const SourceEditor& editor = m_form.Memo1()->Editor();
    bool any = false;
    for (int n = 1; n <= 9; ++n) {
        int32_t row = 0;
        int32_t column = 0;
        const bool set = editor.GetBookmark(n, row, column);
        if (QAction* item = m_form.Command(BookmarkCommand("mnuGotoBM", n))) item->setVisible(set);
        any = any || set;
    }
    if (QAction* none = m_form.Command(QStringLiteral("NoBookmarksSet1"))) none->setVisible(!any);
}

void EditorMenus::FillUndoList(QMenu* menu, bool redo) {
    menu->clear();
    SourceEditor& editor = m_form.Memo1()->Editor();
    for (const UndoListItem& item : ListUndoItems(editor.UndoLog(), redo)) {
        QAction* action = menu->addAction(FromStd(item.Label));
        if (item.Node == nullptr) continue;  // "No Undo items" does nothing
        const UndoStack::Node node = item.Node;
        connect(action, &QAction::triggered, this, [this, node] {
            m_form.Memo1()->Editor().UndoTo(node);
            m_form.Memo1()->ScrollCaret();
            m_form.UpdateCommandState();
        });
    }
}

}  // namespace quinkle
