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

RegexMatcher::RegexMatcher(const RegexProgram& program, const CharReader& text, Mode mode)
    : m_program(program),
      m_text(text),
      m_plain(mode == Mode::Plain),
      m_searchBudget(StepBudget::ForSearch(text.Length(), program.Code.size())),
      m_repeats(static_cast<size_t>(program.MemoSlots)) {
    m_stack.reserve(64);
    m_choices.reserve(64);
}

void RegexMatcher::Restart(const CharReader& text) {
    m_text.Rebind(text);
    m_budget = {};
    m_searchBudget = StepBudget::ForSearch(text.Length(), m_program.Code.size());
    m_steps = 0;
    m_stack.clear();
    m_choices.clear();
    m_repeats.assign(static_cast<size_t>(m_program.MemoSlots), RepeatMemo{});
    m_visitPages.clear();
    m_lastPage = -1;
    m_lastBits = nullptr;
    m_visitBytes = 0;
    m_groups.fill(0);
    m_saved.fill(0);
    m_end = -1;
}

void RegexMatcher::Charge(int64_t steps) {
    m_budget.Left -= steps;
    if (m_budget.Left < 0) throw ERegExpError(re_message::kTooComplex);
}

void RegexMatcher::Push(FrameKind kind, int32_t pc, int32_t pos, int32_t count) {
    if (m_stack.size() >= kMaxBacktrack) throw ERegExpError(re_message::kTooComplex);
    m_stack.push_back({kind, pc, pos, count});
}

void RegexMatcher::PushChoice(FrameKind kind, int32_t pc, int32_t pos, int32_t count) {
    Push(kind, pc, pos, count);
    m_choices.push_back(static_cast<int32_t>(m_stack.size() - 1));
}

uint64_t* RegexMatcher::VisitWord(int row, int32_t pos, bool create) {
    int32_t page = pos >> kVisitPageBits;
    if (page != m_lastPage) {
        auto found = m_visitPages.find(page);
        if (found != m_visitPages.end()) {
            m_lastBits = found->second.get();
        } else {
            size_t words = static_cast<size_t>(m_program.VisitSlots) << (kVisitPageBits - 6);
            if (!create || m_visitBytes + words * 8 > kMaxVisitBytes) return nullptr;
            m_visitBytes += words * 8;
            auto bits = std::make_unique<uint64_t[]>(words);  // zeroed
            m_lastBits = bits.get();
            m_visitPages.emplace(page, std::move(bits));
        }
        m_lastPage = page;
    }
    int32_t offset = pos & ((1 << kVisitPageBits) - 1);
    return m_lastBits + (static_cast<size_t>(row) << (kVisitPageBits - 6)) + (offset >> 6);
}

bool RegexMatcher::Visited(int row, int32_t pos) {
    uint64_t* word = VisitWord(row, pos, true);
    if (!word) return false;
    uint64_t bit = uint64_t{1} << (pos & 63);
    if (*word & bit) return true;
    *word |= bit;
    return false;
}

bool RegexMatcher::Seen(int row, int32_t pos) {
    const uint64_t* word = VisitWord(row, pos, false);
    return word && (*word >> (pos & 63)) & 1;
}

void RegexMatcher::SetGroup(int slot, int32_t pos) {
    // The old value is needed again only when a backtrack resumes the match at an entry
    // below this one; one stacked copy a slot since the newest such entry is enough.
    if (m_plain || (!m_choices.empty() && m_saved[slot] < m_choices.back())) {
        Push(FrameKind::Restore, slot, m_groups[slot], m_saved[slot]);
        m_saved[slot] = static_cast<int32_t>(m_stack.size() - 1);
    }
    m_groups[slot] = pos;
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
    if (length == 1) {  // most literals in alternations and loops are single bytes
        int c = m_text.At(pos);
        return c >= 0 && (instr.Fold ? FoldToUpper(static_cast<uint8_t>(c)) : c) == literal[0];
    }
    if (static_cast<int64_t>(pos) + length > m_text.Length()) return false;
    const CharReader::Piece& piece = m_text.PieceAt(pos);
    if (!instr.Fold && pos + length <= piece.End()) {
        const auto* here = reinterpret_cast<const uint8_t*>(piece.Data + (pos - piece.Start));
        if (length > 16) return std::memcmp(here, literal, length) == 0;
        // Short literals, as in alternations of words, mostly differ in their first bytes:
        // comparing in place is cheaper than the call.
        for (int32_t i = 0; i < length; ++i)
            if (here[i] != literal[i]) return false;
        return true;
    }
    for (int32_t i = 0; i < length; ++i) {
        int c = m_text.At(pos + i);
        if ((instr.Fold ? FoldToUpper(static_cast<uint8_t>(c)) : c) != literal[i]) return false;
    }
    return true;
}

