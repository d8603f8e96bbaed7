// A compiled highlighting scheme: building its tables, and the scanner that runs over them.
#include "engine/scheme/SyntaxScheme.h"

#include <cstring>

#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SchemeErrors.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

constexpr size_t kMaxKeywordTables = 20;

bool SameStates(const StateSet& a, const StateSet& b) {
    const std::array<uint64_t, 4>& x = a.Words();
    const std::array<uint64_t, 4>& y = b.Words();
    return ((x[0] ^ y[0]) | (x[1] ^ y[1]) | (x[2] ^ y[2]) | (x[3] ^ y[3])) == 0;
}

}  // namespace

SyntaxScheme::SyntaxScheme() { Reset(); }

void SyntaxScheme::Reset() {
    m_groups.Clear();
    m_keywords.Clear();
    m_keywords.SetCaseSensitive(true);
    m_extraSensitive.Clear();
    m_extraInsensitive.Clear();
    m_keywordTables.clear();
    m_tokens.clear();
    m_groupRuns.clear();
    m_tokenRuns.clear();
    m_handlerRuns.fill(-1);
    m_defaultTable.fill(-1);
    for (auto& table : m_ownTables) table.reset();
    m_ownTableStates = {};
    m_handlers.fill(HandlerDef{});
    m_handlerValues = {};
    m_stateInfos.fill(TokenStateInfo{});
    m_transitions.fill(Transition{});
    m_stateInfoValues = {};
    m_valueFlags.fill(0);
    m_contextStates.fill(StateSet{});
    m_anchor = StateSet{0};
    m_bound = {};
    m_start = StateSet{0};
    m_hasCustomMatch = false;
    m_stack.clear();
    m_stack.reserve(16);
    ForgetDispatches();
    SetLineContext(0);
}

// ---- building ----

void SyntaxScheme::AddKeyword(std::string_view word, int32_t endGroup, uint8_t value,
                              const StateSet& states) {
    m_keywords.Add(word, endGroup, value, states);
    ForgetDispatches();
}

void SyntaxScheme::CheckPart(const TokenPart& part) const {
    if (part.Match) return;
    if (!part.IsRecognizer) m_groups.Get(part.Group);
}

void SyntaxScheme::CheckEnd(const TokenEnd& end) const {
    if (!end.Present || end.Match || end.IsRecognizer) return;
    for (int i = 0; i < end.Count && i < 4; ++i) m_groups.Get(end.Groups[i]);
}

bool SyntaxScheme::AddToken(const TokenDef& def, int32_t state) {
    const CharGroup& start = m_groups.Get(def.Start.Group);
    if (!def.Start.IsRecognizer) CheckPart(def.Body);
    CheckEnd(def.End);
    if (state != kDefaultTable && (state < 0 || state > 255))
        throw ESourceEditor("Invalid Set ID (" + std::to_string(state) + ")");

    StartTable* table = &m_defaultTable;
    if (state != kDefaultTable) table = m_ownTables[state].get();
    if (table)
        for (int c = 0; c < 256; ++c)
            if (start.Contains(static_cast<uint8_t>(c)) && (*table)[c] >= 0) return false;
    if (!table) {
        m_ownTables[state] = std::make_unique<StartTable>();
        m_ownTables[state]->fill(-1);
        table = m_ownTables[state].get();
        m_ownTableStates.Set(state);
    }

    TokenDef stored = def;
    stored.End.Count = std::min<uint8_t>(stored.End.Count, 4);
    if (state != kDefaultTable) stored.Valid.Set(state);
    const int32_t run = def.Start.IsRecognizer ? -1 : AddGroupRun(stored.Body, stored.End);
    m_tokens.push_back(stored);
    m_tokenRuns.push_back(run);
    auto index = static_cast<int32_t>(m_tokens.size() - 1);
    for (int c = 0; c < 256; ++c)
        if (start.Contains(static_cast<uint8_t>(c))) (*table)[c] = index;
    m_hasCustomMatch = m_hasCustomMatch || def.Body.Match || def.End.Match;
    ForgetDispatches();
    return true;
}

const TokenDef* SyntaxScheme::StartEntry(int32_t state, uint8_t c) const {
    const StartTable* table = &m_defaultTable;
    if (state != kDefaultTable) {
        if (state < 0 || state > 255 || !m_ownTables[state]) return nullptr;
        table = m_ownTables[state].get();
    }
    int32_t index = (*table)[c];
    return index < 0 ? nullptr : &m_tokens[index];
}

