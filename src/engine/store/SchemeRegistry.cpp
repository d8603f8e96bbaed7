// Saving and loading a scheme's style string and key blob under its key in the user store.
#include "engine/store/SchemeRegistry.h"

#include "engine/scheme/SchemeImage.h"
#include "engine/scheme/StyleString.h"

namespace quinkle {
namespace {

void CheckEnabled(const SchemeStoreLink& link) {
    if (!link.UseRegistry || link.RegistryKey.empty())
        throw ESourceEditor("Registry interface disabled in: " + link.ComponentName);
}

// Back to default settings, keeping what the style string does not describe.
void ResetStyleSettings(SchemeSettings& settings) {
    SchemeSettings fresh;
    fresh.Name = std::move(settings.Name);
    fresh.ExampleText = std::move(settings.ExampleText);
    fresh.Editor.Templates = std::move(settings.Editor.Templates);
    fresh.Editor.AutoCorrect = std::move(settings.Editor.AutoCorrect);
    fresh.Editor.Keys = std::move(settings.Editor.Keys);
    settings = std::move(fresh);
}

}  // namespace

std::string HighlightingValueName(const SchemeSettings& settings) {
    return "Highlighting - " + settings.Name;
}

std::string KeyAssignmentsValueName(const SchemeSettings& settings) {
    return "Key Assignments - " + settings.Name;
}

std::string WriteKeyBlob(const KeyboardActionController& keys) {
    std::string blob(kKeyBlobMagic);
    keys.WriteTo(blob);
    return blob;
}

void SaveSchemeStyles(const CompiledScheme& scheme, UserStore& store, const SchemeStoreLink& link) {
    CheckEnabled(link);
    store.CreateKey(link.RegistryKey);
    store.WriteString(link.RegistryKey, HighlightingValueName(scheme.Settings),
                      WriteStyleString(scheme.Settings));
    store.WriteBinary(link.RegistryKey, KeyAssignmentsValueName(scheme.Settings),
                      WriteKeyBlob(scheme.Settings.Editor.Keys));
}

bool LoadSchemeStyles(CompiledScheme& scheme, const UserStore& store, const SchemeStoreLink& link) {
    CheckEnabled(link);
    return LoadSchemeStylesFrom(scheme, store, link.RegistryKey);
}

bool LoadSchemeStylesFrom(CompiledScheme& scheme, const UserStore& store, std::string_view key) {
    const std::string styleName = HighlightingValueName(scheme.Settings);
    if (!store.KeyExists(key) || store.ValueType(key, styleName) != UserValueType::Text)
        return false;
    const std::string failure =
        "Invalid data in registry entry \"" + std::string(key) + "\\" + styleName + "\"";
    const std::string text = store.ReadString(key, styleName, "");
    int version = 0;
    try {
        version = StyleStringVersion(text);
        ParseStyleString(text, scheme.Settings);
    } catch (const std::exception&) {
        // A text that is not a style string at all changed nothing.
        if (version >= 5)
            ResetStyleSettings(scheme.Settings);
        else if (version >= 1)
            scheme.Reset();
        throw ESourceEditor(failure);
    }
    const std::optional<std::string> blob =
        store.ReadBinary(key, KeyAssignmentsValueName(scheme.Settings));
    if (blob && blob->starts_with(kKeyBlobMagic)) {
        size_t pos = kKeyBlobMagic.size();
        try {
            scheme.Settings.Editor.Keys.ReadFrom(*blob, pos);
        } catch (const std::exception&) {
            throw ESourceEditor(failure);
        }
    }
    return true;
}

std::vector<std::string> LoadStoredScheme(std::string_view image, CompiledScheme& scheme,
                                          const UserStore& store, const SchemeStoreLink& link) {
    std::vector<std::string> problems;
    try {
        std::string message = ReadParserValue(image, scheme, link.ComponentName);
        if (!message.empty()) problems.push_back(message);
        LoadSchemeStyles(scheme, store, link);
    } catch (const EQuinkleError& error) {
        problems.push_back(link.ComponentName + ": " + error.what());
    }
    return problems;
}

}  // namespace quinkle
