// The scheme compiler: section dispatch, expressions, value sets and the %%language section.
#include "engine/scheme/SchemeCompiler.h"

#include <fstream>
#include <sstream>

namespace quinkle {

namespace {

constexpr int32_t kMaxNesting = 200;

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

SchemeCompiler::SchemeCompiler(CompiledScheme& target)
    : m_target(target),
      m_scheme(target.Scheme),
      m_settings(target.Settings),
      m_resolver(ReadIncludeFile) {}

void SchemeCompiler::CompileFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + path + "\"");
    std::ostringstream text;
    text << in.rdbuf();
    Compile(text.str(), FolderOf(path));
}

void SchemeCompiler::Compile(std::string_view script, const std::string& folder) {
    m_target.Reset();
    m_contextGiven = {};
    m_lexer = std::make_unique<ScriptLexer>(script, folder, m_resolver);
    try {
        Next();
        Sections();
    } catch (const ESchemeCompileError&) {
        m_lastLine = m_lexer->Line();
        m_lastColumn = m_lexer->Column();
        throw;
    } catch (const ESourceEditor& error) {
        // A setting refused by its owner (tab stops, key map) is a fault of the script.
        m_lastLine = m_lexer->Line();
        m_lastColumn = m_lexer->Column();
        m_lexer->Fail(error.what());
    }
    m_lastLine = m_lexer->Line();
    m_lastColumn = m_lexer->Column();
    for (int value = 0; value < 256; ++value)
        if (m_scheme.ContextState(static_cast<uint8_t>(value)).Empty())
            m_scheme.SetContextState(static_cast<uint8_t>(value), m_scheme.StartStates());
    m_scheme.SetLineContext(0);
}

void SchemeCompiler::Sections() {
    while (!At(tkEnd)) {
        const ScriptToken section = m_lexer->Kind();
        if (section < tkLanguage || section > tkKwTables) Fail("Script syntax error");
        Next();
        switch (section) {
            case tkLanguage:
                Language();
                break;
            case tkWords:
                Words();
                break;
            case tkHandlers:
                Handlers();
                break;
            case tkTokens:
                Tokens();
                break;
            case tkMap:
                Map();
                break;
            case tkEffects:
                Effects();
                break;
            case tkStates:
                States(false);
                break;
            case tkContainers:
                States(true);
                break;
            case tkKeys:
                Keys();
                break;
            case tkAutoReplace:
                AutoReplace();
                break;
            case tkTemplates:
                Templates();
                break;
            case tkKwTables:
                KwTables();
                break;
            default:
                Fail("Script syntax error");
        }
    }
}

// ---- shared readers ----

void SchemeCompiler::FailAt(const std::string& message, int32_t line, int32_t column) const {
    throw ESchemeCompileError(message, line, column, true, m_lexer->Context());
}

void SchemeCompiler::Expect(ScriptToken kind, const char* message) {
    if (!At(kind)) Fail(message);
    Next();
}

int32_t SchemeCompiler::Term(int32_t depth) {
    if (At(tkNumber)) {
        auto value = static_cast<int32_t>(m_lexer->Number());
        Next();
        return value;
    }
    if (!At(tkOpen) || depth > kMaxNesting) Fail("Expression expected");
    Next();
    int32_t value = ExpressionAt(depth + 1);
    if (!At(tkClose)) Fail("Expression expected");
    Next();
    return value;
}

int32_t SchemeCompiler::ExpressionAt(int32_t depth) {
    auto value = static_cast<uint32_t>(Term(depth));
    for (;;) {
        const ScriptToken op = m_lexer->Kind();
        if (op != tkPlus && op != tkMinus && op != tkOr) break;
        Next();
        auto term = static_cast<uint32_t>(Term(depth));
        value = op == tkPlus ? value + term : op == tkMinus ? value - term : value | term;
    }
    return static_cast<int32_t>(value);
}

int32_t SchemeCompiler::Expression() { return ExpressionAt(0); }

int32_t SchemeCompiler::Ranged(int32_t low, int32_t high) {
    // The position of a range error is the value's own.
    ScriptLexer& lexer = *m_lexer;
    const int32_t line = lexer.TokenLine(), column = lexer.TokenColumn();
    int32_t value = Expression();
    if (value < low || value > high)
        throw ESchemeCompileError(
            "Range error, value outwith " + std::to_string(low) + " .. " + std::to_string(high),
            line, column, false, lexer.Context());
    return value;
}

