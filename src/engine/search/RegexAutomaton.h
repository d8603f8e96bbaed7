// The compiled expression as a set of positions, and a deterministic automaton built from it
// on demand, that tells quickly whether any match starts at an offset.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "engine/search/ByteSet.h"
#include "engine/search/CharReader.h"
#include "engine/search/RegexProgram.h"

namespace quinkle {

/// The program's nodes unfolded into positions: one per byte node, one per byte of a literal
/// and one per count of a repeat. A set of positions is where the matches that have read the
/// same bytes stand; sets become the states of an automaton, made when first needed.
///
/// The automaton answers "does some match start here", never which one: the backtracking
/// matcher, run only where the answer is yes, still picks the match and its groups.
class RegexAutomaton {
public:
    enum class Verdict : uint8_t { NoMatch, Match, Unknown };

    static constexpr int32_t kMaxPositions = 4096;
    static constexpr int32_t kMaxStates = 2048;

    explicit RegexAutomaton(const RegexProgram& program);

    /// False when the program unfolds into more than kMaxPositions positions; then nothing
    /// else may be asked.
    bool Usable() const { return m_usable; }
    /// Whether MatchesAt can answer: the program has no line anchors (which look at bytes
    /// around a position) and no loops over more than one byte (where the backtracker's step
    /// budget, not the automaton, must decide how a runaway search ends).
    bool Decides() const { return m_usable && !m_anchors && !m_loops; }

    /// For offsets 0, 1, ... that every match reaches (at most `most` of them): the bytes a
    /// match can hold there. The sets may hold more than is possible, never less. Line
    /// anchors are taken as always met.
    std::vector<ByteSet> OffsetBytes(int most);

    /// Whether some match starts at `start`, reading at most `limit` bytes (then Unknown, as
    /// when the automaton grows too large). `read` gets the bytes read added. Requires
    /// Decides().
    Verdict MatchesAt(ReaderCursor& text, int32_t start, int64_t limit, int64_t& read);

private:
    using Positions = std::vector<int32_t>;
    static constexpr int32_t kUnknown = -1;
    static constexpr int32_t kTooMany = -2;
    static constexpr int32_t kDead = 0;

    int32_t Id(int32_t pc, int32_t index) const { return m_base[static_cast<size_t>(pc)] + index; }
    /// Adds to `out` the positions reached from node `pc` (at count or literal byte `index`)
    /// without reading a byte.
    void Close(int32_t pc, int32_t index, Positions& out);
    /// The bytes position `id` reads; empty for the accepting one.
    ByteSet Reads(int32_t id) const;
    /// Adds to `out` where position `id` goes after reading `byte`.
    void Step(int32_t id, uint8_t byte, Positions& out);
    void BeginClosure();
    /// The state of the position set `set` (sorted), made when new; kTooMany past the limit.
    int32_t StateOf(Positions set);
    /// Makes the transition of `state` on `byte`: the next state, or kTooMany.
    int32_t Transition(int32_t state, uint8_t byte);
    /// A state as the transition table holds it: its row's offset, negated (less 2) for an
    /// accepting state; the dead state is 0.
    int32_t Encode(int32_t state) const;
    /// Works out whether `state` goes back to itself on all but a few bytes (then a run of
    /// those can be skipped at once); makes its every transition to find out.
    void Classify(int32_t state);
    /// The first offset in [from, end) whose byte is one of `state`'s escapes, or `end`.
    int32_t SkipToEscape(int32_t state, const uint8_t* bytes, int32_t from, int32_t end) const;

    const RegexProgram& m_program;
    bool m_usable = false;
    bool m_anchors = false;
    bool m_loops = false;
    std::vector<int32_t> m_base;  // per node: its first position (count of positions after)
    std::vector<int32_t> m_pcOf;  // per position: its node
    int32_t m_accept = -1;        // the position of the End node
    // Marks of the closure being taken: a node or position is done when its mark is m_mark.
    std::vector<uint32_t> m_nodeMark;
    std::vector<uint32_t> m_positionMark;
    uint32_t m_mark = 0;

    std::map<Positions, int32_t> m_states;
    std::vector<Positions> m_sets;
    std::vector<uint8_t> m_accepting;
    std::vector<int32_t> m_next;  // per state and byte: the next state Encoded, or kUnknown
    int32_t m_start = kUnknown;
    // Per state: whether it loops on itself for all but up to kMaxEscapes bytes, and those.
    enum class Loop : uint8_t { Unknown, No, Yes };
    static constexpr int kMaxEscapes = 3;
    struct Escapes {
        Loop Kind = Loop::Unknown;
        uint8_t Count = 0;
        uint8_t Bytes[kMaxEscapes] = {};
    };
    std::vector<Escapes> m_escapes;
};

}  // namespace quinkle
