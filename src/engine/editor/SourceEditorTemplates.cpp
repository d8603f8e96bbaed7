// Code templates and auto-correct in the editor: the key step, the expansion and the pick list.
#include <algorithm>

#include "engine/editor/SourceEditor.h"
#include "engine/text/AsciiText.h"
#include "engine/text/LineEnds.h"

namespace quinkle {
namespace {

// The partial word is looked for this far back at most.
constexpr int32_t kMaxPartialWord = 255;

// Inserts `columns` spaces after every line end of `text`; a CR LF pair counts as one.
std::string IndentLines(std::string_view text, int32_t columns) {
    const std::string indent(static_cast<size_t>(std::max(columns, 0)), ' ');
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != '\r' && text[i] != '\n') continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') out += text[++i];
        out += indent;
    }
    return out;
}

}  // namespace

bool SourceEditor::OfferKeyToTemplates(uint16_t key) {
    if (ReadOnly || m_store->CharCount() == 0) return false;
    for (CodeTemplates* table : {static_cast<CodeTemplates*>(&Settings().Templates),
                                 static_cast<CodeTemplates*>(&Settings().AutoCorrect)}) {
        if (!table->IsTrigger(key)) continue;
        const int32_t caret = m_caret;
        const auto longest = static_cast<int32_t>(table->LongestName());
        const std::string before = m_store->GetText(std::max(0, caret - longest), caret);
        if (const CodeTemplate* entry = table->MatchBefore(before)) {
            if (!table->FireHandler) continue;
            const std::string name = entry->Name;
            std::string_view word = std::string_view(before).substr(before.size() - name.size());
            if (ExpandTemplate(*table, name, word, entry->Text) && table->SwallowTriggerKey)
                return true;
            continue;
        }
        // No name ends here: the word begun before the caret, for the pick list.
        int32_t start = caret;
        while (start > 0 && caret - start < kMaxPartialWord &&
               (IsInWord(CharAt(start - 1)) || StartsWord(CharAt(start - 1))))
            --start;
        table->PartialWord = LowerAsciiText(m_store->GetText(start, caret));
        if (table->Empty() || !table->PickList || !OnTemplatePickList) continue;
        TemplatePick pick{table->PartialWord, table->FirstContaining(table->PartialWord), m_anchor,
                          m_caret};
        {
            ChangeBatch batch(*this);
            SetSel(start, caret);
        }
        OnTemplatePickList(pick);
        return true;
    }
    return false;
}

bool SourceEditor::ExpandTemplate(const CodeTemplates& table, const std::string& name,
                                  std::string_view word, std::string expansion) {
    if (ReadOnly) return false;
    const int32_t caret = m_caret;
    const int32_t wordStart = static_cast<int32_t>(word.size()) <= caret
                                  ? caret - static_cast<int32_t>(word.size())
                                  : caret;
    if (!table.CorrectsWords()) {
        if (OnTemplateEvent) OnTemplateEvent(name, expansion);
    } else {
        // Only whole words are corrected: "teh" is, the end of "steh" is not.
        const bool afterWord = wordStart > 0 && IsInWord(CharAt(wordStart - 1));
        if (afterWord && !word.empty() && IsInWord(word.back())) return false;
        if (afterWord && !expansion.empty() && StartsWord(expansion.front())) return false;
        bool allow = true;
        if (OnAutoReplace) OnAutoReplace(wordStart, allow, expansion, std::string(word));
        if (!allow) return false;
    }

    if (table.IndentExpansion) expansion = IndentLines(expansion, DisplayColumn(wordStart));
    expansion = NormaliseLineEnds(expansion);
    size_t marker = std::string::npos;
    if (table.CaretMarker) {
        marker = expansion.find('|');
        if (marker != std::string::npos) expansion.erase(marker, 1);
    }

    ChangeBatch batch(*this);
    BeginGroup(ucTemplate);
    SetSel(wordStart, caret);
    ReplaceSel(expansion);
    if (marker != std::string::npos) {
        const int32_t at = wordStart + static_cast<int32_t>(marker);
        SetSel(at, at);
    }
    EndGroup(ucTemplate);
    return true;
}

bool SourceEditor::ExpandPicked(std::string_view name) {
    const CodeTemplates& table = Settings().Templates;
    const CodeTemplate* entry = table.Find(name);
    if (!entry) return false;
    std::string_view word;
    if (entry->Name.find(table.PartialWord) != std::string::npos) word = table.PartialWord;
    SetSel(m_caret, m_caret);
    return ExpandTemplate(table, entry->Name, word, entry->Text);
}

int32_t SourceEditor::StyleAt(int32_t offset) const {
    if (offset < 0 || offset >= m_store->CharCount()) return -1;
    RowIndex::Location at = m_store->Locate(offset);
    const uint8_t* styles = at.Text->Styles;
    if (!styles || (at.Text->Flags & rfRescan)) return -1;
    return styles[offset - at.RowStart];
}

bool AutoReplaceAllowedAt(const SourceEditor& editor, int32_t wordEnd) {
    const int32_t token = editor.StyleAt(wordEnd - 1);
    return token < 0 ||
           editor.Settings().Styles.TokenEffect[static_cast<uint8_t>(token)] != kNoAutoCorrectStyle;
}

}  // namespace quinkle
