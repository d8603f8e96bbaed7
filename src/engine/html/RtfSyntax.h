// The vocabulary of rich text as the translator reads it: its control words, character sets,
// sizes, list markers and link fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/html/RtfHtmlWriter.h"

namespace quinkle::rtf {

/// The symbol font's own characters, as a code page number of this reader's.
inline constexpr int kSymbolCodePage = 42;

/// The control words the reader acts on; the destinations come first.
enum class Kw : uint8_t {
    SkipDestination,
    FontTable,
    ColourTable,
    Info,
    Title,
    Field,
    FieldInstruction,
    FieldResult,
    ListText,
    Footnote,
    Object,
    Result,
    Par,
    Pard,
    Plain,
    Ql,
    Qc,
    Qr,
    Qj,
    Intbl,
    Itap,
    Ls,
    Fi,
    B,
    I,
    Ul,
    UlNone,
    F,
    Fs,
    Cf,
    V,
    Red,
    Green,
    Blue,
    Cell,
    Row,
    NestCell,
    NestRow,
    Line,
    Page,
    Sect,
    Tab,
    Character,
    U,
    Uc,
    Bin,
    ChFtn,
    Deff,
    AnsiCpg,
    Ansi,
    Mac,
    Pc,
    Pca,
    FCharset,
    Cpg,
};

/// Every control word the reader knows, with what it is.
const std::unordered_map<std::string_view, Kw>& Keywords();
/// The character a Kw::Character word stands for.
char32_t CharacterOf(std::string_view word);

/// The code page of a font's \fcharset; 0 for the document's own.
int CharsetCodePage(int charset);
/// The HTML size 1..6 for a size in half-points: 0 or above 15 points 6, up to 5 points 1, up
/// to 9 points 2, up to 11 points 3, up to 13 points 4, else 5.
int HtmlSize(int halfPoints);
/// Whether a paragraph's leading text before a tab is a list marker, and of which kind: a
/// bullet sign, or a number or letter followed by "." or ")".
RtfParagraph::List MarkerKind(const std::u32string& marker);
/// The address of a HYPERLINK field instruction: its quoted (or first bare) argument, with
/// "#anchor" for a "\l" switch; empty for any other field.
std::string HyperlinkTarget(std::string_view instruction);
/// Text as it may stand in an attribute value.
std::string EscapeText(std::string_view text);

}  // namespace quinkle::rtf
