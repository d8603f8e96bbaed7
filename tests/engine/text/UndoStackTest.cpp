// Tests of the undo log: recording, groups, replay, listing, trimming and a damaged log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/text/EditorError.h"
#include "engine/text/UndoStack.h"

namespace quinkle {
namespace {

// A document in memory that the log replays into.
struct Document : UndoTarget {
    std::string Text;
    int32_t Anchor = 0, Caret = 0;
    int Beeps = 0, Replays = 0, RescanResets = 0;
    bool InReplay = false;

    void UndoSetSelection(int32_t anchor, int32_t caret) override { Select(anchor, caret); }
    void UndoReplace(int32_t from, int32_t to, std::string_view text) override {
        if (!InReplay || from < 0 || to < from || to > static_cast<int32_t>(Text.size()))
            throw std::out_of_range("replace outside the text or the replay");
        Text.replace(from, to - from, text);
    }
    void UndoBeginReplay() override { InReplay = true, ++Replays; }
    void UndoEndReplay() override { InReplay = false; }
    void UndoResetRescanStart() override { ++RescanResets; }
    void Beep() override { ++Beeps; }
    void Select(int32_t anchor, int32_t caret) { Anchor = anchor, Caret = caret; }
};

// Replaces the selection by `text` and records it, as the editor's edit path does.
void Replace(UndoStack& log, Document& doc, std::string_view text) {
    int32_t from = std::min(doc.Anchor, doc.Caret), to = std::max(doc.Anchor, doc.Caret);
    std::optional<std::string> removed;
    if (to > from) removed = doc.Text.substr(from, to - from);
    log.BeginTransaction(ucReplace, doc.Anchor, doc.Caret, removed, std::string(text));
    doc.Text.replace(from, to - from, text);
    doc.Anchor = doc.Caret = from + static_cast<int32_t>(text.size());
    log.EndTransaction(ucReplace, doc.Anchor, doc.Caret);
}

// Replaces the selection by each of `texts` in turn, inside one group.
void Action(UndoStack& log, Document& doc, int32_t code, std::vector<std::string> texts) {
    log.BeginGroup(code, doc.Anchor, doc.Caret);
    for (const auto& text : texts) Replace(log, doc, text);
    log.EndGroup(code, doc.Anchor, doc.Caret);
}

struct Item {
    int32_t Code;
    UndoStack::Node Node;
};

std::vector<Item> Items(UndoStack& log, bool undo, bool merge) {
    std::vector<Item> items;
    Item item{};
    log.StartListing();
    while (undo ? log.HasUndoGroup() && log.NextUndoGroup(merge, item.Code, item.Node)
                : log.HasRedoGroup() && log.NextRedoGroup(merge, item.Code, item.Node))
        items.push_back(item);
    return items;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESourceEditor& e) {
        return e.what();
    }
    return "";
}

UndoEntry Marker(int32_t code, int32_t role = grNone) { return {role, ekMarker, code, 0, {}}; }
UndoEntry Sel(int32_t anchor, int32_t caret) { return {grNone, ekSelection, anchor, caret, {}}; }
UndoEntry Txt(std::optional<std::string> text) { return {grNone, ekText, 0, 0, std::move(text)}; }

TEST(StackTest, CursorCountAndSizeFollowPushStepAndRemoveBottom) {
    Stack stack;
    int freed = 0;
    stack.SetOnFree([&](UndoEntry&) { ++freed; });
    for (int i = 0; i < 5; ++i) stack.Push(Marker(i), 10);
    EXPECT_EQ(stack.StepDown().Value1, 4);
    EXPECT_EQ(stack.StepDown().Value1, 3);
    EXPECT_EQ(stack.StepUp().Value1, 3);
    stack.Push(Marker(9), 0);  // discards the undone entry 4
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(stack.Count(), 5);
    EXPECT_EQ(stack.LoggedSize(), 4 * 26 + 16);
    for (int i = 0; i < 4; ++i) stack.StepDown();
    stack.RemoveBottom();  // the entry at the cursor: nothing is done any more
    EXPECT_EQ(stack.Cursor(), nullptr);
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(ErrorOf([&] { stack.StepDown(); }), "Stack underflow");
    stack.Check();
    stack.Reset();
    EXPECT_EQ(stack.Count(), 4);
    stack.Check();
}

TEST(UndoStackTest, TypingIsOneStepAndANewEditDiscardsRedo) {
    UndoStack log;
    Document doc;
    doc.Text = "Hello world";
    doc.Select(6, 6);
    Action(log, doc, ucTyping, {"a", "b", "c"});
    EXPECT_EQ(log.LoggedSize(), (3 + 3 * 6 + 3) * 32 + 3);
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "Hello world");
    EXPECT_EQ(doc.Caret, 6);
    EXPECT_FALSE(log.Modified());
    log.Undo(doc);
    EXPECT_EQ(doc.Replays, 1);
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "Hello abcworld");
    EXPECT_EQ(doc.Caret, 9);
    log.Undo(doc);
    Action(log, doc, ucPaste, {"x"});
    EXPECT_FALSE(log.CanRedo());
    EXPECT_FALSE(doc.InReplay);
    log.Check();
}

