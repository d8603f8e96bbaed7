// Find Next and Show All of the main window.
#include "engine/editor/MainSearch.h"

#include <algorithm>
#include <utility>

#include "engine/editor/SourceEditor.h"
#include "engine/search/SearchState.h"
#include "engine/text/EditorError.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

SearchReport NotFound(const std::string& text) {
    return {SearchReport::Kind::Error, FormatMessage(kTextNotFound, text), 0};
}

// Lets the editor report a failed search to this caller alone, for the length of one command.
class FailCatcher {
public:
    explicit FailCatcher(SourceEditor& editor)
        : m_editor(editor), m_saved(std::move(editor.OnSearchFail)) {
        editor.OnSearchFail = [this](const std::string&) { Failed = true; };
    }
    ~FailCatcher() { m_editor.OnSearchFail = std::move(m_saved); }
    FailCatcher(const FailCatcher&) = delete;
    FailCatcher& operator=(const FailCatcher&) = delete;

    bool Failed = false;

private:
    SourceEditor& m_editor;
    std::function<void(const std::string&)> m_saved;
};

}  // namespace

uint32_t MainSearch::DialogFlags() const { return m_useRegExp ? uint32_t(sflRegExp) : 0u; }

void MainSearch::TakeEditorSearch() {
    m_lastText = m_editor.SearchText();
    m_lastFlags = m_editor.SearchFlags();
}

SearchReport MainSearch::FindNext() {
    if (m_lastText.empty()) m_lastText = m_editor.SearchText();
    if (m_lastText.empty()) return {};
    m_editor.SetSearchText(m_lastText);
    m_editor.SetSearchFlags(m_lastFlags | sflSearchNow);
    FailCatcher catcher(m_editor);
    if (m_editor.FindNext()) return {SearchReport::Kind::None, {}, 1};
    // An expression error has been reported by the editor already.
    return catcher.Failed ? NotFound(m_lastText) : SearchReport{};
}

bool MainSearch::CanShowAll() const {
    return !m_useRegExp && !m_lastText.empty() && !m_editor.SearchText().empty();
}

SearchReport MainSearch::ShowAll() {
    // The selection as the store holds it: its line ends may be given out as CR LF.
    std::string text = NormaliseLineEnds(m_editor.SelText());
    uint32_t flags = 0;
    if (text.empty()) {
        text = m_lastText;
        flags = m_lastFlags;
    }
    if (text.empty()) {
        text = m_editor.SearchText();
        flags = m_editor.SearchFlags();
    }
    if (text.empty()) return {SearchReport::Kind::Warning, kNothingToFind, 0};

    RemoveHighlights();
    int32_t count = 0;
    int32_t first = -1;
    bool complete = true;
    {
        ChangeBatch batch(m_editor);
        // Every occurrence from the start, each searched for one character after the last
        // one's start, so overlapping occurrences are all marked.
        complete = m_editor.FindAll(0, -1, text, flags, true, [&](int32_t start, int32_t end) {
            if (first < 0) first = start;
            m_editor.AddMark(start, end - start, kHighlightMark);
            ++count;
        });
        m_editor.SetSel(std::max(first, 0), std::max(first, 0));
    }
    if (!complete) return {};  // the editor has reported the expression's error
    if (count == 0) return NotFound(text);
    m_lastText = text;
    m_lastFlags = flags;
    m_highlighted = true;
    m_highlightRevision = m_editor.TextRevision();
    return {SearchReport::Kind::None, {}, count};
}

void MainSearch::EditorChanged() {
    if (m_highlighted && m_editor.TextRevision() != m_highlightRevision) RemoveHighlights();
}

void MainSearch::RemoveHighlights() {
    if (!m_highlighted) return;
    m_highlighted = false;
    ChangeBatch batch(m_editor);
    m_editor.ClearMarks();
}

}  // namespace quinkle
