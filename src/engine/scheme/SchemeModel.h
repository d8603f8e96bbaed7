// The entries a compiled scheme is made of: token and handler definitions, state changes,
// extra keyword tables.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/scheme/StateSet.h"

namespace quinkle {

/// The start or body of a token, or the start of a handler. Exactly one of three ways to
/// recognise text applies: Match (the custom-parse event with code Number), IsRecognizer
/// (a built-in recognizer chosen by Number) or else the character group Group.
///
/// Number is written as the script writes it: a token's start names the whole-token
/// recognizer 10-20 itself; a handler's start 10-20 names that whole-token recognizer (called
/// once); every other number n (a handler start outside 10-20, any body) selects recognizer
/// n+7, so 0-13 select entries 7-20 and larger numbers select nothing.
struct TokenPart {
    bool Star = false;  ///< the end may match before the first body character
    int32_t Group = -1;
    bool IsRecognizer = false;
    bool Match = false;
    uint8_t Number = 0;
};

/// The end of a token or handler. Present is false when there is no end part at all (a
/// handler written without one; a token whose body is match(n)). A present end with Count 0
/// and neither Match nor IsRecognizer always matches. Recognizer numbers n select entry n+7.
struct TokenEnd {
    bool Present = false;
    bool Include = false;  ///< the matched end characters belong to the token
    bool IsRecognizer = false;
    bool Match = false;
    uint8_t Number = 0;
    uint8_t Count = 0;  ///< groups of the end sequence, 0-4
    std::array<int32_t, 4> Groups{-1, -1, -1, -1};

    /// An end made of up to four character groups matched one after another.
    static TokenEnd OfGroups(std::initializer_list<int32_t> groups, bool include) {
        TokenEnd end;
        end.Present = true;
        end.Include = include;
        for (int32_t group : groups)
            if (end.Count < end.Groups.size()) end.Groups[end.Count++] = group;
        return end;
    }
};

/// One start-table entry: every character of Start.Group starts it (a whole-token
/// recognizer's first characters when Start.IsRecognizer).
struct TokenDef {
    TokenPart Start;
    StateSet Valid;  ///< the entry applies only while the active states intersect this
    TokenPart Body;
    TokenEnd End;
    uint8_t Value = 0;
};

/// The continuation of a keyword: after a word with this handler's token value, Start is the
/// body that continues the token and End its end.
struct HandlerDef {
    TokenPart Start;
    TokenEnd End;
};

/// Push and pop requests of a token value's state change.
enum StackAction : uint8_t {
    saPushBefore = 1,
    saPopBefore = 2,
    saPushAfter = 4,
    saPopAfter = 8,
};

/// What a token value does to the active states: A = (A + Add) - Remove, with pushes and pops
/// of the state stack around it. A token whose Valid set misses every active state is refused.
struct TokenStateInfo {
    StateSet Valid = StateSet::All();
    StateSet Add;
    StateSet Remove;
    bool Container = false;  ///< the token's text is scanned again with its change in force
    bool NoChange = true;    ///< Add and Remove are both empty (kept by the scheme)
    uint8_t Stack = 0;       ///< StackAction bits
};

/// An extra word list, active in States; each word must be followed by a character of
/// EndGroup (-1: any character). EndSpec keeps the specifier as written, for saving.
struct KeywordTableDef {
    struct Word {
        uint8_t Value = 0;
        std::string Text;
    };
    StateSet States;
    std::string EndSpec;
    int32_t EndGroup = -1;
    bool CaseSensitive = false;
    std::vector<Word> Words;
};

}  // namespace quinkle
