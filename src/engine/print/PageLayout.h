// The pages of a document: its lines cut into rows at the body's width, the rows dealt onto
// pages, and what each page prints in its header, body and footer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/print/FontMetrics.h"
#include "engine/print/PageSetup.h"
#include "engine/print/PageTemplate.h"
#include "engine/print/PrintText.h"
#include "engine/print/RowBreaker.h"
#include "engine/scheme/EditorSettings.h"

namespace quinkle {

/// A body line of a page: the bytes Start .. End-1 of logical line Line, printed with the top
/// left corner of its line at X, Y (points from the page's top left corner).
struct PlacedRow {
    int32_t Line = 0;
    int32_t Start = 0;
    int32_t End = 0;
    double X = 0;
    double Y = 0;
    bool operator==(const PlacedRow&) const = default;
};

/// A text printed on one line with its top left corner at X, Y.
struct PlacedText {
    double X = 0;
    double Y = 0;
    std::string Text;
    bool operator==(const PlacedText&) const = default;
};

/// The header and footer of one page: the expanded templates, and their non-empty parts
/// placed at the left edge, the centre and the right edge of the body's width.
struct PageDecorations {
    TemplateParts HeaderParts;
    TemplateParts FooterParts;
    std::vector<PlacedText> Header;
    std::vector<PlacedText> Footer;
};

/// The laid-out pages of a text. Page numbers count from 1; a number outside 1..PageCount()
/// gives empty results. A text without lines has no pages.
class PageLayout {
public:
    /// Lays out `text` on pages of `setup`, measured with `metrics`, TABs at the stops of
    /// `tabs`. The text, the metrics and the settings must outlive the layout, unchanged.
    /// Throws EPrintLayout when the page setup leaves no room for a line (see MakePageFrame)
    /// or the font cannot be measured; the time taken is linear in the text's length.
    PageLayout(const PrintText& text, const PageSetup& setup, const FontMetrics& metrics,
               const EditorSettings& tabs);

    int PageCount() const { return m_pageCount; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const PageFrame& Frame() const { return m_frame; }

    /// The logical line (0-based) whose row begins the page; -1 outside the pages.
    int32_t FirstLineOf(int page) const;
    /// The rows of the page, top to bottom.
    std::vector<PlacedRow> Rows(int page) const;
    /// The pieces of a row of Rows(), their X from the page's left edge.
    std::vector<TextPiece> Pieces(const PlacedRow& row) const;
    /// The header and footer of the page, printed at `stamp`.
    PageDecorations Decorations(int page, const PrintStamp& stamp) const;

private:
    struct Row {
        int32_t Line;
        int32_t Start;
        int32_t End;
    };

    bool HasPage(int page) const { return page >= 1 && page <= m_pageCount; }
    std::vector<PlacedText> Place(const TemplateParts& parts, double y) const;

    const PrintText& m_text;
    PageSetup m_setup;
    PageFrame m_frame;
    RowBreaker m_breaker;
    std::vector<Row> m_rows;
    int m_pageCount = 0;
};

}  // namespace quinkle
