// The editor control Memo1: set-up, painting, scrolling, the caret, keys and the clipboard.
#include "gui/editor/SourceEditorWidget.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "engine/scheme/KeyCombination.h"
#include "engine/scheme/SyntaxScheme.h"
#include "gui/editor/KeyTranslation.h"
#include "gui/editor/QtClipboard.h"
#include "gui/editor/SourceEditorPainter.h"
#include "gui/editor/StoredText.h"
#include "gui/editor/TemplatePickList.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/CommandGuard.h"

namespace quinkle {

SourceEditorWidget::SourceEditorWidget(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_clipboard(std::make_unique<QtClipboard>()),
      m_look(std::make_unique<EditorLook>()) {
    setFocusPolicy(Qt::WheelFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);  // the hand cursor over hyperlinks
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    m_editor.SetClipboard(m_clipboard.get());
    m_editor.OnChange = [this] { EditorChanged(); };
    m_editor.OnStylesNeeded = [this](int32_t from, int32_t to) { HighlightChars(from, to); };
    HookSearchEvents();
    m_editor.OnTemplatePickList = [this](const SourceEditor::TemplatePick& pick) {
        if (!m_pickList) m_pickList = new TemplatePickList(*this);
        m_pickList->Open(pick);
    };
    m_editor.OnFilesDropped = [this](const std::vector<std::string>& names, int32_t&, int32_t&) {
        QStringList list;
        for (const std::string& name : names) list << QFile::decodeName(name.c_str());
        emit FilesDropped(list);
    };

    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    SetEditorFont(font);
}

SourceEditorWidget::~SourceEditorWidget() {
    m_editor.OnChange = nullptr;
    m_editor.OnStylesNeeded = nullptr;
    m_editor.OnFilesDropped = nullptr;
    m_editor.OnTemplatePickList = nullptr;
    delete m_pickList;  // before the editor goes: losing the focus makes it call back
    m_editor.SetClipboard(nullptr);
}

SourceEditor& SourceEditorWidget::Editor() { return m_editor; }
const SourceEditor& SourceEditorWidget::Editor() const { return m_editor; }

void SourceEditorWidget::SetCharset(Charset charset) {
    m_charset = charset;
    m_look->TextCharset = charset;
    m_clipboard->SetCharset(charset);
    // In a single-byte charset every byte is a character of its own.
    m_editor.MultiByteText = charset == Charset::Utf8;
    viewport()->update();
}

QFont SourceEditorWidget::EditorFont() const {
    QFont font = m_look->Font;
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    return font;
}

void SourceEditorWidget::SetEditorFont(const QFont& font) {
    m_look->SetFont(font);
    Guard([this] { UpdateMetrics(); });  // a new cell width may re-wrap the text
    viewport()->update();
}

void SourceEditorWidget::SetTokenFormatter(TokenFormatter formatter) {
    m_formatter = std::move(formatter);
    viewport()->update();
}

void SourceEditorWidget::UseHighlighter(Highlighter* highlighter) {
    m_highlighter = highlighter;
    m_ownHighlighter.reset();
    viewport()->update();
}

void SourceEditorWidget::HighlightRows(int32_t from, int32_t to) {
    if (!m_highlighter || !m_highlighter->Scheme()) return;
    // Rows far past the scanned text (a jump to the end of a huge page) are shown guessed at
    // once; the scan before them follows in slices, so the window never waits for it.
    m_highlighter->HighlightNear(from, to);
    if (m_highlighter->Behind() && !m_catchUpTimer.isActive()) m_catchUpTimer.start(0, this);
}

void SourceEditorWidget::CatchUpHighlighting() {
    // About 10 ms of scanning per slice keeps typing and scrolling smooth meanwhile.
    constexpr int32_t kSliceRows = 20000;
    if (!m_highlighter || !m_highlighter->Behind()) {
        m_catchUpTimer.stop();
        return;
    }
    const int32_t before = m_editor.Store().FirstRescanRow();
    m_highlighter->CatchUp(kSliceRows);
    const int32_t after = m_editor.Store().FirstRescanRow();
    const int32_t top = m_editor.TopRow();
    if (after > top && before <= top + m_editor.VisibleRows()) viewport()->update();
}

void SourceEditorWidget::HighlightChars(int32_t from, int32_t to) {
    if (m_highlighter && m_highlighter->Scheme())
        m_highlighter->Highlight(m_editor.LineFromChar(from), m_editor.LineFromChar(to));
}

void SourceEditorWidget::SetScheme(SyntaxScheme* scheme) {
    if (!m_highlighter) {
        m_ownHighlighter = std::make_unique<Highlighter>(m_editor.Store());
        m_highlighter = m_ownHighlighter.get();
    }
    m_highlighter->SetScheme(scheme);
    if (!scheme) {
        SetTokenFormatter({});
        return;
    }
    SetTokenFormatter([this](uint8_t token) {
        const EffectDef& effect = m_editor.Settings().Styles.EffectOfToken(token);
        QTextCharFormat format;
        if (!effect.ForegroundDefault) format.setForeground(ToQColor(effect.Foreground, palette()));
        if (!effect.BackgroundDefault) format.setBackground(ToQColor(effect.Background, palette()));
        format.setFontWeight(effect.Style & esBold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(effect.Style & esItalic);
        format.setFontUnderline(effect.Style & esUnderline);
        format.setFontStrikeOut(effect.Style & esStrikeout);
        return format;
    });
}

SyntaxScheme* SourceEditorWidget::Scheme() const {
    return m_highlighter ? m_highlighter->Scheme() : nullptr;
}

QSize SourceEditorWidget::CharCell() const { return {m_look->CharWidth, m_look->LineHeight}; }

int SourceEditorWidget::TextLeft() const { return TextLeftOf(m_editor.Settings()); }

// ---- keeping the view in step with the editor ----

void SourceEditorWidget::Guard(const std::function<void()>& work) {
    if (Guarded(work)) return;
    m_selecting = false;
    m_dragPending = false;
    AfterAction();
}

SourceEditorWidget::Snapshot SourceEditorWidget::Selection() const {
    return {m_editor.Anchor(), m_editor.Caret(), m_editor.CaretBeyondEnd()};
}

void SourceEditorWidget::AfterAction() {
    SyncScrollBars();
    viewport()->update();
    Snapshot now = Selection();
    if (now == m_shown) return;
    m_shown = now;
    RestartBlink();
    emit CaretMoved();
}

void SourceEditorWidget::EditorChanged() {
    AfterAction();
    emit Changed();
}

void SourceEditorWidget::Refresh() { AfterAction(); }

void SourceEditorWidget::ScrollCaret() {
    m_editor.ScrollCaret();
    AfterAction();
}

void SourceEditorWidget::ApplySettings() {
    Guard([this] {
        m_editor.ApplySettings();
        UpdateMetrics();
        AfterAction();
    });
    emit SettingsApplied();
}

void SourceEditorWidget::UpdateMetrics() {
    // Showing or hiding a scroll bar resizes the viewport, which calls this again from inside;
    // the inner call only asks the outer one to measure once more.
    if (m_measuring > 0) {
        m_measuring = 2;
        return;
    }
    for (int pass = 0; pass < 3; ++pass) {
        m_measuring = 1;
        ViewMetrics metrics;
        metrics.CharWidth = m_look->CharWidth;
        metrics.LineHeight = m_look->LineHeight;
        metrics.TextLeft = TextLeftOf(m_editor.Settings());
        metrics.ClientWidth = viewport()->width();
        metrics.ClientHeight = viewport()->height();
        const ViewMetrics& old = m_editor.Metrics();
        if (metrics.CharWidth != old.CharWidth || metrics.LineHeight != old.LineHeight ||
            metrics.TextLeft != old.TextLeft || metrics.ClientWidth != old.ClientWidth ||
            metrics.ClientHeight != old.ClientHeight)
            m_editor.SetViewMetrics(metrics);
        SyncScrollBars();
        if (m_measuring == 1) break;
    }
    m_measuring = 0;
}

void SourceEditorWidget::SyncScrollBars() {
    const TextStore& store = m_editor.Store();
    const int32_t lastLine = store.LineFromChar(store.CharCount());
    const int32_t rows = m_editor.VisibleRows();
    const int32_t columns = m_editor.VisibleColumns();
    m_syncing = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max({0, lastLine - rows + 1, m_editor.TopRow()}));
    vertical->setPageStep(rows);
    vertical->setSingleStep(1);
    vertical->setValue(m_editor.TopRow());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max({0, store.LongestRow() + 1 - columns, m_editor.LeftColumn()}));
    horizontal->setPageStep(columns);
    horizontal->setSingleStep(1);
    horizontal->setValue(m_editor.LeftColumn());
    m_syncing = false;
}

void SourceEditorWidget::scrollContentsBy(int, int) {
    if (m_syncing) return;
    m_editor.SetTopRow(verticalScrollBar()->value());
    m_editor.SetLeftColumn(horizontalScrollBar()->value());
    viewport()->update();
}

void SourceEditorWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Guard([this] { UpdateMetrics(); });
}

void SourceEditorWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange)
        viewport()->update();
}

// ---- painting and the caret ----

void SourceEditorWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    // No message box from inside a paint event: it is shown once painting is over.
    GuardedDeferred([&] {
        if (TextLeftOf(m_editor.Settings()) != m_editor.Metrics().TextLeft)
            QTimer::singleShot(0, this, &SourceEditorWidget::ApplySettings);  // gutter toggled
        const QPalette& colours = palette();
        m_look->Text =
            DefaultTextColor.isValid() ? DefaultTextColor : colours.color(QPalette::Text);
        m_look->Base =
            DefaultBackColor.isValid() ? DefaultBackColor : colours.color(QPalette::Base);
        m_look->Margin = MarginColor.isValid() ? MarginColor : m_look->Base;
        m_look->Gutter = GutterColor.isValid() ? GutterColor : colours.color(QPalette::Button);
        m_look->GutterText = colours.color(QPalette::ButtonText);
        m_look->SelText = SelTextColor;
        m_look->SelBack = SelTextBack;
        // Only what is about to be seen is scanned (and what an edit changed after it).
        HighlightRows(m_editor.TopRow(), m_editor.TopRow() + m_editor.VisibleRows());
        CaretLook caret;
        caret.Visible = m_caretOn && hasFocus();
        caret.Block = !m_editor.InsertMode() && m_editor.Settings().Has(smoBlockOverwriteCursor);
        caret.DropOffset = m_dropCaret;
        SourceEditorPainter(m_editor, *m_look, m_formatter, viewport()->size())
            .Paint(painter, event->rect(), caret);
    });
}

