// Compiling an expression and walking the candidate start positions of a text.
#include "engine/search/REParser.h"

#include <algorithm>
#include <cstring>

namespace quinkle {
namespace {

constexpr char kCR = '\r';

/// The offset after the first CR in [at, stop), or `stop` when there is none.
int32_t NextLineStart(ReaderCursor& cursor, int32_t at, int32_t stop) {
    while (at < stop) {
        const CharReader::Piece& piece = cursor.PieceAt(at);
        int32_t end = std::min(piece.End(), stop);
        const void* hit = std::memchr(piece.Data + (at - piece.Start), kCR, end - at);
        if (hit)
            return piece.Start + static_cast<int32_t>(static_cast<const char*>(hit) - piece.Data) +
                   1;
        at = end;
    }
    return stop;
}

}  // namespace

/// Offsets of a match's start the filter may choose from.
constexpr int kFilterOffsets = 8;
/// Bytes the automaton may read for each byte the search moves on (and a start-up allowance),
/// so that checks which each read a long way cannot make a search quadratic.
constexpr int64_t kAutomatonBytesPerByte = 8;
constexpr int64_t kAutomatonAllowance = 4096;

void REParser::Compile(std::string_view pattern, bool matchCase) {
    m_matcher.reset();
    m_literalOnly = false;
    m_automaton.reset();
    m_filter.reset();
    m_program.reset();
    m_prefix.reset();
    m_matches.clear();
    m_pattern.clear();
    auto program = std::make_unique<RegexProgram>(CompileRegex(ParseRegex(pattern, matchCase)));
    if (!program->Prefix.empty())
        m_prefix = std::make_unique<PlainSearcher>(program->Prefix, !program->PrefixFold);
    if (!program->CanStartEmpty && !program->AnchoredAtLineStart) {
        auto automaton = std::make_unique<RegexAutomaton>(*program);
        if (automaton->Usable()) {
            auto filter = std::make_unique<StartFilter>(automaton->OffsetBytes(kFilterOffsets));
            if (filter->Usable()) {
                m_filter = std::move(filter);
                if (automaton->Decides()) m_automaton = std::move(automaton);
                m_literalOnly = m_automaton && program->Code.size() == 2 &&
                                program->Code[0].Op == RegexOp::Exactly;
            }
        }
    }
    m_program = std::move(program);
    m_pattern = pattern;
}

int32_t REParser::MatchPos(int32_t index) const {
    if (index < 0 || index >= MatchCount()) throw ERegExpError(re_message::kIndexRange);
    return m_matches[static_cast<size_t>(index)];
}

bool REParser::Try(RegexMatcher& matcher, int32_t at) {
    if (!matcher.MatchAt(at)) return false;
    m_matches.clear();
    m_matches.push_back(at);
    for (int g = 1; g <= m_program->GroupCount; ++g) {
        m_matches.push_back(matcher.GroupStart(g));
        m_matches.push_back(matcher.GroupEnd(g));
    }
    m_matches.push_back(matcher.End());
    return true;
}

bool REParser::MatchAt(const CharReader& text, int32_t at) {
    m_matches.clear();
    if (!m_program) throw ERegExpError(re_message::kInvalidParameter);
    if (at < 0 || at > text.Length()) return false;
    return Try(MatcherFor(text), at);
}

bool REParser::Search(const CharReader& text, int32_t from, int32_t to) {
    m_matches.clear();
    if (!m_program) throw ERegExpError(re_message::kInvalidParameter);
    int32_t length = text.Length();
    from = std::clamp(from, 0, length);
    to = std::clamp(to, 0, length);
    if (to >= from && m_filter) return SearchFiltered(text, from, to);
    RegexMatcher& matcher = MatcherFor(text);
    bool found = to >= from ? SearchForward(text, from, to, matcher)
                            : SearchBackward(text, from, to, matcher);
    m_steps = matcher.Steps();
    return found;
}

RegexMatcher& REParser::MatcherFor(const CharReader& text) {
    if (m_matcher)
        m_matcher->Restart(text);
    else
        m_matcher = std::make_unique<RegexMatcher>(*m_program, text);
    return *m_matcher;
}

bool REParser::MayStartAt(ReaderCursor& cursor, int32_t at) const {
    const RegexProgram& program = *m_program;
    if (program.AnchoredAtLineStart && at > 0 && cursor.At(at - 1) != static_cast<uint8_t>(kCR))
        return false;
    if (program.CanStartEmpty) return true;
    int c = cursor.At(at);
    return c >= 0 && program.FirstBytes.Has(static_cast<uint8_t>(c));
}

int32_t REParser::AfterFailedStart(ReaderCursor& cursor, int32_t at, int32_t stop) const {
    const RegexProgram& program = *m_program;
    if (program.LeadingRun < 0) return at + 1;
    // The failed attempt let the leading repeat end anywhere in the run of its set from
    // `at`; an attempt from a later start inside the run can only end it at fewer places.
    const ByteSet& set = program.Sets[program.Code[program.LeadingRun].A];
    while (at < stop) {
        const CharReader::Piece& piece = cursor.PieceAt(at);
        const auto* bytes = reinterpret_cast<const uint8_t*>(piece.Data);
        int32_t i = at - piece.Start;
        int32_t end = std::min(piece.End(), stop) - piece.Start;
        while (i < end && set.Has(bytes[i])) ++i;
        at = piece.Start + i;
        if (i < end) break;
    }
    return at + 1;
}

bool REParser::SearchForward(const CharReader& text, int32_t from, int32_t to,
                             RegexMatcher& matcher) {
    const RegexProgram& program = *m_program;
    int32_t length = text.Length();
    ReaderCursor cursor(text);
    if (m_prefix) {
        int32_t reach = static_cast<int32_t>(
            std::min<int64_t>(length, static_cast<int64_t>(to) + m_prefix->PatternLength()));
        for (int32_t at = from; at <= to;) {
            int32_t found = m_prefix->FindForward(text, at, reach);
            if (found < 0 || found > to) return false;
            if ((!program.AnchoredAtLineStart || MayStartAt(cursor, found)) && Try(matcher, found))
                return true;
            at = found + 1;
        }
        return false;
    }
    for (int32_t at = from; at <= to;) {
        if (at >= length) return program.CanStartEmpty && Try(matcher, at);
        if (program.AnchoredAtLineStart) {
            if (MayStartAt(cursor, at) && Try(matcher, at)) return true;
            at = NextLineStart(cursor, at, std::min(to + 1, length));
            continue;
        }
        if (program.CanStartEmpty) {
            if (Try(matcher, at)) return true;
            at = AfterFailedStart(cursor, at, length);
            continue;
        }
        // Skip the bytes no match starts with, a piece at a time.
        const CharReader::Piece& piece = cursor.PieceAt(at);
        const auto* bytes = reinterpret_cast<const uint8_t*>(piece.Data);
        int32_t i = at - piece.Start;
        int32_t stop = std::min(piece.End(), to + 1) - piece.Start;
        while (i < stop && !program.FirstBytes.Has(bytes[i])) ++i;
        at = piece.Start + i;
        if (i == stop) continue;
        if (program.HasSecondBytes) {  // a cheap look at the next byte spares most attempts
            int next = i + 1 < piece.Length ? bytes[i + 1] : cursor.At(at + 1);
            if (next < 0 || !program.SecondBytes.Has(static_cast<uint8_t>(next))) {
                ++at;
                continue;
            }
        }
        if (Try(matcher, at)) return true;
        at = AfterFailedStart(cursor, at, length);
    }
    return false;
}

bool REParser::SearchFiltered(const CharReader& text, int32_t from, int32_t to) {
    ReaderCursor cursor(text);
    RegexMatcher* matcher = nullptr;  // set up only when a start needs it
    struct Settle {                   // the steps of the search, however it ends
        REParser& Parser;
        RegexMatcher*& Matcher;
        ~Settle() { Parser.m_steps = Matcher ? Matcher->Steps() : 0; }
    } settle{*this, matcher};
    int64_t read = 0;
    m_window.Reset();
    for (int32_t at = from; at <= to;) {
        int32_t start = m_filter->Next(cursor, at, to, m_window);
        if (start < 0) return false;
        RegexAutomaton::Verdict verdict = RegexAutomaton::Verdict::Unknown;
        if (m_automaton) {
            int64_t allowed =
                kAutomatonBytesPerByte * (static_cast<int64_t>(start) - from) + kAutomatonAllowance;
            verdict = m_automaton->MatchesAt(cursor, start, allowed - read, read);
        }
        if (verdict == RegexAutomaton::Verdict::Match && m_literalOnly) {
            // A program of one literal has one match from a start that has one; its groups
            // (repeated no times) take no part.
            m_matches.assign(2 * static_cast<size_t>(m_program->GroupCount) + 2, -1);
            m_matches.front() = start;
            m_matches.back() = start + m_program->Code[0].B;
            return true;
        }
        if (verdict != RegexAutomaton::Verdict::NoMatch) {
            if (!matcher) matcher = &MatcherFor(text);
            if (Try(*matcher, start)) return true;
        }
        at = start + 1;
        if (m_program->LeadingRun >= 0) at = AfterFailedStart(cursor, start, text.Length());
    }
    return false;
}

bool REParser::SearchBackward(const CharReader& text, int32_t from, int32_t to,
                              RegexMatcher& matcher) {
    ReaderCursor cursor(text);
    for (int32_t at = from; at >= to; --at)
        if (MayStartAt(cursor, at) && Try(matcher, at)) return true;
    return false;
}

}  // namespace quinkle
