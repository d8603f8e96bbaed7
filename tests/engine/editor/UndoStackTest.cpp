// Tests of the undo log: recording, groups, replay, listing, trimming and a damaged log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/EditorError.h"
#include "editor/UndoStack.h"

namespace quinkle {
namespace {

// A document in memory that the log replays into.
struct Document : UndoTarget {
    std::string Text;
    int32_t Anchor = 0;
    int32_t Caret = 0;
    int Beeps = 0;
    int Replays = 0;
    int RescanResets = 0;
    bool InReplay = false;

    void UndoSetSelection(int32_t anchor, int32_t caret) override {
        Anchor = anchor;
        Caret = caret;
    }
    void UndoReplace(int32_t from, int32_t to, std::string_view text) override {
        if (!InReplay) throw std::logic_error("replace outside a replay");
        if (from < 0 || to < from || to > static_cast<int32_t>(Text.size()))
            throw std::out_of_range("replace outside the text");
        Text.replace(from, to - from, text);
    }
    void UndoBeginReplay() override {
        InReplay = true;
        ++Replays;
    }
    void UndoEndReplay() override { InReplay = false; }
    void UndoResetRescanStart() override { ++RescanResets; }
    void Beep() override { ++Beeps; }

    void Select(int32_t anchor, int32_t caret) {
        Anchor = anchor;
        Caret = caret;
    }
};

// Replaces the selection by `text` and records it, as the editor's edit path does.
void Replace(UndoStack& log, Document& doc, std::string_view text) {
    int32_t from = std::min(doc.Anchor, doc.Caret);
    int32_t to = std::max(doc.Anchor, doc.Caret);
    std::optional<std::string> removed;
    if (to > from) removed = doc.Text.substr(from, to - from);
    log.BeginTransaction(ucReplace, doc.Anchor, doc.Caret, removed, std::string(text));
    doc.Text.replace(from, to - from, text);
    doc.Anchor = doc.Caret = from + static_cast<int32_t>(text.size());
    log.EndTransaction(ucReplace, doc.Anchor, doc.Caret);
}

// Replaces the selection inside a group of its own.
void Action(UndoStack& log, Document& doc, int32_t code, std::string_view text) {
    log.BeginGroup(code, doc.Anchor, doc.Caret);
    Replace(log, doc, text);
    log.EndGroup(code, doc.Anchor, doc.Caret);
}

// Types `text` one character at a time inside one Typing group.
void Type(UndoStack& log, Document& doc, std::string_view text) {
    log.BeginGroup(ucTyping, doc.Anchor, doc.Caret);
    for (char c : text) Replace(log, doc, std::string_view(&c, 1));
    log.EndGroup(ucTyping, doc.Anchor, doc.Caret);
}

struct Item {
    int32_t Code;
    UndoStack::Node Node;
};

std::vector<Item> UndoItems(UndoStack& log, bool merge) {
    std::vector<Item> items;
    Item item{};
    log.StartListing();
    while (log.HasUndoGroup() && log.NextUndoGroup(merge, item.Code, item.Node))
        items.push_back(item);
    return items;
}

std::vector<Item> RedoItems(UndoStack& log, bool merge) {
    std::vector<Item> items;
    Item item{};
    log.StartListing();
    while (log.HasRedoGroup() && log.NextRedoGroup(merge, item.Code, item.Node))
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

// The base stack ---------------------------------------------------------------------------

UndoEntry Marker(int32_t code, int32_t role = grNone) { return {role, ekMarker, code, 0, {}}; }
UndoEntry Selection(int32_t anchor, int32_t caret) {
    return {grNone, ekSelection, anchor, caret, {}};
}
UndoEntry TextEntry(std::optional<std::string> text) { return {grNone, ekText, 0, 0, text}; }

TEST(StackTest, CursorCountAndSizeFollowEveryOperation) {
    Stack stack;
    int freed = 0;
    stack.SetOnFree([&](UndoEntry&) { ++freed; });
    for (int i = 0; i < 5; ++i) stack.Push(Marker(i), 10);
    EXPECT_EQ(stack.Count(), 5);
    EXPECT_EQ(stack.LoggedSize(), 5 * 26);
    stack.Check();

    EXPECT_EQ(stack.StepDown().Value1, 4);
    EXPECT_EQ(stack.StepDown().Value1, 3);
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_FALSE(stack.AtTop());
    EXPECT_EQ(stack.StepUp().Value1, 3);
    stack.Check();

    // Pushing over an undone entry discards it and tells the callback.
    stack.Push(Marker(9), 0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(stack.NodeCount(), 5);
    EXPECT_EQ(stack.Count(), 5);
    EXPECT_EQ(stack.LoggedSize(), 4 * 26 + 16);
    EXPECT_TRUE(stack.AtTop());
    stack.Check();

    // Stepping below the bottom leaves a null cursor; removing the bottom keeps it there.
    for (int i = 0; i < 5; ++i) stack.StepDown();
    EXPECT_EQ(stack.Cursor(), nullptr);
    EXPECT_EQ(stack.Count(), 0);
    stack.RemoveBottom();
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.Bottom()->Entry.Value1, 1);
    stack.Check();
    stack.Reset();
    EXPECT_EQ(stack.Count(), 4);
    EXPECT_TRUE(stack.AtTop());
    stack.Check();

    // Removing the bottom entry the cursor stands on leaves nothing done.
    stack.StepDown();
    stack.StepDown();
    stack.StepDown();
    EXPECT_EQ(stack.Cursor(), stack.Bottom());
    stack.RemoveBottom();
    EXPECT_EQ(stack.Cursor(), nullptr);
    EXPECT_EQ(stack.Count(), 0);
    stack.Check();

    stack.Pop();
    stack.Clear();
    EXPECT_TRUE(stack.Empty());
    EXPECT_EQ(stack.LoggedSize(), 0);
    EXPECT_EQ(freed, 6);
    stack.Check();
}

TEST(StackTest, SteppingOrPoppingBeyondTheEndsUnderflows) {
    Stack stack;
    EXPECT_EQ(ErrorOf([&] { stack.Pop(); }), "Stack underflow");
    EXPECT_EQ(ErrorOf([&] { stack.StepDown(); }), "Stack underflow");
    EXPECT_EQ(ErrorOf([&] { stack.StepUp(); }), "Stack underflow");
    stack.Push(Marker(1), 0);
    EXPECT_EQ(ErrorOf([&] { stack.StepUp(); }), "Stack underflow");
    stack.StepDown();
    EXPECT_EQ(ErrorOf([&] { stack.StepDown(); }), "Stack underflow");
    EXPECT_EQ(stack.StepUp().Value1, 1);
    stack.Check();
}

// Recording and replay ---------------------------------------------------------------------

TEST(UndoStackTest, TypingIsUndoneAndRedoneAsOneGroup) {
    UndoStack log;
    Document doc;
    doc.Text = "Hello world";
    doc.Select(6, 6);
    Type(log, doc, "abc");
    ASSERT_EQ(doc.Text, "Hello abcworld");
    EXPECT_TRUE(log.Modified());
    EXPECT_EQ(log.Count(), 3 + 3 * 6 + 3);
    log.Check();

    log.Undo(doc);
    EXPECT_EQ(doc.Text, "Hello world");
    EXPECT_EQ(doc.Anchor, 6);
    EXPECT_EQ(doc.Caret, 6);
    EXPECT_FALSE(log.Modified());
    EXPECT_FALSE(log.CanUndo());
    EXPECT_TRUE(log.CanRedo());
    EXPECT_EQ(doc.Replays, 1);
    EXPECT_FALSE(doc.InReplay);
    EXPECT_TRUE(log.Recording());

    log.Redo(doc);
    EXPECT_EQ(doc.Text, "Hello abcworld");
    EXPECT_EQ(doc.Caret, 9);
    EXPECT_FALSE(log.CanRedo());
    EXPECT_EQ(doc.Beeps, 0);
    log.Check();
}

TEST(UndoStackTest, UndoAndRedoAtTheEndsDoNothing) {
    UndoStack log;
    Document doc;
    log.Undo(doc);
    log.Redo(doc);
    EXPECT_EQ(doc.Replays, 0);
    EXPECT_FALSE(log.Modified());

    Action(log, doc, ucPaste, "x");
    log.Undo(doc);
    log.Undo(doc);
    EXPECT_EQ(doc.Replays, 1);
    EXPECT_EQ(doc.Text, "");
    EXPECT_FALSE(log.Modified());
    log.Redo(doc);
    log.Redo(doc);
    EXPECT_EQ(doc.Replays, 2);
    EXPECT_EQ(doc.Text, "x");
}

TEST(UndoStackTest, NewEditAfterUndoDiscardsRedo) {
    UndoStack log;
    Document doc;
    Action(log, doc, ucPaste, "one ");
    Action(log, doc, ucPaste, "two");
    log.Undo(doc);
    ASSERT_TRUE(log.CanRedo());
    Action(log, doc, ucPaste, "three");
    EXPECT_FALSE(log.CanRedo());
    EXPECT_EQ(log.Count(), log.NodeCount());
    log.Check();
    log.Undo(doc);
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "");
    log.Redo(doc);
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "one three");
}

TEST(UndoStackTest, ReplacedSelectionComesBackWithItsDirection) {
    UndoStack log;
    Document doc;
    doc.Text = "axyb";
    doc.Select(3, 1);  // "xy" selected from right to left
    Action(log, doc, ucReturn, "z");
    ASSERT_EQ(doc.Text, "azb");
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "axyb");
    EXPECT_EQ(doc.Anchor, 3);
    EXPECT_EQ(doc.Caret, 1);
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "azb");
    EXPECT_EQ(doc.Anchor, 2);
    EXPECT_EQ(doc.Caret, 2);

    // Outside any group one transaction is one step.
    doc.Select(0, 3);
    Replace(log, doc, "");
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "azb");
    EXPECT_EQ(doc.Anchor, 0);
    EXPECT_EQ(doc.Caret, 3);
}

