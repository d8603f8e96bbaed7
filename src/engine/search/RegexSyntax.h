// The syntax of regular expressions: a pattern parsed into a tree, every fault reported.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/search/ByteSet.h"

namespace quinkle {

/// One node of a parsed expression.
struct RegexNode {
    enum class Kind : uint8_t {
        Literal,      ///< the byte Char (compared without case when Fold is set)
        Set,          ///< a byte in Members (Negated: a byte not in it)
        Any,          ///< any byte
        LineStart,    ///< "^": the text's start or just after a CR
        LineEnd,      ///< "$": the text's end or just before a CR
        Group,        ///< sub-expression Group (1-9) around Children[0]
        Sequence,     ///< Children one after another (none: the empty text)
        Alternation,  ///< one of Children, tried in order
        Repeat,       ///< Children[0], Min to Max times (Max -1: no limit), as often as possible
    };
    static constexpr int32_t kUnbounded = -1;

    Kind Type = Kind::Sequence;
    uint8_t Char = 0;
    bool Fold = false;
    bool Negated = false;
    ByteSet Members;  // already widened to both cases when compared without case
    int Group = 0;
    int32_t Min = 0;
    int32_t Max = 0;
    std::vector<std::unique_ptr<RegexNode>> Children;

    /// Whether the node can match without consuming a byte.
    bool CanBeEmpty() const;
    /// Whether the node always matches exactly one byte (a literal, a set or any byte).
    bool IsSingleByte() const {
        return Type == Kind::Literal || Type == Kind::Set || Type == Kind::Any;
    }
    /// The bytes a single-byte node accepts.
    ByteSet Accepted() const;
};

using RegexNodePtr = std::unique_ptr<RegexNode>;

/// The parsed pattern: its tree and the number of sub-expressions.
struct RegexTree {
    RegexNodePtr Root;
    int GroupCount = 0;
};

/// Parses a pattern; throws ERegExpError with the engine's message and the fault's index.
/// Without `matchCase`, ASCII letters match either case.
RegexTree ParseRegex(std::string_view pattern, bool matchCase);

}  // namespace quinkle
