// The HTML side of the rich-text translator: paragraphs, lists, tables, links and character
// formatting written as tags, each opened only before the text that needs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quinkle {

/// What the paragraph being written is.
struct RtfParagraph {
    enum class Align : uint8_t { Left, Right, Centre, Justify };
    enum class List : uint8_t { None, Bullets, Numbers };
    Align Alignment = Align::Left;
    List ListKind = List::None;
    bool InTable = false;
};

/// The character formatting of a run, as tags. `FontAttributes` is empty for text in the
/// document's default font, colour and size; otherwise it holds the FONT tag's attributes.
struct RtfRun {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::string FontAttributes;

    bool operator==(const RtfRun&) const = default;
};

/// Writes the body of a page. Paragraph markup is written before a paragraph's first
/// character, so empty paragraphs leave no empty elements; character tags are kept properly
/// nested (FONT outside B outside I outside U, a link outside them all) and closed at the end
/// of each paragraph, cell and link.
class RtfHtmlWriter {
public:
    /// A visible character of a paragraph: 9 is written as a tab, `"`, `&`, `<` and `>` as
    /// references, 160..255 as the Latin-1 entity names and anything else as UTF-8. Control
    /// characters and U+0000 are dropped.
    void Char(char32_t c, const RtfParagraph& paragraph, const RtfRun& run);
    /// A line break inside the paragraph.
    void LineBreak(const RtfParagraph& paragraph, const RtfRun& run);
    /// The end of a paragraph. An empty paragraph between two others becomes a "<BR>".
    void EndParagraph();
    /// The end of a table cell, and of a table row.
    void EndCell();
    void EndRow();
    /// The text up to EndLink is a link to `href` (an address as the file wrote it).
    void StartLink(std::string_view href);
    void EndLink();
    /// Whether the current paragraph has been started (has written its markup).
    bool InParagraph() const { return m_inBlock; }
    /// Appends `c` as Char writes it.
    static void AppendText(char32_t c, std::string& out);
    /// Closes everything still open and hands over the body text.
    std::string Finish();

private:
    enum class Tag : uint8_t { Font, Bold, Italic, Underline };
    void OpenBlock(const RtfParagraph& paragraph);
    void OpenTableCell();
    void CloseList();
    void CloseTable();
    void CloseInline();
    /// Closes the character tags beyond the first `keep`, innermost first.
    void CloseTo(size_t keep);
    void CloseLink();
    void Reconcile(const RtfRun& run);

    std::string m_out;
    std::vector<Tag> m_open;  // character tags open, outermost first
    std::string m_openFont;   // the attributes of the open FONT tag
    RtfParagraph::List m_list = RtfParagraph::List::None;
    bool m_inBlock = false;  // a paragraph, list item or cell paragraph is open
    bool m_wroteBlock = false;
    bool m_table = false;
    bool m_row = false;
    bool m_cell = false;
    bool m_cellBreakDue = false;  // a second paragraph in a cell starts on a new line
    bool m_linkWanted = false;
    bool m_linkOpen = false;
    std::string m_href;
};

}  // namespace quinkle
