// The undo and redo log: text replacements bracketed into named action groups.
#include "engine/text/UndoStack.h"

#include <algorithm>
#include <exception>

#include "engine/text/EditorError.h"

namespace quinkle {

namespace {

// The entry's own size for the logged size: the fixed record, plus its text.
constexpr int64_t kEntrySize = 16;

[[noreturn]] void ThrowBadState() { throw ESourceEditor("Bad do/undo stack state"); }

bool IsMarker(const UndoEntry& entry, int32_t role) {
    return entry.Kind == ekMarker && entry.GroupRole == role;
}

const UndoEntry& RequireMarker(const UndoEntry& entry) {
    if (entry.Kind != ekMarker) ThrowBadState();
    return entry;
}

void RequireMarker(const UndoEntry& entry, int32_t code, int32_t role) {
    if (entry.Kind != ekMarker || entry.Value1 != code || entry.GroupRole != role) ThrowBadState();
}

const UndoEntry& RequireKind(const UndoEntry& entry, int32_t kind) {
    if (entry.Kind != kind) ThrowBadState();
    return entry;
}

int64_t TextLength(const UndoEntry& text) {
    return text.Text ? static_cast<int64_t>(text.Text->size()) : 0;
}

std::string_view TextOf(const UndoEntry& text) {
    return text.Text ? std::string_view(*text.Text) : std::string_view();
}

bool SameSelection(const UndoEntry& a, const UndoEntry& b) {
    return a.Value1 == b.Value1 && a.Value2 == b.Value2;
}

bool InIndentGroup(bool inGroup, int32_t code) {
    return inGroup && (code == ucIndent || code == ucUnIndent);
}

// The first marker with this role from `node` on, walking older (down) or newer (up).
const StackNode* FindMarker(const StackNode* node, int32_t role, bool down) {
    while (node && !IsMarker(node->Entry, role)) node = down ? node->Older : node->Newer;
    return node;
}

}  // namespace

std::string_view UndoGroupName(int32_t code) {
    switch (code) {
        case ucDragDrop:
            return "Drag && Drop";
        case ucTyping:
            return "Typing";
        case ucDelete:
            return "Delete";
        case ucPaste:
            return "Paste";
        case ucCut:
            return "Cut";
        case ucTemplate:
            return "Template";
        case ucIndent:
            return "Indent";
        case ucUnIndent:
            return "Un-Indent";
        case ucDelPrevious:
            return "Del Previous";
        case ucReplaceAll:
            return "Replace All";
        case ucUserEdit:
            return "User Edit";
        case ucReturn:
            return "Return";
        case ucDelNext:
            return "Del Next";
        case ucUnknownTag:
            return "Unknown Tag";
        case ucSourceFormat:
            return "Source Format";
        case ucStripTags:
            return "Strip HTML Tags";
        case ucFont:
            return "Font";
        case ucHeading:
            return "Heading";
        case ucBody:
            return "Body";
        case ucHeader:
            return "Header";
        case ucTable:
            return "Table";
        case ucLink:
            return "Link";
        case ucHorizontalLine:
            return "Horizontal Line";
        case ucFormsTextArea:
            return "Forms: TextArea";
        case ucFormsSelection:
            return "Forms: Selection";
        case ucFormsInput:
            return "Forms: Input";
        case ucFormsTag:
            return "Forms Tag";
        case ucBlink:
            return "Blink";
        case ucSuperScript:
            return "Super Script";
        case ucSubScript:
            return "Sub Script";
        case ucParagraphAlign:
            return "Paragraph Align";
        case ucInsertList:
            return "Insert List";
        case ucTodaysDate:
            return "Todays Date";
        case ucInsertTextFile:
            return "Insert Text File";
        case ucFootnote:
            return "Footnote";
        case ucQuickText:
            return "Quick Text";
        case ucColour:
            return "Colour";
        case ucBold:
            return "Bold";
        case ucItalics:
            return "Italics";
        case ucUnderLine:
            return "UnderLine";
        case ucBreak:
            return "Break";
        case ucJavaScript:
            return "JavaScript";
        case ucJSComment:
            return "JS Comment";
        case ucWBreak:
            return "WBreak";
        case ucGradientText:
            return "Gradient Text";
        case ucInsertImage:
            return "Insert Image";
        case ucPasteChar:
            return "Paste Char";
        case ucCalculator:
            return "Calculator";
        case ucLoadFromWeb:
            return "Load From Web";
        default:
            return "";
    }
}

// Recording --------------------------------------------------------------------------------

void UndoStack::BeginTransaction(int32_t code, int32_t anchor, int32_t caret,
                                 std::optional<std::string> removed, std::string inserted) {
    if (!m_recording) return;
    if (m_transactionOpen) FailTransaction();
    m_transactionOpen = true;
    m_transactionCode = code;
    m_transactionAnchor = anchor;
    m_transactionCaret = caret;
    m_transactionRemoved = std::move(removed);
    m_transactionInserted = std::move(inserted);
}

void UndoStack::EndTransaction(int32_t code, int32_t anchorAfter, int32_t caretAfter) {
    if (!m_transactionOpen) {
        if (!m_recording) return;
        FailTransaction();
    }
    if (code != m_transactionCode) FailTransaction();
    m_transactionOpen = false;
    PushPendingGroupBegin();
    PushMarker(code, grNone);
    PushSelection(m_transactionAnchor, m_transactionCaret);
    PushText(std::move(m_transactionRemoved));
    PushText(std::move(m_transactionInserted));
    PushSelection(anchorAfter, caretAfter);
    PushMarker(code, grNone);
    m_transactionRemoved.reset();
    m_transactionInserted.clear();
    Trim();
}

void UndoStack::FailTransaction() {
    m_transactionOpen = false;
    m_transactionRemoved.reset();
    m_transactionInserted.clear();
    Clear();
    if (m_beep) m_beep();
    throw ESourceEditor("Bad transaction log entry");
}

void UndoStack::BeginGroup(int32_t code, int32_t anchor, int32_t caret) {
    if (m_groupOpen || !m_recording) return;
    m_groupOpen = true;
    m_groupBegun = false;
    m_groupCode = code;
    m_groupAnchor = anchor;
    m_groupCaret = caret;
}

void UndoStack::EndGroup(int32_t code, int32_t anchor, int32_t caret) {
    if (!m_groupOpen || code != m_groupCode) return;
    m_groupOpen = false;
    if (!m_groupBegun) return;
    PushGroupEnd(code, anchor, caret);
}

void UndoStack::PushGroupEnd(int32_t code, int32_t anchor, int32_t caret) {
    bool clean = m_cleanReachable && Cursor() == m_cleanNode;
    PushMarker(code, grEnd);
    PushSelection(anchor, caret);
    PushMarker(code, grEnd);
    if (clean) m_cleanNode = Cursor();
}

void UndoStack::PushPendingGroupBegin() {
    if (!m_groupOpen || m_groupBegun) return;
    m_groupBegun = true;
    PushMarker(m_groupCode, grBegin);
    PushSelection(m_groupAnchor, m_groupCaret);
    PushMarker(m_groupCode, grBegin);
}

void UndoStack::PushMarker(int32_t code, int32_t role) {
    Push(UndoEntry{role, ekMarker, code, 0, std::nullopt}, kEntrySize);
}

void UndoStack::PushSelection(int32_t anchor, int32_t caret) {
    Push(UndoEntry{grNone, ekSelection, anchor, caret, std::nullopt}, kEntrySize);
}

void UndoStack::PushText(std::optional<std::string> text) {
    int64_t size = kEntrySize + (text ? static_cast<int64_t>(text->size()) : 0);
    Push(UndoEntry{grNone, ekText, 0, 0, std::move(text)}, size);
}

// State ------------------------------------------------------------------------------------

void UndoStack::SetModified(bool modified) {
    m_cleanNode = modified ? nullptr : Cursor();
    m_cleanReachable = !modified;
}

void UndoStack::Clear() {
    bool modified = Modified();
    Stack::Clear();
    m_cleanNode = nullptr;
    m_cleanReachable = !modified;
    m_groupOpen = false;
    m_groupBegun = false;
    m_enumCursor = nullptr;
    m_enumExhausted = true;
}

void UndoStack::SetSizeLimit(int32_t limit) {
    m_sizeLimit = limit;
    Trim();
}

void UndoStack::Trim() {
    if (m_sizeLimit < 0) return;
    while (!Empty() && LoggedSize() > m_sizeLimit) {
        // With the oldest step gone, undoing everything no longer gives the text it started
        // from.
        if (!m_cleanNode) m_cleanReachable = false;
        RemoveBottom();
        while (!Empty()) {
            bool marker = Bottom()->Entry.Kind == ekMarker;
            RemoveBottom();
            if (marker) break;
        }
    }
}

void UndoStack::Discarding(StackNode& node) {
    if (&node == m_cleanNode) {
        m_cleanNode = nullptr;
        m_cleanReachable = false;
    }
    if (&node == m_enumCursor) {
        m_enumCursor = nullptr;
        m_enumExhausted = true;
    }
    Stack::Discarding(node);
}

// Replay -----------------------------------------------------------------------------------

void UndoStack::Undo(UndoTarget& target) {
    CloseGroupForReplay();
    if (Count() == 0) return;
    Replay(target, [&] { UndoStep(target); });
}

void UndoStack::Redo(UndoTarget& target) {
    if (AtTop()) return;
    // With entries above the cursor nothing has been recorded since the last undo, so an open
    // group holds nothing yet; it simply ends here.
    m_groupOpen = false;
    Replay(target, [&] { RedoStep(target); });
}

void UndoStack::CloseGroupForReplay() {
    if (!m_groupOpen) return;
    m_groupOpen = false;
    if (!m_groupBegun || !AtTop() || Empty()) return;
    // The group ends where its newest transaction left the selection.
    const StackNode* top = Top();
    if (top->Entry.Kind != ekMarker || top->Entry.Value1 != ucReplace || !top->Older ||
        top->Older->Entry.Kind != ekSelection)
        return;
    int32_t anchor = top->Older->Entry.Value1;
    int32_t caret = top->Older->Entry.Value2;
    PushGroupEnd(m_groupCode, anchor, caret);
}

void UndoStack::Replay(UndoTarget& target, const std::function<void()>& steps) {
    struct RecordingOff {
        bool& flag;
        bool saved;
        ~RecordingOff() { flag = saved; }
    } recordingOff{m_recording, m_recording};
    m_recording = false;
    target.UndoBeginReplay();
    try {
        steps();
    } catch (const std::exception&) {
        // The log no longer matches the text; keep the text as it is and drop the log.
        Clear();
        target.Beep();
    }
    m_recording = recordingOff.saved;
    target.UndoEndReplay();
}

void UndoStack::UndoStep(UndoTarget& target) {
    bool inGroup = false;
    int32_t groupCode = 0;
    do {
        // A group whose beginning was trimmed away ends at the bottom of the log.
        if (inGroup && Cursor() == nullptr) return;
        const UndoEntry& marker = RequireMarker(StepDown());
        int32_t code = marker.Value1;
        if (code >= ucDragDrop && marker.GroupRole == grEnd) {
            if (inGroup) ThrowBadState();
            RequireKind(StepDown(), ekSelection);
            RequireMarker(StepDown(), code, grEnd);
            inGroup = true;
            groupCode = code;
        } else if (code >= ucDragDrop && marker.GroupRole == grBegin) {
            if (inGroup && code != groupCode) ThrowBadState();
            const UndoEntry& selection = RequireKind(StepDown(), ekSelection);
            RequireMarker(StepDown(), code, grBegin);
            target.UndoSetSelection(selection.Value1, selection.Value2);
            inGroup = false;
        } else if (code == ucReplace) {
            const UndoEntry& after = RequireKind(StepDown(), ekSelection);
            const UndoEntry& inserted = RequireKind(StepDown(), ekText);
            const UndoEntry& removed = RequireKind(StepDown(), ekText);
            const UndoEntry& before = RequireKind(StepDown(), ekSelection);
            if (RequireMarker(StepDown()).Value1 != code) ThrowBadState();
            // From the start of the old selection to the end of the new one: the inserted text.
            int32_t from = std::min(before.Value1, before.Value2);
            int32_t to = std::max(after.Value1, after.Value2);
            if (from < 0 || static_cast<int64_t>(to) - from != TextLength(inserted))
                ThrowBadState();
            target.UndoReplace(from, to, TextOf(removed));
            target.UndoSetSelection(before.Value1, before.Value2);
            if (InIndentGroup(inGroup, groupCode)) target.UndoResetRescanStart();
        } else {
            ThrowBadState();
        }
    } while (inGroup);
}

void UndoStack::RedoStep(UndoTarget& target) {
    bool inGroup = false;
    int32_t groupCode = 0;
    do {
        // A group whose end is missing ends at the top of the log.
        if (inGroup && AtTop()) return;
        const UndoEntry& marker = RequireMarker(StepUp());
        int32_t code = marker.Value1;
        if (code >= ucDragDrop && marker.GroupRole == grBegin) {
            if (inGroup) ThrowBadState();
            RequireKind(StepUp(), ekSelection);
            RequireMarker(StepUp(), code, grBegin);
            inGroup = true;
            groupCode = code;
        } else if (code >= ucDragDrop && marker.GroupRole == grEnd) {
            if (inGroup && code != groupCode) ThrowBadState();
            const UndoEntry& selection = RequireKind(StepUp(), ekSelection);
            RequireMarker(StepUp(), code, grEnd);
            target.UndoSetSelection(selection.Value1, selection.Value2);
            inGroup = false;
        } else if (code == ucReplace) {
            const UndoEntry& before = RequireKind(StepUp(), ekSelection);
            const UndoEntry& removed = RequireKind(StepUp(), ekText);
            const UndoEntry& inserted = RequireKind(StepUp(), ekText);
            const UndoEntry& after = RequireKind(StepUp(), ekSelection);
            if (RequireMarker(StepUp()).Value1 != code) ThrowBadState();
            int32_t from = std::min(before.Value1, before.Value2);
            int32_t to = std::max(before.Value1, before.Value2);
            if (from < 0 || static_cast<int64_t>(to) - from != TextLength(removed)) ThrowBadState();
            target.UndoReplace(from, to, TextOf(inserted));
            target.UndoSetSelection(after.Value1, after.Value2);
            if (InIndentGroup(inGroup, groupCode)) target.UndoResetRescanStart();
        } else {
            ThrowBadState();
        }
    } while (inGroup);
}

void UndoStack::UndoTo(UndoTarget& target, Node node) {
    if (!node) return;
    CloseGroupForReplay();
    bool above = false;
    for (const StackNode* p = Cursor() ? Cursor()->Newer : Bottom(); p && !above; p = p->Newer)
        above = p == node;
    bool atOrBelow = false;
    for (const StackNode* p = Cursor(); p && !above && !atOrBelow; p = p->Older)
        atOrBelow = p == node;
    if (!above && !atOrBelow) return;

    Replay(target, [&] {
        if (above) {
            // Redo until the cursor has passed the node.
            while (!AtTop()) {
                const StackNode* from = Cursor();
                RedoStep(target);
                for (const StackNode* p = from ? from->Newer : Bottom(); p; p = p->Newer) {
                    if (p == node) return;
                    if (p == Cursor()) break;
                }
            }
            return;
        }
        // Undo until the cursor is the node, then the step that begins there.
        while (Cursor() != node && Cursor() != nullptr) {
            const StackNode* from = Cursor();
            UndoStep(target);
            // A node inside a step (not at its top) is reversed with that step.
            for (const StackNode* p = from; p != Cursor(); p = p->Older)
                if (p == node) return;
        }
        if (Cursor() == node) UndoStep(target);
    });
}

// Listing ----------------------------------------------------------------------------------

void UndoStack::StartListing() {
    m_enumCursor = Cursor();
    m_enumExhausted = Empty();
}

bool UndoStack::HasUndoGroup() const {
    return !m_enumExhausted && FindMarker(m_enumCursor, grEnd, true) != nullptr;
}

bool UndoStack::HasRedoGroup() const {
    if (m_enumExhausted) return false;
    return FindMarker(m_enumCursor ? m_enumCursor->Newer : Bottom(), grBegin, false) != nullptr;
}

bool UndoStack::NextUndoGroup(bool merge, int32_t& code, Node& node) {
    if (m_enumExhausted) return false;
    const StackNode* end = FindMarker(m_enumCursor, grEnd, true);
    if (!end) {
        m_enumCursor = nullptr;
        m_enumExhausted = true;
        return false;
    }
    code = end->Entry.Value1;
    for (;;) {
        node = end;
        // The begin triple: its upper marker, the selection at the start, its lower marker.
        const StackNode* begin = FindMarker(end->Older, grBegin, true);
        const StackNode* startSelection = begin ? begin->Older : nullptr;
        const StackNode* lower = startSelection ? startSelection->Older : nullptr;
        m_enumCursor = lower ? lower->Older : nullptr;
        if (!m_enumCursor) m_enumExhausted = true;
        if (!merge || m_enumExhausted || startSelection->Entry.Kind != ekSelection) return true;

        const StackNode* older = FindMarker(m_enumCursor, grEnd, true);
        if (!older || older->Entry.Value1 != code || !older->Older ||
            older->Older->Entry.Kind != ekSelection ||
            !SameSelection(older->Older->Entry, startSelection->Entry))
            return true;
        end = older;
    }
}

bool UndoStack::NextRedoGroup(bool merge, int32_t& code, Node& node) {
    if (m_enumExhausted) return false;
    const StackNode* begin =
        FindMarker(m_enumCursor ? m_enumCursor->Newer : Bottom(), grBegin, false);
    if (!begin) {
        m_enumCursor = Top();
        return false;
    }
    code = begin->Entry.Value1;
    for (;;) {
        node = begin;
        // The end triple: its lower marker, the selection at the end, its upper marker.
        const StackNode* end = FindMarker(begin->Newer, grEnd, false);
        const StackNode* endSelection = end ? end->Newer : nullptr;
        const StackNode* upper = endSelection ? endSelection->Newer : nullptr;
        m_enumCursor = upper ? upper : Top();
        if (!merge || !upper || endSelection->Entry.Kind != ekSelection) return true;

        const StackNode* newer = FindMarker(upper->Newer, grBegin, false);
        if (!newer || newer->Entry.Value1 != code || !newer->Newer ||
            newer->Newer->Entry.Kind != ekSelection ||
            !SameSelection(newer->Newer->Entry, endSelection->Entry))
            return true;
        begin = newer;
    }
}

}  // namespace quinkle
