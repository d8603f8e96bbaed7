// The editor control's model: selection, edits, undo, loading, saving and the clipboard.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editor/Clipboard.h"
#include "engine/scheme/EditorOptions.h"
#include "engine/scheme/EditorSettings.h"
#include "engine/search/SearchState.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/TextOutput.h"
#include "engine/text/TextStore.h"
#include "engine/text/UndoStack.h"

namespace quinkle {

class Stream;

/// How SaveToStream and SaveToFile write the document: as text in the store's file form (the
/// encoding and line ends it was loaded with, or its unchanged loaded bytes), as RTF, as HTML,
/// or as text in the file form with LF line ends.
enum TextSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };

/// Effects of a drag-and-drop.
enum DropEffect : uint32_t { deNone = 0, deCopy = 1, deMove = 2 };

/// Cell geometry of the view, for converting between offsets and client points.
struct ViewMetrics {
    int32_t CharWidth = 8;
    int32_t LineHeight = 16;
    int32_t TextLeft = 0;  ///< x where column 0 of the text starts (after the gutter)
    int32_t ClientWidth = 640;
    int32_t ClientHeight = 480;
};

/// One editor over a text store. Several editors may share a store; each keeps its own
/// selection (anchor and caret; the caret is the end that moves) and view position.
/// All offsets are byte offsets into the whole document, CR the only line end.
class SourceEditor : private StoreListener, private UndoTarget {
public:
    SourceEditor();
    ~SourceEditor() override;
    SourceEditor(const SourceEditor&) = delete;
    SourceEditor& operator=(const SourceEditor&) = delete;

    static constexpr const char* kVersion = "3.00.12";

    // ---- the store ----
    TextStore& Store() const { return *m_store; }
    std::shared_ptr<TextStore> SharedStore() const { return m_store; }
    /// Shows and edits `other`'s document from now on.
    void AttachToStore(const SourceEditor& other);

    // ---- selection ----
    int32_t Anchor() const { return m_anchor; }
    int32_t Caret() const { return m_caret; }
    /// Sets anchor and caret, clamped to the text; anchor 0 with caret -1 selects all.
    void SetSel(int32_t anchor, int32_t caret);
    /// Like SetSel, but an anchor of -1 selects all.
    void SetSelection(int32_t anchor, int32_t caret);
    void SelectAll();
    int32_t SelStart() const { return std::min(m_anchor, m_caret); }
    int32_t SelEnd() const { return std::max(m_anchor, m_caret); }
    void SetSelStart(int32_t offset);
    /// The selection's length as SelText returns it: with lsCRLF each line end counts 2.
    int32_t SelLength() const;
    /// Selects from SelStart over `length`, counted as SelLength counts.
    void SetSelLength(int32_t length);
    std::string SelText() const;
    void SetSelText(std::string_view text) { ReplaceSel(text); }
    /// 1-based column and line of the caret.
    void GetCaretPos(int32_t& column, int32_t& line) const;
    /// Grows with every insertion and deletion, so callers can tell whether the text changed.
    uint64_t TextRevision() const { return m_textRevision; }
    /// Display columns the caret stands beyond the end of its line (0 when it is on text).
    int32_t CaretBeyondEnd() const { return m_caretBeyondEnd; }
    void SetCaretBeyondEnd(int32_t columns) { m_caretBeyondEnd = std::max(0, columns); }
    /// The display column vertical moves aim for.
    int32_t PreferredColumn() const {
        return m_preferredColumn >= 0 ? m_preferredColumn
                                      : DisplayColumn(m_caret) + m_caretBeyondEnd;
    }

    // ---- rows, as the standard edit requests answer them ----
    int32_t GetLineCount() const;
    /// Offset of a row's first character; -1 is the caret's row; past the end, the length.
    int32_t LineIndex(int32_t row) const;
    /// Length of the row holding `offset`, without its CR; -1 is the caret's row.
    int32_t LineLength(int32_t offset) const;
    /// At most `maxChars` characters of a row, without its CR; empty past the end.
    std::string GetLine(int32_t row, int32_t maxChars = 4096) const;
    /// Row of an offset; -1 is the caret.
    int32_t LineFromChar(int32_t offset) const;

