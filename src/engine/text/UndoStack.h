// The undo and redo log: text replacements bracketed into named action groups.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/text/Stack.h"
#include "engine/text/UndoTarget.h"

namespace quinkle {

/// Transaction codes carried by log markers: 1 is a text replacement, 11 and above name the
/// action groups the undo lists show.
enum UndoCode : int32_t {
    ucReplace = 1,
    ucDragDrop = 11,  // dropping text, moving text by dragging
    ucTyping = 12,    // typing characters, Enter included
    ucDelete = 13,    // deleting a character, word or line
    ucPaste = 14,
    ucCut = 15,
    ucTemplate = 16,     // code template expansion
    ucIndent = 17,       // block indent
    ucUnIndent = 18,     // block unindent
    ucDelPrevious = 19,  // "Delete previous word"
    ucReplaceAll = 20,   // the editor's replace-all
    ucUserEdit = 21,     // an edit the host makes without a name of its own
    ucReturn = 22,       // a replacement of the selection made while no other group is open
    ucDelNext = 23,      // "Delete next word"
    // Codes of the main window's HTML commands and dialogs.
    ucUnknownTag = 31,
    ucSourceFormat = 32,  // Format through tidy
    ucStripTags = 33,
    ucFont = 34,
    ucHeading = 35,
    ucBody = 36,
    ucHeader = 37,
    ucTable = 38,
    ucLink = 39,
    ucHorizontalLine = 40,
    ucFormsTextArea = 41,
    ucFormsSelection = 42,
    ucFormsInput = 43,
    ucFormsTag = 44,
    ucBlink = 45,
    ucSuperScript = 46,
    ucSubScript = 47,
    ucParagraphAlign = 48,  // Paragraph and the align buttons
    ucInsertList = 49,
    ucTodaysDate = 50,
    ucInsertTextFile = 51,
    ucFootnote = 52,
    ucQuickText = 53,
    ucColour = 54,
    ucBold = 55,
    ucItalics = 56,
    ucUnderLine = 57,
    ucBreak = 58,
    ucJavaScript = 59,
    ucJSComment = 60,
    ucWBreak = 61,
    ucGradientText = 62,
    ucInsertImage = 63,
    ucPasteChar = 64,
    ucCalculator = 65,  // the calculator window's Insert
    ucLoadFromWeb = 66,
};

/// The name under which the undo and redo lists show an action group; "" for other codes.
std::string_view UndoGroupName(int32_t code);

/// The log of one text store. Each replacement is recorded as a transaction of six entries:
/// marker(1), selection before, removed text (nullopt when nothing was selected), inserted text,
/// selection after, marker(1). An action group is a begin triple marker(code, begin),
/// selection, marker(code, begin) and an end triple of the same shape with role end; groups do
/// not nest. Undo reverses one group (or one transaction outside any group) per call, Redo
/// re-applies one. The log remembers the position of the clean (saved) text: Modified() is true
/// while the cursor stands elsewhere, or once that position can no longer be reached.
class UndoStack : public Stack {
public:
    /// A node of the log handed out by the listing; valid until the log discards it.
    using Node = const StackNode*;

    UndoStack() = default;

    // Recording ---------------------------------------------------------------------------

    bool Recording() const { return m_recording; }
    /// While off, transactions and new groups are not recorded.
    void SetRecording(bool recording) { m_recording = recording; }

    /// Opens a transaction (code ucReplace) before a replacement of the selection (anchor,
    /// caret): `removed` is the selected text (nullopt when the selection is empty), `inserted`
    /// the text as stored. Undo relies on the selection after the replacement ending where the
    /// inserted text ends. While recording is off it does nothing. When a transaction is already
    /// open, the log is emptied, the beep hook called and ESourceEditor "Bad transaction log entry"
    /// thrown.
    void BeginTransaction(int32_t code, int32_t anchor, int32_t caret,
                          std::optional<std::string> removed, std::string inserted);
    /// Closes the open transaction after the replacement, recording the selection after it,
    /// then trims the log to its size limit. A different code (or, while recording, no open
    /// transaction) empties the log, calls the beep hook and throws "Bad transaction log entry".
    void EndTransaction(int32_t code, int32_t anchorAfter, int32_t caretAfter);
    bool TransactionOpen() const { return m_transactionOpen; }

    /// Opens an action group (code 11 or above) at the selection (anchor, caret); does nothing
    /// while a group is open or recording is off. The begin triple enters the log with the
    /// group's first transaction, so a group with nothing recorded inside leaves no trace: it
    /// neither marks the document modified nor discards what could be redone.
    void BeginGroup(int32_t code, int32_t anchor, int32_t caret);
    /// Closes the open group when it has this code, recording the selection at its end.
    void EndGroup(int32_t code, int32_t anchor, int32_t caret);
    bool GroupOpen() const { return m_groupOpen; }
    /// The code of the open group; 0 when none is open.
    int32_t OpenGroupCode() const { return m_groupOpen ? m_groupCode : 0; }

