// The ini file settings store: sections of key=value lines, read with a default per reader.
#pragma once

#include "engine/text/EditorError.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quinkle {

/// A settings file could not be read or written, or a name cannot be stored in it.
class EStoreError : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

/// The folder of the per-user settings files: $QUINKLE_CONFIG_DIR when set, else
/// $XDG_CONFIG_HOME/quinkle, else ~/.config/quinkle. The folder need not exist yet.
std::string ConfigFolder();

/// Replaces the file at `path` with `bytes` through the atomic writer of engine/text (a
/// symbolic link is followed, the old file's permissions are kept), creating the folder when
/// missing. On failure raises EStoreError "Cannot save <kind> '<path>': <reason>" and leaves
/// the old file as it was.
void WriteFileAtomically(const std::string& path, std::string_view bytes, std::string_view kind);

/// Reads the whole file at `path` into `bytes`. Returns "" on success, or the reason it could
/// not be read ("No such file or directory", ...); `missing` tells whether it does not exist.
std::string ReadWholeFile(const std::string& path, std::string& bytes, bool& missing);

/// An ini file held in memory.
///
/// Text format: "[Section]" lines start sections, "key=value" lines hold values. Lines may
/// end in LF, CR LF or CR. Section and key names are trimmed of blanks and tabs and compared
/// without regard to ASCII case; the spelling first seen is kept. A value is everything after
/// the first "=", exactly as written. Lines starting with ";" are comments; they, blank lines
/// and lines that are neither a section nor a key=value (lines before the first section
/// included) are ignored for reading but kept where they stand, so a rewritten file differs
/// from the one read only in what was changed, and its line ends, which become LF.
///
/// Duplicates: the first section of a name and the first line of a key within it win, for
/// reading and writing alike; later duplicates are kept in the file but not seen.
///
/// Changes stay in memory until UpdateFile. The destructor saves a modified store that has a
/// file name, swallowing errors; call UpdateFile to learn about them.
class IniFile {
public:
    /// An empty store without a file.
    IniFile() = default;
    /// Loads `path`. A missing file gives an empty store; a file that exists but cannot be read
    /// gives an empty store too, with the reason in LoadProblem().
    explicit IniFile(std::string path);
    /// A store parsed from `text`, without a file.
    static IniFile FromText(std::string_view text);
    /// ConfigFolder() + "/htmquinkle.ini".
    static std::string DefaultPath();

    ~IniFile();
    IniFile(IniFile&& other) noexcept;
    IniFile& operator=(IniFile&& other) noexcept;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& FileName() const { return m_path; }
    /// Why the file could not be read when it was opened; empty when all went well.
    const std::string& LoadProblem() const { return m_loadProblem; }
    /// True when the store holds changes that UpdateFile has not written yet.
    bool Modified() const { return m_modified; }

    /// The value of `key` in `section`; `def` when either is missing. A present but empty
    /// value gives "".
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    /// The value read as a 32-bit integer: decimal, or hexadecimal after "$" or "0x" (up to
    /// eight digits, so 0x80000008 reads as its 32-bit pattern), with an optional sign and
    /// surrounding blanks. Missing, empty, unparsable or out-of-range values give `def`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    /// True for any non-zero integer, false for zero, `def` when ReadInteger would not parse.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    /// Sets `key` in `section`, adding the section at the end of the file and the key after
    /// the last line of the section that is not blank when they are new. A line break in
    /// `value` ends it there (a value is one line). Raises EStoreError for names the file
    /// cannot hold (see CheckNames).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    /// Writes the integer in decimal.
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    /// Writes "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    /// The names of all sections, each once, in file order.
    std::vector<std::string> ReadSections() const;
    /// The key names of `section`, each once, in file order; empty when it is missing.
    std::vector<std::string> ReadSection(std::string_view section) const;
    /// The "key=value" lines of `section` as ReadSection lists them, with the values read.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;

    /// Removes every section of that name with all its lines; false when there was none.
    bool EraseSection(std::string_view section);
    /// Removes every line of `key` in the first section of that name; false when there was none.
    bool DeleteKey(std::string_view section, std::string_view key);

    /// The file's text as UpdateFile writes it.
    std::string ToText() const;
    /// Writes the store to its file atomically (see WriteFileAtomically) and clears Modified.
    /// Raises EStoreError "Cannot save settings file '<path>': <reason>" on failure, or when
    /// the store has no file name; the old file and Modified are then unchanged.
    void UpdateFile();

    /// Raises EStoreError unless `section` and `key` can be written and read back: a section
    /// name must not contain "]" and a key must not contain "=" or start with ";" or "["
    /// (after trimming); neither may contain a line break.
    void CheckNames(std::string_view section, std::string_view key) const;

private:
    struct Line {
        bool isKey = false;
        std::string key;    // trimmed name of a key line
        std::string value;  // the value of a key line
        std::string raw;    // the line as read; empty once a key line is changed or when new
    };
    struct Section {
        std::string name;
        std::string header;  // the header line as read; empty for a new section
        std::vector<Line> lines;
        std::unordered_map<std::string, size_t> keys;  // folded key -> first line of it
        void Index();
    };

    const Section* Find(std::string_view section) const;
    Section* Find(std::string_view section);
    void IndexSections();
    void Parse(std::string_view text);

    std::string m_path;
    std::string m_loadProblem;
    std::vector<std::string> m_preamble;  // lines before the first section
    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_index;  // folded name -> first section of it
    bool m_modified = false;
};

}  // namespace quinkle