int32_t RegexMatcher::FitCount(int32_t pc, int32_t base, int32_t min, int32_t count) {
    if (count < min) return -1;
    if (m_plain) return count;
    const RegexLead& lead = m_program.Leads[static_cast<size_t>(pc) + 1];
    int ahead = lead.LoopAhead;
    int memo = m_program.Code[pc].Memo;
    const RepeatMemo* failed = memo >= 0 ? &m_repeats[static_cast<size_t>(memo)] : nullptr;
    if (lead.Empty && ahead < 0 && !failed) return count;
    // A count is worth trying when its end has not failed before, its next byte can start
    // what follows, and what follows is not a loop already entered there (which has failed).
    int64_t steps = 0;
    for (; count >= min; --count, ++steps) {
        int32_t end = base + count;
        if (failed && end >= failed->FailLo && end <= failed->FailHi) {
            count = failed->FailLo - base;  // on below the failed ends
            continue;
        }
        int c = m_text.At(end);
        if (!lead.Empty && (c < 0 || !lead.Bytes.Has(static_cast<uint8_t>(c)))) continue;
        if (ahead < 0 || !Seen(ahead, end)) break;
        // Charged as the steps the failed entry would have taken, so that the budget sees
        // the same work as without the shortcut.
        steps += kLoopEntrySteps - 1;
    }
    Charge(steps);
    return count >= min ? count : -1;
}

int32_t RegexMatcher::RunEnd(const RegexInstr& instr, int32_t pos, int32_t max) {
    const ByteSet& set = m_program.Sets[instr.A];
    int64_t limit = std::min<int64_t>(static_cast<int64_t>(pos) + max, m_text.Length());
    if (instr.Memo < 0 || m_plain) {
        int32_t count = ScanSet(pos, set, max);
        Charge(count);
        return pos + count;
    }
    // A run met before is not scanned again: only the bytes between `pos` and its start, and
    // past its known end when the repeat may reach further.
    RepeatMemo& memo = m_repeats[static_cast<size_t>(instr.Memo)];
    int32_t to = pos;
    bool ends = false;
    if (memo.RunFrom >= 0 && pos <= memo.RunTo) {
        if (pos < memo.RunFrom) {
            int32_t gap = memo.RunFrom - pos;
            int32_t count = ScanSet(pos, set, std::min(gap, max));
            Charge(count);
            if (count == gap) {
                to = memo.RunTo;
                ends = memo.RunEnds;
            } else {
                to = pos + count;
                ends = count < max;
            }
        } else {
            to = memo.RunTo;
            ends = memo.RunEnds;
        }
    }
    if (!ends && to < limit) {
        int32_t count = ScanSet(to, set, static_cast<int32_t>(limit - to));
        Charge(count);
        ends = to + count < limit;
        to += count;
    }
    if (memo.RunFrom < 0 || pos < memo.RunFrom || pos > memo.RunTo) memo.RunFrom = pos;
    memo.RunTo = to;
    memo.RunEnds = ends || to >= m_text.Length();
    return static_cast<int32_t>(std::min<int64_t>(to, limit));
}

void RegexMatcher::EndsFailed(int slot, int32_t lo, int32_t hi) {
    RepeatMemo& memo = m_repeats[static_cast<size_t>(slot)];
    bool touching = memo.FailLo <= memo.FailHi && static_cast<int64_t>(lo) <= memo.FailHi + 1LL &&
                    static_cast<int64_t>(hi) + 1 >= memo.FailLo;
    if (touching) {
        memo.FailLo = std::min(memo.FailLo, lo);
        memo.FailHi = std::max(memo.FailHi, hi);
    } else {
        memo.FailLo = lo;
        memo.FailHi = hi;
    }
}