TEST(UndoStackTest, LoggedSizeCountsEntriesAndText) {
    UndoStack log;
    Document doc;
    doc.Text = "abcd";
    doc.Select(0, 2);
    Replace(log, doc, "xyz");  // removes 2, inserts 3
    EXPECT_EQ(log.LoggedSize(), 6 * 32 + 2 + 3);
    log.Clear();
    EXPECT_EQ(log.LoggedSize(), 0);
    EXPECT_FALSE(log.Modified());
}

TEST(UndoStackTest, IndentGroupsResetTheRescanStart) {
    UndoStack log;
    Document doc;
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
    Action(log, doc, ucTyping, "x");
    log.Undo(doc);
    EXPECT_EQ(doc.RescanResets, 2);
}

// Groups and recording state ---------------------------------------------------------------

TEST(UndoStackTest, GroupsDoNotNestAndCloseOnlyWithTheirCode) {
    UndoStack log;
    Document doc;
    log.BeginGroup(ucPaste, 0, 0);
    log.BeginGroup(ucTyping, 0, 0);
    EXPECT_EQ(log.OpenGroupCode(), ucPaste);
    Replace(log, doc, "ab");
    log.EndGroup(ucTyping, 2, 2);
    EXPECT_TRUE(log.GroupOpen());
    Replace(log, doc, "cd");
    log.EndGroup(ucPaste, 4, 4);
    EXPECT_FALSE(log.GroupOpen());
    EXPECT_EQ(log.OpenGroupCode(), 0);
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "");
    EXPECT_FALSE(log.Modified());
}

