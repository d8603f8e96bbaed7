// Command names, the default key map, key processing and the stream form of a key map.
#include "engine/scheme/KeyboardActionController.h"

#include <utility>

#include "engine/scheme/EditorCommand.h"
#include "engine/scheme/KeyCombination.h"

namespace quinkle {
namespace {

const char kInvalidData[] = "Invalid key assignment data";

// Reads little-endian values from a byte range; running past its end raises the data error.
class Reader {
public:
    Reader(std::string_view data, size_t pos) : m_data(data), m_pos(pos) {
        if (pos > data.size()) Fail();
    }

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }

    uint32_t U32() {
        std::string_view bytes = Bytes(4);
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[i]);
        return value;
    }
    uint16_t U16() {
        std::string_view bytes = Bytes(2);
        return static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1])
                                                                          << 8);
    }
    uint8_t U8() { return static_cast<uint8_t>(Bytes(1)[0]); }
    std::string_view Bytes(size_t count) {
        if (count > Remaining()) Fail();
        std::string_view bytes = m_data.substr(m_pos, count);
        m_pos += count;
        return bytes;
    }

    [[noreturn]] static void Fail() { throw ESourceEditor(kInvalidData); }

private:
    std::string_view m_data;
    size_t m_pos;
};

void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void PutU16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

// The smallest stream records, which bound how many a count can honestly announce.
constexpr size_t kMinNameRecord = 4 + 1;
constexpr size_t kBindingRecord = 2 + 2 + 4;

constexpr uint16_t kCtrlK = kCtrlKey | 'K';
constexpr uint16_t kCtrlQ = kCtrlKey | 'Q';

struct DefaultCommand {
    int32_t Code;
    const char* Name;
    uint16_t FirstKey;
    uint16_t SecondKey;
};

// The editor's own commands with their names and default keys.
constexpr DefaultCommand kDefaultCommands[] = {
    {ecCursorLeft, "Cursor left", VK_LEFT, 0},
    {ecCursorRight, "Cursor right", VK_RIGHT, 0},
    {ecLineStart, "Line start", VK_HOME, 0},
    {ecLineEnd, "Line end", VK_END, 0},
    {ecLineUp, "Up one line", VK_UP, 0},
    {ecLineDown, "Down one line", VK_DOWN, 0},
    {ecPageUp, "Up one page", VK_PRIOR, 0},
    {ecPageDown, "Down one page", VK_NEXT, 0},
    {ecWordBefore, "Move to word before", kCtrlKey | VK_LEFT, 0},
    {ecWordAfter, "Move to word after", kCtrlKey | VK_RIGHT, 0},
    {ecDocumentStart, "Document start", kCtrlKey | VK_HOME, 0},
    {ecDocumentEnd, "Document end", kCtrlKey | VK_END, 0},
    {ecCut, "Cut to clipboard", kCtrlKey | 'X', 0},
    {ecCopy, "Copy to clipboard", kCtrlKey | 'C', 0},
    {ecPaste, "Paste from clipboard", kCtrlKey | 'V', 0},
    {ecDeleteChar, "Delete character at cursor", VK_DELETE, 0},
    {ecBackspace, "Delete character before caret", VK_BACK, 0},
    {ecIndent, "Indent selected block", kCtrlK, 'I'},
    {ecUnindent, "Un-indent selected block", kCtrlK, 'U'},
    {ecToggleInsert, "Toggle insert/overwrite mode", VK_INSERT, 0},
    {ecSetBookmark0, "Set Bookmark 0", kCtrlK, '0'},
    {ecSetBookmark0 + 1, "Set Bookmark 1", kCtrlK, '1'},
    {ecSetBookmark0 + 2, "Set Bookmark 2", kCtrlK, '2'},
    {ecSetBookmark0 + 3, "Set Bookmark 3", kCtrlK, '3'},
    {ecSetBookmark0 + 4, "Set Bookmark 4", kCtrlK, '4'},
    {ecSetBookmark0 + 5, "Set Bookmark 5", kCtrlK, '5'},
    {ecSetBookmark0 + 6, "Set Bookmark 6", kCtrlK, '6'},
    {ecSetBookmark0 + 7, "Set Bookmark 7", kCtrlK, '7'},
    {ecSetBookmark0 + 8, "Set Bookmark 8", kCtrlK, '8'},
    {ecSetBookmark0 + 9, "Set Bookmark 9", kCtrlK, '9'},
    {ecGotoBookmark0, "Goto Bookmark 0", kCtrlQ, '0'},
    {ecGotoBookmark0 + 1, "Goto Bookmark 1", kCtrlQ, '1'},
    {ecGotoBookmark0 + 2, "Goto Bookmark 2", kCtrlQ, '2'},
    {ecGotoBookmark0 + 3, "Goto Bookmark 3", kCtrlQ, '3'},
    {ecGotoBookmark0 + 4, "Goto Bookmark 4", kCtrlQ, '4'},
    {ecGotoBookmark0 + 5, "Goto Bookmark 5", kCtrlQ, '5'},
    {ecGotoBookmark0 + 6, "Goto Bookmark 6", kCtrlQ, '6'},
    {ecGotoBookmark0 + 7, "Goto Bookmark 7", kCtrlQ, '7'},
    {ecGotoBookmark0 + 8, "Goto Bookmark 8", kCtrlQ, '8'},
    {ecGotoBookmark0 + 9, "Goto Bookmark 9", kCtrlQ, '9'},
    {ecDeleteLine, "Delete current line", kCtrlKey | 'Y', 0},
    {ecUndo, "Undo", kCtrlKey | 'Z', 0},
    {ecRedo, "Redo", kCtrlKey | kShiftKey | 'Z', 0},
    {ecDeletePreviousWord, "Delete previous word", kCtrlKey | VK_BACK, 0},
    {ecPrintSelection, "Print selection", kCtrlK, 'P'},
    {ecDeleteNextWord, "Delete next word", kCtrlKey | VK_DELETE, 0},
};

