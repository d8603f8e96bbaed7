// Keeping a scheme's user styles and key assignments in the per-user store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/SchemeSettings.h"
#include "engine/store/UserStore.h"
#include "engine/text/EditorError.h"

namespace quinkle {

/// Where a scheme component keeps its user styles: its name (for messages), whether the store
/// is used at all, and the key below the user's root ("\Software\HTML Quinkle\HTML").
struct SchemeStoreLink {
    std::string ComponentName;
    bool UseRegistry = false;
    std::string RegistryKey;
};

/// The magic in front of the key store in a key blob: one byte 8, then "Marvox6:".
inline constexpr std::string_view kKeyBlobMagic{"\x08Marvox6:", 9};

/// "Highlighting - " + the scheme's language name: the value holding the style string.
std::string HighlightingValueName(const SchemeSettings& settings);
/// "Key Assignments - " + the scheme's language name: the value holding the key blob.
std::string KeyAssignmentsValueName(const SchemeSettings& settings);

/// "Template Hot Key - " + the language name: the template hot key as its display text.
std::string TemplateHotKeyValueName(const SchemeSettings& settings);
/// "Auto Correct Keys - " + the language name: the auto-correct activation text.
std::string ActivationKeysValueName(const SchemeSettings& settings);

/// The key blob of a key map: the magic, then the key store stream.
std::string WriteKeyBlob(const KeyboardActionController& keys);

/// Writes the style string, the key blob, the template hot key and the auto-correct
/// activation text of `scheme` under link.RegistryKey, creating the key. Throws ESourceEditor
/// "Registry interface disabled in: " + link.ComponentName when the store is not used or the key is
/// empty.
void SaveSchemeStyles(const CompiledScheme& scheme, UserStore& store, const SchemeStoreLink& link);

/// LoadSchemeStylesFrom(link.RegistryKey), after the same check as SaveSchemeStyles.
bool LoadSchemeStyles(CompiledScheme& scheme, const UserStore& store, const SchemeStoreLink& link);

/// Applies the style string kept under `key`, then the key store of the key blob when there is
/// one that starts with the magic, then the template hot key and activation text when they are
/// there and readable. Returns false, changing nothing, when the key or the style
/// string is missing. Any fault raises ESourceEditor "Invalid data in registry entry", a blank
/// and, in double quotes, the key, a backslash and the style value's name; before that a bad
/// tagged style string puts the settings back to their defaults (name, example text,
/// auto-correct, templates and keys kept) and a bad older one clears the whole scheme. The editors
/// using the scheme must re-apply it afterwards.
bool LoadSchemeStylesFrom(CompiledScheme& scheme, const UserStore& store, std::string_view key);

/// Reads the compiled scheme `image` into `scheme` and applies the user's styles and keys
/// stored for `link`. Returns the problems met, one line each ("component: message"); a
/// scheme whose stored styles cannot be read keeps its own.
std::vector<std::string> LoadStoredScheme(std::string_view image, CompiledScheme& scheme,
                                          const UserStore& store, const SchemeStoreLink& link);

}  // namespace quinkle
