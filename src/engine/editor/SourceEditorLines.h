// The editor's text seen as a list of strings, one per row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

class SourceEditor;
class Stream;

/// A string-list view over an editor: every change goes through the editor's selection
/// and replacement, so it is recorded for undo like any edit.
class SourceEditorLines {
public:
    explicit SourceEditorLines(SourceEditor& editor) : m_editor(editor) {}

    /// The row count; 0 for an empty document.
    int32_t Count() const;
    /// The row's characters without its CR (at most 4096).
    std::string Get(int32_t index) const;
    /// Replaces the row's characters (not its CR) by `text`.
    void Put(int32_t index, std::string_view text);
    /// Inserts `text` as a line before row `index`, or after the last row for an index past
    /// the end (onto the empty last line when the text ends with a line end).
    void Insert(int32_t index, std::string_view text);
    /// Removes the row with its line end.
    void Delete(int32_t index);

    std::string Text() const;
    /// Loads `text` as the document unless it equals the current text.
    void SetText(std::string_view text);
    /// Loads the lines, joined by CR LF.
    void Assign(const std::vector<std::string>& lines);

    void BeginUpdate();
    void EndUpdate();

    void LoadFromStream(Stream& stream);
    void SaveToStream(Stream& stream);
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path);

private:
    void ReplaceRange(int32_t from, int32_t to, std::string_view text);

    SourceEditor& m_editor;
    int m_updateDepth = 0;
};

}  // namespace quinkle
