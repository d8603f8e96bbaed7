// The vocabulary of rich text as the translator reads it.
#include "engine/html/RtfSyntax.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "engine/text/AsciiText.h"

namespace quinkle::rtf {

int CharsetCodePage(int charset) {
    switch (charset) {
        case 77:
            return 10000;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 238:
            return 1250;
        case 255:
            return 437;
        case 2:
            return kSymbolCodePage;
        default:
            return 0;
    }
}

int HtmlSize(int halfPoints) {
    const int points = halfPoints / 2;
    if (points <= 0 || points > 15) return 6;
    if (points <= 5) return 1;
    if (points <= 9) return 2;
    if (points <= 11) return 3;
    if (points <= 13) return 4;
    return 5;
}

RtfParagraph::List MarkerKind(const std::u32string& marker) {
    if (marker.empty()) return RtfParagraph::List::Bullets;
    if (marker.size() == 1) {
        switch (marker[0]) {
            case U'\x2022':
            case U'\xB7':
            case U'-':
            case U'*':
            case U'o':
            case U'\x25AA':
            case U'\x25CF':
            case U'\x25E6':
            case U'\x2013':
            case U'\x2014':
            case U'\xA7':
                return RtfParagraph::List::Bullets;
            default:
                return RtfParagraph::List::None;
        }
    }
    const char32_t last = marker.back();
    if (last != U'.' && last != U')') return RtfParagraph::List::None;
    const std::u32string body =
        marker.substr(marker[0] == U'(' ? 1 : 0, marker.size() - 1 - (marker[0] == U'(' ? 1 : 0));
    if (body.empty() || body.size() > 5) return RtfParagraph::List::None;
    const bool digits =
        std::all_of(body.begin(), body.end(), [](char32_t c) { return c >= U'0' && c <= U'9'; });
    const bool letters = std::all_of(body.begin(), body.end(), [](char32_t c) {
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    });
    return digits || (letters && body.size() <= 4) ? RtfParagraph::List::Numbers
                                                   : RtfParagraph::List::None;
}

std::string HyperlinkTarget(std::string_view instruction) {
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < instruction.size() && (instruction[i] == ' ' || instruction[i] == '\t')) ++i;
    };
    const auto argument = [&] {
        std::string value;
        skipBlanks();
        if (i < instruction.size() && instruction[i] == '"') {
            ++i;
            while (i < instruction.size() && instruction[i] != '"') value += instruction[i++];
            if (i < instruction.size()) ++i;
        } else {
            while (i < instruction.size() && instruction[i] != ' ' && instruction[i] != '\t')
                value += instruction[i++];
        }
        return value;
    };
    if (!EqualsNoCase(argument(), "HYPERLINK")) return {};
    std::string address, anchor;
    while (true) {
        skipBlanks();
        if (i >= instruction.size()) break;
        if (instruction[i] == '\\') {
            const std::string flag = argument();
            if (flag == "\\l") anchor = argument();
            // \o (tip) and \t (target) carry an argument that is no address.
            else if (flag == "\\o" || flag == "\\t")
                argument();
            continue;
        }
        const std::string value = argument();
        if (address.empty()) address = value;
    }
    if (!anchor.empty()) address += "#" + anchor;
    return address;
}

