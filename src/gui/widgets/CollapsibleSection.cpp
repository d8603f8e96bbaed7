// A band with a title bar that opens and closes the controls beneath it.
#include "gui/widgets/CollapsibleSection.h"

#include <QFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace quinkle {

CollapsibleSection::CollapsibleSection(const QString& title, QWidget* parent)
    : QWidget(parent), m_titleBar(new QToolButton(this)), m_body(new QFrame(this)) {
    m_titleBar->setObjectName(QStringLiteral("titleBar"));
    m_titleBar->setText(title);
    m_titleBar->setCheckable(true);
    m_titleBar->setChecked(false);
    m_titleBar->setArrowType(Qt::RightArrow);
    m_titleBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_titleBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont bold = m_titleBar->font();
    bold.setBold(true);
    m_titleBar->setFont(bold);

    m_body->setObjectName(QStringLiteral("body"));
    static_cast<QFrame*>(m_body)->setFrameShape(QFrame::StyledPanel);
    m_body->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_body);

    connect(m_titleBar, &QToolButton::toggled, this, &CollapsibleSection::titleBarToggled);
}

QString CollapsibleSection::Title() const { return m_titleBar->text(); }

bool CollapsibleSection::IsExpanded() const { return m_titleBar->isChecked(); }

void CollapsibleSection::SetExpanded(bool expanded) { m_titleBar->setChecked(expanded); }

void CollapsibleSection::titleBarToggled(bool expanded) {
    m_titleBar->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    m_body->setVisible(expanded);
    Q_EMIT ExpandedChanged(expanded);
}

}  // namespace quinkle
