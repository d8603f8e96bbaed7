// A test reader that offers a string in pieces cut at chosen places.
#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/search/CharReader.h"

namespace quinkle::test {

/// Offers `text` cut before each offset in `cuts`; with a seed, cut at random places.
class ChoppedReader : public CharReader {
public:
    ChoppedReader(std::string text, std::vector<int32_t> cuts) : m_text(std::move(text)) {
        m_starts.push_back(0);
        std::sort(cuts.begin(), cuts.end());
        for (int32_t cut : cuts)
            if (cut > m_starts.back() && cut < Length()) m_starts.push_back(cut);
    }
    static ChoppedReader Random(std::string text, unsigned seed, int32_t longestPiece = 5) {
        std::mt19937 random(seed);
        std::vector<int32_t> cuts;
        for (int32_t at = 0; at < static_cast<int32_t>(text.size());)
            cuts.push_back(at += 1 + static_cast<int32_t>(random() % longestPiece));
        return ChoppedReader(std::move(text), cuts);
    }

    int32_t Length() const override { return static_cast<int32_t>(m_text.size()); }
    Piece PieceAt(int32_t offset) const override {
        auto after = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
        int32_t start = *(after - 1);
        int32_t end = after == m_starts.end() ? Length() : *after;
        return {m_text.data() + start, start, end - start};
    }

private:
    std::string m_text;
    std::vector<int32_t> m_starts;
};

}  // namespace quinkle::test
