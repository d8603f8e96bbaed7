// Which highlighting scheme suits a file, by its extension.
#pragma once

#include <string_view>

namespace quinkle {

/// The scheme numbers of the Default Syntax menu.
enum SchemeNumber : int {
    snHtml = 1,
    snPascal = 2,
    snCScript = 3,
    snSql = 4,
    snBasic = 5,
    snPlainText = 6,
};

/// The scheme for a file name: .pas/.dpr Pascal; .c/.h/.cpp/.js C script; .sql SQL;
/// .vbs/.bas/.ini Basic; .txt plain text; anything else (and no name) HTML. Case is ignored.
SchemeNumber SchemeForFileName(std::string_view path);

}  // namespace quinkle
