// The document: saving, Save As, formatted saves and the save question.
#include "engine/document/Document.h"
#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/document/DocumentSettings.h"
#include "engine/html/FilePaths.h"
#include "engine/html/HeadBody.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"

#include <filesystem>

namespace quinkle {

bool Document::AskSaveChanges() {
    const std::string name = m_fileName.empty() ? std::string("Untitled") : m_fileName;
    const int answer =
        m_asker.Message(DocumentAsker::Kind::Confirmation, std::string(kProductName),
                        "The document " + name + " has changed.\nDo you want to save the changes?",
                        DocumentAsker::Yes | DocumentAsker::No | DocumentAsker::Cancel);
    if (answer == DocumentAsker::No) return true;
    if (answer != DocumentAsker::Yes) return false;
    return m_fileName.empty() ? SaveAs() : SaveTo(m_fileName);
}

bool Document::Save() {
    if (!Modified()) return true;
    return m_fileName.empty() ? SaveAs() : SaveTo(m_fileName);
}

bool Document::SaveTo(const std::string& path) {
    // Formatted output takes each character's colours from its style bytes, which the view
    // fills only for the rows it has shown.
    if (m_editor.SaveFormat == sfHTML || m_editor.SaveFormat == sfRTF) m_highlighter.HighlightAll();
    if (!MaySaveOver(path)) return false;
    AtomicWriteOptions options;
    if (ReadDocumentSettings(m_settings).Backups) options.BackupPath = BackupFileName(path);
    try {
        m_editor.SaveToFile(path, options);
    } catch (const EBackupError&) {
        // The new file is in place; only its backup copy is missing.
        m_asker.Error("Error creating backup file!");
    } catch (const EQuinkleError& error) {
        m_asker.Error(error.what());
        return false;
    }
    m_fileName = path;
    RecordStamp();
    m_editor.SetModified(false);
    SetTitle(std::filesystem::path(path).filename().string());
    DetectCharset();
    m_host.ModifiedChanged();
    return true;
}

std::string Document::SaveFilter(TextSaveFormat format) {
    std::string filter = format == sfRTF ? "Rich Text Files (*.rtf)|*.rtf|" : "";
    filter +=
        "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|"
        "Text Files (*.txt)|*.txt|All Files (*.*)|*.*";
    return filter;
}

bool Document::SaveAs() {
    std::string name = m_fileName.empty() ? LastFolder("DocPath") : m_fileName;
    if (!m_asker.SaveFileName("Save As", SaveFilter(m_editor.SaveFormat), std::string(), name))
        return false;
    if (!SaveTo(name)) return false;
    RememberFolder("DocPath", name);
    m_recent.Add(name);
    return true;
}

bool Document::SaveFormatted(TextSaveFormat format) {
    std::string name = m_fileName.empty() ? LastFolder("DocPath") : m_fileName;
    if (!m_asker.SaveFileName("Save As", SaveFilter(format), std::string(), name)) return false;
    // The colours come from each character's style bytes, which the view fills only for the
    // rows it has shown.
    m_highlighter.HighlightAll();
    AtomicWriteOptions options;
    if (ReadDocumentSettings(m_settings).Backups) options.BackupPath = BackupFileName(name);
    try {
        m_editor.ExportToFile(name, format, options);
    } catch (const EBackupError&) {
        m_asker.Error("Error creating backup file!");
    } catch (const EQuinkleError& error) {
        m_asker.Error(error.what());
        return false;
    }
    RememberFolder("DocPath", name);
    return true;
}

}  // namespace quinkle
