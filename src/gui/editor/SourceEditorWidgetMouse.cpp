// The editor control Memo1: mouse selection, dragging text out and dropping text and files in.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "gui/editor/QtClipboard.h"
#include "gui/editor/SourceEditorPainter.h"
#include "gui/editor/SourceEditorWidget.h"

namespace quinkle {
namespace {

// How often the view scrolls while the mouse selects outside it.
constexpr int kAutoScrollMs = 50;

}  // namespace

// ---- selecting ----

void SourceEditorWidget::mousePressEvent(QMouseEvent* event) { PressAt(event, false); }

void SourceEditorWidget::mouseDoubleClickEvent(QMouseEvent* event) { PressAt(event, true); }

int SourceEditorWidget::CountClick(const QMouseEvent& event, bool doubleClickEvent) {
    const QPoint point = event.position().toPoint();
    const int32_t row = m_editor.TopRow() + std::max(0, point.y()) / m_look->LineHeight;
    const bool soon = event.timestamp() - static_cast<quint64>(m_lastClickTime) <=
                      static_cast<quint64>(QApplication::doubleClickInterval());
    const bool near =
        (point - m_lastClickPoint).manhattanLength() <= QApplication::startDragDistance();
    int count = 1;
    if (doubleClickEvent)
        count = 2;
    else if (soon && m_clickCount == 2 && row == m_lastClickRow)
        count = 3;
    else if (soon && m_clickCount == 1 && near)
        count = 2;
    m_clickCount = count;
    m_lastClickTime = static_cast<qint64>(event.timestamp());
    m_lastClickPoint = point;
    m_lastClickRow = row;
    return count;
}

void SourceEditorWidget::PressAt(QMouseEvent* event, bool doubleClickEvent) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Guard([&] {
        const QPoint point = event->position().toPoint();
        const int count = CountClick(*event, doubleClickEvent);
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        int32_t linkStart = 0;
        int32_t linkEnd = 0;
        if (count == 1 && !shift && HotspotAt(point, linkStart, linkEnd)) {
            std::string link = m_editor.Store().GetText(linkStart, linkEnd);
            emit HyperlinkClicked(
                QString::fromUtf8(link.data(), static_cast<qsizetype>(link.size())));
        }
        if (point.x() < GutterWidth(m_editor.Settings()))
            emit GutterClicked(m_editor.TopRow() + point.y() / m_look->LineHeight);
        if (count == 1 && !shift &&
            m_editor.CanStartDrag(m_editor.CharFromPos(point.x(), point.y()))) {
            // The press may start a drag; only a release without moving places the caret.
            m_dragPending = true;
            m_pressPoint = point;
            return;
        }
        m_editor.MouseDown(point.x(), point.y(), shift, count);
        m_selecting = true;
        AfterAction();
    });
}

bool SourceEditorWidget::HotspotAt(const QPoint& point, int32_t& start, int32_t& end) {
    if (point.x() < TextLeft() || !m_formatter) return false;
    const TextStore& store = m_editor.Store();
    const int32_t offset = m_editor.CharFromPos(point.x(), point.y());
    const int32_t number = store.LineFromChar(offset);
    if (number >= store.RowCount()) return false;
    HighlightRows(number, number);
    const TextRow& row = *store.Row(number);
    const int32_t rowStart = store.RowStart(number);
    int32_t index = offset - rowStart;
    // The caret position nearest the point may lie after the character under it.
    if (index > 0 && m_editor.DisplayColumn(offset) * m_look->CharWidth >
                         point.x() - TextLeft() + m_editor.LeftColumn() * m_look->CharWidth)
        --index;
    if (!row.Styles || index >= row.TextLength()) return false;
    const uint8_t token = row.Styles[index];
    if (!m_editor.Settings().Styles.EffectOfToken(token).Hotspot) return false;
    int32_t first = index;
    int32_t last = index + 1;
    while (first > 0 && row.Styles[first - 1] == token) --first;
    while (last < row.TextLength() && row.Styles[last] == token) ++last;
    start = rowStart + first;
    end = rowStart + last;
    return true;
}

void SourceEditorWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        Guard([&] {
            int32_t start = 0;
            int32_t end = 0;
            bool link = HotspotAt(event->position().toPoint(), start, end);
            viewport()->setCursor(link ? Qt::PointingHandCursor : Qt::IBeamCursor);
        });
        return;
    }
    Guard([&] {
        const QPoint point = event->position().toPoint();
        m_lastMouse = point;
        if (m_dragPending) {
            if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
                m_dragPending = false;
                StartDrag();
            }
            return;
        }
        if (!m_selecting) return;
        ExtendTo(point);
        if (viewport()->rect().contains(point))
            m_scrollTimer.stop();
        else if (!m_scrollTimer.isActive())
            m_scrollTimer.start(kAutoScrollMs, this);
    });
}

void SourceEditorWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_scrollTimer.stop();
    m_selecting = false;
    if (!m_dragPending || event->button() != Qt::LeftButton) return;
    m_dragPending = false;
    Guard([&] {
        const QPoint point = event->position().toPoint();
        m_editor.MouseDown(point.x(), point.y(), false, 1);
        AfterAction();
    });
}

