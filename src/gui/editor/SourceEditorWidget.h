// The editor control Memo1: paints the engine's text and feeds it keys and mouse actions.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QMimeData>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QTextCharFormat>
#include <functional>
#include <memory>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/Highlighter.h"
#include "engine/text/Charset.h"

namespace quinkle {

class FindReplaceDialog;
class QtClipboard;
class TemplatePickList;
struct EditorLook;

/// A Qt widget over a SourceEditor. It lays out and paints only the visible rows, decodes
/// the stored bytes (UTF-8, stray bytes as Windows-1252), runs every key through the key
/// map and types the rest as UTF-8, and connects the system clipboard and drag and drop.
///
/// The widget owns the editor's OnChange and OnFilesDropped events (they arrive as the
/// signals Changed and FilesDropped) and its clipboard. A host that changes the selection or
/// the view through Editor() directly calls Refresh (or ScrollCaret) to show it.
class SourceEditorWidget : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// How text of one token value (a row's style byte) is drawn: foreground, background,
    /// bold, italic, underline and strike-out are taken from the format; what it leaves
    /// unset is drawn in the palette's text colour on the base colour.
    using TokenFormatter = std::function<QTextCharFormat(uint8_t token)>;

    explicit SourceEditorWidget(QWidget* parent = nullptr);
    ~SourceEditorWidget() override;

    SourceEditor& Editor();
    const SourceEditor& Editor() const;

    /// The text font ("Courier New" 10 by default).
    QFont EditorFont() const;
    void SetEditorFont(const QFont& font);
    /// The charset the document's bytes are shown, typed, copied and pasted in.
    Charset TextCharset() const { return m_charset; }
    void SetCharset(Charset charset);
    /// Highlights with `highlighter` (not owned; it must be attached to this editor's store),
    /// such as the document's; null goes back to one of the widget's own, made when a scheme
    /// is set.
    void UseHighlighter(Highlighter* highlighter);
    /// The highlighter in use (null before a scheme or a highlighter was set).
    Highlighter* ActiveHighlighter() const { return m_highlighter; }

    /// Colours of selected text.
    QColor SelTextColor{Qt::white};
    QColor SelTextBack{0, 0, 128};
    /// Colours of plain text, the gutter and the left margin; an invalid colour takes the
    /// palette's (text, base, button face; the margin takes the base colour).
    QColor DefaultTextColor;
    QColor DefaultBackColor;
    QColor GutterColor;
    QColor MarginColor;

    /// Installs the highlighter's token formats; an empty function draws all text plainly.
    void SetTokenFormatter(TokenFormatter formatter);

    /// Highlights with `scheme` (not owned; null for plain text). Rows are scanned as they
    /// come into view, edits rescan only what they change, and each token value is drawn
    /// with the font style and colours of its effect in the editor's active settings (a
    /// scheme's settings become active through Editor().SetSettings).
    void SetScheme(SyntaxScheme* scheme);
    SyntaxScheme* Scheme() const;

    /// Size of one character cell in pixels.
    QSize CharCell() const;
    /// The viewport x of text column 0 when the view is scrolled fully left (gutter + margin).
    int TextLeft() const;
    /// The caret's character cell, in the widget's own coordinates.
    QRect CaretCell() const;
    /// The code template pick list, null until Ctrl+J first showed it.
    TemplatePickList* PickList() const { return m_pickList; }

public slots:
    void Cut();
    void Copy();
    void Paste();
    /// Takes changed settings (options, gutter, margins, tab stops) into effect and repaints.
    void ApplySettings();
    /// Shows what changed through Editor() directly: scroll bars, caret and text.
    void Refresh();
    /// Brings the caret into view, then refreshes.
    void ScrollCaret();

