// A whole text scanned at once gives the editor's values, whatever its line ends.
#include "engine/scheme/TextScan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SchemeTestKit.h"
#include "engine/scheme/Highlighter.h"
#include "engine/scheme/SchemeCompiler.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;
using namespace testkit;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The values the highlighter gives a store holding `text` (CR line ends), per character.
std::vector<uint8_t> EditorValues(SyntaxScheme& scheme, const std::string& text) {
    TextStore store;
    store.Insert(0, text);
    Highlighter highlighter(store, &scheme);
    highlighter.HighlightAll();
    std::vector<uint8_t> values;
    for (int32_t row = 0; row < store.RowCount(); ++row) {
        const TextRow* line = store.Row(row);
        values.insert(values.end(), line->Styles, line->Styles + line->Len);
    }
    return values;
}

std::vector<uint8_t> WholeValues(SyntaxScheme& scheme, std::string_view text,
                                 TextScanTotals* totals = nullptr) {
    std::vector<uint8_t> values(text.size(), 0xEE);
    TextScanTotals got = ScanTextValues(scheme, text, values.data());
    if (totals) *totals = got;
    return values;
}

// `text` with its CRs turned into the `ends` given in turn.
std::string WithLineEnds(const std::string& text, std::vector<std::string_view> ends) {
    std::string out;
    size_t next = 0;
    for (char c : text) c == '\r' ? out.append(ends[next++ % ends.size()]) : out.append(1, c);
    return out;
}

// Drops the LF of each CR LF pair from `values`, checking it took the value of its CR.
std::vector<uint8_t> WithoutLFs(const std::string& crlf, const std::vector<uint8_t>& values) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\n' && i > 0 && crlf[i - 1] == '\r') {
            EXPECT_EQ(values[i], values[i - 1]) << "LF at " << i;
            continue;
        }
        out.push_back(values[i]);
    }
    return out;
}

TEST(TextScan, EveryReferenceCaseGivesTheEditorsValuesWithAnyLineEnds) {
    fs::path folder = fs::path(QUINKLE_TEST_DATA_DIR) / "schemes";
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        fs::path script = entry.path();
        script.replace_extension(".sch");
        if (entry.path().extension() != ".txt" || !fs::exists(script)) continue;
        SCOPED_TRACE(script.filename().string());
        CompiledScheme compiled;
        SchemeCompiler compiler(compiled);
        compiler.CompileFile(script.string());
        SyntaxScheme& scheme = compiled.Scheme;
        const std::string text = NormaliseLineEnds(ReadFile(entry.path()));
        const std::vector<uint8_t> expected = EditorValues(scheme, text);

        TextScanTotals totals;
        EXPECT_EQ(WholeValues(scheme, text, &totals), expected) << "CR";
        EXPECT_EQ(totals.Lines, std::count(text.begin(), text.end(), '\r') +
                                    (text.empty() || text.back() == '\r' ? 0 : 1));
        EXPECT_EQ(WholeValues(scheme, WithLineEnds(text, {"\n"})), expected) << "LF";
        const std::string crlf = WithLineEnds(text, {"\r\n"});
        EXPECT_EQ(WithoutLFs(crlf, WholeValues(scheme, crlf)), expected) << "CR LF";
        const std::string mixed = WithLineEnds(text, {"\r\n", "\n", "\r"});
        EXPECT_EQ(WithoutLFs(mixed, WholeValues(scheme, mixed)), expected) << "mixed";
        ++cases;
    }
    EXPECT_GE(cases, 5);
}

TEST(TextScan, LinesCarryTheirEndValueOnWithoutAFinalLineEnd) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    const std::string text = "a /*\n\r\nb */ 1";
    TextScanTotals totals;
    const std::vector<uint8_t> values = WholeValues(scheme, text, &totals);
    EXPECT_EQ(values, (std::vector<uint8_t>{mvIdent, mvBlank, mvOpen, mvOpen, mvComment, mvComment,
                                            mvComment, mvComment, mvComment, mvClose, mvClose,
                                            mvBlank, mvNumber}));
    EXPECT_EQ(totals.Lines, 3);
    EXPECT_EQ(totals.Errors, 0);
    EXPECT_EQ(scheme.ActiveStates(), StateSet{0}) << "left at the start of a text";
}

TEST(TextScan, PiecesCutAfterLineEndsScanAsTheWholeText) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    std::array<uint8_t, 256> effects{};
    for (int v = 0; v < 256; ++v) effects[v] = static_cast<uint8_t>(v ^ 0x5A);
    const std::string text = "a /* b\r\nc\nd */ e\rf /*\r\n\r\ng";
    std::vector<uint8_t> whole(text.size());
    ScanTextEffects(scheme, effects, text, whole.data());
    for (size_t cut = 1; cut < text.size(); ++cut) {
        const char before = text[cut - 1];
        if ((before != '\r' && before != '\n') || (before == '\r' && text[cut] == '\n')) continue;
        SCOPED_TRACE(cut);
        std::vector<uint8_t> pieces(text.size());
        uint8_t incoming = 0;
        ScanTextEffects(scheme, effects, std::string_view(text).substr(0, cut), pieces.data(),
                        incoming);
        ScanTextEffects(scheme, effects, std::string_view(text).substr(cut), pieces.data() + cut,
                        incoming);
        EXPECT_EQ(pieces, whole);
    }
}

TEST(TextScan, SchemeErrorEndsOnlyItsOwnLine) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    TokenStateInfo pop;
    pop.Stack = saPopBefore;
    scheme.SetTokenStateInfo(mvKeyword, pop);
    TextScanTotals totals;
    EXPECT_EQ(WholeValues(scheme, "a end b\nc", &totals),
              (std::vector<uint8_t>{mvIdent, mvBlank, 0, 0, 0, 0, 0, 0, mvIdent}));
    EXPECT_EQ(totals.Errors, 1);
    EXPECT_EQ(WholeValues(scheme, ""), std::vector<uint8_t>{});
}

}  // namespace
}  // namespace quinkle