QRect SourceEditorWidget::CaretRect() const {
    SourceEditorPainter painter(m_editor, *m_look, m_formatter, viewport()->size());
    return painter.CellRect(m_editor.Caret(), m_editor.CaretBeyondEnd());
}

QRect SourceEditorWidget::CaretCell() const {
    return CaretRect().translated(viewport()->mapTo(this, QPoint(0, 0)));
}

void SourceEditorWidget::RestartBlink() {
    m_caretOn = true;
    int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blinkTimer.start(flash / 2, this);
    else
        m_blinkTimer.stop();
}

void SourceEditorWidget::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretOn = !m_caretOn;
        viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
    } else if (event->timerId() == m_scrollTimer.timerId()) {
        AutoScroll();
    } else if (event->timerId() == m_catchUpTimer.timerId()) {
        Guard([this] { CatchUpHighlighting(); });
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void SourceEditorWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
}

void SourceEditorWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    viewport()->update();
}

// ---- keys ----

bool SourceEditorWidget::focusNextPrevChild(bool) { return false; }  // Tab is typed

bool SourceEditorWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        TakesShortcut(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool SourceEditorWidget::TakesShortcut(const QKeyEvent& event) const {
    // The key map comes before the window's shortcuts, and so does typing.
    const KeyboardActionController& keys = m_editor.Settings().Keys;
    if (keys.InSequence()) return true;
    Qt::KeyboardModifiers modifiers = event.modifiers();
    bool ctrl = modifiers & Qt::ControlModifier;
    bool alt = modifiers & Qt::AltModifier;
    if (ctrl == alt && !event.text().isEmpty() && event.text().at(0) >= QLatin1Char(' '))
        return true;
    uint16_t key = KeyToVirtualKey(event.key(), modifiers);
    if (key == 0 || IsModifierOnlyKey(key)) return false;
    if (m_editor.Settings().Templates.IsTrigger(key)) return true;  // before the menus
    if (IsShiftTransparentKey(key)) key &= static_cast<uint16_t>(~kShiftKey);
    for (const KeyBinding& binding : keys.Bindings())
        if (binding.FirstKey == key) return true;
    return false;
}

void SourceEditorWidget::keyPressEvent(QKeyEvent* event) {
    bool used = false;
    Guard([&] {
        KeyboardActionController& keys = m_editor.Settings().Keys;
        uint16_t key = KeyToVirtualKey(event->key(), event->modifiers());
        if (key != 0) {
            // Auto-correct asks for the colour at the caret (a guess far down a huge text
            // will do); copies ask for exact colours through OnStylesNeeded.
            const int32_t row = m_editor.LineFromChar(m_editor.Caret());
            HighlightRows(row, row);
            used = m_editor.ProcessKey(key);
        } else if (keys.InSequence()) {
            keys.ResetMatching();  // a key without a code does not complete a sequence
            used = true;
        }
        if (!used) used = TypeKeyText(*event);
        AfterAction();
    });
    event->setAccepted(used);
}

bool SourceEditorWidget::TypeKeyText(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers = event.modifiers();
    bool ctrl = modifiers & Qt::ControlModifier;
    bool alt = modifiers & Qt::AltModifier;
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (ctrl || alt) return false;
            m_editor.TypeText("\r");
            return true;
        case Qt::Key_Tab:
            if (ctrl || alt || (modifiers & Qt::ShiftModifier)) return false;
            m_editor.TypeText("\t");
            return true;
        default:
            break;
    }
    // Ctrl or Alt alone make commands, not characters; both together are AltGr.
    if (ctrl != alt) return false;
    QString text = event.text();
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
    TypeString(text);
    return true;
}

void SourceEditorWidget::TypeString(const QString& text) {
    // One character at a time, so that overwrite mode replaces as many as are typed.
    for (char32_t code : text.toUcs4())
        m_editor.TypeText(EncodeStoredText(QString::fromUcs4(&code, 1), m_charset));
}

void SourceEditorWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        Guard([&] {
            TypeString(event->commitString());
            AfterAction();
        });
    }
    event->accept();
}

QVariant SourceEditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImCursorRectangle:
            return CaretRect();
        case Qt::ImFont:
            return EditorFont();
        case Qt::ImHints:
            return static_cast<int>(Qt::ImhMultiLine);
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- clipboard ----

void SourceEditorWidget::Cut() {
    Guard([this] {
        m_editor.CutToClipboard(*m_clipboard);
        AfterAction();
    });
}

void SourceEditorWidget::Copy() {
    Guard([this] { m_editor.CopyToClipboard(*m_clipboard); });
}

void SourceEditorWidget::Paste() {
    Guard([this] {
        m_editor.PasteFromClipboard(*m_clipboard);
        AfterAction();
    });
}

}  // namespace quinkle
