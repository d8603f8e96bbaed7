// The program settings the document reads and the folder memory it keeps.
#include "engine/document/DocumentSettings.h"

#include "engine/store/IniFile.h"

namespace quinkle {
namespace {

constexpr const char* kConfig = "Config";
constexpr const char* kLastPaths = "LastPaths";

}  // namespace

DocumentSettings ReadDocumentSettings(const IniFile& settings) {
    DocumentSettings read;
    read.DefaultStartup = settings.ReadInteger(kConfig, "Default Startup", 2);
    read.StartFile = settings.ReadString(kConfig, "Start File", "");
    read.Backups = settings.ReadInteger(kConfig, "Backups", 1) == 0;
    read.RecentFilesMax = settings.ReadInteger(kConfig, "Max", 5);
    return read;
}

std::string ReadLastFolder(const IniFile& settings, const std::string& key,
                           const std::string& fallback) {
    return settings.ReadString(kLastPaths, key, fallback);
}

void WriteLastFolder(IniFile& settings, const std::string& key, const std::string& folder) {
    settings.WriteString(kLastPaths, key, folder);
}

}  // namespace quinkle
