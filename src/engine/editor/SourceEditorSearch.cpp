// Search, find next, replace, replace-all and range marks of the editor.
#include <algorithm>

#include "engine/editor/SourceEditor.h"
#include "engine/search/PlainSearch.h"
#include "engine/search/Replacement.h"
#include "engine/search/StoreReader.h"
#include "engine/text/EditorError.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldToUpper(static_cast<uint8_t>(x)) == FoldToUpper(static_cast<uint8_t>(y));
           });
}

std::string ReplaceQuestion(std::string_view text, std::string_view replacement) {
    std::string question = FormatMessage(kReplaceQuestion, std::string(text));
    return FormatMessage(question.c_str(), std::string(replacement));
}

}  // namespace

// ---- search ----

void SourceEditor::SetSearchFlags(uint32_t flags) {
    m_search.Flags = flags;
    m_search.RegExp = (flags & sflRegExp) != 0;
}

int32_t SourceEditor::MatchPos(int32_t index) const {
    if (index < 0 || index >= MatchCount()) throw ERegExpError(re_message::kIndexRange);
    return m_search.Matches[static_cast<size_t>(index)];
}

ByteSet SourceEditor::WordBytes() const {
    ByteSet set;
    for (int c = 0; c < 256; ++c)
        if (IsInWord(static_cast<char>(c))) set.Add(static_cast<uint8_t>(c));
    return set;
}

void SourceEditor::ReportSearchMessage(const std::string& message) {
    if (OnSearchMessage) OnSearchMessage(message);
}

void SourceEditor::ReportNotFound(const std::string& text) {
    if (OnSearchFail) {
        OnSearchFail(text);
        return;
    }
    ReportSearchMessage(std::string(kSearchStringWord) + " \"" + text + "\" " + kNotFoundWord);
}

REParser& SourceEditor::ExpressionFor(std::string_view text, bool matchCase) {
    REParser& parser = m_search.Parser;
    if (!parser.Compiled() || parser.Pattern() != text || m_search.ParserMatchCase != matchCase) {
        parser.Compile(text, matchCase);
        m_search.ParserMatchCase = matchCase;
    }
    return parser;
}

SourceEditor::SearchResult SourceEditor::FindMatch(uint32_t flags, std::string_view text,
                                                   int32_t from, int32_t& start, int32_t& end) {
    bool backwards = (flags & sflBackwards) != 0;
    bool matchCase = (flags & sflMatchCase) != 0;
    // The word bytes are asked of the settings only when whole words are wanted: Show All
    // searches once per occurrence.
    ByteSet wordBytes;
    if (flags & sflWholeWord) wordBytes = WordBytes();
    const ByteSet* wholeWords = (flags & sflWholeWord) ? &wordBytes : nullptr;
    StoreReader reader(*m_store);
    int32_t length = reader.Length();
    from = std::clamp(from, 0, length);
    m_search.Matches.clear();
    if (text.empty()) return SearchResult::NotFound;

    if (!(flags & sflRegExp)) {
        PlainSearcher searcher(text, matchCase);
        searcher.SetWholeWords(wholeWords);
        start = backwards ? searcher.FindBackward(reader, from)
                          : searcher.FindForward(reader, from, length);
        if (start < 0) return SearchResult::NotFound;
        end = start + static_cast<int32_t>(text.size());
        m_search.Matches = {start, end};
        return SearchResult::Found;
    }
    try {
        REParser& parser = ExpressionFor(text, matchCase);
        ReaderCursor around(reader);
        auto isWord = [&](int32_t at) {
            int c = around.At(at);
            return c >= 0 && wholeWords->Has(static_cast<uint8_t>(c));
        };
        for (int32_t at = backwards ? from - 1 : from; at >= 0 && at <= length;) {
            if (!parser.Search(reader, at, backwards ? 0 : length)) break;
            start = parser.MatchStart();
            end = parser.MatchEnd();
            if (!wholeWords || (!isWord(start - 1) && !isWord(end))) {
                m_search.Matches = parser.Matches();
                return SearchResult::Found;
            }
            at = backwards ? start - 1 : start + 1;
        }
        return SearchResult::NotFound;
    } catch (const ERegExpError& error) {
        ReportSearchMessage(error.what());
        return SearchResult::Failed;
    }
}

int32_t SourceEditor::Search(uint32_t flags, std::string_view text) {
    m_search.Text = text;
    SetSearchFlags(flags);
    int32_t start = 0;
    int32_t end = 0;
    if (FindMatch(flags, text, SelStart(), start, end) != SearchResult::Found) return -1;
    m_search.LastMatch = start;
    m_search.LastMatchEnd = end;
    SetSel(start, end);
    ScrollCaret();
    return start;
}

