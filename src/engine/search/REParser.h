// The regular-expression engine: compiles a pattern and searches a text for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search/CharReader.h"
#include "engine/search/PlainSearch.h"
#include "engine/search/RegexAutomaton.h"
#include "engine/search/RegexError.h"
#include "engine/search/RegexMatcher.h"
#include "engine/search/RegexProgram.h"
#include "engine/search/StartFilter.h"

namespace quinkle {

/// A compiled expression and the offsets of its last match. The match list holds the match
/// start at index 0, then the start and end of each sub-expression in order (-1 for one
/// that took no part), and the match end last.
class REParser {
public:
    REParser() = default;

    /// Compiles `pattern`; throws ERegExpError with the engine's message. Without
    /// `matchCase`, ASCII letters match either case. A failed compile leaves no expression.
    void Compile(std::string_view pattern, bool matchCase = true);
    bool Compiled() const { return m_program != nullptr; }
    const std::string& Pattern() const { return m_pattern; }
    const RegexProgram& Program() const { return *m_program; }

    /// Looks for a match starting between `from` and `to` (both included), trying starts in
    /// order from `from` towards `to` (backwards when `to` is below `from`). True fills the
    /// match list; false empties it. Each attempt has its own step budget, and the search
    /// one for all its attempts (see StepBudget); throws ERegExpError "Expression is too
    /// complex" when either runs out.
    bool Search(const CharReader& text, int32_t from, int32_t to);
    /// Tries a match starting exactly at `at`, with the budget of one attempt.
    bool MatchAt(const CharReader& text, int32_t at);

    int32_t MatchCount() const { return static_cast<int32_t>(m_matches.size()); }
    /// Offset `index` of the match list; throws ERegExpError "Index range error" outside it.
    int32_t MatchPos(int32_t index) const;
    const std::vector<int32_t>& Matches() const { return m_matches; }
    int32_t MatchStart() const { return m_matches.empty() ? -1 : m_matches.front(); }
    int32_t MatchEnd() const { return m_matches.empty() ? -1 : m_matches.back(); }
    void ClearMatches() { m_matches.clear(); }
    /// Steps the matcher took in the last search that ended without an error: what the
    /// search's cost grows with, for tests that check it stays near-linear.
    int64_t SearchSteps() const { return m_steps; }

private:
    /// The matcher for a search over `text`, fresh as a new one but without its set-up cost.
    RegexMatcher& MatcherFor(const CharReader& text);
    bool SearchForward(const CharReader& text, int32_t from, int32_t to, RegexMatcher& matcher);
    /// SearchForward by the start filter, and the automaton where it can decide.
    bool SearchFiltered(const CharReader& text, int32_t from, int32_t to);
    bool SearchBackward(const CharReader& text, int32_t from, int32_t to, RegexMatcher& matcher);
    bool Try(RegexMatcher& matcher, int32_t at);
    bool MayStartAt(ReaderCursor& cursor, int32_t at) const;
    /// Where the next start worth trying lies after an attempt at `at` failed.
    int32_t AfterFailedStart(ReaderCursor& cursor, int32_t at, int32_t stop) const;

    std::string m_pattern;
    std::unique_ptr<RegexProgram> m_program;
    std::unique_ptr<PlainSearcher> m_prefix;  // finds the literal start of every match
    std::unique_ptr<StartFilter> m_filter;    // finds the starts that fit a match's first bytes
    StartFilter::Window m_window;             // the filter's copy of short pieces
    // Tells whether a match starts where the filter points (null where it cannot decide).
    std::unique_ptr<RegexAutomaton> m_automaton;
    std::unique_ptr<RegexMatcher> m_matcher;
    bool m_literalOnly = false;  // the program is one literal, decided by the automaton
    std::vector<int32_t> m_matches;
    int64_t m_steps = 0;
};

}  // namespace quinkle
