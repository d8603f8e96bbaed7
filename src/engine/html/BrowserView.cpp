// The Browser command's page and its private copy.
#include "engine/html/BrowserView.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/html/HtmlHelpers.h"
#include "engine/text/AsciiText.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"

namespace quinkle {
namespace {

// A file URL of a folder, with the characters a URL cannot hold escaped.
std::string FolderUrl(std::string_view folder) {
    std::string url = "file://" + PercentEncode(folder, "/");
    if (url.back() != '/') url += '/';
    return url;
}

// Where the text after "<head ...>" begins, or 0 when there is no head tag.
size_t AfterHeadTag(std::string_view text) {
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        std::string_view rest = text.substr(at + 1);
        if (!StartsWithNoCase(rest, "head")) continue;
        if (rest.size() > 4 && rest[4] != '>' && !std::isspace(static_cast<unsigned char>(rest[4])))
            continue;  // <header> is not the head
        size_t close = text.find('>', at);
        return close == std::string_view::npos ? 0 : close + 1;
    }
    return 0;
}

bool PrivateFolderOk(const std::string& path, std::string& problem) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        problem = "Cannot create folder '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
        problem = "The folder '" + path + "' is not private to you: the page was not shown.";
        return false;
    }
    return true;
}

}  // namespace

std::string PreviewText(std::string_view text, std::string_view documentPath) {
    size_t slash = documentPath.rfind('/');
    if (documentPath.empty() || slash == std::string_view::npos) return std::string(text);
    const std::string base = "<base href=\"" + FolderUrl(documentPath.substr(0, slash + 1)) + "\">";
    const size_t at = AfterHeadTag(text);
    std::string copy(text.substr(0, at));
    copy += base;
    if (at == 0) copy += "\r\n";
    copy += text.substr(at);
    return copy;
}

std::string PreviewFolder(const std::string& runtimeDir, const std::string& cacheDir,
                          std::string& problem) {
    const std::string parent = !runtimeDir.empty() ? runtimeDir : cacheDir;
    if (parent.empty()) {
        problem = "There is no folder for the browser's copy of the page.";
        return {};
    }
    const std::string folder = parent + "/htmquinkle";
    std::error_code ignored;  // a missing parent is made; mkdir below reports what fails
    std::filesystem::create_directories(parent, ignored);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = "Cannot create folder '" + folder + "': " + std::strerror(errno);
        return {};
    }
    return PrivateFolderOk(folder, problem) ? folder : std::string();
}

BrowserPage PageToView(std::string_view text, const std::string& documentPath, bool modified,
                       const std::string& previewFolder) {
    if (text.empty()) return {{}, kNothingToView};
    if (!documentPath.empty() && !modified) return {documentPath, {}};
    const std::string path = previewFolder + "/" + std::string(kPreviewFileName);
    try {
        AtomicFileWriter writer(path);
        writer.Write(PreviewText(text, documentPath));
        writer.Commit();
    } catch (const EQuinkleError& error) {
        return {{}, error.what()};
    }
    return {path, {}};
}

}  // namespace quinkle
