// The print preview's zoom: the entries of its zoom list, what a chosen or typed entry means,
// and the percentage a fit mode comes to for a page and a view.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quinkle {

enum class ZoomMode { Percent, FitToWidth, FitToHeight, WholePage };

/// A zoom choice: a percentage (Mode Percent) or a fit mode, whose percentage follows the page
/// and the view.
struct Zoom {
    ZoomMode Mode = ZoomMode::Percent;
    int Percent = 25;
    bool operator==(const Zoom&) const = default;
};

/// The zoom list's entries, in order, and the text it shows at first.
inline constexpr std::array<std::string_view, 9> kZoomEntries = {
    "200%", "175%", "150%", "125%", "100%", "50%", "Fit To Width", "Fit To Height", "Whole Page"};
inline constexpr std::string_view kInitialZoomText = "25%";
inline constexpr Zoom kInitialZoom{ZoomMode::Percent, 25};

/// The smallest and the largest percentage shown; a typed number outside is brought inside.
inline constexpr int kMinZoomPercent = 5;
inline constexpr int kMaxZoomPercent = 800;

/// The zoom of a list entry (exactly as in kZoomEntries), or of a typed text that is a plain
/// whole number (digits only, no sign, no blanks, no "%"), clamped to the limits above.
/// Nothing for any other text.
std::optional<Zoom> ParseZoom(std::string_view text);

/// What the view must know to work out a fit mode: the page in points, the room the view gives
/// the page in pixels (without its surrounding gap), and the pixels a point takes at 100%.
struct ZoomView {
    double PageWidth = 0;
    double PageHeight = 0;
    double ViewWidth = 0;
    double ViewHeight = 0;
    double PixelsPerPoint = 1;
};

/// The percentage the page is shown at: a percentage as it is; a fit mode the largest whole
/// percentage at which the page's width, its height, or both, fit the view; within the limits
/// above (the smallest one when the view has no room or the measures are not usable).
int ZoomPercent(const Zoom& zoom, const ZoomView& view);

/// The zoom list's text for a percentage: the number and "%".
std::string ZoomText(int percent);

}  // namespace quinkle
