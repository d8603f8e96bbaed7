// Row rules of the text store, checked against a plain string.
#include "engine/text/TextStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/text/FileText.h"
#include "engine/text/LineEnds.h"
#include "engine/text/UndoStack.h"

namespace quinkle {
namespace {

std::vector<int32_t> RowLengths(const TextStore& store) {
    std::vector<int32_t> lengths;
    for (int32_t i = 0; i < store.RowCount(); ++i) lengths.push_back(store.Row(i)->Len);
    return lengths;
}

TEST(LineEnds, EveryLineEndBecomesOneCR) {
    EXPECT_EQ(NormaliseLineEnds("a\r\nb\nc\rd\n\re"), "a\rb\rc\rd\re");
    EXPECT_EQ(NormaliseLineEnds("\r\n\r\n"), "\r\r");
    // Control bytes and NUL are text like any other byte.
    EXPECT_EQ(NormaliseLineEnds("x\x01y\tz\x7f\xa0"), "x\x01y\tz\x7f\xa0");
    EXPECT_EQ(NormaliseLineEnds(std::string_view("a\0b", 3)), std::string_view("a\0b", 3));
}

TEST(LineEnds, PairSplitAcrossPiecesStaysOneLineEnd) {
    for (std::string_view pair : {"\r\n", "\n\r"}) {
        LineEndNormaliser normaliser;
        std::string out;
        normaliser.Append(std::string("a") + pair[0], out);
        normaliser.Append(std::string(1, pair[1]) + "b", out);
        EXPECT_EQ(out, "a\rb");
    }
    LineEndNormaliser normaliser;
    std::string out;
    normaliser.Append("a\r\n", out);
    normaliser.Append("\r\nb", out);
    EXPECT_EQ(out, "a\r\rb");
}

TEST(TextStore, EmptyDocumentHasNoRows) {
    TextStore store;
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.CharCount(), 0);
    EXPECT_EQ(store.LineFromChar(0), 0);
    store.Insert(0, "abc\r");
    store.Delete(0, 4);
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_EQ(store.LongestRow(), 0);
    EXPECT_TRUE(store.Check());
}

TEST(TextStore, RowsEndAfterCROrAtTheRowLimit) {
    TextStore store;
    store.Insert(0, std::string(5000, 'x'));
    EXPECT_EQ(RowLengths(store), (std::vector<int32_t>{2047, 2047, 906}));
    EXPECT_FALSE(store.Row(0)->IsContinuation());
    EXPECT_TRUE(store.Row(1)->IsContinuation());
    EXPECT_TRUE(store.Row(2)->IsContinuation());
    store.Insert(3000, "\r");  // breaking the logical line ends the continuation there
    EXPECT_TRUE(store.Check());
    EXPECT_FALSE(store.Row(2)->IsContinuation());
    EXPECT_EQ(store.GetText(0, store.CharCount()).find('\r'), 3000u);
}

TEST(TextStore, TypingIntoAFullRowSplitsIt) {
    TextStore store;
    store.Insert(0, std::string(kMaxRowLength, 'x') + "\r");
    store.Insert(5, "y");
    EXPECT_TRUE(store.Check());
    EXPECT_EQ(RowLengths(store), (std::vector<int32_t>{kMaxRowLength, 2}));
    EXPECT_TRUE(store.Row(1)->IsContinuation());
    EXPECT_EQ(store.LineFromChar(store.CharCount()), 2);
}

TEST(TextStore, DeletingALineEndJoinsRowsAndKeepsTheLimit) {
    TextStore store;
    store.Insert(0, std::string(2000, 'a') + "\r" + std::string(2000, 'b'));
    store.Delete(2000, 2001);
    EXPECT_TRUE(store.Check());
    EXPECT_EQ(store.CharCount(), 4000);
    EXPECT_EQ(store.GetText(1998, 2001), "aab");
    EXPECT_EQ(store.RowCount(), 2);
}

TEST(TextStore, LineOfAnOffset) {
    TextStore store;
    store.Insert(0, "abc\r");
    EXPECT_EQ(store.RowCount(), 1);
    EXPECT_EQ(store.LineFromChar(3), 0);
    EXPECT_EQ(store.LineFromChar(4), 1);  // the empty line after the last CR
    store.Insert(4, "de");
    EXPECT_EQ(store.LineFromChar(4), 1);
    EXPECT_EQ(store.LineFromChar(6), 1);
    EXPECT_EQ(store.RowStart(1), 4);
    EXPECT_EQ(store.RowStart(5), 6);
}

TEST(TextStore, BookmarksAndTrackObjectsTravelWithTheirRow) {
    struct Track : TrackObject {
        explicit Track(int* freed) : Freed(freed) {}
        ~Track() override { ++*Freed; }
        int* Freed;
    };
    int freed = 0;
    TextStore store;
    store.Insert(0, "one\rtwo\rthree\r");
    TextRow* two = store.Row(1);
    two->MarkBits |= 1u << 3;
    two->GlyphBits = 2;
    two->TrackInfo = new Track(&freed);
    two->TrackInfo->Row = two;
    store.SetBookmarkColumn(3, 2);

    store.Insert(5, "XX");  // the fast path keeps the row
    store.Insert(6, "\r");  // splitting rebuilds it: the first new row inherits
    EXPECT_TRUE(store.Check());
    TextRow* first = store.Row(1);
    EXPECT_EQ(first->MarkBits & kBookmarkBits, 1u << 3);
    EXPECT_EQ(first->GlyphBits, 2);
    ASSERT_NE(first->TrackInfo, nullptr);
    EXPECT_EQ(first->TrackInfo->Row, first);
    EXPECT_EQ(store.Row(2)->MarkBits, 0);
    EXPECT_EQ(store.Row(2)->TrackInfo, nullptr);
    EXPECT_EQ(freed, 0);

    store.Delete(store.RowStart(1), store.RowStart(3));  // the row goes with its bookmark
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(store.BookmarkColumn(3), 0);
    EXPECT_EQ(store.GetText(0, store.CharCount()), "one\rthree\r");
}

TEST(TextStore, MarksShiftWithEditsAndAreFreedInsideDeletions) {
    TextStore store;
    store.Insert(0, "0123456789");
    std::vector<std::string> freedNames;
    std::vector<intptr_t> freedMarks;
    store.Bookmarks().OnCustomBookmarkFree = [&](const std::string& n) { freedNames.push_back(n); };
    store.RangeMarks().OnMarkFree = [&](intptr_t v) { freedMarks.push_back(v); };
    store.Bookmarks().Set("a", 2);
    store.Bookmarks().Set("b", 7);
    RangeMark* outer = store.RangeMarks().Add(1, 8, 1);
    store.RangeMarks().Add(4, 2, 2);

    store.Insert(2, "xx");  // at or after 2 moves
    EXPECT_EQ(store.Bookmarks().Find("a"), 4);
    EXPECT_EQ(store.Bookmarks().Find("b"), 9);
    EXPECT_EQ(outer->Start, 1);
    EXPECT_EQ(outer->End, 11);

    store.Delete(5, 9);  // the inner mark [6,8) lies inside; "a" at 4 stays
    EXPECT_EQ(store.Bookmarks().Find("a"), 4);
    EXPECT_EQ(store.Bookmarks().Find("b"), 5);
    EXPECT_EQ(freedMarks, std::vector<intptr_t>{2});
    EXPECT_EQ(outer->End, 7);
    store.Delete(3, 5);
    EXPECT_EQ(freedNames, std::vector<std::string>{"a"});
}

// Replays the log straight into the store, as the editor does.
struct StoreTarget : UndoTarget {
    explicit StoreTarget(TextStore& store) : Store(store) {}
    void UndoSetSelection(int32_t, int32_t) override {}
    void UndoReplace(int32_t from, int32_t to, std::string_view text) override {
        Store.Delete(from, to);
        Store.Insert(from, text);
    }
    void Beep() override { ++Beeps; }
    TextStore& Store;
    int Beeps = 0;
};

// Each row's length and continuation bit.
std::vector<std::pair<int32_t, bool>> RowShape(const TextStore& store) {
    std::vector<std::pair<int32_t, bool>> shape;
    for (int32_t i = 0; i < store.RowCount(); ++i)
        shape.emplace_back(store.Row(i)->Len, store.Row(i)->IsContinuation());
    return shape;
}

// The rows a fresh load of the store's text gives.
std::vector<std::pair<int32_t, bool>> FreshShape(const TextStore& store) {
    TextStore fresh;
    std::string text = store.GetText(0, store.CharCount());
    fresh.LoadAll([&](std::string& out) {
        out += text;
        return false;
    });
    return RowShape(fresh);
}

TEST(TextStore, DeletingALineEndOnUndoJoinsTheRowsAsAFreshLoadDoes) {
    TextStore store;
    store.Insert(0, "x\ry");
    store.Insert(1, "\r");
    store.Delete(1, 2);  // what undoing the line break does
    EXPECT_EQ(store.GetText(0, store.CharCount()), "x\ry");
    EXPECT_EQ(RowShape(store), FreshShape(store));

    // A shortened row at the limit takes the start of its continuation back.
    store.Insert(0, std::string(3000, 'a'));
    store.Delete(10, 11);
    EXPECT_EQ(RowShape(store), FreshShape(store));
    // Deleting whole rows between two pieces of one long line.
    store.Delete(store.RowStart(1), store.RowStart(2) + 5);
    EXPECT_EQ(RowShape(store), FreshShape(store));
    EXPECT_TRUE(store.Check());
}

// Random edits, undos and redos against a plain string with its history: contents, row rules
// and sums must hold throughout, and the rows must be those of a fresh load of the same text.
TEST(TextStore, RandomEditsUndosAndRedosMatchAPlainStringAndAFreshLoad) {
    std::mt19937 random(7);
    TextStore store;
    StoreTarget target(store);
    std::vector<std::string> states{std::string()};  // the text after each step
    size_t current = 0;
    // Line ends, TABs and the bytes of two- and three-byte characters, which may end up split.
    const char alphabet[] = "ab\r\t xyz\r\xc3\xa9\xe2\x82\xac";
    for (int step = 0; step < 3000; ++step) {
        auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % (n + 1)); };
        const std::string& model = states[current];
        int what = pick(9);
        if (what == 0) {
            store.UndoLog().Undo(target);
            if (current > 0) --current;
        } else if (what == 1) {
            store.UndoLog().Redo(target);
            if (current + 1 < states.size()) ++current;
        } else {
            int32_t from = pick(static_cast<int32_t>(model.size()));
            int32_t to =
                what < 5 ? from : from + pick(std::min<int32_t>(3000, model.size() - from));
            std::string text;
            if (what >= 4) {
                bool longLine = random() % 2 == 0;  // rows cut at the limit, not at a CR
                int32_t length = random() % 5 == 0 ? pick(4500) : pick(3) + 1;
                for (int32_t i = 0; i < length; ++i) {
                    char c = alphabet[random() % (sizeof alphabet - 1)];
                    text += longLine && c == kCR ? 'z' : c;
                }
            }
            if (from == to && text.empty()) continue;
            std::optional<std::string> removed;
            if (to > from) removed = model.substr(from, to - from);
            auto end = from + static_cast<int32_t>(text.size());
            store.UndoLog().BeginTransaction(ucReplace, from, to, removed, text);
            store.Delete(from, to);
            store.Insert(from, text);
            store.UndoLog().EndTransaction(ucReplace, end, end);
            std::string next = model;
            next.replace(from, to - from, text);
            states.resize(current + 1);
            states.push_back(std::move(next));
            ++current;
        }
        ASSERT_EQ(target.Beeps, 0) << "step " << step;
        ASSERT_TRUE(store.Check()) << "step " << step;
        ASSERT_EQ(store.GetText(0, store.CharCount()), states[current]) << "step " << step;
        ASSERT_EQ(RowShape(store), FreshShape(store)) << "step " << step;
        if (store.CharCount() > 0) {  // every offset lies in its row
            int32_t offset = pick(store.CharCount() - 1);
            RowIndex::Location at = store.Locate(offset);
            ASSERT_LE(at.RowStart, offset);
            ASSERT_LT(offset, at.RowStart + store.Row(at.Row)->Len);
            ASSERT_EQ(store.RowStart(at.Row), at.RowStart);
            // Its logical line counts the CRs before its row; that line starts after the
            // last of them.
            const std::string& text = states[current];
            auto crs = std::count(text.begin(), text.begin() + at.RowStart, kCR);
            ASSERT_EQ(store.LineOfRow(at.Row), crs) << "step " << step;
            size_t lineStart = text.rfind(kCR, std::max(0, at.RowStart - 1));
            lineStart = at.RowStart == 0 || lineStart == std::string::npos ? 0 : lineStart + 1;
            ASSERT_EQ(store.RowStart(store.FirstRowOfLine(int32_t(crs))), int32_t(lineStart))
                << "step " << step;
        }
    }
}

