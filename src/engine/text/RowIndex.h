// The ordered sequence of rows with offset and row-number lookups in O(log n).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/text/TextRow.h"

namespace quinkle {

/// Holds the document's rows in order, in blocks of a few hundred, with Fenwick trees of
/// the blocks' character, row and line-end counts. Finding the row of an offset, the offset
/// of a row, the row with a given number or the logical line of a row costs
/// O(log blocks + block size); typing into a row costs O(log blocks). The index does not own
/// the rows: the store frees them.
class RowIndex {
public:
    struct Location {
        int32_t Row = 0;          ///< row number
        int32_t RowStart = 0;     ///< offset of the row's first character
        TextRow* Text = nullptr;  ///< the row itself
        size_t Block = 0;         ///< where the row sits; valid until the index changes
        int32_t Local = 0;
    };

    int32_t RowCount() const { return m_rowCount; }
    int32_t CharCount() const { return m_charCount; }

    /// The row with number `row`; `row` must be in [0, RowCount()).
    TextRow* Row(int32_t row) const;
    /// The row containing `offset`: the one whose [start, start+Len) holds it. An offset at
    /// or beyond the document's end gives the last row. The index must not be empty.
    Location Locate(int32_t offset) const;
    /// Offset of the row's first character; for row >= RowCount() the character count.
    int32_t RowStart(int32_t row) const;

    /// The logical line `row` belongs to: the number of rows before it that end with CR.
    /// `row` may be RowCount() (the place after the last row).
    int32_t LineOfRow(int32_t row) const;
    /// The first row of logical line `line`; RowCount() when the text has fewer lines.
    int32_t FirstRowOfLine(int32_t line) const;

    /// Replaces `count` rows from `first` by `rows` (which may be empty). The replaced rows
    /// are not freed.
    void Replace(int32_t first, int32_t count, std::span<TextRow* const> rows);
    /// Adds `rows` after the last row: what Replace(RowCount(), 0, rows) does, at less cost
    /// for a text built from its start.
    void Append(std::span<TextRow* const> rows);
    /// Puts `row` in place of the located row after it moved in memory or changed length;
    /// `at` must come from Locate with no change to the index since.
    void Update(const Location& at, TextRow* row);
    /// Forgets every row (without freeing them).
    void Clear();

    /// Calls `visit` with each row from number `first` on, in order, until it returns false.
    template <class Visit>
    void VisitRows(int32_t first, Visit&& visit) const {
        if (first < 0 || first >= m_rowCount) return;
        BlockPos pos = FindRowBlock(first);
        for (size_t b = pos.Block; b < m_blocks.size(); ++b) {
            const auto& rows = m_blocks[b].Rows;
            for (size_t i = b == pos.Block ? pos.Local : 0; i < rows.size(); ++i)
                if (!visit(rows[i])) return;
        }
    }

    /// Checks every internal sum against the rows; for tests.
    bool Check() const;

private:
    struct Block {
        std::vector<TextRow*> Rows;
        std::vector<uint16_t> Lens;  // copies of the rows' Len, scanned without touching rows
        std::vector<uint8_t> Ends;   // 1 where the row ends with CR; kept as rows move in memory
        int32_t Chars = 0;
        int32_t Lines = 0;  // rows ending with CR
    };
    struct BlockPos {
        size_t Block = 0;
        int32_t Local = 0;
    };

    BlockPos Descend(const std::vector<int32_t>& tree, int32_t value) const;
    BlockPos FindRowBlock(int32_t row) const;
    int32_t PrefixChars(size_t block) const;
    int32_t PrefixRows(size_t block) const;
    int32_t PrefixLines(size_t block) const;
    void AddToTrees(size_t block, int32_t chars, int32_t rows, int32_t lines);
    void RebuildTrees();
    void Rebalance(size_t block);

    std::vector<Block> m_blocks;
    std::vector<int32_t> m_charTree;  // Fenwick tree over the blocks' character counts
    std::vector<int32_t> m_rowTree;   // Fenwick tree over the blocks' row counts
    std::vector<int32_t> m_lineTree;  // Fenwick tree over the blocks' counts of rows ending with CR
    int32_t m_rowCount = 0;
    int32_t m_charCount = 0;
};

}  // namespace quinkle