    // State -------------------------------------------------------------------------------

    bool CanUndo() const { return Count() > 0; }
    bool CanRedo() const { return !AtTop(); }
    /// True unless the text is the clean one: the log's cursor stands where SetModified(false)
    /// (or emptying an unmodified log) left it, and nothing that led there was discarded since.
    bool Modified() const { return !m_cleanReachable || Cursor() != m_cleanNode; }
    /// False makes the current text the clean one; true marks the text modified until the
    /// next SetModified(false).
    void SetModified(bool modified);
    /// Empties the log and closes any open group; an open transaction stays open. The text
    /// stays as modified as it was: an unmodified text is clean at the empty log.
    void Clear();

    /// The limit of LoggedSize() in bytes; negative (the default, -1) means none.
    int32_t SizeLimit() const { return m_sizeLimit; }
    /// Sets the limit and trims the log to it.
    void SetSizeLimit(int32_t limit);
    /// While the logged size exceeds a limit of 0 or more, discards the bottom entry and the
    /// further bottom entries up to and including the next marker.
    void Trim() override;

    // Replay ------------------------------------------------------------------------------

    /// Reverses one group, or one transaction outside any group; nothing when Count() is 0.
    /// An open group is closed first. On an inconsistent log (or a failure of the target) the
    /// replay stops, the log is emptied and target.Beep() called; nothing is thrown.
    void Undo(UndoTarget& target);
    /// Re-applies one group or transaction; nothing when nothing lies above the cursor.
    /// Failures are handled as by Undo.
    void Redo(UndoTarget& target);

    // Listing for the undo and redo menus -------------------------------------------------

    /// Starts listing at the log cursor.
    void StartListing();
    /// True when an undoable group lies at or below the listing cursor.
    bool HasUndoGroup() const;
    /// True when a redoable group lies above the listing cursor.
    bool HasRedoGroup() const;
    /// Lists the next undoable group, newest first: its code and the node to give UndoTo to
    /// reverse everything down to and including it. With `merge`, following older groups of the
    /// same code whose end selection equals the start selection of the group listed before
    /// join the item, and the node is that of the oldest of them. False when none is left.
    bool NextUndoGroup(bool merge, int32_t& code, Node& node);
    /// Lists the next redoable group, oldest first, in the same way upwards; with `merge`, the
    /// node is that of the newest group joined into the item.
    bool NextRedoGroup(bool merge, int32_t& code, Node& node);
    /// Reverses (node at or below the cursor) or re-applies (node above it) every group up to
    /// and including the one holding the node, in one replay. Nothing happens for a node not
    /// in the log. Failures are handled as by Undo.
    void UndoTo(UndoTarget& target, Node node);

    /// Called where the log empties itself on a failure outside a replay.
    void SetBeepHook(std::function<void()> hook) { m_beep = std::move(hook); }

protected:
    void Discarding(StackNode& node) override;

private:
    /// Empties the log, beeps and throws "Bad transaction log entry".
    [[noreturn]] void FailTransaction();
    void PushMarker(int32_t code, int32_t role);
    void PushSelection(int32_t anchor, int32_t caret);
    void PushText(std::optional<std::string> text);
    /// Pushes the begin triple of the open group if it is not in the log yet.
    void PushPendingGroupBegin();
    /// Pushes a group's end triple; the text does not change, so a clean cursor stays clean.
    void PushGroupEnd(int32_t code, int32_t anchor, int32_t caret);
    /// Closes a group left open when a replay starts, so that the log stays well formed.
    void CloseGroupForReplay();
    /// One undo or redo step, without the replay bracket; throws on an inconsistent log.
    void UndoStep(UndoTarget& target);
    void RedoStep(UndoTarget& target);
    /// Runs `steps` as one replay: recording off, the target's replay bracket around it, and
    /// the failure handling of Undo.
    void Replay(UndoTarget& target, const std::function<void()>& steps);

    bool m_recording = true;

    bool m_transactionOpen = false;
    int32_t m_transactionCode = 0;
    int32_t m_transactionAnchor = 0;
    int32_t m_transactionCaret = 0;
    std::optional<std::string> m_transactionRemoved;
    std::string m_transactionInserted;

    bool m_groupOpen = false;
    bool m_groupBegun = false;  // the open group's begin triple is in the log
    int32_t m_groupCode = 0;
    int32_t m_groupAnchor = 0;
    int32_t m_groupCaret = 0;

    int32_t m_sizeLimit = -1;

    // The cursor of the clean text (null: nothing done); when m_cleanReachable is false, no
    // cursor position gives the clean text any more.
    const StackNode* m_cleanNode = nullptr;
    bool m_cleanReachable = true;

    // The listing walks from this node: downwards from it for undo, upwards from the node
    // above it for redo. Null with m_enumExhausted false means "below the bottom".
    const StackNode* m_enumCursor = nullptr;
    bool m_enumExhausted = true;

    std::function<void()> m_beep;
};

}  // namespace quinkle