StateSet SchemeCompiler::ValueSet() {
    Expect(tkSetOpen, "'[' expected");
    StateSet set;
    while (!At(tkSetClose)) {
        if (!AtExpression()) Fail("']' expected");
        set.Set(ByteValue());
        if (At(tkComma)) Next();
    }
    Next();
    return set;
}

// "= [set]" replaces the target; "= value" adds one member.
void SchemeCompiler::SetOrValue(StateSet& target) {
    if (At(tkSetOpen))
        target = ValueSet();
    else
        target.Set(ByteValue());
}

std::string SchemeCompiler::RawString() {
    if (!At(tkString)) Fail("String value expected");
    m_stringLine = m_lexer->TokenLine();
    m_stringColumn = m_lexer->TokenColumn();
    std::string raw = m_lexer->Raw();
    Next();
    return raw;
}

// "[style, ...]": font style numbers 0..7 as bits.
uint8_t SchemeCompiler::StyleBits() {
    Expect(tkSetOpen, "'[' expected");
    uint8_t bits = 0;
    while (!At(tkSetClose)) {
        if (!AtExpression()) Fail("']' expected");
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        int32_t style = Expression();
        if (style < 0 || style > 7) FailAt("Bad font style specifier", line, column);
        bits = static_cast<uint8_t>(bits | (1u << style));
        if (At(tkComma)) Next();
    }
    Next();
    return bits;
}

// "[*] expr" or "* expr": a colour, the star asking for the editor's default.
SchemeColor SchemeCompiler::Color() {
    SchemeColor color;
    if (At(tkSetOpen)) {
        Next();
        Expect(tkStar, "Expression expected");
        Expect(tkSetClose, "']' expected");
        color.UseDefault = true;
    } else if (At(tkStar)) {
        Next();
        color.UseDefault = true;
    }
    color.Color = static_cast<uint32_t>(Expression());
    return color;
}

std::vector<int32_t> SchemeCompiler::Specifiers(const std::string& raw, size_t most) {
    std::vector<CharGroup> groups;
    try {
        groups = ParseSpecifiers(raw);
    } catch (const ESpecifier& error) {
        FailAtString(error.what());
    }
    if (groups.size() > most)
        FailAtString(most == 1 ? "Single character specifier expected"
                               : "Maximum of 4 character specifier allowed");
    std::vector<int32_t> numbers;
    for (const CharGroup& group : groups) numbers.push_back(m_scheme.AddCharGroup(group));
    return numbers;
}

// Exactly one specifier; an empty text is "any character" (-1) where `emptyIsAny`.
int32_t SchemeCompiler::SingleSpecifier(const std::string& raw, bool emptyIsAny) {
    std::vector<int32_t> groups = Specifiers(raw, 1);
    if (groups.empty()) {
        if (!emptyIsAny) FailAtString("Single character specifier expected");
        return -1;
    }
    return groups.front();
}

// ---- %%language ----

void SchemeCompiler::Language() {
    m_lexer->SetContext("%%Language - Name");
    for (;;) {
        const ScriptToken key = m_lexer->Kind();
        if (key < tkName || key > tkGutterFontStyle) return;
        Next();
        Expect(tkEquals, "'=' expected");
        LanguageEntry(key);
    }
}

