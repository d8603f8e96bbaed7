// The program's name, version and the other fixed texts that several windows show.
#pragma once

namespace quinkle {

inline constexpr const char* kProductName = "HTML Quinkle";
inline constexpr const char* kVersion = "v1.18";
inline constexpr const char* kFreeware = "freeware";
/// The author line of the splash window (two lines).
inline constexpr const char* kAuthorLine = "the HTML Quinkle team\nfor the Linux desktop";

}  // namespace quinkle
