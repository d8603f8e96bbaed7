// Keeps the style bytes of a text store's rows up to date with a scheme, scanning lazily.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/scheme/SyntaxScheme.h"
#include "engine/text/TextStore.h"

namespace quinkle {

/// A run of characters of a row painted with one effect.
struct EffectRun {
    int32_t Start = 0;
    int32_t Length = 0;
    uint8_t Effect = 0;
    friend bool operator==(const EffectRun&, const EffectRun&) = default;
};

/// Scans a store's rows with a scheme into one token value per character (the row's Styles).
/// A logical line is scanned as one piece even when it is cut into several rows, so wrapping
/// never changes the result. Each line starts from the value of the last character of the
/// line before (0 at the start of the text).
///
/// Scanning is lazy: Highlight does the rows asked for, starting from the store's first row
/// needing a rescan, and goes on past them only while the value at the end of a line differs
/// from the one its next line was scanned with, or the scanner is in a bound state. Rows before
/// the store's FirstRescanRow are up to date whenever Highlight returns.
///
/// Attach it to the store before editing begins (the constructor does): it listens to edits to
/// remember each line's previous end value.
class Highlighter : public StoreListener {
public:
    /// Lines searched upwards for one that starts after an anchor value, when rows lost their
    /// style bytes without the store's FirstRescanRow being lowered.
    static constexpr int32_t kAnchorSearchLines = 16;

    explicit Highlighter(TextStore& store, SyntaxScheme* scheme = nullptr);
    ~Highlighter() override;
    Highlighter(const Highlighter&) = delete;
    Highlighter& operator=(const Highlighter&) = delete;

    SyntaxScheme* Scheme() const { return m_scheme; }
    /// Switches schemes; every row's style bytes are dropped. Null turns highlighting off.
    void SetScheme(SyntaxScheme* scheme);
    /// Drops every row's style bytes (the scheme's tables changed).
    void InvalidateAll();

    /// Rows a scan for showing may run through before the rows asked for; farther away, the
    /// rows asked for are guessed instead.
    static constexpr int32_t kNearRows = 20000;
    /// Rows of one line beyond which a line is too long to scan again at every key press: for
    /// showing, its rows are guessed from the row above them.
    static constexpr int32_t kLongLineRows = 256;

    /// Makes sure rows [firstRow, lastRow] (clamped to the text) have style bytes.
    void Highlight(int32_t firstRow, int32_t lastRow);
    /// Like Highlight, for rows about to be shown. When they lie more than kNearRows past the
    /// first row needing a rescan (a jump to the end of a huge text), or that row is part of a
    /// line of more than kLongLineRows rows (a page on one line), the rows asked for that have
    /// no style bytes are scanned from the state at the end of the row above them, or the
    /// starting state when it has none, and flagged rfGuessed, so they show at once. CatchUp
    /// later scans the text before them and replaces the guess.
    void HighlightNear(int32_t firstRow, int32_t lastRow);
    /// Sets how far HighlightNear scans before it guesses (kNearRows and kLongLineRows unless
    /// set); for tests.
    void SetReach(int32_t nearRows, int32_t longLineRows) {
        m_nearRows = nearRows;
        m_longLineRows = longLineRows;
    }
    /// True while rows shown ahead of the real scan wait for it.
    bool Behind() const;
    /// Scans about `rows` rows onwards from the first row needing a rescan.
    void CatchUp(int32_t rows);
    /// Highlights the whole text.
    void HighlightAll() { Highlight(0, m_store.RowCount() - 1); }

    /// Runs of equal effect over the row's characters without its CR. A row without style
    /// bytes (or without a scheme) is one run of effect 0.
    void EffectRuns(const TextRow& row, const SchemeStyles& styles,
                    std::vector<EffectRun>& runs) const;

    /// Rows scanned since construction or the last reset; for tests and benchmarks.
    int64_t RowsScanned() const { return m_rowsScanned; }
    void ResetRowsScanned() { m_rowsScanned = 0; }
    /// The first scheme error met while scanning ("Stack underflow"); the rest of that line
    /// was given value 0. Empty when none.
    const std::string& LastError() const { return m_lastError; }
    void ClearLastError() { m_lastError.clear(); }

    void StoreInserted(int32_t at, int32_t length) override;
    void StoreDeleted(int32_t from, int32_t to) override;
    void StoreRewrapped() override;

private:
    bool Valid(int32_t row) const;
    bool Shown(int32_t row) const;
    bool FarToScan(int32_t firstRow, int32_t lastRow) const;
    void Guess(int32_t firstRow, int32_t lastRow);
    uint8_t EndValue(int32_t row) const;
    int32_t LineStart(int32_t row) const;
    int32_t LineLast(int32_t row) const;
    int32_t ChooseStart(int32_t row) const;
    /// Scans the rows first..last (one logical line) and returns the value at its end.
    /// `firstText`, when given, is the first row's TextRow.
    uint8_t ScanLine(int32_t first, int32_t last, uint8_t incoming, bool& bound,
                     bool guessed = false, TextRow* firstText = nullptr);
    /// Style bytes for `row`, `size` bytes long: the row's spare when it has one of that
    /// size, else new ones.
    uint8_t* StylesFor(int32_t row, int32_t size);
    void ReleaseSpares();
    void RowsChanged(int32_t position, int32_t delta);

    TextStore& m_store;
    SyntaxScheme* m_scheme = nullptr;
    // The end value of each row when it was last scanned, -1 when unknown. Edits shift it, so
    // a rescanned line can tell whether its next line was scanned with the same value.
    std::vector<int16_t> m_ends;
    std::string m_line;             // the text of a logical line spanning several rows
    std::vector<uint8_t> m_styles;  // the values of the line being scanned
    int64_t m_rowsScanned = 0;
    int32_t m_guessedEnd = 0;  // the row after the last one shown ahead of the real scan
    int32_t m_nearRows = kNearRows;
    int32_t m_longLineRows = kLongLineRows;
    std::string m_lastError;
    /// Style bytes taken off the rows by InvalidateAll, by row, until the rows are painted.
    struct Spare {
        uint8_t* Bytes = nullptr;
        int32_t Size = 0;
    };
    std::vector<Spare> m_spare;
};

}  // namespace quinkle
