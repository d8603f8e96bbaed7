// The main window's document: new, open, save, save as, delete, the save question, backups,
// the folder memory and the charset the document declares.
#include <fcntl.h>
#include <unistd.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "engine/html/FilePaths.h"
#include "engine/html/HeadBody.h"
#include "engine/html/UrlShortcut.h"
#include "engine/store/IniFile.h"
#include "engine/text/Charset.h"
#include "engine/text/TextOutput.h"
#include "gui/app/ProgramInfo.h"
#include "gui/app/ProgramState.h"
#include "gui/app/QuinkleForm.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/editor/StoredText.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

constexpr const char* kConfigSection = "Config";
constexpr const char* kLastPaths = "LastPaths";

const QString kOpenFilter = QStringLiteral(
    "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|"
    "Text Files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|All Files (*.*)|*.*");

// The title's document part for a file: its name without the folder.
QString TitleOf(const QString& path) { return QFileInfo(path).fileName(); }

// A fresh name beside `backup` for the copy of the old file made before saving.
QString PendingBackupName(const QString& backup) {
    return backup + QStringLiteral(".quinkle-backup-%1").arg(QCoreApplication::applicationPid());
}

// Keeps the old file's bytes under `pending`: a hard link (the save replaces the file, so
// the link keeps the old version) or, where links are not possible, a copy.
bool KeepOldFile(const QString& path, const QString& pending) {
    QFile::remove(pending);
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(pending);
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    return QFile::copy(path, pending);
}

}  // namespace

// ---- text in the document's charset ----

std::string QuinkleForm::DocumentBytes(const QString& text) const {
    return EncodeStoredText(text, m_charset);
}

QString QuinkleForm::DocumentText(std::string_view bytes) const {
    return DecodeStoredText(bytes, m_charset);
}

void QuinkleForm::DetectCharset() {
    // Only the part of the text where a declaration is looked for is read.
    const TextStore& store = m_memo->Editor().Store();
    const int32_t end = std::min(store.CharCount(), static_cast<int32_t>(kCharsetDeclarationLimit));
    m_charset = DeclaredCharset(WriteText(store, 0, end, omRaw));
    m_memo->SetCharset(m_charset);
}

// ---- folder memory ----

QString QuinkleForm::LastFolder(const QString& key) const {
    return FromStd(m_settings->ReadString(kLastPaths, ToStd(key), ToStd(ProgramDir())));
}

void QuinkleForm::RememberFolder(const QString& key, const QString& path) {
    if (!StartupComplete()) return;
    const auto folder = FolderToRemember(ToStd(path));
    if (!folder) return;
    QDir::setCurrent(FromStd(*folder));
    m_settings->WriteString(kLastPaths, ToStd(key), *folder);
}

// ---- new and open ----

void QuinkleForm::NewDocument() {
    UpdateCommandState();
    const bool startupComplete = StartupComplete();
    const int mode = m_settings->ReadInteger(kConfigSection, "Default Startup", 2);
    SourceEditor& editor = m_memo->Editor();
    if (editor.Modified() && !AskSaveChanges()) return;
    switch (mode) {
        case 0:
            SetDocumentText(std::string());
            break;
        case 1:
            SetDocumentText(ToStd(MinimalDocument(startupComplete)));
            break;
        case 2:
            OpenDocument(ProgramDir() + QStringLiteral("default.txt"), false);
            break;
        case 3:
            OpenDocument(FromStd(m_settings->ReadString(kConfigSection, "Start File", "")), false);
            break;
        default:
            break;
    }
    if (mode != 3) m_currentFileName.clear();
    SetDocumentTitle(QStringLiteral("(Untitled)"));
}

QString QuinkleForm::MinimalDocument(bool askForTitle) {
    QString title;
    if (askForTitle)
        AppPrompter().InputBox(QStringLiteral("New Document"),
                               QStringLiteral("Please Enter The Title of your New Document:"),
                               title);
    const QString head = FromStd(BuildHeadSection("", ToStd(title), ""));
    const QString body = FromStd(BuildBodyTag(BodyDialogFields()));
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n") + head +
           QStringLiteral("\r\n") + body + QStringLiteral("\r\n\r\n</body>\r\n</html>");
}

