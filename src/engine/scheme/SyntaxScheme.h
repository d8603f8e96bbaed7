// A compiled highlighting scheme and its set-of-states scanner.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/Recognizers.h"
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
        // Most tokens start no keyword, take no handler and are a group run, a character
        // nothing starts, or a one-character word: those take a short way, the rest the whole
        // one. Each short way does exactly what the whole way would.
        if (m_dispatch && !m_inContainer && !cursor.AtEnd()) {
            const Dispatch::Step step = m_dispatch->Steps[cursor.Current()];
            switch (step.Kind) {
                case Dispatch::kSimpleRun:
                    if (ScanSimpleRun(m_groupRuns[step.Run], cursor, length)) return step.Value;
                    break;
                case Dispatch::kPlainRun:
                    if (ScanPlainRun(step.Token, cursor, length)) return step.Value;
                    break;
                case Dispatch::kLone:
                    cursor.Advance();
                    length = 1;
                    return 0;
                case Dispatch::kOneChar:
                    cursor.Advance();
                    length = 1;
                    if (step.Change) ChangeStates(step.Value);
                    return step.Value;
                case Dispatch::kRecognizer: {
                    const int32_t p0 = cursor.Position();
                    length = 0;
                    if (RunRecognizer(step.Run, cursor, length) && cursor.Position() > p0) {
                        length = cursor.Position() - p0;
                        return step.Value;
                    }
                    cursor.SetPosition(p0);
                    break;
                }
                default:
                    break;
            }
        }
        return ScanAnyToken(cursor, length);
    }
    /// Takes the tokens at the cursor for as long as each is one ScanToken takes a short way
    /// (a group run, a character nothing starts, a one-character word, a recognizer) and opens
    /// no container, giving each to token(start, end, value) after its state change; stops at
    /// the end of the line or before the first token that needs the whole scan. The tokens
    /// and states are exactly those ScanToken would give one by one.
    template <class Token>
    void ScanShortTokens(TextCursor& cursor, Token&& token) {
        const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
        const int32_t size = cursor.Length();
        int32_t at = cursor.Position();
        while (at < size && m_dispatch && !m_inContainer) {
            const Dispatch::Step& step = m_dispatch->Steps[text[at]];
            const int32_t start = at;
            if (step.Kind == Dispatch::kSimpleRun) {
                const GroupRun& run = m_groupRuns[step.Run];
                int32_t end = at + 1;
                if (!run.Star && end < size && (run.Flags[text[end]] & GroupRun::kBody)) ++end;
                uint8_t flags = 0;
                while (end < size && (flags = run.Flags[text[end]]) == GroupRun::kBody) ++end;
                if (end < size) {
                    if (!(flags & GroupRun::kEndFirst)) break;  // refused: the whole scan
                    end += run.Include ? 1 : 0;
                }
                at = end;
                token(start, end, step.Value);
            } else if (step.Kind == Dispatch::kLone) {
                ++at;
                token(start, at, uint8_t{0});
            } else if (step.Kind == Dispatch::kOneChar) {
                ++at;
                if (step.Change) {
                    cursor.SetPosition(at);
                    ChangeStates(step.Value);
                }
                token(start, at, step.Value);
            } else if (step.Kind == Dispatch::kWord) {
                const KeywordMatch word = ShortWord(cursor, at);
                if (!word.Found) break;
                const uint8_t flags = m_valueFlags[word.Value];
                if ((flags & (vfHandler | vfContainer)) ||
                    ((flags & vfStateInfo) && !m_stateInfos[word.Value].Valid.Intersects(m_active)))
                    break;
                at = start + word.Length;
                if (flags & vfStateInfo) {
                    cursor.SetPosition(at);
                    ChangeStates(word.Value);
                }
                token(start, at, word.Value);
            } else if (step.Kind == Dispatch::kRecognizer) {
                cursor.SetPosition(at);
                int32_t length = 0;
                if (!RunRecognizer(step.Run, cursor, length) || cursor.Position() <= start) break;
                at = cursor.Position();
                token(start, at, step.Value);
            } else {
                break;
            }
        }
        cursor.SetPosition(at);
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
        /// How a token starting with the character may be taken without the whole scan.
        enum StepKind : uint8_t {
            kWhole = 0,  ///< no short way
            /// The start-table entry is all there is: no keyword can start there, the body is
            /// a group run and the value changes no state. kSimpleRun when the run's end is
            /// one group, so the run's table alone decides where it stops.
            kPlainRun,
            kSimpleRun,
            /// Nothing starts there: the character alone, value 0, which changes no state.
            kLone,
            /// The character is always a one-character word without handler, valid here and
            /// opening no container; Change: its value changes the states.
            kOneChar,
            /// The start-table entry is a recognizer, no keyword can start there and the value
            /// changes no state.
            kRecognizer,
            /// Only keywords of the main table can start there, and not one character alone
            /// decides which: a word found that takes no handler and opens no container is
            /// the token (anything else takes the whole scan).
            kWord,
        };
        struct Step {
            StepKind Kind = kWhole;
            uint8_t Value = 0;
            bool Change = false;
            int32_t Run = 0;    ///< kSimpleRun: the group run; kRecognizer: the recognizer
            int32_t Token = 0;  ///< kPlainRun: the start-table entry
        };
        std::array<Step, 256> Steps;
        /// For a first character that may start a keyword but does not decide it alone: the
        /// lookup's result by the character after it (kUndecided: a longer word may follow;
        /// kNoWord: no word; else the value of the one-character word). -1 where there is none.
        static constexpr int16_t kUndecided = -2;
        static constexpr int16_t kNoWord = -1;
        std::array<int16_t, 256> PairTable;
        std::vector<std::array<int16_t, 256>> Pairs;
        /// Keyword lookups remembered by the eight characters at the cursor, for lookups that
        /// read no further (tags come back again and again); made on first use.
        struct Remembered {
            uint64_t Text = 0;
            bool Known = false;
            bool Found = false;
            uint8_t Value = 0;
            uint8_t Length = 0;
        };
        static constexpr int kRememberedBits = 10;
        using RememberedTable = std::array<Remembered, size_t{1} << kRememberedBits>;
        mutable std::unique_ptr<RememberedTable> Words8;
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
        bool Star = false;     ///< the body's star: the end is tried before its first character
        bool Include = false;  ///< the end belongs to the token
        uint8_t EndCount = 0;  ///< groups in the end
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
    /// ApplyStateChange, taking the remembered transition when there is one.
    void ChangeStates(uint8_t value) {
        const Transition& memo = m_transitions[value];
        if (m_dispatch && memo.From == m_dispatch && memo.Epoch == m_dispatchEpoch) {
            m_dispatch = memo.To;
            m_active = memo.To->Active;
            return;
        }
        ApplyStateChange(value);
    }
    KeywordMatch LookupExtra(TextCursor& cursor) const;
    /// The main table's word at `at` in the active states, decided by the first two
    /// characters where they do; the cursor may be left anywhere.
    KeywordMatch ShortWord(TextCursor& cursor, int32_t at) const {
        const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
        const int16_t pairs = m_dispatch->PairTable[text[at]];
        if (pairs >= 0 && at + 1 < cursor.Length()) {
            const int16_t decided = m_dispatch->Pairs[pairs][text[at + 1]];
            if (decided >= 0) return KeywordMatch{true, static_cast<uint8_t>(decided), 1};
            if (decided == Dispatch::kNoWord) return KeywordMatch{};
        }
        cursor.SetPosition(at);
        return LookupMain(*m_dispatch, cursor);
    }
    /// m_keywords.Lookup in the active states, remembered in `dispatch`.
    KeywordMatch LookupMain(const Dispatch& dispatch, TextCursor& cursor) const;
    bool RunHandler(uint8_t value, TextCursor& cursor, int32_t& length, uint8_t& t);
    uint8_t ScanAnyToken(TextCursor& cursor, int32_t& length);
    bool ScanPlainRun(int32_t index, TextCursor& cursor, int32_t& length);
    /// ScanPlainRun for a run whose end is one group: the first character is taken, then the
    /// body up to a character the end admits (taken too when the end is included) or one
    /// neither admits (refused: the cursor stays). The end of the line accepts.
    bool ScanSimpleRun(const GroupRun& run, TextCursor& cursor, int32_t& length) const {
        const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
        const int32_t size = cursor.Length();
        const int32_t p0 = cursor.Position();
        int32_t at = p0 + 1;
        if (!run.Star && at < size && (run.Flags[text[at]] & GroupRun::kBody)) ++at;
        for (; at < size; ++at) {
            const uint8_t flags = run.Flags[text[at]];
            if (flags & GroupRun::kEndFirst) {
                at += run.Include ? 1 : 0;
                break;
            }
            if (!(flags & GroupRun::kBody)) return false;
        }
        cursor.SetPosition(at);
        length = at - p0;
        return true;
    }
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