TEST(UndoStackTest, EmptyGroupLeavesNoTrace) {
    UndoStack log;
    Document doc;
    log.BeginGroup(ucDelete, 0, 0);
    log.EndGroup(ucDelete, 0, 0);
    EXPECT_FALSE(log.Modified());
    EXPECT_TRUE(log.Empty());

    Action(log, doc, ucPaste, "ab");
    log.Undo(doc);
    log.BeginGroup(ucDelete, 0, 0);
    log.EndGroup(ucDelete, 0, 0);
    EXPECT_FALSE(log.Modified());
    EXPECT_TRUE(log.CanRedo());
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "ab");
}

TEST(UndoStackTest, UndoClosesAnOpenGroupFirst) {
    UndoStack log;
    Document doc;
    log.BeginGroup(ucTyping, 0, 0);
    Replace(log, doc, "a");
    Replace(log, doc, "b");
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "");
    EXPECT_FALSE(log.GroupOpen());
    log.EndGroup(ucTyping, 2, 2);  // the late close changes nothing
    log.Redo(doc);
    EXPECT_EQ(doc.Text, "ab");
    EXPECT_EQ(doc.Caret, 2);
    EXPECT_FALSE(log.CanRedo());
    log.Check();
}

TEST(UndoStackTest, NothingIsRecordedWhileRecordingIsOff) {
    UndoStack log;
    Document doc;
    log.SetRecording(false);
    Action(log, doc, ucPaste, "abc");
    EXPECT_TRUE(log.Empty());
    EXPECT_FALSE(log.GroupOpen());
    log.SetRecording(true);
    Action(log, doc, ucPaste, "d");
    log.Undo(doc);
    EXPECT_EQ(doc.Text, "abc");
    EXPECT_TRUE(log.Recording());
}

