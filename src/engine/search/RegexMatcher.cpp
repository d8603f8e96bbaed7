// The matcher's loop: nodes run forwards, failures resume at the newest backtrack entry.
#include "engine/search/RegexMatcher.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/search/RegexError.h"

namespace quinkle {
namespace {

constexpr int kCR = 13;

}  // namespace

RegexMatcher::RegexMatcher(const RegexProgram& program, const CharReader& text)
    : m_program(program), m_text(text), m_failedRuns(static_cast<size_t>(program.MemoSlots)) {}

void RegexMatcher::Charge(int64_t steps) {
    m_budget.Left -= steps;
    if (m_budget.Left < 0) throw ERegExpError(re_message::kTooComplex);
}

void RegexMatcher::Push(FrameKind kind, int32_t pc, int32_t pos, int32_t count) {
    if (m_stack.size() >= kMaxBacktrack) throw ERegExpError(re_message::kTooComplex);
    m_stack.push_back({kind, pc, pos, count});
}

int32_t RegexMatcher::ScanSet(int32_t pos, const ByteSet& set, int32_t max) {
    int32_t count = 0;
    while (count < max && pos + count < m_text.Length()) {
        const CharReader::Piece& piece = m_text.PieceAt(pos + count);
        const auto* bytes = reinterpret_cast<const uint8_t*>(piece.Data);
        int32_t i = pos + count - piece.Start;
        int32_t stop = piece.Length;
        if (static_cast<int64_t>(stop) - i > max - count) stop = i + (max - count);
        int32_t begin = i;
        while (i < stop && set.Has(bytes[i])) ++i;
        count += i - begin;
        if (i < stop) break;
    }
    return count;
}

bool RegexMatcher::Exactly(const RegexInstr& instr, int32_t pos) {
    const auto* literal = reinterpret_cast<const uint8_t*>(m_program.Literals.data() + instr.A);
    int32_t length = instr.B;
    if (static_cast<int64_t>(pos) + length > m_text.Length()) return false;
    const CharReader::Piece& piece = m_text.PieceAt(pos);
    if (!instr.Fold && pos + length <= piece.End())
        return std::memcmp(piece.Data + (pos - piece.Start), literal, length) == 0;
    for (int32_t i = 0; i < length; ++i) {
        int c = m_text.At(pos + i);
        if ((instr.Fold ? FoldToUpper(static_cast<uint8_t>(c)) : c) != literal[i]) return false;
    }
    return true;
}

int32_t RegexMatcher::FitCount(int32_t pc, int32_t base, int32_t min, int32_t count) {
    const RegexInstr& next = m_program.Code[pc + 1];
    if (next.Op != RegexOp::Exactly) return count;
    auto wanted = static_cast<uint8_t>(m_program.Literals[next.A]);
    int32_t steps = 0;
    for (; count >= min; --count, ++steps) {
        int c = m_text.At(base + count);
        if (c >= 0 && (next.Fold ? FoldToUpper(static_cast<uint8_t>(c)) : c) == wanted) break;
    }
    Charge(steps);
    return count >= min ? count : -1;
}

bool RegexMatcher::RunRepeat(int32_t pc, int32_t& pos) {
    const RegexInstr& instr = m_program.Code[pc];
    int32_t max = instr.C < 0 ? INT32_MAX : instr.C;
    int32_t count = 0;
    int32_t runEnd = -1;  // where the set's run from pos stops, once known
    if (instr.Memo >= 0) {
        // Ends already failed are not tried again: a run that reaches a failed run ends
        // where it does, so only the counts stopping before the failed run's first end
        // are left.
        const FailedRun& failed = m_failedRuns[static_cast<size_t>(instr.Memo)];
        if (failed.Start >= 0 && pos >= failed.Start && pos <= failed.End) {
            Charge(1);
            return false;
        }
        if (failed.Start > pos) {
            int32_t gap = failed.Start - pos;
            count = ScanSet(pos, m_program.Sets[instr.A], gap);
            Charge(count);
            if (count == gap) {
                runEnd = failed.End;
                count = std::min(gap + instr.B - 1, runEnd - pos);
            } else {
                runEnd = pos + count;
            }
        }
    }
    if (runEnd < 0) {
        count = ScanSet(pos, m_program.Sets[instr.A], max);
        Charge(count);
        runEnd = pos + count;
    }
    if (count < instr.B) return false;
    count = FitCount(pc, pos, instr.B, count);
    if (count < 0) {  // no end of the run can be followed by what comes next
        if (instr.Memo >= 0) m_failedRuns[static_cast<size_t>(instr.Memo)] = {pos, runEnd};
        return false;
    }
    if (instr.Memo >= 0) Push(FrameKind::RunFailed, instr.Memo, pos, runEnd);
    if (count > instr.B) Push(FrameKind::Retry, pc, pos, count);
    pos += count;
    return true;
}

bool RegexMatcher::Backtrack(int32_t& pc, int32_t& pos) {
    while (!m_stack.empty()) {
        Charge(1);
        Frame& frame = m_stack.back();
        switch (frame.Kind) {
            case FrameKind::Restore:
                m_groups[frame.Pc] = frame.Pos;
                m_stack.pop_back();
                break;
            case FrameKind::RunFailed:
                m_failedRuns[static_cast<size_t>(frame.Pc)] = {frame.Pos, frame.Count};
                m_stack.pop_back();
                break;
            case FrameKind::Alternative:
                pc = frame.Pc;
                pos = frame.Pos;
                m_stack.pop_back();
                return true;
            case FrameKind::Retry: {
                const RegexInstr& instr = m_program.Code[frame.Pc];
                int32_t count = FitCount(frame.Pc, frame.Pos, instr.B, frame.Count - 1);
                if (count < 0) {
                    m_stack.pop_back();
                    break;
                }
                pc = frame.Pc + 1;
                pos = frame.Pos + count;
                if (count > instr.B)
                    frame.Count = count;
                else
                    m_stack.pop_back();
                return true;
            }
        }
    }
    return false;
}

bool RegexMatcher::MatchAt(int32_t start) {
    m_stack.clear();
    m_groups.fill(-1);
    m_end = -1;
    const int32_t length = m_text.Length();
    m_budget = StepBudget::For(static_cast<int64_t>(length) - start, m_program.Code.size());
    int32_t pc = 0;
    int32_t pos = start;
    for (;;) {
        Charge(1);
        const RegexInstr& instr = m_program.Code[pc];
        bool ok = true;
        switch (instr.Op) {
            case RegexOp::End:
                m_end = pos;
                return true;
            case RegexOp::Bol:
                ok = pos == 0 || m_text.At(pos - 1) == kCR;
                ++pc;
                break;
            case RegexOp::Eol:
                ok = pos >= length || m_text.At(pos) == kCR;
                ++pc;
                break;
            case RegexOp::Any:
                ok = pos < length;
                ++pos, ++pc;
                break;
            case RegexOp::AnyOf:
            case RegexOp::AnyBut: {
                int c = m_text.At(pos);
                ok = c >= 0 && m_program.Sets[instr.A].Has(static_cast<uint8_t>(c)) ==
                                   (instr.Op == RegexOp::AnyOf);
                ++pos, ++pc;
                break;
            }
            case RegexOp::Exactly:
                ok = Exactly(instr, pos);
                pos += instr.B;
                ++pc;
                break;
            case RegexOp::Branch:
                Push(FrameKind::Alternative, instr.A, pos);
                ++pc;
                break;
            case RegexOp::Back:
            case RegexOp::Jump:
                pc = instr.A;
                break;
            case RegexOp::Star:
            case RegexOp::Plus:
            case RegexOp::Repeat:
                ok = RunRepeat(pc, pos);
                if (ok) ++pc;
                break;
            case RegexOp::Open:
            case RegexOp::Close: {
                int slot = 2 * instr.Group + (instr.Op == RegexOp::Close ? 1 : 0);
                Push(FrameKind::Restore, slot, m_groups[slot]);
                m_groups[slot] = pos;
                ++pc;
                break;
            }
        }
        if (!ok && !Backtrack(pc, pos)) return false;
    }
}

}  // namespace quinkle
