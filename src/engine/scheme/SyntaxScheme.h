// A compiled highlighting scheme and its set-of-states scanner.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/SchemeModel.h"
#include "engine/scheme/SchemeStyles.h"
#include "engine/scheme/StateSet.h"
#include "engine/scheme/SyntaxKeywords.h"
#include "engine/scheme/TextCursor.h"

namespace quinkle {

class SyntaxScheme;

/// The custom-parse event behind match(n): returns whether it recognised text at the cursor,
/// leaving the cursor after it. `length` is the running token length and `value` the token
/// value; the event may change both.
using CustomParseEvent = std::function<bool(SyntaxScheme& sender, int32_t parseId,
                                            TextCursor& stream, int32_t& length, uint8_t& value)>;

/// Holds one scheme: character groups, keywords, start tables, handlers, state changes, line
/// contexts and styles; and splits lines into tokens with them. The active state is a set of
/// states; keywords, table entries and state changes are filtered by or act on it.
///
/// Building: a new scheme is empty (Reset state). The builder adds groups, keywords, tokens and
/// so on in any order, except that SetCaseSensitive should come before the keywords it governs
/// (changing it later rebuilds the keyword trie). Scanning: SetLineContext starts each line,
/// then ScanToken is called until the line is consumed. The scanner's run state lives in the
/// scheme, so two editors sharing one scheme must not interleave line scans.
class SyntaxScheme {
public:
    /// The state number that names the default start table.
    static constexpr int32_t kDefaultTable = -1;

    SyntaxScheme();
    SyntaxScheme(const SyntaxScheme&) = delete;
    SyntaxScheme& operator=(const SyntaxScheme&) = delete;

    /// Frees every table and returns to the defaults: no groups, words, tokens, handlers or
    /// state changes; start and anchor sets {0}; no bound states; default styles.
    void Reset();

    // ---- building ----

    CharGroupManager& Groups() { return m_groups; }
    const CharGroupManager& Groups() const { return m_groups; }
    /// The number of `group` in this scheme's group manager (equal groups share a number).
    int32_t AddCharGroup(const CharGroup& group) { return m_groups.Intern(group); }

    bool CaseSensitive() const { return m_keywords.CaseSensitive(); }
    /// Keyword case rule; false compares words and text lower-cased.
    void SetCaseSensitive(bool caseSensitive) {
        m_keywords.SetCaseSensitive(caseSensitive);
        ForgetDispatches();
    }

    /// Adds a word valid in `states`, followed by a character of `endGroup` (-1: any). Throws
    /// EKeywords "Duplicate keyword - '%s'" when the word exists with intersecting states.
    void AddKeyword(std::string_view word, int32_t endGroup, uint8_t value,
                    const StateSet& states = StateSet{0});
    const SyntaxKeywords& Keywords() const { return m_keywords; }

    /// Puts `def` into the default start table (state kDefaultTable) or into the own table of
    /// state 0..255 (creating it; the state joins def.Valid), under every character of
    /// def.Start.Group. Returns false and changes nothing when one of those characters already
    /// has an entry in that table. Throws "Invalid Set ID (%d)" for an unknown group.
    bool AddToken(const TokenDef& def, int32_t state = kDefaultTable);
    /// The entry for `c` in the default table (kDefaultTable) or a state's own table; null
    /// when there is none.
    const TokenDef* StartEntry(int32_t state, uint8_t c) const;
    /// States that have an own start table; empty in single-table mode.
    const StateSet& OwnTableStates() const { return m_ownTableStates; }

    /// The handler of token value `value`. Returns false and changes nothing when it has one.
    bool SetHandler(uint8_t value, const HandlerDef& handler);
    const HandlerDef* Handler(uint8_t value) const;

    /// Sets (replaces) the state change of a token value; NoChange is derived from the sets.
    void SetTokenStateInfo(uint8_t value, TokenStateInfo info);
    /// The state change of a token value, or null.
    const TokenStateInfo* GetTokenStateInfo(uint8_t value) const;

    /// The states a line starts with after a line ending in `value`; empty: the start set.
    void SetContextState(uint8_t value, const StateSet& states) { m_contextStates[value] = states; }
    const StateSet& ContextState(uint8_t value) const { return m_contextStates[value]; }

