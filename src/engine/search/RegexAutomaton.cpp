// Unfolding a program into positions, the byte sets at a match's first offsets, and the
// automaton over position sets that rules out match starts.
#include "engine/search/RegexAutomaton.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quinkle {
namespace {

/// The highest count a repeat's positions tell apart: its maximum, or for an unbounded one
/// its minimum (any count above it behaves the same).
int32_t CountCap(const RegexInstr& instr) { return instr.C >= 0 ? instr.C : instr.B; }

}  // namespace

RegexAutomaton::RegexAutomaton(const RegexProgram& program) : m_program(program) {
    const std::vector<RegexInstr>& code = program.Code;
    m_base.assign(code.size() + 1, 0);
    int64_t positions = 0;
    for (size_t pc = 0; pc < code.size(); ++pc) {
        m_base[pc] = static_cast<int32_t>(std::min<int64_t>(positions, kMaxPositions + 1));
        const RegexInstr& instr = code[pc];
        switch (instr.Op) {
            case RegexOp::End:
            case RegexOp::Any:
            case RegexOp::AnyOf:
            case RegexOp::AnyBut:
                positions += 1;
                break;
            case RegexOp::Exactly:
                positions += instr.B;
                break;
            case RegexOp::Star:
            case RegexOp::Plus:
            case RegexOp::Repeat:
                positions += static_cast<int64_t>(CountCap(instr)) + 1;
                break;
            case RegexOp::Bol:
            case RegexOp::Eol:
                m_anchors = true;
                break;
            case RegexOp::Back:
                m_loops = true;
                break;
            default:
                break;
        }
        if (positions > kMaxPositions) return;
    }
    m_base[code.size()] = static_cast<int32_t>(positions);
    m_pcOf.resize(static_cast<size_t>(positions));
    for (size_t pc = 0; pc < code.size(); ++pc)
        for (int32_t id = m_base[pc]; id < m_base[pc + 1]; ++id)
            m_pcOf[static_cast<size_t>(id)] = static_cast<int32_t>(pc);
    for (size_t pc = 0; pc < code.size(); ++pc)
        if (code[pc].Op == RegexOp::End) m_accept = m_base[pc];
    m_nodeMark.assign(code.size(), 0);
    m_positionMark.assign(static_cast<size_t>(positions), 0);
    m_usable = true;

    StateOf({});  // the dead state, kDead
    Positions start;
    BeginClosure();
    Close(0, 0, start);
    m_start = StateOf(std::move(start));
}

void RegexAutomaton::BeginClosure() {
    if (++m_mark == 0) {  // wrapped: old marks could pass for new ones
        std::fill(m_nodeMark.begin(), m_nodeMark.end(), 0);
        std::fill(m_positionMark.begin(), m_positionMark.end(), 0);
        m_mark = 1;
    }
}

void RegexAutomaton::Close(int32_t pc, int32_t index, Positions& out) {
    const RegexInstr& instr = m_program.Code[static_cast<size_t>(pc)];
    int32_t id = Id(pc, index);
    bool positioned = m_base[static_cast<size_t>(pc) + 1] > m_base[static_cast<size_t>(pc)];
    uint32_t& mark =
        positioned ? m_positionMark[static_cast<size_t>(id)] : m_nodeMark[static_cast<size_t>(pc)];
    if (mark == m_mark) return;
    mark = m_mark;
    switch (instr.Op) {
        case RegexOp::End:
        case RegexOp::Any:
        case RegexOp::AnyOf:
        case RegexOp::AnyBut:
        case RegexOp::Exactly:
            out.push_back(id);
            return;
        case RegexOp::Star:
        case RegexOp::Plus:
        case RegexOp::Repeat:
            if (instr.C < 0 || index < instr.C) out.push_back(id);
            if (index >= instr.B) Close(pc + 1, 0, out);
            return;
        case RegexOp::Branch:
            Close(pc + 1, 0, out);
            Close(instr.A, 0, out);
            return;
        case RegexOp::Back:
        case RegexOp::Jump:
            Close(instr.A, 0, out);
            return;
        case RegexOp::Bol:
        case RegexOp::Eol:
        case RegexOp::Open:
        case RegexOp::Close:
            Close(pc + 1, 0, out);
            return;
    }
}

