// The program settings the document reads and the folder memory it keeps.
#include "engine/document/DocumentSettings.h"

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"

namespace quinkle {

DocumentSettings ReadDocumentSettings(const IniFile& settings) {
    DocumentSettings read;
    read.DefaultStartup = Read(settings, kDefaultStartup);
    read.StartFile = Read(settings, kStartFile);
    read.Backups = Read(settings, kBackups) == 0;
    read.RecentFilesMax = Read(settings, kRecentMax);
    return read;
}

std::string ReadLastFolder(const IniFile& settings, const std::string& key,
                           const std::string& fallback) {
    return Read(settings, WithDefault(Entry(kLastPaths, key), fallback));
}

void WriteLastFolder(IniFile& settings, const std::string& key, const std::string& folder) {
    Write(settings, Entry(kLastPaths, key), folder);
}

}  // namespace quinkle
