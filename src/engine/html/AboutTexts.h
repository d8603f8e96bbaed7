// The texts of the About and Support windows and the addresses they lead to.
#pragma once

#include <string>
#include <string_view>

namespace quinkle {

inline constexpr std::string_view kHomePage = "https://htmlquinkle.example.org/";
inline constexpr std::string_view kSupportAddress = "support@htmlquinkle.example.org";
inline constexpr std::string_view kAuthorName = "The HTML Quinkle developers";
inline constexpr std::string_view kAuthorMailLine = "E-mail: support@htmlquinkle.example.org";

/// The About window's first block: name, version and copyright notice, ending in CR LF.
std::string AboutProductText();
/// The About window's second block: "by", the authors, their e-mail line and the request for
/// bug reports, on lines of their own.
std::string AboutAuthorText();

enum class SupportMail { Suggestion, BugReport };

/// The mail link of the Support window's suggestion or bug area: the support address with the
/// subject "Suggestion: " or "Bug Report: ", the product name and version and " beta",
/// percent-encoded as a URL needs.
std::string SupportMailUrl(SupportMail kind);

}  // namespace quinkle
