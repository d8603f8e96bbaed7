// The editor's commands 0-45 and the key path that reaches them.
#include "engine/editor/SourceEditor.h"

namespace quinkle {
namespace {

// Command codes of the key map.
enum Command : int32_t {
    cmCursorLeft = 0,
    cmDocumentEnd = 11,
    cmCut = 12,
    cmCopy = 13,
    cmPaste = 14,
    cmDeleteChar = 15,
    cmBackspace = 16,
    cmIndent = 17,
    cmUnindent = 18,
    cmToggleInsert = 19,
    cmSetBookmark0 = 20,
    cmGotoBookmark0 = 30,
    cmDeleteLine = 40,
    cmUndo = 41,
    cmRedo = 42,
    cmDeletePreviousWord = 43,
    cmPrintSelection = 44,
    cmDeleteNextWord = 45,
};

}  // namespace

bool SourceEditor::ProcessKey(uint16_t key) {
    // A key that does not complete a started sequence is dropped, not typed: the user
    // was not typing text when they began the sequence.
    bool inSequence = Settings().Keys.InSequence();
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
    ChangeBatch batch(*this);
    if (code >= cmCursorLeft && code <= cmDocumentEnd) {
        MoveCaret(static_cast<Move>(code), extend);
        return;
    }
    if (code >= cmSetBookmark0 && code < cmSetBookmark0 + 10) {
        SetBookmark(code - cmSetBookmark0);
        return;
    }
    if (code >= cmGotoBookmark0 && code < cmGotoBookmark0 + 10) {
        GotoBookmark(code - cmGotoBookmark0);
        return;
    }
    switch (code) {
        case cmCut:
            if (m_clipboard) CutToClipboard(*m_clipboard);
            break;
        case cmCopy:
            if (m_clipboard) CopyToClipboard(*m_clipboard);
            break;
        case cmPaste:
            if (m_clipboard) PasteFromClipboard(*m_clipboard);
            break;
        case cmDeleteChar:
            DeleteCharAtCaret();
            break;
        case cmBackspace:
            DeleteCharBeforeCaret();
            break;
        case cmIndent:
            IndentBlock(0, false);
            break;
        case cmUnindent:
            UnindentBlock(0);
            break;
        case cmToggleInsert:
            m_insertMode = !m_insertMode;
            m_changed = true;  // the caret changes shape
            break;
        case cmDeleteLine:
            DeleteCurrentLine();
            break;
        case cmUndo:
            if (!ReadOnly) Undo();
            break;
        case cmRedo:
            if (!ReadOnly) Redo();
            break;
        case cmDeletePreviousWord:
            DeletePreviousWord();
            break;
        case cmPrintSelection:
            if (OnPrintSelection) OnPrintSelection();
            break;
        case cmDeleteNextWord:
            DeleteNextWord();
            break;
        default:
            break;  // the host's own commands
    }
}

}  // namespace quinkle