TEST(UndoStackTest, UndoRestoresTheSelectionInItsRecordedDirection) {
    UndoStack log;
    Document doc;
    doc.Text = "axyb";
    doc.Select(3, 1);
    Action(log, doc, ucReturn, {"z"});
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "axyb");
    EXPECT_EQ(doc.Anchor, 3);
    EXPECT_EQ(doc.Caret, 1);

    // In a group the selection at its start wins over that of its first transaction.
    doc.Text = "a\rb";
    log.BeginGroup(ucIndent, 0, 3);
    doc.Select(0, 0);
    Replace(log, doc, "  ");
    doc.Select(4, 4);
    Replace(log, doc, "  ");
    log.EndGroup(ucIndent, 0, 7);
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "a\rb");
    EXPECT_EQ(doc.Anchor, 0);
    EXPECT_EQ(doc.Caret, 3);
    EXPECT_EQ(doc.RescanResets, 2);
}

TEST(UndoStackTest, GroupsDoNotNestAndEmptyOnesLeaveNoTrace) {
    UndoStack log;
    Document doc;
    log.BeginGroup(ucPaste, 0, 0);
    log.BeginGroup(ucTyping, 0, 0);
    Replace(log, doc, "ab");
    log.EndGroup(ucTyping, 2, 2);
    EXPECT_EQ(log.OpenGroupCode(), ucPaste);
    Replace(log, doc, "cd");
    log.EndGroup(ucPaste, 4, 4);
    EXPECT_FALSE(log.GroupOpen());
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "");

    Action(log, doc, ucDelete, {});
    EXPECT_TRUE(log.CanRedo());
    EXPECT_FALSE(log.Modified());

    log.SetRecording(false);
    Document scratch;
    Action(log, scratch, ucPaste, {"zz"});
    EXPECT_TRUE(log.CanRedo());
    log.SetRecording(true);
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "abcd");

    // Undo first closes a group left open, at the selection after its last transaction.
    log.BeginGroup(ucTyping, 4, 4);
    Replace(log, doc, "e");
    Replace(log, doc, "f");
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "abcd");
    log.EndGroup(ucTyping, 6, 6);  // too late to change anything
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "abcdef");
    EXPECT_EQ(doc.Caret, 6);
    EXPECT_FALSE(log.CanRedo());
    log.Check();
}

TEST(UndoStackTest, TransactionMisuseEmptiesTheLogBeepsAndThrows) {
    UndoStack log;
    Document doc;
    int beeps = 0;
    log.SetBeepHook([&] { ++beeps; });
    Action(log, doc, ucPaste, {"abc"});
    log.BeginTransaction(ucReplace, 3, 3, std::nullopt, "d");
    EXPECT_EQ(ErrorOf([&] { log.BeginTransaction(ucReplace, 3, 3, std::nullopt, "e"); }),
              "Bad transaction log entry");
    EXPECT_TRUE(log.Empty());
    Action(log, doc, ucPaste, {"d"});  // records again
    EXPECT_TRUE(log.Modified());

    log.BeginTransaction(ucReplace, 4, 4, std::nullopt, "e");
    EXPECT_EQ(ErrorOf([&] { log.EndTransaction(ucPaste, 5, 5); }), "Bad transaction log entry");
    EXPECT_EQ(ErrorOf([&] { log.EndTransaction(ucReplace, 5, 5); }), "Bad transaction log entry");
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(log.Empty());
}

