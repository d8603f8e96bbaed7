// Decoding a file into stored text and writing stored text back in the file's form.
#include "engine/text/FileText.h"

#include <algorithm>
#include <cstring>

#include "engine/text/TextOutput.h"
#include "engine/text/TextStore.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDFFF; }

size_t UnitSize(FileEncoding encoding) {
    return encoding == FileEncoding::Utf16LE || encoding == FileEncoding::Utf16BE ? 2 : 4;
}

bool BigEndian(FileEncoding encoding) {
    return encoding == FileEncoding::Utf16BE || encoding == FileEncoding::Utf32BE;
}

// The encoding a file's first bytes mark, and the length of its mark (0 for none).
FileEncoding MarkOf(std::string_view head, size_t& markLength) {
    auto starts = [&](std::string_view mark) { return head.substr(0, mark.size()) == mark; };
    using namespace std::string_view_literals;
    markLength = 4;
    if (starts("\x00\x00\xFE\xFF"sv)) return FileEncoding::Utf32BE;
    if (starts("\xFF\xFE\x00\x00"sv)) return FileEncoding::Utf32LE;
    markLength = 2;
    if (starts("\xFE\xFF"sv)) return FileEncoding::Utf16BE;
    if (starts("\xFF\xFE"sv)) return FileEncoding::Utf16LE;
    markLength = 0;
    return FileEncoding::Bytes;
}

// Whether a head shorter than the longest mark may still grow into one.
bool MayStartMark(std::string_view head) {
    using namespace std::string_view_literals;
    for (std::string_view mark : {"\x00\x00\xFE\xFF"sv, "\xFF\xFE\x00\x00"sv, "\xFE\xFF"sv}) {
        size_t n = std::min(head.size(), mark.size());
        if (head.substr(0, n) == mark.substr(0, n) && head.size() < mark.size()) return true;
    }
    return false;
}

void AppendUnit(uint32_t unit, size_t size, bool bigEndian, std::string& out) {
    for (size_t i = 0; i < size; ++i) {
        size_t shift = 8 * (bigEndian ? size - 1 - i : i);
        out.push_back(static_cast<char>((unit >> shift) & 0xFF));
    }
}

}  // namespace

std::string_view LineEndName(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::CRLF:
            return "CR LF";
        case LineEnd::CR:
            return "CR";
        case LineEnd::LF:
            break;
    }
    return "LF";
}

std::string_view FileEncodingName(FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf16LE:
            return "UTF-16LE";
        case FileEncoding::Utf16BE:
            return "UTF-16BE";
        case FileEncoding::Utf32LE:
            return "UTF-32LE";
        case FileEncoding::Utf32BE:
            return "UTF-32BE";
        case FileEncoding::Bytes:
            break;
    }
    return {};
}

// ---- decoding ----

void FileTextDecoder::Append(std::string_view bytes, std::string& out) {
    if (m_state == State::Sniffing) {
        // Only a file that starts like a mark is held back, and only for its first bytes.
        m_head.append(bytes);
        if (MayStartMark(m_head)) return;
        Decide(out);
        return;
    }
    if (m_state == State::Bytes)
        AppendBytes(bytes, out);
    else
        DecodeUnits(bytes, out);
}

void FileTextDecoder::Decide(std::string& out) {
    size_t markLength = 0;
    m_facts.Form.Encoding = MarkOf(m_head, markLength);
    std::string head;
    head.swap(m_head);
    if (m_facts.Form.Encoding == FileEncoding::Bytes) {
        m_state = State::Bytes;
        AppendBytes(head, out);
    } else {
        m_state = State::Units;
        DecodeUnits(std::string_view(head).substr(markLength), out);
    }
}

void FileTextDecoder::AppendBytes(std::string_view bytes, std::string& out) {
    if (!m_nul && std::memchr(bytes.data(), 0, bytes.size()) != nullptr) m_nul = true;
    m_lines.Append(bytes, out);
}

void FileTextDecoder::Bad() {
    m_facts.Undecodable = true;
    AppendUtf8(kReplacement, m_utf8);
}

void FileTextDecoder::AppendCodePoint(char32_t codePoint) {
    if (m_high != 0) {  // a high surrogate that no low one followed
        m_high = 0;
        Bad();
    }
    AppendUtf8(codePoint, m_utf8);
}