KeyboardActionController MakeDefault() {
    KeyboardActionController controller;
    for (const DefaultCommand& command : kDefaultCommands) {
        controller.AddCommand(command.Code, command.Name);
        controller.AddBinding(command.FirstKey, command.SecondKey, command.Code);
    }
    return controller;
}

}  // namespace

KeyboardActionController::KeyboardActionController(const KeyboardActionController& other)
    : m_store(this) {
    Assign(other);
}

KeyboardActionController& KeyboardActionController::operator=(
    const KeyboardActionController& other) {
    if (this != &other) Assign(other);
    return *this;
}

KeyboardActionController::KeyboardActionController(KeyboardActionController&& other) noexcept
    : m_commands(std::move(other.m_commands)),
      m_commandIndex(std::move(other.m_commandIndex)),
      m_store(std::move(other.m_store)) {
    m_store.SetOwner(this);
}

KeyboardActionController& KeyboardActionController::operator=(
    KeyboardActionController&& other) noexcept {
    m_commands = std::move(other.m_commands);
    m_commandIndex = std::move(other.m_commandIndex);
    m_store = std::move(other.m_store);
    m_store.SetOwner(this);
    return *this;
}

const KeyboardActionController& KeyboardActionController::Default() {
    static const KeyboardActionController controller = MakeDefault();
    return controller;
}

void KeyboardActionController::AddCommand(int32_t code, std::string_view name) {
    if (code < 0) throw ESourceEditor("Invalid command code " + std::to_string(code));
    if (name.size() > 255)
        throw ESourceEditor(
            "Command name longer than 255 characters: " + std::string(name.substr(0, 40)) + "...");
    auto [at, added] = m_commandIndex.emplace(code, m_commands.size());
    if (added)
        m_commands.push_back({code, std::string(name)});
    else
        m_commands[at->second].Name = name;
}

std::string KeyboardActionController::CommandName(int32_t code) const {
    auto at = m_commandIndex.find(code);
    return at == m_commandIndex.end() ? std::string() : m_commands[at->second].Name;
}

void KeyboardActionController::Clear() {
    m_commands.clear();
    m_commandIndex.clear();
    m_store.Clear();
}

void KeyboardActionController::Assign(const KeyboardActionController& other) {
    std::string data;
    other.WriteTo(data);
    size_t pos = 0;
    ReadFrom(data, pos);
}

void KeyboardActionController::WriteTo(std::string& out) const {
    PutU32(out, static_cast<uint32_t>(m_commands.size()));
    for (const CommandEntry& command : m_commands) {
        PutU32(out, static_cast<uint32_t>(command.Code));
        out.push_back(static_cast<char>(command.Name.size()));  // at most 255, see AddCommand
        out += command.Name;
    }
    std::vector<KeyBinding> bindings = m_store.Bindings();
    PutU32(out, static_cast<uint32_t>(bindings.size()));
    for (const KeyBinding& binding : bindings) {
        PutU16(out, binding.FirstKey);
        PutU16(out, binding.SecondKey);
        PutU32(out, static_cast<uint32_t>(binding.Command));
    }
}

void KeyboardActionController::ReadFrom(std::string_view data, size_t& pos) {
    // Everything is read into a fresh controller that replaces this one only at the end, so a
    // fault anywhere leaves this one as it was. Counts are checked against the bytes left before
    // anything is reserved, so a corrupt count cannot ask for more memory than the data holds.
    Reader in(data, pos);
    KeyboardActionController fresh;
    uint32_t names = in.U32();
    if (names > in.Remaining() / kMinNameRecord) Reader::Fail();
    for (uint32_t i = 0; i < names; ++i) {
        auto code = static_cast<int32_t>(in.U32());
        std::string_view name = in.Bytes(in.U8());
        if (code < 0) Reader::Fail();
        fresh.AddCommand(code, name);
    }
    uint32_t bindings = in.U32();
    if (bindings > in.Remaining() / kBindingRecord) Reader::Fail();
    for (uint32_t i = 0; i < bindings; ++i) {
        uint16_t first = in.U16();
        uint16_t second = in.U16();
        auto command = static_cast<int32_t>(in.U32());
        if (first == 0 || command < 0) Reader::Fail();
        fresh.AddBinding(first, second, command);
    }
    *this = std::move(fresh);
    pos = in.Position();
}

KeyMatch KeyboardActionController::ProcessKey(uint16_t key) {
    bool extend = (key & kShiftKey) != 0;
    if (KeyCode(key) == 0 || IsModifierOnlyKey(key)) return {false, -1, extend};
    if (IsShiftTransparentKey(key)) key &= static_cast<uint16_t>(~kShiftKey);
    KeyMatch match = m_store.Match(key);
    match.Extend = extend;
    return match;
}

}  // namespace quinkle