// Scripts of log operations with the modified state expected after each one: e an edit,
// u undo, r redo, s save (SetModified(false)), m SetModified(true), g an edit in a group left
// open, c Clear, l a size limit that keeps only the newest edit.
TEST(UndoStackTest, TheSavedTextIsUnmodifiedWhereverUndoAndRedoReachIt) {
    struct Row {
        const char* Name;
        std::string Script;
        std::string Modified;
    };
    const std::vector<Row> rows{
        {"an edit undone back to the save", "seurur", "010101"},
        {"undone past the save and redone to it", "esuruu", "101011"},
        {"a new edit drops the saved text from the redo side", "esuuerur", "10111111"},
        {"saved inside a group left open", "gsur", "1010"},
        {"marked modified by hand", "smeus", "01110"},
        {"an emptied log keeps the state", "ecsec", "11011"},
        {"the saved text trimmed away below", "seeluu", "011111"},
        {"the saved text kept above the trimmed steps", "eeslur", "110010"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        UndoStack log;
        Document doc;
        std::string modified;
        for (char op : row.Script) {
            switch (op) {
                case 'e':
                    Action(log, doc, ucPaste, {"x"});
                    break;
                case 'g':
                    log.BeginGroup(ucTyping, doc.Anchor, doc.Caret);
                    Replace(log, doc, "y");
                    break;
                case 'u':
                    log.Undo(doc);
                    break;
                case 'r':
                    log.Redo(doc);
                    break;
                case 's':
                    log.SetModified(false);
                    break;
                case 'm':
                    log.SetModified(true);
                    break;
                case 'c':
                    log.Clear();
                    break;
                case 'l':
                    log.SetSizeLimit(static_cast<int32_t>(log.LoggedSize() / 2));
                    break;
            }
            modified += log.Modified() ? '1' : '0';
        }
        EXPECT_EQ(modified, row.Modified);
        EXPECT_EQ(doc.Beeps, 0);
    }
}

// A log that does not fit the text is dropped; the text stays as it is.
TEST(UndoStackTest, DamagedLogIsDroppedWithoutTouchingTheText) {
    const std::vector<std::vector<UndoEntry>> damages{
        {Sel(0, 0)},                                                        // not a marker
        {Marker(ucCut, grEnd), Sel(0, 0), Marker(ucPaste, grEnd)},          // codes differ
        {Marker(1), Sel(0, 0), Txt({}), Txt("xyz"), Sel(1, 1), Marker(1)},  // text too long
        {Txt("xyz"), Sel(6, 6), Marker(1)},                                 // cut short
        {Marker(1), Sel(5, 5), Txt({}), Txt("x"), Sel(6, 6), Marker(1)},    // past the end
        {Marker(7)},                                                        // no such code
    };
    for (const auto& damage : damages) {
        UndoStack log;
        Document doc;
        Action(log, doc, ucPaste, {"abc"});
        for (const auto& entry : damage) log.Push(entry, 16);
        log.Undo(doc);
        EXPECT_EQ(doc.Beeps, 1);
        EXPECT_EQ(doc.Text, "abc");
        EXPECT_TRUE(log.Empty());
        EXPECT_FALSE(doc.InReplay);
        EXPECT_TRUE(log.Recording());
    }
    UndoStack log;
    Document doc;
    doc.Text = "xyz";
    doc.Select(1, 2);
    Action(log, doc, ucPaste, {"abc"});
    log.Undo(doc);
    doc.Text = "";
    log.Redo(doc);
    EXPECT_EQ(doc.Beeps, 1);
    EXPECT_TRUE(log.Empty());
}

TEST(UndoStackTest, ListingMergesGroupsThatJoinUpAndUndoToTakesWholeItems) {
    UndoStack log;
    Document doc;
    Action(log, doc, ucTyping, {"a", "b"});
    Action(log, doc, ucTyping, {"c", "d"});  // starts where the last one ended
    doc.Select(0, 0);
    Action(log, doc, ucTyping, {"x"});  // after a caret move
    ASSERT_EQ(doc.Text, "xabcd");
    EXPECT_EQ(Items(log, true, false).size(), 3u);
    auto undo = Items(log, true, true);
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_EQ(UndoGroupName(undo[1].Code), "Typing");

    log.UndoTo(doc, undo[1].Node);
    EXPECT_EQ(doc.Text, "");
    EXPECT_EQ(doc.Replays, 1);
    EXPECT_EQ(Items(log, false, false).size(), 3u);
    auto redo = Items(log, false, true);
    ASSERT_EQ(redo.size(), 2u);
    log.UndoTo(doc, redo[0].Node);
    EXPECT_EQ(doc.Text, "abcd");

    UndoStack other;
    Document otherDoc;
    Action(other, otherDoc, ucPaste, {"z"});
    log.UndoTo(doc, other.Top());
    EXPECT_EQ(doc.Replays, 2);

    // A listing whose place is discarded ends.
    log.StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    ASSERT_TRUE(log.NextUndoGroup(false, code, node));
    ASSERT_TRUE(log.HasUndoGroup());
    log.SetSizeLimit(0);
    EXPECT_FALSE(log.HasUndoGroup());
    EXPECT_FALSE(log.NextUndoGroup(false, code, node));
}

TEST(UndoStackTest, TrimKeepsTheNewestStepsWithinTheLimit) {
    UndoStack log;
    Document doc;
    for (char c = 'a'; c < 'k'; ++c) Action(log, doc, ucPaste, {std::string(1, c)});
    int64_t perAction = log.LoggedSize() / 10;
    log.SetSizeLimit(static_cast<int32_t>(3 * perAction));
    EXPECT_EQ(log.LoggedSize(), 3 * perAction);
    log.Check();
    while (log.CanUndo()) log.Undo(doc);
    EXPECT_EQ(doc.Text, "abcdefg");

    // A group whose beginning was trimmed away is undone down to the bottom.
    Action(log, doc, ucTyping, {"1", "2", "3", "4", "5", "6", "7", "8"});
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "abcdefg123");
    EXPECT_FALSE(log.CanUndo());
    EXPECT_EQ(doc.Beeps, 0);
}

