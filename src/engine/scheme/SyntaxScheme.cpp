// A compiled highlighting scheme: building its tables, and the scanner that runs over them.
#include "scheme/SyntaxScheme.h"

#include "editor/EditorError.h"
#include "scheme/Recognizers.h"
#include "scheme/SchemeErrors.h"

namespace quinkle {
namespace {

constexpr size_t kMaxKeywordTables = 20;

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
    m_defaultTable.fill(-1);
    for (auto& table : m_ownTables) table.reset();
    m_ownTableStates = {};
    m_handlers.fill(HandlerDef{});
    m_handlerValues = {};
    m_stateInfos.fill(TokenStateInfo{});
    m_stateInfoValues = {};
    m_contextStates.fill(StateSet{});
    m_anchor = StateSet{0};
    m_bound = {};
    m_start = StateSet{0};
    m_hasCustomMatch = false;
    m_stack.clear();
    m_stack.reserve(16);
    SetLineContext(0);
}

// ---- building ----

void SyntaxScheme::AddKeyword(std::string_view word, int32_t endGroup, uint8_t value,
                              const StateSet& states) {
    m_keywords.Add(word, endGroup, value, states);
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
    m_tokens.push_back(stored);
    auto index = static_cast<int32_t>(m_tokens.size() - 1);
    for (int c = 0; c < 256; ++c)
        if (start.Contains(static_cast<uint8_t>(c))) (*table)[c] = index;
    m_hasCustomMatch = m_hasCustomMatch || def.Body.Match || def.End.Match;
    SelectTable();
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
    m_handlerValues.Set(value);
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
            throw EKeywords("Ambigious key table state definition");
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
}

// ---- scanning ----

void SyntaxScheme::SelectTable() {
    m_table = &m_defaultTable;
    if (m_ownTableStates.Empty()) return;
    int lowest = (m_ownTableStates & m_active).Lowest();
    if (lowest >= 0) m_table = m_ownTables[lowest].get();
}

void SyntaxScheme::SetActiveStates(const StateSet& states) {
    m_active = states;
    SelectTable();
}

void SyntaxScheme::SetLineContext(uint8_t value) {
    const StateSet& context = m_contextStates[value];
    m_active = context.Empty() ? m_start : context;
    m_inContainer = false;
    m_containerEnd = 0;
    m_stack.clear();
    SelectTable();
}

void SyntaxScheme::Pop() {
    if (m_stack.empty()) throw ESourceEditor("Stack underflow");
    m_active = m_stack.back();
    m_stack.pop_back();
}

void SyntaxScheme::ApplyStateChange(const TokenStateInfo& info) {
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
    SelectTable();
}

KeywordMatch SyntaxScheme::LookupExtra(TextCursor& cursor) const {
    const int32_t start = cursor.Position();
    KeywordMatch sensitive = m_extraSensitive.Lookup(cursor, m_active);
    cursor.SetPosition(start);
    KeywordMatch insensitive = m_extraInsensitive.Lookup(cursor, m_active);
    if (sensitive.Found && (!insensitive.Found || sensitive.Length >= insensitive.Length)) {
        cursor.SetPosition(start + sensitive.Length);
        return sensitive;
    }
    return insensitive;
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

bool SyntaxScheme::RunHandler(const HandlerDef& handler, TextCursor& cursor, int32_t& length,
                              uint8_t& t) {
    const TokenPart& start = handler.Start;
    if (start.IsRecognizer && !start.Match && IsWholeTokenRecognizer(start.Number))
        return RunRecognizer(start.Number, cursor, length);
    return RunLoop(start, handler.End, true, cursor, length, t);
}

uint8_t SyntaxScheme::ScanToken(TextCursor& cursor, int32_t& length) {
    length = 0;
    if (cursor.AtEnd()) return 0;
    const int32_t p0 = cursor.Position();
    uint8_t t = 0;
    bool fromExtra = false;
    bool accepted = false;

    KeywordMatch word = m_keywords.Lookup(cursor, m_active);
    if (!word.Found && !m_keywordTables.empty()) {
        word = LookupExtra(cursor);
        fromExtra = word.Found;
    }
    if (word.Found) {
        t = word.Value;
        length = word.Length;
        accepted = !m_handlerValues.Test(t) || RunHandler(m_handlers[t], cursor, length, t);
    } else {
        const int32_t index = (*m_table)[cursor.Current()];
        if (index >= 0 && m_tokens[index].Valid.Intersects(m_active)) {
            const TokenDef& def = m_tokens[index];
            t = def.Value;
            if (def.Start.IsRecognizer) {
                accepted = RunRecognizer(def.Start.Number, cursor, length);
            } else {
                cursor.Advance();
                length = 1;
                accepted = RunLoop(def.Body, def.End, false, cursor, length, t);
            }
        }
    }

    if (!m_inContainer) m_saved = m_active;
    if (accepted && !fromExtra && m_stateInfoValues.Test(t) &&
        !m_stateInfos[t].Valid.Intersects(m_active))
        accepted = false;
    if (!accepted || cursor.Position() <= p0) {
        cursor.SetPosition(p0 + 1);
        t = 0;
    }
    length = cursor.Position() - p0;

    const bool hasInfo = m_stateInfoValues.Test(t);
    if (hasInfo) ApplyStateChange(m_stateInfos[t]);

    if (m_inContainer) {
        if (cursor.Position() >= m_containerEnd || cursor.AtEnd()) {
            m_active = m_saved;
            SelectTable();
        }
        m_inContainer = cursor.Position() < m_containerEnd;
    } else if (hasInfo && m_stateInfos[t].Container) {
        m_containerEnd = cursor.Position();
        m_inContainer = true;
    }
    return t;
}

}  // namespace quinkle
