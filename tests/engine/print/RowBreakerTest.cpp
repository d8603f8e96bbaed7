// Measuring printed rows: where long lines wrap, where TABs reach, the pieces a row prints in.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/print/PageSetup.h"
#include "engine/print/RowBreaker.h"

namespace quinkle {
namespace {

constexpr double kAdvance = 6;

std::vector<int32_t> Ends(const RowBreaker& breaker, const std::string& line) {
    std::vector<int32_t> ends;
    breaker.Break(line, ends);
    return ends;
}

struct BreakCase {
    const char* Name;
    std::string Line;
    int Columns;  // the width in characters of the fixed-pitch font
    std::vector<int32_t> Ends;
    Charset TextCharset = Charset::Utf8;
};

TEST(RowBreaker, WrapsAtTheLastBlankElseHard) {
    const FixedPitchMetrics font(kAdvance, 12);
    const EditorSettings tabs;  // a stop every 4 columns
    const BreakCase cases[] = {
        {"empty line is one row", "", 10, {0}},
        {"short line", "abc", 10, {3}},
        {"line exactly filling the width", "abcdefghij", 10, {10}},
        {"one character more", "abcdefghijk", 10, {10, 11}},
        {"at the last blank", "aaaa bbbb cccc", 10, {10, 14}},
        {"hard without a blank", "abcdefghijklmnopqrstuvwxy", 10, {10, 20, 25}},
        {"blanks that do not fit hang", "abcdefghij   klm", 10, {13, 16}},
        {"blanks at the end stay on the last row", "abcdefghij  ", 10, {12}},
        {"indentation is no break", "    abcdefghij", 10, {10, 14}},
        {"a TAB that does not fit hangs", "abc\tdefgh\tij", 10, {10, 12}},
        {"a TAB is a break", "ab\tcdefghijk", 10, {3, 12}},
        {"UTF-8 characters", "\xC3\xA9\xC3\xA9\xC3\xA9", 2, {4, 6}},
        {"stray byte counts alone", "a\xE9\x62", 2, {2, 3}},
        {"single-byte charset", "\xC3\xA9\xC3", 2, {2, 3}, Charset::Windows1252},
        {"wider than the width: one character a row", "abc", 0, {1, 2, 3}},
    };
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const double width = c.Columns == 0 ? 3 : c.Columns * kAdvance;
        const RowBreaker breaker(font, tabs, c.TextCharset, width);
        EXPECT_EQ(Ends(breaker, c.Line), c.Ends);
    }
}

// Widths that are not exact binary fractions add up with rounding.
TEST(RowBreaker, EightyColumnsOfARoundedWidthFitEightyColumns) {
    const FixedPitchMetrics font(7.2, 12);
    const EditorSettings tabs;
    const RowBreaker breaker(font, tabs, Charset::Utf8, 80 * 7.2);
    EXPECT_EQ(Ends(breaker, std::string(80, 'x')), std::vector<int32_t>{80});
    EXPECT_EQ(Ends(breaker, std::string(81, 'x')), (std::vector<int32_t>{80, 81}));
}

// A font with narrow and wide letters: "i" 2 points, "m" 10, the rest 6.
class ProportionalFont : public FontMetrics {
public:
    double LineHeight() const override { return 12; }
    double Advance(char32_t code) const override {
        return code == U'i' ? 2 : code == U'm' ? 10 : kAdvance;
    }
    double ColumnWidth() const override { return kAdvance; }
};

struct PieceCase {
    const char* Name;
    std::string Line;
    std::vector<StyleRun> Styles;
    std::vector<std::pair<double, std::string>> Pieces;  // x and text
    std::vector<PrintStyle> PieceStyles = {};            // when the case checks styles
};

TEST(RowBreaker, PiecesPlaceTabsStylesAndControlCharacters) {
    const PrintStyle keyword{0x0000FF, true, false, false};
    const PrintStyle number{0xFF0000, false, false, true};
    const PieceCase cases[] = {
        {"TAB to the next stop", "a\tb", {}, {{0, "a"}, {24, "b"}}},
        {"TAB on a stop goes to the next", "abcd\tx", {}, {{0, "abcd"}, {48, "x"}}},
        {"two TABs", "\t\tx", {}, {{48, "x"}}},
        {"control character as its picture", "a\x01\x7F", {}, {{0, "a\xE2\x90\x81\xE2\x90\xA1"}}},
        {"styles split pieces",
         "int x = 1;",
         {{0, 3, keyword}, {8, 1, number}},
         {{0, "int"}, {18, " x = "}, {48, "1"}, {54, ";"}},
         {keyword, PrintStyle{}, number, PrintStyle{}}},
        {"runs past the line end are cut", "ab", {{1, 100, number}}, {{0, "a"}, {6, "b"}}},
        {"blanks from the width on are left out", "abcdefghij   ", {}, {{0, "abcdefghij"}}},
    };
    const FixedPitchMetrics font(kAdvance, 12);
    const EditorSettings tabs;
    const RowBreaker breaker(font, tabs, Charset::Utf8, 10 * kAdvance);
    for (const PieceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<TextPiece> pieces;
        breaker.Pieces(c.Line, 0, static_cast<int32_t>(c.Line.size()), c.Styles, pieces);
        ASSERT_EQ(pieces.size(), c.Pieces.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_DOUBLE_EQ(pieces[i].X, c.Pieces[i].first) << "piece " << i;
            EXPECT_EQ(pieces[i].Text, c.Pieces[i].second) << "piece " << i;
            if (!c.PieceStyles.empty()) {
                EXPECT_EQ(pieces[i].Style, c.PieceStyles[i]) << "piece " << i;
            }
        }
    }
}

struct TabCase {
    const char* Name;
    std::string TabColumns;  // the editor's explicit stops, 1-based
    bool Proportional;
    std::string Line;
    double X;  // where the last character starts
};

TEST(RowBreaker, TabsReachTheEditorsStops) {
    const TabCase cases[] = {
        {"default stops", "", false, "ab\tx", 24},
        {"explicit stop", "10 20", false, "ab\tx", 54},
        {"next explicit stop", "10 20", false, "abcdefghijk\tx", 114},
        {"past the explicit stops, the default ones", "10 20", false, "abcdefghijklmnopqrst\tx",
         144},
        // Narrow letters: the editor's column is still the stop.
        {"narrow characters", "", true, "iii\tx", 24},
        // Wide letters ran past the editor's stop: the first stop beyond them.
        {"wide characters", "", true, "mmm\tx", 48},
    };
    const FixedPitchMetrics fixed(kAdvance, 12);
    const ProportionalFont proportional;
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EditorSettings tabs;
        tabs.SetTabColumns(c.TabColumns);
        const RowBreaker breaker(
            c.Proportional ? static_cast<const FontMetrics&>(proportional) : fixed, tabs,
            Charset::Utf8, 1000);
        std::vector<TextPiece> pieces;
        breaker.Pieces(c.Line, 0, static_cast<int32_t>(c.Line.size()), {}, pieces);
        ASSERT_FALSE(pieces.empty());
        EXPECT_DOUBLE_EQ(pieces.back().X, c.X);
        EXPECT_EQ(pieces.back().Text, "x");
    }
}