    // ---- whole text ----
    std::string GetText() const;
    int32_t GetTextLen() const;
    /// Loads a NUL-terminated text as a document; null loads an empty one.
    void SetText(const char* text);
    void Clear();

    // ---- editing ----
    /// Replaces the selection by `text` (normalised), as one undo step.
    void ReplaceSel(std::string_view text);
    /// Replaces the selection by the whole content of a stream.
    void ReplaceSelFromStream(Stream& stream);
    /// The selection in an output mode (raw, CR LF, RTF, HTML, UNIX).
    std::string CopySel(uint32_t mode) const;
    /// Called before the characters [from, to) are written with their colours (RTF or HTML),
    /// so the host's highlighter can scan what it has not shown yet.
    std::function<void(int32_t from, int32_t to)> OnStylesNeeded;
    /// Copies the selection in `mode` into a caller's buffer; returns the length copied.
    int32_t CopySelToBuffer(char* buffer, int32_t size, uint32_t mode) const;
    /// Writes the selection to a stream in `mode`.
    void WriteSelToStream(Stream& stream, uint32_t mode) const;

    // ---- keys and commands ----
    /// Runs a key press (a key combination) through the active key map: a bound key runs its
    /// command and is taken; the first key of a sequence is taken and waits for the second.
    /// Returns whether the key was taken (false: the host types it, if it is a character).
    bool ProcessKey(uint16_t key);
    /// Runs command `code` (0-45); `extend` keeps the anchor for caret movements. Higher
    /// codes do nothing here: they reach the host through OnCommandRecognised.
    void ExecuteCommand(int32_t code, bool extend);
    /// Called before a recognised command runs; the handler may change the code.
    std::function<void(int32_t& code)> OnCommandRecognised;
    /// The "Print selection" command; printing belongs to the host.
    std::function<void()> OnPrintSelection;
    /// The clipboard the cut, copy and paste commands use; the host supplies it.
    void SetClipboard(Clipboard* clipboard) { m_clipboard = clipboard; }

    // ---- code templates and auto-correct (SourceEditorTemplates.cpp) ----
    /// What the template pick list is shown for.
    struct TemplatePick {
        std::string Partial;       ///< the partial word before the caret, lower-cased
        int32_t Preselected = -1;  ///< the first entry whose name contains it, or -1
        int32_t Anchor = 0;        ///< the selection before the partial word was selected
        int32_t Caret = 0;
    };
    /// The first step of a key press: offers `key` to the active code templates, then to the
    /// auto-correct list, when it is the table's trigger and the document is not empty. The
    /// longest entry name ending at the caret is expanded; without one, the templates show
    /// the pick list (with the partial word selected). True when the key is used up.
    bool OfferKeyToTemplates(uint16_t key);
    /// Replaces `word`, the text before the caret, by `expansion` as `table` says (entry
    /// `name`): templates ask OnTemplateEvent first; auto-correct only replaces at word
    /// boundaries and asks OnAutoReplace. Continuation lines may be indented to the word's
    /// column and the first "|" may mark the caret. One undo step ("Template"). False when
    /// nothing was replaced.
    bool ExpandTemplate(const CodeTemplates& table, const std::string& name, std::string_view word,
                        std::string expansion);
    /// The pick list's choice: expands template `name`, replacing the partial word the list
    /// was shown for when the name contains it (else inserting at the caret).
    bool ExpandPicked(std::string_view name);
    /// Before a template expands; may change the expansion.
    std::function<void(const std::string& name, std::string& expansion)> OnTemplateEvent;
    /// Before an auto-correct replacement of `word` (which starts at `wordStart`); may veto it
    /// or change the replacement.
    std::function<void(int32_t wordStart, bool& allow, std::string& replacement,
                       const std::string& word)>
        OnAutoReplace;
    /// Shows the template pick list over the active templates.
    std::function<void(const TemplatePick& pick)> OnTemplatePickList;
    /// The style byte (token value) the highlighter gave the character at `offset`; -1 when
    /// its row is not scanned or the offset is outside the text.
    int32_t StyleAt(int32_t offset) const;

