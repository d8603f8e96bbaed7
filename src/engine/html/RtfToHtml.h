// Rich text (RTF) translated into an HTML page: the text with its paragraphs, alignment,
// lists, tables, links, fonts, colours, sizes, bold, italic and underline.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/html/HeadBody.h"

namespace quinkle {

/// The translation of one rich-text file.
struct RtfTranslation {
    /// The page body's text (without the body tag), UTF-8, lines ending in CR LF.
    std::string Body;
    /// The document's own title, from its information group; empty when it has none.
    std::string Title;
    /// What the translation had to make up for: a font or colour the tables do not hold.
    std::vector<std::string> Notes;
};

/// Translates rich text as word processors write it, in one pass and in time linear in its
/// length, whatever the input: unbalanced braces, a truncated file, huge numbers and deep
/// nesting give a best-effort result. Text comes from the body, fields' results (a HYPERLINK
/// field becomes a link around its result) and footnotes, which are gathered at the end under
/// a rule, each with its number; fonts, colours, styles, information, pictures, objects,
/// headers, footers and every ignorable destination leave no text. `\'hh` is read in the code
/// page the file or the run's font names (Windows 1250..1258, 437, 850, Mac Roman; others as
/// 1252), and `\uN` with its `\ucN` fallback skipped.
RtfTranslation TranslateRtf(std::string_view rtf);

/// The complete page: a document type line, "<html>", BuildHeadSection with the given fields
/// (its head declares UTF-8), BuildBodyTag of `body`, the translated body, "</body>" and
/// "</html>", lines ending in CR LF.
std::string BuildRtfPage(const RtfTranslation& translation, std::string_view keywords,
                         std::string_view title, std::string_view description,
                         const BodyFields& body);

}  // namespace quinkle
