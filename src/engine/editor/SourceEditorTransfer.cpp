// Loading, saving, the clipboard and drag and drop of the editor.
#include <algorithm>

#include "engine/editor/SourceEditor.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"
#include "engine/text/FileText.h"
#include "engine/text/LoadLimit.h"
#include "engine/text/Streams.h"

namespace quinkle {
namespace {

// A short write is repeated this many times before the save is given up.
constexpr int kSaveRepeats = 3;

}  // namespace

// ---- loading ----

void SourceEditor::LoadFromStream(Stream& stream) {
    ChangeBatch batch(*this);
    const int64_t start = stream.Position();
    m_lastLoad =
        m_store->LoadFileBytes([&](char* buffer, size_t size) { return stream.Read(buffer, size); },
                               static_cast<size_t>(std::max<int64_t>(stream.Size() - start, 0)));
    m_store->Form = m_lastLoad.Form;
    // A file whose text cannot give its bytes back, and that must not change unless edited,
    // keeps them until it is edited, so an unedited save changes nothing. They are read again
    // rather than copied all along: the ordinary load stays a single pass, and a stream that
    // cannot go back keeps nothing.
    if (m_lastLoad.KeepsLoadedBytes()) {
        stream.Seek(start);
        if (stream.Position() == start) m_store->KeepLoadedBytes(stream.ReadAll());
    }
    StartFresh();
}

// A text just loaded: nothing to undo, unmodified, to be scanned from the top, shown from its
// start with the caret there.
void SourceEditor::StartFresh() {
    UndoLog().Clear();
    SetModified(false);
    m_store->SetFirstRescanRow(0);
    m_anchor = m_caret = 0;
    m_caretBeyondEnd = 0;
    m_topRow = m_leftColumn = 0;
    m_preferredColumn = 0;
}

void SourceEditor::LoadStoredText(std::string_view stored) {
    ChangeBatch batch(*this);
    constexpr size_t kPiece = 1 << 20;
    size_t at = 0;
    m_store->LoadAll([&](std::string& out) {
        const std::string_view piece = stored.substr(at, kPiece);
        out.append(piece);
        at += piece.size();
        return at < stored.size();
    });
    m_lastLoad = FileFacts{};
    m_lastLoad.Form = m_store->Form;
    StartFresh();
}

void SourceEditor::SetText(const char* text) {
    FastMemoryStream stream(text ? std::string_view(text) : std::string_view());
    LoadFromStream(stream);
}

void SourceEditor::LoadFromFile(const std::string& path) {
    FileStream file(path, FileStream::Mode::Read);
    // Refused before a byte is read, so the document keeps its text.
    const std::string refusal = LoadRefusal(path, file.Size(), AvailableMemory());
    if (!refusal.empty()) throw EOutOfMemory(refusal);
    LoadFromStream(file);
    ClearUndo();
    if (Settings().Has(smoTitleAsFilename)) PrintTitle = path;
}

// ---- saving ----

std::string SourceEditor::DocumentBytes(TextSaveFormat format) {
    switch (format) {
        case sfRTF:
            return WriteText(*m_store, 0, m_store->CharCount(), omRTF, m_styler);
        case sfHTML:
            return WriteText(*m_store, 0, m_store->CharCount(), omHTML, m_styler);
        case sfUNIX:
            return WriteFileText(*m_store, {m_store->Form.Encoding, LineEnd::LF});
        case sfTEXT:
            break;
    }
    if (const std::string* loaded = m_store->LoadedBytes()) return *loaded;
    return WriteFileText(*m_store, m_store->Form);
}

void SourceEditor::WriteDocument(Stream& stream) {
    std::string out = DocumentBytes(SaveFormat);
    int64_t start = stream.Position();
    for (int attempt = 0;; ++attempt) {
        stream.Seek(start);
        if (stream.Write(out.data(), out.size()) == out.size()) return;
        if (attempt == kSaveRepeats) throw EFileSaveError("Could not save text to stream");
    }
}

void SourceEditor::SaveToStream(Stream* stream) {
    if (!stream) throw EFileSaveError("Bad TStream instance");
    WriteDocument(*stream);
    SetModified(false);  // only a successful save makes the document unmodified
}

void SourceEditor::SaveToFile(const std::string& path, const AtomicWriteOptions& options) {
    try {
        WriteFileAtomically(path, DocumentBytes(SaveFormat), options);
    } catch (const EBackupError&) {
        SavedTo(path);  // the new content is in place; only the backup is missing
        throw;
    }
    SavedTo(path);
}

void SourceEditor::ExportToFile(const std::string& path, TextSaveFormat format,
                                const AtomicWriteOptions& options) {
    WriteFileAtomically(path, DocumentBytes(format), options);
}

void SourceEditor::SavedTo(const std::string& path) {
    SetModified(false);
    if (Settings().Has(smoTitleAsFilename)) PrintTitle = path;
}

void SourceEditor::WriteSelToStream(Stream& stream, uint32_t mode) const {
    std::string text = CopySel(mode);
    if (stream.Write(text.data(), text.size()) != text.size())
        throw EFileSaveError("Could not save text to stream");
}

// ---- clipboard ----

void SourceEditor::CopyToClipboard(Clipboard& clipboard) const {
    if (SelStart() == SelEnd()) return;  // keep what the clipboard holds
    clipboard.Clear();
    if (ClipCopyFormats & smTEXT) clipboard.Put(ClipFormat::Text, CopySel(omCRLF));
    if (ClipCopyFormats & smRTF) clipboard.Put(ClipFormat::Rtf, CopySel(omRTF));
}

void SourceEditor::CutToClipboard(Clipboard& clipboard) {
    if (SelStart() == SelEnd()) return;
    CopyToClipboard(clipboard);
    if (ReadOnly) return;
    ChangeBatch batch(*this);
    BeginGroup(ucCut);
    ReplaceSel({});
    EndGroup(ucCut);
}

std::string SourceEditor::CleanDroppedHtml(std::string data, uint32_t flags) {
    if (!(flags & (ddFragment | ddFromFirstTag))) return data;
    size_t tag = data.find('<');
    if (tag != std::string::npos) data.erase(0, tag);
    if (flags & ddFragment) {
        static constexpr std::string_view kStart = "<!--StartFragment-->";
        static constexpr std::string_view kEnd = "<!--EndFragment-->";
        size_t start = data.find(kStart);
        size_t end = start == std::string::npos ? start : data.find(kEnd, start + kStart.size());
        if (end != std::string::npos)
            data = data.substr(start + kStart.size(), end - start - kStart.size());
    }
    return data;
}

void SourceEditor::PasteFromClipboard(Clipboard& clipboard) {
    if (ReadOnly) return;
    uint32_t flags = ddPaste;
    if (clipboard.Has(ClipFormat::Html)) flags |= ddHtml;
    if (clipboard.Has(ClipFormat::Text)) flags |= ddText;
    if (OnDataDrop) OnDataDrop(flags);
    bool html = !(flags & ddText) && (flags & ddHtml);
    if (!(flags & ddText) && !html) return;
    std::optional<std::string> data = clipboard.Get(html ? ClipFormat::Html : ClipFormat::Text);
    if (!data) throw EOutOfMemory("Cannot alloc memory for buffer!!");
    if (html && !(flags & ddRaw)) *data = CleanDroppedHtml(std::move(*data), flags);
    ChangeBatch batch(*this);
    BeginGroup(ucPaste);
    ReplaceSel(*data);
    EndGroup(ucPaste);
    ScrollCaret();
}

// ---- drag and drop ----

bool SourceEditor::CanStartDrag(int32_t offset) const {
    return Settings().Has(smoOLEDragSource) && SelStart() < SelEnd() && offset >= SelStart() &&
           offset < SelEnd();
}

void SourceEditor::EndDrag(uint32_t effect, bool droppedHere) {
    if (!(effect & deMove) || droppedHere || ReadOnly || SelStart() == SelEnd()) return;
    ChangeBatch batch(*this);
    BeginGroup(ucDragDrop);
    ReplaceSel({});
    EndGroup(ucDragDrop);
}

bool SourceEditor::DropText(std::string text, uint32_t flags, int32_t offset, uint32_t effect,
                            bool fromThisEditor) {
    if (ReadOnly) return false;
    offset = Clamp(offset);
    if (fromThisEditor && offset >= SelStart() && offset <= SelEnd()) return false;
    if (OnDataDrop) OnDataDrop(flags);
    if ((flags & ddHtml) && !(flags & ddRaw)) text = CleanDroppedHtml(std::move(text), flags);
    ChangeBatch batch(*this);
    BeginGroup(ucDragDrop);
    if (fromThisEditor && (effect & deMove)) {
        int32_t start = SelStart();
        int32_t length = SelEnd() - start;
        ReplaceSel({});
        if (offset > start) offset -= length;
    }
    SetSel(offset, offset);
    ReplaceSel(text);
    EndGroup(ucDragDrop);
    return true;
}

bool SourceEditor::DropFiles(const std::vector<std::string>& names, int32_t& x, int32_t& y) {
    if (!Settings().Has(smoProcessDroppedFiles) || !OnFilesDropped) return false;
    OnFilesDropped(names, x, y);
    return true;
}

}  // namespace quinkle
