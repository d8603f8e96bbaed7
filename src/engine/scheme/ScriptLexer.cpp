// The scheme script lexer and preprocessor.
#include "engine/scheme/ScriptLexer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/scheme/CompileError.h"
#include "engine/text/AsciiText.h"

namespace quinkle {

namespace {

constexpr uint8_t kCR = 13;
constexpr uint8_t kNbsp = 0xA0;

struct KeywordTable {
    std::unordered_map<std::string, ScriptToken> Words;
    size_t Longest = 0;
};

const KeywordTable& Keywords() {
    static const KeywordTable table = [] {
        KeywordTable t;
        const std::pair<const char*, ScriptToken> words[] = {
            {"=", tkEquals},
            {"(", tkOpen},
            {")", tkClose},
            {",", tkComma},
            {"[", tkSetOpen},
            {"]", tkSetClose},
            {"*", tkStar},
            {"+", tkPlus},
            {"-", tkMinus},
            {"|", tkBar},
            {"or", tkOr},
            {"match", tkMatch},
            {"instate", tkInState},
            {"push", tkPush},
            {"pop", tkPop},
            {"forstate", tkForState},
            {"endswith", tkEndsWith},
            {"is", tkIs},
            {"shift", tkShift},
            {"ctrl", tkCtrl},
            {"alt", tkAlt},
            {"actionkeys", tkActionKeys},
            {"hotkey", tkHotKey},
            {"%%language", tkLanguage},
            {"%%words", tkWords},
            {"%%handlers", tkHandlers},
            {"%%handler", tkHandlers},
            {"%%tokens", tkTokens},
            {"%%map", tkMap},
            {"%%effects", tkEffects},
            {"%%states", tkStates},
            {"%%containers", tkContainers},
            {"%%keys", tkKeys},
            {"%%autoreplace", tkAutoReplace},
            {"%%templates", tkTemplates},
            {"%%kwtables", tkKwTables},
            {"name", tkName},
            {"case", tkCase},
            {"options", tkOptions},
            {"exampletext", tkExampleText},
            {"editablestyles", tkEditableStyles},
            {"wordwrapcolumn", tkWordWrapColumn},
            {"gutter", tkGutter},
            {"anchor", tkAnchor},
            {"indentstep", tkIndentStep},
            {"wrapoverride", tkWrapOverride},
            {"startstate", tkStartState},
            {"seltextcolor", tkSelTextColor},
            {"seltextback", tkSelTextBack},
            {"guttercolor", tkGutterColor},
            {"margincolor", tkMarginColor},
            {"marginwidth", tkMarginWidth},
            {"rightmargin", tkRightMargin},
            {"fontname", tkFontName},
            {"fontsize", tkFontSize},
            {"fontcharset", tkFontCharset},
            {"tabcolumns", tkTabColumns},
            {"tabdefault", tkTabDefault},
            {"contextstates", tkContextStates},
            {"boundstates", tkBoundStates},
            {"gutterfontname", tkGutterFontName},
            {"gutterfontsize", tkGutterFontSize},
            {"gutterfontcolor", tkGutterFontColor},
            {"gutterfontstyle", tkGutterFontStyle},
        };
        for (const auto& [word, kind] : words) {
            t.Words.emplace(word, kind);
            t.Longest = std::max(t.Longest, std::string_view(word).size());
        }
        return t;
    }();
    return table;
}

std::string Lower(std::string_view text) { return LowerAsciiText(text); }

bool IsBlank(uint8_t c) { return c == ' ' || c == '\t' || c == kNbsp; }

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool ReadIncludeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return false;
    text = content.str();
    return true;
}

std::string NormalizeLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += c == '\n' ? '\r' : c;
    }
    return out;
}

ScriptLexer::ScriptLexer(std::string_view text, std::string folder, IncludeResolver resolver)
    : m_resolver(std::move(resolver)) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    for (const auto& [name, value] : PredefinedMacros()) m_macros[Lower(name)] = value;
    m_sources.push_back({"", NormalizeLineEnds(text), 0, std::move(folder)});
}

bool ScriptLexer::Defined(std::string_view name) const { return m_macros.count(Lower(name)) != 0; }

const std::string* ScriptLexer::Macro(std::string_view name) const {
    auto found = m_macros.find(Lower(name));
    return found == m_macros.end() ? nullptr : &found->second;
}

void ScriptLexer::Fail(const std::string& message, bool prefixed) const {
    throw ESchemeCompileError(message, m_tokenLine + 1, m_tokenColumn + 1, prefixed, m_context);
}

void ScriptLexer::FailHere(const std::string& message) const {
    throw ESchemeCompileError(message, m_line + 1, m_column + 1, true, m_context);
}