bool SyntaxScheme::SetHandler(uint8_t value, const HandlerDef& handler) {
    if (m_handlerValues.Test(value)) return false;
    CheckPart(handler.Start);
    CheckEnd(handler.End);
    m_handlers[value] = handler;
    m_handlers[value].End.Count = std::min<uint8_t>(handler.End.Count, 4);
    m_handlerRuns[value] = AddGroupRun(m_handlers[value].Start, m_handlers[value].End);
    m_handlerValues.Set(value);
    m_valueFlags[value] |= vfHandler;
    m_hasCustomMatch = m_hasCustomMatch || handler.Start.Match || handler.End.Match;
    return true;
}

const HandlerDef* SyntaxScheme::Handler(uint8_t value) const {
    return m_handlerValues.Test(value) ? &m_handlers[value] : nullptr;
}

void SyntaxScheme::SetTokenStateInfo(uint8_t value, TokenStateInfo info) {
    info.NoChange = info.Add.Empty() && info.Remove.Empty();
    m_stateInfos[value] = info;
    m_stateInfoValues.Set(value);
    m_valueFlags[value] = static_cast<uint8_t>((m_valueFlags[value] & vfHandler) | vfStateInfo |
                                               (info.Container ? vfContainer : 0));
    // Whether tokens of the value are plain runs has changed, and so have its transitions.
    ForgetDispatches();
}

const TokenStateInfo* SyntaxScheme::GetTokenStateInfo(uint8_t value) const {
    return m_stateInfoValues.Test(value) ? &m_stateInfos[value] : nullptr;
}

void SyntaxScheme::AddKeywordTable(KeywordTableDef table) {
    std::vector<KeywordTableDef> tables = m_keywordTables;
    bool replaced = false;
    for (KeywordTableDef& existing : tables) {
        if (existing.States == table.States) {
            existing = table;
            replaced = true;
        } else if (existing.States.Intersects(table.States)) {
            throw EKeywords("Ambiguous key table state definition");
        }
    }
    if (!replaced) {
        if (tables.size() >= kMaxKeywordTables) throw EKeywords("Too many keyword tables declared");
        tables.push_back(std::move(table));
    }
    // Rebuild both tries aside, so a refused word leaves the scheme as it was.
    SyntaxKeywords sensitive(m_groups, true);
    SyntaxKeywords insensitive(m_groups, false);
    for (const KeywordTableDef& def : tables) {
        SyntaxKeywords& trie = def.CaseSensitive ? sensitive : insensitive;
        for (const KeywordTableDef::Word& word : def.Words)
            trie.Add(word.Text, def.EndGroup, word.Value, def.States);
    }
    m_extraSensitive = std::move(sensitive);
    m_extraInsensitive = std::move(insensitive);
    m_keywordTables = std::move(tables);
    ForgetDispatches();
}

// ---- scanning ----

