// The keyboard action controller: command names, the key map, key processing and streaming.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/scheme/KeyStore.h"

namespace quinkle {

/// Names the editor's commands and maps keys to them. Codes 0-45 are the editor's own commands;
/// higher codes may be named and bound too and only reach the host. Each scheme's settings own
/// a controller; it starts as a copy of Default().
class KeyboardActionController {
public:
    struct CommandEntry {
        int32_t Code = -1;
        std::string Name;
        friend bool operator==(const CommandEntry&, const CommandEntry&) = default;
    };

    KeyboardActionController() : m_store(this) {}
    /// Copies go through Assign, so a copy holds the bindings in the order a stream gives them.
    KeyboardActionController(const KeyboardActionController& other);
    KeyboardActionController& operator=(const KeyboardActionController& other);
    KeyboardActionController(KeyboardActionController&& other) noexcept;
    KeyboardActionController& operator=(KeyboardActionController&& other) noexcept;

    /// The program-wide default: commands 0-45 with their names and default keys.
    static const KeyboardActionController& Default();

    /// Adds the name of `code`, or replaces it in place when the code has one. Raises
    /// ESourceEditor for a negative code or a name longer than 255 bytes (a stream cannot
    /// hold it).
    void AddCommand(int32_t code, std::string_view name);

    /// The name of `code`; empty when it has none.
    std::string CommandName(int32_t code) const;

    /// The named commands in the order they were first added.
    const std::vector<CommandEntry>& Commands() const { return m_commands; }

    /// See KeyStore::AddBinding.
    void AddBinding(uint16_t first, uint16_t second, int32_t command) {
        m_store.AddBinding(first, second, command);
    }

    /// Enumerate the key pairs bound to `command`; the 0 pair marks the end.
    KeyPair FirstBinding(int32_t command) { return m_store.FirstBinding(command); }
    KeyPair NextBinding(int32_t command) { return m_store.NextBinding(command); }

    /// Every binding, in tree order (the order they are streamed in).
    std::vector<KeyBinding> Bindings() const { return m_store.Bindings(); }

    const KeyStore& Store() const { return m_store; }

    /// Removes every command name and every binding.
    void Clear();

    /// Makes this a copy of `other` by streaming it out and reading it back.
    void Assign(const KeyboardActionController& other);

    /// Appends the stream form, little-endian: i32 count of names, per name i32 code, u8 length
    /// and the bytes; then i32 count of bindings, per binding u16 first key, u16 second key
    /// (0 for none) and i32 command, in tree order.
    void WriteTo(std::string& out) const;

    /// Reads the stream form at `pos` in `data` and replaces names and bindings with it,
    /// advancing `pos` past it. A truncated or malformed stream raises ESourceEditor "Invalid
    /// key assignment data", and conflicting bindings raise EAmbiguousKeyPair; either way the
    /// controller and `pos` are left as they were.
    void ReadFrom(std::string_view data, size_t& pos);

    /// The editor's key-down path for one key combination. Shift, Ctrl or Alt pressed on their
    /// own are not handled and leave the matching as it is (so a sequence survives reaching for
    /// a modifier). Otherwise Extend reports whether Shift is down; for the Shift-transparent
    /// keys Shift is then taken off the combination, for others it stays part of it; and the
    /// combination is matched as KeyStore::Match says.
    KeyMatch ProcessKey(uint16_t key);

    /// Continues matching at the first level, abandoning a sequence that was started.
    void ResetMatching() { m_store.ResetMatching(); }

    /// True after the first key of a sequence, while the second is awaited.
    bool InSequence() const { return m_store.InSequence(); }

private:
    std::vector<CommandEntry> m_commands;
    std::unordered_map<int32_t, size_t> m_commandIndex;  // code -> position in m_commands
    KeyStore m_store;
};

}  // namespace quinkle
