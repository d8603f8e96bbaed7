// Laying out a text on pages: the frame of a page, page counts, which line starts each page,
// headers and footers, the page range.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "engine/print/PageLayout.h"
#include "engine/print/PageRange.h"

namespace quinkle {

void PrintTo(const PlacedText& text, std::ostream* out) {
    *out << "{" << text.X << ", " << text.Y << ", \"" << text.Text << "\"}";
}

void PrintTo(const PlacedRow& row, std::ostream* out) {
    *out << "{line " << row.Line << " bytes " << row.Start << ".." << row.End << " at " << row.X
         << ", " << row.Y << "}";
}

namespace {

constexpr double kAdvance = 6;
constexpr double kLineHeight = 12;
constexpr double kMargin = 36;
constexpr double kHeaderRoom = kLineHeight + 2 * 4.5;  // the line and the gap with the border

// A page with half-inch margins whose body is `columns` characters wide and `lines` high,
// with the default header and footer.
PageSetup SmallPage(int columns, int lines) {
    PageSetup setup;
    setup.Margins = {kMargin, kMargin, kMargin, kMargin};
    setup.Width = 2 * kMargin + columns * kAdvance;
    setup.Height = 2 * kMargin + 2 * kHeaderRoom + lines * kLineHeight;
    return setup;
}

PrintText Text(std::vector<std::string> lines) {
    PrintText text;
    text.Lines = std::move(lines);
    text.Title = "HTML Quinkle 1.0 - page.html";
    return text;
}

TEST(PageLayout, FrameOfTheDefaultPage) {
    const PageFrame frame = MakePageFrame(PageSetup{}, kLineHeight);
    EXPECT_DOUBLE_EQ(frame.BodyLeft, 72);
    EXPECT_DOUBLE_EQ(frame.BodyWidth, 595 - 144);
    EXPECT_DOUBLE_EQ(frame.HeaderTop, 72);
    EXPECT_DOUBLE_EQ(frame.TopBorderY, 72 + 12 + 4.5);
    EXPECT_DOUBLE_EQ(frame.BodyTop, 72 + 12 + 9);
    EXPECT_DOUBLE_EQ(frame.FooterTop, 842 - 72 - 12);
    EXPECT_DOUBLE_EQ(frame.BottomBorderY, 842 - 72 - 12 - 4.5);
    EXPECT_EQ(frame.LinesPerPage, 54);  // (842 - 144 - 2 * 21) / 12 = 54.67
    PageSetup bare;
    bare.Header.clear();
    bare.Footer.clear();
    const PageFrame body = MakePageFrame(bare, kLineHeight);
    EXPECT_FALSE(body.HasHeader || body.HasFooter || body.HasTopBorder || body.HasBottomBorder);
    EXPECT_DOUBLE_EQ(body.BodyTop, 72);
    EXPECT_EQ(body.LinesPerPage, 58);  // 698 / 12 = 58.17
}

struct NoRoomCase {
    const char* Name;
    PageSetup Setup;
    double LineHeight;
};

// The page setup may come from the user: a page without room for one line is an error, not
// an endless loop or a page with no lines.
TEST(PageLayout, APageWithoutRoomForALineIsAnError) {
    PageSetup wide = SmallPage(10, 3);
    wide.Margins.Left = wide.Width;
    PageSetup tall = SmallPage(10, 1);
    tall.Margins.Bottom += 1;
    PageSetup nan = SmallPage(10, 3);
    nan.Margins.Top = std::numeric_limits<double>::quiet_NaN();
    const NoRoomCase cases[] = {
        {"margins wider than the page", wide, kLineHeight},
        {"less than one line high", tall, kLineHeight},
        {"margin not a number", nan, kLineHeight},
        {"font without height", SmallPage(10, 3), 0},
    };
    const PrintText text = Text({"a"});
    const EditorSettings tabs;
    for (const NoRoomCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const FixedPitchMetrics font(kAdvance, c.LineHeight);
        EXPECT_THROW(PageLayout(text, c.Setup, font, tabs), EPrintLayout);
    }
    const FixedPitchMetrics font(kAdvance, kLineHeight);
    PageSetup exact = SmallPage(1, 1);
    EXPECT_EQ(PageLayout(text, exact, font, tabs).PageCount(), 1);
}

struct PagesCase {
    const char* Name;
    std::vector<std::string> Lines;
    int Columns;
    int LinesPerPage;
    std::vector<int32_t> FirstLines;  // of each page
};

TEST(PageLayout, PageCountAndTheLineThatStartsEachPage) {
    const std::string wrapped(25, 'w');  // three rows of 10 columns
    const PagesCase cases[] = {
        {"no lines, no pages", {}, 10, 5, {}},
        {"one empty line", {""}, 10, 5, {0}},
        {"a full page", {"a", "b", "c", "d", "e"}, 10, 5, {0}},
        {"one line more", {"a", "b", "c", "d", "e", "f"}, 10, 5, {0, 5}},
        {"a wrapped line runs onto the next page", {wrapped, "b", "c"}, 10, 2, {0, 0, 2}},
        {"wrapped rows fill pages", {"a", wrapped, "b"}, 10, 4, {0, 2}},
    };
    const FixedPitchMetrics font(kAdvance, kLineHeight);
    const EditorSettings tabs;
    for (const PagesCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const PrintText text = Text(c.Lines);
        const PageLayout layout(text, SmallPage(c.Columns, c.LinesPerPage), font, tabs);
        ASSERT_EQ(layout.PageCount(), static_cast<int>(c.FirstLines.size()));
        for (int page = 1; page <= layout.PageCount(); ++page)
            EXPECT_EQ(layout.FirstLineOf(page), c.FirstLines[static_cast<size_t>(page - 1)])
                << "page " << page;
        EXPECT_EQ(layout.FirstLineOf(layout.PageCount() + 1), -1);
        EXPECT_TRUE(layout.Rows(layout.PageCount() + 1).empty());
    }
}

TEST(PageLayout, RowsOfAPageWithTheirPlaces) {
    const FixedPitchMetrics font(kAdvance, kLineHeight);
    const EditorSettings tabs;
    const PrintText text = Text({"first", "aaaa bbbb cccc", "last"});
    const PageLayout layout(text, SmallPage(10, 2), font, tabs);
    ASSERT_EQ(layout.PageCount(), 2);
    const double top = kMargin + kHeaderRoom;
    EXPECT_EQ(layout.Rows(1), (std::vector<PlacedRow>{{0, 0, 5, kMargin, top},
                                                      {1, 0, 10, kMargin, top + kLineHeight}}));
    const std::vector<PlacedRow> second = layout.Rows(2);
    EXPECT_EQ(second, (std::vector<PlacedRow>{{1, 10, 14, kMargin, top},
                                              {2, 0, 4, kMargin, top + kLineHeight}}));
    const std::vector<TextPiece> pieces = layout.Pieces(second[0]);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Text, "cccc");
    EXPECT_DOUBLE_EQ(pieces[0].X, kMargin);
}

TEST(PageLayout, HeaderAndFooterOnAGivenDateWithPageNumbers) {
    const FixedPitchMetrics font(kAdvance, kLineHeight);
    const EditorSettings tabs;
    const PrintText text = Text({"a", "b", "c"});
    PageSetup setup = SmallPage(40, 1);
    const PrintStamp stamp{2026, 3, 7, 9, 5};
    const PageLayout layout(text, setup, font, tabs);
    ASSERT_EQ(layout.PageCount(), 3);
    const double right = kMargin + 40 * kAdvance;
    const double footerTop = setup.Height - kMargin - kLineHeight;
    const PageDecorations second = layout.Decorations(2, stamp);
    EXPECT_EQ(second.Header,
              (std::vector<PlacedText>{{kMargin, kMargin, "HTML Quinkle 1.0 - page.html"},
                                       {right - 6 * kAdvance, kMargin, "Page 2"}}));
    EXPECT_EQ(second.Footer, (std::vector<PlacedText>{{kMargin, footerTop, "2026-03-07"},
                                                      {right - 5 * kAdvance, footerTop, "09:05"}}));

    // Without a footer the body has the room of its line and gap: two lines a page.
    setup.Header = "&cPage &p of &P";
    setup.Footer.clear();
    const PageLayout centred(text, setup, font, tabs);
    ASSERT_EQ(centred.PageCount(), 2);
    const PageDecorations last = centred.Decorations(2, stamp);
    EXPECT_EQ(
        last.Header,
        (std::vector<PlacedText>{{kMargin + (40 - 11) * kAdvance / 2, kMargin, "Page 2 of 2"}}));
    EXPECT_TRUE(last.Footer.empty());
    EXPECT_TRUE(centred.Decorations(3, stamp).Header.empty());
}

struct RangeCase {
    const char* Name;
    PageRange Range;
    int PageCount;
    int Copies;
    bool Collate;
    std::vector<int> Pages;
};

TEST(PageRange, PagesToPrintInOrder) {
    const RangeCase cases[] = {
        {"all pages", {}, 3, 1, true, {1, 2, 3}},
        {"from a page on", {2, 0}, 3, 1, true, {2, 3}},
        {"range past the end is clipped", {2, 5}, 3, 1, true, {2, 3}},
        {"range after the end", {4, 5}, 3, 1, true, {}},
        {"range backwards", {3, 2}, 3, 1, true, {}},
        {"no pages", {}, 0, 1, true, {}},
        {"collated copies", {1, 2}, 3, 2, true, {1, 2, 1, 2}},
        {"uncollated copies", {1, 2}, 3, 2, false, {1, 1, 2, 2}},
        {"no copies is one", {1, 1}, 3, 0, true, {1}},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(PagesToPrint(c.Range, c.PageCount, c.Copies, c.Collate), c.Pages);
    }
}

}  // namespace
}  // namespace quinkle