TEST(UndoStackTest, TransactionMisuseEmptiesTheLogBeepsAndThrows) {
    UndoStack log;
    Document doc;
    int beeps = 0;
    log.SetBeepHook([&] { ++beeps; });
    Action(log, doc, ucPaste, "abc");

    log.BeginTransaction(ucReplace, 3, 3, std::nullopt, "d");
    EXPECT_EQ(ErrorOf([&] { log.BeginTransaction(ucReplace, 3, 3, std::nullopt, "e"); }),
              "Bad transaction log entry");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(log.Empty());
    EXPECT_FALSE(log.TransactionOpen());

    // The log records again afterwards.
    Action(log, doc, ucPaste, "d");
    EXPECT_TRUE(log.Modified());

    log.BeginTransaction(ucReplace, 4, 4, std::nullopt, "e");
    EXPECT_EQ(ErrorOf([&] { log.EndTransaction(ucPaste, 5, 5); }), "Bad transaction log entry");
    EXPECT_EQ(ErrorOf([&] { log.EndTransaction(ucReplace, 5, 5); }), "Bad transaction log entry");
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(log.Empty());
    log.Check();
}

// A damaged log ----------------------------------------------------------------------------

// Undo and redo of a log that does not fit the text stop, drop the log and keep the text.
TEST(UndoStackTest, DamagedLogIsDroppedWithoutTouchingTheText) {
    auto expectDropped = [](UndoStack& log, Document& doc, const std::string& text) {
        EXPECT_EQ(doc.Beeps, 1);
        EXPECT_TRUE(log.Empty());
        EXPECT_FALSE(log.Modified());
        EXPECT_EQ(doc.Text, text);
        EXPECT_FALSE(doc.InReplay);
        EXPECT_TRUE(log.Recording());
        log.Check();
    };
    {  // a selection where a marker must be
        UndoStack log;
        Document doc;
        Action(log, doc, ucPaste, "abc");
        log.Push(Selection(0, 0), 16);
        log.Undo(doc);
        expectDropped(log, doc, "abc");
    }
    {  // a group end whose second marker carries another code
        UndoStack log;
        Document doc;
        Action(log, doc, ucPaste, "abc");
        log.Push(Marker(ucCut, grEnd), 16);
        log.Push(Selection(0, 0), 16);
        log.Push(Marker(ucPaste, grEnd), 16);
        log.Undo(doc);
        expectDropped(log, doc, "abc");
    }
    {  // a transaction whose selections do not span its text
        UndoStack log;
        Document doc;
        doc.Text = "abc";
        log.Push(Marker(ucReplace), 16);
        log.Push(Selection(0, 0), 16);
        log.Push(TextEntry(std::nullopt), 16);
        log.Push(TextEntry("xyz"), 19);
        log.Push(Selection(1, 1), 16);
        log.Push(Marker(ucReplace), 16);
        log.Undo(doc);
        expectDropped(log, doc, "abc");
    }
    {  // a transaction cut short at the bottom
        UndoStack log;
        Document doc;
        doc.Text = "abc";
        log.Push(TextEntry("xyz"), 19);
        log.Push(Selection(3, 3), 16);
        log.Push(Marker(ucReplace), 16);
        log.Undo(doc);
        expectDropped(log, doc, "abc");
    }
    {  // a log that reaches past the end of the text
        UndoStack log;
        Document doc;
        Action(log, doc, ucPaste, "abc");
        doc.Text.clear();
        log.Undo(doc);
        expectDropped(log, doc, "");
    }
    {  // an unknown code on redo
        UndoStack log;
        Document doc;
        Action(log, doc, ucPaste, "abc");
        log.Undo(doc);
        log.Push(Marker(5), 16);
        log.StepDown();
        log.Redo(doc);
        expectDropped(log, doc, "");
    }
}

// Listing and UndoTo -----------------------------------------------------------------------