// Everything a row shows the rest of the program, besides where it is kept.
struct RowFacts {
    std::string Text;
    uint16_t Capacity;
    uint16_t MarkBits;
    uint32_t Flags;
    bool operator==(const RowFacts&) const = default;
};

std::vector<RowFacts> AllRows(const TextStore& store) {
    std::vector<RowFacts> rows;
    for (int32_t i = 0; i < store.RowCount(); ++i) {
        const TextRow* row = store.Row(i);
        rows.push_back({std::string(row->View()), row->Capacity, row->MarkBits, row->Flags});
    }
    return rows;
}

// File bytes with every kind of line end, NULs, TABs, UTF-8 sequences, lines longer than a
// row, and now and then a byte-order mark.
std::string RandomFileBytes(std::mt19937& random) {
    static const char* const kPieces[] = {"a",  "bc",       "\r\n",         "\n",  "\r", "\n\r",
                                          "\t", "\xC3\xA9", "\xE2\x82\xAC", "<p>", " "};
    std::string bytes;
    if (random() % 6 == 0) bytes = random() % 2 ? "\xFF\xFE" : "\xFE\xFF";
    const int pieces = static_cast<int>(random() % 400);
    for (int i = 0; i < pieces; ++i) {
        if (random() % 40 == 0) {  // a line near or past the row limit
            bytes.append(random() % 2 ? 2040 + random() % 10 : 1500 + random() % 3000, 'x');
            if (random() % 2) bytes += "\xE2\x82\xAC";
        } else if (random() % 60 == 0)
            bytes += '\0';
        else
            bytes += kPieces[random() % (sizeof kPieces / sizeof *kPieces)];
    }
    return bytes;
}

