// The read side of the LZH method: its adaptive code tree, position codes and decoder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// Shape of the LZH method: a 4096-byte ring of earlier output, matches of 3..60 bytes.
struct LzhParameters {
    static constexpr int kRingSize = 4096;
    static constexpr int kLookAhead = 60;
    static constexpr int kThreshold = 2;
    /// Where the first output byte goes in the ring, which starts filled with spaces.
    static constexpr int kRingStart = kRingSize - kLookAhead;
    /// 256 literals, then the match lengths 3..60 as 256..313.
    static constexpr int kSymbols = 256 - kThreshold + kLookAhead;
    static constexpr int kNodes = 2 * kSymbols - 1;
    static constexpr int kRoot = kNodes - 1;
    /// The root frequency at which the tree is rebuilt with halved counts.
    static constexpr unsigned kMaxFrequency = 0x8000;
};

/// The fixed code of a match position's upper 6 bits: 3 to 8 bits, stored left-aligned in a
/// byte; the lower 6 bits follow as they are.
struct LzhPositionCode {
    std::array<uint8_t, 64> Length{};
    std::array<uint8_t, 64> Code{};
    /// Upper bits for every byte that starts with one of the codes.
    std::array<uint8_t, 256> UpperOfPrefix{};

    static const LzhPositionCode& Table();
};

/// The adaptive Huffman tree over the 314 symbols. Every symbol coded (either way) must be
/// followed by Update() with it, so writer and reader keep the same tree.
class LzhCodeTree {
public:
    /// The starting tree: every symbol with frequency 1.
    LzhCodeTree();

    /// Walks from the root, taking one bit (0 or 1) from nextBit per level; returns the symbol
    /// of the leaf reached and updates the tree with it.
    template <typename NextBit>
    int DecodeSymbol(NextBit&& nextBit) {
        int node = m_son[LzhParameters::kRoot];
        while (node < LzhParameters::kNodes) node = m_son[node + nextBit()];
        const int symbol = node - LzhParameters::kNodes;
        Update(symbol);
        return symbol;
    }

    /// The bits of symbol's present code, first bit first. Leaves the tree as it is.
    std::vector<bool> CodeOf(int symbol) const;

    /// Counts one more occurrence of symbol and restores the sibling order.
    void Update(int symbol);

private:
    void Rebuild();

    // Nodes are kept in ascending frequency; a node's two children sit side by side at
    // m_son[node] and m_son[node] + 1. A leaf's m_son is its symbol plus kNodes.
    std::array<unsigned, LzhParameters::kNodes + 1> m_freq{};
    std::array<int, LzhParameters::kNodes + LzhParameters::kSymbols> m_parent{};
    std::array<int, LzhParameters::kNodes> m_son{};
};

/// Decoder of LZH data.
class LzhReader {
public:
    /// The data of an LZH stream given without its magic: i32 original size, then the bit
    /// stream (most significant bit of each byte first). Throws ECompressorException with
    /// the read-error text when the bits run out, the LZH size-mismatch text when the last
    /// match runs past the stated size or the size is negative.
    static std::string Decompress(std::string_view body);
};

}  // namespace quinkle
