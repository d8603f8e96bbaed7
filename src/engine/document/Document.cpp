// The document: new documents, opening, the title, the declared charset, the folder memory,
// deleting to the trash and dropped files.
#include "engine/document/Document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/document/DocumentSettings.h"
#include "engine/html/FilePaths.h"
#include "engine/html/HeadBody.h"
#include "engine/html/UrlShortcut.h"
#include "engine/store/IniFile.h"
#include "engine/text/AsciiText.h"
#include "engine/text/EditorError.h"
#include "engine/text/TextOutput.h"
#include "engine/text/UndoStack.h"

namespace quinkle {
namespace {

constexpr const char* kUntitled = "(Untitled)";
constexpr const char* kDocPath = "DocPath";

// The title's document part for a file: its name without the folder.
std::string TitleOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

bool IsRichTextFile(std::string_view name) {
    return name.size() >= 4 && EqualsNoCase(name.substr(name.size() - 4), ".rtf");
}

bool IsShortcutFile(std::string_view name) {
    return name.size() >= 4 && EqualsNoCase(name.substr(name.size() - 4), ".url");
}

}  // namespace

std::string LoadNotice(const FileFacts& facts) {
    if (facts.Binary)
        return "Binary file: opened read only. Saved unedited, it keeps every byte; edited, its "
               "line ends become " +
               std::string(LineEndName(facts.Form.LineEnds)) + ".";
    std::string notice;
    if (facts.Undecodable)
        notice = "Some units of this " + std::string(FileEncodingName(facts.Form.Encoding)) +
                 " file are no characters and show as \xEF\xBF\xBD: opened read only. Saved "
                 "unedited, it keeps every byte; edited, they are saved as shown.";
    if (facts.MixedLineEnds && !facts.Undecodable)
        notice = "Mixed line ends: they are saved as " +
                 std::string(LineEndName(facts.Form.LineEnds)) + ".";
    return notice;
}

Document::Document(SourceEditor& editor, IniFile& settings, UserStore& userStore,
                   DocumentAsker& asker, DocumentHost& host)
    : m_editor(editor),
      m_settings(settings),
      m_asker(asker),
      m_host(host),
      m_highlighter(editor.Store()),
      m_recent(userStore, host),
      m_title(kUntitled) {
    m_host.Attached(*this);
}

Document::~Document() = default;

// ---- text in the document's charset ----

std::string Document::DocumentBytes(std::string_view utf8) const {
    return EncodeTyped(m_charset, utf8);
}

std::string Document::DocumentText(std::string_view bytes) const {
    return DecodeForDisplay(m_charset, bytes);
}

void Document::DetectCharset() {
    // Only the part of the text where a declaration is looked for is read.
    const TextStore& store = m_editor.Store();
    const int32_t end = std::min(store.CharCount(), static_cast<int32_t>(kCharsetDeclarationLimit));
    // A text decoded from UTF-16 or UTF-32 is held as UTF-8, whatever it declares.
    if (store.Form.Encoding != FileEncoding::Bytes)
        m_charset = Charset::Utf8;
    else if (m_servedCharset)
        m_charset = *m_servedCharset;
    else
        m_charset = DeclaredCharset(WriteText(store, 0, end, omRaw));
    ApplyCharset(m_charset);
}

void Document::ApplyCharset(Charset charset) {
    m_charset = charset;
    // In a single-byte charset every byte is a character of its own.
    m_editor.MultiByteText = m_charset == Charset::Utf8;
    m_host.CharsetChanged(m_charset);
}

void Document::SetTitle(const std::string& title) {
    m_title = title;
    m_host.TitleChanged(m_title);
}

// ---- folder memory ----

std::string Document::LastFolder(const std::string& key) const {
    return ReadLastFolder(m_settings, key, m_host.ProgramDir());
}

void Document::RememberFolder(const std::string& key, const std::string& path) {
    if (!m_host.StartupComplete()) return;
    const auto folder = FolderToRemember(path);
    if (!folder) return;
    std::error_code ignored;
    std::filesystem::current_path(*folder, ignored);
    WriteLastFolder(m_settings, key, *folder);
}

void Document::LoadRecentFiles() { m_recent.Load(ReadDocumentSettings(m_settings).RecentFilesMax); }

// ---- new and open ----

void Document::New() {
    if (Modified() && !AskSaveChanges()) return;
    NewInMode(ReadDocumentSettings(m_settings).DefaultStartup);
}

void Document::NewInMode(int mode) {
    const bool startupComplete = m_host.StartupComplete();
    switch (mode) {
        case 0:
            SetText(std::string());
            break;
        case 1:
            SetText(MinimalDocument(startupComplete));
            break;
        case 2:
            Load(m_host.ProgramDir() + "default.txt", false);
            break;
        case 3:
            Load(ReadDocumentSettings(m_settings).StartFile, false);
            break;
        default:
            break;
    }
    // The start file keeps its name, so saving writes it; a template never is overwritten.
    if (mode != 3) {
        m_fileName.clear();
        // A new document is saved with the line ends of this system.
        m_editor.Store().Form.LineEnds = LineEnd::LF;
    }
    SetTitle(kUntitled);
}

std::string Document::MinimalDocument(bool askForTitle) {
    std::string title;
    if (askForTitle)
        m_asker.InputBox("New Document", "Please Enter The Title of your New Document:", title);
    return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n" +
           BuildHeadSection("", title, "") + "\r\n" + BuildBodyTag(m_host.CurrentBodyFields()) +
           "\r\n\r\n</body>\r\n</html>";
}

void Document::SetText(const std::string& text) {
    LiftLoadReadOnly();
    m_servedCharset.reset();
    {
        ChangeBatch batch(m_editor);
        m_editor.SetText(text.c_str());
        m_editor.ClearUndo();
        m_editor.SetModified(false);
    }
    DetectCharset();
    m_host.TextReplaced();
}

bool Document::Open(const std::string& fileName, bool remember) {
    if (Modified() && !AskSaveChanges()) return false;
    return Load(fileName, remember);
}

bool Document::Load(const std::string& fileName, bool remember) {
    const std::string name = StripQuotes(fileName);
    std::error_code ignored;
    if (name.empty() || !std::filesystem::is_regular_file(name, ignored)) {
        m_asker.Error("File Error: \"" + name + "\"\nMust Exist, using Minimal Doc instead.");
        NewInMode(1);
        return false;
    }
    std::string path = std::filesystem::absolute(name, ignored).lexically_normal().string();
    // A rich-text file may be converted first; the page made from it is opened instead.
    if (IsRichTextFile(path)) path = m_host.RichTextFileToOpen(path);
    try {
        ChangeBatch batch(m_editor);
        m_editor.LoadFromFile(path);
        m_editor.SetModified(false);
    } catch (const EQuinkleError& error) {
        m_asker.Error(error.what());
        return false;
    }
    m_fileName = path;
    m_servedCharset.reset();
    RecordStamp();
    DetectCharset();
    ApplyLoadFacts(m_editor.LastLoad());
    m_host.TextReplaced();
    SetTitle(TitleOf(m_fileName));
    RememberFolder(kDocPath, m_fileName);
    if (remember) m_recent.Add(m_fileName);
    return true;
}

void Document::ApplyLoadFacts(const FileFacts& facts) {
    // A binary could be damaged by one stray key, and a text that did not decode would lose
    // its undecodable units on an edited save: both open read only.
    if (facts.Binary || facts.Undecodable) {
        if (!m_editor.ReadOnly) {
            m_editor.ReadOnly = true;
            m_readOnlyByLoad = true;
            m_host.ReadOnlyChanged(true);
        }
    } else {
        LiftLoadReadOnly();
    }
    const std::string notice = LoadNotice(facts);
    if (!notice.empty()) m_host.ShowNotice(notice);
}

void Document::LiftLoadReadOnly() {
    if (!m_readOnlyByLoad) return;
    m_readOnlyByLoad = false;
    if (!m_editor.ReadOnly) return;  // the user lifted it already
    m_editor.ReadOnly = false;
    m_host.ReadOnlyChanged(false);
}

bool Document::OpenAsked() {
    if (Modified() && !AskSaveChanges()) return false;
    std::string name = LastFolder(kDocPath);
    if (!m_asker.OpenFileName(
            "Open",
            "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|"
            "Text Files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|All Files (*.*)|*.*",
            name))
        return false;
    return Load(name, true);
}

// ---- delete and drops ----

void Document::Delete() {
    // The text is only given up once its file is really in the trash: a refused question or a
    // failed move keeps the document as it is.
    std::error_code ignored;
    if (!m_fileName.empty() && std::filesystem::exists(m_fileName, ignored)) {
        const int answer = m_asker.Message(
            DocumentAsker::Kind::Confirmation, std::string(kProductName),
            "Move \"" + m_fileName + "\" to the trash?", DocumentAsker::Yes | DocumentAsker::No);
        if (answer != DocumentAsker::Yes) return;
        if (!m_host.MoveToTrash(m_fileName)) {
            m_asker.Message(DocumentAsker::Kind::Warning, std::string(kProductName),
                            "File Error: \nError Deleting file \"" + m_fileName + "\"",
                            DocumentAsker::Ok);
            return;
        }
        m_editor.SetModified(false);
    }
    New();
}

void Document::FilesDropped(const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (!Modified() || AskSaveChanges()) {
        Load(names.front(), true);
        return;
    }
    // Internet shortcuts become links; other files add nothing.
    std::string links;
    for (const std::string& name : names) {
        if (!IsShortcutFile(name)) continue;
        const ShortcutLink link = ShortcutFileToLink(name);
        if (!link.Error.empty()) m_host.ShowNotice(link.Error);
        links += link.Link + "<br>\r\n";
    }
    if (!links.empty()) InsertGeneratedText(links, 0, ucDragDrop);
}

}  // namespace quinkle