// Random lines of letters, blanks and TABs: the rows cover the line in order, each fits the
// width but for blanks hanging at its end or a single character, and no row but the first
// begins with a blank.
TEST(RowBreaker, RowsCoverTheLineAndFitTheWidth) {
    std::mt19937 random(7);
    const ProportionalFont font;
    EditorSettings tabs;
    tabs.SetTabColumns("3 11");
    const char alphabet[] = "aimmx  \t";
    for (int round = 0; round < 500; ++round) {
        const double width = 4 + static_cast<double>(random() % 120);
        std::string line(random() % 90, ' ');
        for (char& c : line) c = alphabet[random() % (sizeof alphabet - 1)];
        const RowBreaker breaker(font, tabs, Charset::Utf8, width);
        const std::vector<int32_t> ends = Ends(breaker, line);
        int32_t start = 0;
        for (int32_t end : ends) {
            SCOPED_TRACE("line \"" + line + "\" width " + std::to_string(width) + " row at " +
                         std::to_string(start));
            ASSERT_GT(end, start - (line.empty() ? 1 : 0));
            if (start > 0) {
                EXPECT_NE(line[start], ' ');
                EXPECT_NE(line[start], '\t');
            }
            std::string_view row(line.data() + start, static_cast<size_t>(end - start));
            while (row.size() > 1 && (row.back() == ' ' || row.back() == '\t'))
                row.remove_suffix(1);
            std::vector<TextPiece> pieces;
            breaker.Pieces(line, start, static_cast<int32_t>(start + row.size()), {}, pieces);
            if (row.size() > 1 && !pieces.empty()) {
                EXPECT_LE(pieces.back().X + breaker.TextWidth(pieces.back().Text), width + 1e-9);
            }
            start = end;
        }
        EXPECT_EQ(start, static_cast<int32_t>(line.size()));
    }
}

TEST(RowBreaker, AFontWithoutWidthIsAnError) {
    const FixedPitchMetrics font(0, 12);
    const EditorSettings tabs;
    EXPECT_THROW(RowBreaker(font, tabs, Charset::Utf8, 100), EPrintLayout);
}

}  // namespace
}  // namespace quinkle
