// The program's name, version and the other fixed texts that several windows show.
#pragma once

#include "engine/html/HeadBody.h"

namespace quinkle {

// The product name and version (kProductName, kProductVersion) are the engine's, as the
// generator line of every page names them.
inline constexpr const char* kVersion = kProductVersion.data();
inline constexpr const char* kFreeware = "freeware";
/// The author line of the splash window (two lines).
inline constexpr const char* kAuthorLine = "the HTML Quinkle team\nfor the Linux desktop";

}  // namespace quinkle
