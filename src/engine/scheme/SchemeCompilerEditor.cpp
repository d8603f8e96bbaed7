// The scheme compiler's editor sections: key assignments, auto-correct and code templates.
#include "engine/scheme/SchemeCompiler.h"

namespace quinkle {

// ---- %%keys: action [( keys | keys ... )] ['description'] ----

void SchemeCompiler::Keys() {
    m_lexer->SetContext("%%Keys - ");
    KeyboardActionController& keys = m_settings.Editor.Keys;
    // The section replaces the whole key store: it holds the actions listed, each named by
    // its description or, without one, by the name it had before.
    const KeyboardActionController previous = keys;
    keys.Clear();

    while (AtExpression()) {
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        int32_t action = Ranged(0, 65535);
        std::vector<std::pair<uint16_t, uint16_t>> bindings;
        if (At(tkOpen)) {
            Next();
            for (;;) {
                uint16_t first = Key(true);
                uint16_t second = 0;
                if (At(tkComma)) {
                    Next();
                    second = Key(false);
                }
                bindings.emplace_back(first, second);
                if (!At(tkBar)) break;
                Next();
            }
            Expect(tkClose, "')' expected");
        }
        try {
            if (At(tkString)) {
                std::string name = StringValue();
                if (name.empty()) FailAtString("Key function name cannot be blank");
                keys.AddCommand(action, name);
            } else if (keys.CommandName(action).empty()) {
                keys.AddCommand(action, previous.CommandName(action));
            }
            for (const auto& [first, second] : bindings) keys.AddBinding(first, second, action);
        } catch (const ESchemeCompileError&) {
            throw;
        } catch (const ESourceEditor& error) {
            throw ESchemeCompileError(error.what(), line, column, true, m_lexer->Context());
        }
    }
}

// "[shift, ctrl, alt] key": a key code 0..255 or a one-character string, with modifiers
// where `modifiers` allows them.
uint16_t SchemeCompiler::Key(bool modifiers) {
    uint16_t shortcut = 0;
    if (modifiers && At(tkSetOpen)) {
        Next();
        for (;;) {
            if (At(tkShift))
                shortcut |= 0x2000;
            else if (At(tkCtrl))
                shortcut |= 0x4000;
            else if (At(tkAlt))
                shortcut |= 0x8000;
            else if (At(tkComma))
                ;
            else
                break;
            Next();
        }
        Expect(tkSetClose, "']' expected");
    }
    if (AtExpression()) return static_cast<uint16_t>(shortcut | ByteValue());
    if (!At(tkString)) Fail("Key name or code required");
    std::string text = StringValue();
    if (text.size() != 1) FailAtString("Single character specifier expected");
    char c = text[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return static_cast<uint16_t>(shortcut | static_cast<uint8_t>(c));
}

// ---- %%autoreplace: 'from' = 'to' ... and actionkeys = 'chars' ----

void SchemeCompiler::AutoReplace() {
    m_lexer->SetContext("%%AutoReplace");
    for (;;) {
        if (At(tkActionKeys)) {
            Next();
            Expect(tkEquals, "'=' expected");
            const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
            try {
                m_settings.Editor.AutoCorrect.SetActivationKeys(StringValue());
            } catch (const ESchemeCompileError&) {
                throw;
            } catch (const ESourceEditor& error) {
                FailAt(error.what(), line, column);
            }
        } else if (At(tkString)) {
            std::string from = StringValue();
            Expect(tkEquals, "'=' expected");
            m_settings.Editor.AutoCorrect.AddTemplate(from, "", StringValue());
        } else {
            return;
        }
    }
}

// ---- %%templates: 'name' [( 'description' )] = 'text' ... and hotkey = ( [mods] key ) ----

void SchemeCompiler::Templates() {
    m_lexer->SetContext("%%Templates");
    for (;;) {
        if (At(tkHotKey)) {
            Next();
            Expect(tkEquals, "'=' expected");
            Expect(tkOpen, "'(' expected");
            m_settings.Editor.Templates.HotKey = Key(true);
            Expect(tkClose, "')' expected");
        } else if (At(tkString)) {
            std::string name = StringValue();
            std::string description;
            if (At(tkOpen)) {
                Next();
                description = StringValue();
                Expect(tkClose, "')' expected");
            }
            Expect(tkEquals, "'=' expected");
            m_settings.Editor.Templates.AddTemplate(name, description, StringValue());
        } else {
            return;
        }
    }
}

}  // namespace quinkle