    // ---- find and replace (SourceEditorWidgetSearch.cpp) ----
    /// Opens the Find window (made on first use) with `text`, or else with the selected text
    /// unless the selection is empty or `flags` asks for expressions. 0x10 presets match case;
    /// 0x20 sets expression mode for this and later searches. The selection stays shown.
    void ShowFind(uint flags, const QString& text = QString());
    /// Opens the Replace window; the flags as for ShowFind.
    void ShowReplace(uint flags);
    /// Searches again with the remembered text and flags (F3); true when found.
    bool FindNext();

public:
    /// The Find and Replace windows, null until first shown.
    FindReplaceDialog* FindWindow() const;
    FindReplaceDialog* ReplaceWindow() const;

signals:
    /// The text changed (after a batch of changes).
    void Changed();
    /// The caret or the selection moved.
    void CaretMoved();
    /// Files were dropped on the editor.
    void FilesDropped(const QStringList& names);
    /// The gutter was clicked beside a row (0-based row number).
    void GutterClicked(int row);
    /// A hyperlink (text of an effect marked as a hot spot) was clicked: its text.
    void HyperlinkClicked(const QString& text);
    /// ApplySettings took changed settings into effect.
    void SettingsApplied();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Snapshot {
        int32_t Anchor = 0;
        int32_t Caret = 0;
        int32_t Beyond = 0;
        bool operator==(const Snapshot&) const = default;
    };

    // Runs an event handler's work; an engine error is shown to the user, never thrown on.
    void Guard(const std::function<void()>& work);
    Snapshot Selection() const;
    void AfterAction();
    void EditorChanged();
    void UpdateMetrics();
    void SyncScrollBars();
    void RestartBlink();
    QRect CaretRect() const;
    bool TakesShortcut(const QKeyEvent& event) const;
    bool TypeKeyText(const QKeyEvent& event);
    void TypeString(const QString& text);
    void PressAt(QMouseEvent* event, bool doubleClickEvent);
    int CountClick(const QMouseEvent& event, bool doubleClickEvent);
    void ExtendTo(const QPoint& point);
    void AutoScroll();
    void StartDrag();
    int32_t DropOffset(const QPoint& point) const;
    QStringList DroppedFiles(const QMimeData& data) const;
    bool AcceptsDrop(const QMimeData& data) const;
    Qt::DropAction DropActionFor(const QDropEvent& event) const;
    void DropData(QDropEvent& event);
    // The byte range of the hyperlink under `point`; false when there is none.
    bool HotspotAt(const QPoint& point, int32_t& start, int32_t& end);

    SourceEditor m_editor;
    TemplatePickList* m_pickList = nullptr;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<EditorLook> m_look;
    TokenFormatter m_formatter;
    // Scans rows before they are painted, copied or dragged, so they carry their colours.
    void HighlightRows(int32_t from, int32_t to);
    void HighlightChars(int32_t from, int32_t to);
    void CatchUpHighlighting();

    std::unique_ptr<Highlighter> m_ownHighlighter;
    Highlighter* m_highlighter = nullptr;
    Snapshot m_shown;        // the selection last reported by CaretMoved
    bool m_syncing = false;  // the scroll bars are being set from the editor
    int m_measuring = 0;     // 1: UpdateMetrics runs; 2: and must measure again

    // scanning the text before rows shown ahead of it, a slice at a time between events
    QBasicTimer m_catchUpTimer;

    // caret blinking
    QBasicTimer m_blinkTimer;
    bool m_caretOn = true;

    // mouse
    QBasicTimer m_scrollTimer;
    bool m_selecting = false;
    bool m_dragPending = false;  // pressed inside the selection; a move starts a drag
    QPoint m_pressPoint;
    QPoint m_lastMouse;
    int m_clickCount = 0;
    qint64 m_lastClickTime = 0;
    QPoint m_lastClickPoint;
    int32_t m_lastClickRow = -1;

    // drag and drop
    bool m_dropHere = false;   // the running drag from this editor was dropped on it
    int32_t m_dropCaret = -1;  // where a drag over the editor would drop, -1 when none
    Charset m_charset = Charset::Utf8;

    // find and replace (SourceEditorWidgetSearch.cpp)
    void HookSearchEvents();
    FindReplaceDialog& SearchWindow(bool replacing, uint flags);
    void FindFromWindow(FindReplaceDialog& window);
    void ReplaceFromWindow(FindReplaceDialog& window, bool all);
    QPointer<FindReplaceDialog> m_findWindow;
    QPointer<FindReplaceDialog> m_replaceWindow;
};

}  // namespace quinkle