struct Step {
    std::string TextBefore, TextAfter;
    int32_t AnchorBefore, CaretBefore, AnchorAfter, CaretAfter;
    bool Grouped;
};

TEST(UndoStackTest, RandomEditsUndoAndRedoLikeAModel) {
    std::mt19937 random(20240613);
    auto pick = [&](size_t n) { return static_cast<int32_t>(random() % n); };
    UndoStack log;
    Document doc;
    std::vector<Step> steps;
    size_t done = 0;
    auto expectBefore = [&](const Step& s) {
        ASSERT_EQ(doc.Text, s.TextBefore);
        ASSERT_EQ(doc.Anchor, s.AnchorBefore);
        ASSERT_EQ(doc.Caret, s.CaretBefore);
    };
    auto expectAfter = [&](const Step& s) {
        ASSERT_EQ(doc.Text, s.TextAfter);
        ASSERT_EQ(doc.Anchor, s.AnchorAfter);
        ASSERT_EQ(doc.Caret, s.CaretAfter);
    };
    auto randomSelection = [&] {
        doc.Select(pick(doc.Text.size() + 1), pick(doc.Text.size() + 1));
    };

    for (int round = 0; round < 3000; ++round) {
        int what = pick(10);
        if (what < 4) {
            randomSelection();
            Step step{doc.Text, "", doc.Anchor, doc.Caret, 0, 0, pick(4) != 0};
            int32_t code = ucDragDrop + pick(12);
            if (step.Grouped) log.BeginGroup(code, doc.Anchor, doc.Caret);
            for (int i = step.Grouped ? pick(3) + 1 : 1; i > 0; --i) {
                if (step.Grouped) randomSelection();
                std::string text(pick(4), 'a');
                for (char& c : text) c = "ab\rxy"[pick(5)];
                Replace(log, doc, text);
            }
            if (step.Grouped) log.EndGroup(code, doc.Anchor, doc.Caret);
            step.TextAfter = doc.Text;
            step.AnchorAfter = doc.Anchor;
            step.CaretAfter = doc.Caret;
            steps.resize(done);
            steps.push_back(step);
            ++done;
        } else if (what == 4) {
            Action(log, doc, ucDelete, {});
        } else if (what < 7) {
            log.Undo(doc);
            if (done > 0) expectBefore(steps[--done]);
        } else if (what < 9) {
            log.Redo(doc);
            if (done < steps.size()) expectAfter(steps[done++]);
        } else {
            // To a random item of a list; the lists show grouped steps only.
            bool undo = pick(2) == 0;
            auto items = Items(log, undo, false);
            std::vector<size_t> grouped;
            for (size_t i = 0; i < steps.size(); ++i)
                if (steps[i].Grouped && (i < done) == undo) grouped.push_back(i);
            if (undo) std::reverse(grouped.begin(), grouped.end());
            ASSERT_EQ(items.size(), grouped.size());
            if (items.empty()) continue;
            size_t k = pick(items.size());
            log.UndoTo(doc, items[k].Node);
            done = undo ? grouped[k] : grouped[k] + 1;
            if (undo)
                expectBefore(steps[done]);
            else
                expectAfter(steps[done - 1]);
        }
        ASSERT_EQ(log.CanUndo(), done > 0);
        ASSERT_EQ(log.CanRedo(), done < steps.size());
        ASSERT_EQ(doc.Beeps, 0);
        if (round % 50 == 0) log.Check();
    }
}

}  // namespace
}  // namespace quinkle
