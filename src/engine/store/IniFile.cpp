// The ini file settings store, and the file helpers the per-user stores share.
#include "engine/store/IniFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "engine/text/AsciiText.h"
#include "engine/text/AtomicFile.h"

namespace quinkle {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Names match without regard to ASCII case; other bytes must be equal.
std::string Fold(std::string_view name) { return LowerAsciiText(name); }

std::string_view FirstLine(std::string_view text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// The name as looked up: names are stored without surrounding blanks.
std::string_view CleanName(std::string_view name) { return Trim(name); }

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

std::string ErrorText(int error) { return std::strerror(error); }

// Calls `line` for each line of `text`; a line ends at CR LF, LF or CR, and a line break at
// the very end does not start another line.
template <typename Callback>
void ForEachLine(std::string_view text, Callback&& line) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

// Parses a whole 32-bit integer as ReadInteger describes it.
bool ParseInteger(std::string_view text, int32_t& result) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 1 && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (base == 16) {
        // Hexadecimal is a bit pattern: eight digits at most, taken as 32 bits.
        if (magnitude > UINT32_MAX) return false;
        uint32_t bits = static_cast<uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        result = static_cast<int32_t>(bits);
        return true;
    }
    if (magnitude > uint64_t{INT32_MAX} + 1) return false;
    int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value > INT32_MAX) return false;
    result = static_cast<int32_t>(value);
    return true;
}

}  // namespace

// ---- file helpers ----

std::string ConfigFolder() {
    auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    std::string folder = variable("QUINKLE_CONFIG_DIR");
    if (folder.empty()) {
        std::string base = variable("XDG_CONFIG_HOME");
        if (base.empty() || base.front() != '/') {
            std::string home = variable("HOME");
            if (home.empty()) {
                const passwd* user = ::getpwuid(::getuid());
                home = user && user->pw_dir ? user->pw_dir : ".";
            }
            base = home + "/.config";
        }
        folder = base + "/quinkle";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, std::string_view kind) {
    auto fail = [&](const std::string& reason) {
        throw EStoreError("Cannot save " + std::string(kind) + " '" + path + "': " + reason);
    };
    if (path.empty()) fail("no file name");
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (error) fail(error.message());
    try {
        quinkle::WriteFileAtomically(path, bytes);
    } catch (const AtomicWriteFailure& failure) {
        fail(failure.Reason());
    }
}

std::string ReadWholeFile(const std::string& path, std::string& bytes, bool& missing) {
    bytes.clear();
    missing = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        missing = errno == ENOENT;
        return ErrorText(errno);
    }
    char chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            bytes.clear();
            return ErrorText(error);
        }
        if (got == 0) break;
        bytes.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
    return "";
}

// ---- IniFile ----

IniFile::IniFile(std::string path) : m_path(std::move(path)) {
    std::string bytes;
    bool missing = false;
    std::string problem = ReadWholeFile(m_path, bytes, missing);
    if (!problem.empty()) {
        if (!missing) m_loadProblem = "Cannot read settings file '" + m_path + "': " + problem;
        return;
    }
    Parse(bytes);
}

IniFile IniFile::FromText(std::string_view text) {
    IniFile file;
    file.Parse(text);
    return file;
}

std::string IniFile::DefaultPath() { return ConfigFolder() + "/htmquinkle.ini"; }

IniFile::~IniFile() {
    if (!m_modified || m_path.empty()) return;
    try {
        UpdateFile();
    } catch (...) {
        // Nothing can be reported from here; callers who care call UpdateFile themselves.
    }
}

IniFile::IniFile(IniFile&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_loadProblem(std::move(other.m_loadProblem)),
      m_preamble(std::move(other.m_preamble)),
      m_sections(std::move(other.m_sections)),
      m_index(std::move(other.m_index)),
      m_modified(other.m_modified) {
    other.m_path.clear();
    other.m_modified = false;
}

IniFile& IniFile::operator=(IniFile&& other) noexcept {
    if (this == &other) return *this;
    if (m_modified && !m_path.empty()) {
        try {
            UpdateFile();
        } catch (...) {
            // As in the destructor: the store being replaced cannot report anything.
        }
    }
    m_path = std::move(other.m_path);
    m_loadProblem = std::move(other.m_loadProblem);
    m_preamble = std::move(other.m_preamble);
    m_sections = std::move(other.m_sections);
    m_index = std::move(other.m_index);
    m_modified = other.m_modified;
    other.m_path.clear();
    other.m_modified = false;
    return *this;
}

void IniFile::Parse(std::string_view text) {
    ForEachLine(text, [this](std::string_view line) {
        std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            size_t close = trimmed.find(']');
            if (close != std::string_view::npos) {
                Section section;
                section.name = Trim(trimmed.substr(1, close - 1));
                section.header = line;
                m_sections.push_back(std::move(section));
                return;
            }
        }
        Line entry;
        entry.raw = line;
        size_t equals = line.find('=');
        if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '[' &&
            equals != std::string_view::npos) {
            entry.isKey = true;
            entry.key = Trim(line.substr(0, equals));
            entry.value = line.substr(equals + 1);
        }
        if (m_sections.empty()) {
            m_preamble.push_back(std::move(entry.raw));
        } else {
            m_sections.back().lines.push_back(std::move(entry));
        }
    });
    for (Section& section : m_sections) section.Index();
    IndexSections();
}

