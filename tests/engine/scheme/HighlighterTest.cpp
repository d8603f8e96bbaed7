// The highlighter over a text store: lazy rescans, multi-line comments, containers, wrapping.
#include "engine/scheme/Highlighter.h"

#include <gtest/gtest.h>

#include <random>

#include "SchemeTestKit.h"
#include "engine/scheme/SchemeCompiler.h"

namespace quinkle {
namespace {

using namespace testkit;

std::vector<uint8_t> RowStyles(const TextStore& store, int32_t row) {
    const TextRow* text = store.Row(row);
    if (!text->Styles) return {};
    return std::vector<uint8_t>(text->Styles, text->Styles + text->Len);
}

std::string Repeat(std::string_view line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

class HighlighterTest : public ::testing::Test {
protected:
    void SetUp() override { BuildMiniScheme(m_scheme); }
    void Load(std::string_view text) { m_store.Insert(0, text); }
    /// The values of the whole text after a fresh full scan of it. Row cuts may differ from
    /// the edited store's, so values are compared by character offset.
    std::vector<uint8_t> FreshScan() { return FreshScan(m_scheme); }
    std::vector<uint8_t> FreshScan(SyntaxScheme& scheme) {
        TextStore fresh;
        fresh.Insert(0, m_store.GetText(0, m_store.CharCount()));
        Highlighter highlighter(fresh, &scheme);
        highlighter.HighlightAll();
        std::vector<uint8_t> values;
        for (int32_t row = 0; row < fresh.RowCount(); ++row) {
            std::vector<uint8_t> styles = RowStyles(fresh, row);
            values.insert(values.end(), styles.begin(), styles.end());
        }
        return values;
    }
    /// The part of a fresh scan that falls on one of the store's rows.
    std::vector<uint8_t> Expected(const std::vector<uint8_t>& fresh, int32_t row) {
        auto begin = fresh.begin() + m_store.RowStart(row);
        return std::vector<uint8_t>(begin, begin + m_store.Row(row)->Len);
    }
    /// Makes `scheme` the shipped HTML scheme.
    static void LoadHtmlScheme(CompiledScheme& scheme) {
        SchemeCompiler compiler(scheme);
        compiler.CompileFile(std::string(QUINKLE_TEST_DATA_DIR) + "/../../schemes/html.sch");
    }
    /// Rounds of texts made of `pieces`, each edited at random by inserting pieces and
    /// deleting a few characters, highlighted a few rows at a time: the rows up to date and
    /// the rows asked for must always hold what a fresh scan of the text gives.
    /// With `nearRows` of 0 or more, rows are asked for as for showing them (HighlightNear,
    /// guessing past that reach) and the real scan catches up a little now and then: the rows
    /// it has reached must hold what a fresh scan gives, and no guess may outlive it.
    /// With `switching`, the scheme is now and then set again (every row's style bytes
    /// dropped, as when the user picks a scheme) between the edits.
    void RandomEdits(SyntaxScheme& scheme, const std::vector<std::string>& pieces, uint32_t seed,
                     int rounds, int32_t nearRows = -1, bool switching = false);

    SyntaxScheme m_scheme;
    TextStore m_store;
};

TEST_F(HighlighterTest, CommentRunsAcrossLines) {
    Load("a /* b\rc d\re */ f\rg\r");
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(RowStyles(m_store, 0), (std::vector<uint8_t>{mvIdent, mvBlank, mvOpen, mvOpen,
                                                           mvComment, mvComment, mvComment}));
    EXPECT_EQ(RowStyles(m_store, 1), std::vector<uint8_t>(4, mvComment));
    EXPECT_EQ(RowStyles(m_store, 2), (std::vector<uint8_t>{mvComment, mvComment, mvClose, mvClose,
                                                           mvBlank, mvIdent, mvBlank}));
    EXPECT_EQ(RowStyles(m_store, 3), (std::vector<uint8_t>{mvIdent, mvBlank}));
    EXPECT_EQ(m_store.FirstRescanRow(), 4);
    EXPECT_EQ((m_store.Row(1)->Flags & rfRescan), 0u);
}

TEST_F(HighlighterTest, FreshTextIsScannedOnlyAsFarAsAsked) {
    Load(Repeat("word 12\r", 5000));
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.Highlight(0, 49);
    EXPECT_EQ(highlighter.RowsScanned(), 50);
    EXPECT_EQ(m_store.FirstRescanRow(), 50);
    EXPECT_EQ(m_store.Row(50)->Styles, nullptr);
    highlighter.Highlight(10, 20);
    EXPECT_EQ(highlighter.RowsScanned(), 50);
    // Jumping ahead scans everything before the rows asked for, once.
    highlighter.Highlight(4990, 4999);
    EXPECT_EQ(highlighter.RowsScanned(), 5000);
}

TEST_F(HighlighterTest, TypingInsideALineRescansThatLineOnly) {
    Load(Repeat("word 12\r", 100));
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(50) + 2, "x");
    m_store.Delete(m_store.RowStart(60) + 1, m_store.RowStart(60) + 3);
    highlighter.Highlight(0, 99);
    EXPECT_EQ(highlighter.RowsScanned(), 2);
    EXPECT_EQ(RowStyles(m_store, 50),
              (std::vector<uint8_t>{mvIdent, mvIdent, mvIdent, mvIdent, mvIdent, mvBlank, mvNumber,
                                    mvNumber, mvBlank}));
    EXPECT_EQ(m_store.FirstRescanRow(), 100);
}

TEST_F(HighlighterTest, OpeningACommentRecoloursUntilTheEndValueSettles) {
    Load(Repeat("a b\r", 10) + "x */ y\r" + Repeat("c d\r", 10));
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(2), "/*");
    highlighter.Highlight(0, 2);
    EXPECT_EQ(highlighter.RowsScanned(), 9);  // rows 2-10; row 11 starts as before
    EXPECT_EQ(RowStyles(m_store, 5)[0], mvComment);
    EXPECT_EQ(RowStyles(m_store, 10)[2], mvClose);
    EXPECT_EQ(RowStyles(m_store, 11)[0], mvIdent);
    EXPECT_EQ(m_store.FirstRescanRow(), 11);
    highlighter.Highlight(0, 20);
    EXPECT_EQ(highlighter.RowsScanned(), 9);

