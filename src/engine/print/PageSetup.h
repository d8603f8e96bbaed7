// The page: its size, margins, header and footer templates and borders, and where they put the
// header, the body and the footer.
#pragma once

#include <string>

#include "engine/text/EditorError.h"

namespace quinkle {

/// Every length of the page layout is in points, 1/72 inch.
inline constexpr double kPointsPerInch = 72.0;

constexpr double InchesToPoints(double inches) { return inches * kPointsPerInch; }
/// The page setup dialog gives margins in thousandths of an inch.
constexpr double MilliInchesToPoints(double milliInches) {
    return milliInches * kPointsPerInch / 1000.0;
}

/// The page setup cannot hold the text.
class EPrintLayout : public EQuinkleError {
public:
    using EQuinkleError::EQuinkleError;
};

struct PageMargins {
    double Left = InchesToPoints(1);
    double Top = InchesToPoints(1);
    double Right = InchesToPoints(1);
    double Bottom = InchesToPoints(1);
};

/// The page and what is printed around the text. The defaults are those the print preview
/// starts with, on an A4 sheet.
struct PageSetup {
    double Width = 595.0;
    double Height = 842.0;
    PageMargins Margins;
    /// Templates of the header and footer lines (see PageTemplate.h); an empty one takes no
    /// room on the page.
    std::string Header = "&l&i&rPage &p";
    std::string Footer = "&l&d&r&t";
    /// A line under the header and one over the footer, each BorderOffset from the text of
    /// the header or footer and from the body.
    bool TopBorder = true;
    bool BottomBorder = true;
    double BorderOffset = InchesToPoints(0.0625);
};

/// Where the parts of every page go, in points from the page's top left corner. The header,
/// the body and the footer all lie inside the margins.
struct PageFrame {
    double BodyLeft = 0;
    double BodyTop = 0;
    double BodyWidth = 0;
    double LineHeight = 0;
    /// Body lines on a full page; at least 1.
    int LinesPerPage = 0;
    bool HasHeader = false;
    bool HasFooter = false;
    /// The tops of the header and footer lines (when there are those).
    double HeaderTop = 0;
    double FooterTop = 0;
    bool HasTopBorder = false;
    bool HasBottomBorder = false;
    /// The heights of the border lines, which run from BodyLeft across BodyWidth.
    double TopBorderY = 0;
    double BottomBorderY = 0;
};

/// The frame of `setup` for lines `lineHeight` high. A header takes its line and twice the
/// border offset (the border, when drawn, runs in the middle of that gap); so does a footer.
/// A negative margin counts as 0. Throws EPrintLayout when the margins leave no width, or no
/// height for one body line, and when a measure is not a finite number.
PageFrame MakePageFrame(const PageSetup& setup, double lineHeight);

}  // namespace quinkle