    // ---- typing and editing commands ----
    bool InsertMode() const { return m_insertMode; }
    void SetInsertMode(bool insert) { m_insertMode = insert; }
    /// Types one character or UTF-8 sequence (CR is Enter, TAB the Tab key) in group 12.
    void TypeText(std::string_view text);
    /// The Tab key: blank fill to the next tab stop, or under the next word of a row above.
    void TabKey();
    /// Deletes the character at the caret (or the selection) in group 13.
    void DeleteCharAtCaret();
    /// Deletes the character before the caret (or the selection) in group 13.
    void DeleteCharBeforeCaret();
    /// Deletes the caret's row through its line end when nothing is selected.
    void DeleteCurrentLine();
    void DeletePreviousWord();
    void DeleteNextWord();
    /// Inserts `count` (0: the indent step) blanks at the start of every selected line.
    void IndentBlock(int32_t count, bool mayUseTab);
    /// Removes up to `count` (0: the indent step) leading blanks from every selected line.
    void UnindentBlock(int32_t count);

    // ---- caret movement ----
    enum class Move {
        Left,
        Right,
        Home,
        End,
        Up,
        Down,
        PageUp,
        PageDown,
        WordBefore,
        WordAfter,
        DocumentStart,
        DocumentEnd
    };
    /// Moves the caret; with `extend` the anchor stays, otherwise it follows.
    void MoveCaret(Move move, bool extend);
    /// Start of the word at or before `offset`.
    int32_t WordStart(int32_t offset) const;
    /// End of the word at or after `offset`.
    int32_t WordEnd(int32_t offset) const;
    /// Whether a byte starts or continues a word; unset, letters and "_" start a word and
    /// letters, digits, "_", "'" and "-" continue it (bytes of UTF-8 sequences count as
    /// letters).
    std::function<bool(char)> fn_CharStartsWord;
    std::function<bool(char)> fn_CharIsInWord;

    // ---- mouse ----
    /// A press at a client point: 1 places the caret (Shift extends), 2 selects the word
    /// (with smoWordSelect), 3 selects the row through its line end.
    void MouseDown(int32_t x, int32_t y, bool shift, int clickCount);
    /// A move with the button held: the selection follows the point.
    void MouseMove(int32_t x, int32_t y);
    std::function<void(int32_t& anchor, int32_t& caret, int32_t offset)> OnTripleClick;

    // ---- numbered bookmarks ----
    /// Sets bookmark n (0-9) on a row (-1: the caret's row, with the caret's column);
    /// setting it again on the row that holds it removes it.
    void SetBookmark(int n, int32_t row = -1, int32_t column = 1);
    void GotoBookmark(int n);
    bool GetBookmark(int n, int32_t& row, int32_t& column) const;
    std::function<void(int n)> OnBookmarkSet;
    std::function<void(int n)> OnBookmarkClear;

    // ---- undo ----
    bool CanUndo() const { return UndoLog().CanUndo(); }
    bool CanRedo() const { return UndoLog().CanRedo(); }
    void Undo();
    void Redo();
    bool Modified() const { return UndoLog().Modified(); }
    /// False makes the current text the saved one: undoing or redoing back to it leaves the
    /// document unmodified. True marks the document modified.
    void SetModified(bool modified) { UndoLog().SetModified(modified); }
    void ClearUndo() { UndoLog().Clear(); }
    void BeginGroup(int32_t code) { UndoLog().BeginGroup(code, m_anchor, m_caret); }
    void EndGroup(int32_t code) { UndoLog().EndGroup(code, m_anchor, m_caret); }
    UndoStack& UndoLog() const { return m_store->UndoLog(); }
    void SetUndoLog(std::shared_ptr<UndoStack> log) { m_store->SetUndoLog(std::move(log)); }
    /// Undoes or redoes every group up to and including `node` (from the menu listing).
    void UndoTo(UndoStack::Node node) { UndoLog().UndoTo(*this, node); }

