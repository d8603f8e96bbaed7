// The rows of a text store as a character reader.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/search/CharReader.h"

namespace quinkle {

class TextStore;
struct TextRow;

/// Offers a store's rows as the pieces of its text. It keeps a table of the rows around the
/// offsets read last, so that walking forwards or backwards costs a table step per row and
/// only a jump elsewhere looks rows up in the store. The store must not change while the
/// reader is in use.
class StoreReader : public CharReader {
public:
    explicit StoreReader(const TextStore& store);
    int32_t Length() const override { return m_length; }
    Piece PieceAt(int32_t offset) const override;
    void VisitPieces(int32_t from, int32_t to,
                     const std::function<bool(const Piece&)>& visit) const override;

private:
    struct Entry {
        int32_t Start;
        const TextRow* Row;
    };
    bool Holds(size_t index, int32_t offset) const;
    /// The table index of the row holding `offset`, loading the rows around it if needed.
    size_t IndexOf(int32_t offset) const;
    /// Fills the table with the rows around `offset`.
    void Load(int32_t offset) const;

    const TextStore& m_store;
    int32_t m_length;
    mutable std::vector<Entry> m_rows;
    mutable size_t m_hint = 0;
};

}  // namespace quinkle