void FileTextDecoder::DecodeUnits(std::string_view bytes, std::string& out) {
    const FileEncoding encoding = m_facts.Form.Encoding;
    const size_t size = UnitSize(encoding);
    const bool bigEndian = BigEndian(encoding);
    auto unitAt = [&](const char* p) {
        uint32_t unit = 0;
        for (size_t i = 0; i < size; ++i) {
            auto byte = static_cast<uint32_t>(static_cast<unsigned char>(p[i]));
            unit |= byte << (8 * (bigEndian ? size - 1 - i : i));
        }
        return unit;
    };
    auto decode = [&](uint32_t unit) {
        if (size == 4) {
            if (unit > 0x10FFFF || IsSurrogate(unit))
                Bad();
            else
                AppendUtf8(unit, m_utf8);
            return;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (m_high != 0) Bad();
            m_high = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (m_high == 0) {
                Bad();
            } else {
                AppendUtf8(0x10000 + ((m_high - 0xD800) << 10) + (unit - 0xDC00), m_utf8);
                m_high = 0;
            }
        } else {
            AppendCodePoint(unit);
        }
    };
    m_utf8.reserve(bytes.size() * 3 / size + 4);
    size_t at = 0;
    if (!m_carry.empty()) {  // complete the unit that the last piece cut
        size_t take = std::min(size - m_carry.size(), bytes.size());
        m_carry.append(bytes.substr(0, take));
        at = take;
        if (m_carry.size() < size) return;
        decode(unitAt(m_carry.data()));
        m_carry.clear();
    }
    for (; at + size <= bytes.size(); at += size) decode(unitAt(bytes.data() + at));
    m_carry.assign(bytes.substr(at));
    m_lines.Append(m_utf8, out);
    m_utf8.clear();
}

void FileTextDecoder::Finish(std::string& out) {
    if (m_state == State::Sniffing) Decide(out);
    if (m_state == State::Units) {
        if (m_high != 0) {
            m_high = 0;
            Bad();
        }
        if (!m_carry.empty()) {
            m_carry.clear();
            Bad();
        }
        m_lines.Append(m_utf8, out);
        m_utf8.clear();
    }
    const FileEncoding encoding = m_facts.Form.Encoding;
    const bool undecodable = m_facts.Undecodable;
    m_facts = FactsOfBytes(m_lines.Counts(), m_nul && encoding == FileEncoding::Bytes);
    m_facts.Form.Encoding = encoding;
    m_facts.Undecodable = undecodable;
}

bool MayHaveMark(std::string_view head) {
    size_t markLength = 0;
    return MarkOf(head, markLength) != FileEncoding::Bytes || MayStartMark(head);
}

FileFacts FactsOfBytes(const std::array<int64_t, lkKindCount>& counts, bool nul) {
    FileFacts facts;
    int kinds = 0;
    for (int64_t count : counts) kinds += count > 0;
    facts.MixedLineEnds = kinds > 1 || counts[lkLFCR] > 0;
    // The most frequent line end that can be written; on a tie the first of CR LF, LF, CR.
    facts.Form.LineEnds = LineEnd::LF;
    int64_t best = 0;
    for (auto [kind, lineEnd] : {std::pair{lkCRLF, LineEnd::CRLF}, std::pair{lkLF, LineEnd::LF},
                                 std::pair{lkCR, LineEnd::CR}}) {
        if (counts[kind] > best) {
            best = counts[kind];
            facts.Form.LineEnds = lineEnd;
        }
    }
    facts.Binary = nul;
    return facts;
}

std::string DecodeFileText(std::string_view bytes, FileFacts* facts) {
    std::string out;
    FileTextDecoder decoder;
    decoder.Append(bytes, out);
    decoder.Finish(out);
    if (facts) *facts = decoder.Facts();
    return out;
}

// ---- encoding ----

std::string EncodeUnicodeForm(std::string_view utf8, FileEncoding encoding) {
    if (encoding == FileEncoding::Bytes) return std::string(utf8);
    const size_t size = UnitSize(encoding);
    const bool bigEndian = BigEndian(encoding);
    std::string out;
    out.reserve((utf8.size() + 1) * size);
    AppendUnit(0xFEFF, size, bigEndian, out);
    for (size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        size_t length = DecodeUtf8(utf8.data() + i, utf8.size() - i, codePoint);
        if (length == 0) {
            codePoint = Windows1252ToUnicode(static_cast<unsigned char>(utf8[i]));
            length = 1;
        }
        i += length;
        if (size == 2 && codePoint > 0xFFFF) {
            codePoint -= 0x10000;
            AppendUnit(0xD800 + (codePoint >> 10), 2, bigEndian, out);
            AppendUnit(0xDC00 + (codePoint & 0x3FF), 2, bigEndian, out);
        } else {
            AppendUnit(codePoint, size, bigEndian, out);
        }
    }
    return out;
}

std::string WriteFileText(const TextStore& store, FileForm form) {
    uint32_t mode = form.LineEnds == LineEnd::CRLF ? omCRLF
                    : form.LineEnds == LineEnd::LF ? omUNIX
                                                   : omRaw;
    std::string text = WriteText(store, 0, store.CharCount(), mode);
    if (form.Encoding == FileEncoding::Bytes) return text;
    return EncodeUnicodeForm(text, form.Encoding);
}

}  // namespace quinkle
