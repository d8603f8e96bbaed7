// Painting laid-out pages on a paint device, the same for the preview and the printer, and
// measuring the printer font.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <vector>

#include "engine/print/FontMetrics.h"
#include "engine/print/PageLayout.h"
#include "engine/print/PageTemplate.h"

class QPaintDevice;
class QPainter;
class QPrinter;

namespace quinkle {

/// Pages are drawn in units of 1/1200 inch, with the font at its size in those units: text
/// then takes the same room on the screen at any zoom as on paper, so the pieces of a row
/// meet where the layout measured them.
inline constexpr double kUnitsPerPoint = 1200.0 / 72.0;

/// `font` sized in drawing units.
QFont DrawingFont(const QFont& font);

/// The engine's font measures, in points, of `font` printed on `device`.
class QtPrintMetrics : public FontMetrics {
public:
    QtPrintMetrics(const QFont& font, const QPaintDevice& device);
    double LineHeight() const override;
    double Advance(char32_t code) const override;
    double ColumnWidth() const override;

private:
    QFontMetricsF m_metrics;
    double m_pointsPerPixel;
    bool m_fixedPitch;
};

/// Paints pages of a layout in `font` onto a painter whose device has `pixelsPerPoint`
/// device pixels for each point of the page, the page's top left corner at the painter's
/// origin. The fonts are made once.
class PagePainter {
public:
    PagePainter(const PageLayout& layout, const QFont& font, double pixelsPerPoint);

    /// The page's header, border lines, body rows (in their colours and faces) and footer.
    void Paint(QPainter& painter, int page, const PrintStamp& stamp);

private:
    const QFont& FaceOf(const PrintStyle& style);
    void Text(QPainter& painter, double x, double y, const QString& text);

    const PageLayout& m_layout;
    double m_scale;
    std::array<QFont, 8> m_faces;  // bits: 1 bold, 2 italic, 4 underline
    double m_ascent = 0;           // in drawing units
};

/// How a printing ended.
enum class PrintOutcome { Printed, Cancelled };

/// Prints `pages` (page numbers of `layout`, in order, repeats allowed) on `printer`, whose
/// paint device starts at the paper's corner. Cancelled when the printer cannot be opened or
/// fails or is aborted on the way.
PrintOutcome PrintPages(QPrinter& printer, const PageLayout& layout, const QFont& font,
                        const std::vector<int>& pages, const PrintStamp& stamp);

}  // namespace quinkle