namespace {

// clang-format off
const std::pair<std::string_view, Kw> kWords[] = {
    {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColourTable}, {"info", Kw::Info},
    {"title", Kw::Title}, {"field", Kw::Field}, {"fldinst", Kw::FieldInstruction},
    {"fldrslt", Kw::FieldResult}, {"listtext", Kw::ListText}, {"pntext", Kw::ListText},
    {"footnote", Kw::Footnote}, {"object", Kw::Object}, {"result", Kw::Result},
    {"par", Kw::Par}, {"pard", Kw::Pard}, {"plain", Kw::Plain}, {"ql", Kw::Ql}, {"qc", Kw::Qc},
    {"qr", Kw::Qr}, {"qj", Kw::Qj}, {"intbl", Kw::Intbl}, {"itap", Kw::Itap}, {"ls", Kw::Ls},
    {"fi", Kw::Fi}, {"b", Kw::B}, {"i", Kw::I}, {"ul", Kw::Ul}, {"ulnone", Kw::UlNone},
    {"f", Kw::F}, {"fs", Kw::Fs}, {"cf", Kw::Cf}, {"v", Kw::V}, {"red", Kw::Red},
    {"green", Kw::Green}, {"blue", Kw::Blue}, {"cell", Kw::Cell}, {"row", Kw::Row},
    {"nestcell", Kw::NestCell}, {"nestrow", Kw::NestRow}, {"line", Kw::Line},
    {"page", Kw::Page}, {"sect", Kw::Sect}, {"tab", Kw::Tab},
    {"u", Kw::U}, {"uc", Kw::Uc}, {"bin", Kw::Bin}, {"chftn", Kw::ChFtn}, {"deff", Kw::Deff},
    {"ansicpg", Kw::AnsiCpg}, {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc},
    {"pca", Kw::Pca}, {"fcharset", Kw::FCharset}, {"cpg", Kw::Cpg},
};

// Every underline style underlines.
constexpr std::string_view kUnderlines =
    "uld uldash uldashd uldashdd uldb ulhwave ulldash ulth ulthd ulthdash ulthdashd ulthdashdd "
    "ulthldash ululdbwave ulw ulwave";

// Destinations whose text is no body text.
constexpr std::string_view kSkipped =
    "aftnsep aftnsepc annotation atnauthor atndate atnid atnref author bkmkend bkmkstart buptim "
    "category colorschememapping comment company creatim datastore doccomm docvar falt filetbl "
    "fldtype footer footerf footerl footerr ftncn ftnsep ftnsepc generator header headerf "
    "headerl headerr hlinkbase keywords latentstyles levelnumbers leveltext listname "
    "listoverridetable listtable manager mmathPr nonshppict objalias objclass objdata objname "
    "objsect objtime operator panose pgdsctbl pict pntxta pntxtb printim private revtbl revtim "
    "rsidtbl shp shppict stylesheet subject tc tcn template themedata txe userprops "
    "wgrffmtfilter xe xmlnstbl";
// clang-format on

// The control words that stand for one character.
const std::pair<std::string_view, char32_t> kCharacters[] = {
    {"emdash", U'\x2014'},  {"endash", U'\x2013'},    {"lquote", U'\x2018'},
    {"rquote", U'\x2019'},  {"ldblquote", U'\x201C'}, {"rdblquote", U'\x201D'},
    {"bullet", U'\x2022'},  {"emspace", U'\x2003'},   {"enspace", U'\x2002'},
    {"qmspace", U'\x2005'}, {"zwj", U'\x200D'},       {"zwnj", U'\x200C'},
    {"ltrmark", U'\x200E'}, {"rtlmark", U'\x200F'},
};

}  // namespace

char32_t CharacterOf(std::string_view word) {
    for (const auto& [name, c] : kCharacters)
        if (name == word) return c;
    return 0;
}

const std::unordered_map<std::string_view, Kw>& Keywords() {
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> words(std::begin(kWords), std::end(kWords));
        const auto add = [&words](std::string_view list, Kw kw) {
            for (size_t start = 0; start < list.size();) {
                const size_t end = std::min(list.find(' ', start), list.size());
                words.emplace(list.substr(start, end - start), kw);
                start = end + 1;
            }
        };
        add(kUnderlines, Kw::Ul);
        add(kSkipped, Kw::SkipDestination);
        for (const auto& character : kCharacters) words.emplace(character.first, Kw::Character);
        return words;
    }();
    return table;
}

std::string EscapeText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "&quot;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace quinkle::rtf
