// The catalogue of program settings kept in the ini file: each setting's section, key, type
// and default, named once, with typed reading and writing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/store/IniFile.h"
#include "engine/store/RecentFiles.h"

namespace quinkle {

/// One value of the ini file. T is int32_t, bool or std::string_view (text).
template <class T>
struct Setting {
    std::string_view Section;
    std::string_view Key;
    T Default;
};

/// A section whose keys are chosen by the caller, all sharing one default.
template <class T>
struct SettingGroup {
    std::string_view Section;
    T Default;
};

using IntSetting = Setting<int32_t>;
using BoolSetting = Setting<bool>;
using TextSetting = Setting<std::string_view>;

/// The same setting read with another default: for readers whose default is a value known
/// only at run time, or who deliberately propose another value than the program assumes.
template <class T>
constexpr Setting<T> WithDefault(const Setting<T>& setting, std::type_identity_t<T> def) {
    return {setting.Section, setting.Key, def};
}

/// The setting of `key` in a group's section.
template <class T>
constexpr Setting<T> Entry(const SettingGroup<T>& group, std::string_view key) {
    return {group.Section, key, group.Default};
}

/// The stored value; the setting's default when the key is missing (or, for numbers and
/// booleans, unreadable). Booleans read any non-zero number as true.
int32_t Read(const IniFile& ini, const IntSetting& setting);
bool Read(const IniFile& ini, const BoolSetting& setting);
std::string Read(const IniFile& ini, const TextSetting& setting);

/// Stores the value: numbers in decimal, booleans as "1" or "0", text up to its first line
/// break. Raises EStoreError for a key the file cannot hold (a group key with "=", ...).
void Write(IniFile& ini, const IntSetting& setting, int32_t value);
void Write(IniFile& ini, const BoolSetting& setting, bool value);
void Write(IniFile& ini, const TextSetting& setting, std::string_view value);

// ---- [Config]: the program ----

inline constexpr std::string_view kConfigSection = "Config";

/// What the New command starts with: 0 blank, 1 minimal document, 2 "default.txt", 3 the
/// start file.
inline constexpr IntSetting kDefaultStartup{kConfigSection, "Default Startup", 2};
/// The document Default Startup 3 opens.
inline constexpr TextSetting kStartFile{kConfigSection, "Start File", ""};
/// 0 keeps a backup at each save, anything else does not.
inline constexpr IntSetting kBackups{kConfigSection, "Backups", 1};
/// 1 gives the docks no background picture, anything else the built-in one.
inline constexpr IntSetting kBackground{kConfigSection, "Background", 0};
/// Menu painting: 0 "Office97", 1 "IE4", 2 "None".
inline constexpr IntSetting kMenusLook{kConfigSection, "MenusLook", 0};
inline constexpr BoolSetting kShowHints{kConfigSection, "Show Hints", true};
/// The program started by the Browser command.
inline constexpr TextSetting kDefaultBrowser{kConfigSection, "Default Browser", ""};
/// The path of the keyword file.
inline constexpr TextSetting kKeywordFile{kConfigSection, "HTMLKeyWord", ""};
/// The keyword file to use: the stored one (an empty entry means none), or, until the user
/// chooses, the one shipped in the program folder `programDir` (with its trailing slash).
std::string KeywordFileOrShipped(const IniFile& ini, const std::string& programDir);
/// The code template and auto-correct files of the program folder.
inline constexpr std::string_view kTemplatesFileName = "templates.tpl";
inline constexpr std::string_view kAutoReplaceFileName = "autoreplace.tpl";
/// The file `name` to read: the per-user copy in `programDir` when there is one, else the
/// shipped one in `shippedDir`, else empty. Both folders end with a slash; an empty
/// `shippedDir` is none.
std::string ProgramFileOrShipped(const std::string& programDir, const std::string& shippedDir,
                                 std::string_view name);
inline constexpr TextSetting kProgramFont{kConfigSection, "Program Font", "Arial"};
/// kLargeIconSize for large toolbar buttons, kSmallIconSize for small ones.
inline constexpr int32_t kLargeIconSize = 40;
inline constexpr int32_t kSmallIconSize = 25;
inline constexpr IntSetting kToolbarIconSize{kConfigSection, "Icon Size", kSmallIconSize};
/// The key character of the WBR Use shortcut.
inline constexpr TextSetting kWbrKey{kConfigSection, "wbr", "#"};

// The Configure dialog proposes other values than the program assumes for a missing key, so
// that closing it once on a fresh installation stores them (turning backups on, for one).
inline constexpr TextSetting kStartFileProposed = WithDefault(kStartFile, "ReadMe.txt");
inline constexpr IntSetting kBackupsProposed = WithDefault(kBackups, 0);
inline constexpr IntSetting kBackgroundProposed = WithDefault(kBackground, 1);

// ---- [Config]: the recent-files list (the list itself is kept in the per-user store) ----

/// The most entries the list holds.
inline constexpr IntSetting kRecentMax{kConfigSection, "Max", RecentFileList::kDefaultMax};
/// Captions show up to 999 pixels of the path (true) or 150.
inline constexpr BoolSetting kRecentFullPath{kConfigSection, "FullPath", true};
/// Whether opening a file picks the highlighting scheme from its extension.
inline constexpr BoolSetting kSchemeFromExtension{kConfigSection, "Scheme From Extension", true};

// ---- [Config]: the Quick File Load list ----

/// File masks separated by ";".
inline constexpr TextSetting kQuickFileMask{kConfigSection, "QFileLoad",
                                            "*.htm;*.txt;*.rtf;*.shtm;*.css"};
inline constexpr TextSetting kQuickFileMaskProposed =
    WithDefault(kQuickFileMask, "*.htm;*.js;*.txt");
/// The list shows all files.
inline constexpr BoolSetting kQuickFileAll{kConfigSection, "QFLAll", false};

// ---- [Config]: the main window's place ----

/// The state at start: 0 keep the design placement, 1 normal, 2 minimised, 3 maximised.
inline constexpr IntSetting kWindowStatus{kConfigSection, "Status", 1};
// The normal placement; the defaults are the window's design values.
inline constexpr IntSetting kWindowTop{kConfigSection, "Top", 21};
inline constexpr IntSetting kWindowLeft{kConfigSection, "Left", 6};
inline constexpr IntSetting kWindowWidth{kConfigSection, "Width", 780};
inline constexpr IntSetting kWindowHeight{kConfigSection, "Height", 535};

// ---- [Toolbars] ----

/// The layout of the toolbars and docks, one entry per key the gui chooses.
inline constexpr SettingGroup<std::string_view> kToolbarLayout{"Toolbars", ""};
/// The whole arrangement as the gui saves it, in base64.
inline constexpr TextSetting kToolbarState = Entry(kToolbarLayout, "State");

// ---- [Tidy]: the Format command ----

inline constexpr std::string_view kTidySection = "Tidy";

inline constexpr BoolSetting kTidyIndent{kTidySection, "Element", true};
inline constexpr BoolSetting kTidyOmitOptionalTags{kTidySection, "Tags", true};
inline constexpr BoolSetting kTidyWrap{kTidySection, "Wrap", true};
inline constexpr BoolSetting kTidyShowErrorLog{kTidySection, "Err Log", false};
inline constexpr BoolSetting kTidyUpperCaseTags{kTidySection, "UpperCase", false};
inline constexpr BoolSetting kTidyReplacePresentational{kTidySection, "Replace", true};
inline constexpr IntSetting kTidyWrapColumn{kTidySection, "Wrap At Col", 80};

// ---- [LastPaths]: the last folder of each file dialog, with a trailing separator ----

/// Keys: "DocPath" (documents), "QTFPath" (inserted text files) and the dialogs' own. The
/// readers pass the program folder as the default.
inline constexpr SettingGroup<std::string_view> kLastPaths{"LastPaths", ""};

// ---- the keyword file (an ini file of its own, named by kKeywordFile) ----

/// The help file searched for keywords.
inline constexpr TextSetting kKeywordHelpFile{kConfigSection, "HelpFile", ""};
/// Keyword = help topic.
inline constexpr SettingGroup<std::string_view> kKeywords{"Keywords", ""};

}  // namespace quinkle