void SyntaxScheme::BuildDispatch(Dispatch& dispatch) const {
    const StateSet& active = dispatch.Active;
    const StartTable* table = &m_defaultTable;
    const int lowest = (m_ownTableStates & active).Lowest();
    if (lowest >= 0) table = m_ownTables[lowest].get();
    const bool extra = !m_keywordTables.empty();
    dispatch.PairTable.fill(-1);
    dispatch.Pairs.clear();
    dispatch.Words8.reset();
    for (int c = 0; c < 256; ++c) {
        const auto u = static_cast<uint8_t>(c);
        const int32_t index = (*table)[c];
        dispatch.Token[c] = index >= 0 && m_tokens[index].Valid.Intersects(active) ? index : -1;
        const bool extraWords = extra && (m_extraSensitive.MayStartWith(u, active) ||
                                          m_extraInsensitive.MayStartWith(u, active));
        dispatch.Words[c] =
            static_cast<uint8_t>((m_keywords.MayStartWith(u, active) ? Dispatch::kMainWords : 0) |
                                 (extraWords ? Dispatch::kExtraWords : 0));
        const int32_t token = dispatch.Token[c];
        const bool plain = m_shortcuts && token >= 0 && dispatch.Words[c] == 0 &&
                           !m_tokens[token].Start.IsRecognizer && m_tokenRuns[token] >= 0 &&
                           !(m_valueFlags[m_tokens[token].Value] & vfStateInfo);
        uint8_t word = 0;
        const bool decided = m_shortcuts && (dispatch.Words[c] & Dispatch::kMainWords) &&
                             m_keywords.DecidedByFirst(u, active, word);
        dispatch.OneCharWord[c] = decided ? word : int16_t{-1};

        Dispatch::Step step;
        if (plain) {
            const int32_t run = m_tokenRuns[token];
            step.Kind = m_groupRuns[run].EndCount == 1 ? Dispatch::kSimpleRun : Dispatch::kPlainRun;
            step.Value = m_tokens[token].Value;
            step.Run = run;
            step.Token = token;
        } else if (m_shortcuts && token < 0 && dispatch.Words[c] == 0 &&
                   !(m_valueFlags[0] & vfStateInfo)) {
            step.Kind = Dispatch::kLone;
        } else if (decided && !(m_valueFlags[word] & (vfHandler | vfContainer)) &&
                   (!(m_valueFlags[word] & vfStateInfo) ||
                    m_stateInfos[word].Valid.Intersects(active))) {
            step.Kind = Dispatch::kOneChar;
            step.Value = word;
            step.Change = (m_valueFlags[word] & vfStateInfo) != 0;
        } else if (m_shortcuts && token >= 0 && dispatch.Words[c] == 0 &&
                   m_tokens[token].Start.IsRecognizer &&
                   !(m_valueFlags[m_tokens[token].Value] & vfStateInfo)) {
            step.Kind = Dispatch::kRecognizer;
            step.Value = m_tokens[token].Value;
            step.Run = m_tokens[token].Start.Number;
        } else if (m_shortcuts && !decided && dispatch.Words[c] == Dispatch::kMainWords) {
            step.Kind = Dispatch::kWord;
        }
        dispatch.Steps[c] = step;

        if (m_shortcuts && !decided && (dispatch.Words[c] & Dispatch::kMainWords)) {
            std::array<int16_t, 256> pairs;
            for (int next = 0; next < 256; ++next) {
                int16_t value = Dispatch::kNoWord;
                pairs[next] =
                    m_keywords.DecidedBySecond(u, static_cast<uint8_t>(next), active, value)
                        ? value
                        : Dispatch::kUndecided;
            }
            dispatch.PairTable[c] = static_cast<int16_t>(dispatch.Pairs.size());
            dispatch.Pairs.push_back(pairs);
        }
    }
    dispatch.Built = true;
}

void SyntaxScheme::SelectDispatch() {
    if (m_dispatch && SameStates(m_dispatch->Active, m_active)) return;
    const std::array<uint64_t, 4>& words = m_active.Words();
    const uint64_t hash = words[0] * 0x9E3779B97F4A7C15ull ^ words[1] * 0xC2B2AE3D27D4EB4Full ^
                          words[2] * 0x165667B19E3779F9ull ^ words[3] * 0x27D4EB2F165667C5ull;
    // The top bits of a product depend on every bit of the set; lower ones would leave sets
    // that differ only in high state numbers on one slot, and a scan that goes back and forth
    // between them (a style sheet's selector, property and value) remaking both every time.
    const size_t home = static_cast<size_t>(hash >> (64 - kDispatchSlotBits));
    std::unique_ptr<Dispatch>* vacant = nullptr;
    for (size_t probe = 0; probe < kDispatchProbes; ++probe) {
        std::unique_ptr<Dispatch>& slot = m_dispatches[(home + probe) % kDispatchSlots];
        if (slot && slot->Built && SameStates(slot->Active, m_active)) {
            m_dispatch = slot.get();
            return;
        }
        if (!vacant && (!slot || !slot->Built)) vacant = &slot;
    }
    // With every slot it may use taken, the set replaces the one at its first slot, which is
    // made again when it comes back; schemes go through few sets, so that is rare.
    std::unique_ptr<Dispatch>& slot = vacant ? *vacant : m_dispatches[home];
    if (!slot) slot = std::make_unique<Dispatch>();
    slot->Active = m_active;
    BuildDispatch(*slot);
    ++m_dispatchEpoch;
    ++m_dispatchesMade;
    m_dispatch = slot.get();
}

void SyntaxScheme::ForgetDispatches() {
    for (std::unique_ptr<Dispatch>& slot : m_dispatches)
        if (slot) slot->Built = false;
    m_dispatch = nullptr;
    ++m_dispatchEpoch;
}

