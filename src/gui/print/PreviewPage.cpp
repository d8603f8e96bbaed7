// The print preview's sheet of paper.
#include "gui/print/PreviewPage.h"

#include <QPainter>

#include "gui/print/PrintPainter.h"

namespace quinkle {

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewPage"));
    Resize();
}

void PreviewPage::SetPage(const PageLayout* layout, int page, const QFont& font,
                          const PrintStamp& stamp) {
    m_layout = layout;
    m_page = page;
    m_font = font;
    m_stamp = stamp;
    update();
}

void PreviewPage::SetPaper(QSizeF points) {
    m_paper = points;
    Resize();
}

void PreviewPage::SetPercent(int percent) {
    m_percent = percent;
    Resize();
}

double PreviewPage::PixelsPerPoint() const { return logicalDpiY() / 72.0; }

void PreviewPage::Resize() {
    const double scale = Scale();
    setFixedSize(int(m_paper.width() * scale + 0.5) + 2 * kGap,
                 int(m_paper.height() * scale + 0.5) + 2 * kGap);
    update();
}

void PreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const double scale = Scale();
    const QRectF sheet(kGap, kGap, m_paper.width() * scale, m_paper.height() * scale);
    painter.fillRect(sheet.translated(3, 3), palette().color(QPalette::Shadow));
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet);
    if (m_layout == nullptr || m_page < 1 || m_page > m_layout->PageCount()) return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(kGap, kGap);
    PagePainter(*m_layout, m_font, scale).Paint(painter, m_page, m_stamp);
}

}  // namespace quinkle
