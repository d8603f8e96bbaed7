// The program's title at the right of the menu bar.
#include "gui/app/TitleCaption.h"

#include <QMenuBar>

namespace quinkle {

TitleCaption::TitleCaption(QMenuBar* bar) : QLabel(bar), m_bar(bar) {
    setObjectName(QStringLiteral("CaptionPainter"));
    setContentsMargins(0, 0, 8, 0);
    bar->setCornerWidget(this, Qt::TopRightCorner);
}

void TitleCaption::SetDocumentPart(const QString& part) {
    setText(QStringLiteral("<b><span style=\"color:#000080\">HTML</span> "
                           "<span style=\"color:#a01010\">Quinkle -</span> "
                           "<span style=\"color:#106010\">%1</span></b>")
                .arg(part.toHtmlEscaped()));
    // The menu bar sizes its corner widget only when laid out: a longer title must not be cut
    // off at its end.
    setFixedWidth(sizeHint().width());
    m_bar->setCornerWidget(this, Qt::TopRightCorner);
}

}  // namespace quinkle
