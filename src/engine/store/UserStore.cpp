// The per-user key/value store: the tree of keys, its file format and its loading and saving.
#include "engine/store/UserStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "engine/store/IniFile.h"
#include "engine/text/AsciiText.h"

namespace quinkle {
namespace {

constexpr std::string_view kHeader = "HTML Quinkle user store 1";
constexpr std::string_view kHeaderPrefix = "HTML Quinkle user store ";
// Problems listed one by one before the rest are only counted.
constexpr size_t kMaxProblems = 20;
constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Fold(std::string_view name) { return LowerAsciiText(name); }

std::vector<std::string_view> SplitPath(std::string_view key) {
    std::vector<std::string_view> names;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos) end = key.size();
        if (end > start) names.push_back(key.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// The map key of a path: its names folded and joined by single backslashes.
std::string FoldedPath(std::string_view key) {
    std::string folded;
    for (std::string_view name : SplitPath(key)) {
        if (!folded.empty()) folded += '\\';
        folded += Fold(name);
    }
    return folded;
}

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        int high = HexDigitValue(text[i + 1]);
        int low = HexDigitValue(text[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string ToHex(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 15];
    }
    return out;
}

bool FromHex(std::string_view hex, std::string& out) {
    out.clear();
    if (hex.size() % 2 != 0) return false;
    out.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        int high = HexDigitValue(hex[i]);
        int low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t end = line.find('\t', start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

// ---- opening and closing ----

UserStore::UserStore(std::string path) : m_path(std::move(path)) {
    std::string bytes;
    bool missing = false;
    std::string problem = ReadWholeFile(m_path, bytes, missing);
    if (!problem.empty()) {
        if (!missing) {
            m_problems.push_back("Cannot read user store file '" + m_path + "': " + problem);
            m_keepDamaged = true;
            m_damagedUnreadable = true;
        }
        return;
    }
    Parse(bytes, "User store '" + m_path + "'");
    if (!m_problems.empty()) {
        m_keepDamaged = true;
        m_damagedBytes = std::move(bytes);
    }
}

UserStore UserStore::LoadFromText(std::string_view text) {
    UserStore store;
    store.Parse(text, "User store");
    return store;
}

std::string UserStore::DefaultPath() { return ConfigFolder() + "/userstore.dat"; }

UserStore::~UserStore() {
    if (!m_modified || m_path.empty()) return;
    try {
        Flush();
    } catch (...) {
        // Nothing can be reported from here; callers who care call Flush themselves.
    }
}

UserStore::UserStore(UserStore&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_keys(std::move(other.m_keys)),
      m_problems(std::move(other.m_problems)),
      m_problemCount(other.m_problemCount),
      m_modified(other.m_modified),
      m_keepDamaged(other.m_keepDamaged),
      m_damagedUnreadable(other.m_damagedUnreadable),
      m_damagedBytes(std::move(other.m_damagedBytes)) {
    other.m_path.clear();
    other.m_modified = false;
    other.m_keepDamaged = false;
}

UserStore& UserStore::operator=(UserStore&& other) noexcept {
    if (this == &other) return *this;
    if (m_modified && !m_path.empty()) {
        try {
            Flush();
        } catch (...) {
            // As in the destructor: the store being replaced cannot report anything.
        }
    }
    m_path = std::move(other.m_path);
    m_keys = std::move(other.m_keys);
    m_problems = std::move(other.m_problems);
    m_problemCount = other.m_problemCount;
    m_modified = other.m_modified;
    m_keepDamaged = other.m_keepDamaged;
    m_damagedUnreadable = other.m_damagedUnreadable;
    m_damagedBytes = std::move(other.m_damagedBytes);
    other.m_path.clear();
    other.m_modified = false;
    other.m_keepDamaged = false;
    return *this;
}

// ---- keys ----

bool UserStore::KeyExists(std::string_view key) const {
    std::string folded = FoldedPath(key);
    return folded.empty() || m_keys.count(folded) != 0;
}

UserStore::Key& UserStore::Create(std::string_view key) {
    std::vector<std::string_view> names = SplitPath(key);
    std::string folded;
    std::string spelled;
    Key* current = nullptr;
    if (names.empty()) {
        auto [root, added] = m_keys.try_emplace("");
        if (added) root->second.path = "\\";
        return root->second;
    }
    for (std::string_view name : names) {
        if (!folded.empty()) folded += '\\';
        folded += Fold(name);
        auto [entry, added] = m_keys.try_emplace(folded);
        if (added) {
            entry->second.path =
                (current ? current->path : std::string()) + "\\" + std::string(name);
            m_modified = true;
        }
        current = &entry->second;
    }
    return *current;
}

void UserStore::CreateKey(std::string_view key) { Create(key); }

bool UserStore::DeleteKey(std::string_view key) {
    std::string folded = FoldedPath(key);
    if (folded.empty()) return false;
    auto found = m_keys.find(folded);
    if (found == m_keys.end()) return false;
    m_keys.erase(found);
    // Keys below this one sort together, though not always right after it: "a\b c" sorts
    // between "a\b" and "a\b\c".
    std::string below = folded + '\\';
    auto first = m_keys.lower_bound(below);
    auto last = first;
    while (last != m_keys.end() && last->first.starts_with(below)) ++last;
    m_keys.erase(first, last);
    m_modified = true;
    return true;
}

std::vector<std::string> UserStore::SubKeyNames(std::string_view key) const {
    std::vector<std::string> names;
    std::string folded = FoldedPath(key);
    std::string prefix = folded.empty() ? std::string() : folded + '\\';
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && it->first.starts_with(prefix);
         ++it) {
        std::string_view rest = std::string_view(it->first).substr(prefix.size());
        if (rest.empty() || rest.find('\\') != std::string_view::npos) continue;
        const std::string& path = it->second.path;
        names.push_back(path.substr(path.rfind('\\') + 1));
    }
    return names;
}

std::vector<std::string> UserStore::ValueNames(std::string_view key) const {
    std::vector<std::string> names;
    auto found = m_keys.find(FoldedPath(key));
    if (found == m_keys.end()) return names;
    for (const Value& value : found->second.values) names.push_back(value.name);
    return names;
}

// ---- values ----

const UserStore::Value* UserStore::FindValue(std::string_view key, std::string_view name) const {
    auto found = m_keys.find(FoldedPath(key));
    if (found == m_keys.end()) return nullptr;
    auto value = found->second.index.find(Fold(name));
    if (value == found->second.index.end()) return nullptr;
    return &found->second.values[value->second];
}

bool UserStore::ValueExists(std::string_view key, std::string_view name) const {
    return FindValue(key, name) != nullptr;
}

UserValueType UserStore::ValueType(std::string_view key, std::string_view name) const {
    const Value* value = FindValue(key, name);
    return value ? value->type : UserValueType::None;
}

bool UserStore::DeleteValue(std::string_view key, std::string_view name) {
    auto found = m_keys.find(FoldedPath(key));
    if (found == m_keys.end()) return false;
    Key& entry = found->second;
    auto value = entry.index.find(Fold(name));
    if (value == entry.index.end()) return false;
    entry.values.erase(entry.values.begin() + static_cast<ptrdiff_t>(value->second));
    entry.index.clear();
    for (size_t i = 0; i < entry.values.size(); ++i)
        entry.index.emplace(Fold(entry.values[i].name), i);
    m_modified = true;
    return true;
}

void UserStore::Write(std::string_view key, std::string_view name, UserValueType type,
                      std::string_view data) {
    Key& entry = Create(key);
    auto [position, added] = entry.index.try_emplace(Fold(name), entry.values.size());
    if (added) {
        entry.values.push_back(Value{std::string(name), type, std::string(data)});
    } else {
        Value& value = entry.values[position->second];
        if (value.type == type && value.data == data) return;
        value.type = type;
        value.data = data;
    }
    m_modified = true;
}

void UserStore::WriteString(std::string_view key, std::string_view name, std::string_view text) {
    Write(key, name, UserValueType::Text, text);
}

std::string UserStore::ReadString(std::string_view key, std::string_view name,
                                  std::string_view def) const {
    const Value* value = FindValue(key, name);
    return value && value->type == UserValueType::Text ? value->data : std::string(def);
}

void UserStore::WriteBinary(std::string_view key, std::string_view name, std::string_view bytes) {
    Write(key, name, UserValueType::Binary, bytes);
}

std::optional<std::string> UserStore::ReadBinary(std::string_view key,
                                                 std::string_view name) const {
    const Value* value = FindValue(key, name);
    if (!value || value->type != UserValueType::Binary) return std::nullopt;
    return value->data;
}

// ---- the file ----

void UserStore::Problem(const std::string& where, size_t line, const std::string& what) {
    ++m_problemCount;
    if (m_problemCount > kMaxProblems) return;
    m_problems.push_back(where + (line ? ", line " + std::to_string(line) : std::string()) + ": " +
                         what);
}

void UserStore::Parse(std::string_view text, const std::string& where) {
    Key* current = nullptr;
    bool ended = false;
    size_t number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        bool complete = end != std::string_view::npos;
        std::string_view line = text.substr(start, complete ? end - start : std::string_view::npos);
        start = complete ? end + 1 : text.size();
        ++number;
        // Line breaks in the data are always written escaped, so a CR here came from an editor.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (number == 1) {
            if (line == kHeader) continue;
            if (line.starts_with(kHeaderPrefix)) {
                Problem(where, number,
                        "written in another format version; only what is understood is read");
                continue;
            }
            Problem(where, number, "not a user store file header");
        }
        if (ended) {
            if (!line.empty()) {
                Problem(where, number, "text after the end mark was ignored");
                break;
            }
            continue;
        }
        if (line.empty()) continue;
        if (line == "end") {
            ended = true;
            continue;
        }
        if (!complete) {
            Problem(where, number, "the line is cut off and was skipped");
            break;
        }

        std::vector<std::string_view> fields = SplitFields(line);
        std::string_view kind = fields[0];
        if (kind == "key" && fields.size() == 2) {
            std::string path;
            if (Unescape(fields[1], path)) {
                current = &Create(path);
            } else {
                current = nullptr;
                Problem(where, number, "a key with an unreadable name was skipped with its values");
            }
            continue;
        }
        if ((kind == "text" || kind == "binary") && fields.size() == 3) {
            std::string name;
            std::string data;
            bool binary = kind == "binary";
            if (!current) {
                Problem(where, number, "a value outside any key was skipped");
            } else if (!Unescape(fields[1], name) ||
                       !(binary ? FromHex(fields[2], data) : Unescape(fields[2], data))) {
                Problem(where, number, "an unreadable value was skipped");
            } else {
                Write(current->path, name, binary ? UserValueType::Binary : UserValueType::Text,
                      data);
            }
            continue;
        }
        Problem(where, number, "an unreadable line was skipped");
    }
    if (!ended && !text.empty())
        Problem(where, 0, "the end mark is missing: the file may be cut short");
    if (m_problemCount > kMaxProblems)
        m_problems.push_back(where + ": " + std::to_string(m_problemCount - kMaxProblems) +
                             " more problems");
    m_modified = false;
}

std::string UserStore::ToText() const {
    std::string text(kHeader);
    text += '\n';
    for (const auto& [folded, key] : m_keys) {
        if (folded.empty() && key.values.empty()) continue;
        text += "key\t";
        text += Escape(key.path);
        text += '\n';
        for (const Value& value : key.values) {
            text += value.type == UserValueType::Binary ? "binary\t" : "text\t";
            text += Escape(value.name);
            text += '\t';
            text += value.type == UserValueType::Binary ? ToHex(value.data) : Escape(value.data);
            text += '\n';
        }
    }
    text += "end\n";
    return text;
}

void UserStore::Flush() {
    if (!m_modified) return;
    if (m_keepDamaged && !m_path.empty()) {
        std::string damaged = m_path + ".damaged";
        struct stat info {};
        if (m_damagedUnreadable) {
            // What could not be read is moved aside unread; the save below replaces it.
            if (::stat(m_path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                ::rename(m_path.c_str(), damaged.c_str()) != 0) {
                throw EStoreError("Cannot save user store file '" + m_path +
                                  "': cannot keep the damaged file as '" + damaged +
                                  "': " + std::strerror(errno));
            }
        } else {
            WriteFileAtomically(damaged, m_damagedBytes, "copy of the damaged user store file");
        }
        m_keepDamaged = false;
        m_damagedUnreadable = false;
        m_damagedBytes.clear();
    }
    WriteFileAtomically(m_path, ToText(), "user store file");
    m_modified = false;
}

}  // namespace quinkle
