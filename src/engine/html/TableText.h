// The Insert Table dialog's result: an empty table with a placeholder comment in every cell.
#pragma once

#include <cstdint>
#include <string>

#include "engine/html/TagText.h"

namespace quinkle {

/// The Insert Table dialog's fields, with their start-up values. The alignments are the
/// chosen list entries ("Left", "Center", "Right"; "Top", "Middle", "Bottom"), empty when
/// none is chosen.
struct TableFields {
    int32_t Rows = 1;
    int32_t Cols = 1;
    int32_t Width = 100;  ///< percent of the page
    int32_t Border = 0;   ///< pixels
    std::string Align;    ///< the whole table's
    std::string CellAlign;
    std::string CellVAlign;
};

/// "<table[ align=A] width=\"W%\" border=B cellspacing=2>\r\n", then per row " <tr>\r\n", per
/// cell "  <TD[ align=H][ valign=V]>\r\n<!--  Table row:R, col:C  //-->\r\n  </td>\r\n", then
/// " </tr>\r\n", and "</table>\r\n"; step back 0. Rows and columns count from 1; a count
/// below 1 makes no row or cell, and a negative border is written as 0.
GeneratedText BuildTable(const TableFields& fields);

}  // namespace quinkle
