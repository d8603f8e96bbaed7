// Compiles a scheme script into a CompiledScheme: the section parser over the script lexer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/CompileError.h"
#include "engine/scheme/SchemeModel.h"
#include "engine/scheme/SchemeSettings.h"
#include "engine/scheme/ScriptLexer.h"
#include "engine/scheme/ScriptStrings.h"

namespace quinkle {

/// Fills a CompiledScheme from a script. A compile resets the target first; a failed compile
/// throws ESchemeCompileError and leaves the partly filled target. Any input ends in a
/// finished scheme or a compile error: the compiler does not crash or hang on bad scripts.
class SchemeCompiler {
public:
    explicit SchemeCompiler(CompiledScheme& target);

    /// How included files are read; ReadIncludeFile unless changed. Null refuses includes.
    void SetIncludeResolver(IncludeResolver resolver) { m_resolver = std::move(resolver); }

    /// Compiles `script`; relative include names are taken from `folder`.
    void Compile(std::string_view script, const std::string& folder = {});
    /// Compiles the script file at `path` (includes relative to its folder). A file that
    /// cannot be read throws EFOpenError.
    void CompileFile(const std::string& path);

    /// Where the lexer was when the last compile ended (1-based), also after an error.
    int32_t LastLine() const { return m_lastLine; }
    int32_t LastColumn() const { return m_lastColumn; }

private:
    // SchemeCompiler.cpp: the shared readers and the %%language section.
    bool At(ScriptToken kind) const { return m_lexer->Kind() == kind; }
    void Next() { m_lexer->Next(); }
    void Expect(ScriptToken kind, const char* message);
    [[noreturn]] void Fail(const std::string& message) const { m_lexer->Fail(message); }
    [[noreturn]] void FailAt(const std::string& message, int32_t line, int32_t column) const;
    /// Fails at the last string read.
    [[noreturn]] void FailAtString(const std::string& message) const {
        FailAt(message, m_stringLine, m_stringColumn);
    }
    bool AtExpression() const { return At(tkNumber) || At(tkOpen); }
    int32_t Expression();
    int32_t Term(int32_t depth);
    int32_t ExpressionAt(int32_t depth);
    int32_t Ranged(int32_t low, int32_t high);
    uint8_t ByteValue() { return static_cast<uint8_t>(Ranged(0, 255)); }
    StateSet ValueSet();
    void SetOrValue(StateSet& target);
    std::string RawString();
    std::string StringValue() { return Unescape(RawString()); }
    uint8_t StyleBits();
    SchemeColor Color();
    std::vector<int32_t> Specifiers(const std::string& raw, size_t most);
    int32_t SingleSpecifier(const std::string& raw, bool emptyIsAny);
    void Sections();
    void Language();
    void LanguageEntry(ScriptToken key);
    void EditableStyles();
    void ContextStates();

    // SchemeCompilerTables.cpp: words, handlers, tokens, map, effects, states, kwTables.
    void Words();
    void Handlers();
    void Tokens();
    void TokenEntry(int32_t state);
    void ReadPart(TokenPart& part, int32_t most);
    void ReadEnd(TokenEnd& end);
    void Map();
    void Effects();
    void States(bool containers);
    void KwTables();

    // SchemeCompilerEditor.cpp: keys, auto-correct and templates.
    void Keys();
    uint16_t Key(bool modifiers);
    void AutoReplace();
    void Templates();

    CompiledScheme& m_target;
    SyntaxScheme& m_scheme;
    SchemeSettings& m_settings;
    IncludeResolver m_resolver;
    std::unique_ptr<ScriptLexer> m_lexer;
    StateSet m_contextGiven;
    int32_t m_stringLine = 1;    // where the last string read began
    int32_t m_stringColumn = 1;  // token values named by contextstates so far
    int32_t m_lastLine = 1;
    int32_t m_lastColumn = 1;
};

}  // namespace quinkle
