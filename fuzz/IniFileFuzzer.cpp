// Arbitrary bytes parsed as an ini file: nothing may crash, every line must survive a rewrite,
// and what was read must read the same after writing it back and after changing every value.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/store/IniFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The text a rewrite must give: the same lines, each ended by LF.
std::string Lines(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += '\n';
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    quinkle::IniFile ini = quinkle::IniFile::FromText(input);
    std::string text = ini.ToText();
    Require(text == Lines(input));

    quinkle::IniFile again = quinkle::IniFile::FromText(text);
    Require(again.ReadSections() == ini.ReadSections());
    for (const std::string& section : ini.ReadSections()) {
        Require(again.ReadSectionValues(section) == ini.ReadSectionValues(section));
        for (const std::string& key : ini.ReadSection(section)) {
            std::string value = ini.ReadString(section, key, "\x01missing");
            Require(ini.ValueExists(section, key));
            Require(ini.ReadInteger(section, key, 1) == ini.ReadInteger(section, key, 1));
            // Every name read can be written back, and the change reads back from the file.
            again.WriteString(section, key, value + "#");
            if (!ini.ValueExists(section, key + "#"))
                again.WriteInteger(section, key + "#", static_cast<int32_t>(value.size()));
        }
    }
    quinkle::IniFile changed = quinkle::IniFile::FromText(again.ToText());
    for (const std::string& section : ini.ReadSections()) {
        for (const std::string& key : ini.ReadSection(section)) {
            std::string value = ini.ReadString(section, key, "");
            Require(changed.ReadString(section, key, "") == value + "#");
            if (!ini.ValueExists(section, key + "#")) {
                Require(changed.ReadInteger(section, key + "#", -1) ==
                        static_cast<int32_t>(value.size()));
            }
        }
        changed.EraseSection(section);
        Require(!changed.SectionExists(section));
    }
    return 0;
}
