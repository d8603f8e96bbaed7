// The six highlighting schemes the program ships, compiled into it by the build.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scheme/SchemeSettings.h"
#include "engine/store/SchemeRegistry.h"

namespace quinkle {

class UserStore;

/// A compiled scheme's Parser value, named after its script.
struct ShippedSchemeImage {
    const char* Name;
    std::string_view Value;
};

/// Written by the build (quinkle-scheme --embed) from schemes/*.sch.
extern const ShippedSchemeImage kShippedSchemeImages[];
extern const size_t kShippedSchemeImageCount;

/// One of the main window's schemes: Parser1 to Parser6.
struct ShippedScheme {
    CompiledScheme Compiled;
    SchemeStoreLink Link;  ///< where the user's style and key changes are kept
};

/// The schemes in the order Parser1..Parser6 (HTML, Pascal, C script, SQL, Visual Basic
/// Script, plain text), read from the images the build embedded, each with the user's stored
/// styles and keys applied. A scheme whose stored styles cannot be read keeps its own and
/// adds a line to `problems`.
std::vector<std::unique_ptr<ShippedScheme>> LoadShippedSchemes(const UserStore& store,
                                                               std::vector<std::string>& problems);

}  // namespace quinkle
