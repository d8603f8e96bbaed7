// The main window's searches over its editor: Find Next and Show All with the last search text
// and flags the window keeps, and the highlights Show All leaves until the text changes.
#pragma once

#include <cstdint>
#include <string>

namespace quinkle {

class SourceEditor;

/// What a search command has to tell the user: nothing, a warning or an error.
struct SearchReport {
    enum class Kind { None, Warning, Error };
    Kind Level = Kind::None;
    std::string Message;
    int32_t Matches = 0;  ///< occurrences found (Find Next: 0 or 1)
};

inline constexpr const char* kNothingToFind = "Nothing to Find!";
inline constexpr const char* kTextNotFound = "Error: Text \"%s\" not found.";

class MainSearch {
public:
    explicit MainSearch(SourceEditor& editor) : m_editor(editor) {}

    const std::string& LastText() const { return m_lastText; }
    uint32_t LastFlags() const { return m_lastFlags; }
    /// The Edit menu's "Use Regular Expressions" check.
    bool UseRegExp() const { return m_useRegExp; }
    void SetUseRegExp(bool on) { m_useRegExp = on; }
    /// The flag word the Find and Replace windows open with.
    uint32_t DialogFlags() const;
    /// Takes the editor's search text and flags as the last ones, after its Find or Replace
    /// window was used.
    void TakeEditorSearch();

    /// Finds the next occurrence of the last search text (or the editor's) from the caret and
    /// selects it.
    SearchReport FindNext();
    /// Highlights every occurrence of the selected text, or else of the last search text, or
    /// else of the editor's, and puts the caret at the first.
    SearchReport ShowAll();
    /// Show All is offered without expressions and with both search texts known.
    bool CanShowAll() const;

    bool HighlightsShown() const { return m_highlighted; }
    /// Called after each change of the editor: a change of the text removes the highlights.
    void EditorChanged();

    /// The value Show All gives its range marks.
    static constexpr intptr_t kHighlightMark = 0x5348;

private:
    void RemoveHighlights();

    SourceEditor& m_editor;
    std::string m_lastText;
    uint32_t m_lastFlags = 0;
    bool m_useRegExp = false;
    bool m_highlighted = false;
    uint64_t m_highlightRevision = 0;  // the text revision the highlights were made on
};

}  // namespace quinkle
