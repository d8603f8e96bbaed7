// The HTML side of the rich-text translator.
#include "engine/html/RtfHtmlWriter.h"

#include "engine/html/HtmlHelpers.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

// The HTML 2 names of the Latin-1 characters 160..255.
constexpr std::string_view kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

std::string_view AlignAttribute(RtfParagraph::Align align) {
    switch (align) {
        case RtfParagraph::Align::Right:
            return " ALIGN=RIGHT";
        case RtfParagraph::Align::Centre:
            return " ALIGN=CENTER";
        case RtfParagraph::Align::Justify:
            return " ALIGN=JUSTIFY";
        case RtfParagraph::Align::Left:
            break;
    }
    return {};
}

}  // namespace

void RtfHtmlWriter::AppendText(char32_t c, std::string& out) {
    switch (c) {
        case U'\t':
            out += '\t';
            return;
        case U'"':
            out += "&quot;";
            return;
        case U'&':
            out += "&amp;";
            return;
        case U'<':
            out += "&lt;";
            return;
        case U'>':
            out += "&gt;";
            return;
        default:
            break;
    }
    if (c < 32 || (c >= 0x7F && c < 0xA0) || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return;
    if (c < 0x7F) {
        out += static_cast<char>(c);
    } else if (c <= 0xFF) {
        out += '&';
        out += kLatin1Names[c - 0xA0];
        out += ';';
    } else {
        AppendUtf8(c, out);
    }
}

void RtfHtmlWriter::Char(char32_t c, const RtfParagraph& paragraph, const RtfRun& run) {
    if (!m_inBlock) OpenBlock(paragraph);
    if (m_linkWanted && !m_linkOpen) {
        CloseInline();
        m_out += "<A HREF=\"";
        m_out += UrlAttribute(m_href);
        m_out += "\">";
        m_linkOpen = true;
    }
    Reconcile(run);
    AppendText(c, m_out);
}

void RtfHtmlWriter::LineBreak(const RtfParagraph& paragraph, const RtfRun& run) {
    if (!m_inBlock) OpenBlock(paragraph);
    (void)run;
    m_out += "<BR>\r\n";
}

void RtfHtmlWriter::OpenBlock(const RtfParagraph& paragraph) {
    if (paragraph.InTable) {
        CloseList();
        OpenTableCell();
        if (m_cellBreakDue) m_out += "<BR>\r\n";
        m_cellBreakDue = false;
    } else if (paragraph.ListKind != RtfParagraph::List::None) {
        CloseTable();
        if (m_list != paragraph.ListKind) {
            CloseList();
            m_list = paragraph.ListKind;
            m_out += m_list == RtfParagraph::List::Numbers ? "\r\n<OL>" : "\r\n<UL>";
        }
        m_out += "\r\n<LI>";
    } else {
        CloseTable();
        CloseList();
        m_out += "\r\n<P";
        m_out += AlignAttribute(paragraph.Alignment);
        m_out += '>';
    }
    m_inBlock = true;
}

void RtfHtmlWriter::OpenTableCell() {
    if (!m_table) {
        m_out += "\r\n<TABLE BORDER=1>";
        m_table = true;
    }
    if (!m_row) {
        m_out += "\r\n<TR>";
        m_row = true;
    }
    if (!m_cell) {
        m_out += "\r\n<TD>";
        m_cell = true;
        m_cellBreakDue = false;
    }
}

void RtfHtmlWriter::EndParagraph() {
    if (!m_inBlock) {
        // An empty paragraph between paragraphs is a blank line.
        if (m_wroteBlock && !m_table && m_list == RtfParagraph::List::None) m_out += "\r\n<BR>";
        return;
    }
    CloseInline();
    CloseLink();
    m_inBlock = false;
    m_wroteBlock = true;
    if (m_cell) {
        m_cellBreakDue = true;
        return;
    }
    m_out += m_list != RtfParagraph::List::None ? "</LI>" : "</P>";
}

void RtfHtmlWriter::EndCell() {
    // A cell end in a paragraph outside any table ends that paragraph first.
    if (m_inBlock && !m_cell) EndParagraph();
    CloseInline();
    CloseLink();
    CloseList();
    OpenTableCell();
    m_out += "</TD>";
    m_cell = false;
    m_inBlock = false;
    m_wroteBlock = true;
}

void RtfHtmlWriter::EndRow() {
    if (!m_row) return;
    if (m_cell) EndCell();
    m_out += "\r\n</TR>";
    m_row = false;
}

void RtfHtmlWriter::CloseList() {
    if (m_list == RtfParagraph::List::None) return;
    if (m_inBlock && !m_cell) EndParagraph();
    m_out += m_list == RtfParagraph::List::Numbers ? "\r\n</OL>" : "\r\n</UL>";
    m_list = RtfParagraph::List::None;
}

void RtfHtmlWriter::CloseTable() {
    if (!m_table) return;
    if (m_cell) EndCell();
    EndRow();
    m_out += "\r\n</TABLE>";
    m_table = false;
}

void RtfHtmlWriter::StartLink(std::string_view href) {
    CloseLink();
    m_href.assign(href);
    m_linkWanted = !m_href.empty();
}

void RtfHtmlWriter::EndLink() {
    CloseLink();
    m_linkWanted = false;
}

void RtfHtmlWriter::CloseLink() {
    if (!m_linkOpen) return;
    CloseInline();
    m_out += "</A>";
    m_linkOpen = false;
}

void RtfHtmlWriter::CloseInline() { CloseTo(0); }

void RtfHtmlWriter::CloseTo(size_t keep) {
    while (m_open.size() > keep) {
        switch (m_open.back()) {
            case Tag::Font:
                m_out += "</FONT>";
                break;
            case Tag::Bold:
                m_out += "</B>";
                break;
            case Tag::Italic:
                m_out += "</I>";
                break;
            case Tag::Underline:
                m_out += "</U>";
                break;
        }
        m_open.pop_back();
    }
}

void RtfHtmlWriter::Reconcile(const RtfRun& run) {
    Tag wanted[4];
    size_t count = 0;
    if (!run.FontAttributes.empty()) wanted[count++] = Tag::Font;
    if (run.Bold) wanted[count++] = Tag::Bold;
    if (run.Italic) wanted[count++] = Tag::Italic;
    if (run.Underline) wanted[count++] = Tag::Underline;
    // The tags both have stay open; the rest are closed innermost first and reopened.
    size_t keep = 0;
    while (keep < count && keep < m_open.size() && m_open[keep] == wanted[keep] &&
           (wanted[keep] != Tag::Font || m_openFont == run.FontAttributes))
        ++keep;
    if (keep == count && keep == m_open.size()) return;
    CloseTo(keep);
    for (size_t i = keep; i < count; ++i) {
        switch (wanted[i]) {
            case Tag::Font:
                m_out += "<FONT";
                m_out += run.FontAttributes;
                m_out += '>';
                m_openFont = run.FontAttributes;
                break;
            case Tag::Bold:
                m_out += "<B>";
                break;
            case Tag::Italic:
                m_out += "<I>";
                break;
            case Tag::Underline:
                m_out += "<U>";
                break;
        }
        m_open.push_back(wanted[i]);
    }
}

std::string RtfHtmlWriter::Finish() {
    if (m_inBlock) EndParagraph();
    CloseLink();
    CloseTable();
    CloseList();
    return std::move(m_out);
}

}  // namespace quinkle
