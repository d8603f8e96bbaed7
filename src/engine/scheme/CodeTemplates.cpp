// Code templates and auto-correct entries: the entry table, its reversed-name trie, the
// activation keys and the template file.
#include "engine/scheme/CodeTemplates.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <typeinfo>

#include "engine/scheme/CharGroup.h"
#include "engine/scheme/SyntaxKeywords.h"
#include "engine/scheme/TextCursor.h"
#include "engine/text/AsciiText.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"
#include "engine/text/LineEnds.h"

namespace quinkle {

// The names reversed in a case-insensitive keyword trie; the trie needs a group manager,
// which stays empty as every word may end anywhere.
struct CodeTemplates::ReversedNames {
    CharGroupManager Groups;
    SyntaxKeywords Words{Groups, false};
    size_t Longest = 0;
};

namespace {

const StateSet kAnyState{0};

std::string Trimmed(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<uint8_t>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<uint8_t>(text[last - 1]) <= ' ') --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace

// ---- the entry table ----

CodeTemplates::CodeTemplates() = default;
CodeTemplates::~CodeTemplates() = default;
CodeTemplates::CodeTemplates(const CodeTemplates&) = default;
CodeTemplates& CodeTemplates::operator=(const CodeTemplates&) = default;

size_t CodeTemplates::IndexOf(std::string_view lowerName, bool& found) const {
    auto at = std::lower_bound(
        m_entries.begin(), m_entries.end(), lowerName,
        [](const CodeTemplate& entry, std::string_view name) { return entry.Name < name; });
    found = at != m_entries.end() && at->Name == lowerName;
    return static_cast<size_t>(at - m_entries.begin());
}

void CodeTemplates::AddTemplate(std::string_view name, std::string_view description,
                                std::string_view expansion) {
    if (name.empty()) return;
    CodeTemplate entry{LowerAsciiText(name), std::string(description),
                       NormaliseLineEnds(expansion)};
    bool found = false;
    size_t at = IndexOf(entry.Name, found);
    if (found)
        m_entries[at] = std::move(entry);
    else
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    m_names.reset();
}

bool CodeTemplates::DeleteTemplate(std::string_view name) {
    bool found = false;
    size_t at = IndexOf(LowerAsciiText(name), found);
    if (!found) return false;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(at));
    m_names.reset();
    return true;
}

void CodeTemplates::Clear() {
    m_entries.clear();
    m_names.reset();
}

const CodeTemplate* CodeTemplates::Find(std::string_view name) const {
    bool found = false;
    size_t at = IndexOf(LowerAsciiText(name), found);
    return found ? &m_entries[at] : nullptr;
}

bool CodeTemplates::LookupWord(std::string_view word, std::string& expansion) const {
    const CodeTemplate* entry = Find(word);
    if (entry) expansion = entry->Text;
    return entry != nullptr;
}

const CodeTemplates::ReversedNames& CodeTemplates::Names() const {
    if (!m_names) {
        auto names = std::make_shared<ReversedNames>();
        for (const CodeTemplate& entry : m_entries) {
            std::string reversed(entry.Name.rbegin(), entry.Name.rend());
            names->Words.Add(reversed, -1, 0, kAnyState);
            names->Longest = std::max(names->Longest, entry.Name.size());
        }
        m_names = std::move(names);
    }
    return *m_names;
}

size_t CodeTemplates::LongestName() const { return Names().Longest; }

const CodeTemplate* CodeTemplates::MatchBefore(std::string_view text) const {
    const ReversedNames& names = Names();
    if (names.Longest == 0) return nullptr;
    std::string_view tail = text.substr(text.size() - std::min(text.size(), names.Longest));
    std::string reversed(tail.rbegin(), tail.rend());
    TextCursor cursor(reversed);
    KeywordMatch match = names.Words.Lookup(cursor, kAnyState);
    if (!match.Found) return nullptr;
    return Find(tail.substr(tail.size() - static_cast<size_t>(match.Length)));
}

int32_t CodeTemplates::FirstContaining(std::string_view part) const {
    std::string lower = LowerAsciiText(part);
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].Name.find(lower) != std::string::npos) return static_cast<int32_t>(i);
    return -1;
}

int32_t CodeTemplates::FirstStartingWith(std::string_view prefix) const {
    bool found = false;
    size_t at = IndexOf(LowerAsciiText(prefix), found);
    if (at < m_entries.size() && StartsWithNoCase(m_entries[at].Name, prefix))
        return static_cast<int32_t>(at);
    return -1;
}

void CodeTemplates::Assign(const CodeTemplates& other) {
    if (typeid(*this) != typeid(other))
        throw ESourceEditor(std::string("Cannot assign ") + other.ClassName() + " to " +
                            ClassName());
    if (this == &other) return;
    if (auto* correct = dynamic_cast<AutoReplace*>(this))
        *correct = static_cast<const AutoReplace&>(other);
    else
        *this = other;
}

// ---- the template file ----

