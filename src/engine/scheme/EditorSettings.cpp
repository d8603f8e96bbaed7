// Tab stops, fill and indentation settings.
#include "engine/scheme/EditorSettings.h"

#include <algorithm>
#include <charconv>

#include "engine/text/EditorError.h"

namespace quinkle {

void EditorSettings::SetTabDefault(int32_t value) {
    if (value < 1) throw ESourceEditor("=Illegal default tab stop value, must be > 0");
    m_tabDefault = value;
}

std::string EditorSettings::TabColumnsText() const {
    std::string text;
    for (int32_t column : m_tabColumns) {
        if (!text.empty()) text += ' ';
        text += std::to_string(column + 1);
    }
    return text;
}

void EditorSettings::SetTabColumns(std::string_view text) {
    std::vector<int32_t> columns;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' || text[pos] == ';' || text[pos] == '\t') {
            ++pos;
            continue;
        }
        size_t end = text.find_first_of(" ;\t", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view word = text.substr(pos, end - pos);
        int32_t value = 0;
        auto [rest, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || rest != word.data() + word.size())
            throw ESourceEditor("Tab stop column value expected");
        if (!columns.empty() && value - 1 <= columns.back())
            throw ESourceEditor("Tab columns must be in order and unique");
        if (value <= 1) throw ESourceEditor("Tab column must be > 1");
        if (static_cast<int>(columns.size()) == kMaxTabColumns)
            throw ESourceEditor("Too many tab stops - maximum of " +
                                std::to_string(kMaxTabColumns));
        columns.push_back(value - 1);
        pos = end;
    }
    m_tabColumns = std::move(columns);
}

int32_t EditorSettings::NextTabStop(int32_t column) const {
    auto stop = std::upper_bound(m_tabColumns.begin(), m_tabColumns.end(), column);
    if (stop != m_tabColumns.end()) return *stop;
    return (column / m_tabDefault + 1) * m_tabDefault;
}

std::string EditorSettings::Fill(int32_t from, int32_t to) const {
    std::string fill;
    if (Has(smoUseTAB) && Has(smoSmartFill)) {
        for (int32_t stop = NextTabStop(from); stop <= to; stop = NextTabStop(from)) {
            fill += '\t';
            from = stop;
        }
    }
    if (to > from) fill.append(static_cast<size_t>(to - from), ' ');
    return fill;
}

void EditorSettings::SetIndentStep(int32_t value) {
    if (value >= 1 && value <= 19) m_indentStep = value;
}

}  // namespace quinkle
