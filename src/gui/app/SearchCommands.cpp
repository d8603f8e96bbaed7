// Find, Replace, Find Next, Show All and Goto of the main window.
#include "gui/app/SearchCommands.h"

#include <QAction>

#include "gui/app/QuinkleForm.h"
#include "gui/app/WindowPart.h"
#include "gui/dialogs/GotoDialog.h"
#include "gui/editor/FindReplaceDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

SearchCommands::SearchCommands(QuinkleForm& form)
    : QObject(&form), m_form(form), m_search(form.Memo1()->Editor()) {
    setObjectName(QStringLiteral("SearchCommands"));
    if (QAction* regExp = form.Command(QStringLiteral("UseRegularExpressions1"))) {
        regExp->setCheckable(true);
        regExp->setChecked(false);
    }
    connect(form.Memo1(), &SourceEditorWidget::Changed, this, &SearchCommands::EditorChanged);
    UpdateShowAll();
}

SearchCommands& SearchCommands::Of(QuinkleForm& form) {
    return WindowPart<SearchCommands>(form, QStringLiteral("SearchCommands"));
}

void SearchCommands::Find() {
    SourceEditorWidget* memo = m_form.Memo1();
    memo->ShowFind(m_search.DialogFlags());
    FollowWindow(memo->FindWindow());
    WindowSearched();
}

void SearchCommands::Replace() {
    SourceEditorWidget* memo = m_form.Memo1();
    memo->ShowReplace(m_search.DialogFlags());
    FollowWindow(memo->ReplaceWindow());
    WindowSearched();
    m_form.UpdateCommandState();
}

void SearchCommands::FollowWindow(FindReplaceDialog* window) {
    if (window == nullptr) return;
    // After the editor's own handlers: what the window searched becomes the last search.
    connect(window, &FindReplaceDialog::FindNextClicked, this, &SearchCommands::WindowSearched,
            Qt::UniqueConnection);
    connect(window, &FindReplaceDialog::ReplaceClicked, this, &SearchCommands::WindowSearched,
            Qt::UniqueConnection);
}

void SearchCommands::WindowSearched() {
    m_search.TakeEditorSearch();
    UpdateShowAll();
}

void SearchCommands::FindNext() {
    Report(m_search.FindNext());
    m_form.Memo1()->ScrollCaret();
    m_form.UpdateCommandState();
    UpdateShowAll();
}

void SearchCommands::ShowAll() {
    Report(m_search.ShowAll());
    m_form.Memo1()->ScrollCaret();
    m_form.UpdateCommandState();
    UpdateShowAll();
}

void SearchCommands::SetUseRegExp(bool on) {
    m_search.SetUseRegExp(on);
    UpdateShowAll();
}

void SearchCommands::Goto() {
    if (m_goto == nullptr)
        m_goto = new GotoDialog(&m_form, [this] { m_form.ShowHelpTopic(GotoDialog::kHelpTopic); });
    if (m_goto->exec() != QDialog::Accepted) return;
    SourceEditor& editor = m_form.Memo1()->Editor();
    const int32_t offset = GotoOffset(editor, m_goto->Choice(), m_goto->LineNumber());
    editor.SetSel(offset, offset);
    m_form.Memo1()->ScrollCaret();
    m_form.UpdateCommandState();
}

void SearchCommands::EditorChanged() {
    if (!m_search.HighlightsShown()) return;
    m_search.EditorChanged();
    if (!m_search.HighlightsShown()) m_form.Memo1()->Refresh();
}

void SearchCommands::Report(const SearchReport& report) {
    if (report.Level == SearchReport::Kind::None) return;
    const auto kind = report.Level == SearchReport::Kind::Warning ? Prompter::Kind::Warning
                                                                  : Prompter::Kind::Error;
    AppPrompter().Message(kind, QString(), FromStd(report.Message), Prompter::Ok);
}

void SearchCommands::UpdateShowAll() {
    if (QAction* showAll = m_form.Command(QStringLiteral("ShowAll1")))
        showAll->setEnabled(m_search.CanShowAll());
}

}  // namespace quinkle