bool SourceEditor::FindNext() {
    if (m_search.Text.empty()) return false;
    uint32_t flags = m_search.Flags;
    // Forwards, a selection that is the occurrence found last is searched past, so that the
    // same one is not found again. The selection itself moves only when something is found.
    int32_t from = SelStart();
    if (!(flags & sflBackwards)) {
        bool onLastMatch = SelStart() == m_search.LastMatch && SelEnd() == m_search.LastMatchEnd;
        bool onText = SelEnd() - SelStart() == static_cast<int32_t>(m_search.Text.size()) &&
                      SelEnd() > SelStart() &&
                      EqualIgnoringCase(m_store->GetText(SelStart(), SelEnd()), m_search.Text);
        if (onLastMatch || onText) from = NextCharacter(SelStart());
    }
    int32_t start = 0;
    int32_t end = 0;
    SearchResult result = FindMatch(flags, m_search.Text, from, start, end);
    if (result == SearchResult::NotFound) ReportNotFound(m_search.Text);
    if (result != SearchResult::Found) return false;
    m_search.LastMatch = start;
    m_search.LastMatchEnd = end;
    SetSel(start, end);
    ScrollCaret();
    return true;
}

// ---- replace ----

std::string SourceEditor::ReplacementFor(std::string_view replacement, bool regExp) {
    if (!regExp) return NormaliseLineEnds(replacement);
    std::string expanded =
        ExpandReplacement(replacement, m_search.Matches,
                          [this](int32_t from, int32_t to) { return m_store->GetText(from, to); });
    return NormaliseLineEnds(expanded);
}

int32_t SourceEditor::Replace(uint32_t flags, std::string_view text, std::string_view replacement,
                              bool all) {
    m_search.Text = text;
    SetSearchFlags(flags);
    bool backwards = (flags & sflBackwards) != 0;
    bool regExp = (flags & sflRegExp) != 0;
    // From the caret; when it still stands on the last match, from one character further.
    int32_t from = SelStart();
    if (!backwards && m_search.LastMatch >= 0 && from == m_search.LastMatch)
        from = NextCharacter(from);

    int32_t replaced = 0;
    bool found = false;
    bool ask = !all;
    for (;;) {
        int32_t start = 0;
        int32_t end = 0;
        SearchResult result = FindMatch(flags, text, from, start, end);
        if (result == SearchResult::NotFound && !found) ReportNotFound(std::string(text));
        if (result != SearchResult::Found) break;
        found = true;
        m_search.LastMatch = start;
        m_search.LastMatchEnd = end;
        if (!ask) {
            int32_t low = backwards ? 0 : start;
            int32_t high = backwards ? end : -1;
            replaced += ReplaceAll(low, high, text, replacement, (flags & sflMatchCase) != 0,
                                   (flags & sflWholeWord) != 0, regExp);
            m_search.LastMatch = m_search.LastMatchEnd = -1;
            break;
        }
        std::string stored = ReplacementFor(replacement, regExp);
        SetSel(start, end);
        ScrollCaret();
        ReplaceAnswer answer = OnReplaceQuery ? OnReplaceQuery(ReplaceQuestion(text, replacement))
                                              : ReplaceAnswer::All;
        if (answer == ReplaceAnswer::Cancel) break;
        if (answer == ReplaceAnswer::All) {
            ask = false;
            from = backwards ? end : start;
            if (backwards) from = std::min(from + 1, m_store->CharCount());
            continue;
        }
        if (answer == ReplaceAnswer::No) {
            from = backwards ? start : NextCharacter(start);
            continue;
        }
        SetSel(start, end);  // the question's handler may have moved it
        ReplaceStored(stored, true);
        ++replaced;
        int32_t after = start + static_cast<int32_t>(stored.size());
        from = backwards ? start : (end == start ? std::max(after, NextCharacter(start)) : after);
        m_search.LastMatch = -1;  // replaced: nothing of it is left to step over
        m_search.LastMatchEnd = -1;
    }
    return replaced;
}

bool SourceEditor::FindAll(int32_t from, int32_t to, std::string_view text, uint32_t flags,
                           bool overlapping, const std::function<void(int32_t, int32_t)>& found) {
    int32_t length = m_store->CharCount();
    from = std::clamp(from, 0, length);
    to = to < 0 ? length : std::clamp(to, from, length);
    if (text.empty()) return true;
    const bool matchCase = (flags & sflMatchCase) != 0;
    const bool wholeWord = (flags & sflWholeWord) != 0;
    StoreReader reader(*m_store);
    ByteSet wordBytes;
    if (wholeWord) wordBytes = WordBytes();
    try {
        if (!(flags & sflRegExp)) {
            PlainSearcher searcher(text, matchCase);
            if (wholeWord) searcher.SetWholeWords(&wordBytes);
            for (int32_t at = from;;) {
                int32_t start = searcher.FindForward(reader, at, to);
                if (start < 0) break;
                int32_t end = start + static_cast<int32_t>(text.size());
                found(start, end);
                at = overlapping ? NextCharacter(start) : end;
            }
            return true;
        }
        REParser& parser = ExpressionFor(text, matchCase);
        ReaderCursor around(reader);
        auto isWord = [&](int32_t at) {
            int c = around.At(at);
            return c >= 0 && wordBytes.Has(static_cast<uint8_t>(c));
        };
        for (int32_t at = from; at <= to;) {
            if (!parser.Search(reader, at, to) || parser.MatchEnd() > to) break;
            int32_t start = parser.MatchStart();
            int32_t end = parser.MatchEnd();
            bool accepted = !wholeWord || (!isWord(start - 1) && !isWord(end));
            if (accepted) {
                m_search.Matches = parser.Matches();
                found(start, end);
            }
            at = accepted && end > start && !overlapping ? end : NextCharacter(start);
            if (at <= start) break;  // an empty match at the very end
        }
        return true;
    } catch (const ERegExpError& error) {
        ReportSearchMessage(error.what());
        return false;
    }
}

