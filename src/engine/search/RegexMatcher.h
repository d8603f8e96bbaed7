// The backtracking matcher that runs a compiled expression over a character reader.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/search/CharReader.h"
#include "engine/search/RegexProgram.h"

namespace quinkle {

/// Steps the matcher may take. One match attempt gets a budget in proportion to the text it
/// may cover (from its start to the end of the text) and to the program's size, so an
/// attempt that backtracks without end stops with "Expression is too complex" instead of
/// freezing the program. All the attempts of one search together get a budget in proportion
/// to the text times the program's size: what the matcher remembers between attempts keeps
/// an expression without nested repeats within it, and anything else stops with the message
/// instead of running for seconds.
struct StepBudget {
    int64_t Left = 0;

    static constexpr int64_t kStepsPerByte = 32;
    static constexpr int64_t kMinimum = int64_t{1} << 16;
    static StepBudget For(int64_t bytes, size_t programSize) {
        return {kStepsPerByte * (bytes + static_cast<int64_t>(programSize)) + kMinimum};
    }

    static constexpr int64_t kSearchStepsPerByteAndNode = 16;
    static constexpr int64_t kSearchMinimum = int64_t{1} << 22;
    static StepBudget ForSearch(int64_t bytes, size_t programSize) {
        return {kSearchStepsPerByteAndNode * (bytes + 1) * static_cast<int64_t>(programSize) +
                kSearchMinimum};
    }
};

/// Runs one program over one text. MatchAt tries a match starting at one offset with a
/// budget of its own, charged one step per node run, byte scanned by a repeat and backtrack
/// taken. One matcher serves the attempts of one search: it remembers, from one attempt to
/// the next, the loop entries and repeat runs that have failed, so a search over a long text
/// does not walk its rest again from every start.
class RegexMatcher {
public:
    enum class Mode : uint8_t {
        Remembering,  ///< skips what cannot succeed and what failed before
        Plain,        ///< runs every node as written: the reference the tests compare with
    };

    RegexMatcher(const RegexProgram& program, const CharReader& text,
                 Mode mode = Mode::Remembering);

    /// Starts afresh over `text` (which may have changed), as a new matcher would, keeping
    /// only the memory it has allocated.
    void Restart(const CharReader& text);

    /// Tries to match at `start`; on success End() and the group bounds are set.
    /// Throws ERegExpError "Expression is too complex" when the attempt's budget or the
    /// backtrack stack runs out.
    bool MatchAt(int32_t start);
    int32_t End() const { return m_end; }
    /// Start and end of sub-expression g (1-9); -1 when it took no part in the match.
    int32_t GroupStart(int g) const { return m_groups[2 * g]; }
    int32_t GroupEnd(int g) const { return m_groups[2 * g + 1]; }

    /// Steps all the attempts of this matcher have taken.
    int64_t Steps() const { return m_steps; }

    /// Most backtrack entries one attempt may stack up.
    static constexpr size_t kMaxBacktrack = size_t{1} << 22;
    /// Steps a loop entry that fails at once takes: the group marks and jumps before it, the
    /// entry and the backtrack.
    static constexpr int64_t kLoopEntrySteps = 4;
    /// Most memory the record of loop entries may take; entries beyond it go unrecorded.
    static constexpr size_t kMaxVisitBytes = size_t{64} << 20;

private:
    enum class FrameKind : uint8_t { Alternative, Retry, Restore, EndsFailed };
    struct Frame {
        FrameKind Kind;
        int32_t Pc;     // Alternative, Retry: node; Restore: group slot; EndsFailed: memo slot
        int32_t Pos;    // Alternative: where to go on; Retry: start of the run; Restore: old
                        // value; EndsFailed: the first end tried
        int32_t Count;  // Retry: bytes the repeat takes next; EndsFailed: the last end tried;
                        // Restore: the slot's previous Restore entry
    };
    /// What a memo repeat knows: its set covers [RunFrom, RunTo) (and stops at RunTo when
    /// RunEnds), and every end in [FailLo, FailHi] has failed, that is, what follows the
    /// repeat cannot match from there.
    struct RepeatMemo {
        int32_t RunFrom = -1;
        int32_t RunTo = -1;
        bool RunEnds = false;
        int32_t FailLo = 0;
        int32_t FailHi = -1;
    };

    void Push(FrameKind kind, int32_t pc, int32_t pos, int32_t count = 0);
    /// Pushes an entry that resumes the match (Alternative or Retry).
    void PushChoice(FrameKind kind, int32_t pc, int32_t pos, int32_t count = 0);
    void Charge(int64_t steps);
    /// Whether what follows node pc can start at pos (always, in plain mode).
    bool CanGoOn(int32_t pc, int32_t pos) {
        if (m_plain) return true;
        const RegexLead& lead = m_program.Leads[static_cast<size_t>(pc)];
        if (lead.Empty) return true;
        int c = m_text.At(pos);
        return c >= 0 && lead.Bytes.Has(static_cast<uint8_t>(c));
    }
    /// Whether loop `row` was entered at `pos` before; records the entry when it was not.
    bool Visited(int row, int32_t pos);
    /// Whether loop `row` was entered at `pos` before, recording nothing.
    bool Seen(int row, int32_t pos);
    /// The record's word for `row` and `pos`; null when its page is missing and `create` is
    /// false or the record is full.
    uint64_t* VisitWord(int row, int32_t pos, bool create);
    /// Sets a group slot, stacking its old value when a backtrack may need it again.
    void SetGroup(int slot, int32_t pos);
    /// Bytes of `set` from `pos` on, at most `max`.
    int32_t ScanSet(int32_t pos, const ByteSet& set, int32_t max);
    bool Exactly(const RegexInstr& instr, int32_t pos);
    /// The largest count in [min, count] after which what follows node pc can start; -1 when
    /// there is none.
    int32_t FitCount(int32_t pc, int32_t base, int32_t min, int32_t count);
    /// Runs a Star, Plus or Repeat node at `pos`; false when it cannot match.
    bool RunRepeat(int32_t pc, int32_t& pos);
    /// Where the run of a repeat's set from `pos` stops, looking at most `max` bytes on.
    int32_t RunEnd(const RegexInstr& instr, int32_t pos, int32_t max);
    /// Notes that every end of memo repeat `slot` in [lo, hi] has failed.
    void EndsFailed(int slot, int32_t lo, int32_t hi);
    /// Pops frames until one resumes the match; false when none is left.
    bool Backtrack(int32_t& pc, int32_t& pos);

    const RegexProgram& m_program;
    ReaderCursor m_text;
    bool m_plain;
    StepBudget m_budget;
    StepBudget m_searchBudget;
    int64_t m_steps = 0;
    std::vector<Frame> m_stack;
    std::vector<int32_t> m_choices;  // where the Alternative and Retry entries stand
    // Kept over the attempts of one matcher: the text and program do not change, and what
    // follows a node depends only on the node and the position.
    std::vector<RepeatMemo> m_repeats;
    // Loop entries in pages of 2^kVisitPageBits positions, one row of bits a loop.
    static constexpr int32_t kVisitPageBits = 12;
    std::unordered_map<int32_t, std::unique_ptr<uint64_t[]>> m_visitPages;
    int32_t m_lastPage = -1;
    uint64_t* m_lastBits = nullptr;
    size_t m_visitBytes = 0;
    std::array<int32_t, 20> m_groups{};
    std::array<int32_t, 20> m_saved{};  // each slot's newest Restore entry, -1 for none
    int32_t m_end = -1;
};

}  // namespace quinkle
