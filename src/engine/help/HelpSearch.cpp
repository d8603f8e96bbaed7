// The readable text of help pages and the word search over them.
#include "engine/help/HelpSearch.h"

#include <algorithm>

#include "engine/text/AsciiText.h"
#include "engine/text/Utf8.h"

namespace quinkle {
namespace {

bool IsWordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b >= 0x80;
}

// Appends the UTF-8 bytes of a code point (an invalid one becomes "?").
void AppendCodePoint(std::string& out, unsigned long cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        out += '?';
    else
        AppendUtf8(static_cast<char32_t>(cp), out);
}

// Decodes the entity at html[at] == '&'; returns the bytes it consumed (0: not an entity).
size_t DecodeEntity(std::string_view html, size_t at, std::string& out) {
    const size_t semi = html.find(';', at);
    if (semi == std::string_view::npos || semi - at > 10) return 0;
    const std::string_view name = html.substr(at + 1, semi - at - 1);
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"amp", "&"},
        {"lt", "<"},
        {"gt", ">"},
        {"quot", "\""},
        {"apos", "'"},
        {"nbsp", " "},
        {"copy", "\xC2\xA9"},
        {"mdash", "\xE2\x80\x94"},
        {"ndash", "\xE2\x80\x93"}};
    for (const auto& [entity, text] : kNamed) {
        if (name == entity) {
            out += text;
            return semi - at + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#') return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    unsigned long cp = 0;
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    for (char c : digits) {
        const int value = hex ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (value < 0) return 0;
        cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(value);
    }
    AppendCodePoint(out, cp);
    return semi - at + 1;
}

// The tag's name at html[at] == '<' in lower case, without a leading "/".
std::string TagName(std::string_view html, size_t at) {
    size_t i = at + 1;
    if (i < html.size() && html[i] == '/') ++i;
    std::string name;
    while (i < html.size() && IsWordByte(html[i]) && name.size() < 16)
        name += LowerAscii(html[i++]);
    return name;
}

}  // namespace

std::string PageText(std::string_view html) {
    std::string out;
    out.reserve(html.size() / 2);
    bool blank = true;  // no blank at the start, and never two in a row
    auto space = [&] {
        if (!blank) out += ' ';
        blank = true;
    };
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const std::string name = TagName(html, i);
            const bool closing = i + 1 < html.size() && html[i + 1] == '/';
            size_t end = html.find('>', i);
            end = end == std::string_view::npos ? html.size() : end + 1;
            if (!closing && (name == "script" || name == "style" || name == "head")) {
                // Skips to the matching end tag, whatever its case.
                const size_t close = FindNoCase(html, "</" + name, end);
                const size_t after = close == std::string_view::npos ? std::string_view::npos
                                                                     : html.find('>', close);
                end = after == std::string_view::npos ? html.size() : after + 1;
            }
            space();
            i = end;
        } else if (c == '&') {
            std::string decoded;
            const size_t used = DecodeEntity(html, i, decoded);
            if (used == 0) decoded = "&";
            if (decoded == " ") {
                space();
            } else {
                out += decoded;
                blank = false;
            }
            i += used == 0 ? 1 : used;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            space();
            ++i;
        } else {
            out += c;
            blank = false;
            ++i;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string PageTitle(std::string_view html) {
    const size_t open = FindNoCase(html, "<title");
    if (open == std::string_view::npos) return {};
    const size_t start = html.find('>', open);
    if (start == std::string_view::npos) return {};
    const size_t close = FindNoCase(html, "</title", start);
    const std::string_view inner = html.substr(
        start + 1, close == std::string_view::npos ? std::string_view::npos : close - start - 1);
    return PageText(inner);
}

void HelpTextIndex::Add(std::string topic, std::string_view text) {
    m_pages.push_back({std::move(topic), LowerAsciiText(text)});
}

std::vector<HelpSearchHit> HelpTextIndex::Search(std::string_view query) const {
    std::vector<std::string> words;
    for (size_t i = 0; i < query.size();) {
        if (!IsWordByte(query[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < query.size() && IsWordByte(query[end])) ++end;
        std::string word = LowerAsciiText(query.substr(i, end - i));
        if (std::find(words.begin(), words.end(), word) == words.end())
            words.push_back(std::move(word));
        i = end;
    }
    std::vector<HelpSearchHit> hits;
    if (words.empty()) return hits;
    for (const Page& page : m_pages) {
        int total = 0;
        bool all = true;
        for (const std::string& word : words) {
            int count = 0;
            for (size_t at = page.Folded.find(word); at != std::string::npos;
                 at = page.Folded.find(word, at + 1)) {
                if (at == 0 || !IsWordByte(page.Folded[at - 1])) ++count;
            }
            if (count == 0) {
                all = false;
                break;
            }
            total += count;
        }
        if (all) hits.push_back({page.Topic, total});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const HelpSearchHit& a, const HelpSearchHit& b) {
        return a.Hits > b.Hits;
    });
    return hits;
}

}  // namespace quinkle
