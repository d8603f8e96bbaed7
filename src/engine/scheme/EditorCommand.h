// The codes of the editor's own commands, shared by the key map that binds keys to them and the
// editor that carries them out.
#pragma once

#include <cstdint>

namespace quinkle {

/// Codes 0-45 are the editor's own commands; higher codes may be bound to keys too and only
/// reach the host. The caret moves 0-11 follow the order of SourceEditor::Move.
enum EditorCommand : int32_t {
    ecCursorLeft = 0,
    ecCursorRight = 1,
    ecLineStart = 2,
    ecLineEnd = 3,
    ecLineUp = 4,
    ecLineDown = 5,
    ecPageUp = 6,
    ecPageDown = 7,
    ecWordBefore = 8,
    ecWordAfter = 9,
    ecDocumentStart = 10,
    ecDocumentEnd = 11,
    ecCut = 12,
    ecCopy = 13,
    ecPaste = 14,
    ecDeleteChar = 15,
    ecBackspace = 16,
    ecIndent = 17,
    ecUnindent = 18,
    ecToggleInsert = 19,
    ecSetBookmark0 = 20,   // through 29
    ecGotoBookmark0 = 30,  // through 39
    ecDeleteLine = 40,
    ecUndo = 41,
    ecRedo = 42,
    ecDeletePreviousWord = 43,
    ecPrintSelection = 44,
    ecDeleteNextWord = 45,
    ecLastEditorCommand = ecDeleteNextWord,
};

}  // namespace quinkle
