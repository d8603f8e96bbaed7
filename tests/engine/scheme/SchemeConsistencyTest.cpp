// Every reference case scans alike: line by line as the tool dumps it, through the editor's
// lazy highlighter, with CR LF line ends and with word-wrapped rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/Highlighter.h"
#include "engine/scheme/SchemeCompiler.h"
#include "engine/scheme/SchemeDump.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Token values per character of each line, taken from a token dump (inner tokens of a
// container override their container unless they are 0).
std::vector<std::vector<int>> ValuesFromDump(const std::string& dump,
                                             const std::vector<std::string>& lines) {
    std::vector<std::vector<int>> values;
    for (const std::string& line : lines) values.emplace_back(line.size(), 0);
    std::istringstream in(dump);
    std::string entry;
    while (std::getline(in, entry)) {
        bool inner = entry.rfind("> ", 0) == 0;
        if (inner) entry.erase(0, 2);
        size_t line = 0, column = 0;
        int length = 0, value = 0;
        if (std::sscanf(entry.c_str(), "%zu:%zu %d %d", &line, &column, &length, &value) != 4)
            continue;
        if (inner && value == 0) continue;
        for (int i = 0; i < length; ++i) {
            size_t at = column - 1 + static_cast<size_t>(i);
            if (line - 1 < values.size() && at < values[line - 1].size())
                values[line - 1][at] = value;
        }
    }
    return values;
}

// Token values per character of each logical line, from the editor's style bytes.
std::vector<std::vector<int>> ValuesFromEditor(SourceEditor& editor, SyntaxScheme& scheme) {
    Highlighter highlighter(editor.Store(), &scheme);
    highlighter.HighlightAll();
    std::vector<std::vector<int>> values(1);
    const TextStore& store = editor.Store();
    for (int32_t row = 0; row < store.RowCount(); ++row) {
        const TextRow* text = store.Row(row);
        for (int32_t i = 0; i < text->TextLength(); ++i)
            values.back().push_back(text->Styles ? text->Styles[i] : -1);
        if (text->EndsWithCR()) values.emplace_back();
    }
    if (values.back().empty()) values.pop_back();
    return values;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') continue;
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TEST(SchemeConsistency, ReferenceCasesScanAlikeEveryWay) {
    fs::path folder = fs::path(QUINKLE_TEST_DATA_DIR) / "schemes";
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".txt") continue;
        fs::path script = entry.path();
        script.replace_extension(".sch");
        if (!fs::exists(script)) continue;  // not a case's text (CMakeLists.txt)
        SCOPED_TRACE(script.filename().string());
        CompiledScheme compiled;
        SchemeCompiler compiler(compiled);
        compiler.CompileFile(script.string());
        std::string text = NormaliseLineEnds(ReadFile(entry.path()));
        std::vector<std::string> lines = SplitLines(text);
        auto expected = ValuesFromDump(
            DumpTokens(compiled.Scheme, compiled.Settings.Editor.Styles, text), lines);

        SourceEditor plain;
        plain.SetText(text.c_str());
        EXPECT_EQ(ValuesFromEditor(plain, compiled.Scheme), expected) << "line by line";

        std::string crlf;
        for (char c : text) crlf += c == '\r' ? std::string("\r\n") : std::string(1, c);
        SourceEditor windows;
        windows.SetText(crlf.c_str());
        EXPECT_EQ(ValuesFromEditor(windows, compiled.Scheme), expected) << "CR LF";

        SourceEditor wrapped;
        wrapped.Settings().WrapAtColumn = 20;
        wrapped.SetOptions(wrapped.Options() | smoWordWrap);
        wrapped.SetText(text.c_str());
        EXPECT_EQ(ValuesFromEditor(wrapped, compiled.Scheme), expected) << "word-wrapped rows";
        ++cases;
    }
    EXPECT_GE(cases, 3);
}

}  // namespace
}  // namespace quinkle
