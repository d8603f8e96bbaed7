// A file's bytes as stored text and back: its byte-order mark and encoding, its line-end
// style, and what could not be kept byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/text/LineEnds.h"

namespace quinkle {

class TextStore;

/// The line end a file is written with.
enum class LineEnd : uint8_t { CRLF, LF, CR };

/// How a file's characters are written: its bytes as they are (UTF-8 or the charset its text
/// declares), or a Unicode encoding form that starts with its byte-order mark.
enum class FileEncoding : uint8_t { Bytes, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

/// The form a document is saved in: what it was loaded from, LF line ends for a new one.
struct FileForm {
    FileEncoding Encoding = FileEncoding::Bytes;
    LineEnd LineEnds = LineEnd::LF;
    bool operator==(const FileForm&) const = default;
};

/// What decoding a file found out.
struct FileFacts {
    /// The encoding of its mark, and its most frequent line end (LF when it has none).
    FileForm Form;
    /// It held line ends of more than one kind, or LF CR pairs: saving unifies them.
    bool MixedLineEnds = false;
    /// It has NUL bytes and no byte-order mark.
    bool Binary = false;
    /// Its mark promised UTF-16 or UTF-32, but some units are no character (a lone surrogate,
    /// a value past U+10FFFF, a cut-off unit at the end); each such unit became U+FFFD.
    bool Undecodable = false;

    /// Whether writing its stored text in Form gives back the file's bytes.
    bool Exact() const { return !MixedLineEnds && !Undecodable; }
    /// Whether the file's bytes are to be kept beside its text until it is edited: a binary
    /// whose line ends would be unified, or a text that did not decode. (A text file with
    /// mixed line ends is saved unified, as its load notice says.)
    bool KeepsLoadedBytes() const { return (Binary && MixedLineEnds) || Undecodable; }
};

/// "CR LF", "LF" or "CR".
std::string_view LineEndName(LineEnd lineEnd);
/// "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE"; empty for plain bytes.
std::string_view FileEncodingName(FileEncoding encoding);

/// Turns a file's bytes, given piece by piece in any cuts, into stored text. The first bytes
/// are looked at for a byte-order mark: after a UTF-16 (LE/BE) or UTF-32 (LE/BE) mark the
/// units are decoded to UTF-8 and the mark is dropped; any other file keeps its bytes. Line
/// ends then become one CR each (see LineEndNormaliser). The cost is linear in the input.
class FileTextDecoder {
public:
    /// Appends the stored form of the next piece of the file to `out`.
    void Append(std::string_view bytes, std::string& out);
    /// Ends the file: appends what the last bytes still hold back, and settles the facts.
    void Finish(std::string& out);
    /// What the file was found to be; complete after Finish.
    const FileFacts& Facts() const { return m_facts; }

private:
    enum class State : uint8_t { Sniffing, Bytes, Units };
    void Decide(std::string& out);
    void AppendBytes(std::string_view bytes, std::string& out);
    void DecodeUnits(std::string_view bytes, std::string& out);
    void AppendCodePoint(char32_t codePoint);
    void Bad();

    State m_state = State::Sniffing;
    std::string m_head;   // the first bytes, while the mark is still unknown
    std::string m_carry;  // the bytes of a unit cut by the end of a piece
    std::string m_utf8;   // decoded characters waiting for line-end normalisation
    char32_t m_high = 0;  // a high surrogate waiting for its low half
    bool m_nul = false;
    LineEndNormaliser m_lines;
    FileFacts m_facts;
};

/// Whether a file whose first bytes are `head` (all of them when it is shorter than 4 bytes)
/// starts with a UTF-16 or UTF-32 byte-order mark, or may: FileTextDecoder decodes it as units.
bool MayHaveMark(std::string_view head);

/// What FileTextDecoder finds out about a file without a byte-order mark, from the line ends
/// its normaliser counted and whether it holds a NUL byte.
FileFacts FactsOfBytes(const std::array<int64_t, lkKindCount>& lineEnds, bool nul);

/// The stored text of a whole file's bytes, and what was found out about it.
std::string DecodeFileText(std::string_view bytes, FileFacts* facts = nullptr);

/// The UTF-8 text `utf8` as `encoding` with its byte-order mark; unchanged for plain bytes.
/// A byte that starts no UTF-8 sequence stands for its Windows-1252 character, as the view
/// shows it.
std::string EncodeUnicodeForm(std::string_view utf8, FileEncoding encoding);

/// The whole stored text of `store` as a file in `form`: each CR as the form's line end,
/// then encoded.
std::string WriteFileText(const TextStore& store, FileForm form);

}  // namespace quinkle
