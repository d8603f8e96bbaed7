// Zoom entries, typed zooms and fit modes of the print preview.
#include "engine/print/PreviewZoom.h"

#include <algorithm>
#include <cmath>

namespace quinkle {
namespace {

// The largest whole percentage at which `pageLength` points take at most `room` pixels.
double FitPercent(double room, double pageLength, double pixelsPerPoint) {
    const double full = pageLength * pixelsPerPoint;
    if (!(room > 0) || !(full > 0) || !std::isfinite(room / full)) return 0;
    // A hair over the exact quotient still counts as fitting, so 100% of an equal room is 100.
    return std::floor(room * 100 / full + 1e-9);
}

}  // namespace

std::optional<Zoom> ParseZoom(std::string_view text) {
    static constexpr Zoom kEntryZooms[] = {
        {ZoomMode::Percent, 200},  {ZoomMode::Percent, 175},   {ZoomMode::Percent, 150},
        {ZoomMode::Percent, 125},  {ZoomMode::Percent, 100},   {ZoomMode::Percent, 50},
        {ZoomMode::FitToWidth, 0}, {ZoomMode::FitToHeight, 0}, {ZoomMode::WholePage, 0}};
    for (size_t i = 0; i < kZoomEntries.size(); ++i)
        if (text == kZoomEntries[i]) return kEntryZooms[i];
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    // Nine digits always fit an int; a longer number is far beyond the limit anyway.
    if (text.size() > 9) return Zoom{ZoomMode::Percent, kMaxZoomPercent};
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    return Zoom{ZoomMode::Percent, std::clamp(value, kMinZoomPercent, kMaxZoomPercent)};
}

int ZoomPercent(const Zoom& zoom, const ZoomView& view) {
    double percent = zoom.Percent;
    const double wide = FitPercent(view.ViewWidth, view.PageWidth, view.PixelsPerPoint);
    const double high = FitPercent(view.ViewHeight, view.PageHeight, view.PixelsPerPoint);
    switch (zoom.Mode) {
        case ZoomMode::Percent:
            break;
        case ZoomMode::FitToWidth:
            percent = wide;
            break;
        case ZoomMode::FitToHeight:
            percent = high;
            break;
        case ZoomMode::WholePage:
            percent = std::min(wide, high);
            break;
    }
    return static_cast<int>(std::clamp<double>(percent, kMinZoomPercent, kMaxZoomPercent));
}

std::string ZoomText(int percent) { return std::to_string(percent) + "%"; }

}  // namespace quinkle