    // ---- settings ----
    /// The active settings: the active scheme's, or the editor's own.
    EditorSettings& Settings() const { return *m_settings; }
    /// Makes `settings` (owned by the caller, e.g. a scheme) active; null returns to the
    /// editor's own.
    void SetSettings(EditorSettings* settings);
    uint32_t Options() const { return m_settings->Options; }
    void SetOptions(uint32_t options);
    /// Takes changed settings into effect: cuts the text anew when wrapping changed.
    void ApplySettings();
    /// Width in pixels of a text in a proportional font, from the view; unset for a
    /// fixed-pitch font.
    std::function<int32_t(std::string_view)> TextWidth;

    // ---- state ----
    bool ReadOnly = false;
    /// Whether bytes of 128-255 form UTF-8 sequences that the caret steps over as one
    /// character; off for documents in a single-byte charset.
    bool MultiByteText = true;
    TextSaveFormat SaveFormat = sfTEXT;
    uint32_t ClipCopyFormats = smTEXT | smRTF;
    std::string PrintTitle;
    LineStyle SelLineStyle() const { return m_store->SelLineStyle; }
    void SetSelLineStyle(LineStyle style) { m_store->SelLineStyle = style; }
    /// While locked, no change notifications reach the host; unlocking reports what changed.
    bool UpdateLocked() const { return m_updateLock; }
    void SetUpdateLock(bool locked);
    /// Supplies fonts and colours to the RTF and HTML writers.
    void SetOutputStyler(const OutputStyler* styler) { m_styler = styler; }

    // ---- view ----
    void SetViewMetrics(const ViewMetrics& metrics);
    const ViewMetrics& Metrics() const { return m_metrics; }
    int32_t VisibleRows() const;
    int32_t VisibleColumns() const;
    int32_t TopRow() const { return m_topRow; }
    void SetTopRow(int32_t row);
    int32_t LeftColumn() const { return m_leftColumn; }
    void SetLeftColumn(int32_t column);
    void LineScroll(int32_t columns, int32_t rows);
    void ScrollCaret();
    /// Display column (TABs expanded, UTF-8 sequences one column) of an offset in its row.
    int32_t DisplayColumn(int32_t offset) const;
    /// The display column of an offset counted from the start of its logical line, whose
    /// continuation rows carry the count on.
    int32_t LineColumn(int32_t offset) const;
    /// Client point of an offset's top left corner.
    void PosFromChar(int32_t offset, int32_t& x, int32_t& y) const;
    /// Offset at a client point; -1 outside the text area.
    int32_t CharFromPos(int32_t x, int32_t y) const;

    // ---- highlighting channel ----
    /// Puts the style bytes of a row (one per character) and clears its rescan flag.
    void SetRowStyles(int32_t row, const uint8_t* styles);
    /// The style bytes of a row, or null when it must be rescanned.
    const uint8_t* GetRowStyles(int32_t row) const;
    int32_t FirstRescanRow() const { return m_store->FirstRescanRow(); }
    void SetFirstRescanRow(int32_t row) { m_store->SetFirstRescanRow(row); }