TEST(UndoStackTest, ListingMergesOnlyGroupsThatJoinUp) {
    UndoStack log;
    Document doc;
    Type(log, doc, "ab");
    Type(log, doc, "cd");  // starts where the last one ended
    doc.Select(0, 0);
    Type(log, doc, "x");  // after a caret move
    ASSERT_EQ(doc.Text, "xabcd");

    auto merged = UndoItems(log, true);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].Code, ucTyping);
    EXPECT_EQ(UndoGroupName(merged[1].Code), "Typing");
    EXPECT_EQ(UndoItems(log, false).size(), 3u);

    // Undoing to the merged item reverses both groups in it.
    log.UndoTo(doc, merged[1].Node);
    EXPECT_EQ(doc.Text, "");
    EXPECT_EQ(doc.Replays, 1);
    EXPECT_TRUE(UndoItems(log, true).empty());

    auto redo = RedoItems(log, true);
    ASSERT_EQ(redo.size(), 2u);
    EXPECT_EQ(RedoItems(log, false).size(), 3u);
    log.UndoTo(doc, redo[0].Node);
    EXPECT_EQ(doc.Text, "abcd");
    log.UndoTo(doc, redo[1].Node);
    EXPECT_EQ(doc.Text, "xabcd");
    EXPECT_FALSE(log.CanRedo());
}

TEST(UndoStackTest, UndoToGoesBothWaysAndIgnoresForeignNodes) {
    UndoStack log;
    Document doc;
    Action(log, doc, ucPaste, "a");
    Action(log, doc, ucCut, "b");
    Action(log, doc, ucTemplate, "c");
    auto items = UndoItems(log, true);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].Code, ucTemplate);
    EXPECT_EQ(items[2].Code, ucPaste);

    log.UndoTo(doc, items[1].Node);
    EXPECT_EQ(doc.Text, "a");
    EXPECT_EQ(UndoItems(log, true).size(), 1u);
    auto redo = RedoItems(log, true);
    ASSERT_EQ(redo.size(), 2u);
    EXPECT_EQ(redo[0].Code, ucCut);

    UndoStack other;
    Document otherDoc;
    Action(other, otherDoc, ucPaste, "z");
    log.UndoTo(doc, other.Top());
    EXPECT_EQ(doc.Replays, 1);

    log.UndoTo(doc, redo[1].Node);
    EXPECT_EQ(doc.Text, "abc");
    EXPECT_EQ(doc.Beeps, 0);
}

TEST(UndoStackTest, ListingStopsWhenItsPlaceIsDiscarded) {
    UndoStack log;
    Document doc;
    Action(log, doc, ucPaste, "a");
    Action(log, doc, ucCut, "b");
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    log.StartListing();
    ASSERT_TRUE(log.NextUndoGroup(false, code, node));
    log.SetSizeLimit(0);
    EXPECT_FALSE(log.HasUndoGroup());
    EXPECT_FALSE(log.NextUndoGroup(false, code, node));
}

TEST(UndoStackTest, GroupNamesFollowTheirCodes) {
    EXPECT_EQ(UndoGroupName(ucDragDrop), "Drag && Drop");
    EXPECT_EQ(UndoGroupName(ucUnIndent), "Un-Indent");
    EXPECT_EQ(UndoGroupName(ucReplaceAll), "Replace All");
    EXPECT_EQ(UndoGroupName(ucUserEdit), "User Edit");
    EXPECT_EQ(UndoGroupName(ucReturn), "Return");
    EXPECT_EQ(UndoGroupName(ucReplace), "");
    EXPECT_EQ(UndoGroupName(23), "");
}

// Size limit -------------------------------------------------------------------------------

TEST(UndoStackTest, TrimKeepsTheNewestStepsWithinTheLimit) {
    UndoStack log;
    Document doc;
    std::vector<std::string> texts{""};
    for (int i = 0; i < 20; ++i) {
        Action(log, doc, ucPaste, std::string(1, static_cast<char>('a' + i)));
        texts.push_back(doc.Text);
    }
    int64_t perAction = log.LoggedSize() / 20;
    log.SetSizeLimit(static_cast<int32_t>(5 * perAction));
    EXPECT_LE(log.LoggedSize(), 5 * perAction);
    log.Check();
    for (int i = 0; i < 5; ++i) {
        log.Undo(doc);
        EXPECT_EQ(doc.Text, texts[19 - i]);
    }
    EXPECT_FALSE(log.CanUndo());

    // A group whose beginning was trimmed away is still undone, down to the bottom.
    log.Clear();
    doc.Text = "";
    doc.Select(0, 0);
    log.SetSizeLimit(static_cast<int32_t>(3 * perAction));
    Type(log, doc, "abcdefgh");
    log.Check();
    log.Undo(doc);
    EXPECT_EQ(doc.Beeps, 0);
    EXPECT_FALSE(log.CanUndo());
    EXPECT_EQ(doc.Text, "abc");

    log.SetSizeLimit(0);
    EXPECT_TRUE(log.Empty());
}

// Against a model --------------------------------------------------------------------------