// The character `ahead` places on in the current source; 0 at its end. A NUL byte ends a
// source as the end of its text does.
uint8_t ScriptLexer::Peek(size_t ahead) const {
    const Source& source = m_sources.back();
    for (size_t i = 0; i <= ahead; ++i)
        if (source.Pos + i >= source.Text.size() || source.Text[source.Pos + i] == 0) return 0;
    return static_cast<uint8_t>(source.Text[source.Pos + ahead]);
}

void ScriptLexer::Advance() {
    Source& source = m_sources.back();
    if (source.Pos >= source.Text.size()) return;
    if (static_cast<uint8_t>(source.Text[source.Pos++]) == kCR) {
        ++m_line;
        m_column = 0;
    } else {
        ++m_column;
    }
}

// Leaves a finished macro text or included file; false at the end of the main script.
bool ScriptLexer::PopFinished() {
    if (Peek() != 0 || m_sources.size() <= 1) return false;
    if (m_sources.back().Name.rfind("-file-: ", 0) == 0) --m_includes;
    m_sources.pop_back();
    return true;
}

void ScriptLexer::SkipBlanksInLine() {
    while (IsBlank(Peek())) Advance();
}

std::string ScriptLexer::ReadIdentifier() {
    std::string name;
    while (IsIdentChar(Peek())) {
        name += static_cast<char>(Peek());
        Advance();
    }
    return name;
}

void ScriptLexer::Push(std::string name, std::string text, std::string folder) {
    for (const Source& source : m_sources)
        if (source.Name == name) Fail("Recursive expansion of macro '" + name + "'");
    m_expanded += text.size() + 1;
    // Macros that expand into several copies of others grow without end in a few lines.
    if (m_expanded > kMaxExpandedBytes) Fail("Recursive expansion of macro '" + name + "'");
    m_sources.push_back({std::move(name), std::move(text), 0, std::move(folder)});
}

// Whitespace, comments and directives before a token; while skipping, every other
// character too. Leaves the lexer at a token's first character or at the end.
void ScriptLexer::SkipToToken() {
    for (;;) {
        uint8_t c = Peek();
        if (c == 0) {
            if (PopFinished()) continue;
            return;
        }
        if (IsBlank(c) || c == kCR || c == '\n') {
            Advance();
        } else if (c == '/' && Peek(1) == '*') {
            Advance();
            Advance();
            while (Peek() != 0 && !(Peek() == '*' && Peek(1) == '/')) Advance();
            Advance();
            Advance();
        } else if (c == '/' && Peek(1) == '/') {
            while (Peek() != 0 && Peek() != kCR) Advance();
        } else if (c == '#' && Directive()) {
            continue;
        } else if (m_skipping) {
            Advance();
        } else {
            return;
        }
    }
}

// At a '#': runs the directive named by the letters after it. False (nothing consumed) when
// the letters name none, so the '#' is an ordinary character.
bool ScriptLexer::Directive() {
    std::string word;
    for (size_t i = 1; (Peek(i) >= 'a' && Peek(i) <= 'z') || (Peek(i) >= 'A' && Peek(i) <= 'Z');
         ++i)
        word += static_cast<char>(Peek(i));
    static const char* const kDirectives[] = {"define", "ifdef", "ifndef",
                                              "else",   "endif", "include"};
    if (std::find_if(std::begin(kDirectives), std::end(kDirectives),
                     [&](const char* d) { return word == d; }) == std::end(kDirectives))
        return false;
    m_tokenLine = m_line;
    m_tokenColumn = m_column;
    for (size_t i = 0; i <= word.size(); ++i) Advance();
    if (word == "define") {
        if (!m_skipping) Define();
    } else if (word == "ifdef" || word == "ifndef") {
        Conditional(word == "ifdef");
    } else if (word == "else") {
        if (m_conditions.empty()) Fail("Script syntax error");
        if (!m_conditions.back()) m_skipping = !m_skipping;
    } else if (word == "endif") {
        if (m_conditions.empty()) Fail("Script syntax error");
        m_skipping = m_conditions.back();
        m_conditions.pop_back();
    } else if (!m_skipping) {
        Include();
    }
    return true;
}

void ScriptLexer::Define() {
    SkipBlanksInLine();
    if (!IsIdentStart(Peek())) FailHere("Macro name expected");
    std::string name = ReadIdentifier();
    SkipBlanksInLine();
    std::string value;
    while (Peek() != 0 && Peek() != kCR) {
        value += static_cast<char>(Peek());
        Advance();
    }
    while (!value.empty() && IsBlank(static_cast<uint8_t>(value.back()))) value.pop_back();
    if (Lower(name) != Lower(value)) m_macros[Lower(name)] = value;
}