    // ---- loading and saving ----
    /// Loads the stream's bytes from its position on (see FileTextDecoder); the store's file
    /// form becomes the one found, and a file that FileFacts::KeepsLoadedBytes keeps its
    /// bytes (TextStore::LoadedBytes) when the stream can be read again from that position.
    void LoadFromStream(Stream& stream);
    /// What the last load found out about its bytes.
    const FileFacts& LastLoad() const { return m_lastLoad; }
    void SaveToStream(Stream* stream);
    void LoadFromFile(const std::string& path);
    /// Makes `stored` (the store's own form: CR line ends, every other byte as it is) the
    /// document's text, byte for byte, with nothing to undo; the file form stays.
    void LoadStoredText(std::string_view stored);
    /// Writes the document to `path` atomically (see WriteFileAtomically), so that a failed
    /// save leaves the old file, the old backup and the modified state as they were. When only
    /// the backup could not be kept, the document counts as saved and EBackupError is raised.
    void SaveToFile(const std::string& path, const AtomicWriteOptions& options = {});
    /// Writes the document to `path` atomically in `format`, leaving SaveFormat, the undo log
    /// and the modified state as they were.
    void ExportToFile(const std::string& path, TextSaveFormat format,
                      const AtomicWriteOptions& options = {});

    // ---- clipboard and drag and drop ----
    void CopyToClipboard(Clipboard& clipboard) const;
    void CutToClipboard(Clipboard& clipboard);
    void PasteFromClipboard(Clipboard& clipboard);
    bool CanPaste(const Clipboard& clipboard) const { return clipboard.Has(ClipFormat::Text); }
    /// Whether a press at `offset` followed by a move starts dragging the selection.
    bool CanStartDrag(int32_t offset) const;
    uint32_t AllowedDragEffects() const { return ReadOnly ? deCopy : deCopy | deMove; }
    /// Ends a drag from this editor; a move that landed elsewhere deletes the selection.
    void EndDrag(uint32_t effect, bool droppedHere);
    /// Drops text at `offset`; returns whether anything was inserted.
    bool DropText(std::string text, uint32_t flags, int32_t offset, uint32_t effect,
                  bool fromThisEditor);
    /// Hands dropped files to OnFilesDropped; returns whether a handler took them.
    bool DropFiles(const std::vector<std::string>& names, int32_t& x, int32_t& y);
    /// HTML clean-up of pasted or dropped data by the flags.
    static std::string CleanDroppedHtml(std::string data, uint32_t flags);

    // ---- events ----
    std::function<void()> OnChange;
    std::function<void(int32_t offset, int32_t length)> OnTextChange;
    std::function<void(uint32_t& flags)> OnDataDrop;
    std::function<void(const std::vector<std::string>& names, int32_t& x, int32_t& y)>
        OnFilesDropped;
    /// The undo log found itself inconsistent and emptied itself.
    std::function<void()> OnBeep;

private:
    void StartFresh();
    friend class ChangeBatch;

    void StoreInserted(int32_t at, int32_t length) override;
    void StoreDeleted(int32_t from, int32_t to) override;
    void UndoSetSelection(int32_t anchor, int32_t caret) override;
    void UndoReplace(int32_t from, int32_t to, std::string_view text) override;
    void UndoBeginReplay() override;
    void UndoEndReplay() override;
    void Beep() override;
    void StoreRewrapped() override;

    void ReplaceStored(std::string_view stored, bool log);
    void InsertInChunks(int32_t at, std::string_view stored);
    std::string FillToCaret() const;
    /// The document's bytes in `format`.
    std::string DocumentBytes(TextSaveFormat format);
    /// Marks the document unmodified after it was written to `path`.
    void SavedTo(const std::string& path);
    void WriteDocument(Stream& stream);
    void CheckRoomFor(int64_t added) const;
    void ReportChange();
    uint32_t TextMode() const { return SelLineStyle() == lsCRLF ? omCRLF : omRaw; }
    int32_t Clamp(int32_t offset) const;
    /// Moves `index` over one character of `row`; returns the display column after it.
    int32_t StepColumn(const TextRow& row, int32_t& index, int32_t column) const;

