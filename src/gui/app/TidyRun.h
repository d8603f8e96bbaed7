// Running HTML Tidy over the document's text.
#pragma once

#include <QString>
#include <string>

#include "engine/html/TidyCommand.h"
#include "engine/text/Charset.h"

namespace quinkle {

/// What a run of HTML Tidy gave.
struct TidyResult {
    std::string Text;             ///< the text read back
    std::string Problem;          ///< why it could not be read back; empty when it was
    bool ProgramMissing = false;  ///< no tidy program was found
};

/// Writes `text` to Tidy's file in `folder`, runs Tidy over it (from `folder` or the PATH) as
/// `options` and `charset` say, waiting as long as it takes, and reads the file back; Tidy's
/// own result is not checked, so on any failure the text comes back as written. Tidy's error
/// log stays in `folder`.
TidyResult RunTidy(const std::string& text, const TidyOptions& options, Charset charset,
                   const QString& folder);

}  // namespace quinkle
