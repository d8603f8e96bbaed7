// The editor's commands 0-45 and the key path that reaches them.
#include "engine/editor/SourceEditor.h"
#include "engine/scheme/EditorCommand.h"

namespace quinkle {

bool SourceEditor::ProcessKey(uint16_t key) {
    // A key that does not complete a started sequence is dropped, not typed: the user
    // was not typing text when they began the sequence.
    bool inSequence = Settings().Keys.InSequence();
    if (!inSequence && OfferKeyToTemplates(key)) return true;
    KeyMatch match = Settings().Keys.ProcessKey(key);
    if (inSequence && !match.Handled) return true;
    if (match.Command >= 0) {
        int32_t code = match.Command;
        if (OnCommandRecognised) OnCommandRecognised(code);
        ExecuteCommand(code, match.Extend);
    }
    return match.Handled;
}

void SourceEditor::ExecuteCommand(int32_t code, bool extend) {
    static_assert(ecDocumentEnd - ecCursorLeft == static_cast<int32_t>(Move::DocumentEnd));
    ChangeBatch batch(*this);
    if (code >= ecCursorLeft && code <= ecDocumentEnd) {
        MoveCaret(static_cast<Move>(code - ecCursorLeft), extend);
        return;
    }
    if (code >= ecSetBookmark0 && code < ecSetBookmark0 + 10) {
        SetBookmark(code - ecSetBookmark0);
        return;
    }
    if (code >= ecGotoBookmark0 && code < ecGotoBookmark0 + 10) {
        GotoBookmark(code - ecGotoBookmark0);
        return;
    }
    switch (code) {
        case ecCut:
            if (m_clipboard) CutToClipboard(*m_clipboard);
            break;
        case ecCopy:
            if (m_clipboard) CopyToClipboard(*m_clipboard);
            break;
        case ecPaste:
            if (m_clipboard) PasteFromClipboard(*m_clipboard);
            break;
        case ecDeleteChar:
            DeleteCharAtCaret();
            break;
        case ecBackspace:
            DeleteCharBeforeCaret();
            break;
        case ecIndent:
            IndentBlock(0, false);
            break;
        case ecUnindent:
            UnindentBlock(0);
            break;
        case ecToggleInsert:
            m_insertMode = !m_insertMode;
            m_changed = true;  // the caret changes shape
            break;
        case ecDeleteLine:
            DeleteCurrentLine();
            break;
        case ecUndo:
            if (!ReadOnly) Undo();
            break;
        case ecRedo:
            if (!ReadOnly) Redo();
            break;
        case ecDeletePreviousWord:
            DeletePreviousWord();
            break;
        case ecPrintSelection:
            if (OnPrintSelection) OnPrintSelection();
            break;
        case ecDeleteNextWord:
            DeleteNextWord();
            break;
        default:
            break;  // the host's own commands
    }
}

}  // namespace quinkle