void QuinkleForm::SetDocumentText(const std::string& text) {
    SourceEditor& editor = m_memo->Editor();
    {
        ChangeBatch batch(editor);
        editor.SetText(text.c_str());
        editor.ClearUndo();
        editor.SetModified(false);
    }
    DetectCharset();
    m_memo->ScrollCaret();
}

void QuinkleForm::OpenDocument(const QString& fileName, bool remember) {
    const QString name = FromStd(StripQuotes(ToStd(fileName)));
    if (name.isEmpty() || !QFileInfo(name).isFile()) {
        const int saved = m_settings->ReadInteger(kConfigSection, "Default Startup", 2);
        m_settings->WriteInteger(kConfigSection, "Default Startup", 1);
        AppPrompter().Error(
            QStringLiteral("File Error: \"%1\"\nMust Exist, using Minimal Doc instead.").arg(name));
        NewDocument();
        m_settings->WriteInteger(kConfigSection, "Default Startup", saved);
        return;
    }
    // Rich text files are read as they are until the RTF conversion exists.
    SourceEditor& editor = m_memo->Editor();
    try {
        ChangeBatch batch(editor);
        editor.LoadFromFile(ToStd(QFileInfo(name).absoluteFilePath()));
        editor.SetModified(false);
    } catch (const std::exception& error) {
        AppPrompter().Error(QString::fromStdString(error.what()));
        return;
    }
    m_currentFileName = QFileInfo(name).absoluteFilePath();
    DetectCharset();
    m_memo->ScrollCaret();
    SetDocumentTitle(TitleOf(m_currentFileName));
    RememberFolder(QStringLiteral("DocPath"), m_currentFileName);
    if (remember && m_recentFilesMax > 0) AddRecentFile(m_currentFileName);
    UpdateCommandState();
}

void QuinkleForm::mnuNewClick() { NewDocument(); }

void QuinkleForm::mnuOpenClick() {
    if (m_memo->Editor().Modified() && !AskSaveChanges()) return;
    QString name = LastFolder(QStringLiteral("DocPath"));
    if (!AppPrompter().OpenFileName(QStringLiteral("Open"), kOpenFilter, name)) return;
    OpenDocument(name, true);
}

// ---- save ----

bool QuinkleForm::AskSaveChanges() {
    const int answer = AppPrompter().Message(
        Prompter::Kind::Confirmation, QLatin1String(kProductName.data()),
        QStringLiteral("The document %1 has changed.\nDo you want to save the changes?")
            .arg(m_currentFileName),
        Prompter::Yes | Prompter::No | Prompter::Cancel);
    if (answer == Prompter::No) return true;
    if (answer != Prompter::Yes) return false;
    return m_currentFileName.isEmpty() ? SaveDocumentAs() : SaveDocument(m_currentFileName);
}

void QuinkleForm::mnuSaveClick() {
    if (!m_memo->Editor().Modified()) return;
    if (m_currentFileName.isEmpty())
        SaveDocumentAs();
    else
        SaveDocument(m_currentFileName);
}