void SyntaxScheme::SetActiveStates(const StateSet& states) {
    m_active = states;
    SelectDispatch();
}

void SyntaxScheme::SetLineContext(uint8_t value) {
    const StateSet& context = m_contextStates[value];
    m_active = context.Empty() ? m_start : context;
    m_inContainer = false;
    m_containerEnd = 0;
    m_stack.clear();
    SelectDispatch();
}

void SyntaxScheme::Pop() {
    if (m_stack.empty()) {
        SelectDispatch();  // the states may have changed before the failing pop
        throw ESourceEditor("Stack underflow");
    }
    m_active = m_stack.back();
    m_stack.pop_back();
}

void SyntaxScheme::ApplyStateChange(uint8_t value) {
    const TokenStateInfo& info = m_stateInfos[value];
    if (info.Stack == 0) {
        // A plain change always leads from one set to the same other set: remember where.
        Transition& memo = m_transitions[value];
        if (m_dispatch && memo.From == m_dispatch && memo.Epoch == m_dispatchEpoch) {
            m_dispatch = memo.To;
            m_active = memo.To->Active;
            return;
        }
        if (!m_dispatch) SelectDispatch();
        const Dispatch* from = m_dispatch;
        const uint64_t epoch = m_dispatchEpoch;
        if (!info.NoChange) {
            m_active |= info.Add;
            m_active -= info.Remove;
        }
        SelectDispatch();
        memo = Transition{from, m_dispatch, epoch};
        return;
    }
    if (info.Stack & saPopBefore)
        Pop();
    else if (info.Stack & saPushBefore)
        Push();
    if (!info.NoChange) {
        m_active |= info.Add;
        m_active -= info.Remove;
    }
    if (info.Stack & saPopAfter)
        Pop();
    else if (info.Stack & saPushAfter)
        Push();
    SelectDispatch();
}

KeywordMatch SyntaxScheme::LookupExtra(TextCursor& cursor) const {
    const int32_t start = cursor.Position();
    const uint8_t c = cursor.Current();
    KeywordMatch sensitive;
    if (m_extraSensitive.MayStartWith(c, m_active))
        sensitive = m_extraSensitive.Lookup(cursor, m_active);
    cursor.SetPosition(start);
    KeywordMatch insensitive;
    if (m_extraInsensitive.MayStartWith(c, m_active))
        insensitive = m_extraInsensitive.Lookup(cursor, m_active);
    if (sensitive.Found && (!insensitive.Found || sensitive.Length >= insensitive.Length)) {
        cursor.SetPosition(start + sensitive.Length);
        return sensitive;
    }
    return insensitive;
}

KeywordMatch SyntaxScheme::LookupMain(const Dispatch& dispatch, TextCursor& cursor) const {
    const int32_t start = cursor.Position();
    if (!m_shortcuts || start + 8 > cursor.Length()) return m_keywords.Lookup(cursor, m_active);
    uint64_t text = 0;
    std::memcpy(&text, cursor.Text().data() + start, 8);
    if (!dispatch.Words8) dispatch.Words8 = std::make_unique<Dispatch::RememberedTable>();
    Dispatch::Remembered& slot =
        (*dispatch.Words8)[(text * 0x9E3779B97F4A7C15ull) >> (64 - Dispatch::kRememberedBits)];
    if (slot.Known && slot.Text == text) {
        cursor.SetPosition(start + slot.Length);
        return KeywordMatch{slot.Found, slot.Value, slot.Length};
    }
    int32_t examined = 0;
    const KeywordMatch word = m_keywords.Lookup(cursor, m_active, &examined);
    if (examined < start + 8)
        slot = Dispatch::Remembered{text, true, word.Found, word.Value,
                                    static_cast<uint8_t>(word.Length)};
    return word;
}

bool SyntaxScheme::CustomParse(int32_t id, TextCursor& cursor, int32_t& length, uint8_t& t) {
    if (!OnCustomParse) return false;
    const int32_t start = cursor.Position();
    const int32_t before = length;
    if (OnCustomParse(*this, id, cursor, length, t)) return true;
    cursor.SetPosition(start);
    length = before;
    return false;
}

bool SyntaxScheme::BodyStep(const TokenPart& body, TextCursor& cursor, int32_t& length,
                            uint8_t& t) {
    if (body.Match) return CustomParse(body.Number, cursor, length, t);
    if (body.IsRecognizer) return RunRecognizer(body.Number + 7, cursor, length);
    if (!m_groups.Get(body.Group).Contains(cursor.Current())) return false;
    cursor.Advance();
    ++length;
    return true;
}

