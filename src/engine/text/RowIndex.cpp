// Blocked row sequence with Fenwick trees over the blocks.
#include "engine/text/RowIndex.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <numeric>

namespace quinkle {
namespace {

constexpr size_t kBlockRows = 256;     // rows per block after a split
constexpr size_t kMaxBlockRows = 512;  // a larger block is split
constexpr size_t kMinBlockRows = 64;   // a smaller block is merged with a neighbour

int32_t SumLens(const std::vector<uint16_t>& lens, size_t from, size_t to) {
    int32_t sum = 0;
    for (size_t i = from; i < to; ++i) sum += lens[i];
    return sum;
}

int32_t SumEnds(const std::vector<uint8_t>& ends, size_t from, size_t to) {
    int32_t sum = 0;
    for (size_t i = from; i < to; ++i) sum += ends[i];
    return sum;
}

}  // namespace

TextRow* RowIndex::Row(int32_t row) const {
    assert(row >= 0 && row < m_rowCount);
    BlockPos pos = FindRowBlock(row);
    return m_blocks[pos.Block].Rows[pos.Local];
}

RowIndex::BlockPos RowIndex::Descend(const std::vector<int32_t>& tree, int32_t value) const {
    // Fenwick descent: the number of blocks whose counts sum to at most `value`.
    size_t n = m_blocks.size();
    size_t pos = 0;
    for (size_t step = std::bit_floor(n); step > 0; step >>= 1) {
        if (pos + step <= n && tree[pos + step] <= value) {
            pos += step;
            value -= tree[pos];
        }
    }
    return {pos, value};
}

RowIndex::BlockPos RowIndex::FindRowBlock(int32_t row) const {
    auto [pos, rest] = Descend(m_rowTree, row);
    size_t n = m_blocks.size();
    if (pos == n) {  // one past the last row: the end of the last block
        return {n - 1, static_cast<int32_t>(m_blocks[n - 1].Rows.size())};
    }
    return {pos, rest};
}

RowIndex::Location RowIndex::Locate(int32_t offset) const {
    assert(m_rowCount > 0);
    if (offset >= m_charCount) {
        size_t block = m_blocks.size() - 1;
        auto local = static_cast<int32_t>(m_blocks[block].Rows.size()) - 1;
        TextRow* row = m_blocks[block].Rows[local];
        return {m_rowCount - 1, m_charCount - row->Len, row, block, local};
    }
    if (offset < 0) offset = 0;
    auto [pos, rest] = Descend(m_charTree, offset);
    const Block& block = m_blocks[pos];
    int32_t local = 0;
    while (rest >= block.Lens[local]) rest -= block.Lens[local++];
    return {PrefixRows(pos) + local, offset - rest, block.Rows[local], pos, local};
}

int32_t RowIndex::RowStart(int32_t row) const {
    if (row >= m_rowCount) return m_charCount;
    if (row <= 0) return 0;
    BlockPos pos = FindRowBlock(row);
    return PrefixChars(pos.Block) + SumLens(m_blocks[pos.Block].Lens, 0, pos.Local);
}

int32_t RowIndex::LineOfRow(int32_t row) const {
    if (row <= 0) return 0;
    if (row >= m_rowCount) return PrefixLines(m_blocks.size());
    BlockPos pos = FindRowBlock(row);
    return PrefixLines(pos.Block) + SumEnds(m_blocks[pos.Block].Ends, 0, pos.Local);
}

int32_t RowIndex::FirstRowOfLine(int32_t line) const {
    if (line <= 0) return 0;
    if (line > PrefixLines(m_blocks.size())) return m_rowCount;
    // The line starts after the line-th row ending with CR.
    auto [pos, rest] = Descend(m_lineTree, line - 1);
    const std::vector<uint8_t>& ends = m_blocks[pos].Ends;
    int32_t local = 0;
    while (rest > 0 || ends[local] == 0) rest -= ends[local++];
    return PrefixRows(pos) + local + 1;
}

int32_t RowIndex::PrefixChars(size_t block) const {
    int32_t sum = 0;
    for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += m_charTree[i];
    return sum;
}

int32_t RowIndex::PrefixRows(size_t block) const {
    int32_t sum = 0;
    for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += m_rowTree[i];
    return sum;
}

int32_t RowIndex::PrefixLines(size_t block) const {
    int32_t sum = 0;
    for (size_t i = block; i > 0; i -= i & (~i + 1)) sum += m_lineTree[i];
    return sum;
}

void RowIndex::AddToTrees(size_t block, int32_t chars, int32_t rows, int32_t lines) {
    for (size_t i = block + 1; i < m_charTree.size(); i += i & (~i + 1)) {
        m_charTree[i] += chars;
        m_rowTree[i] += rows;
        m_lineTree[i] += lines;
    }
}

void RowIndex::RebuildTrees() {
    size_t n = m_blocks.size();
    m_charTree.assign(n + 1, 0);
    m_rowTree.assign(n + 1, 0);
    m_lineTree.assign(n + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        m_charTree[i] += m_blocks[i - 1].Chars;
        m_rowTree[i] += static_cast<int32_t>(m_blocks[i - 1].Rows.size());
        m_lineTree[i] += m_blocks[i - 1].Lines;
        size_t parent = i + (i & (~i + 1));
        if (parent <= n) {
            m_charTree[parent] += m_charTree[i];
            m_rowTree[parent] += m_rowTree[i];
            m_lineTree[parent] += m_lineTree[i];
        }
    }
}

void RowIndex::Update(const Location& at, TextRow* row) {
    Block& block = m_blocks[at.Block];
    int32_t delta = row->Len - block.Lens[at.Local];
    uint8_t ends = row->EndsWithCR() ? 1 : 0;
    int32_t lineDelta = ends - block.Ends[at.Local];
    block.Rows[at.Local] = row;
    block.Lens[at.Local] = row->Len;
    block.Ends[at.Local] = ends;
    block.Chars += delta;
    block.Lines += lineDelta;
    m_charCount += delta;
    if (delta != 0 || lineDelta != 0) AddToTrees(at.Block, delta, 0, lineDelta);
}

void RowIndex::Clear() {
    m_blocks.clear();
    m_charTree.assign(1, 0);
    m_rowTree.assign(1, 0);
    m_lineTree.assign(1, 0);
    m_rowCount = 0;
    m_charCount = 0;
}

void RowIndex::Replace(int32_t first, int32_t count, std::span<TextRow* const> rows) {
    assert(first >= 0 && count >= 0 && first + count <= m_rowCount);
    if (m_blocks.empty()) {
        if (rows.empty()) return;
        m_blocks.emplace_back();
        RebuildTrees();
    }
    BlockPos at = FindRowBlock(first);
    bool reshaped = false;

    // Remove `count` rows starting at `at`, block by block.
    int32_t removedChars = 0;
    int32_t removedLines = 0;
    int32_t toRemove = count;
    size_t b = at.Block;
    size_t local = at.Local;
    while (toRemove > 0) {
        Block& block = m_blocks[b];
        size_t take = std::min<size_t>(toRemove, block.Rows.size() - local);
        int32_t chars = SumLens(block.Lens, local, local + take);
        int32_t lines = SumEnds(block.Ends, local, local + take);
        block.Rows.erase(block.Rows.begin() + local, block.Rows.begin() + local + take);
        block.Lens.erase(block.Lens.begin() + local, block.Lens.begin() + local + take);
        block.Ends.erase(block.Ends.begin() + local, block.Ends.begin() + local + take);
        block.Chars -= chars;
        block.Lines -= lines;
        removedChars += chars;
        removedLines += lines;
        toRemove -= static_cast<int32_t>(take);
        if (b != at.Block) reshaped = true;
        ++b;
        local = 0;
    }

    // Insert the new rows where the removed ones stood.
    Block& target = m_blocks[at.Block];
    int32_t addedChars = 0;
    int32_t addedLines = 0;
    std::vector<uint16_t> lens;
    std::vector<uint8_t> ends;
    lens.reserve(rows.size());
    ends.reserve(rows.size());
    for (TextRow* row : rows) {
        lens.push_back(row->Len);
        ends.push_back(row->EndsWithCR() ? 1 : 0);
        addedChars += row->Len;
        addedLines += ends.back();
    }
    target.Rows.insert(target.Rows.begin() + at.Local, rows.begin(), rows.end());
    target.Lens.insert(target.Lens.begin() + at.Local, lens.begin(), lens.end());
    target.Ends.insert(target.Ends.begin() + at.Local, ends.begin(), ends.end());
    target.Chars += addedChars;
    target.Lines += addedLines;

    m_rowCount += static_cast<int32_t>(rows.size()) - count;
    m_charCount += addedChars - removedChars;

    if (reshaped) {
        std::erase_if(m_blocks, [](const Block& block) { return block.Rows.empty(); });
        RebuildTrees();
        if (!m_blocks.empty()) {
            at = FindRowBlock(std::min(first, m_rowCount - 1));
            Rebalance(at.Block);
        }
        return;
    }
    AddToTrees(at.Block, addedChars - removedChars, static_cast<int32_t>(rows.size()) - count,
               addedLines - removedLines);
    Rebalance(at.Block);
}

void RowIndex::Append(std::span<TextRow* const> rows) {
    for (size_t at = 0; at < rows.size();) {
        if (m_blocks.empty() || m_blocks.back().Rows.size() >= kBlockRows) {
            m_blocks.emplace_back();
            Block& block = m_blocks.back();
            block.Rows.reserve(kBlockRows);
            block.Lens.reserve(kBlockRows);
            block.Ends.reserve(kBlockRows);
        }
        Block& block = m_blocks.back();
        const size_t take = std::min(kBlockRows - block.Rows.size(), rows.size() - at);
        const size_t first = block.Rows.size();
        block.Rows.insert(block.Rows.end(), rows.begin() + at, rows.begin() + at + take);
        block.Lens.resize(first + take);
        block.Ends.resize(first + take);
        int32_t chars = 0;
        int32_t lines = 0;
        for (size_t i = 0; i < take; ++i) {
            const TextRow* row = rows[at + i];
            const uint8_t ends = row->EndsWithCR() ? 1 : 0;
            block.Lens[first + i] = row->Len;
            block.Ends[first + i] = ends;
            chars += row->Len;
            lines += ends;
        }
        block.Chars += chars;
        block.Lines += lines;
        m_charCount += chars;
        m_rowCount += static_cast<int32_t>(take);
        at += take;
    }
    if (!rows.empty()) RebuildTrees();
}

void RowIndex::Rebalance(size_t index) {
    if (index >= m_blocks.size()) return;
    size_t size = m_blocks[index].Rows.size();
    if (size == 0 && m_blocks.size() == 1) {
        Clear();
        return;
    }
    if (size == 0 || (size < kMinBlockRows && m_blocks.size() > 1)) {
        // Merge into a neighbour, then split again below when that grew too large.
        size_t into = index + 1 < m_blocks.size() ? index + 1 : index - 1;
        Block& from = m_blocks[index];
        Block& to = m_blocks[into];
        auto rowPos = into > index ? to.Rows.begin() : to.Rows.end();
        auto lenPos = into > index ? to.Lens.begin() : to.Lens.end();
        auto endPos = into > index ? to.Ends.begin() : to.Ends.end();
        to.Rows.insert(rowPos, from.Rows.begin(), from.Rows.end());
        to.Lens.insert(lenPos, from.Lens.begin(), from.Lens.end());
        to.Ends.insert(endPos, from.Ends.begin(), from.Ends.end());
        to.Chars += from.Chars;
        to.Lines += from.Lines;
        m_blocks.erase(m_blocks.begin() + index);
        index = into > index ? index : into;
    } else if (size <= kMaxBlockRows) {
        return;
    }
    if (m_blocks.empty()) {
        RebuildTrees();
        return;
    }
    Block& big = m_blocks[index];
    if (big.Rows.size() > kMaxBlockRows) {
        std::vector<Block> pieces;
        for (size_t from = 0; from < big.Rows.size(); from += kBlockRows) {
            size_t to = std::min(big.Rows.size(), from + kBlockRows);
            Block piece;
            piece.Rows.assign(big.Rows.begin() + from, big.Rows.begin() + to);
            piece.Lens.assign(big.Lens.begin() + from, big.Lens.begin() + to);
            piece.Ends.assign(big.Ends.begin() + from, big.Ends.begin() + to);
            piece.Chars = SumLens(piece.Lens, 0, piece.Lens.size());
            piece.Lines = SumEnds(piece.Ends, 0, piece.Ends.size());
            pieces.push_back(std::move(piece));
        }
        m_blocks.erase(m_blocks.begin() + index);
        m_blocks.insert(m_blocks.begin() + index, std::make_move_iterator(pieces.begin()),
                        std::make_move_iterator(pieces.end()));
    }
    RebuildTrees();
}

bool RowIndex::Check() const {
    int32_t rows = 0;
    int32_t chars = 0;
    int32_t lines = 0;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        const Block& block = m_blocks[b];
        if (block.Rows.empty() || block.Rows.size() != block.Lens.size() ||
            block.Rows.size() != block.Ends.size())
            return false;
        if (PrefixChars(b) != chars || PrefixRows(b) != rows || PrefixLines(b) != lines)
            return false;
        int32_t blockChars = 0;
        int32_t blockLines = 0;
        for (size_t i = 0; i < block.Rows.size(); ++i) {
            if (block.Rows[i]->Len != block.Lens[i]) return false;
            if (block.Rows[i]->EndsWithCR() != (block.Ends[i] != 0)) return false;
            blockChars += block.Lens[i];
            blockLines += block.Ends[i];
        }
        if (blockChars != block.Chars || blockLines != block.Lines) return false;
        chars += blockChars;
        lines += blockLines;
        rows += static_cast<int32_t>(block.Rows.size());
    }
    return rows == m_rowCount && chars == m_charCount;
}

}  // namespace quinkle
