// The code template pick list of the editor widget.
#include "gui/editor/TemplatePickList.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"

namespace quinkle {
namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kDescriptionRole = Qt::UserRole + 1;
constexpr int kMaxVisibleRows = 12;

QFont BoldOf(QFont font) {
    font.setBold(true);
    return font;
}

// Paints a row as its description, then its name in bold where the widest description ends.
class PickRowDelegate : public QStyledItemDelegate {
public:
    PickRowDelegate(QObject* parent, const int& descriptionWidth)
        : QStyledItemDelegate(parent), m_descriptionWidth(descriptionWidth) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        QRect text = option.rect.adjusted(2, 0, 0, 0);
        painter->setFont(option.font);
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(kDescriptionRole).toString());
        painter->setFont(BoldOf(option.font));
        painter->drawText(text.adjusted(m_descriptionWidth + 24, 0, 0, 0),
                          Qt::AlignVCenter | Qt::AlignLeft, index.data(kNameRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QFontMetrics bold(BoldOf(option.font));
        return {m_descriptionWidth + bold.horizontalAdvance(index.data(kNameRole).toString()) + 48,
                bold.height() + 2};
    }

private:
    const int& m_descriptionWidth;
};

}  // namespace

TemplatePickList::TemplatePickList(SourceEditorWidget& editor)
    : QListWidget(&editor), m_editor(editor) {
    setObjectName(QStringLiteral("TemplatePickList"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setItemDelegate(new PickRowDelegate(this, m_descriptionWidth));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    hide();
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { Choose(); });
}

void TemplatePickList::Open(const SourceEditor::TemplatePick& pick) {
    m_pick = pick;
    m_search.Reset();
    m_closing = false;
    clear();
    const QFontMetrics plain(font());
    const QFontMetrics bold(BoldOf(font()));
    int nameWidth = 0;
    m_descriptionWidth = 0;
    for (const CodeTemplate& entry : m_editor.Editor().Settings().Templates.Entries()) {
        const QString name = QString::fromStdString(entry.Name);
        const QString description = QString::fromStdString(entry.Description);
        auto* item = new QListWidgetItem(description + QLatin1Char(' ') + name, this);
        item->setData(kNameRole, name);
        item->setData(kDescriptionRole, description);
        m_descriptionWidth = std::max(m_descriptionWidth, plain.horizontalAdvance(description));
        nameWidth = std::max(nameWidth, bold.horizontalAdvance(name));
    }
    const int rowHeight = bold.height() + 2;
    const int rows = std::min(count(), kMaxVisibleRows);
    int width = m_descriptionWidth + nameWidth + 48;
    if (count() > rows) width += verticalScrollBar()->sizeHint().width();
    resize(width, rows * rowHeight);
    if (pick.Preselected >= 0 && pick.Preselected < count()) {
        setCurrentRow(pick.Preselected);
        scrollToItem(currentItem(), QAbstractItemView::PositionAtTop);
    }
    Place();
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
}

void TemplatePickList::Place() {
    const QRect caret = m_editor.CaretCell();
    const QRect area = m_editor.rect();
    int y = caret.bottom() + 1;
    if (y + height() > area.bottom() + 1) y = std::max(0, caret.top() - height());
    int x = caret.left();
    if (x + width() > area.width()) x = std::max(0, area.width() - width());
    move(x, y);
}

QString TemplatePickList::SelectedName() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->data(kNameRole).toString() : QString();
}

void TemplatePickList::Close() {
    m_closing = true;
    hide();
    m_editor.setFocus(Qt::OtherFocusReason);
}

void TemplatePickList::Choose() {
    const QString name = SelectedName();
    if (name.isEmpty()) return;
    Close();
    Guarded([&] { m_editor.Editor().ExpandPicked(name.toStdString()); });
    m_editor.ScrollCaret();
}

void TemplatePickList::Cancel() {
    Close();
    m_editor.Editor().SetSel(m_pick.Anchor, m_pick.Caret);
    m_editor.Refresh();
}

void TemplatePickList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Choose();
            return;
        case Qt::Key_Escape:
            Cancel();
            return;
        default:
            break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() > ' ' && text.at(0).unicode() < 0x7F &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const int32_t row =
            m_search.Type(m_editor.Editor().Settings().Templates, text.at(0).toLatin1());
        if (row >= 0) setCurrentRow(row);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TemplatePickList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (!m_closing && isVisible()) Cancel();
}

}  // namespace quinkle
