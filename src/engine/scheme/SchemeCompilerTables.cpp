// The scheme compiler's table sections: words, handlers, tokens, map, effects, states,
// containers and extra keyword tables.
#include "engine/scheme/Recognizers.h"
#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeErrors.h"
#include "engine/text/AsciiText.h"

namespace quinkle {

namespace {

constexpr int32_t kLastPartRecognizer = 13;  // n+7 = 20, the last table entry

}  // namespace

// ---- %%words: 'word' 'end' value [set] ----

void SchemeCompiler::Words() {
    while (At(tkString)) {
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        std::string word = StringValue();
        std::string ending = RawString();
        m_lexer->SetContext("%%Words - " + ending);
        int32_t endGroup = SingleSpecifier(ending, true);
        if (endGroup >= 0 && m_scheme.Groups().Get(endGroup).Empty()) endGroup = -1;
        uint8_t value = ByteValue();
        StateSet states{0};
        if (At(tkSetOpen)) states = ValueSet();
        try {
            m_scheme.AddKeyword(word, endGroup, value, states);
        } catch (const EKeywords&) {
            throw ESchemeCompileError("Duplicate entry in %%word table", line, column, true,
                                      m_lexer->Context());
        }
    }
}

// A start or body: match(n), a string of one specifier, or a recognizer number 0..`most`.
void SchemeCompiler::ReadPart(TokenPart& part, int32_t most) {
    if (At(tkMatch)) {
        Next();
        Expect(tkOpen, "'(' expected");
        part.Match = true;
        part.Number = ByteValue();
        Expect(tkClose, "')' expected");
    } else if (At(tkString)) {
        part.Group = SingleSpecifier(RawString(), false);
    } else if (AtExpression()) {
        part.IsRecognizer = true;
        part.Number = static_cast<uint8_t>(Ranged(0, most));
    } else {
        Fail("Script syntax error");
    }
}

// An end part and its include flag: match(n), one to four specifiers, or a recognizer number.
void SchemeCompiler::ReadEnd(TokenEnd& end) {
    end.Present = true;
    if (At(tkMatch)) {
        Next();
        Expect(tkOpen, "'(' expected");
        end.Match = true;
        end.Number = ByteValue();
        Expect(tkClose, "')' expected");
    } else if (At(tkString)) {
        std::vector<int32_t> groups = Specifiers(RawString(), 4);
        end.Count = static_cast<uint8_t>(groups.size());
        for (size_t i = 0; i < groups.size(); ++i) end.Groups[i] = groups[i];
    } else if (AtExpression()) {
        end.IsRecognizer = true;
        end.Number = static_cast<uint8_t>(Ranged(0, kLastPartRecognizer));
    } else {
        Fail("Script syntax error");
    }
    end.Include = Expression() != 0;
}

// ---- %%handlers: value start [*] [end include] ----

void SchemeCompiler::Handlers() {
    while (AtExpression()) {
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        uint8_t value = ByteValue();
        m_lexer->SetContext("%%Handlers - " + std::to_string(value));
        HandlerDef handler;
        ReadPart(handler.Start, kLastRecognizer);
        if (At(tkStar)) {
            handler.Start.Star = true;
            Next();
        }
        if (!handler.Start.Match && (At(tkMatch) || At(tkString))) ReadEnd(handler.End);
        if (!m_scheme.SetHandler(value, handler))
            throw ESchemeCompileError("Duplicate entry in %%handler table", line, column, true,
                                      m_lexer->Context());
    }
}

// ---- %%tokens: entries, and InState n ( entries ) ----

void SchemeCompiler::Tokens() {
    for (;;) {
        if (AtExpression()) {
            TokenEntry(SyntaxScheme::kDefaultTable);
        } else if (At(tkInState)) {
            Next();
            int32_t state = ByteValue();
            Expect(tkOpen, "'(' expected");
            while (AtExpression()) TokenEntry(state);
            Expect(tkClose, "')' expected");
        } else {
            return;
        }
    }
}

void SchemeCompiler::TokenEntry(int32_t state) {
    const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
    TokenDef def;
    def.Value = ByteValue();
    m_lexer->SetContext("%%Tokens - " + std::to_string(def.Value));
    if (AtExpression()) {
        const int32_t numberLine = m_lexer->TokenLine(), numberColumn = m_lexer->TokenColumn();
        int32_t number = Expression();
        if (!IsWholeTokenRecognizer(number))
            throw ESchemeCompileError("Script syntax error", numberLine, numberColumn, true,
                                      m_lexer->Context());
        def.Start.IsRecognizer = true;
        def.Start.Number = static_cast<uint8_t>(number);
        def.Start.Group = m_scheme.AddCharGroup(RecognizerFirstChars(number));
    } else {
        def.Start.Group = SingleSpecifier(RawString(), false);
        ReadPart(def.Body, kLastPartRecognizer);
        if (!def.Body.Match) {
            if (At(tkStar)) {
                def.Body.Star = true;
                Next();
            }
            ReadEnd(def.End);
        }
    }
    def.Valid = state == SyntaxScheme::kDefaultTable ? StateSet{0} : StateSet{};
    if (At(tkSetOpen)) def.Valid = ValueSet();
    if (!m_scheme.AddToken(def, state))
        throw ESchemeCompileError("Ambiguous start set in %%token table", line, column, true,
                                  m_lexer->Context());
}

// ---- %%map: value effect ----

void SchemeCompiler::Map() {
    m_lexer->SetContext("%%Map - ");
    while (AtExpression()) {
        uint8_t value = ByteValue();
        m_settings.Editor.Styles.TokenEffect[value] = ByteValue();
    }
}

// ---- %%effects: n [styles] fg [*] bg [*] ['hotspot'] ----

void SchemeCompiler::Effects() {
    m_lexer->SetContext("%%Effects - ");
    while (AtExpression()) {
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        uint8_t number = ByteValue();
        EffectDef& effect = m_settings.Editor.Styles.Effects[number];
        if (effect.Defined && number != 0)
            throw ESchemeCompileError("Duplicate %%effect entry", line, column, true,
                                      m_lexer->Context());
        EffectDef def;
        def.Defined = true;
        def.Style = StyleBits();
        def.Foreground = static_cast<uint32_t>(Expression());
        if (At(tkStar)) {
            def.ForegroundDefault = true;
            Next();
        }
        def.Background = static_cast<uint32_t>(Expression());
        if (At(tkStar)) {
            def.BackgroundDefault = true;
            Next();
        }
        if (At(tkString)) {
            def.Hotspot = EqualsNoCase(StringValue(), "hotspot");
        }
        effect = def;
    }
}

// ---- %%states and %%containers: value [push|pop] ( +set -set ... ) [push|pop] ----

void SchemeCompiler::States(bool containers) {
    m_lexer->SetContext(containers ? "%%Containers - " : "%%States - ");
    while (AtExpression()) {
        uint8_t value = ByteValue();
        const TokenStateInfo* existing = m_scheme.GetTokenStateInfo(value);
        TokenStateInfo info = existing ? *existing : TokenStateInfo{};
        uint8_t stack = 0;
        if (At(tkPush) || At(tkPop)) {
            stack = At(tkPush) ? saPushBefore : saPopBefore;
            Next();
        }
        Expect(tkOpen, "'(' expected");
        while (At(tkPlus) || At(tkMinus)) {
            StateSet& target = At(tkPlus) ? info.Add : info.Remove;
            Next();
            // One term, so that "+1 -2" reads as two changes rather than a difference.
            if (At(tkSetOpen)) {
                target |= ValueSet();
            } else {
                const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
                int32_t state = Term(0);
                if (state < 0 || state > 255)
                    throw ESchemeCompileError("Range error, value outwith 0 .. 255", line, column,
                                              false, m_lexer->Context());
                target.Set(state);
            }
        }
        Expect(tkClose, "')' expected");
        if (At(tkPush)) {
            stack = saPushAfter;
            Next();
        } else if (At(tkPop)) {
            stack = saPopAfter;
            info.Add = {};
            info.Remove = {};
            Next();
        }
        if (stack != 0) info.Stack = stack;
        if (containers) info.Container = true;
        m_scheme.SetTokenStateInfo(value, info);
    }
}

// ---- %%kwTables: forstate [set] endswith 'end' ( value is 'w', 'w' ... ) ----

void SchemeCompiler::KwTables() {
    m_lexer->SetContext("%%KwTables");
    while (At(tkForState)) {
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        Next();
        KeywordTableDef table;
        table.States = ValueSet();
        if (table.States.Empty()) table.States = StateSet{0};
        if (At(tkEndsWith)) {
            Next();
            table.EndSpec = RawString();
            table.EndGroup = SingleSpecifier(table.EndSpec, true);
            if (table.EndGroup >= 0 && m_scheme.Groups().Get(table.EndGroup).Empty())
                table.EndGroup = -1;
        }
        table.CaseSensitive = m_scheme.CaseSensitive();
        Expect(tkOpen, "'(' expected");
        while (AtExpression()) {
            uint8_t value = ByteValue();
            Expect(tkIs, "Script syntax error");
            do {
                if (At(tkComma)) Next();
                table.Words.push_back({value, StringValue()});
            } while (At(tkString) || At(tkComma));
        }
        Expect(tkClose, "')' expected");
        try {
            m_scheme.AddKeywordTable(std::move(table));
        } catch (const EKeywords& error) {
            throw ESchemeCompileError(error.what(), line, column, true, m_lexer->Context());
        }
    }
}

}  // namespace quinkle