    // Closing it again recolours the same rows back.
    m_store.Delete(m_store.RowStart(2), m_store.RowStart(2) + 2);
    highlighter.Highlight(0, 2);
    EXPECT_EQ(highlighter.RowsScanned(), 18);
    EXPECT_EQ(RowStyles(m_store, 5)[0], mvIdent);
}

TEST_F(HighlighterTest, CommentOpenedEarlyInALongDocument) {
    Load(Repeat("line of text 12\r", 5000));
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(highlighter.RowsScanned(), 5000);
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(10), "/*");
    highlighter.Highlight(0, 40);
    EXPECT_EQ(highlighter.RowsScanned(), 4990);
    EXPECT_EQ(RowStyles(m_store, 4999)[0], mvComment);
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(10) + 4, "*/");
    highlighter.Highlight(0, 40);
    EXPECT_EQ(highlighter.RowsScanned(), 4990);
    EXPECT_EQ(RowStyles(m_store, 4999)[0], mvIdent);
}

TEST_F(HighlighterTest, DeletingWholeRowsRescansTheRowAfterThem) {
    Load("a\rx\r/*\r\rb\r");
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(RowStyles(m_store, 3)[0], mvComment);
    m_store.Delete(m_store.RowStart(1), m_store.RowStart(3));  // "x\r/*\r"
    highlighter.Highlight(0, 2);
    EXPECT_EQ(RowStyles(m_store, 1), std::vector<uint8_t>{mvBlank});
    EXPECT_EQ(RowStyles(m_store, 2), (std::vector<uint8_t>{mvIdent, mvBlank}));
}

TEST_F(HighlighterTest, BoundStateKeepsTheScanGoing) {
    Load(Repeat("a b\r", 20));
    m_scheme.SetBoundStates(StateSet{0});
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(5) + 1, "x");
    highlighter.Highlight(0, 5);
    EXPECT_EQ(highlighter.RowsScanned(), 15);
}

