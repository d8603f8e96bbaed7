// Copying the document's lines and their highlighting into the text the page layout prints.
#include "engine/print/DocumentPrintText.h"

#include <vector>

#include "engine/html/HeadBody.h"

namespace quinkle {
namespace {

constexpr uint32_t kSystemColourFlag = 0x80000000;

// The printed style of one scheme effect.
PrintStyle StyleOf(const EffectDef& effect, const PrintColours& colours) {
    uint32_t colour = effect.ForegroundDefault ? colours.DefaultText : effect.Foreground;
    if (colour & kSystemColourFlag)
        colour = colours.Resolve ? colours.Resolve(colour) : colours.DefaultText;
    PrintStyle style;
    // Stored colours are 0x00BBGGRR, printed ones 0xRRGGBB.
    style.Color = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    style.Bold = (effect.Style & esBold) != 0;
    style.Italic = (effect.Style & esItalic) != 0;
    style.Underline = (effect.Style & esUnderline) != 0;
    return style;
}

// Appends a run at `start` of a line, joining it to the run before when the style is the same.
void AddRun(std::vector<StyleRun>& runs, int32_t start, int32_t length, const PrintStyle& style) {
    if (length <= 0 || style == PrintStyle{}) return;
    if (!runs.empty() && runs.back().Style == style &&
        runs.back().Start + runs.back().Length == start) {
        runs.back().Length += length;
        return;
    }
    runs.push_back({start, length, style});
}

}  // namespace

PrintText MakePrintText(const TextStore& store, Highlighter* highlighter,
                        const SchemeStyles* styles, const PrintColours& colours, Charset charset,
                        std::string title) {
    PrintText text;
    text.TextCharset = charset;
    text.Title = std::move(title);
    const bool coloured = highlighter && highlighter->Scheme() && styles;
    if (coloured) highlighter->HighlightAll();

    // The printed style of each of the 256 effects, worked out once.
    std::vector<PrintStyle> effectStyles;
    if (coloured) {
        effectStyles.reserve(styles->Effects.size());
        for (const EffectDef& effect : styles->Effects)
            effectStyles.push_back(StyleOf(effect, colours));
    }

    std::vector<EffectRun> runs;
    bool lineOpen = false;
    for (int32_t r = 0; r < store.RowCount(); ++r) {
        const TextRow& row = *store.Row(r);
        if (!lineOpen) {
            text.Lines.emplace_back();
            if (coloured) text.Styles.emplace_back();
            lineOpen = true;
        }
        std::string& line = text.Lines.back();
        const auto offset = static_cast<int32_t>(line.size());
        line.append(row.Text(), static_cast<size_t>(row.TextLength()));
        if (coloured) {
            highlighter->EffectRuns(row, *styles, runs);
            for (const EffectRun& run : runs)
                AddRun(text.Styles.back(), offset + run.Start, run.Length,
                       effectStyles[run.Effect]);
        }
        if (row.EndsWithCR()) lineOpen = false;
    }
    return text;
}

std::string PrintTitle(std::string_view fileName) {
    std::string title(kProductName);
    title += ' ';
    title += kProductVersion;
    title += " - ";
    title += fileName;
    return title;
}

}  // namespace quinkle