    struct RowSpan {
        int32_t Row = 0;
        int32_t Start = 0;    // offset of the row's first character
        int32_t TextEnd = 0;  // offset of its CR, or of its end when it has none
        int32_t End = 0;      // offset after the row
    };
    RowSpan SpanOfRow(int32_t row) const;
    RowSpan SpanAt(int32_t offset) const;
    /// The row under a client point, and the display column nearest to it.
    RowSpan SpanAtPoint(int32_t x, int32_t y, int32_t& column) const;
    int32_t LastLine() const { return m_store->LineFromChar(m_store->CharCount()); }
    /// The offset at a display column of a row; inside a wide character, the offset before it,
    /// or with `nearest` the nearer of its two edges.
    int32_t OffsetAtColumn(const RowSpan& span, int32_t column, int32_t* beyond,
                           bool nearest = false) const;
    int32_t NextCharacter(int32_t offset) const;
    int32_t PreviousCharacter(int32_t offset) const;
    bool StartsWord(char c) const;
    bool IsInWord(char c) const;
    char CharAt(int32_t offset) const;
    int32_t LogicalLineStart(int32_t offset) const;
    int32_t NextLogicalLineStart(int32_t offset) const;
    int32_t IndentOfRow(const RowSpan& span, int32_t limit) const;
    std::vector<int32_t> SelectedLineStarts() const;
    int32_t TabTarget(int32_t column) const;
    void CollapseOrExtend(int32_t caret, bool extend);
    int32_t FindBookmarkRow(int n) const;

    std::shared_ptr<TextStore> m_store;
    std::string m_wrapSignature;  // the wrap settings last handed to the store
    Clipboard* m_clipboard = nullptr;
    bool m_insertMode = true;
    EditorSettings m_ownSettings;
    EditorSettings* m_settings = &m_ownSettings;
    int32_t m_anchor = 0;
    int32_t m_caret = 0;
    int32_t m_caretBeyondEnd = 0;
    int32_t m_preferredColumn = 0;
    int32_t m_topRow = 0;
    int32_t m_leftColumn = 0;
    ViewMetrics m_metrics;
    bool m_updateLock = false;
    int m_batchDepth = 0;
    bool m_changed = false;
    uint64_t m_textRevision = 0;
    const OutputStyler* m_styler = nullptr;
    FileFacts m_lastLoad;

    // ==== search, replace and range marks (SourceEditorSearch.cpp) ============================
public:
    /// Searches for `text` by `flags` (SearchFlag: match case, expression, whole words,
    /// backwards) from the selection start; backwards, for a match that starts before it.
    /// The text and flags become the remembered ones. Found: selects the match and returns
    /// its offset. Not found: -1, with no message. An expression that does not compile or
    /// runs out of steps is reported through OnSearchMessage and gives -1.
    int32_t Search(uint32_t flags, std::string_view text);
    /// Searches again with the remembered text and flags. Forwards, a selection that is the
    /// search text (in any case) or the last match is stepped over first. Not found: calls
    /// OnSearchFail, or else reports "Search string "..." not found.". False when nothing
    /// is remembered or nothing was found.
    bool FindNext();
    const std::string& SearchText() const { return m_search.Text; }
    uint32_t SearchFlags() const { return m_search.Flags; }
    void SetSearchText(std::string_view text) { m_search.Text = text; }
    void SetSearchFlags(uint32_t flags);
    bool RegExpMode() const { return m_search.RegExp; }
    void SetRegExpMode(bool on) { m_search.RegExp = on; }
    /// The replace dialog's buttons: from the last match on (one further when the caret
    /// still stands there), selects each match and asks OnReplaceQuery (no handler: every
    /// match is replaced). Yes replaces, No skips, Cancel stops, All replaces this and the
    /// rest without asking; `all` asks nothing from the start. In expression mode the
    /// replacement is expanded for each match. Returns the number of replacements.
    int32_t Replace(uint32_t flags, std::string_view text, std::string_view replacement, bool all);
    /// Calls `found(start, end)` for every match lying in [from, to) (to -1: the end), in
    /// order, searching forwards by `flags` (match case, whole words, expression). The next
    /// search starts at a match's end, or with `overlapping` one character after its start.
    /// For expressions MatchPos gives the groups of the match being reported. False when the
    /// expression failed (reported through OnSearchMessage).
    bool FindAll(int32_t from, int32_t to, std::string_view text, uint32_t flags, bool overlapping,
                 const std::function<void(int32_t, int32_t)>& found);
    /// Replaces every match lying in [from, to) (to -1: the end) in one undo step (group
    /// "Replace All"): all matches are found first, then replaced from the first on. The caret
    /// ends at the start of the last replacement. Returns the number of replacements.
    int32_t ReplaceAll(int32_t from, int32_t to, std::string_view text,
                       std::string_view replacement, bool matchCase, bool wholeWord,
                       bool regExp = false);
    /// The offsets of the last match: start, sub-expression bounds, end; MatchPos throws
    /// ERegExpError "Index range error" outside them.
    int32_t MatchCount() const { return static_cast<int32_t>(m_search.Matches.size()); }
    int32_t MatchPos(int32_t index) const;
    /// Replaces the default not-found message; gets the search text.
    std::function<void(const std::string& text)> OnSearchFail;
    /// Shows a message of the search (expression errors, not found) to the user.
    std::function<void(const std::string& message)> OnSearchMessage;
    /// Asks the replace question; gets the question's text.
    std::function<ReplaceAnswer(const std::string& question)> OnReplaceQuery;