bool SyntaxScheme::EndMatches(const TokenEnd& end, TextCursor& cursor, int32_t& length,
                              uint8_t& t) {
    const int32_t start = cursor.Position();
    const int32_t before = length;
    bool matched = true;
    if (end.Match) {
        matched = CustomParse(end.Number, cursor, length, t);
    } else if (end.IsRecognizer) {
        matched = RunRecognizer(end.Number + 7, cursor, length);
    } else {
        for (int i = 0; i < end.Count; ++i) {
            if (cursor.AtEnd() || !m_groups.Get(end.Groups[i]).Admits(cursor.Current())) {
                matched = false;
                break;
            }
            cursor.Advance();
        }
    }
    if (matched && end.Include) {
        length = before + (cursor.Position() - start);
    } else {
        cursor.SetPosition(start);
        length = before;
    }
    return matched;
}

int32_t SyntaxScheme::AddGroupRun(const TokenPart& body, const TokenEnd& end) {
    if (body.Match || body.IsRecognizer || !end.Present || end.Match || end.IsRecognizer ||
        end.Count == 0)
        return -1;
    const CharGroup& bodyGroup = m_groups.Get(body.Group);
    const CharGroup& endGroup = m_groups.Get(end.Groups[0]);
    GroupRun run;
    run.Star = body.Star;
    run.Include = end.Include;
    run.EndCount = end.Count;
    for (int c = 0; c < 256; ++c) {
        const auto u = static_cast<uint8_t>(c);
        run.Flags[c] = static_cast<uint8_t>((bodyGroup.Contains(u) ? GroupRun::kBody : 0) |
                                            (endGroup.Admits(u) ? GroupRun::kEndFirst : 0));
    }
    m_groupRuns.push_back(run);
    return static_cast<int32_t>(m_groupRuns.size() - 1);
}

bool SyntaxScheme::EndFollows(const TokenEnd& end, const uint8_t* text, int32_t at,
                              int32_t size) const {
    for (int i = 1; i < end.Count; ++i)
        if (at + i >= size || !m_groups.Get(end.Groups[i]).Admits(text[at + i])) return false;
    return true;
}

// RunLoop for a group body and a group end, which is what most tokens are: the same steps
// (the end is tried before each body character, and before the first only with a star; a
// character neither ends nor continues the token refuses it; the end of the line accepts).
bool SyntaxScheme::RunGroups(const GroupRun& run, const TokenPart& body, const TokenEnd& end,
                             TextCursor& cursor, int32_t& length) const {
    const auto* text = reinterpret_cast<const uint8_t*>(cursor.Text().data());
    const int32_t size = cursor.Length();
    const int32_t start = cursor.Position();
    int32_t at = start;
    bool accepted = true;
    if (!body.Star && at < size && (run.Flags[text[at]] & GroupRun::kBody)) ++at;
    for (; at < size; ++at) {
        const uint8_t flags = run.Flags[text[at]];
        if ((flags & GroupRun::kEndFirst) && EndFollows(end, text, at, size)) {
            if (end.Include) at += end.Count;
            break;
        }
        if (!(flags & GroupRun::kBody)) {
            accepted = false;
            break;
        }
    }
    cursor.SetPosition(at);
    length += cursor.Position() - start;
    return accepted;
}

bool SyntaxScheme::RunLoop(const TokenPart& body, const TokenEnd& end, bool handler,
                           TextCursor& cursor, int32_t& length, uint8_t& t) {
    const bool hasEnd = end.Present;
    const bool setsCheck = !handler || hasEnd;
    bool checkEnd = body.Star && setsCheck;
    while (!cursor.AtEnd()) {
        if (checkEnd && EndMatches(end, cursor, length, t)) return true;
        const bool wasChecking = checkEnd;
        if (setsCheck) checkEnd = true;
        const int32_t before = cursor.Position();
        if (BodyStep(body, cursor, length, t)) {
            if (body.Match || !hasEnd) return true;
            // A body that accepts without taking anything would accept forever.
            if (cursor.Position() == before) return true;
            continue;
        }
        if (wasChecking || !hasEnd) return false;
    }
    return true;
}

