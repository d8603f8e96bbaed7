// The output writers of the text store.
#include "engine/text/TextOutput.h"

#include "engine/text/TextStore.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

constexpr std::string_view kPlainRtfHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 ";

void AppendRtfCodePoint(char32_t cp, std::string& out) {
    auto unit = [&](char32_t u) {
        out += "\\u";
        out += std::to_string(static_cast<int16_t>(static_cast<uint16_t>(u)));
        out += '?';
    };
    if (cp > 0xFFFF) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

uint32_t KindOf(uint32_t mode) {
    if (mode & omRTF) return omRTF;
    if (mode & omHTML) return omHTML;
    if (mode & omUNIX) return omUNIX;
    return mode & omCRLF;
}

}  // namespace

void AppendHtmlEscaped(std::string_view text, std::string& out) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
            case '&':
                out += "&amp;";
                continue;
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '"':
                out += "&quot;";
                continue;
            case '\t':
                out += "&nbsp;";
                continue;
            case '\r':
                out += "\r\n";
                continue;
            default:
                break;
        }
        if (c < 32) {
            out += "&#" + std::to_string(c) + ";";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char32_t cp = 0;
            size_t length = DecodeUtf8(text.data() + i, text.size() - i, cp);
            if (length == 0) {  // a stray byte: Windows-1252
                cp = Windows1252ToUnicode(c);
                if (cp == 0xA0)
                    out += "&nbsp;";
                else
                    out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
                continue;
            }
            if (cp == 0xA0)
                out += "&nbsp;";
            else
                out.append(text.data() + i, length);
            i += length - 1;
        }
    }
}

void AppendRtfEscaped(std::string_view text, std::string& out) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
            case '\\':
                out += "\\\\";
                continue;
            case '{':
                out += "\\{";
                continue;
            case '}':
                out += "\\}";
                continue;
            case '\t':
                out += "\\tab ";
                continue;
            case '\r':
                out += "\\par\r\n";
                continue;
            default:
                break;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        char32_t cp = 0;
        size_t length = DecodeUtf8(text.data() + i, text.size() - i, cp);
        if (length == 0) {
            cp = Windows1252ToUnicode(c);
            length = 1;
        }
        AppendRtfCodePoint(cp, out);
        i += length - 1;
    }
}

std::string WriteText(const TextStore& store, int32_t from, int32_t to, uint32_t mode,
                      const OutputStyler* styler) {
    std::string out;
    uint32_t kind = KindOf(mode);
    out.reserve(static_cast<size_t>(std::max(0, to - from)) + (kind == omCRLF ? 64 : 0));
    if (kind == omRTF || kind == omHTML) {
        if (styler)
            styler->Prologue(kind, out);
        else
            out += kind == omRTF ? kPlainRtfHeader : std::string_view("<pre>\r\n");
    }
    int previousToken = -1;
    store.VisitRange(from, to, [&](const TextRow& row, int32_t begin, int32_t end) {
        std::string_view text(row.Text() + begin, end - begin);
        switch (kind) {
            case omRaw:
                out += text;
                break;
            case omCRLF:
                out += text;
                if (!text.empty() && text.back() == kCR) out += kLF;
                break;
            case omUNIX:
                out += text;
                if (!text.empty() && text.back() == kCR) out.back() = kLF;
                break;
            default: {
                auto append = kind == omRTF ? AppendRtfEscaped : AppendHtmlEscaped;
                if (!styler || !row.Styles) {
                    append(text, out);
                    break;
                }
                int32_t runStart = begin;
                for (int32_t i = begin; i <= end; ++i) {
                    if (i < end && row.Styles[i] == previousToken) continue;
                    append(std::string_view(row.Text() + runStart, i - runStart), out);
                    if (i < end) {
                        previousToken = row.Styles[i];
                        styler->Style(kind, row.Styles[i], out);
                    }
                    runStart = i;
                }
            }
        }
    });
    if (kind == omRTF || kind == omHTML) {
        if (styler)
            styler->Epilogue(kind, out);
        else
            out += kind == omRTF ? std::string_view("}") : std::string_view("</pre>\r\n");
    }
    return out;
}

}  // namespace quinkle
