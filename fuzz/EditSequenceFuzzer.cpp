// Random edit sequences (inserts, deletes, replacements, groups, undo, redo, loads, saves)
// against a plain string with its own history: the text, the store's invariants, the modified
// state and, without word wrap, the rows of a fresh load of the same text must hold each step.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/editor/SourceEditor.h"
#include "engine/text/LineEnds.h"

namespace {

using quinkle::SourceEditor;

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    // Text leaning on line ends, TABs and control bytes, sometimes long enough to need
    // several rows and several insertion chunks.
    std::string Text() {
        uint8_t kind = Byte();
        size_t length = kind < 16 ? static_cast<size_t>(Word()) * 2 : kind % 12;
        static const char kAlphabet[] = "ab \t\r\n\r\n\x01\xc3\xa9<>&";
        std::string text;
        for (size_t i = 0; i < length; ++i) text += kAlphabet[Byte() % (sizeof kAlphabet - 1)];
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// The document states after each undoable step; `current` is the one shown.
struct Model {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    std::vector<std::string> states{std::string()};
    size_t current = 0;
    size_t saved = 0;  // the state last saved; kNone once no undo or redo can reach it
    bool groupOpen = false;
    bool groupHasEdit = false;

    const std::string& Text() const { return states[current]; }
    void Edit(std::string text) {
        if (groupOpen && groupHasEdit) {
            states[current] = std::move(text);
            if (saved == current) saved = kNone;
            return;
        }
        if (saved != kNone && saved > current) saved = kNone;
        states.resize(current + 1);
        states.push_back(std::move(text));
        ++current;
        groupHasEdit = groupOpen;
    }
    void Reset(std::string text) {
        states.assign(1, std::move(text));
        current = 0;
        saved = 0;
        groupHasEdit = false;
    }
};

void Require(bool condition) {
    if (!condition) std::abort();
}

// Each row's length and continuation bit.
std::vector<std::pair<int32_t, bool>> RowShape(const quinkle::TextStore& store) {
    std::vector<std::pair<int32_t, bool>> shape;
    for (int32_t i = 0; i < store.RowCount(); ++i)
        shape.emplace_back(store.Row(i)->Len, store.Row(i)->IsContinuation());
    return shape;
}

bool RowsOfAFreshLoad(const quinkle::TextStore& store) {
    quinkle::TextStore fresh;
    std::string text = store.GetText(0, store.CharCount());
    fresh.LoadAll([&](std::string& out) {
        out += text;
        return false;
    });
    return RowShape(store) == RowShape(fresh);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    SourceEditor editor;
    Model model;
    for (int step = 0; step < 200 && !input.Empty(); ++step) {
        auto length = static_cast<int32_t>(model.Text().size());
        switch (input.Byte() % 10) {
            case 0:
            case 1: {  // replace a random selection by random text
                int32_t anchor = length ? input.Word() % (length + 1) : 0;
                int32_t caret = length ? input.Word() % (length + 1) : 0;
                std::string text = input.Text();
                editor.SetSel(anchor, caret);
                int32_t from = std::min(anchor, caret);
                int32_t to = std::max(anchor, caret);
                std::string stored = text.size() == 1
                                         ? std::string(1, text[0] == '\n' ? '\r' : text[0])
                                         : quinkle::NormaliseLineEnds(text);
                if (from == to && stored.empty()) {
                    editor.ReplaceSel(text);  // logs nothing visible; keep the model as is
                    break;
                }
                std::string next = model.Text();
                next.replace(from, to - from, stored);
                editor.ReplaceSel(text);
                model.Edit(std::move(next));
                Require(editor.Caret() == from + static_cast<int32_t>(stored.size()));
                break;
            }
            case 2:  // commands close their group before anyone can undo
                if (model.groupOpen) {
                    editor.EndGroup(quinkle::ucTyping);
                    model.groupOpen = false;
                }
                editor.Undo();
                if (!model.groupOpen && model.current > 0) --model.current;
                break;
            case 3:
                if (model.groupOpen) {
                    editor.EndGroup(quinkle::ucTyping);
                    model.groupOpen = false;
                }
                editor.Redo();
                if (!model.groupOpen && model.current + 1 < model.states.size()) ++model.current;
                break;
            case 4:
                if (!model.groupOpen) {
                    editor.BeginGroup(quinkle::ucTyping);
                    model.groupOpen = true;
                    model.groupHasEdit = false;
                }
                break;
            case 5:
                editor.EndGroup(quinkle::ucTyping);
                model.groupOpen = false;
                break;
            case 6: {  // load a new document
                if (model.groupOpen) break;
                std::string text = input.Text();
                editor.SetText(text.c_str());
                model.Reset(quinkle::NormaliseLineEnds(text.c_str()));
                break;
            }
            case 7: {  // wrap on or off, at a random width, with or without protected lines
                uint8_t how = input.Byte();
                editor.Settings().WrapAtColumn = static_cast<uint16_t>(how % 64);
                uint32_t options =
                    editor.Options() & ~(quinkle::smoWordWrap | quinkle::smoWrapOverride);
                if (how & 0x40) options |= quinkle::smoWordWrap;
                if (how & 0x80) options |= quinkle::smoWrapOverride;
                editor.SetOptions(options);
                break;
            }
            case 8:  // a save
                editor.SetModified(false);
                model.saved = model.current;
                break;
            default: {  // delete a range through the Lines view's primitive
                if (length == 0) break;
                int32_t from = input.Word() % length;
                int32_t to = from + input.Word() % (length - from + 1);
                if (from == to) break;
                editor.SetSel(from, to);
                editor.ReplaceSel("");
                std::string next = model.Text();
                next.erase(from, to - from);
                model.Edit(std::move(next));
            }
        }
        const quinkle::TextStore& store = editor.Store();
        Require(store.Check());
        Require(store.GetText(0, store.CharCount()) == model.Text());
        Require(editor.Modified() == (model.saved != model.current));
        Require(store.Wrap().Enabled || RowsOfAFreshLoad(store));
    }
    return 0;
}
