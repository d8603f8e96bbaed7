// The stored row: a header and its characters in one allocation.
#pragma once

#include <cstdint>
#include <string_view>

namespace quinkle {

/// Longest row the store keeps; longer logical lines continue on following rows.
inline constexpr int32_t kMaxRowLength = 2047;
inline constexpr char kCR = '\r';
inline constexpr char kLF = '\n';
inline constexpr char kTab = '\t';

/// Row flags.
enum RowFlag : uint32_t {
    rfRepaint = 1,  ///< the row must be repainted
    rfRescan = 2,   ///< the style bytes are invalid
    rfHasTab = 4,   ///< the row holds a TAB
    rfGuessed = 8,  ///< the style bytes were scanned from a guessed state: shown, not trusted
};

/// Mark bits: bits 0-9 are the numbered bookmarks; bit 12 marks a continuation row.
inline constexpr uint16_t kBookmarkBits = 0x03FF;
inline constexpr uint16_t kContinuationBit = 0x1000;

inline constexpr int32_t kDefaultRowColor = -1;

struct TextRow;

/// An object a client hangs on a row. It is freed with the row and passes to the row
/// that replaces it when rows are rebuilt; `Row` always points at its current row.
class TrackObject {
public:
    virtual ~TrackObject() = default;
    TextRow* Row = nullptr;
};

/// One stored row. The characters follow the header in the same allocation, NUL-terminated,
/// so a row costs one allocation. Rows are made and freed only through the functions below.
struct TextRow {
    uint16_t Len = 0;       ///< characters, including the closing CR if there is one
    uint16_t Capacity = 0;  ///< characters that fit without reallocating
    uint16_t MarkBits = 0;
    uint16_t GlyphBits = 0;
    uint32_t Flags = 0;
    int32_t RowColor1 = kDefaultRowColor;
    int32_t RowColor2 = kDefaultRowColor;
    /// For a row carved from a RowMaker's shared block, the bytes back to the block's start;
    /// 0 for a row with an allocation of its own. Kept by the row functions.
    uint32_t Carved = 0;
    uint8_t* Styles = nullptr;         ///< Len style bytes from the highlighter, or null
    TrackObject* TrackInfo = nullptr;  ///< owned; may be null

    char* Text() { return reinterpret_cast<char*>(this + 1); }
    const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
    std::string_view View() const { return {Text(), Len}; }
    bool EndsWithCR() const { return Len > 0 && Text()[Len - 1] == kCR; }
    /// Characters without the closing CR.
    int32_t TextLength() const { return EndsWithCR() ? Len - 1 : Len; }
    bool IsContinuation() const { return (MarkBits & kContinuationBit) != 0; }
};

/// Makes a row holding `text` (at most kMaxRowLength characters), flagged for repaint and
/// rescan, with rfHasTab set when the text holds a TAB.
TextRow* NewRow(std::string_view text);
/// Frees a row with its style bytes and track object.
void FreeRow(TextRow* row);
/// Makes many rows at far less cost than NewRow each: rows are carved one after another from
/// large shared blocks. A block is freed when the maker has moved on from it and the last row
/// carved from it is freed, so a row made here lives, grows and is freed like any other; the
/// blocks are not shared between threads, so such rows are freed on one thread at a time.
class RowMaker {
public:
    RowMaker() = default;
    ~RowMaker();
    RowMaker(const RowMaker&) = delete;
    RowMaker& operator=(const RowMaker&) = delete;

    /// A row as NewRow(text) makes it; `hasTab` must say whether `text` holds a TAB.
    TextRow* Make(std::string_view text, bool hasTab);
    /// A row as NewRow makes it of `text` followed by a CR (at most kMaxRowLength in all).
    TextRow* MakeLine(std::string_view text, bool hasTab);

private:
    TextRow* Carve(size_t length);
    void NextBlock(size_t need);

    char* m_block = nullptr;  // the block rows are carved from, or null
    char* m_next = nullptr;   // where the next row goes
    char* m_end = nullptr;
    size_t m_blockBytes = 0;  // the size of the last block made; blocks grow as a text does
};

/// Inserts one character into a row, growing it when needed; returns the row, which may
/// have moved. The row's style bytes are dropped and it is flagged for repaint and rescan.
TextRow* InsertCharIntoRow(TextRow* row, int32_t at, char c);
/// Drops a row's style bytes and flags it for repaint and rescan.
void InvalidateRow(TextRow* row);

}  // namespace quinkle
