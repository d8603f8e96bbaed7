// Every editor command reached from its default keys through the key path.
#include <gtest/gtest.h>

#include <map>

#include "engine/editor/SourceEditor.h"
#include "engine/scheme/KeyCombination.h"

namespace quinkle {
namespace {

class MemoryClipboard : public Clipboard {
public:
    bool Has(ClipFormat format) const override { return Data.count(format) > 0; }
    std::optional<std::string> Get(ClipFormat format) const override { return Data.at(format); }
    void Clear() override { Data.clear(); }
    void Put(ClipFormat format, std::string data) override { Data[format] = std::move(data); }
    std::map<ClipFormat, std::string> Data;
};

constexpr uint16_t Ctrl(uint16_t key) { return key | kCtrlKey; }
constexpr uint16_t Shift(uint16_t key) { return key | kShiftKey; }

std::string Raw(const SourceEditor& editor) {
    return editor.Store().GetText(0, editor.Store().CharCount());
}

// Presses keys; a key the map does not take is typed when it is a character.
void Press(SourceEditor& editor, std::initializer_list<uint16_t> keys) {
    for (uint16_t key : keys) {
        if (editor.ProcessKey(key)) continue;
        if (key >= 'A' && key <= 'Z' && !(key & (kCtrlKey | kAltKey)))
            editor.TypeText(std::string(1, static_cast<char>(key - 'A' + 'a')));
    }
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        editor.SetClipboard(&clipboard);
        editor.SetViewMetrics({10, 20, 0, 800, 60});  // three visible rows
        editor.SetText("first line\rsecond words here\rthird\rfourth\rfifth\r");
    }
    SourceEditor editor;
    MemoryClipboard clipboard;
};

TEST_F(Commands, MovementKeysWithAndWithoutShift) {
    editor.SetSel(14, 14);  // "second" after "sec"
    Press(editor, {VK_LEFT});
    EXPECT_EQ(editor.Caret(), 13);
    Press(editor, {VK_RIGHT, VK_RIGHT});
    EXPECT_EQ(editor.Caret(), 15);
    Press(editor, {VK_HOME});
    EXPECT_EQ(editor.Caret(), 11);
    Press(editor, {Shift(VK_END)});  // Shift extends instead of being part of the key
    EXPECT_EQ(editor.SelText(), "second words here");
    Press(editor, {VK_UP});
    EXPECT_EQ(editor.LineFromChar(-1), 0);
    Press(editor, {VK_DOWN, VK_DOWN});
    EXPECT_EQ(editor.LineFromChar(-1), 2);
    Press(editor, {VK_NEXT});
    EXPECT_EQ(editor.LineFromChar(-1), 5);
    Press(editor, {VK_PRIOR});
    EXPECT_EQ(editor.LineFromChar(-1), 2);
    editor.SetSel(11, 11);
    Press(editor, {Ctrl(VK_RIGHT)});
    EXPECT_EQ(editor.Caret(), 18);
    Press(editor, {Shift(Ctrl(VK_RIGHT))});
    EXPECT_EQ(editor.SelText(), "words ");
    Press(editor, {Ctrl(VK_LEFT)});
    EXPECT_EQ(editor.Caret(), 18);
    Press(editor, {Ctrl(VK_END)});
    EXPECT_EQ(editor.Caret(), editor.Store().CharCount());
    Press(editor, {Shift(Ctrl(VK_HOME))});
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(editor.SelEnd(), editor.Store().CharCount());
}

TEST_F(Commands, ClipboardDeletingAndUndoKeys) {
    editor.SetSel(0, 5);
    Press(editor, {Ctrl('C')});
    EXPECT_EQ(clipboard.Data[ClipFormat::Text], "first");
    Press(editor, {Ctrl('X')});
    EXPECT_EQ(Raw(editor).substr(0, 5), " line");
    Press(editor, {VK_END, Ctrl('V')});
    EXPECT_EQ(editor.GetLine(0), " linefirst");
    Press(editor, {VK_BACK, VK_HOME, VK_DELETE});
    EXPECT_EQ(editor.GetLine(0), "linefirs");
    Press(editor, {Ctrl('Y')});
    EXPECT_EQ(editor.GetLine(0), "second words here");
    Press(editor, {VK_END, Ctrl(VK_BACK)});
    EXPECT_EQ(editor.GetLine(0), "second words ");
    Press(editor, {VK_HOME, Ctrl(VK_DELETE)});
    EXPECT_EQ(editor.GetLine(0), "words ");
    Press(editor, {Ctrl('Z'), Ctrl('Z')});
    EXPECT_EQ(editor.GetLine(0), "second words here");
    Press(editor, {Shift(Ctrl('Z'))});
    EXPECT_EQ(editor.GetLine(0), "second words ");
}

TEST_F(Commands, SequencesIndentBookmarksAndOverwrite) {
    editor.SetSel(0, 15);
    Press(editor, {Ctrl('K'), 'I'});
    EXPECT_EQ(editor.GetLine(1), " second words here");
    Press(editor, {Ctrl('K'), Ctrl('U')});  // the second key matches without its modifiers
    EXPECT_EQ(editor.GetLine(1), "second words here");
    Press(editor, {Ctrl('K'), 'Q'});  // an unbound second key: both are dropped
    EXPECT_EQ(editor.GetLine(0), "first line");
    EXPECT_EQ(editor.GetLine(1), "second words here");

    editor.SetSel(20, 20);
    Press(editor, {Ctrl('K'), '4', Ctrl(VK_HOME), Ctrl('Q'), '4'});
    EXPECT_EQ(editor.Caret(), 20);
    Press(editor, {VK_INSERT, 'X', VK_INSERT, 'Y'});
    EXPECT_EQ(editor.GetLine(1), "second woxyds here");  // x over "r", then y inserted

    int printed = 0;
    editor.OnPrintSelection = [&] { ++printed; };
    Press(editor, {Ctrl('K'), 'P'});
    EXPECT_EQ(printed, 1);
}

TEST_F(Commands, RecognisedCommandsReachTheHostAndMayChange) {
    std::vector<int32_t> seen;
    editor.OnCommandRecognised = [&](int32_t& code) {
        seen.push_back(code);
        if (code == 0) code = 1;  // the host turns "left" into "right"
    };
    editor.Settings().Keys.AddCommand(60, "Host command");
    editor.Settings().Keys.AddBinding(VK_F12, 0, 60);
    editor.SetSel(3, 3);
    Press(editor, {VK_LEFT, VK_F12});
    EXPECT_EQ(editor.Caret(), 4);
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 60}));
}

