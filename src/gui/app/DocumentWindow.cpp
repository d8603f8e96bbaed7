// The main window's side of the document.
#include "gui/app/DocumentWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include "gui/app/DocumentSafety.h"
#include "gui/app/MacroCommands.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuickFileLoad.h"
#include "gui/app/QuinkleForm.h"
#include "gui/app/RichTextOpening.h"
#include "gui/app/SchemeMenu.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

bool DocumentWindow::MoveToTrash(const std::string& path) {
    // Qt files a trashed file under the current folder when the user's data folder does not
    // exist yet, so that folder is made first.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return QFile::moveToTrash(QFile::decodeName(path.c_str()));
}

void DocumentWindow::ShowNotice(const std::string& text) {
    m_form.ShowStatusMessage(FromStd(text));
}

bool DocumentWindow::StartupComplete() const { return ::quinkle::StartupComplete(); }

std::string DocumentWindow::ProgramDir() const { return ToStd(m_form.ProgramDir()); }

BodyFields DocumentWindow::CurrentBodyFields() const { return m_form.BodyDialogFields(); }

std::string DocumentWindow::RichTextFileToOpen(const std::string& path) {
    return RichTextOpening::Of(m_form).FileToOpen(path);
}
void DocumentWindow::Attached(Document& document) { DocumentSafety::Of(m_form).Attach(document); }

void DocumentWindow::TitleChanged(const std::string& title) {
    m_form.SetDocumentTitle(FromStd(title));
    DocumentSafety::Of(m_form).DocumentStateChanged();
    // Opening or saving a document moves the current folder, which the Quick File Load lists;
    // the move comes after the new title, so the list follows once the command is done.
    QTimer::singleShot(0, &m_form, [form = &m_form] { QuickFileLoad::FollowIn(*form); });
}

void DocumentWindow::TextReplaced() {
    const MacroPause pause(m_form);
    m_form.Memo1()->ScrollCaret();
    if (::quinkle::StartupComplete()) SchemeMenu::Of(m_form).FollowDocument();
    DocumentSafety::Of(m_form).DocumentStateChanged();
}

void DocumentWindow::CharsetChanged(Charset charset) { m_form.Memo1()->SetCharset(charset); }

void DocumentWindow::ReadOnlyChanged(bool readOnly) {
    // Only the check mark follows: the document has set the editor's state already.
    m_form.Command(QStringLiteral("mnuReadOnly"))->setChecked(readOnly);
}

void DocumentWindow::ModifiedChanged() {
    m_form.Memo1Change();
    DocumentSafety::Of(m_form).DocumentStateChanged();
}

void DocumentWindow::RecentFilesChanged() {
    const MacroPause pause(m_form);
    m_form.RebuildRecentMenu();
}

}  // namespace quinkle