std::vector<CodeTemplate> ParseTemplateFile(std::string_view bytes) {
    // The file's lines, without their line ends.
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < bytes.size();) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }

    std::vector<CodeTemplate> entries;
    size_t line = 0;
    // Text before the first "[" (on any line) belongs to no entry.
    size_t open = std::string_view::npos;
    for (; line < lines.size(); ++line)
        if ((open = lines[line].find('[')) != std::string_view::npos) break;
    while (line < lines.size()) {
        std::string_view header = lines[line].substr(open + 1);
        size_t nameEnd = header.find_first_of("|]");
        CodeTemplate entry;
        entry.Name = Trimmed(header.substr(0, nameEnd));
        if (nameEnd != std::string_view::npos && header[nameEnd] == '|') {
            std::string_view rest = header.substr(nameEnd + 1);
            entry.Description = Trimmed(rest.substr(0, rest.find(']')));
        }
        ++line;
        for (bool first = true; line < lines.size() && !lines[line].starts_with('[');
             ++line, first = false) {
            if (!first) entry.Text += "\r\n";
            entry.Text += lines[line];
        }
        open = 0;
        if (!entry.Name.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

std::string FormatTemplateFile(const std::vector<CodeTemplate>& entries) {
    std::string out;
    for (const CodeTemplate& entry : entries) {
        out += "[" + entry.Name + " | " + entry.Description + "]\r\n";
        if (entry.Text.empty()) continue;
        for (size_t start = 0;;) {
            size_t end = entry.Text.find('\r', start);
            out.append(entry.Text, start, end == std::string::npos ? end : end - start);
            out += "\r\n";
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return out;
}

void CodeTemplates::SaveTemplatesToFile(const std::string& path) const {
    if (m_entries.empty()) {
        std::remove(path.c_str());
        return;
    }
    WriteFileAtomically(path, FormatTemplateFile(m_entries));
}

void CodeTemplates::LoadTemplatesFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf()))
        throw EFOpenError(FormatMessage("Cannot open file \"%s\" for reading", path));
    std::vector<CodeTemplate> entries = ParseTemplateFile(bytes.str());
    Clear();
    for (const CodeTemplate& entry : entries)
        AddTemplate(entry.Name, entry.Description, entry.Text);
}

// ---- auto-correct ----

AutoReplace::AutoReplace() {
    HotKey = 0;
    SwallowTriggerKey = false;
    IndentExpansion = false;
    CaretMarker = false;
    PickList = false;
    Reset();
}

void AutoReplace::Reset() {
    Clear();
    SetActivationKeys(kDefaultActivationKeys);
}

bool AutoReplace::IsTrigger(uint16_t key) const {
    if (m_activationText.empty()) return false;
    return std::find(m_activationKeys.begin(), m_activationKeys.end(), key) !=
           m_activationKeys.end();
}

void AutoReplace::SetActivationKeys(std::string_view text) {
    std::vector<uint16_t> keys = ParseActivationKeys(text);
    m_activationText = text;
    m_activationKeys = std::move(keys);
}

namespace {

struct NamedKey {
    std::string_view Name;
    uint16_t Key;
};

constexpr std::array kNamedKeys = {
    NamedKey{"backspace", VK_BACK}, NamedKey{"delete", VK_DELETE}, NamedKey{"down", VK_DOWN},
    NamedKey{"end", VK_END},        NamedKey{"home", VK_HOME},     NamedKey{"insert", VK_INSERT},
    NamedKey{"left", VK_LEFT},      NamedKey{"pagedown", VK_NEXT}, NamedKey{"pageup", VK_PRIOR},
    NamedKey{"return", VK_RETURN},  NamedKey{"right", VK_RIGHT},   NamedKey{"space", VK_SPACE},
    NamedKey{"tab", VK_TAB},        NamedKey{"up", VK_UP},
};

uint16_t NamedKeyCode(std::string_view name) {
    std::string lower = LowerAsciiText(name);
    for (const NamedKey& key : kNamedKeys)
        if (key.Name == lower) return key.Key;
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f') {
        int number = 0;
        for (char c : lower.substr(1)) {
            if (c < '0' || c > '9') return 0;
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 12) return static_cast<uint16_t>(VK_F1 + number - 1);
    }
    return 0;
}

}  // namespace

std::vector<uint16_t> ParseActivationKeys(std::string_view text) {
    std::vector<uint16_t> keys;
    auto add = [&keys](uint16_t key) {
        if (key != 0 && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<uint8_t>(text[i]);
        if (c != '\\' || i + 1 == text.size()) {
            add(CharToKeyCombination(c));
            continue;
        }
        auto escaped = static_cast<uint8_t>(text[++i]);
        switch (escaped) {
            case 'n':
            case 'r':
                add(VK_RETURN);
                break;
            case 's':
                add(VK_SPACE);
                break;
            case 't':
                add(VK_TAB);
                break;
            case '{': {
                size_t close = text.find('}', i + 1);
                if (close == std::string_view::npos) throw ESourceEditor("Bad key specifier");
                add(NamedKeyCode(text.substr(i + 1, close - i - 1)));
                i = close;
                break;
            }
            default:
                add(KeyCode(CharToKeyCombination(escaped)));
                break;
        }
    }
    return keys;
}

// ---- the pick list's type-ahead ----

int32_t PickListSearch::Type(const CodeTemplates& table, char c) {
    m_text += c;
    int32_t index = table.FirstStartingWith(m_text);
    if (index < 0) {
        m_text.assign(1, c);
        index = table.FirstStartingWith(m_text);
    }
    return index;
}

}  // namespace quinkle