TEST_F(Commands, ReadOnlyEditorsRefuseChanges) {
    editor.ReadOnly = true;
    editor.SetSel(0, 5);
    Press(editor, {Ctrl('X'), Ctrl('V'), VK_DELETE, VK_BACK, Ctrl('Y'), 'Q'});
    Press(editor, {Ctrl('K'), 'I', Ctrl('Z')});
    EXPECT_EQ(editor.GetLine(0), "first line");
    EXPECT_EQ(clipboard.Data[ClipFormat::Text], "first");  // copying still works
}

// Each row's length and continuation bit.
std::vector<std::pair<int32_t, bool>> RowShape(const SourceEditor& editor) {
    std::vector<std::pair<int32_t, bool>> shape;
    for (int32_t i = 0; i < editor.Store().RowCount(); ++i)
        shape.emplace_back(editor.Store().Row(i)->Len, editor.Store().Row(i)->IsContinuation());
    return shape;
}

std::vector<std::pair<int32_t, bool>> FreshRowShape(const std::string& text) {
    SourceEditor fresh;
    fresh.SetText(text.c_str());
    return RowShape(fresh);
}

TEST(UndoingALineBreak, LeavesTheRowsOfAFreshLoad) {
    SourceEditor editor;
    editor.SetText("");
    auto enter = [&] { editor.TypeText("\r"); };
    Press(editor, {'X'});
    enter();
    Press(editor, {'Y', Ctrl(VK_HOME), VK_END});
    enter();
    Press(editor, {'M', 'I', 'D'});
    EXPECT_EQ(Raw(editor), "x\rmid\ry");
    Press(editor, {Ctrl('Z'), Ctrl('Z'), Ctrl('Z'), Ctrl('Z')});
    ASSERT_EQ(Raw(editor), "x\ry");
    EXPECT_EQ(RowShape(editor), FreshRowShape("x\ry"));
    EXPECT_EQ(editor.Store().LineFromChar(2), 1);
    Press(editor, {Shift(Ctrl('Z')), Shift(Ctrl('Z')), Shift(Ctrl('Z')), Shift(Ctrl('Z'))});
    EXPECT_EQ(Raw(editor), "x\rmid\ry");
    EXPECT_EQ(RowShape(editor), FreshRowShape("x\rmid\ry"));

    // Typing on the second row after the undo writes into the line of "y".
    Press(editor, {Ctrl('Z'), Ctrl('Z'), Ctrl('Z'), Ctrl('Z'), Ctrl(VK_HOME), VK_DOWN, 'Q'});
    EXPECT_EQ(Raw(editor), "x\rqy");
    EXPECT_EQ(RowShape(editor), FreshRowShape("x\rqy"));
}

}  // namespace
}  // namespace quinkle
