// The main window's search commands: Find, Replace, Find Next, Show All, Use Regular
// Expressions and Goto.
#pragma once

#include <QObject>

#include "engine/editor/MainSearch.h"

namespace quinkle {

class FindReplaceDialog;
class GotoDialog;
class QuinkleForm;

/// Keeps the window's search state over its editor and shows what the searches report. Made
/// once, when the window's editor is ready, as a child of the window.
class SearchCommands : public QObject {
public:
    explicit SearchCommands(QuinkleForm& form);
    /// The form's search commands, made on first use.
    static SearchCommands& Of(QuinkleForm& form);

    void Find();
    void Replace();
    void FindNext();
    void ShowAll();
    /// Follows the check mark of "Use Regular Expressions".
    void SetUseRegExp(bool on);
    void Goto();

    MainSearch& Search() { return m_search; }

private:
    void FollowWindow(FindReplaceDialog* window);
    void WindowSearched();
    void EditorChanged();
    void Report(const SearchReport& report);
    void UpdateShowAll();

    QuinkleForm& m_form;
    MainSearch m_search;
    GotoDialog* m_goto = nullptr;
};

}  // namespace quinkle
