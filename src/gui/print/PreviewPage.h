// The print preview's page: one sheet of paper, painted at the zoom on a grey ground.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QWidget>

#include "engine/print/PageLayout.h"
#include "engine/print/PageTemplate.h"

namespace quinkle {

/// A sheet `Paper()` points large shown at a percentage of its real size, a gap around it;
/// the widget takes the size of the sheet and the gap, so a scroll area around it scrolls.
class PreviewPage : public QWidget {
public:
    /// Pixels of ground around the sheet.
    static constexpr int kGap = 12;

    explicit PreviewPage(QWidget* parent);

    /// The page to paint: `page` of `layout` (null, or a page it lacks: a blank sheet), its
    /// text in `font`, printed at `stamp`. The layout must live until the next call.
    void SetPage(const PageLayout* layout, int page, const QFont& font, const PrintStamp& stamp);
    void SetPaper(QSizeF points);
    void SetPercent(int percent);
    QSizeF Paper() const { return m_paper; }
    /// Screen pixels per point at 100%.
    double PixelsPerPoint() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double Scale() const { return PixelsPerPoint() * m_percent / 100.0; }
    void Resize();

    const PageLayout* m_layout = nullptr;
    int m_page = 0;
    QFont m_font;
    PrintStamp m_stamp;
    QSizeF m_paper{595, 842};
    int m_percent = 25;
};

}  // namespace quinkle
