// Laying out a text on pages, and the header, body and footer of each page.
#include "engine/print/PageLayout.h"

#include <algorithm>
#include <limits>

namespace quinkle {
namespace {

// The measures a frame needs from the font, checked before the frame is made.
double CheckedLineHeight(const FontMetrics& metrics) {
    const double height = metrics.LineHeight();
    if (!(height > 0 && height <= 1e5)) throw EPrintLayout("The printer font cannot be measured.");
    return height;
}

}  // namespace

PageLayout::PageLayout(const PrintText& text, const PageSetup& setup, const FontMetrics& metrics,
                       const EditorSettings& tabs)
    : m_text(text),
      m_setup(setup),
      m_frame(MakePageFrame(setup, CheckedLineHeight(metrics))),
      m_breaker(metrics, tabs, text.TextCharset, m_frame.BodyWidth) {
    m_rows.reserve(text.Lines.size());
    std::vector<int32_t> ends;
    const size_t lines = std::min<size_t>(text.Lines.size(), std::numeric_limits<int32_t>::max());
    for (size_t line = 0; line < lines; ++line) {
        ends.clear();
        m_breaker.Break(text.Lines[line], ends);
        int32_t start = 0;
        for (int32_t end : ends) {
            m_rows.push_back({static_cast<int32_t>(line), start, end});
            start = end;
        }
    }
    const size_t perPage = static_cast<size_t>(m_frame.LinesPerPage);
    const size_t pages = (m_rows.size() + perPage - 1) / perPage;
    m_pageCount = static_cast<int>(std::min<size_t>(pages, std::numeric_limits<int>::max()));
}

int32_t PageLayout::FirstLineOf(int page) const {
    if (!HasPage(page)) return -1;
    return m_rows[static_cast<size_t>(page - 1) * static_cast<size_t>(m_frame.LinesPerPage)].Line;
}

std::vector<PlacedRow> PageLayout::Rows(int page) const {
    std::vector<PlacedRow> rows;
    if (!HasPage(page)) return rows;
    const size_t perPage = static_cast<size_t>(m_frame.LinesPerPage);
    const size_t first = static_cast<size_t>(page - 1) * perPage;
    const size_t last = std::min(first + perPage, m_rows.size());
    rows.reserve(last - first);
    for (size_t i = first; i < last; ++i) {
        const Row& row = m_rows[i];
        const double y = m_frame.BodyTop + static_cast<double>(i - first) * m_frame.LineHeight;
        rows.push_back({row.Line, row.Start, row.End, m_frame.BodyLeft, y});
    }
    return rows;
}

std::vector<TextPiece> PageLayout::Pieces(const PlacedRow& row) const {
    std::vector<TextPiece> pieces;
    if (row.Line < 0 || static_cast<size_t>(row.Line) >= m_text.Lines.size()) return pieces;
    std::span<const StyleRun> styles;
    if (static_cast<size_t>(row.Line) < m_text.Styles.size())
        styles = m_text.Styles[static_cast<size_t>(row.Line)];
    m_breaker.Pieces(m_text.Lines[static_cast<size_t>(row.Line)], row.Start, row.End, styles,
                     pieces);
    for (TextPiece& piece : pieces) piece.X += row.X;
    return pieces;
}

std::vector<PlacedText> PageLayout::Place(const TemplateParts& parts, double y) const {
    std::vector<PlacedText> placed;
    const double left = m_frame.BodyLeft;
    const double width = m_frame.BodyWidth;
    if (!parts.Left.empty()) placed.push_back({left, y, parts.Left});
    if (!parts.Centre.empty())
        placed.push_back({left + (width - m_breaker.TextWidth(parts.Centre)) / 2, y, parts.Centre});
    if (!parts.Right.empty())
        placed.push_back({left + width - m_breaker.TextWidth(parts.Right), y, parts.Right});
    return placed;
}

PageDecorations PageLayout::Decorations(int page, const PrintStamp& stamp) const {
    PageDecorations decorations;
    if (!HasPage(page)) return decorations;
    const TemplateValues values{page, m_pageCount, m_text.Title, stamp};
    if (m_frame.HasHeader) {
        decorations.HeaderParts = ExpandTemplate(m_setup.Header, values);
        decorations.Header = Place(decorations.HeaderParts, m_frame.HeaderTop);
    }
    if (m_frame.HasFooter) {
        decorations.FooterParts = ExpandTemplate(m_setup.Footer, values);
        decorations.Footer = Place(decorations.FooterParts, m_frame.FooterTop);
    }
    return decorations;
}

}  // namespace quinkle