void IniFile::Section::Index() {
    keys.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].isKey) keys.emplace(Fold(lines[i].key), i);  // the first one stays
    }
}

void IniFile::IndexSections() {
    m_index.clear();
    for (size_t i = 0; i < m_sections.size(); ++i) m_index.emplace(Fold(m_sections[i].name), i);
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
    auto found = m_index.find(Fold(CleanName(section)));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

IniFile::Section* IniFile::Find(std::string_view section) {
    return const_cast<Section*>(std::as_const(*this).Find(section));
}

// ---- reading ----

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const Section* found = Find(section);
    if (!found) return std::string(def);
    auto line = found->keys.find(Fold(CleanName(key)));
    if (line == found->keys.end()) return std::string(def);
    return found->lines[line->second].value;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    const Section* found = Find(section);
    if (!found) return def;
    auto line = found->keys.find(Fold(CleanName(key)));
    if (line == found->keys.end()) return def;
    int32_t value = 0;
    return ParseInteger(found->lines[line->second].value, value) ? value : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    const Section* found = Find(section);
    return found && found->keys.count(Fold(CleanName(key))) != 0;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_index.at(Fold(m_sections[i].name)) == i) names.push_back(m_sections[i].name);
    }
    return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* found = Find(section);
    if (!found) return keys;
    for (size_t i = 0; i < found->lines.size(); ++i) {
        const Line& line = found->lines[i];
        if (line.isKey && found->keys.at(Fold(line.key)) == i) keys.push_back(line.key);
    }
    return keys;
}

std::vector<std::string> IniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::string> lines;
    const Section* found = Find(section);
    if (!found) return lines;
    for (size_t i = 0; i < found->lines.size(); ++i) {
        const Line& line = found->lines[i];
        if (line.isKey && found->keys.at(Fold(line.key)) == i)
            lines.push_back(line.key + "=" + line.value);
    }
    return lines;
}

// ---- writing ----

void IniFile::CheckNames(std::string_view section, std::string_view key) const {
    auto fail = [&](std::string_view what, std::string_view name) {
        throw EStoreError("Cannot use '" + std::string(name) + "' as a " + std::string(what) +
                          " name in settings file '" + m_path + "'");
    };
    if (section.find_first_of("]\r\n") != std::string_view::npos) fail("section", section);
    std::string_view trimmed = Trim(key);
    if (key.find_first_of("=\r\n") != std::string_view::npos ||
        (!trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '['))) {
        fail("key", key);
    }
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    CheckNames(section, key);
    value = FirstLine(value);
    Section* found = Find(section);
    if (!found) {
        // A new section is set off from the text before it by a blank line.
        if (!m_sections.empty()) {
            std::vector<Line>& before = m_sections.back().lines;
            if (before.empty() || before.back().isKey || !IsBlankLine(before.back().raw))
                before.emplace_back();
        } else if (!m_preamble.empty() && !IsBlankLine(m_preamble.back())) {
            m_preamble.emplace_back();
        }
        Section created;
        created.name = Trim(section);
        m_sections.push_back(std::move(created));
        m_index.emplace(Fold(m_sections.back().name), m_sections.size() - 1);
        found = &m_sections.back();
    }
    std::string folded = Fold(Trim(key));
    auto existing = found->keys.find(folded);
    if (existing != found->keys.end()) {
        Line& line = found->lines[existing->second];
        if (line.value == value) return;
        line.value = value;
        line.raw.clear();
        m_modified = true;
        return;
    }
    // A new key goes after the last line that is not blank, so the blank lines setting off
    // the next section stay at the end.
    size_t position = found->lines.size();
    while (position > 0 && !found->lines[position - 1].isKey &&
           IsBlankLine(found->lines[position - 1].raw)) {
        --position;
    }
    Line line;
    line.isKey = true;
    line.key = Trim(key);
    line.value = value;
    found->lines.insert(found->lines.begin() + static_cast<ptrdiff_t>(position), std::move(line));
    if (position + 1 == found->lines.size()) {
        found->keys.emplace(std::move(folded), position);
    } else {
        found->Index();
    }
    m_modified = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniFile::EraseSection(std::string_view section) {
    std::string folded = Fold(CleanName(section));
    size_t before = m_sections.size();
    std::erase_if(m_sections, [&](const Section& s) { return Fold(s.name) == folded; });
    if (m_sections.size() == before) return false;
    IndexSections();
    m_modified = true;
    return true;
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = Find(section);
    if (!found) return false;
    std::string folded = Fold(CleanName(key));
    if (found->keys.count(folded) == 0) return false;
    std::erase_if(found->lines,
                  [&](const Line& line) { return line.isKey && Fold(line.key) == folded; });
    found->Index();
    m_modified = true;
    return true;
}

// ---- saving ----

std::string IniFile::ToText() const {
    std::string text;
    for (const std::string& line : m_preamble) {
        text += line;
        text += '\n';
    }
    for (const Section& section : m_sections) {
        text += section.header.empty() ? "[" + section.name + "]" : section.header;
        text += '\n';
        for (const Line& line : section.lines) {
            if (!line.raw.empty() || !line.isKey) {
                text += line.raw;
            } else {
                text += line.key;
                text += '=';
                text += line.value;
            }
            text += '\n';
        }
    }
    return text;
}

void IniFile::UpdateFile() {
    WriteFileAtomically(m_path, ToText(), "settings file");
    m_modified = false;
}

}  // namespace quinkle