bool QuinkleForm::SaveDocument(const QString& path) {
    // The old file is kept aside first and becomes the backup only once the new one is
    // written, so a failed save leaves both the file and its old backup as they were.
    const bool backups = m_settings->ReadInteger(kConfigSection, "Backups", 1) == 0;
    const QString backup = FromStd(BackupFileName(ToStd(path)));
    QString pending;
    if (backups && QFileInfo::exists(path)) {
        pending = PendingBackupName(backup);
        if (!KeepOldFile(path, pending)) {
            AppPrompter().Error(QStringLiteral("Error creating backup file!"));
            pending.clear();
        }
    }
    if (m_memo->Editor().SaveFormat == sfHTML || m_memo->Editor().SaveFormat == sfRTF)
        m_memo->HighlightAll();
    try {
        m_memo->Editor().SaveToFile(ToStd(path));
    } catch (const std::exception& error) {
        if (!pending.isEmpty()) QFile::remove(pending);
        AppPrompter().Error(QString::fromStdString(error.what()));
        return false;
    }
    if (!pending.isEmpty() && ::rename(QFile::encodeName(pending).constData(),
                                       QFile::encodeName(backup).constData()) != 0) {
        QFile::remove(pending);
        AppPrompter().Error(QStringLiteral("Error creating backup file!"));
    }
    m_currentFileName = path;
    m_memo->Editor().SetModified(false);
    SetDocumentTitle(TitleOf(path));
    DetectCharset();
    return true;
}

bool QuinkleForm::SaveDocumentAs() {
    QString name = m_currentFileName;
    if (name.isEmpty()) name = LastFolder(QStringLiteral("DocPath"));
    QString filter = m_memo->Editor().SaveFormat == sfRTF
                         ? QStringLiteral("Rich Text Files (*.rtf)|*.rtf|")
                         : QString();
    filter += QStringLiteral(
        "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|"
        "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    if (!AppPrompter().SaveFileName(QStringLiteral("Save As"), filter, QString(), name))
        return false;
    if (!SaveDocument(name)) return false;
    RememberFolder(QStringLiteral("DocPath"), name);
    AddRecentFile(name);
    return true;
}

void QuinkleForm::SaveFormatted(TextSaveFormat format) {
    m_memo->Editor().SaveFormat = format;
    SaveDocumentAs();
}

// ---- delete, count, drops ----

void QuinkleForm::mnuDeleteClick() {
    // The text is only given up once its file is really in the trash: a refused question or a
    // failed move keeps the document as it is.
    if (!m_currentFileName.isEmpty() && QFileInfo::exists(m_currentFileName)) {
        const int answer = AppPrompter().Message(
            Prompter::Kind::Confirmation, QLatin1String(kProductName.data()),
            QStringLiteral("Move \"%1\" to the trash?").arg(m_currentFileName),
            Prompter::Yes | Prompter::No);
        if (answer != Prompter::Yes) return;
        // Qt files a trashed file under the current folder when the user's data folder
        // does not exist yet, so that folder is made first.
        QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        if (!QFile::moveToTrash(m_currentFileName)) {
            AppPrompter().Message(
                Prompter::Kind::Warning, QLatin1String(kProductName.data()),
                QStringLiteral("File Error: \nError Deleting file \"%1\"").arg(m_currentFileName),
                Prompter::Ok);
            return;
        }
        m_memo->Editor().SetModified(false);
    }
    NewDocument();
}

void QuinkleForm::mnuCountCharsClick() {
    AppPrompter().Message(
        Prompter::Kind::Information, QLatin1String(kProductName.data()),
        QStringLiteral("The text has %1 characters.").arg(m_memo->Editor().GetTextLen()),
        Prompter::Ok);
}

void QuinkleForm::Memo1FilesDropped(const QStringList& names) {
    if (names.isEmpty()) return;
    if ((names.size() == 1 && !m_memo->Editor().Modified()) || AskSaveChanges()) {
        OpenDocument(names.first(), true);
        return;
    }
    // Internet shortcuts become links; other files add nothing.
    QString links;
    for (const QString& name : names) {
        if (!name.toUpper().endsWith(QLatin1String(".URL"))) continue;
        const ShortcutLink link = ShortcutFileToLink(ToStd(name));
        if (!link.Error.empty()) ShowStatusMessage(FromStd(link.Error));
        links += FromStd(link.Link) + QStringLiteral("<br>\r\n");
    }
    if (!links.isEmpty()) InsertGeneratedText(links, 0, ucDragDrop);
    UpdateCommandState();
}

}  // namespace quinkle
