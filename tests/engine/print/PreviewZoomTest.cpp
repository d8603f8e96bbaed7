// The print preview's zoom entries, typed zooms and fit modes, and its page navigation.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/print/PageNavigator.h"
#include "engine/print/PreviewZoom.h"

namespace quinkle {
namespace {

TEST(PreviewZoom, ListEntriesAndTypedNumbers) {
    struct Case {
        std::string text;
        std::optional<Zoom> zoom;
    };
    const Case cases[] = {
        {"200%", Zoom{ZoomMode::Percent, 200}},
        {"175%", Zoom{ZoomMode::Percent, 175}},
        {"150%", Zoom{ZoomMode::Percent, 150}},
        {"125%", Zoom{ZoomMode::Percent, 125}},
        {"100%", Zoom{ZoomMode::Percent, 100}},
        {"50%", Zoom{ZoomMode::Percent, 50}},
        {"Fit To Width", Zoom{ZoomMode::FitToWidth, 0}},
        {"Fit To Height", Zoom{ZoomMode::FitToHeight, 0}},
        {"Whole Page", Zoom{ZoomMode::WholePage, 0}},
        // Typed: a plain whole number, brought within the limits.
        {"25", Zoom{ZoomMode::Percent, 25}},
        {"007", Zoom{ZoomMode::Percent, 7}},
        {"0", Zoom{ZoomMode::Percent, kMinZoomPercent}},
        {"801", Zoom{ZoomMode::Percent, kMaxZoomPercent}},
        {"99999999999999999999", Zoom{ZoomMode::Percent, kMaxZoomPercent}},
        // Anything else is no zoom, the entries' "%" included when typed after a number
        // that is not an entry.
        {"", std::nullopt},
        {"30%", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {" 50", std::nullopt},
        {"50 ", std::nullopt},
        {"12.5", std::nullopt},
        {"1e3", std::nullopt},
        {"fit to width", std::nullopt},
        {"Whole", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseZoom(c.text), c.zoom) << '"' << c.text << '"';
    for (std::string_view entry : kZoomEntries) EXPECT_TRUE(ParseZoom(entry)) << entry;
    EXPECT_EQ(ZoomText(kInitialZoom.Percent), kInitialZoomText);
}

TEST(PreviewZoom, FitModesFollowThePageAndTheView) {
    const double screen = 96.0 / 72.0;  // pixels per point of a 96 dpi screen
    struct Case {
        const char* what;
        Zoom zoom;
        ZoomView view;
        int percent;
    };
    const ZoomView a4InWideView{595, 842, 800, 600, screen};  // A4 is 793.3 x 1122.7 pixels
    const Case cases[] = {
        {"a percentage stays", {ZoomMode::Percent, 150}, a4InWideView, 150},
        {"width", {ZoomMode::FitToWidth, 0}, a4InWideView, 100},
        {"height", {ZoomMode::FitToHeight, 0}, a4InWideView, 53},
        {"whole page takes the smaller", {ZoomMode::WholePage, 0}, a4InWideView, 53},
        {"whole page in a tall view", {ZoomMode::WholePage, 0}, {595, 842, 400, 2000, screen}, 50},
        {"an exact fit is 100", {ZoomMode::FitToWidth, 0}, {72, 72, 72, 10, 1.0}, 100},
        {"landscape height", {ZoomMode::FitToHeight, 0}, {842, 595, 100, 1190, 1.0}, 200},
        {"no room gives the least",
         {ZoomMode::WholePage, 0},
         {595, 842, 0, 600, screen},
         kMinZoomPercent},
        {"a huge view gives the most",
         {ZoomMode::FitToWidth, 0},
         {10, 10, 1e6, 1e6, 1.0},
         kMaxZoomPercent},
        {"an unmeasured page",
         {ZoomMode::FitToWidth, 0},
         {0, 0, 800, 600, screen},
         kMinZoomPercent},
    };
    for (const Case& c : cases) EXPECT_EQ(ZoomPercent(c.zoom, c.view), c.percent) << c.what;
    EXPECT_EQ(ZoomText(53), "53%");
}

TEST(PageNavigator, MovesWithinThePagesAndNotPastTheEnds) {
    // Each step: an action, whether it moved, and the status afterwards.
    enum Action { Next, Previous, Count3, Count1, Count0, Restart2 };
    struct Step {
        Action action;
        bool moved;
        const char* status;
    };
    const std::vector<Step> steps = {
        {Count3, true, "Page 1 of 3"},    {Previous, false, "Page 1 of 3"},
        {Next, true, "Page 2 of 3"},      {Next, true, "Page 3 of 3"},
        {Next, false, "Page 3 of 3"},     {Previous, true, "Page 2 of 3"},
        {Count1, true, "Page 1 of 1"},    {Next, false, "Page 1 of 1"},
        {Count3, true, "Page 1 of 3"},    {Next, true, "Page 2 of 3"},
        {Count0, true, "Page 0 of 0"},    {Next, false, "Page 0 of 0"},
        {Previous, false, "Page 0 of 0"}, {Restart2, true, "Page 1 of 2"},
        {Next, true, "Page 2 of 2"},      {Restart2, true, "Page 1 of 2"},
    };
    PageNavigator pages;
    EXPECT_EQ(pages.StatusText(), "Page 0 of 0");
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        bool moved = true;
        switch (step.action) {
            case Next:
                moved = pages.Next();
                break;
            case Previous:
                moved = pages.Previous();
                break;
            case Count3:
                pages.SetPageCount(3);
                break;
            case Count1:
                pages.SetPageCount(1);
                break;
            case Count0:
                pages.SetPageCount(0);
                break;
            case Restart2:
                pages.Restart(2);
                break;
        }
        EXPECT_EQ(moved, step.moved) << "step " << i;
        EXPECT_EQ(pages.StatusText(), step.status) << "step " << i;
    }
}

}  // namespace
}  // namespace quinkle
