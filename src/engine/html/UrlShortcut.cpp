// Internet shortcut files (".url") turned into links, as dropping them on the editor does.
#include "engine/html/UrlShortcut.h"

#include "engine/html/FilePaths.h"
#include "engine/store/IniFile.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

constexpr const char* kNoAddress = "Error in URL!";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

ShortcutLink Failure(std::string_view path) {
    return {{}, FormatMessage("File Error:  %s", std::string(path))};
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

ShortcutLink ShortcutTextToLink(std::string_view fileText, std::string_view path) {
    // Some programs write the file as UTF-8 with a mark in front of its first section.
    if (fileText.substr(0, kUtf8Mark.size()) == kUtf8Mark) fileText.remove_prefix(kUtf8Mark.size());
    IniFile shortcut = IniFile::FromText(fileText);
    std::string stored = shortcut.ReadString("InternetShortcut", "URL", kNoAddress);
    std::string_view address = TrimBlanks(stored);
    if (address.empty() || address == kNoAddress) return Failure(path);

    std::string name = FileNameOnly(path);
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    std::string link = "<a href=\"";
    for (char c : address) {
        // A quote would end the attribute early; %22 is the same address.
        link += c == '"' ? std::string("%22") : std::string(1, c);
    }
    link += "\">" + name + "</a>";
    return {std::move(link), {}};
}

ShortcutLink ShortcutFileToLink(const std::string& path) {
    std::string bytes;
    bool missing = false;
    if (!ReadWholeFile(path, bytes, missing).empty()) return Failure(path);
    return ShortcutTextToLink(bytes, path);
}

}  // namespace quinkle