void SourceEditorWidget::ExtendTo(const QPoint& point) {
    // Beyond the top or the left edge the view scrolls one step; below or right of the text
    // the editor scrolls the caret into view itself.
    const int textLeft = TextLeft();
    if (point.y() < 0) m_editor.SetTopRow(m_editor.TopRow() - 1);
    if (point.x() < textLeft) m_editor.SetLeftColumn(m_editor.LeftColumn() - 1);
    m_editor.MouseMove(std::max(point.x(), textLeft), std::max(point.y(), 0));
    AfterAction();
}

void SourceEditorWidget::AutoScroll() {
    if (!m_selecting || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        m_scrollTimer.stop();
        return;
    }
    Guard([this] { ExtendTo(m_lastMouse); });
}

// ---- dragging text out ----

void SourceEditorWidget::StartDrag() {
    auto* data = new QMimeData;
    PutClipFormat(*data, ClipFormat::Text, m_editor.CopySel(omCRLF), m_charset);
    PutClipFormat(*data, ClipFormat::Html, m_editor.CopySel(omHTML), m_charset);
    PutClipFormat(*data, ClipFormat::Rtf, m_editor.CopySel(omRTF));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    Qt::DropActions allowed = Qt::CopyAction;
    if (m_editor.AllowedDragEffects() & deMove) allowed |= Qt::MoveAction;
    m_dropHere = false;
    Qt::DropAction done =
        drag->exec(allowed, allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
    uint32_t effect = done == Qt::MoveAction ? deMove : done == Qt::CopyAction ? deCopy : deNone;
    m_editor.EndDrag(effect, m_dropHere);
    m_dropHere = false;
    AfterAction();
}

// ---- dropping in ----

QStringList SourceEditorWidget::DroppedFiles(const QMimeData& data) const {
    QStringList names;
    if (!data.hasUrls() || !m_editor.Settings().Has(smoProcessDroppedFiles)) return names;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) return {};
        names << url.toLocalFile();
    }
    return names;
}

bool SourceEditorWidget::AcceptsDrop(const QMimeData& data) const {
    if (!DroppedFiles(data).isEmpty()) return true;
    return !m_editor.ReadOnly && (data.hasText() || data.hasHtml());
}

Qt::DropAction SourceEditorWidget::DropActionFor(const QDropEvent& event) const {
    if (!DroppedFiles(*event.mimeData()).isEmpty()) return Qt::CopyAction;
    if (event.source() == this) {
        bool copy = (event.modifiers() & Qt::ControlModifier) ||
                    !(event.possibleActions() & Qt::MoveAction);
        return copy ? Qt::CopyAction : Qt::MoveAction;
    }
    Qt::DropAction proposed = event.proposedAction();
    return proposed == Qt::MoveAction || proposed == Qt::CopyAction ? proposed : Qt::CopyAction;
}

int32_t SourceEditorWidget::DropOffset(const QPoint& point) const {
    const QSize size = viewport()->size();
    int x = std::clamp(point.x(), TextLeft(), std::max(TextLeft(), size.width() - 1));
    int y = std::clamp(point.y(), 0, std::max(0, size.height() - 1));
    int32_t offset = m_editor.CharFromPos(x, y);
    return offset >= 0 ? offset : m_editor.Store().CharCount();
}

void SourceEditorWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (!AcceptsDrop(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(DropActionFor(*event));
    event->accept();
}

void SourceEditorWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (!AcceptsDrop(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(DropActionFor(*event));
    event->accept();
    int32_t caret =
        DroppedFiles(*event->mimeData()).isEmpty() ? DropOffset(event->position().toPoint()) : -1;
    if (caret != m_dropCaret) {
        m_dropCaret = caret;
        viewport()->update();
    }
}

void SourceEditorWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    QAbstractScrollArea::dragLeaveEvent(event);
    m_dropCaret = -1;
    viewport()->update();
}

void SourceEditorWidget::dropEvent(QDropEvent* event) {
    m_dropCaret = -1;
    Guard([&] {
        DropData(*event);
        AfterAction();
    });
}

void SourceEditorWidget::DropData(QDropEvent& event) {
    const QMimeData& data = *event.mimeData();
    const QPoint point = event.position().toPoint();
    const QStringList files = DroppedFiles(data);
    if (!files.isEmpty()) {
        std::vector<std::string> names;
        for (const QString& file : files) names.push_back(QFile::encodeName(file).toStdString());
        int32_t x = point.x();
        int32_t y = point.y();
        // The caret goes to the drop point first, so whatever the host inserts for the files
        // (links for Internet shortcuts) lands where they were dropped.
        const int32_t at = DropOffset(point);
        m_editor.SetSel(at, at);
        event.setDropAction(Qt::CopyAction);
        event.setAccepted(m_editor.DropFiles(names, x, y));
        return;
    }
    // Plain text when there is any; the HTML of a drop that brings nothing else.
    const bool text = data.hasText();
    std::optional<std::string> bytes =
        GetClipFormat(data, text ? ClipFormat::Text : ClipFormat::Html, m_charset);
    const bool fromHere = event.source() == this;
    const Qt::DropAction action = DropActionFor(event);
    if (!bytes || !m_editor.DropText(std::move(*bytes), text ? ddText : ddHtml, DropOffset(point),
                                     action == Qt::MoveAction ? deMove : deCopy, fromHere)) {
        event.ignore();
        return;
    }
    m_dropHere = fromHere;
    event.setDropAction(action);
    event.accept();
    setFocus(Qt::MouseFocusReason);
}

}  // namespace quinkle
