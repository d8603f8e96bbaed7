// The text the print preview lays out: the document's logical lines, the scheme's colours and
// faces on them, and the title.
#include "engine/print/DocumentPrintText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "../scheme/SchemeTestKit.h"

namespace quinkle {

void PrintTo(const StyleRun& run, std::ostream* out) {
    *out << "{" << run.Start << "+" << run.Length << " #" << std::hex << run.Style.Color << std::dec
         << (run.Style.Bold ? " bold" : "") << (run.Style.Italic ? " italic" : "")
         << (run.Style.Underline ? " underline" : "") << "}";
}

namespace {

using namespace testkit;

constexpr PrintStyle kKeyword{0xFF0000, true, false, false};  // stored as 0x0000FF
constexpr PrintStyle kComment{0x563412, false, true, true};   // a resolved system colour

// Keywords red and bold, comments in the system's window text colour, italic and underlined,
// everything else in the default text colour.
SchemeStyles MiniStyles() {
    SchemeStyles styles;
    styles.Effects[0].ForegroundDefault = true;
    styles.Effects[1] = EffectDef{esBold, 0x0000FF, 0xFFFF00};
    styles.Effects[2] = EffectDef{uint8_t(esItalic | esUnderline | esStrikeout), 0x80000008, 0};
    styles.TokenEffect[mvKeyword] = 1;
    for (uint8_t value : {mvOpen, mvComment, mvClose}) styles.TokenEffect[value] = 2;
    return styles;
}

// A store holding `stored`, its lines wrapped into rows of 20 columns when `wrap` is set.
void Fill(TextStore& store, const std::string& stored, bool wrap) {
    if (wrap) {
        WrapSettings settings;
        settings.Enabled = true;
        settings.Width = 20;
        store.SetWrap(settings);
    }
    store.Insert(0, stored);
}

PrintColours Colours() {
    PrintColours colours;
    colours.Resolve = [](uint32_t colour) { return colour == 0x80000008 ? 0x123456u : 0xFFu; };
    return colours;
}

TEST(DocumentPrintText, LogicalLinesOfTheStore) {
    struct Case {
        std::string stored;
        bool wrap;
        std::vector<std::string> lines;
    };
    const std::string longLine = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    const Case cases[] = {
        {"", false, {}},
        {"one", false, {"one"}},
        {"one\r", false, {"one"}},
        {"one\rtwo", false, {"one", "two"}},
        {"\r\r", false, {"", ""}},
        {"a\tb\r\rc\r", false, {"a\tb", "", "c"}},
        // Rows the editor's word wrap cut are one printed line again.
        {longLine + "\r" + longLine, true, {longLine, longLine}},
    };
    for (const Case& c : cases) {
        TextStore store;
        Fill(store, c.stored, c.wrap);
        if (c.wrap) {
            ASSERT_GT(store.RowCount(), 4);
        }
        const PrintText text =
            MakePrintText(store, nullptr, nullptr, {}, Charset::Windows1252, "title");
        EXPECT_EQ(text.Lines, c.lines) << c.stored;
        EXPECT_TRUE(text.Styles.empty());
        EXPECT_EQ(text.TextCharset, Charset::Windows1252);
        EXPECT_EQ(text.Title, "title");
    }
}

TEST(DocumentPrintText, StyleRunsOfTheSchemesEffects) {
    SyntaxScheme scheme;
    BuildMiniScheme(scheme);
    const SchemeStyles styles = MiniStyles();
    struct Case {
        std::string stored;
        bool wrap;
        std::vector<std::vector<StyleRun>> runs;
    };
    const Case cases[] = {
        // A comment over two lines; blanks and words print in the default style, so they
        // need no runs.
        {"begin x /* c\rd */ end",
         false,
         {{{0, 5, kKeyword}, {8, 4, kComment}}, {{0, 4, kComment}, {5, 3, kKeyword}}}},
        // Wrapped rows: the runs count from the start of the line, not of the row.
        {"end begin end begin end begin end begin end begin\rend",
         true,
         {{{0, 3, kKeyword},
           {4, 5, kKeyword},
           {10, 3, kKeyword},
           {14, 5, kKeyword},
           {20, 3, kKeyword},
           {24, 5, kKeyword},
           {30, 3, kKeyword},
           {34, 5, kKeyword},
           {40, 3, kKeyword},
           {44, 5, kKeyword}},
          {{0, 3, kKeyword}}}},
        // A comment cut by the wrap is one run.
        {"/* a comment that runs on for more than one row */", true, {{{0, 50, kComment}}}},
    };
    for (const Case& c : cases) {
        TextStore store;
        Fill(store, c.stored, c.wrap);
        Highlighter highlighter(store, &scheme);
        const PrintText text =
            MakePrintText(store, &highlighter, &styles, Colours(), Charset::Utf8, "t");
        EXPECT_EQ(text.Styles, c.runs) << c.stored;
        EXPECT_EQ(text.Styles.size(), text.Lines.size());
    }
    // Without a scheme, or without styles, the text prints in black and white.
    TextStore store;
    store.Insert(0, "begin end");
    Highlighter plain(store);
    EXPECT_TRUE(MakePrintText(store, &plain, &styles, Colours(), Charset::Utf8, "").Styles.empty());
    Highlighter highlighter(store, &scheme);
    EXPECT_TRUE(
        MakePrintText(store, &highlighter, nullptr, Colours(), Charset::Utf8, "").Styles.empty());
}

TEST(DocumentPrintText, TitleNamesTheProgramAndTheFile) {
    EXPECT_EQ(PrintTitle("page.html"), "HTML Quinkle v1.18 - page.html");
}

}  // namespace
}  // namespace quinkle
