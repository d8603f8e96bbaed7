// Text as the search engines read it: consecutive pieces of bytes, without copying a document.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace quinkle {

/// A text of Length() bytes offered as consecutive pieces (a document's rows, or one string).
/// Offsets are byte offsets into the whole text.
class CharReader {
public:
    struct Piece {
        const char* Data = nullptr;
        int32_t Start = 0;   ///< offset of Data[0]
        int32_t Length = 0;  ///< bytes in the piece; at least 1 for a piece of a non-empty text
        int32_t End() const { return Start + Length; }
    };

    virtual ~CharReader() = default;
    virtual int32_t Length() const = 0;
    /// The piece holding `offset`; `offset` must lie in [0, Length()).
    virtual Piece PieceAt(int32_t offset) const = 0;
    /// Calls `visit` with the pieces that make up [from, to), in order, each cut to the
    /// range, until it returns false. Readers that can walk their pieces faster than
    /// PieceAt finds them one by one override it.
    virtual void VisitPieces(int32_t from, int32_t to,
                             const std::function<bool(const Piece&)>& visit) const {
        while (from < to) {
            Piece piece = PieceAt(from);
            int32_t end = piece.End() < to ? piece.End() : to;
            if (!visit({piece.Data + (from - piece.Start), from, end - from})) return;
            from = end;
        }
    }
};

/// One string as a single piece.
class StringReader : public CharReader {
public:
    explicit StringReader(std::string_view text) : m_text(text) {}
    int32_t Length() const override { return static_cast<int32_t>(m_text.size()); }
    Piece PieceAt(int32_t) const override {
        return {m_text.data(), 0, static_cast<int32_t>(m_text.size())};
    }

private:
    std::string_view m_text;
};

/// Reads single bytes at any offset, keeping the piece it read last, so that runs of nearby
/// reads cost one comparison each.
class ReaderCursor {
public:
    explicit ReaderCursor(const CharReader& reader)
        : m_reader(&reader), m_length(reader.Length()) {}

    /// Reads `reader` from now on, forgetting the piece read last.
    void Rebind(const CharReader& reader) {
        m_reader = &reader;
        m_length = reader.Length();
        m_piece = {};
    }

    int32_t Length() const { return m_length; }
    /// The byte at `offset` (0-255), or -1 outside the text.
    int At(int32_t offset) {
        if (static_cast<uint32_t>(offset - m_piece.Start) < static_cast<uint32_t>(m_piece.Length))
            return static_cast<uint8_t>(m_piece.Data[offset - m_piece.Start]);
        return Fetch(offset);
    }
    /// The piece holding `offset` (which must be inside the text).
    const CharReader::Piece& PieceAt(int32_t offset) {
        if (static_cast<uint32_t>(offset - m_piece.Start) >= static_cast<uint32_t>(m_piece.Length))
            m_piece = m_reader->PieceAt(offset);
        return m_piece;
    }

private:
    int Fetch(int32_t offset) {
        if (offset < 0 || offset >= m_length) return -1;
        m_piece = m_reader->PieceAt(offset);
        return static_cast<uint8_t>(m_piece.Data[offset - m_piece.Start]);
    }

    const CharReader* m_reader;
    int32_t m_length;
    CharReader::Piece m_piece;
};

}  // namespace quinkle
