// The compiled form of an expression: a program of nodes for the backtracking matcher.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/search/ByteSet.h"
#include "engine/search/RegexSyntax.h"

namespace quinkle {

/// The matcher's operations. Control moves to the next node unless the node says otherwise.
enum class RegexOp : uint8_t {
    End,      ///< the match is complete
    Bol,      ///< start of line
    Eol,      ///< end of line
    Any,      ///< any byte
    AnyOf,    ///< a byte in set A
    AnyBut,   ///< a byte not in set A
    Exactly,  ///< the B bytes at A in the literal pool (Fold: compared without case)
    Branch,   ///< go on here; when that fails, go on at A
    Back,     ///< continue at A (an earlier node: the loop of a repeat)
    Jump,     ///< continue at A (a later node: past the other alternatives)
    Star,     ///< bytes of set A, as many as possible (fewer on backtracking)
    Plus,     ///< as Star, at least one
    Repeat,   ///< as Star, B to C bytes (C -1: no limit)
    Open,     ///< sub-expression Group starts here
    Close,    ///< sub-expression Group ends here
};

struct RegexInstr {
    RegexOp Op = RegexOp::End;
    bool Fold = false;
    uint8_t Group = 0;
    int32_t A = 0;
    int32_t B = 0;
    int32_t C = 0;
    /// For a Star, Plus or Repeat outside every loop: its slot in the matcher's memory of
    /// the runs of its set and the ends that failed; -1 otherwise.
    int16_t Memo = -1;
    /// For the Branch that opens an unbounded loop: its row in the matcher's record of the
    /// positions where the loop was entered; -1 otherwise.
    int16_t Visit = -1;
};

/// What a match going on from one node can start with: the bytes it may take first, or
/// Empty when it may take none (it can reach the end of the program without a byte).
struct RegexLead {
    ByteSet Bytes;
    bool Empty = false;
    /// The Visit row of the loop a match going on from the node enters first, through group
    /// marks and jumps only; -1 when it meets anything else first.
    int16_t LoopAhead = -1;
};

/// A compiled expression with what the search loop needs to skip hopeless start positions.
struct RegexProgram {
    std::vector<RegexInstr> Code;
    std::vector<ByteSet> Sets;
    std::string Literals;
    int GroupCount = 0;

    ByteSet FirstBytes;  ///< bytes a match can start with (meaningless when CanStartEmpty)
    bool CanStartEmpty = false;
    bool AnchoredAtLineStart = false;  ///< every match starts at a line start
    /// Bytes a match's second byte can be; meaningful when HasSecondBytes (every match is
    /// at least two bytes long).
    ByteSet SecondBytes;
    bool HasSecondBytes = false;
    std::string Prefix;       ///< bytes every match starts with
    bool PrefixFold = false;  ///< the prefix compares without case
    /// The node of an unbounded repeat of one byte set that every match begins with (only
    /// group openings before it), or -1. A failed attempt at a start then rules out every
    /// later start inside the run of that set, whose ends the first attempt has tried.
    int32_t LeadingRun = -1;
    int32_t MemoSlots = 0;   ///< repeats with a Memo slot
    int32_t VisitSlots = 0;  ///< loops with a Visit row
    /// Per node: what a match going on from it can start with. The matcher leaves out the
    /// alternatives and repeat counts whose next byte cannot start what follows.
    std::vector<RegexLead> Leads;

    /// The program as text, one node a line, for tests and the command-line tool.
    std::string Dump() const;
};

/// The most nodes a program may hold; a larger one is "Expression is too complex".
inline constexpr size_t kMaxRegexProgram = 32767;

/// Compiles a parsed expression in two passes: the first works out the program's size (and
/// refuses one above kMaxRegexProgram), the second emits it.
RegexProgram CompileRegex(const RegexTree& tree);

}  // namespace quinkle
