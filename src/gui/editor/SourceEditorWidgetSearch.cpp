// The editor widget's Find and Replace windows, find next, and the search's questions and
// messages through the Prompter.
#include <QApplication>

#include "engine/text/TextOutput.h"
#include "gui/editor/FindReplaceDialog.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/editor/StoredText.h"
#include "gui/widgets/Prompter.h"

namespace quinkle {

void SourceEditorWidget::HookSearchEvents() {
    m_editor.OnSearchMessage = [this](const std::string& message) {
        bool notFound = message.rfind(kSearchStringWord, 0) == 0;
        AppPrompter().Message(notFound ? Prompter::Kind::Information : Prompter::Kind::Error,
                              QString(), QString::fromUtf8(message.c_str()), Prompter::Ok);
    };
    m_editor.OnReplaceQuery = [this](const std::string& question) {
        AfterAction();  // show the match the question is about
        viewport()->repaint();
        int answer = AppPrompter().Message(
            Prompter::Kind::Confirmation, tr("Replace"), QString::fromUtf8(question.c_str()),
            Prompter::Yes | Prompter::No | Prompter::Cancel | Prompter::YesToAll);
        switch (answer) {
            case Prompter::Yes:
                return ReplaceAnswer::Yes;
            case Prompter::No:
                return ReplaceAnswer::No;
            case Prompter::YesToAll:
                return ReplaceAnswer::All;
            default:
                return ReplaceAnswer::Cancel;
        }
    };
}

FindReplaceDialog* SourceEditorWidget::FindWindow() const { return m_findWindow.data(); }

FindReplaceDialog* SourceEditorWidget::ReplaceWindow() const { return m_replaceWindow.data(); }

FindReplaceDialog& SourceEditorWidget::SearchWindow(bool replacing, uint flags) {
    QPointer<FindReplaceDialog>& window = replacing ? m_replaceWindow : m_findWindow;
    if (!window) {
        using Mode = FindReplaceDialog::Mode;
        window = new FindReplaceDialog(replacing ? Mode::Replace : Mode::Find, this);
        FindReplaceDialog* made = window;
        connect(made, &FindReplaceDialog::FindNextClicked, this,
                [this, made] { FindFromWindow(*made); });
        connect(made, &FindReplaceDialog::ReplaceClicked, this,
                [this, made](bool all) { ReplaceFromWindow(*made, all); });
    }
    m_editor.SetRegExpMode((flags & sflRegExp) != 0);
    window->SetFlags(flags);
    return *window;
}

void SourceEditorWidget::ShowFind(uint flags, const QString& text) {
    FindReplaceDialog& window = SearchWindow(false, flags);
    QString initial = text;
    if (initial.isEmpty() && m_editor.SelEnd() > m_editor.SelStart() && !(flags & sflRegExp))
        initial = DecodeStoredText(m_editor.CopySel(omRaw), m_charset);
    if (!initial.isEmpty() || window.FindText().isEmpty()) window.SetFindText(initial);
    window.show();
    window.raise();
    window.activateWindow();
}

void SourceEditorWidget::ShowReplace(uint flags) {
    FindReplaceDialog& window = SearchWindow(true, flags);
    if (m_editor.SelEnd() > m_editor.SelStart() && !(flags & sflRegExp))
        window.SetFindText(DecodeStoredText(m_editor.CopySel(omRaw), m_charset));
    window.show();
    window.raise();
    window.activateWindow();
}

bool SourceEditorWidget::FindNext() {
    bool found = false;
    Guard([&] { found = m_editor.FindNext(); });
    ScrollCaret();
    return found;
}

void SourceEditorWidget::FindFromWindow(FindReplaceDialog& window) {
    m_editor.SetSearchText(EncodeStoredText(window.FindText(), m_charset));
    m_editor.SetSearchFlags(window.Flags() | sflSearchNow);
    FindNext();
}

void SourceEditorWidget::ReplaceFromWindow(FindReplaceDialog& window, bool all) {
    std::string text = EncodeStoredText(window.FindText(), m_charset);
    std::string replacement = EncodeStoredText(window.ReplaceText(), m_charset);
    if (all) QApplication::setOverrideCursor(Qt::WaitCursor);
    Guard([&] { m_editor.Replace(window.Flags() | sflSearchNow, text, replacement, all); });
    if (all) QApplication::restoreOverrideCursor();
    ScrollCaret();
}

}  // namespace quinkle
