// The adaptive code tree, the position code table and the decoder of the LZH method.
#include "engine/scheme/LzhReader.h"

#include <algorithm>
#include <memory>
#include <new>

#include "engine/scheme/Compressor.h"

namespace quinkle {

namespace {

using P = LzhParameters;

// Number of position codes of each length 3..8.
constexpr std::array<int, 6> kCodesOfLength = {1, 3, 8, 12, 24, 16};

// Bits read most significant first; reading past the end is an error.
class BitSource {
public:
    explicit BitSource(std::string_view bytes) : m_bytes(bytes) {}

    int Bit() {
        if (m_bit >= m_bytes.size() * 8) throw ECompressorException(compressor_message::kReadError);
        const auto byte = static_cast<unsigned char>(m_bytes[m_bit >> 3]);
        const int bit = (byte >> (7 - (m_bit & 7))) & 1;
        ++m_bit;
        return bit;
    }

    unsigned Bits(int count) {
        unsigned value = 0;
        for (int i = 0; i < count; ++i) value = (value << 1) | static_cast<unsigned>(Bit());
        return value;
    }

    /// Bits still unread.
    size_t Left() const { return m_bytes.size() * 8 - m_bit; }

private:
    std::string_view m_bytes;
    size_t m_bit = 0;
};

int DecodePosition(BitSource& bits) {
    const LzhPositionCode& table = LzhPositionCode::Table();
    const unsigned first = bits.Bits(8);
    const int upper = table.UpperOfPrefix[first];
    const int more = table.Length[upper] - 2;
    const unsigned low = ((first << more) | bits.Bits(more)) & 0x3F;
    return (upper << 6) | static_cast<int>(low);
}

}  // namespace

const LzhPositionCode& LzhPositionCode::Table() {
    static const LzhPositionCode table = [] {
        // Canonical assignment: codes of one length count up, and the first code of the next
        // length is the one after the last, shifted left.
        LzhPositionCode t;
        unsigned code = 0;
        int upper = 0;
        for (int length = 3; length <= 8; ++length) {
            for (int i = 0; i < kCodesOfLength[length - 3]; ++i, ++upper, ++code) {
                t.Length[upper] = static_cast<uint8_t>(length);
                t.Code[upper] = static_cast<uint8_t>(code << (8 - length));
                for (unsigned rest = 0; rest < (1u << (8 - length)); ++rest)
                    t.UpperOfPrefix[t.Code[upper] | rest] = static_cast<uint8_t>(upper);
            }
            code <<= 1;
        }
        return t;
    }();
    return table;
}

LzhCodeTree::LzhCodeTree() {
    for (int i = 0; i < P::kSymbols; ++i) {
        m_freq[i] = 1;
        m_son[i] = i + P::kNodes;
        m_parent[i + P::kNodes] = i;
    }
    for (int i = 0, j = P::kSymbols; j <= P::kRoot; i += 2, ++j) {
        m_freq[j] = m_freq[i] + m_freq[i + 1];
        m_son[j] = i;
        m_parent[i] = m_parent[i + 1] = j;
    }
    m_freq[P::kNodes] = 0xFFFF;  // stops the search for a larger frequency in Update
    m_parent[P::kRoot] = 0;
}

std::vector<bool> LzhCodeTree::CodeOf(int symbol) const {
    std::vector<bool> bits;
    for (int node = m_parent[symbol + P::kNodes]; node != P::kRoot; node = m_parent[node])
        bits.push_back((node & 1) != 0);
    std::reverse(bits.begin(), bits.end());
    return bits;
}

void LzhCodeTree::Rebuild() {
    // Gather the leaves at the front with halved frequencies (rounded up).
    int leaves = 0;
    for (int i = 0; i < P::kNodes; ++i) {
        if (m_son[i] >= P::kNodes) {
            m_freq[leaves] = (m_freq[i] + 1) / 2;
            m_son[leaves] = m_son[i];
            ++leaves;
        }
    }
    // Join pairs in order, inserting each new node where its frequency keeps the order.
    for (int i = 0, j = P::kSymbols; j < P::kNodes; i += 2, ++j) {
        const unsigned f = m_freq[i] + m_freq[i + 1];
        int k = j - 1;
        while (f < m_freq[k]) --k;
        ++k;
        std::copy_backward(m_freq.begin() + k, m_freq.begin() + j, m_freq.begin() + j + 1);
        std::copy_backward(m_son.begin() + k, m_son.begin() + j, m_son.begin() + j + 1);
        m_freq[k] = f;
        m_son[k] = i;
    }
    for (int i = 0; i < P::kNodes; ++i) {
        const int k = m_son[i];
        if (k >= P::kNodes) {
            m_parent[k] = i;
        } else {
            m_parent[k] = m_parent[k + 1] = i;
        }
    }
}

void LzhCodeTree::Update(int symbol) {
    if (m_freq[P::kRoot] == P::kMaxFrequency) Rebuild();
    int c = m_parent[symbol + P::kNodes];
    do {
        const unsigned k = ++m_freq[c];
        // A node that now outweighs its right neighbours swaps places with the last of them
        // that is lighter, children and all.
        int l = c + 1;
        if (k > m_freq[l]) {
            while (k > m_freq[++l]) {
            }
            --l;
            m_freq[c] = m_freq[l];
            m_freq[l] = k;

            const int i = m_son[c];
            m_parent[i] = l;
            if (i < P::kNodes) m_parent[i + 1] = l;

            const int j = m_son[l];
            m_son[l] = i;
            m_parent[j] = c;
            if (j < P::kNodes) m_parent[j + 1] = c;
            m_son[c] = j;

            c = l;
        }
        c = m_parent[c];
    } while (c != 0);
}

std::string LzhReader::Decompress(std::string_view body) {
    if (body.size() < 4) throw ECompressorException(compressor_message::kReadError);
    uint32_t stated = 0;
    for (int i = 3; i >= 0; --i) stated = (stated << 8) | static_cast<unsigned char>(body[i]);
    const auto original = static_cast<int32_t>(stated);
    if (original < 0) throw ECompressorException(compressor_message::kLzhSizeMismatch);

    std::unique_ptr<LzhCodeTree> tree;
    std::unique_ptr<std::array<unsigned char, P::kRingSize>> ring;
    try {
        tree = std::make_unique<LzhCodeTree>();
        ring = std::make_unique<std::array<unsigned char, P::kRingSize>>();
    } catch (const std::bad_alloc&) {
        throw ELzhException(compressor_message::kNoLzhTables);
    }
    ring->fill(' ');

    BitSource bits(body.substr(4));
    std::string out;
    // Every symbol takes at least one bit and gives at most 60 bytes.
    out.reserve(std::min<size_t>(static_cast<size_t>(original), bits.Left() * P::kLookAhead));
    const auto total = static_cast<size_t>(original);
    int r = P::kRingStart;
    while (out.size() < total) {  // each pass takes at least one bit, or throws
        const int symbol = tree->DecodeSymbol([&bits] { return bits.Bit(); });
        if (symbol < 256) {
            out.push_back(static_cast<char>(symbol));
            (*ring)[r] = static_cast<unsigned char>(symbol);
            r = (r + 1) & (P::kRingSize - 1);
            continue;
        }
        const int from = (r - DecodePosition(bits) - 1) & (P::kRingSize - 1);
        const int length = symbol - 255 + P::kThreshold;
        if (out.size() + length > total)
            throw ECompressorException(compressor_message::kLzhSizeMismatch);
        for (int k = 0; k < length; ++k) {
            const unsigned char c = (*ring)[(from + k) & (P::kRingSize - 1)];
            out.push_back(static_cast<char>(c));
            (*ring)[r] = c;
            r = (r + 1) & (P::kRingSize - 1);
        }
    }
    return out;
}

}  // namespace quinkle