void ScriptLexer::Conditional(bool ifdef) {
    m_conditions.push_back(m_skipping);
    if (m_skipping) return;
    SkipBlanksInLine();
    if (!IsIdentStart(Peek())) FailHere("Macro name expected after #ifdef");
    bool defined = Defined(ReadIdentifier());
    m_skipping = ifdef ? !defined : defined;
}

void ScriptLexer::Include() {
    SkipBlanksInLine();
    const uint8_t open = Peek();
    if (open != '"' && open != '<') FailHere("#include filename not enclosed in \"...\" or <...>");
    const char close = open == '"' ? '"' : '>';
    Advance();
    std::string name;
    while (Peek() != close) {
        if (Peek() == 0 || Peek() == kCR)
            FailHere(std::string("#include filename missing terminating ") + close);
        name += static_cast<char>(Peek());
        Advance();
    }
    Advance();
    std::string folder;
    for (auto it = m_sources.rbegin(); it != m_sources.rend(); ++it)
        if (it->Name.empty() || it->Name.rfind("-file-: ", 0) == 0) {
            folder = it->Folder;
            break;
        }
    std::string path = !name.empty() && name[0] == '/' ? name : folder + name;
    std::string text;
    if (!m_resolver || !m_resolver(path, text))
        Fail(std::string("Unable to open #include file ") + static_cast<char>(open) + name + close);
    if (m_includes >= kMaxIncludeDepth) Fail("Recursive expansion of macro '-file-: " + path + "'");
    Push("-file-: " + path, NormalizeLineEnds(text), FolderOf(path));
    ++m_includes;
}

// At an identifier: replaces it with its macro text. False (nothing consumed) for a name that
// is no macro.
bool ScriptLexer::Expand() {
    size_t length = 0;
    while (IsIdentChar(Peek(length))) ++length;
    const Source& source = m_sources.back();
    std::string name = Lower(std::string_view(source.Text).substr(source.Pos, length));
    auto found = m_macros.find(name);
    if (found == m_macros.end()) return false;
    m_tokenLine = m_line;
    m_tokenColumn = m_column;
    for (size_t i = 0; i < length; ++i) Advance();
    Push(name, found->second, "");
    return true;
}

// The longest keyword at the position; refused when it would end inside a word.
bool ScriptLexer::Keyword() {
    const KeywordTable& table = Keywords();
    std::string text;
    for (size_t i = 0; i < table.Longest && Peek(i) != 0; ++i) text += static_cast<char>(Peek(i));
    text = Lower(text);
    for (size_t length = text.size(); length > 0; --length) {
        auto found = table.Words.find(text.substr(0, length));
        if (found == table.Words.end()) continue;
        if (IsIdentChar(Peek(length - 1)) && IsIdentChar(Peek(length))) return false;
        for (size_t i = 0; i < length; ++i) Advance();
        m_kind = found->second;
        return true;
    }
    return false;
}

// A quoted string, kept raw. A backslash before the line end joins the next line without its
// leading blanks and one leading backslash.
void ScriptLexer::ReadString() {
    Advance();
    m_raw.clear();
    for (;;) {
        uint8_t c = Peek();
        if (c == 0) {
            if (PopFinished()) continue;
            break;
        }
        if (c == '\'') {
            Advance();
            break;
        }
        if (c == '\\' && Peek(1) == kCR) {
            Advance();
            Advance();
            SkipBlanksInLine();
            if (Peek() == '\\') Advance();
            continue;
        }
        m_raw += static_cast<char>(c);
        Advance();
        if (c == '\\' && Peek() != 0 && Peek() != kCR) {
            m_raw += static_cast<char>(Peek());
            Advance();
        }
    }
}

void ScriptLexer::Next() {
    for (;;) {
        SkipToToken();
        m_tokenLine = m_line;
        m_tokenColumn = m_column;
        const uint8_t c = Peek();
        if (c == 0) {
            m_kind = tkEnd;
            return;
        }
        if (IsIdentStart(c) && Expand()) continue;
        if (Keyword()) return;
        if (c == '\'') {
            m_kind = tkString;
            ReadString();
            return;
        }
        if (c >= '0' && c <= '9') {
            m_kind = tkNumber;
            m_number = 0;
            while (Peek() >= '0' && Peek() <= '9') {
                m_number = m_number * 10u + static_cast<uint32_t>(Peek() - '0');
                Advance();
            }
            return;
        }
        if (IsIdentStart(c)) {
            std::string name = ReadIdentifier();
            Fail("Identifier \"" + name + "\" Unknown");
        }
        char message[64];
        std::snprintf(message, sizeof message, "Unknown character in input stream: #$%.2x", c);
        Fail(message);
    }
}

}  // namespace quinkle
