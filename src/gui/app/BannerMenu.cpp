// Pop-up menus with a vertical banner strip down their left side.
#include "gui/app/BannerMenu.h"

#include <QLinearGradient>
#include <QPainter>

namespace quinkle {
namespace {

constexpr int kStripWidth = 22;

}  // namespace

BannerMenu::BannerMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    UpdateMargins();
}

void BannerMenu::SetBanner(const QString& banner) {
    m_banner = banner;
    update();
}

void BannerMenu::SetMenuLook(int look) {
    m_look = (look == Office97 || look == IE4) ? look : None;
    UpdateMargins();
    update();
}

void BannerMenu::UpdateMargins() { setContentsMargins(m_look == None ? 0 : kStripWidth, 0, 0, 0); }

void BannerMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    if (m_look == None) return;

    QPainter painter(this);
    const QRect strip(2, 2, kStripWidth - 2, height() - 4);
    QLinearGradient gradient(strip.bottomLeft(), strip.topLeft());
    if (m_look == Office97) {
        gradient.setColorAt(0, QColor(0x00, 0x00, 0x80));
        gradient.setColorAt(1, QColor(0x10, 0x84, 0xd0));
    } else {
        gradient.setColorAt(0, QColor(0x40, 0x60, 0x58));
        gradient.setColorAt(1, QColor(0xa8, 0xc0, 0xb4));
    }
    painter.fillRect(strip, gradient);

    QFont bannerFont = font();
    bannerFont.setBold(true);
    painter.setFont(bannerFont);
    painter.setPen(Qt::white);
    // The text runs upwards from the bottom of the strip.
    painter.translate(strip.left(), strip.bottom());
    painter.rotate(-90);
    const QRect textRect(4, 0, strip.height() - 8, strip.width());
    const QString text =
        painter.fontMetrics().elidedText(m_banner, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace quinkle
