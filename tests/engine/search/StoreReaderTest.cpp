// Reading a store's rows as pieces: random jumps, walks in both directions, and searches
// over a document of many rows checked against the same search over its plain text.
#include "engine/search/StoreReader.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/editor/SourceEditor.h"
#include "engine/search/PlainSearch.h"
#include "engine/search/REParser.h"

namespace quinkle {
namespace {

std::string ManyRows() {
    std::string text;
    std::mt19937 random(5);
    for (int line = 0; line < 4000; ++line) {
        text += "<td class=\"c" + std::to_string(line) + "\">";
        text.append(random() % 60, 'x');
        text += line % 7 == 0 ? "needle" : "hay";
        text += '\r';
    }
    text.append(5000, 'y');  // one long line, cut into rows of at most 2047 characters
    return text;
}

TEST(StoreReader, PiecesAreTheRowsOfTheText) {
    SourceEditor editor;
    std::string text = ManyRows();
    editor.SetText(text.c_str());
    StoreReader reader(editor.Store());
    ASSERT_EQ(reader.Length(), static_cast<int32_t>(text.size()));
    std::mt19937 random(9);
    for (int i = 0; i < 2000; ++i) {
        auto offset = static_cast<int32_t>(random() % text.size());
        CharReader::Piece piece = reader.PieceAt(offset);
        ASSERT_LE(piece.Start, offset);
        ASSERT_GT(piece.End(), offset);
        ASSERT_EQ(std::string_view(piece.Data, piece.Length),
                  text.substr(piece.Start, piece.Length));
    }
    for (int i = 0; i < 50; ++i) {
        auto from = static_cast<int32_t>(random() % text.size());
        auto to = static_cast<int32_t>(from + random() % 200000);
        std::string seen;
        int32_t next = from;
        reader.VisitPieces(from, to, [&](const CharReader::Piece& piece) {
            EXPECT_EQ(piece.Start, next);
            next = piece.End();
            seen.append(piece.Data, piece.Length);
            return true;
        });
        ASSERT_EQ(seen, text.substr(from, to - from));
    }
}

TEST(StoreReader, SearchesOverRowsFindWhatTheTextHolds) {
    SourceEditor editor;
    std::string text = ManyRows();
    editor.SetText(text.c_str());
    StoreReader reader(editor.Store());

    PlainSearcher plain("needle\r<td", true);  // across every row end it occurs at
    size_t expected = text.find("needle\r<td");
    for (int32_t at = 0; expected != std::string::npos; expected = text.find("needle\r<td", at)) {
        int32_t found = plain.FindForward(reader, at, reader.Length());
        ASSERT_EQ(found, static_cast<int32_t>(expected));
        at = found + 1;
    }
    PlainSearcher longLine("xyy", true);
    EXPECT_EQ(longLine.FindBackward(reader, reader.Length()),
              static_cast<int32_t>(text.rfind("xyy")));

    REParser parser;
    parser.Compile(R"(class=\"c(\d+)\">x*needle\n)");  // \" is a quote, not a run
    int count = 0;
    for (int32_t at = 0; parser.Search(reader, at, reader.Length()); at = parser.MatchEnd()) {
        std::string number =
            text.substr(parser.MatchPos(1), parser.MatchPos(2) - parser.MatchPos(1));
        ASSERT_EQ(std::stoi(number) % 7, 0);
        ++count;
    }
    EXPECT_EQ(count, 4000 / 7 + 1);
}

}  // namespace
}  // namespace quinkle
