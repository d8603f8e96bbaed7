// The program settings the document reads and the folder memory it keeps.
#pragma once

#include <string>

namespace quinkle {

class IniFile;

/// The [Config] settings of the document's life cycle, as read at one moment.
struct DocumentSettings {
    /// "Default Startup": 0 blank, 1 minimal document, 2 "default.txt", 3 the start file.
    int DefaultStartup = 2;
    /// "Start File": the document of start-up mode 3.
    std::string StartFile;
    /// "Backups" is 0 when a backup copy is kept on saving.
    bool Backups = false;
    /// "Max": how many recent files the File menu lists.
    int RecentFilesMax = 5;
};

DocumentSettings ReadDocumentSettings(const IniFile& settings);

/// The folder last used for `key` ([LastPaths]), or `fallback` when none is remembered.
std::string ReadLastFolder(const IniFile& settings, const std::string& key,
                           const std::string& fallback);
void WriteLastFolder(IniFile& settings, const std::string& key, const std::string& folder);

}  // namespace quinkle
