// The editor's option bits, kept in one 32-bit word.
#pragma once

#include <cstdint>

namespace quinkle {

enum EditorOption : uint32_t {
    smoLineNumbers = 0x1,
    smoSyntaxHighlight = 0x10,
    smoPrintWrap = 0x20,
    smoPrintLineNos = 0x40,
    smoPrintFilename = 0x80,
    smoPrintDate = 0x100,
    smoPrintPageNos = 0x200,
    smoWordWrap = 0x400,
    smoAutoIndent = 0x800,
    smoTabToColumn = 0x1000,
    smoWrapOverride = 0x2000,
    smoWordSelect = 0x4000,
    smoShowRMargin = 0x8000,
    smoShowGutter = 0x10000,
    smoShowWrapColumn = 0x20000,
    smoTitleAsFilename = 0x40000,
    smoProcessDroppedFiles = 0x80000,
    smoBlockOverwriteCursor = 0x100000,
    smoShowWrapGlyph = 0x200000,
    smoColumnTrack = 0x400000,
    smoUseTAB = 0x800000,
    smoSmartFill = 0x1000000,
    smoOLEDragSource = 0x2000000,
    smoShowAllChars = 0x4000000,
    smoCaretAfterEOL = 0x8000000,
};

/// Every option on except word wrap, wrap override, caret after end of line, line numbers
/// and showing all characters.
inline constexpr uint32_t kDefaultEditorOptions = 0x3FFDBF0;

}  // namespace quinkle