TEST_F(HighlighterTest, LogicalLineCutIntoRowsScansAsOne) {
    std::string line = std::string(2040, 'a') + " /* " + std::string(10, 'b') + " */ " +
                       std::string(100, 'c') + "\r";
    Load(line + "d\r");
    ASSERT_EQ(m_store.RowCount(), 3);
    ASSERT_TRUE(m_store.Row(1)->IsContinuation());
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.Highlight(1, 1);
    std::vector<uint8_t> joined = RowStyles(m_store, 0);
    std::vector<uint8_t> second = RowStyles(m_store, 1);
    joined.insert(joined.end(), second.begin(), second.end());

    SyntaxScheme& scheme = m_scheme;
    scheme.SetLineContext(0);
    TextCursor cursor(line);
    std::vector<uint8_t> expected;
    int32_t length = 0;
    while (!cursor.AtEnd()) {
        uint8_t value = scheme.ScanToken(cursor, length);
        expected.insert(expected.end(), length, value);
    }
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(joined[2047], mvComment);
    EXPECT_EQ(m_store.Row(2)->Styles, nullptr);
}

TEST_F(HighlighterTest, ContainerTextScannedAgainWithItsStates) {
    ASSERT_TRUE(m_scheme.AddToken(RecognizerToken(m_scheme, rcHtmlString, 20)));
    m_scheme.AddKeyword("go", -1, 21, StateSet{2});
    TokenStateInfo container;
    container.Container = true;
    container.Add = StateSet{2};
    container.Remove = StateSet{0};
    m_scheme.SetTokenStateInfo(20, container);
    Load("\"go()\" go\r");
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(RowStyles(m_store, 0),
              (std::vector<uint8_t>{20, 21, 21, 20, 20, 20, mvBlank, mvIdent, mvIdent, mvBlank}));
}