ByteSet RegexAutomaton::Reads(int32_t id) const {
    int32_t pc = m_pcOf[static_cast<size_t>(id)];
    const RegexInstr& instr = m_program.Code[static_cast<size_t>(pc)];
    ByteSet set;
    switch (instr.Op) {
        case RegexOp::Any:
            return ByteSet::All();
        case RegexOp::AnyOf:
            return m_program.Sets[static_cast<size_t>(instr.A)];
        case RegexOp::AnyBut:
            set = m_program.Sets[static_cast<size_t>(instr.A)];
            set.Invert();
            return set;
        case RegexOp::Exactly: {
            auto c = static_cast<uint8_t>(
                m_program.Literals[static_cast<size_t>(instr.A + id - m_base[pc])]);
            set.Add(c);
            // A folded literal holds upper case; its lower case matches too.
            if (instr.Fold && c >= 'A' && c <= 'Z') set.Add(static_cast<uint8_t>(c - 'A' + 'a'));
            return set;
        }
        case RegexOp::Star:
        case RegexOp::Plus:
        case RegexOp::Repeat:
            return m_program.Sets[static_cast<size_t>(instr.A)];
        default:
            return set;
    }
}

void RegexAutomaton::Step(int32_t id, uint8_t byte, Positions& out) {
    int32_t pc = m_pcOf[static_cast<size_t>(id)];
    const RegexInstr& instr = m_program.Code[static_cast<size_t>(pc)];
    int32_t index = id - m_base[static_cast<size_t>(pc)];
    switch (instr.Op) {
        case RegexOp::Any:
            Close(pc + 1, 0, out);
            return;
        case RegexOp::AnyOf:
        case RegexOp::AnyBut:
            if (m_program.Sets[static_cast<size_t>(instr.A)].Has(byte) ==
                (instr.Op == RegexOp::AnyOf))
                Close(pc + 1, 0, out);
            return;
        case RegexOp::Exactly: {
            auto wanted = static_cast<uint8_t>(
                m_program.Literals[static_cast<size_t>(instr.A) + static_cast<size_t>(index)]);
            if ((instr.Fold ? FoldToUpper(byte) : byte) != wanted) return;
            if (index + 1 < instr.B)
                Close(pc, index + 1, out);
            else
                Close(pc + 1, 0, out);
            return;
        }
        case RegexOp::Star:
        case RegexOp::Plus:
        case RegexOp::Repeat: {
            if (!m_program.Sets[static_cast<size_t>(instr.A)].Has(byte)) return;
            if (instr.C >= 0 && index >= instr.C) return;
            int32_t next = instr.C >= 0 ? index + 1 : std::min(index + 1, instr.B);
            Close(pc, next, out);
            return;
        }
        default:
            return;
    }
}

std::vector<ByteSet> RegexAutomaton::OffsetBytes(int most) {
    std::vector<ByteSet> offsets;
    if (!m_usable) return offsets;
    RegexAutomaton& walk = *this;
    Positions here = m_sets[static_cast<size_t>(m_start)];
    while (static_cast<int>(offsets.size()) < most && !here.empty()) {
        if (std::find(here.begin(), here.end(), m_accept) != here.end()) break;
        ByteSet bytes;
        Positions next;
        walk.BeginClosure();
        for (int32_t id : here) {
            ByteSet reads = walk.Reads(id);
            if (reads.Empty()) continue;
            bytes.AddAll(reads);
            // Every byte a position reads leads to the same positions: one stands for all.
            for (int c = 0; c < 256; ++c) {
                if (!reads.Has(static_cast<uint8_t>(c))) continue;
                walk.Step(id, static_cast<uint8_t>(c), next);
                break;
            }
        }
        offsets.push_back(bytes);
        std::sort(next.begin(), next.end());
        next.erase(std::unique(next.begin(), next.end()), next.end());
        here = std::move(next);
    }
    return offsets;
}

int32_t RegexAutomaton::StateOf(Positions set) {
    auto found = m_states.find(set);
    if (found != m_states.end()) return found->second;
    if (static_cast<int32_t>(m_sets.size()) >= kMaxStates) return kTooMany;
    auto state = static_cast<int32_t>(m_sets.size());
    bool accepting = std::find(set.begin(), set.end(), m_accept) != set.end();
    m_states.emplace(set, state);
    m_sets.push_back(std::move(set));
    m_accepting.push_back(accepting ? 1 : 0);
    m_next.resize(m_next.size() + 256, kUnknown);
    m_escapes.emplace_back();
    return state;
}

int32_t RegexAutomaton::Transition(int32_t state, uint8_t byte) {
    Positions next;
    BeginClosure();
    // Copied: making a state may move the stored sets.
    Positions from = m_sets[static_cast<size_t>(state)];
    for (int32_t id : from) Step(id, byte, next);
    std::sort(next.begin(), next.end());
    int32_t target = StateOf(std::move(next));
    if (target != kTooMany) m_next[static_cast<size_t>(state) * 256 + byte] = Encode(target);
    return target;
}