int32_t SourceEditor::ReplaceAll(int32_t from, int32_t to, std::string_view text,
                                 std::string_view replacement, bool matchCase, bool wholeWord,
                                 bool regExp) {
    struct Match {
        int32_t Start;
        int32_t End;
        std::string Text;  // the expanded replacement; empty in plain mode (all share one)
    };
    std::vector<Match> matches;
    const uint32_t flags = (matchCase ? sflMatchCase : 0u) | (wholeWord ? sflWholeWord : 0u) |
                           (regExp ? sflRegExp : 0u);
    const bool complete = FindAll(from, to, text, flags, false, [&](int32_t start, int32_t end) {
        matches.push_back({start, end, regExp ? ReplacementFor(replacement, true) : std::string()});
    });
    if (!complete) return 0;
    std::string plain = NormaliseLineEnds(replacement);
    if (matches.empty()) return 0;

    ChangeBatch batch(*this);
    BeginGroup(ucReplaceAll);
    int64_t shift = 0;
    int32_t lastStart = 0;
    for (const Match& match : matches) {
        const std::string& stored = regExp ? match.Text : plain;
        lastStart = static_cast<int32_t>(match.Start + shift);
        SetSel(lastStart, static_cast<int32_t>(match.End + shift));
        ReplaceStored(stored, true);
        shift += static_cast<int64_t>(stored.size()) - (match.End - match.Start);
    }
    EndGroup(ucReplaceAll);
    SetSel(lastStart, lastStart);
    ScrollCaret();
    return static_cast<int32_t>(matches.size());
}

// ---- range marks ----

void SourceEditor::HookMarkEvents() {
    RangeMarkList& marks = m_store->RangeMarks();
    std::weak_ptr<int> alive = m_search.Alive;
    marks.OnMarkChange = [this, alive](RangeMark& mark) {
        if (!alive.expired() && OnMarkChange) OnMarkChange(mark.Value);
    };
    marks.OnMarkFree = [this, alive](intptr_t value) {
        if (!alive.expired() && OnMarkFree) OnMarkFree(value);
    };
}

RangeMark* SourceEditor::AddMark(int32_t start, int32_t length, intptr_t value) {
    HookMarkEvents();
    start = Clamp(start);
    length = std::clamp(length, 0, m_store->CharCount() - start);
    return m_store->RangeMarks().Add(start, length, value);
}

void SourceEditor::DeleteMark(RangeMark* mark) {
    if (mark) m_store->RangeMarks().Delete(mark);
}

void SourceEditor::ClearMarks() { m_store->RangeMarks().Clear(); }

bool SourceEditor::FindMark(int32_t start, int32_t length, RangeMark*& mark) const {
    const RangeMarkList& marks = m_store->RangeMarks();
    int32_t end = start + std::max(0, length);
    for (size_t i = 0; i < marks.Count(); ++i) {
        RangeMark* candidate = marks.At(i);
        bool overlaps = length > 0 ? candidate->Start < end && candidate->End > start
                                   : candidate->Start <= start && start < candidate->End;
        if (overlaps) {
            mark = candidate;
            return true;
        }
    }
    mark = nullptr;
    return false;
}

RangeMark* SourceEditor::FirstMark() const {
    const RangeMarkList& marks = m_store->RangeMarks();
    m_search.MarkCursor = 0;
    return marks.Count() > 0 ? marks.At(0) : nullptr;
}

RangeMark* SourceEditor::NextMark(const RangeMark* mark) const {
    const RangeMarkList& marks = m_store->RangeMarks();
    size_t& cursor = m_search.MarkCursor;
    // Walking the list in order costs one step per mark; a jump looks the mark up.
    if (cursor >= marks.Count() || marks.At(cursor) != mark) {
        cursor = marks.Count();
        for (size_t i = 0; i < marks.Count(); ++i)
            if (marks.At(i) == mark) cursor = i;
    }
    if (cursor + 1 >= marks.Count()) return nullptr;
    return marks.At(++cursor);
}

void SourceEditor::SetMarkStart(RangeMark* mark, int32_t start) {
    if (!mark) return;
    mark->Start = Clamp(start);
    mark->End = std::max(mark->End, mark->Start);
}

void SourceEditor::SetMarkEnd(RangeMark* mark, int32_t end) {
    if (!mark) return;
    mark->End = std::max(Clamp(end), mark->Start);
}

}  // namespace quinkle
