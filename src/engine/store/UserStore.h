// The per-user key/value store standing in for the registry: text and binary values by key.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quinkle {

enum class UserValueType { None, Text, Binary };

/// A tree of keys, each holding named values of text or bytes, kept in one file.
///
/// Keys are paths of names separated by backslashes; empty names are dropped, so
/// "\Software\HTML Quinkle", "Software\HTML Quinkle\" and "\\software\\html quinkle" are the
/// same key. Key and value names match without regard to ASCII case and keep the spelling
/// first used. Creating a key creates its parents; deleting one deletes everything below it.
/// The root key "" always exists and cannot be deleted. Any bytes may be stored in names and
/// values.
///
/// File format, one record a line, fields separated by tabs; in names and text, "%", tabs,
/// line breaks and the other control characters are written as "%" and two hexadecimal digits:
///
///     HTML Quinkle user store 1
///     key     \Software\HTML Quinkle\HTML
///     text    Highlighting - HTML     <text>
///     binary  Key Assignments - HTML  <bytes in hexadecimal>
///     end
///
/// Loading never fails: what can be read is loaded and every line that cannot be is skipped
/// and described in LoadProblems (a missing file is no problem). A value named twice in a key
/// takes the later one. The first save after a load with problems keeps the damaged file
/// beside the new one as "<file>.damaged".
///
/// Changes stay in memory until Flush; the destructor flushes a modified store that has a file
/// name, swallowing errors.
class UserStore {
public:
    /// An empty store without a file.
    UserStore() = default;
    /// Loads the store kept at `path`.
    explicit UserStore(std::string path);
    /// A store read from `text`, without a file.
    static UserStore LoadFromText(std::string_view text);
    /// ConfigFolder() + "/userstore.dat".
    static std::string DefaultPath();

    ~UserStore();
    UserStore(UserStore&& other) noexcept;
    UserStore& operator=(UserStore&& other) noexcept;
    UserStore(const UserStore&) = delete;
    UserStore& operator=(const UserStore&) = delete;

    const std::string& FileName() const { return m_path; }
    /// One message per problem met while loading ("User store '<file>', line 7: ..."); empty
    /// when the file was read completely.
    const std::vector<std::string>& LoadProblems() const { return m_problems; }
    /// True when the store holds changes that Flush has not written yet.
    bool Modified() const { return m_modified; }

    bool KeyExists(std::string_view key) const;
    /// Creates the key and its missing parents.
    void CreateKey(std::string_view key);
    /// Deletes the key with its values and all keys below it; false when it did not exist.
    bool DeleteKey(std::string_view key);
    /// The names of the keys directly below `key`, sorted without regard to case.
    std::vector<std::string> SubKeyNames(std::string_view key) const;
    /// The names of the values of `key` in the order they were first written.
    std::vector<std::string> ValueNames(std::string_view key) const;

    bool ValueExists(std::string_view key, std::string_view name) const;
    UserValueType ValueType(std::string_view key, std::string_view name) const;
    /// Deletes one value; false when it did not exist.
    bool DeleteValue(std::string_view key, std::string_view name);

    /// Stores a text value, creating the key when needed and replacing a value of either type.
    void WriteString(std::string_view key, std::string_view name, std::string_view text);
    /// The text value; `def` when the key or value is missing or the value is binary.
    std::string ReadString(std::string_view key, std::string_view name, std::string_view def) const;
    /// Stores a binary value, creating the key when needed and replacing a value of either type.
    void WriteBinary(std::string_view key, std::string_view name, std::string_view bytes);
    /// The binary value; nothing when the key or value is missing or the value is text.
    std::optional<std::string> ReadBinary(std::string_view key, std::string_view name) const;

    /// The store in its file format.
    std::string ToText() const;
    /// Writes a modified store to its file atomically (see WriteFileAtomically) and clears
    /// Modified; does nothing when nothing changed. Raises EStoreError "Cannot save user store
    /// file '<path>': <reason>" on failure, or when the store has no file name; the old file
    /// and Modified are then unchanged.
    void Flush();

private:
    struct Value {
        std::string name;
        UserValueType type = UserValueType::Text;
        std::string data;
    };
    struct Key {
        std::string path;  // as first spelled, with a leading backslash
        std::vector<Value> values;
        std::unordered_map<std::string, size_t> index;  // folded name -> position in values
    };

    const Value* FindValue(std::string_view key, std::string_view name) const;
    Key& Create(std::string_view key);
    void Write(std::string_view key, std::string_view name, UserValueType type,
               std::string_view data);
    void Parse(std::string_view text, const std::string& where);
    void Problem(const std::string& where, size_t line, const std::string& what);

    std::string m_path;
    std::map<std::string, Key> m_keys;  // folded path without the leading backslash -> key
    std::vector<std::string> m_problems;
    size_t m_problemCount = 0;
    bool m_modified = false;
    // Set when the loaded file was damaged: the first Flush keeps it as "<file>.damaged".
    bool m_keepDamaged = false;
    bool m_damagedUnreadable = false;
    std::string m_damagedBytes;
};

}  // namespace quinkle