    /// Token values at which the editor may start rescanning; an empty set means {0}.
    void SetAnchorSet(const StateSet& values) { m_anchor = values.Empty() ? StateSet{0} : values; }
    const StateSet& GetAnchorSet() const { return m_anchor; }
    void SetBoundStates(const StateSet& states) { m_bound = states; }
    const StateSet& BoundStates() const { return m_bound; }
    void SetStartStates(const StateSet& states) { m_start = states; }
    const StateSet& StartStates() const { return m_start; }
    /// True once a token or handler uses match(n).
    bool HasCustomMatch() const { return m_hasCustomMatch; }

    /// Adds an extra word list. A table whose states equal an earlier table's replaces it.
    /// Throws EKeywords "Too many keyword tables declared" past 20 tables, "Ambiguous key table
    /// state definition" when the states overlap another table's without being equal, and
    /// "Duplicate keyword - '%s'" for a word given twice; nothing changes then.
    void AddKeywordTable(KeywordTableDef table);
    const std::vector<KeywordTableDef>& KeywordTables() const { return m_keywordTables; }

    /// Called for match(n); without it match(n) never accepts.
    CustomParseEvent OnCustomParse;

    // ---- scanning ----

    /// Starts a line after one whose text ended in token value `value` (0 at the start of the
    /// text): the active set becomes ContextState(value), or the start set when that is
    /// empty; the state stack is emptied and container tracking cleared.
    void SetLineContext(uint8_t value);
    /// Recognises one token at the cursor, leaves the cursor after it and returns its value;
    /// `length` is the number of characters taken: at least 1 when text remains, 0 at the end.
    /// Throws ESourceEditor "Stack underflow" for a pop on an empty state stack.
    uint8_t ScanToken(TextCursor& cursor, int32_t& length) {
        // Most tokens start no keyword, change no state and are a group run: those take the
        // short way, the rest the whole one.
        if (m_dispatch && !m_inContainer && !cursor.AtEnd()) {
            const int32_t index = m_dispatch->Plain[cursor.Current()];
            if (index >= 0 && ScanPlainRun(index, cursor, length)) return m_tokens[index].Value;
        }
        return ScanAnyToken(cursor, length);
    }
    /// True when the active states intersect the bound states.
    bool IsInBoundState() const { return m_active.Intersects(m_bound); }
    /// True when the last token opened a container whose end the cursor has not reached.
    bool InContainer() const { return m_inContainer; }
    const StateSet& ActiveStates() const { return m_active; }
    /// Sets the active states directly (tests and tools); the start table follows.
    void SetActiveStates(const StateSet& states);
    size_t StackDepth() const { return m_stack.size(); }
    /// Dispatches made since construction (each set of states a scan goes through needs one,
    /// made again only after tables change or slots run short); for tests.
    int64_t DispatchesMade() const { return m_dispatchesMade; }
    /// Turns the scanner's shortcuts (group bodies run from a table, tokens that need nothing
    /// else taken directly, words told by their first character) on or off. They never change
    /// a result: tests compare both ways.
    void SetShortcuts(bool on) {
        m_shortcuts = on;
        ForgetDispatches();
    }

private:
    using StartTable = std::array<int32_t, 256>;

    /// What the scanner does with each first character while one set of states is active:
    /// the start-table entry valid there (-1: none) and whether a keyword lookup could find
    /// anything. Made on demand for the few sets a text goes through, and kept.
    struct Dispatch {
        static constexpr uint8_t kMainWords = 1;
        static constexpr uint8_t kExtraWords = 2;
        bool Built = false;
        StateSet Active;
        std::array<int32_t, 256> Token;
        std::array<uint8_t, 256> Words;
        /// Token where the entry is all there is to a token starting with the character: no
        /// keyword can start there, the body is a group run and the value changes no state.
        std::array<int32_t, 256> Plain;
        /// The value of the one-character word the character always is (see
        /// SyntaxKeywords::DecidedByFirst), or -1.
        std::array<int16_t, 256> OneCharWord;
    };
    /// Dispatches are kept in slots chosen by a hash of their set; a set may take the
    /// slot its hash names or one of the next few.
    static constexpr int kDispatchSlotBits = 6;
    static constexpr size_t kDispatchSlots = size_t{1} << kDispatchSlotBits;
    static constexpr size_t kDispatchProbes = 4;
    /// The dispatch a token value's state change (one without pushes or pops) led to from
    /// another, valid while no dispatch has been made or dropped since (same epoch).
    struct Transition {
        const Dispatch* From = nullptr;
        const Dispatch* To = nullptr;
        uint64_t Epoch = 0;
    };

