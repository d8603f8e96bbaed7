// Typed reading and writing of the settings the catalogue names.
#include "engine/store/ProgramSettings.h"

#include <filesystem>

namespace quinkle {

int32_t Read(const IniFile& ini, const IntSetting& setting) {
    return ini.ReadInteger(setting.Section, setting.Key, setting.Default);
}

bool Read(const IniFile& ini, const BoolSetting& setting) {
    return ini.ReadBool(setting.Section, setting.Key, setting.Default);
}

std::string KeywordFileOrShipped(const IniFile& ini, const std::string& programDir) {
    if (ini.ValueExists(kKeywordFile.Section, kKeywordFile.Key)) return Read(ini, kKeywordFile);
    return programDir + "html.key";
}

std::string ProgramFileOrShipped(const std::string& programDir, const std::string& shippedDir,
                                 std::string_view name) {
    for (const std::string* folder : {&programDir, &shippedDir}) {
        if (folder->empty()) continue;
        std::string path = *folder + std::string(name);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return {};
}

std::string Read(const IniFile& ini, const TextSetting& setting) {
    return ini.ReadString(setting.Section, setting.Key, setting.Default);
}

void Write(IniFile& ini, const IntSetting& setting, int32_t value) {
    ini.WriteInteger(setting.Section, setting.Key, value);
}

void Write(IniFile& ini, const BoolSetting& setting, bool value) {
    ini.WriteBool(setting.Section, setting.Key, value);
}

void Write(IniFile& ini, const TextSetting& setting, std::string_view value) {
    ini.WriteString(setting.Section, setting.Key, value);
}

}  // namespace quinkle
