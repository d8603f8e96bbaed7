// A writer of LZH streams, used only by the tests to feed the decoder.
#include "engine/scheme/LzhTestWriter.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/scheme/Compressor.h"
#include "engine/scheme/LzhReader.h"

namespace quinkle::test {

namespace {

using P = LzhParameters;

class BitSink {
public:
    void Put(bool bit) {
        if (m_used == 0) m_bytes.push_back('\0');
        if (bit) m_bytes.back() = static_cast<char>(m_bytes.back() | (0x80 >> m_used));
        m_used = (m_used + 1) & 7;
    }
    void Put(unsigned value, int count) {
        for (int i = count - 1; i >= 0; --i) Put(((value >> i) & 1) != 0);
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    int m_used = 0;
};

}  // namespace

std::string LzhCompress(std::string_view data) {
    // The history seen by the decoder: the ring's spaces, then the data.
    const size_t start = P::kRingStart;
    const std::string history = std::string(start, ' ') + std::string(data);
    const size_t maxDistance = P::kRingStart;
    const size_t maxLength = P::kLookAhead;
    const size_t minLength = P::kThreshold + 1;

    std::unordered_map<uint32_t, std::vector<size_t>> seen;
    auto key = [&history](size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(history[at])) << 16 |
               static_cast<uint32_t>(static_cast<unsigned char>(history[at + 1])) << 8 |
               static_cast<unsigned char>(history[at + 2]);
    };
    auto remember = [&](size_t at) {
        if (at + 2 < history.size()) seen[key(at)].push_back(at);
    };
    for (size_t at = start - maxDistance; at < start; ++at) remember(at);

    LzhCodeTree tree;
    BitSink bits;
    auto code = [&](int symbol) {
        for (bool bit : tree.CodeOf(symbol)) bits.Put(bit);
        tree.Update(symbol);
    };

    size_t pos = start;
    while (pos < history.size()) {
        size_t bestLength = 0, bestDistance = 0;
        if (history.size() - pos >= minLength) {
            const auto found = seen.find(key(pos));
            if (found != seen.end()) {
                const std::vector<size_t>& places = found->second;
                int tries = 0;
                for (auto it = places.rbegin(); it != places.rend() && tries < 64; ++it, ++tries) {
                    const size_t distance = pos - *it;
                    if (distance > maxDistance) break;
                    size_t length = 0;
                    const size_t limit = std::min(maxLength, history.size() - pos);
                    while (length < limit && history[*it + length] == history[pos + length])
                        ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestDistance = distance;
                    }
                }
            }
        }
        size_t step = 1;
        if (bestLength >= minLength) {
            code(static_cast<int>(bestLength) + 255 - P::kThreshold);
            const unsigned position = static_cast<unsigned>(bestDistance - 1);
            const LzhPositionCode& table = LzhPositionCode::Table();
            const unsigned upper = position >> 6;
            bits.Put(table.Code[upper] >> (8 - table.Length[upper]), table.Length[upper]);
            bits.Put(position & 0x3F, 6);
            step = bestLength;
        } else {
            code(static_cast<unsigned char>(history[pos]));
        }
        for (size_t i = 0; i < step; ++i) remember(pos + i);
        pos += step;
    }

    std::string out(Compressor::kLzhMagic);
    const auto size = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    return out + bits.Bytes();
}

}  // namespace quinkle::test
