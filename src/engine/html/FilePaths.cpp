// File names as the dialogs and document commands cut them: quotes, names, folders, backups.
#include "engine/html/FilePaths.h"

namespace quinkle {
namespace {

constexpr std::string_view kSeparators = "/\\:";

}  // namespace

std::string StripQuotes(std::string_view text) {
    if (text.empty() || text.front() != '"') return std::string(text);
    text.remove_prefix(1);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
    return std::string(text);
}

std::string FileNameOnly(std::string_view path) {
    size_t last = path.find_last_of(kSeparators);
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::optional<std::string> FolderToRemember(std::string_view path) {
    size_t last = path.find_last_of(kSeparators);
    if (last == std::string_view::npos) return std::nullopt;
    // Cut after the separator, so the folder keeps it: "/web/" and "C:\web\", and a
    // root "/" or drive "C:\" or "C:" stays whole.
    return std::string(path.substr(0, last + 1));
}

std::string BackupFileName(std::string_view path) {
    size_t nameStart = path.find_last_of(kSeparators);
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    size_t dot = path.rfind('.');
    std::string backup(path);
    if (dot == std::string_view::npos || dot < nameStart) {
        backup += '~';
    } else {
        backup.insert(dot + 1, "~");
    }
    return backup;
}

}  // namespace quinkle