bool SyntaxScheme::RunHandler(uint8_t value, TextCursor& cursor, int32_t& length, uint8_t& t) {
    const HandlerDef& handler = m_handlers[value];
    const TokenPart& start = handler.Start;
    if (start.IsRecognizer && !start.Match && IsWholeTokenRecognizer(start.Number))
        return RunRecognizer(start.Number, cursor, length);
    const int32_t run = m_shortcuts ? m_handlerRuns[value] : -1;
    if (run >= 0) return RunGroups(m_groupRuns[run], start, handler.End, cursor, length);
    return RunLoop(start, handler.End, true, cursor, length, t);
}

bool SyntaxScheme::ScanPlainRun(int32_t index, TextCursor& cursor, int32_t& length) {
    const TokenDef& def = m_tokens[index];
    const int32_t p0 = cursor.Position();
    cursor.Advance();
    length = 1;
    if (RunGroups(m_groupRuns[m_tokenRuns[index]], def.Body, def.End, cursor, length) &&
        cursor.Position() > p0) {
        length = cursor.Position() - p0;
        return true;
    }
    cursor.SetPosition(p0);
    length = 0;
    return false;
}

uint8_t SyntaxScheme::ScanAnyToken(TextCursor& cursor, int32_t& length) {
    length = 0;
    if (cursor.AtEnd()) return 0;
    const int32_t p0 = cursor.Position();
    uint8_t t = 0;
    bool fromExtra = false;
    bool accepted = false;

    if (!m_dispatch) SelectDispatch();
    const Dispatch& dispatch = *m_dispatch;
    const uint8_t first = cursor.Current();
    KeywordMatch word;
    if (dispatch.OneCharWord[first] >= 0) {
        word = KeywordMatch{true, static_cast<uint8_t>(dispatch.OneCharWord[first]), 1};
        cursor.Advance();
    } else if (dispatch.Words[first] & Dispatch::kMainWords) {
        const int16_t pairs = dispatch.PairTable[first];
        const int16_t decided = pairs >= 0 && p0 + 1 < cursor.Length()
                                    ? dispatch.Pairs[pairs][cursor.Peek(1)]
                                    : Dispatch::kUndecided;
        if (decided >= 0) {
            word = KeywordMatch{true, static_cast<uint8_t>(decided), 1};
            cursor.Advance();
        } else if (decided == Dispatch::kUndecided) {
            word = LookupMain(dispatch, cursor);
        }
    }
    if (!word.Found && (dispatch.Words[first] & Dispatch::kExtraWords)) {
        word = LookupExtra(cursor);
        fromExtra = word.Found;
    }
    if (word.Found) {
        t = word.Value;
        length = word.Length;
        accepted = !(m_valueFlags[t] & vfHandler) || RunHandler(t, cursor, length, t);
    } else {
        const int32_t index = dispatch.Token[first];
        if (index >= 0) {
            const TokenDef& def = m_tokens[index];
            t = def.Value;
            const int32_t run = m_shortcuts ? m_tokenRuns[index] : -1;
            if (def.Start.IsRecognizer) {
                accepted = RunRecognizer(def.Start.Number, cursor, length);
            } else if (run >= 0) {
                cursor.Advance();
                length = 1;
                accepted = RunGroups(m_groupRuns[run], def.Body, def.End, cursor, length);
            } else {
                cursor.Advance();
                length = 1;
                accepted = RunLoop(def.Body, def.End, false, cursor, length, t);
            }
        }
    }

    if (accepted && !fromExtra && (m_valueFlags[t] & vfStateInfo) &&
        !m_stateInfos[t].Valid.Intersects(m_active))
        accepted = false;
    if (!accepted || cursor.Position() <= p0) {
        cursor.SetPosition(p0 + 1);
        t = 0;
    }
    length = cursor.Position() - p0;

    const uint8_t flags = m_valueFlags[t];
    if (flags & vfStateInfo) {
        // A container's states come back when the scan leaves its text.
        if (!m_inContainer && (flags & vfContainer)) m_saved = m_active;
        ChangeStates(t);
    }

    if (m_inContainer) {
        if (cursor.Position() >= m_containerEnd || cursor.AtEnd()) {
            m_active = m_saved;
            SelectDispatch();
        }
        m_inContainer = cursor.Position() < m_containerEnd;
    } else if (flags & vfContainer) {
        m_containerEnd = cursor.Position();
        m_inContainer = true;
    }
    return t;
}

}  // namespace quinkle
