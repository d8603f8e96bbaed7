// The Format command's call of HTML Tidy: its options, its argument list and its result.
#include "engine/html/TidyCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include "engine/store/IniFile.h"

namespace quinkle {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string InFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace

TidyOptions ReadTidyOptions(const IniFile& ini) {
    TidyOptions options;
    options.Indent = Read(ini, kTidyIndent);
    options.OmitOptionalTags = Read(ini, kTidyOmitOptionalTags);
    options.Wrap = Read(ini, kTidyWrap);
    options.ShowErrorLog = Read(ini, kTidyShowErrorLog);
    options.UpperCaseTags = Read(ini, kTidyUpperCaseTags);
    options.ReplacePresentational = Read(ini, kTidyReplacePresentational);
    options.WrapColumn = Read(ini, kTidyWrapColumn);
    return options;
}

std::vector<std::string> TidyArguments(const TidyOptions& options, Charset charset,
                                       std::string_view documentFile, std::string_view errorFile) {
    std::vector<std::string> arguments;
    if (options.ShowErrorLog) {
        arguments.emplace_back("-f");
        arguments.emplace_back(errorFile);
    }
    arguments.emplace_back("-m");
    if (options.Indent) arguments.emplace_back("-i");
    // Tidy 5 reads "-o" as an output file: the long forms name these options.
    if (options.OmitOptionalTags) arguments.emplace_back("-omit");
    if (options.UpperCaseTags) arguments.emplace_back("-upper");
    if (options.ReplacePresentational) arguments.emplace_back("-clean");
    if (options.Wrap) {
        arguments.emplace_back("-wrap");
        arguments.emplace_back(std::to_string(options.WrapColumn));
    }
    // Tidy reads UTF-8 unless told otherwise and would turn other charsets' letters into
    // replacement characters; "-raw" passes bytes above 127 through untouched.
    arguments.emplace_back(charset == Charset::Utf8 ? "-utf8" : "-raw");
    arguments.emplace_back("--tidy-mark");
    arguments.emplace_back("no");
    arguments.emplace_back(documentFile);
    return arguments;
}

int32_t RunAndWaitResult(bool endedNormally, int exitCode) {
    return endedNormally && exitCode == 0 ? kRunSucceeded : kRunFailed;
}

std::string FindTidyProgram(std::string_view programDir, std::string_view searchPath) {
    if (!programDir.empty()) {
        std::string local = InFolder(programDir, "tidy");
        if (IsExecutableFile(local)) return local;
    }
    while (true) {
        size_t colon = searchPath.find(':');
        std::string_view folder = searchPath.substr(0, colon);
        if (!folder.empty()) {
            std::string candidate = InFolder(folder, "tidy");
            if (IsExecutableFile(candidate)) return candidate;
        }
        if (colon == std::string_view::npos) return {};
        searchPath.remove_prefix(colon + 1);
    }
}

}  // namespace quinkle
