// The main window's document commands, wired to the engine's Document.
#include <QAction>
#include <QFile>

#include "engine/document/Document.h"
#include "engine/store/RecentFiles.h"
#include "gui/app/DocumentWindow.h"
#include "gui/app/ProgramInfo.h"
#include "gui/app/ProgramState.h"
#include "gui/app/PrompterAsker.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/editor/StoredText.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

void QuinkleForm::CreateDocument() {
    m_asker = std::make_unique<PrompterAsker>();
    m_documentWindow = std::make_unique<DocumentWindow>(*this);
    m_document = std::make_unique<Document>(m_memo->Editor(), *m_settings, *m_userStore, *m_asker,
                                            *m_documentWindow);
    m_memo->UseHighlighter(&m_document->DocumentHighlighter());
    m_document->LoadRecentFiles();
}

// ---- the document's state ----

QString QuinkleForm::CurrentFileName() const { return FromStd(m_document->FileName()); }

void QuinkleForm::SetCurrentFileName(const QString& path) { m_document->SetFileName(ToStd(path)); }

Charset QuinkleForm::DocumentCharset() const { return m_document->DocumentCharset(); }

const RecentFileList& QuinkleForm::RecentFiles() const { return m_document->RecentFiles().List(); }

std::string QuinkleForm::DocumentBytes(const QString& text) const {
    return EncodeStoredText(text, DocumentCharset());
}

QString QuinkleForm::DocumentText(std::string_view bytes) const {
    return DecodeStoredText(bytes, DocumentCharset());
}

QString QuinkleForm::LastFolder(const QString& key) const {
    return FromStd(m_document->LastFolder(ToStd(key)));
}

void QuinkleForm::RememberFolder(const QString& key, const QString& path) {
    m_document->RememberFolder(ToStd(key), ToStd(path));
}

// ---- the commands ----

bool QuinkleForm::AskSaveChanges() { return m_document->AskSaveChanges(); }

void QuinkleForm::NewDocument() {
    UpdateCommandState();
    m_document->New();
}

void QuinkleForm::OpenDocument(const QString& fileName, bool remember) {
    m_document->Open(ToStd(fileName), remember);
    UpdateCommandState();
}

void QuinkleForm::mnuNewClick() {
    NewDocument();
    // The new document is there to be typed in, wherever the command came from.
    m_memo->setFocus();
}

void QuinkleForm::mnuOpenClick() {
    m_document->OpenAsked();
    UpdateCommandState();
}

void QuinkleForm::mnuSaveClick() { m_document->Save(); }

void QuinkleForm::mnuSaveAsClick() { m_document->SaveAs(); }

void QuinkleForm::SaveFormatted(TextSaveFormat format) { m_document->SaveFormatted(format); }

void QuinkleForm::mnuDeleteClick() {
    m_document->Delete();
    UpdateCommandState();
}

void QuinkleForm::mnuCountCharsClick() {
    AppPrompter().Message(
        Prompter::Kind::Information, QLatin1String(kProductName.data()),
        QStringLiteral("The text has %1 characters.").arg(m_memo->Editor().GetTextLen()),
        Prompter::Ok);
}

void QuinkleForm::Memo1FilesDropped(const QStringList& names) {
    std::vector<std::string> files;
    for (const QString& name : names) files.push_back(QFile::encodeName(name).toStdString());
    m_document->FilesDropped(files);
    UpdateCommandState();
}

}  // namespace quinkle