TEST_F(HighlighterTest, SchemeErrorLeavesTheRestOfTheLineDefault) {
    TokenStateInfo pop;
    pop.Stack = saPopBefore;
    m_scheme.SetTokenStateInfo(mvKeyword, pop);
    Load("a end b\rc\r");
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(highlighter.LastError(), "Stack underflow");
    EXPECT_EQ(RowStyles(m_store, 0), (std::vector<uint8_t>{mvIdent, mvBlank, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(RowStyles(m_store, 1), (std::vector<uint8_t>{mvIdent, mvBlank}));
}

TEST_F(HighlighterTest, FailingTokenAfterALongerLineGetsNoLeftOverValues) {
    TokenStateInfo pop;
    pop.Stack = saPopBefore;
    m_scheme.SetTokenStateInfo(mvKeyword, pop);
    Load("abcdefghij\ra end b\r");
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.HighlightAll();
    EXPECT_EQ(RowStyles(m_store, 1), (std::vector<uint8_t>{mvIdent, mvBlank, 0, 0, 0, 0, 0, 0}));
}

TEST_F(HighlighterTest, EffectRunsFollowTheTokenMap) {
    SchemeStyles styles;
    styles.TokenEffect[mvIdent] = 3;
    styles.TokenEffect[mvNumber] = 3;
    Load("ab 12 c\r");
    Highlighter highlighter(m_store, &m_scheme);
    std::vector<EffectRun> runs;
    highlighter.EffectRuns(*m_store.Row(0), styles, runs);
    EXPECT_EQ(runs, (std::vector<EffectRun>{{0, 7, 0}}));
    highlighter.HighlightAll();
    highlighter.EffectRuns(*m_store.Row(0), styles, runs);
    EXPECT_EQ(runs,
              (std::vector<EffectRun>{{0, 2, 3}, {2, 1, 0}, {3, 2, 3}, {5, 1, 0}, {6, 1, 3}}));
}

void HighlighterTest::RandomEdits(SyntaxScheme& scheme, const std::vector<std::string>& pieces,
                                  uint32_t seed, int rounds, int32_t nearRows, bool switching) {
    std::mt19937 random(seed);
    auto piece = [&] { return pieces[random() % pieces.size()]; };
    for (int round = 0; round < rounds; ++round) {
        m_store.Delete(0, m_store.CharCount());
        std::string text;
        for (int i = 0; i < 200; ++i) text += piece();
        if (round % 4 == 0) text += std::string(2100, 'q') + "\r";
        Load(text);
        Highlighter highlighter(m_store, &scheme);
        const bool guessing = nearRows >= 0;
        if (guessing) highlighter.SetReach(nearRows, 1);
        int32_t askedEnd = 0;
        for (int step = 0; step < 60; ++step) {
            int32_t chars = m_store.CharCount();
            if (random() % 3 == 0 && chars > 0) {
                int32_t from = static_cast<int32_t>(random() % chars);
                m_store.Delete(from, std::min(chars, from + static_cast<int32_t>(random() % 6)));
            } else {
                int32_t at = chars > 0 ? static_cast<int32_t>(random() % (chars + 1)) : 0;
                m_store.Insert(at, piece());
            }
            if (switching && random() % 5 == 0) highlighter.SetScheme(&scheme);
            if (m_store.RowCount() == 0) continue;
            int32_t first = static_cast<int32_t>(random() % m_store.RowCount());
            askedEnd = std::min(first + 9, m_store.RowCount());
            if (guessing) {
                highlighter.HighlightNear(first, first + 8);
                if (random() % 4 == 0) highlighter.CatchUp(static_cast<int32_t>(random() % 20));
            } else {
                highlighter.Highlight(first, first + 8);
            }
            if (step % 10 != 9) continue;
            std::vector<uint8_t> expected = FreshScan(scheme);
            ASSERT_EQ(static_cast<int32_t>(expected.size()), m_store.CharCount());
            int32_t upTo = std::min(m_store.FirstRescanRow(), m_store.RowCount());
            for (int32_t row = 0; row < upTo; ++row)
                ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row))
                    << "round " << round << " step " << step << " row " << row;
            for (int32_t row = first; row < std::min(first + 9, m_store.RowCount()); ++row) {
                // Rows shown ahead of the real scan only need style bytes.
                if (guessing && row >= m_store.FirstRescanRow()) {
                    ASSERT_NE(m_store.Row(row)->Styles, nullptr) << "asked row " << row;
                    continue;
                }
                ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row)) << "asked row " << row;
            }
        }
        if (guessing) {
            while (highlighter.Behind()) highlighter.CatchUp(7);
            std::vector<uint8_t> expected = FreshScan(scheme);
            ASSERT_GE(m_store.FirstRescanRow(), askedEnd);
            for (int32_t row = 0; row < m_store.RowCount(); ++row) {
                ASSERT_EQ(m_store.Row(row)->Flags & rfGuessed, 0u) << "guess left at " << row;
                if (row < m_store.FirstRescanRow()) {
                    ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row)) << "row " << row;
                }
            }
        }
        highlighter.HighlightAll();
        std::vector<uint8_t> expected = FreshScan(scheme);
        for (int32_t row = 0; row < m_store.RowCount(); ++row)
            ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row)) << "round " << round;
    }
}

TEST_F(HighlighterTest, RandomEditsGiveTheSameStylesAsAFreshScan) {
    RandomEdits(m_scheme, {"/*", "*/", "ab", " ", "\r", "12", "begin", "x\r", "*", "\r\r"},
                20240611, 30);
}

const std::vector<std::string>& HtmlPieces() {
    static const std::vector<std::string> pieces = {
        "<!--", "->",  "-->", "-",   "<script>", "</script>", "<style>", "</style>",
        "/*",   "*/",  "*",   "var", " x",       "{",         "a:",      "b;",
        "}",    "<p>", "\r",  "\r",  "'s",       "&amp;"};
    return pieces;
}

// The HTML scheme's comments, script and style blocks hand their state from line to line:
// opening or closing one anywhere recolours the lines after it as a fresh scan does.
TEST_F(HighlighterTest, RandomEditsOfHtmlBlocksGiveTheSameStylesAsAFreshScan) {
    CompiledScheme html;
    LoadHtmlScheme(html);
    RandomEdits(html.Scheme, HtmlPieces(), 20261210, 20);
}

// Setting the scheme again keeps the rows' style bytes aside to paint into; edits before the
// rows are painted again move, drop and resize them, and the styles still follow a fresh scan.
TEST_F(HighlighterTest, SchemeSetAgainBetweenEditsGivesTheSameStylesAsAFreshScan) {
    CompiledScheme html;
    LoadHtmlScheme(html);
    RandomEdits(html.Scheme, HtmlPieces(), 20261212, 20, -1, true);
    RandomEdits(html.Scheme, HtmlPieces(), 20261213, 12, 2, true);
}

