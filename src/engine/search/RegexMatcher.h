// The backtracking matcher that runs a compiled expression over a character reader.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/search/CharReader.h"
#include "engine/search/RegexProgram.h"

namespace quinkle {

/// Steps one match attempt may take: in proportion to the text the attempt may cover (from
/// its start to the end of the text) and to the program's size. An attempt that backtracks
/// without end stops with "Expression is too complex" instead of freezing the program,
/// while a search of many attempts is never cut short by their sum.
struct StepBudget {
    int64_t Left = 0;

    static constexpr int64_t kStepsPerByte = 64;
    static constexpr int64_t kMinimum = int64_t{1} << 16;
    static StepBudget For(int64_t bytes, size_t programSize) {
        return {kStepsPerByte * (bytes + static_cast<int64_t>(programSize)) + kMinimum};
    }
};

/// Runs one program over one text. MatchAt tries a match starting at one offset with a
/// budget of its own, charged one step per node run, byte scanned by a repeat and backtrack
/// taken.
class RegexMatcher {
public:
    RegexMatcher(const RegexProgram& program, const CharReader& text);

    /// Tries to match at `start`; on success End() and the group bounds are set.
    /// Throws ERegExpError "Expression is too complex" when the attempt's budget or the
    /// backtrack stack runs out.
    bool MatchAt(int32_t start);
    int32_t End() const { return m_end; }
    /// Start and end of sub-expression g (1-9); -1 when it took no part in the match.
    int32_t GroupStart(int g) const { return m_groups[2 * g]; }
    int32_t GroupEnd(int g) const { return m_groups[2 * g + 1]; }

    /// Most backtrack entries one attempt may stack up.
    static constexpr size_t kMaxBacktrack = size_t{1} << 22;

private:
    enum class FrameKind : uint8_t { Alternative, Retry, Restore, RunFailed };
    struct Frame {
        FrameKind Kind;
        int32_t Pc;     // Alternative, Retry: node; Restore: group slot; RunFailed: memo slot
        int32_t Pos;    // Alternative: where to go on; Retry, RunFailed: start of the run;
                        // Restore: old value
        int32_t Count;  // Retry: bytes the repeat takes now; RunFailed: end of the run
    };
    /// A run of a memo repeat's set from Start to End (where the set stops) after which every
    /// end from Start + the repeat's minimum on has failed; Start -1 when there is none.
    struct FailedRun {
        int32_t Start = -1;
        int32_t End = -1;
    };

    void Push(FrameKind kind, int32_t pc, int32_t pos, int32_t count = 0);
    void Charge(int64_t steps);
    /// Bytes of `set` from `pos` on, at most `max`.
    int32_t ScanSet(int32_t pos, const ByteSet& set, int32_t max);
    bool Exactly(const RegexInstr& instr, int32_t pos);
    /// The largest count in [min, count] after which the node following pc can match its
    /// first byte; -1 when there is none.
    int32_t FitCount(int32_t pc, int32_t base, int32_t min, int32_t count);
    /// Runs a Star, Plus or Repeat node at `pos`; false when it cannot match.
    bool RunRepeat(int32_t pc, int32_t& pos);
    /// Pops frames until one resumes the match; false when none is left.
    bool Backtrack(int32_t& pc, int32_t& pos);

    const RegexProgram& m_program;
    ReaderCursor m_text;
    StepBudget m_budget;
    std::vector<Frame> m_stack;
    // Kept over the attempts of one matcher: the text and program do not change, and what
    // follows a repeat depends only on the node and the position.
    std::vector<FailedRun> m_failedRuns;
    std::array<int32_t, 20> m_groups{};
    int32_t m_end = -1;
};

}  // namespace quinkle
