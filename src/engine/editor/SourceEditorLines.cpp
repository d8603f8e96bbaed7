// String-list operations mapped onto selections and replacements.
#include "engine/editor/SourceEditorLines.h"

#include "engine/editor/SourceEditor.h"
#include "engine/text/Streams.h"

namespace quinkle {

int32_t SourceEditorLines::Count() const {
    return m_editor.Store().CharCount() == 0 ? 0 : m_editor.Store().RowCount();
}

std::string SourceEditorLines::Get(int32_t index) const { return m_editor.GetLine(index, 4096); }

void SourceEditorLines::ReplaceRange(int32_t from, int32_t to, std::string_view text) {
    m_editor.SetSel(from, to);
    m_editor.ReplaceSel(text);
}

void SourceEditorLines::Put(int32_t index, std::string_view text) {
    if (index < 0 || index >= m_editor.Store().RowCount()) return;
    int32_t start = m_editor.Store().RowStart(index);
    ReplaceRange(start, start + m_editor.Store().Row(index)->TextLength(), text);
}

void SourceEditorLines::Insert(int32_t index, std::string_view text) {
    TextStore& store = m_editor.Store();
    if (index >= 0 && index < store.RowCount()) {
        int32_t start = store.RowStart(index);
        ReplaceRange(start, start, std::string(text) + "\r\n");
        return;
    }
    int32_t end = store.CharCount();
    bool lastLineEmpty = end == 0 || store.Row(store.RowCount() - 1)->EndsWithCR();
    if (!lastLineEmpty)
        ReplaceRange(end, end, "\r" + std::string(text));
    else
        ReplaceRange(end, end, text.empty() ? std::string_view("\r") : text);
}

void SourceEditorLines::Delete(int32_t index) {
    TextStore& store = m_editor.Store();
    if (index < 0 || index >= store.RowCount()) return;
    ReplaceRange(store.RowStart(index), store.RowStart(index + 1), {});
}

std::string SourceEditorLines::Text() const { return m_editor.GetText(); }

void SourceEditorLines::SetText(std::string_view text) {
    if (static_cast<int64_t>(text.size()) == m_editor.GetTextLen() && text == Text()) return;
    FastMemoryStream stream(text);
    m_editor.LoadFromStream(stream);
}

void SourceEditorLines::Assign(const std::vector<std::string>& lines) {
    MemoryStream stream;
    for (const std::string& line : lines) {
        stream.Write(line.data(), line.size());
        stream.Write("\r\n", 2);
    }
    stream.Seek(0);
    m_editor.LoadFromStream(stream);
}

void SourceEditorLines::BeginUpdate() {
    if (m_updateDepth++ == 0) m_editor.SetUpdateLock(true);
}

void SourceEditorLines::EndUpdate() {
    if (m_updateDepth > 0 && --m_updateDepth == 0) m_editor.SetUpdateLock(false);
}

void SourceEditorLines::LoadFromStream(Stream& stream) { m_editor.LoadFromStream(stream); }
void SourceEditorLines::SaveToStream(Stream& stream) { m_editor.SaveToStream(&stream); }
void SourceEditorLines::LoadFromFile(const std::string& path) { m_editor.LoadFromFile(path); }
void SourceEditorLines::SaveToFile(const std::string& path) { m_editor.SaveToFile(path); }

}  // namespace quinkle