bool RegexMatcher::RunRepeat(int32_t pc, int32_t& pos) {
    const RegexInstr& instr = m_program.Code[pc];
    int32_t max = instr.C < 0 ? INT32_MAX : instr.C;
    int32_t most = RunEnd(instr, pos, max) - pos;
    if (most < instr.B) return false;
    bool remember = instr.Memo >= 0 && !m_plain;
    int32_t count = FitCount(pc, pos, instr.B, most);
    if (count < 0) {  // no end of the run can be followed by what comes next
        if (remember) EndsFailed(instr.Memo, pos + instr.B, pos + most);
        Charge(1);
        return false;
    }
    if (remember) Push(FrameKind::EndsFailed, instr.Memo, pos + instr.B, pos + most);
    // The next shorter count worth trying is found now, so that a repeat with none left
    // stacks no entry: a long walk of such repeats keeps a short stack.
    int32_t next = FitCount(pc, pos, instr.B, count - 1);
    if (next >= 0) PushChoice(FrameKind::Retry, pc, pos, next);
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
                m_saved[frame.Pc] = frame.Count;
                m_stack.pop_back();
                break;
            case FrameKind::EndsFailed:
                EndsFailed(frame.Pc, frame.Pos, frame.Count);
                m_stack.pop_back();
                break;
            case FrameKind::Alternative:
                pc = frame.Pc;
                pos = frame.Pos;
                m_stack.pop_back();
                m_choices.pop_back();
                return true;
            case FrameKind::Retry: {
                int32_t count = frame.Count;
                int32_t next = FitCount(frame.Pc, frame.Pos, m_program.Code[frame.Pc].B, count - 1);
                pc = frame.Pc + 1;
                pos = frame.Pos + count;
                if (next >= 0) {
                    frame.Count = next;
                } else {
                    m_stack.pop_back();
                    m_choices.pop_back();
                }
                return true;
            }
        }
    }
    return false;
}

bool RegexMatcher::MatchAt(int32_t start) {
    int entry = m_plain ? -1 : m_program.Leads[0].LoopAhead;
    if (entry >= 0 && Seen(entry, start)) {  // a loop that failed from here opens the program
        m_searchBudget.Left -= 1;
        m_steps += 1;
        if (m_searchBudget.Left < 0) throw ERegExpError(re_message::kTooComplex);
        return false;
    }
    m_stack.clear();
    m_choices.clear();
    m_groups.fill(-1);
    m_saved.fill(-1);
    m_end = -1;
    const int32_t length = m_text.Length();
    int64_t allowed =
        std::min(StepBudget::For(static_cast<int64_t>(length) - start, m_program.Code.size()).Left,
                 m_searchBudget.Left);
    m_budget.Left = allowed;
    struct Settle {  // counts the attempt's steps against the search however it ends
        RegexMatcher& Matcher;
        int64_t Allowed;
        ~Settle() {
            int64_t used = Allowed - std::max<int64_t>(Matcher.m_budget.Left, 0);
            Matcher.m_searchBudget.Left -= used;
            Matcher.m_steps += used;
        }
    } settle{*this, allowed};
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
            case RegexOp::Branch: {
                if (instr.Visit >= 0 && !m_plain && Visited(instr.Visit, pos)) {
                    ok = false;  // the loop was entered here before and failed
                    break;
                }
                // An alternative whose first byte (or leading literal) cannot be here is left
                // out.
                const RegexInstr& first = m_program.Code[pc + 1];
                bool here = first.Op == RegexOp::Exactly && !m_plain ? Exactly(first, pos)
                                                                     : CanGoOn(pc + 1, pos);
                bool there = CanGoOn(instr.A, pos);
                if (here && there) PushChoice(FrameKind::Alternative, instr.A, pos);
                ok = here || there;
                pc = here ? pc + 1 : instr.A;
                break;
            }
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
            case RegexOp::Close:
                SetGroup(2 * instr.Group + (instr.Op == RegexOp::Close ? 1 : 0), pos);
                ++pc;
                break;
        }
        if (!ok && !Backtrack(pc, pos)) return false;
    }
}

}  // namespace quinkle