// A file loaded in random pieces must give the rows, text and facts of the plain way: decode
// the whole file into one string, then insert it into an empty store.
TEST(TextStore, LoadingInAnyPiecesGivesTheRowsOfInsertingTheDecodedText) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        const std::string bytes = RandomFileBytes(random);
        FileFacts plainFacts;
        const std::string stored = DecodeFileText(bytes, &plainFacts);
        TextStore plain;
        plain.Insert(0, stored);

        TextStore loaded;
        loaded.Insert(0, "old text\r to be replaced");
        FileTextDecoder decoder;
        size_t at = 0;
        loaded.LoadAll([&](std::string& out) {
            const size_t take = std::min(bytes.size() - at, size_t{1} + random() % 3000);
            decoder.Append(std::string_view(bytes).substr(at, take), out);
            at += take;
            if (at < bytes.size()) return true;
            decoder.Finish(out);
            return false;
        });
        ASSERT_TRUE(loaded.Check()) << "round " << round;
        ASSERT_EQ(loaded.GetText(0, loaded.CharCount()), stored) << "round " << round;
        ASSERT_EQ(AllRows(loaded), AllRows(plain)) << "round " << round;
        ASSERT_EQ(loaded.LineEndCount(), plain.LineEndCount());
        int32_t longest = 0;
        for (const RowFacts& row : AllRows(plain))
            longest = std::max<int32_t>(longest, static_cast<int32_t>(row.Text.size()));
        ASSERT_EQ(loaded.LongestRow(), longest);
        const FileFacts& facts = decoder.Facts();
        ASSERT_EQ(facts.Form, plainFacts.Form);
        ASSERT_EQ(facts.MixedLineEnds, plainFacts.MixedLineEnds);
        ASSERT_EQ(facts.Binary, plainFacts.Binary);
        ASSERT_EQ(facts.Undecodable, plainFacts.Undecodable);

        // The same file straight from its bytes, read in pieces of any size.
        TextStore direct;
        direct.Insert(0, "old text");
        at = 0;
        const FileFacts directFacts = direct.LoadFileBytes(
            [&](char* buffer, size_t size) {
                size_t take = std::min({bytes.size() - at, size, size_t{1} + random() % 3000});
                if (at == 0) take = std::min(bytes.size(), std::max<size_t>(take, 4));
                std::memcpy(buffer, bytes.data() + at, take);
                at += take;
                return take;
            },
            random() % 2 ? bytes.size() : 0);
        ASSERT_TRUE(direct.Check()) << "round " << round;
        ASSERT_EQ(AllRows(direct), AllRows(plain)) << "round " << round;
        ASSERT_EQ(direct.LineEndCount(), plain.LineEndCount());
        ASSERT_EQ(direct.LongestRow(), longest);
        ASSERT_EQ(directFacts.Form, plainFacts.Form);
        ASSERT_EQ(directFacts.MixedLineEnds, plainFacts.MixedLineEnds);
        ASSERT_EQ(directFacts.Binary, plainFacts.Binary);
        ASSERT_EQ(directFacts.Undecodable, plainFacts.Undecodable);

        // Rows carved at load time are edited and freed like any other.
        for (int edit = 0; edit < 20 && loaded.CharCount() > 0; ++edit) {
            const auto where = static_cast<int32_t>(random() % loaded.CharCount());
            const std::string text(1, "x\t\r"[random() % 3]);
            loaded.Insert(where, text);
            plain.Insert(where, text);
        }
        ASSERT_TRUE(loaded.Check());
        ASSERT_EQ(AllRows(loaded), AllRows(plain)) << "round " << round;
    }
}

