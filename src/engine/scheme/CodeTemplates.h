// Code templates and auto-correct entries: word tables looked up backwards from the caret.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/KeyCombination.h"

namespace quinkle {

/// One entry of a word table. The name is stored lower-cased; the expansion's line ends are
/// CR. An empty description or expansion stands for none.
struct CodeTemplate {
    std::string Name;
    std::string Description;
    std::string Text;
    friend bool operator==(const CodeTemplate&, const CodeTemplate&) = default;
};

/// The code templates of a scheme: names that expand into text when the hot key is pressed
/// after them. Names are unique without regard to ASCII case. Besides the sorted entry list
/// the table keeps its names reversed in a keyword trie, so that the longest name ending at
/// the caret is found by reading the text backwards from there.
class CodeTemplates {
public:
    CodeTemplates();
    virtual ~CodeTemplates();
    CodeTemplates(const CodeTemplates&);
    CodeTemplates& operator=(const CodeTemplates&);

    /// Adds an entry, or replaces the one of the same name (compared in lower case). The
    /// expansion's line ends are normalised to CR. An empty name is ignored.
    void AddTemplate(std::string_view name, std::string_view description,
                     std::string_view expansion);
    /// Removes the entry named `name`; false when there is none.
    bool DeleteTemplate(std::string_view name);
    void Clear();

    /// The entries, sorted by name.
    const std::vector<CodeTemplate>& Entries() const { return m_entries; }
    bool Empty() const { return m_entries.empty(); }
    /// The entry named `name` (any case), or null.
    const CodeTemplate* Find(std::string_view name) const;
    /// The expansion of the entry whose name equals `word`; false when there is none.
    bool LookupWord(std::string_view word, std::string& expansion) const;
    /// The entry with the longest name that ends `text` (the text before the caret; only its
    /// last LongestName() bytes matter), or null.
    const CodeTemplate* MatchBefore(std::string_view text) const;
    /// The length of the longest name.
    size_t LongestName() const;

    /// The index of the first entry whose name contains `part` (lower case), or -1.
    int32_t FirstContaining(std::string_view part) const;
    /// The index of the first entry whose name starts with `prefix` (any case), or -1.
    int32_t FirstStartingWith(std::string_view prefix) const;

    /// Copies entries and settings from a table of the same class; anything else raises
    /// "Cannot assign %s to %s" with the two class names.
    void Assign(const CodeTemplates& other);
    virtual const char* ClassName() const { return "CodeTemplates"; }
    /// Whether this is the auto-correct table, which checks word boundaries and asks the host.
    virtual bool CorrectsWords() const { return false; }
    /// Whether `key` (a key combination) triggers the table.
    virtual bool IsTrigger(uint16_t key) const { return HotKey != 0 && key == HotKey; }

    /// Writes the entries as text: per entry a line "[name | description]" and the lines of
    /// its expansion, each ended by CR LF. The old file is replaced; a table without entries
    /// leaves no file at all.
    void SaveTemplatesToFile(const std::string& path) const;
    /// Replaces the entries by those of a file written by SaveTemplatesToFile (see
    /// ParseTemplateFile). Raises EFOpenError "Cannot open file "%s" for reading" when the
    /// file cannot be read; the table is unchanged then.
    void LoadTemplatesFromFile(const std::string& path);

    // ---- settings ----
    uint16_t HotKey = kCtrlKey | 'J';  ///< 0: no hot key
    bool FireHandler = true;           ///< the editor expands what the table finds
    bool SwallowTriggerKey = true;     ///< the trigger key is used up by an expansion
    bool IndentExpansion = true;       ///< continuation lines are indented to the word
    bool CaretMarker = true;           ///< the first "|" of an expansion marks the caret
    bool PickList = true;              ///< an incomplete name shows the pick list
    bool RebuildPickList = true;
    uint8_t StoredFlag = 1;  ///< the 7-bit option byte kept with the table
    /// The partial word the last pick list was shown for, lower-cased.
    std::string PartialWord;

private:
    struct ReversedNames;
    size_t IndexOf(std::string_view lowerName, bool& found) const;
    const ReversedNames& Names() const;

    std::vector<CodeTemplate> m_entries;
    // Built on the first lookup after a change and shared by copies, which never change it.
    mutable std::shared_ptr<const ReversedNames> m_names;
};

/// The activation text auto-correct starts with.
inline constexpr std::string_view kDefaultActivationKeys = ";,:.=()[]\\{Return}\\{Tab}\\{Space}";

/// The auto-correct list: entries replaced silently when an activation key is typed after
/// them, at word boundaries only.
class AutoReplace : public CodeTemplates {
public:
    AutoReplace();

    const char* ClassName() const override { return "AutoReplace"; }
    bool CorrectsWords() const override { return true; }
    /// True for a key of the activation list (with its Shift, Ctrl and Alt state).
    bool IsTrigger(uint16_t key) const override;

    const std::string& ActivationKeys() const { return m_activationText; }
    /// Takes a new activation text (see ParseActivationKeys); on an error nothing changes.
    void SetActivationKeys(std::string_view text);
    /// The keys the activation text stands for, each once.
    const std::vector<uint16_t>& ActivationKeyList() const { return m_activationKeys; }
    /// Empties the list and restores the default activation text.
    void Reset();

private:
    std::string m_activationText;
    std::vector<uint16_t> m_activationKeys;
};

/// The keys an activation text stands for, each once, in order of appearance. Each character
/// stands for the key that types it (CharToKeyCombination). A backslash escapes: "\n" and
/// "\r" are Enter, "\s" Space, "\t" Tab, "\{name}" a named key (backspace, delete, down, end,
/// home, insert, left, f1-f12, pagedown, pageup, return, right, space, tab, up; any case; an
/// unknown name adds nothing), and any other escaped character its key without modifiers.
/// Raises ESourceEditor "Bad key specifier" for "\{" without a closing "}".
std::vector<uint16_t> ParseActivationKeys(std::string_view text);

/// The entries of a template file: for each "[" the name runs to "|", "]" or the line end,
/// the description from "|" to "]" or the line end (both trimmed), the rest of that line is
/// skipped, and the expansion is every following line up to one that starts with "[",
/// joined with CR LF. Entries with an empty name are left out. Lines may end in CR LF, LF
/// or CR.
std::vector<CodeTemplate> ParseTemplateFile(std::string_view bytes);
/// The text SaveTemplatesToFile writes for `entries`.
std::string FormatTemplateFile(const std::vector<CodeTemplate>& entries);

/// The pick list's type-ahead: typed characters accumulate into a search text that selects
/// the first entry whose name starts with it; when none does, the search starts again with
/// the last character.
class PickListSearch {
public:
    /// Adds `c` and returns the entry to select, or -1 (the selection stays).
    int32_t Type(const CodeTemplates& table, char c);
    const std::string& Text() const { return m_text; }
    void Reset() { m_text.clear(); }

private:
    std::string m_text;
};

}  // namespace quinkle
