// The scheme script lexer and preprocessor: comments, directives, macros, tokens, positions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quinkle {

/// Kinds of script tokens. Everything from tkEquals on is a keyword of the script language.
enum ScriptToken : int32_t {
    tkEnd,
    tkNumber,
    tkString,
    // punctuation
    tkEquals,
    tkOpen,
    tkClose,
    tkComma,
    tkSetOpen,
    tkSetClose,
    tkStar,
    tkPlus,
    tkMinus,
    tkBar,
    // operators and entry words
    tkOr,
    tkMatch,
    tkInState,
    tkPush,
    tkPop,
    tkForState,
    tkEndsWith,
    tkIs,
    tkShift,
    tkCtrl,
    tkAlt,
    tkActionKeys,
    tkHotKey,
    // sections
    tkLanguage,
    tkWords,
    tkHandlers,
    tkTokens,
    tkMap,
    tkEffects,
    tkStates,
    tkContainers,
    tkKeys,
    tkAutoReplace,
    tkTemplates,
    tkKwTables,
    // keys of the language section
    tkName,
    tkCase,
    tkOptions,
    tkExampleText,
    tkEditableStyles,
    tkWordWrapColumn,
    tkGutter,
    tkAnchor,
    tkIndentStep,
    tkWrapOverride,
    tkStartState,
    tkSelTextColor,
    tkSelTextBack,
    tkGutterColor,
    tkMarginColor,
    tkMarginWidth,
    tkRightMargin,
    tkFontName,
    tkFontSize,
    tkFontCharset,
    tkTabColumns,
    tkTabDefault,
    tkContextStates,
    tkBoundStates,
    tkGutterFontName,
    tkGutterFontSize,
    tkGutterFontColor,
    tkGutterFontStyle,
};

/// Reads an included file: fills `text` and returns true, or returns false when it cannot.
using IncludeResolver = std::function<bool(const std::string& path, std::string& text)>;

/// A resolver over the file system.
bool ReadIncludeFile(const std::string& path, std::string& text);

/// Splits a script into tokens, running the preprocessor on the way. Line ends (CR LF, LF or
/// CR) count alike. Positions run through macro expansions and included files as if their
/// text stood in the main script. Every fault throws ESchemeCompileError at its position.
///
/// Every loop consumes input or ends, and expansion is bounded (recursion, include depth and
/// total expanded bytes), so the lexer ends on any input.
class ScriptLexer {
public:
    static constexpr int32_t kMaxIncludeDepth = 16;
    static constexpr size_t kMaxExpandedBytes = 1u << 20;

    /// `folder` is where the main script lives; relative include names are taken from the
    /// folder of the file that includes them. A null resolver refuses every include.
    ScriptLexer(std::string_view text, std::string folder, IncludeResolver resolver);

    /// Reads the next token; the first call reads the first one.
    void Next();

    ScriptToken Kind() const { return m_kind; }
    /// The value of a number (32-bit, wrapping).
    uint32_t Number() const { return m_number; }
    /// A string's text as written between the quotes (escapes kept, joined lines joined).
    const std::string& Raw() const { return m_raw; }
    /// Where the current token starts, 1-based.
    int32_t TokenLine() const { return m_tokenLine + 1; }
    int32_t TokenColumn() const { return m_tokenColumn + 1; }
    /// How far the lexer has read, 1-based.
    int32_t Line() const { return m_line + 1; }
    int32_t Column() const { return m_column + 1; }

    /// The section being read, carried by errors.
    void SetContext(std::string context) { m_context = std::move(context); }
    const std::string& Context() const { return m_context; }

    /// Throws ESchemeCompileError with `message` at the current token's start.
    [[noreturn]] void Fail(const std::string& message, bool prefixed = true) const;

    /// True when `name` is a macro (case-insensitive).
    bool Defined(std::string_view name) const;
    /// The text of a macro, or null.
    const std::string* Macro(std::string_view name) const;

private:
    struct Source {
        std::string Name;  // lower-cased macro name, or "-file-: " and the path
        std::string Text;
        size_t Pos = 0;
        std::string Folder;  // of an included file; empty for macro text
    };

    uint8_t Peek(size_t ahead = 0) const;
    void Advance();
    bool PopFinished();
    [[noreturn]] void FailHere(const std::string& message) const;
    void SkipBlanksInLine();
    std::string ReadIdentifier();
    void SkipToToken();
    bool Directive();
    void Define();
    void Conditional(bool ifdef);
    void Include();
    void Push(std::string name, std::string text, std::string folder);
    bool Expand();
    bool Keyword();
    void ReadString();

    std::vector<Source> m_sources;
    IncludeResolver m_resolver;
    std::unordered_map<std::string, std::string> m_macros;
    std::vector<bool> m_conditions;  // the skip flag saved by each open #ifdef / #ifndef
    bool m_skipping = false;
    int32_t m_includes = 0;
    size_t m_expanded = 0;
    int32_t m_line = 0;
    int32_t m_column = 0;
    int32_t m_tokenLine = 0;
    int32_t m_tokenColumn = 0;
    ScriptToken m_kind = tkEnd;
    uint32_t m_number = 0;
    std::string m_raw;
    std::string m_context = "Header";
};

/// The macros every script starts with: names as written and their replacement texts.
const std::vector<std::pair<std::string, std::string>>& PredefinedMacros();

/// Line ends made CR only: CR LF and lone LF become CR.
std::string NormalizeLineEnds(std::string_view text);

/// True for letters, digits and '_'.
inline bool IsIdentChar(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
inline bool IsIdentStart(uint8_t c) { return IsIdentChar(c) && !(c >= '0' && c <= '9'); }

}  // namespace quinkle
