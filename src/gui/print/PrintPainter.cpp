// Painting pages for the preview and the printer, and the printer font's measures.
#include "gui/print/PrintPainter.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr int kUnderline = 4;

constexpr double kBorderWidth = 0.5;  // points

// The font's size in points, also for a font that was given a pixel size.
double PointSize(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 10.0;
}

}  // namespace

QFont DrawingFont(const QFont& font) {
    QFont sized = font;
    sized.setPixelSize(std::max(1, int(PointSize(font) * kUnitsPerPoint + 0.5)));
    return sized;
}

QtPrintMetrics::QtPrintMetrics(const QFont& font, const QPaintDevice& device)
    : m_metrics(DrawingFont(font), &device),
      m_pointsPerPixel(1.0 / kUnitsPerPoint),
      m_fixedPitch(QFontInfo(font).fixedPitch()) {}

double QtPrintMetrics::LineHeight() const { return m_metrics.lineSpacing() * m_pointsPerPixel; }

double QtPrintMetrics::Advance(char32_t code) const {
    return m_metrics.horizontalAdvance(QString::fromUcs4(&code, 1)) * m_pointsPerPixel;
}

double QtPrintMetrics::ColumnWidth() const {
    const double width =
        m_fixedPitch ? m_metrics.horizontalAdvance(QLatin1Char('0')) : m_metrics.averageCharWidth();
    return width * m_pointsPerPixel;
}

PagePainter::PagePainter(const PageLayout& layout, const QFont& font, double pixelsPerPoint)
    : m_layout(layout), m_scale(pixelsPerPoint) {
    const QFont base = DrawingFont(font);
    for (int face = 0; face < int(m_faces.size()); ++face) {
        QFont& f = m_faces[size_t(face)];
        f = base;
        f.setBold(face & kBold);
        f.setItalic(face & kItalic);
        f.setUnderline(face & kUnderline);
    }
    m_ascent = QFontMetricsF(base).ascent();
}

const QFont& PagePainter::FaceOf(const PrintStyle& style) {
    return m_faces[size_t((style.Bold ? kBold : 0) | (style.Italic ? kItalic : 0) |
                          (style.Underline ? kUnderline : 0))];
}

void PagePainter::Text(QPainter& painter, double x, double y, const QString& text) {
    painter.drawText(QPointF(x * kUnitsPerPoint, y * kUnitsPerPoint + m_ascent), text);
}

void PagePainter::Paint(QPainter& painter, int page, const PrintStamp& stamp) {
    painter.save();
    painter.scale(m_scale / kUnitsPerPoint, m_scale / kUnitsPerPoint);
    const PageDecorations decorations = m_layout.Decorations(page, stamp);
    const PageFrame& frame = m_layout.Frame();
    painter.setPen(Qt::black);
    painter.setFont(m_faces[0]);
    for (const PlacedText& text : decorations.Header)
        Text(painter, text.X, text.Y, FromStd(text.Text));
    for (const PlacedText& text : decorations.Footer)
        Text(painter, text.X, text.Y, FromStd(text.Text));

    // The border lines are at least a device pixel wide, whatever the zoom.
    QPen border(Qt::black);
    border.setCosmetic(true);
    border.setWidthF(std::max(1.0, kBorderWidth * m_scale));
    painter.setPen(border);
    const double left = frame.BodyLeft * kUnitsPerPoint;
    const double right = (frame.BodyLeft + frame.BodyWidth) * kUnitsPerPoint;
    if (frame.HasTopBorder)
        painter.drawLine(QPointF(left, frame.TopBorderY * kUnitsPerPoint),
                         QPointF(right, frame.TopBorderY * kUnitsPerPoint));
    if (frame.HasBottomBorder)
        painter.drawLine(QPointF(left, frame.BottomBorderY * kUnitsPerPoint),
                         QPointF(right, frame.BottomBorderY * kUnitsPerPoint));

    for (const PlacedRow& row : m_layout.Rows(page)) {
        for (const TextPiece& piece : m_layout.Pieces(row)) {
            painter.setPen(QColor::fromRgb(piece.Style.Color));
            painter.setFont(FaceOf(piece.Style));
            Text(painter, piece.X, row.Y, FromStd(piece.Text));
        }
    }
    painter.restore();
}

PrintOutcome PrintPages(QPrinter& printer, const PageLayout& layout, const QFont& font,
                        const std::vector<int>& pages, const PrintStamp& stamp) {
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Cancelled;
    PagePainter pagePainter(layout, font, printer.resolution() / 72.0);
    bool first = true;
    for (int page : pages) {
        if (!first && !printer.newPage()) {
            painter.end();
            return PrintOutcome::Cancelled;
        }
        first = false;
        pagePainter.Paint(painter, page, stamp);
        if (printer.printerState() == QPrinter::Aborted ||
            printer.printerState() == QPrinter::Error) {
            painter.end();
            return PrintOutcome::Cancelled;
        }
    }
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) return PrintOutcome::Cancelled;
    return PrintOutcome::Printed;
}

}  // namespace quinkle