struct Step {
    std::string TextBefore, TextAfter;
    int32_t AnchorBefore, CaretBefore, AnchorAfter, CaretAfter;
    bool Grouped;
};

TEST(UndoStackTest, RandomEditsUndoAndRedoLikeAModel) {
    std::mt19937 random(20240613);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    UndoStack log;
    Document doc;
    std::vector<Step> steps;
    size_t done = 0;

    auto randomSelection = [&] {
        int32_t size = static_cast<int32_t>(doc.Text.size());
        doc.Select(pick(size + 1), pick(size + 1));
    };
    auto randomText = [&] {
        std::string text(pick(4), 'a');
        for (char& c : text) c = "ab\rxy"[pick(5)];
        return text;
    };
    auto expectAt = [&](const std::string& text, int32_t anchor, int32_t caret) {
        ASSERT_EQ(doc.Text, text);
        ASSERT_EQ(doc.Anchor, anchor);
        ASSERT_EQ(doc.Caret, caret);
    };

    for (int round = 0; round < 3000; ++round) {
        int what = pick(10);
        if (what < 4) {
            randomSelection();
            Step step{doc.Text, "", doc.Anchor, doc.Caret, 0, 0, pick(4) != 0};
            int32_t code = ucDragDrop + pick(12);
            if (step.Grouped) log.BeginGroup(code, doc.Anchor, doc.Caret);
            int edits = step.Grouped ? 1 + pick(3) : 1;
            for (int i = 0; i < edits; ++i) {
                if (step.Grouped) randomSelection();
                Replace(log, doc, randomText());
            }
            if (step.Grouped) log.EndGroup(code, doc.Anchor, doc.Caret);
            step.TextAfter = doc.Text;
            step.AnchorAfter = doc.Anchor;
            step.CaretAfter = doc.Caret;
            steps.resize(done);
            steps.push_back(step);
            ++done;
        } else if (what == 4) {
            int32_t count = log.NodeCount();
            log.BeginGroup(ucDelete, 0, 0);
            log.EndGroup(ucDelete, 0, 0);
            ASSERT_EQ(log.NodeCount(), count);
        } else if (what < 7) {
            log.Undo(doc);
            if (done > 0) {
                --done;
                const Step& s = steps[done];
                expectAt(s.TextBefore, s.AnchorBefore, s.CaretBefore);
            }
        } else if (what < 9) {
            log.Redo(doc);
            if (done < steps.size()) {
                const Step& s = steps[done++];
                expectAt(s.TextAfter, s.AnchorAfter, s.CaretAfter);
            }
        } else {
            // Undo or redo to a random item of the lists, counting grouped steps only.
            bool undo = pick(2) == 0;
            auto items = undo ? UndoItems(log, false) : RedoItems(log, false);
            std::vector<size_t> grouped;
            if (undo) {
                for (size_t i = done; i-- > 0;)
                    if (steps[i].Grouped) grouped.push_back(i);
            } else {
                for (size_t i = done; i < steps.size(); ++i)
                    if (steps[i].Grouped) grouped.push_back(i);
            }
            ASSERT_EQ(items.size(), grouped.size());
            if (items.empty()) continue;
            size_t k = pick(static_cast<int>(items.size()));
            log.UndoTo(doc, items[k].Node);
            done = undo ? grouped[k] : grouped[k] + 1;
            if (undo)
                expectAt(steps[done].TextBefore, steps[done].AnchorBefore, steps[done].CaretBefore);
            else
                expectAt(steps[done - 1].TextAfter, steps[done - 1].AnchorAfter,
                         steps[done - 1].CaretAfter);
        }
        ASSERT_EQ(log.CanUndo(), done > 0);
        ASSERT_EQ(log.CanRedo(), done < steps.size());
        ASSERT_EQ(doc.Beeps, 0);
        if (round % 50 == 0) log.Check();
    }
    log.Check();
}

TEST(UndoStackTest, LongHistoryIsUndoneCompletely) {
    UndoStack log;
    Document doc;
    doc.Text = std::string(1000, 'x');
    for (int i = 0; i < 20000; ++i) {
        int32_t at = (i * 37) % 1000;
        doc.Select(at, at + 1);
        Action(log, doc, ucReturn, "y");
    }
    while (log.CanUndo()) log.Undo(doc);
    EXPECT_EQ(doc.Text, std::string(1000, 'x'));
    EXPECT_EQ(doc.Replays, 20000);
}

}  // namespace
}  // namespace quinkle
