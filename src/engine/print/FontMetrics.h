// What the page layout needs to know of the printer font: the gui fills it from the font it
// prints with, tests and benchmarks use a fixed-pitch font.
#pragma once

namespace quinkle {

/// The measures of the printer font, in points (1/72 inch) like every page position.
class FontMetrics {
public:
    virtual ~FontMetrics() = default;
    /// The distance from the top of one printed line to the top of the next; above 0.
    virtual double LineHeight() const = 0;
    /// How far the pen moves after the character `code`; 0 or more.
    virtual double Advance(char32_t code) const = 0;
    /// The width of one display column, the unit in which tab stops are counted: a fixed-pitch
    /// font's advance, for another font the width of an average character; above 0.
    virtual double ColumnWidth() const = 0;
};

/// A font whose every character advances by the same width.
class FixedPitchMetrics : public FontMetrics {
public:
    FixedPitchMetrics(double advance, double lineHeight)
        : m_advance(advance), m_lineHeight(lineHeight) {}
    double LineHeight() const override { return m_lineHeight; }
    double Advance(char32_t) const override { return m_advance; }
    double ColumnWidth() const override { return m_advance; }

private:
    double m_advance;
    double m_lineHeight;
};

}  // namespace quinkle
