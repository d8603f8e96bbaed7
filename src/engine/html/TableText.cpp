// The Insert Table dialog's result: an empty table with a placeholder comment in every cell.
#include "engine/html/TableText.h"

#include <algorithm>

namespace quinkle {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// " name=value" (unquoted: the values are single words from a fixed list), or nothing.
std::string Unquoted(std::string_view name, std::string_view value) {
    if (value.empty()) return {};
    std::string attribute = " ";
    attribute += name;
    attribute += '=';
    attribute += value;
    return attribute;
}

}  // namespace

GeneratedText BuildTable(const TableFields& fields) {
    std::string table = "<table" + Unquoted("align", fields.Align);
    table += " width=\"" + std::to_string(fields.Width) + "%\"";
    // A negative border means nothing to a browser; 0 is the table without one.
    table += " border=" + std::to_string(std::max(0, fields.Border));
    table += " cellspacing=2>";
    table += kCrLf;

    std::string cellStart = "  <TD" + Unquoted("align", fields.CellAlign) +
                            Unquoted("valign", fields.CellVAlign) + ">" + std::string(kCrLf);
    for (int32_t row = 1; row <= fields.Rows; ++row) {
        table += " <tr>";
        table += kCrLf;
        for (int32_t col = 1; col <= fields.Cols; ++col) {
            table += cellStart;
            table += "<!--  Table row:" + std::to_string(row) + ", col:" + std::to_string(col) +
                     "  //-->";
            table += kCrLf;
            table += "  </td>";
            table += kCrLf;
        }
        table += " </tr>";
        table += kCrLf;
    }
    table += "</table>";
    table += kCrLf;
    return {std::move(table), 0};
}

}  // namespace quinkle