// Far jumps show guessed rows at once; the real scan replaces every guess when it gets there.
TEST_F(HighlighterTest, GuessedRowsGiveWayToTheRealScan) {
    Load(Repeat("a /* b\rc */ d\r", 2500));
    Highlighter highlighter(m_store, &m_scheme);
    highlighter.SetReach(100, Highlighter::kLongLineRows);
    highlighter.HighlightNear(4990, 4999);
    EXPECT_EQ(highlighter.RowsScanned(), 10);
    EXPECT_NE(m_store.Row(4990)->Flags & rfGuessed, 0u);
    EXPECT_TRUE(highlighter.Behind());
    // Near rows are scanned for real.
    highlighter.HighlightNear(0, 20);
    EXPECT_EQ(m_store.Row(10)->Flags & rfGuessed, 0u);
    while (highlighter.Behind()) highlighter.CatchUp(300);
    EXPECT_EQ(m_store.Row(4990)->Flags & rfGuessed, 0u);
    const std::vector<uint8_t> fresh = FreshScan();
    for (int32_t row = 4990; row < 5000; ++row)
        EXPECT_EQ(RowStyles(m_store, row), Expected(fresh, row));

    CompiledScheme html;
    LoadHtmlScheme(html);
    RandomEdits(html.Scheme, HtmlPieces(), 20261211, 12, 2);
}

// A page on one line: a key press scans only the rows shown, the whole line follows later.
TEST_F(HighlighterTest, EditInAVeryLongLineIsShownBeforeTheLineIsScanned) {
    Load(Repeat("a /* b */ c 12 ", 60000) + "\r");  // 900,000 characters, 440 rows
    Highlighter highlighter(m_store, &m_scheme);
    ASSERT_GT(m_store.RowCount(), Highlighter::kLongLineRows);
    highlighter.HighlightNear(0, 30);
    EXPECT_EQ(highlighter.RowsScanned(), 31);
    while (highlighter.Behind()) highlighter.CatchUp(1000);
    highlighter.ResetRowsScanned();
    m_store.Insert(m_store.RowStart(300) + 5, "x");
    highlighter.HighlightNear(290, 320);
    EXPECT_LE(highlighter.RowsScanned(), 31);  // the row typed in and the rows it re-cut
    while (highlighter.Behind()) highlighter.CatchUp(1000);
    const std::vector<uint8_t> fresh = FreshScan();
    for (int32_t row = 0; row < m_store.RowCount(); ++row)
        ASSERT_EQ(RowStyles(m_store, row), Expected(fresh, row)) << row;
}

TEST_F(HighlighterTest, HtmlEndTagTypedInsideAScriptRecoloursTheLinesAfterIt) {
    CompiledScheme html;
    LoadHtmlScheme(html);
    SyntaxScheme& scheme = html.Scheme;
    Load("<p>a</p>\r<script>\r" + Repeat("var x\r", 30) + "</script>\r<p>b</p>\r");
    Highlighter highlighter(m_store, &scheme);
    highlighter.HighlightAll();
    const uint8_t keyword = RowStyles(m_store, 10)[0];
    const uint8_t text = RowStyles(m_store, 0)[3];
    EXPECT_NE(keyword, text);

    // The script ends on row 5 now: the rows after it are document text up to the old end.
    const int32_t at = m_store.RowStart(5);
    m_store.Insert(at, "</script>");
    highlighter.Highlight(0, 6);
    EXPECT_EQ(RowStyles(m_store, 10)[0], text);
    EXPECT_EQ(RowStyles(m_store, 31)[0], text);
    std::vector<uint8_t> expected = FreshScan(scheme);
    for (int32_t row = 0; row < m_store.RowCount(); ++row)
        ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row)) << "row " << row;

    m_store.Delete(at, at + 9);
    highlighter.Highlight(0, 6);
    EXPECT_EQ(RowStyles(m_store, 10)[0], keyword);
    expected = FreshScan(scheme);
    for (int32_t row = 0; row < m_store.RowCount(); ++row)
        ASSERT_EQ(RowStyles(m_store, row), Expected(expected, row)) << "row " << row;
}

}  // namespace
}  // namespace quinkle