int32_t RegexAutomaton::Encode(int32_t state) const {
    int32_t row = state * 256;
    return m_accepting[static_cast<size_t>(state)] ? -row - 2 : row;
}

void RegexAutomaton::Classify(int32_t state) {
    Escapes escapes;
    escapes.Kind = Loop::Yes;
    const int32_t self = Encode(state);
    for (int c = 0; c < 256 && escapes.Kind == Loop::Yes; ++c) {
        auto byte = static_cast<uint8_t>(c);
        int32_t entry = m_next[static_cast<size_t>(state) * 256 + byte];
        if (entry == kUnknown) {
            int32_t target = Transition(state, byte);
            entry = target == kTooMany ? kUnknown : Encode(target);
        }
        if (entry == self) continue;
        if (entry == kUnknown || escapes.Count == kMaxEscapes)
            escapes.Kind = Loop::No;
        else
            escapes.Bytes[escapes.Count++] = byte;
    }
    m_escapes[static_cast<size_t>(state)] = escapes;
}

int32_t RegexAutomaton::SkipToEscape(int32_t state, const uint8_t* bytes, int32_t from,
                                     int32_t end) const {
    const Escapes& escapes = m_escapes[static_cast<size_t>(state)];
    // Missing escapes repeat the first; a state with none loops to the end.
    uint8_t first = escapes.Count > 0 ? escapes.Bytes[0] : 0;
    uint8_t second = escapes.Count > 1 ? escapes.Bytes[1] : first;
    uint8_t third = escapes.Count > 2 ? escapes.Bytes[2] : first;
    if (escapes.Count == 0) return end;
    int32_t at = from;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8(static_cast<char>(first));
    const __m128i b = _mm_set1_epi8(static_cast<char>(second));
    const __m128i c = _mm_set1_epi8(static_cast<char>(third));
    for (; at + 16 <= end; at += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, a), _mm_cmpeq_epi8(block, b)),
                                   _mm_cmpeq_epi8(block, c));
        auto mask = static_cast<uint32_t>(_mm_movemask_epi8(hit));
        if (mask != 0) return at + __builtin_ctz(mask);
    }
#endif
    for (; at < end; ++at)
        if (bytes[at] == first || bytes[at] == second || bytes[at] == third) return at;
    return end;
}

RegexAutomaton::Verdict RegexAutomaton::MatchesAt(ReaderCursor& text, int32_t start, int64_t limit,
                                                  int64_t& read) {
    if (m_start == kDead) return Verdict::NoMatch;
    if (m_accepting[static_cast<size_t>(m_start)]) return Verdict::Match;
    int32_t row = m_start * 256;
    int32_t length = text.Length();
    int64_t stop =
        std::min<int64_t>(length, static_cast<int64_t>(start) + std::max<int64_t>(limit, 0));
    const int32_t* next = m_next.data();
    for (int32_t at = start; at < stop;) {
        const CharReader::Piece& piece = text.PieceAt(at);
        const auto* bytes = reinterpret_cast<const uint8_t*>(piece.Data) - piece.Start;
        auto end = static_cast<int32_t>(std::min<int64_t>(piece.End(), stop));
        for (; at < end; ++at) {
            int32_t entry = next[row + bytes[at]];
            if (entry > 0) {         // a state that neither accepts nor is dead: the common case
                if (entry == row) {  // a loop: skip the rest of its run at once where it can
                    int32_t state = row / 256;
                    if (m_escapes[static_cast<size_t>(state)].Kind == Loop::Unknown) {
                        Classify(state);
                        next = m_next.data();
                    }
                    if (m_escapes[static_cast<size_t>(state)].Kind == Loop::Yes)
                        at = SkipToEscape(state, bytes, at + 1, end) - 1;
                }
                row = entry;
                continue;
            }
            if (entry == kUnknown) {
                int32_t target = Transition(row / 256, bytes[at]);
                next = m_next.data();  // making a state may have moved the table
                if (target == kTooMany) {
                    read += at - start;
                    return Verdict::Unknown;
                }
                entry = Encode(target);
                if (entry > 0) {
                    row = entry;
                    continue;
                }
            }
            read += at + 1 - start;
            return entry == kDead ? Verdict::NoMatch : Verdict::Match;
        }
    }
    read += stop - start;
    return stop >= length ? Verdict::NoMatch : Verdict::Unknown;
}

}  // namespace quinkle