// Rows carved from shared blocks grow out of them and are freed in any order.
TEST(TextRow, CarvedRowsGrowAndFreeLikeRowsOfTheirOwn) {
    std::mt19937 random(9);
    std::vector<TextRow*> carved;
    std::vector<TextRow*> own;
    {
        RowMaker maker;
        for (int i = 0; i < 5000; ++i) {
            std::string text(random() % 200, 'a');
            if (!text.empty() && random() % 5 == 0) text[random() % text.size()] = kTab;
            carved.push_back(maker.Make(text, text.find(kTab) != std::string::npos));
            own.push_back(NewRow(text));
        }
    }
    for (int step = 0; step < 20000; ++step) {
        const size_t i = random() % carved.size();
        if (random() % 50 == 0) {  // replace the row by a new one
            FreeRow(carved[i]);
            FreeRow(own[i]);
            carved[i] = NewRow("new");
            own[i] = NewRow("new");
            continue;
        }
        if (own[i]->Len >= kMaxRowLength) continue;
        const auto at = static_cast<int32_t>(random() % (own[i]->Len + 1));
        carved[i] = InsertCharIntoRow(carved[i], at, 'y');
        own[i] = InsertCharIntoRow(own[i], at, 'y');
    }
    std::vector<size_t> order(carved.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    for (size_t i : order) {
        ASSERT_EQ(carved[i]->View(), own[i]->View());
        ASSERT_EQ(carved[i]->Capacity, own[i]->Capacity);
        ASSERT_EQ(carved[i]->Flags, own[i]->Flags);
        ASSERT_EQ(carved[i]->Text()[carved[i]->Len], '\0');
        FreeRow(carved[i]);
        FreeRow(own[i]);
    }
}

// Appending rows builds the index that replacing nothing at its end builds.
TEST(RowIndex, AppendingAnswersAsReplacingAtTheEndDoes) {
    std::mt19937 random(3);
    std::vector<TextRow*> rows;
    RowIndex appended;
    RowIndex replaced;
    for (int piece = 0; piece < 60; ++piece) {
        std::vector<TextRow*> more(random() % 700);
        for (TextRow*& row : more) {
            std::string text(1 + random() % 30, 'a');
            if (random() % 2) text.back() = kCR;
            row = NewRow(text);
        }
        appended.Append(more);
        replaced.Replace(replaced.RowCount(), 0, more);
        rows.insert(rows.end(), more.begin(), more.end());
        ASSERT_TRUE(appended.Check());
        ASSERT_EQ(appended.RowCount(), replaced.RowCount());
        ASSERT_EQ(appended.CharCount(), replaced.CharCount());
        for (int probe = 0; probe < 50 && !rows.empty(); ++probe) {
            const auto row = static_cast<int32_t>(random() % rows.size());
            ASSERT_EQ(appended.Row(row), rows[row]);
            ASSERT_EQ(appended.RowStart(row), replaced.RowStart(row));
            ASSERT_EQ(appended.LineOfRow(row), replaced.LineOfRow(row));
            ASSERT_EQ(appended.FirstRowOfLine(row), replaced.FirstRowOfLine(row));
            const auto offset = static_cast<int32_t>(random() % (appended.CharCount() + 1));
            ASSERT_EQ(appended.Locate(offset).Row, replaced.Locate(offset).Row);
        }
    }
    for (TextRow* row : rows) FreeRow(row);
}

}  // namespace
}  // namespace quinkle
