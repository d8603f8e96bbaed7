// The Format command's call of HTML Tidy: its options, its argument list and its result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/store/ProgramSettings.h"
#include "engine/text/Charset.h"

namespace quinkle {

/// The document's copy that tidy rewrites in place, in the program's folder.
inline constexpr std::string_view kTidyTempFileName = "$$temp$$.htm";
/// Tidy's messages when the error log is shown, in the program's folder.
inline constexpr std::string_view kTidyErrorFileName = "error.txt";

/// RunAndWait's report: the program ran and ended with exit code 0, or anything else.
inline constexpr int32_t kRunSucceeded = 32;
inline constexpr int32_t kRunFailed = 30;

/// The [Tidy] settings, with their defaults.
struct TidyOptions {
    bool Indent = kTidyIndent.Default;                      ///< "Indent Element Content"
    bool OmitOptionalTags = kTidyOmitOptionalTags.Default;  ///< "Omit Optional Endtags"
    bool Wrap = kTidyWrap.Default;                          ///< "Wrap at:"
    bool ShowErrorLog = kTidyShowErrorLog.Default;          ///< "Show Error Log"
    bool UpperCaseTags = kTidyUpperCaseTags.Default;        ///< "Force Tags to Uppercase"
    /// Font, nobr and center tags replaced by CSS.
    bool ReplacePresentational = kTidyReplacePresentational.Default;
    int32_t WrapColumn = kTidyWrapColumn.Default;  ///< the wrap column
};

/// The options as the [Tidy] section of the settings holds them.
TidyOptions ReadTidyOptions(const IniFile& ini);

/// The arguments (without the program) that make tidy rewrite `documentFile` in place:
/// "-f" errorFile when the log is shown, "-m", then "-i", "-omit", "-upper", "-clean" as
/// ticked, "-wrap" N, the document's charset ("-utf8", or "-raw" for the single-byte
/// charsets, which keeps every byte), "--tidy-mark no" (the page keeps its own generator
/// line alone) and the file. Each argument is one element: no quoting is needed.
std::vector<std::string> TidyArguments(const TidyOptions& options, Charset charset,
                                       std::string_view documentFile, std::string_view errorFile);

/// RunAndWait's report for a program that ended normally (or not) with `exitCode`:
/// kRunSucceeded only for a normal end with exit code 0.
int32_t RunAndWaitResult(bool endedNormally, int exitCode);

/// The tidy program to run: "tidy" in `programDir` when it is an executable file there, else
/// the first executable "tidy" in the folders of `searchPath` (a PATH value, ":"-separated);
/// "" when there is none.
std::string FindTidyProgram(std::string_view programDir, std::string_view searchPath);

}  // namespace quinkle
