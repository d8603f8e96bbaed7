// The code template pick list: a borderless two-column list under the caret line of an editor.
#pragma once

#include <QListWidget>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/CodeTemplates.h"

namespace quinkle {

class SourceEditorWidget;

/// Lists the editor's active code templates as description and bold name. Typing selects by
/// name (PickListSearch); Enter or a double click expands the selected template in place of
/// the partial word; Escape, or leaving the list, closes it and gives the editor back its
/// selection. Owned by the editor widget, made on first use.
class TemplatePickList : public QListWidget {
public:
    explicit TemplatePickList(SourceEditorWidget& editor);

    /// Fills the list from the active templates, selects `pick`'s entry and shows the list
    /// below the caret line (above it when there is no room), inside the editor.
    void Open(const SourceEditor::TemplatePick& pick);
    /// The name of the selected template, empty when none.
    QString SelectedName() const;
    /// Expands the selected template and closes the list.
    void Choose();
    /// Closes the list and restores the editor's selection.
    void Cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Close();
    void Place();

    SourceEditorWidget& m_editor;
    SourceEditor::TemplatePick m_pick;
    PickListSearch m_search;
    int m_descriptionWidth = 0;
    bool m_closing = false;
};

}  // namespace quinkle