    /// A body of one character group running up to an end of character groups, as a byte of
    /// flags per character, so the scan loop looks at one table entry per character.
    struct GroupRun {
        static constexpr uint8_t kBody = 1;      ///< the body group holds the character
        static constexpr uint8_t kEndFirst = 2;  ///< the end's first group admits it
        std::array<uint8_t, 256> Flags{};
    };

    void CheckPart(const TokenPart& part) const;
    void CheckEnd(const TokenEnd& end) const;
    /// Points m_dispatch at the dispatch of the active states; call after they change.
    void SelectDispatch();
    void BuildDispatch(Dispatch& dispatch) const;
    /// Drops every dispatch (the tables or words changed).
    void ForgetDispatches();
    void Push() { m_stack.push_back(m_active); }
    void Pop();
    void ApplyStateChange(uint8_t value);
    KeywordMatch LookupExtra(TextCursor& cursor) const;
    bool RunHandler(uint8_t value, TextCursor& cursor, int32_t& length, uint8_t& t);
    uint8_t ScanAnyToken(TextCursor& cursor, int32_t& length);
    bool ScanPlainRun(int32_t index, TextCursor& cursor, int32_t& length);
    bool RunLoop(const TokenPart& body, const TokenEnd& end, bool handler, TextCursor& cursor,
                 int32_t& length, uint8_t& t);
    int32_t AddGroupRun(const TokenPart& body, const TokenEnd& end);
    bool RunGroups(const GroupRun& run, const TokenPart& body, const TokenEnd& end,
                   TextCursor& cursor, int32_t& length) const;
    bool EndFollows(const TokenEnd& end, const uint8_t* text, int32_t at, int32_t size) const;
    bool BodyStep(const TokenPart& body, TextCursor& cursor, int32_t& length, uint8_t& t);
    bool EndMatches(const TokenEnd& end, TextCursor& cursor, int32_t& length, uint8_t& t);
    bool CustomParse(int32_t id, TextCursor& cursor, int32_t& length, uint8_t& t);

    // The model.
    CharGroupManager m_groups;
    SyntaxKeywords m_keywords{m_groups, true};
    SyntaxKeywords m_extraSensitive{m_groups, true};
    SyntaxKeywords m_extraInsensitive{m_groups, false};
    std::vector<KeywordTableDef> m_keywordTables;
    std::vector<TokenDef> m_tokens;
    // Group runs of the token bodies and handlers that have one; -1 where the general loop
    // (recognizers, custom parses, ends without groups) runs instead.
    std::vector<GroupRun> m_groupRuns;
    std::vector<int32_t> m_tokenRuns;
    std::array<int32_t, 256> m_handlerRuns;
    StartTable m_defaultTable;
    std::array<std::unique_ptr<StartTable>, 256> m_ownTables;
    StateSet m_ownTableStates;
    std::array<HandlerDef, 256> m_handlers;
    StateSet m_handlerValues;
    std::array<TokenStateInfo, 256> m_stateInfos;
    StateSet m_stateInfoValues;
    // What each token value has, as bits the scanner tests with one load.
    enum ValueFlag : uint8_t { vfHandler = 1, vfStateInfo = 2, vfContainer = 4 };
    std::array<uint8_t, 256> m_valueFlags;
    std::array<StateSet, 256> m_contextStates;
    StateSet m_anchor{0};
    StateSet m_bound;
    StateSet m_start{0};
    bool m_hasCustomMatch = false;
    bool m_shortcuts = true;

    // The run state of the line being scanned.
    StateSet m_active{0};
    std::array<std::unique_ptr<Dispatch>, kDispatchSlots> m_dispatches;
    const Dispatch* m_dispatch = nullptr;  // null or the dispatch of m_active
    uint64_t m_dispatchEpoch = 1;
    int64_t m_dispatchesMade = 0;
    std::array<Transition, 256> m_transitions;
    std::vector<StateSet> m_stack;
    bool m_inContainer = false;
    int32_t m_containerEnd = 0;
    StateSet m_saved;
};

}  // namespace quinkle