void SchemeCompiler::LanguageEntry(ScriptToken key) {
    EditorSettings& editor = m_settings.Editor;
    switch (key) {
        case tkName:
            m_settings.Name = StringValue().substr(0, SchemeSettings::kMaxNameLength);
            break;
        case tkCase:
            m_scheme.SetCaseSensitive(Expression() != 0);
            break;
        case tkOptions:
            editor.Options = static_cast<uint32_t>(Expression());
            break;
        case tkExampleText:
            m_settings.ExampleText = StringValue();
            break;
        case tkEditableStyles:
            EditableStyles();
            break;
        case tkWordWrapColumn:
            editor.WrapAtColumn = static_cast<uint16_t>(Ranged(0, 65535));
            break;
        case tkGutter:
            editor.Gutter = Expression();
            break;
        case tkAnchor: {
            StateSet anchor = m_scheme.GetAnchorSet();
            SetOrValue(anchor);
            m_scheme.SetAnchorSet(anchor);
            break;
        }
        case tkIndentStep:
            editor.SetIndentStep(Ranged(0, 20));
            break;
        case tkWrapOverride:
            editor.WrapOverride = StringValue().substr(0, SchemeSettings::kMaxNameLength);
            break;
        case tkStartState: {
            StateSet start = m_scheme.StartStates();
            SetOrValue(start);
            m_scheme.SetStartStates(start);
            break;
        }
        case tkSelTextColor:
            m_settings.SelTextColor = Color();
            break;
        case tkSelTextBack:
            m_settings.SelTextBack = Color();
            break;
        case tkGutterColor:
            m_settings.GutterColor = Color();
            break;
        case tkMarginColor:
            m_settings.MarginColor = Color();
            break;
        case tkMarginWidth:
            editor.Margin = Expression();
            break;
        case tkRightMargin:
            editor.RightMargin = Expression();
            break;
        case tkFontName:
            m_settings.Font.Name = StringValue().substr(0, SchemeSettings::kMaxFontNameLength);
            break;
        case tkFontSize:
            m_settings.Font.Size = Expression();
            break;
        case tkFontCharset:
            m_settings.Font.CharSet = ByteValue();
            break;
        case tkTabColumns: {
            std::string columns = RawString();
            try {
                editor.SetTabColumns(columns);
            } catch (const ESourceEditor& error) {
                FailAtString(error.what());
            }
            break;
        }
        case tkTabDefault: {
            const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
            try {
                editor.SetTabDefault(Expression());
            } catch (const ESchemeCompileError&) {
                throw;
            } catch (const ESourceEditor& error) {
                throw ESchemeCompileError(error.what(), line, column, true, m_lexer->Context());
            }
            break;
        }
        case tkContextStates:
            ContextStates();
            break;
        case tkBoundStates: {
            StateSet bound = m_scheme.BoundStates();
            SetOrValue(bound);
            m_scheme.SetBoundStates(bound);
            break;
        }
        case tkGutterFontName:
            m_settings.GutterFont.Name =
                StringValue().substr(0, SchemeSettings::kMaxFontNameLength);
            break;
        case tkGutterFontSize:
            m_settings.GutterFont.Size = Expression();
            break;
        case tkGutterFontColor:
            m_settings.GutterFont.Color = static_cast<uint32_t>(Expression());
            break;
        case tkGutterFontStyle:
            m_settings.GutterFont.Style = StyleBits();
            break;
        default:
            Fail("Script syntax error");
    }
}

// "('name', effect), ('name', effect) ..."
void SchemeCompiler::EditableStyles() {
    for (;;) {
        const int32_t entryLine = m_lexer->TokenLine(), entryColumn = m_lexer->TokenColumn();
        Expect(tkOpen, "'(' expected");
        std::string name = StringValue();
        Expect(tkComma, "',' expected");
        const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
        int32_t effect = Expression();
        if (effect < 0 || effect > 255)
            throw ESchemeCompileError("Value must be 0..255", line, column, true,
                                      m_lexer->Context());
        Expect(tkClose, "')' expected");
        if (!m_settings.Editor.Styles.AddEditableStyle(name, static_cast<uint8_t>(effect)))
            FailAt("Too many editable styles", entryLine, entryColumn);
        if (!At(tkComma)) return;
        Next();
    }
}

// "(tok tok ... [set]), (...)": the states a line starts with after each listed token value.
void SchemeCompiler::ContextStates() {
    for (;;) {
        Expect(tkOpen, "'(' expected");
        std::vector<uint8_t> values;
        while (AtExpression()) {
            const int32_t line = m_lexer->TokenLine(), column = m_lexer->TokenColumn();
            uint8_t value = ByteValue();
            if (m_contextGiven.Test(value))
                throw ESchemeCompileError(
                    "Token value " + std::to_string(value) + " re-specified in ContextState", line,
                    column, false, m_lexer->Context());
            m_contextGiven.Set(value);
            values.push_back(value);
            if (At(tkComma)) Next();
        }
        if (values.empty()) Fail("Expression expected");
        StateSet states;
        if (At(tkSetOpen)) states = ValueSet();
        Expect(tkClose, "')' expected");
        for (uint8_t value : values) m_scheme.SetContextState(value, states);
        if (!At(tkComma)) return;
        Next();
    }
}

}  // namespace quinkle