    /// Range marks: [start, start + length) with a value of the caller's, kept by the store
    /// and moved by edits. FindMark gives the first mark overlapping the range (for an empty
    /// range, holding its offset).
    RangeMark* AddMark(int32_t start, int32_t length, intptr_t value);
    void DeleteMark(RangeMark* mark);
    void ClearMarks();
    bool FindMark(int32_t start, int32_t length, RangeMark*& mark) const;
    RangeMark* FirstMark() const;
    /// The mark after `mark` in the list; null at the end.
    RangeMark* NextMark(const RangeMark* mark) const;
    void SetMarkStart(RangeMark* mark, int32_t start);
    void SetMarkEnd(RangeMark* mark, int32_t end);
    static intptr_t MarkValue(const RangeMark* mark) { return mark ? mark->Value : 0; }
    /// A mark moved by an edit, or freed because its whole range was deleted (with its value).
    std::function<void(intptr_t value)> OnMarkChange;
    std::function<void(intptr_t value)> OnMarkFree;

private:
    enum class SearchResult { Found, NotFound, Failed };
    SearchResult FindMatch(uint32_t flags, std::string_view text, int32_t from, int32_t& start,
                           int32_t& end);
    REParser& ExpressionFor(std::string_view text, bool matchCase);
    ByteSet WordBytes() const;
    void ReportSearchMessage(const std::string& message);
    void ReportNotFound(const std::string& text);
    std::string ReplacementFor(std::string_view replacement, bool regExp);
    void HookMarkEvents();

    SearchState m_search;
    // ==== end of search, replace and range marks ============================================
};

/// The display style (effect) in which the main window allows no auto-correct: the shipped
/// schemes show their comments with it.
inline constexpr uint8_t kNoAutoCorrectStyle = 12;
/// The main window's auto-correct rule: a word ending at `wordEnd` may be replaced unless its
/// last character is shown in style kNoAutoCorrectStyle of the active scheme.
bool AutoReplaceAllowedAt(const SourceEditor& editor, int32_t wordEnd);

/// Groups the edits of one operation so that OnChange fires once, at the end.
class ChangeBatch {
public:
    explicit ChangeBatch(SourceEditor& editor) : m_editor(editor) { ++m_editor.m_batchDepth; }
    ~ChangeBatch() {
        if (--m_editor.m_batchDepth == 0) m_editor.ReportChange();
    }
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

private:
    SourceEditor& m_editor;
};

}  // namespace quinkle
