// The frame of a page: the header at the top of the printable area, the footer at its bottom,
// the body lines between them.
#include "engine/print/PageSetup.h"

#include <algorithm>
#include <cmath>

namespace quinkle {
namespace {

constexpr const char* kNoRoom = "The margins leave no room on the page for the text.";

// Lines of `height` that fit into `room`, allowing for the rounding of sums of lengths.
double LinesIn(double room, double height) { return std::floor(room / height + 1e-9); }

}  // namespace

PageFrame MakePageFrame(const PageSetup& setup, double lineHeight) {
    PageMargins m = setup.Margins;
    for (double value : {setup.Width, setup.Height, m.Left, m.Top, m.Right, m.Bottom,
                         setup.BorderOffset, lineHeight})
        if (!std::isfinite(value)) throw EPrintLayout(kNoRoom);
    // Nothing prints beyond the sheet's edges.
    for (double* margin : {&m.Left, &m.Top, &m.Right, &m.Bottom}) *margin = std::max(*margin, 0.0);
    if (lineHeight <= 0) throw EPrintLayout("The printer font has no height.");

    PageFrame frame;
    frame.LineHeight = lineHeight;
    frame.BodyLeft = m.Left;
    frame.BodyWidth = setup.Width - m.Left - m.Right;
    const double gap = 2 * std::max(setup.BorderOffset, 0.0);
    double top = m.Top;
    double bottom = setup.Height - m.Bottom;
    if (!setup.Header.empty()) {
        frame.HasHeader = true;
        frame.HeaderTop = top;
        frame.HasTopBorder = setup.TopBorder;
        frame.TopBorderY = top + lineHeight + gap / 2;
        top += lineHeight + gap;
    }
    if (!setup.Footer.empty()) {
        frame.HasFooter = true;
        frame.FooterTop = bottom - lineHeight;
        frame.HasBottomBorder = setup.BottomBorder;
        frame.BottomBorderY = bottom - lineHeight - gap / 2;
        bottom -= lineHeight + gap;
    }
    frame.BodyTop = top;
    const double lines = LinesIn(bottom - top, lineHeight);
    if (!(frame.BodyWidth > 0) || lines < 1) throw EPrintLayout(kNoRoom);
    // A page taller than a billion lines is no page; the cap keeps the count an int.
    frame.LinesPerPage = static_cast<int>(std::min(lines, 1e9));
    return frame;
}

}  // namespace quinkle
