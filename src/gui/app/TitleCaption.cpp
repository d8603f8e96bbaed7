// The program's title at the right of the menu bar.
#include "gui/app/TitleCaption.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMenuBar>

namespace quinkle {
namespace {

constexpr int kRightMargin = 8;
constexpr int kGapAfterMenus = 16;

}  // namespace

TitleCaption::TitleCaption(QMenuBar* bar) : QLabel(bar), m_bar(bar) {
    setObjectName(QStringLiteral("CaptionPainter"));
    setContentsMargins(0, 0, kRightMargin, 0);
    bar->setCornerWidget(this, Qt::TopRightCorner);
    bar->installEventFilter(this);
}

void TitleCaption::SetDocumentPart(const QString& part) {
    m_part = part;
    setToolTip(part);
    Relayout();
}

bool TitleCaption::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bar && event->type() == QEvent::Resize) Relayout();
    return QLabel::eventFilter(watched, event);
}

int TitleCaption::FreeWidth() const {
    int menusRight = 0;
    for (QAction* action : m_bar->actions())
        if (action->isVisible())
            menusRight = std::max(menusRight, m_bar->actionGeometry(action).right());
    return m_bar->width() - menusRight - kGapAfterMenus - kRightMargin;
}

void TitleCaption::Relayout() {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int room = FreeWidth() - metrics.horizontalAdvance(QStringLiteral("HTML Quinkle - "));
    QString shown = m_part;
    if (m_bar->width() > 0 && metrics.horizontalAdvance(shown) > room) {
        // The folders give way from their middle; the file name is always shown whole.
        const qsizetype slash = m_part.lastIndexOf(QLatin1Char('/'));
        const QString name = m_part.mid(slash + 1);
        const QString folder = slash >= 0 ? m_part.left(slash + 1) : QString();
        const int folderRoom = room - metrics.horizontalAdvance(name);
        shown = folder.isEmpty()
                    ? name
                    : metrics.elidedText(folder, Qt::ElideMiddle, std::max(0, folderRoom)) + name;
        if (!folder.isEmpty() && shown == name) shown = QStringLiteral("\u2026/") + name;
    }
    ShowPart(shown);
}

void TitleCaption::ShowPart(const QString& shown) {
    if (shown == m_shown && !text().isEmpty()) return;
    m_shown = shown;
    setText(QStringLiteral("<b><span style=\"color:#000080\">HTML</span> "
                           "<span style=\"color:#a01010\">Quinkle -</span> "
                           "<span style=\"color:#106010\">%1</span></b>")
                .arg(shown.toHtmlEscaped()));
    // The menu bar sizes its corner widget only when laid out: a longer title must not be cut
    // off at its end.
    setFixedWidth(sizeHint().width());
    m_bar->setCornerWidget(this, Qt::TopRightCorner);
}

}  // namespace quinkle
