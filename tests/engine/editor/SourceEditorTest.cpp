// The editor model: selection, replacement, undo, loading, saving, clipboard, drag and drop.
#include "engine/editor/SourceEditor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "engine/editor/SourceEditorLines.h"
#include "engine/text/AtomicFile.h"
#include "engine/text/EditorError.h"
#include "engine/text/Streams.h"

namespace quinkle {
namespace {

class FakeClipboard : public Clipboard {
public:
    bool Has(ClipFormat format) const override { return Data.count(format) > 0; }
    std::optional<std::string> Get(ClipFormat format) const override {
        if (Unreadable) return std::nullopt;
        auto it = Data.find(format);
        return it == Data.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void Clear() override { Data.clear(); }
    void Put(ClipFormat format, std::string data) override { Data[format] = std::move(data); }
    std::map<ClipFormat, std::string> Data;
    bool Unreadable = false;
};

// A stream that accepts only part of every write, like a full disk.
class ShortStream : public MemoryStream {
public:
    size_t Write(const void* buffer, size_t count) override {
        ++Writes;
        return MemoryStream::Write(buffer, count / 2);
    }
    int Writes = 0;
};

std::string Raw(const SourceEditor& editor) {
    return editor.Store().GetText(0, editor.Store().CharCount());
}

TEST(SourceEditor, InsertedLineEndsAreStoredAsOneCR) {
    SourceEditor editor;
    // A pasted control byte is kept: the view shows it as a symbol.
    editor.ReplaceSel("a\r\nb\nc\rd\x01");
    EXPECT_EQ(Raw(editor), "a\rb\rc\rd\x01");
    editor.SelectAll();
    EXPECT_EQ(editor.SelText(), "a\r\nb\r\nc\r\nd\x01");
    EXPECT_EQ(editor.SelLength(), 11);
    EXPECT_EQ(editor.GetTextLen(), 11);
    editor.SetSelLineStyle(lsLF);
    EXPECT_EQ(editor.SelText(), "a\rb\rc\rd\x01");
    EXPECT_EQ(editor.SelLength(), 8);

    editor.SetSel(1, 1);
    editor.ReplaceSel("\n");  // one typed LF is a line end too
    EXPECT_EQ(Raw(editor).substr(0, 3), "a\r\r");
}

TEST(SourceEditor, SelLengthRoundTripsWithCRLFCounting) {
    SourceEditor editor;
    editor.ReplaceSel("ab\rcd\ref");
    editor.SetSel(1, 7);
    int32_t length = editor.SelLength();
    EXPECT_EQ(length, 8);
    EXPECT_EQ(static_cast<int32_t>(editor.SelText().size()), length);
    editor.SetSelStart(1);
    editor.SetSelLength(length);
    EXPECT_EQ(editor.SelEnd(), 7);
}

TEST(SourceEditor, RowRequestsOnSmallDocuments) {
    SourceEditor editor;
    SourceEditorLines lines(editor);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(editor.GetLineCount(), 1);
    EXPECT_EQ(editor.GetTextLen(), 0);

    editor.ReplaceSel("abc\r");
    EXPECT_EQ(editor.Caret(), 4);
    EXPECT_EQ(editor.LineFromChar(4), 1);
    EXPECT_EQ(editor.LineFromChar(-1), 1);
    EXPECT_EQ(editor.LineIndex(1), 4);
    EXPECT_EQ(editor.LineIndex(-1), 4);
    EXPECT_EQ(editor.LineLength(0), 3);
    EXPECT_EQ(editor.LineLength(4), 0);
    EXPECT_EQ(editor.GetLine(0), "abc");
    EXPECT_EQ(editor.GetLine(0, 2), "ab");
    EXPECT_EQ(editor.GetLine(5), "");

    editor.ReplaceSel(std::string(5000, 'x'));
    EXPECT_EQ(lines.Count(), 4);
}

// The caret's line and column are those of the logical line, however many rows it takes.
TEST(SourceEditor, CaretPositionCountsLogicalLines) {
    struct Case {
        std::string Text;
        int32_t Caret;
        int32_t Line, Column;
    };
    const std::string longLine(5000, 'x');
    const std::string tabbed = "\t" + std::string(2046, 'y') + "\tz";  // TAB in the first row
    const std::string accents = std::string(2045, 'a') + "\xc3\xa9\xc3\xa9";  // é ends row 0
    const Case cases[] = {
        {"abc\rde", 6, 2, 3},
        {longLine, 5000, 1, 5001},
        {longLine + "\rab", 5003, 2, 3},
        {"a\r" + longLine + "\r", 2 + 2047 + 3, 2, 2051},
        {tabbed, int32_t(tabbed.size()), 1, 4 + 2046 + 2 + 1 + 1},  // tab stops every 4
        {accents, int32_t(accents.size()), 1, 2045 + 2 + 1},
    };
    for (const Case& c : cases) {
        SourceEditor editor;
        editor.ReplaceSel(c.Text);
        editor.SetSelStart(c.Caret);
        int32_t column = 0, line = 0;
        editor.GetCaretPos(column, line);
        EXPECT_EQ(line, c.Line) << c.Caret;
        EXPECT_EQ(column, c.Column) << c.Caret;
    }
}

TEST(SourceEditor, LinesView) {
    SourceEditor editor;
    SourceEditorLines lines(editor);
    lines.Insert(0, "x");
    EXPECT_EQ(Raw(editor), "x");
    lines.Insert(5, "y");  // past the end, after a non-empty last row: a new line
    EXPECT_EQ(Raw(editor), "x\ry");
    lines.Insert(0, "w");
    EXPECT_EQ(Raw(editor), "w\rx\ry");
    lines.Put(1, "XX");
    EXPECT_EQ(lines.Get(1), "XX");
    lines.Delete(0);
    EXPECT_EQ(Raw(editor), "XX\ry");
    lines.Delete(1);
    EXPECT_EQ(Raw(editor), "XX\r");
    lines.Insert(lines.Count(), "z");  // the last row is empty: z goes onto it
    EXPECT_EQ(Raw(editor), "XX\rz");
    EXPECT_EQ(lines.Count(), 2);

    editor.SetModified(false);
    lines.SetText("XX\r\nz");  // the same text: nothing happens
    EXPECT_FALSE(editor.Modified());
    lines.Assign({"one", "two"});
    EXPECT_EQ(lines.Text(), "one\r\ntwo\r\n");
    EXPECT_FALSE(editor.CanUndo());
}

TEST(SourceEditor, ReplacementUndoesAsOneStepRestoringTheSelection) {
    SourceEditor editor;
    editor.SetText("say xy now");
    EXPECT_FALSE(editor.Modified());
    editor.SetSel(6, 4);  // anchor after "xy", caret before it
    editor.ReplaceSel("z");
    EXPECT_EQ(Raw(editor), "say z now");
    EXPECT_TRUE(editor.Modified());
    editor.Undo();
    EXPECT_EQ(Raw(editor), "say xy now");
    EXPECT_EQ(editor.Anchor(), 6);
    EXPECT_EQ(editor.Caret(), 4);
    EXPECT_FALSE(editor.Modified());
    editor.Redo();
    EXPECT_EQ(Raw(editor), "say z now");
    EXPECT_EQ(editor.Caret(), 5);
}

TEST(SourceEditor, UndoingBackToTheSavedTextLeavesItUnmodified) {
    SourceEditor editor;
    editor.SetText("abc");
    editor.SetSel(3, 3);
    editor.ReplaceSel("x");
    MemoryStream saved;
    editor.SaveToStream(&saved);
    EXPECT_FALSE(editor.Modified());
    editor.ReplaceSel("y");
    editor.Undo();
    EXPECT_FALSE(editor.Modified());
    editor.Redo();
    EXPECT_TRUE(editor.Modified());
    editor.Undo();
    editor.Undo();  // past the save: the text before it
    EXPECT_EQ(Raw(editor), "abc");
    EXPECT_TRUE(editor.Modified());
    editor.Redo();
    EXPECT_FALSE(editor.Modified());
    editor.Undo();
    editor.ReplaceSel("z");  // the saved text can no longer be redone
    EXPECT_TRUE(editor.Modified());
    editor.Undo();
    EXPECT_EQ(Raw(editor), "abc");
    EXPECT_TRUE(editor.Modified());
    editor.Redo();
    EXPECT_EQ(Raw(editor), "abcz");
    EXPECT_TRUE(editor.Modified());
}

TEST(SourceEditor, LongInsertionArrivesInChunksWithOneChangeReport) {
    SourceEditor editor;
    std::vector<std::pair<int32_t, int32_t>> pieces;
    int changes = 0;
    editor.OnTextChange = [&](int32_t at, int32_t length) { pieces.emplace_back(at, length); };
    editor.OnChange = [&] { ++changes; };
    editor.ReplaceSel(std::string(20000, 'q'));
    EXPECT_EQ(pieces,
              (std::vector<std::pair<int32_t, int32_t>>{{0, 8192}, {8192, 8192}, {16384, 3616}}));
    EXPECT_EQ(changes, 1);
    pieces.clear();
    editor.SelectAll();
    editor.ReplaceSel("");
    EXPECT_EQ(pieces, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}}));
    editor.Undo();
    EXPECT_EQ(editor.Store().CharCount(), 20000);
    EXPECT_TRUE(editor.Store().Check());
}

TEST(SourceEditor, CaretBeyondTheLineEndIsFilled) {
    SourceEditor editor;
    editor.ReplaceSel("ab\rcd");
    editor.SetSel(2, 2);
    editor.SetCaretBeyondEnd(7);  // column 9
    editor.SetOptions(editor.Options() & ~smoSmartFill);
    editor.ReplaceSel("x");
    EXPECT_EQ(editor.GetLine(0), "ab       x");

    editor.SetOptions(editor.Options() | smoSmartFill | smoUseTAB);
    editor.SetSel(editor.LineIndex(1) + 2, editor.LineIndex(1) + 2);
    editor.SetCaretBeyondEnd(7);
    editor.ReplaceSel("y");
    EXPECT_EQ(editor.GetLine(1), "cd\t\t y");
    EXPECT_EQ(editor.DisplayColumn(editor.Caret()), 10);
}

TEST(SourceEditor, LoadingNormalisesAcrossChunkBordersAndEmptiesTheLog) {
    std::string text(8191, 'a');
    text += "\r\nb";  // byte 8192 is CR, 8193 LF: one line end
    SourceEditor editor;
    editor.ReplaceSel("old");
    MemoryStream stream(text);
    editor.LoadFromStream(stream);
    EXPECT_EQ(editor.Store().CharCount(), 8193);
    EXPECT_EQ(editor.Store().LineEndCount(), 1);
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_EQ(editor.Caret(), 0);

    editor.SetText(nullptr);
    EXPECT_EQ(editor.Store().RowCount(), 0);
}

// A stream that fails after its first bytes, like a disk that goes away while reading.
class BrokenStream : public MemoryStream {
public:
    using MemoryStream::MemoryStream;
    size_t Read(void* buffer, size_t count) override {
        if (Position() > 0) throw EStreamError("read failed");
        return MemoryStream::Read(buffer, count);
    }
};

TEST(SourceEditor, AFailingLoadLeavesTheDocumentAsItWas) {
    SourceEditor editor;
    editor.ReplaceSel("keep me");
    editor.Store().Row(0)->MarkBits |= 1;
    editor.Store().SetBookmarkColumn(0, 3);
    BrokenStream stream(std::string(100000, 'z'));
    EXPECT_THROW(editor.LoadFromStream(stream), EStreamError);
    EXPECT_EQ(Raw(editor), "keep me");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.Store().BookmarkColumn(0), 3);
}

TEST(SourceEditor, ControlBytesAreOneCharacterAndOneColumnEach) {
    SourceEditor editor;
    FastMemoryStream stream(std::string_view("a\x01\0\x1b\tb", 6));
    editor.LoadFromStream(stream);
    for (int32_t offset = 1; offset <= 4; ++offset) {
        editor.MoveCaret(SourceEditor::Move::Right, false);
        EXPECT_EQ(editor.Caret(), offset);
        EXPECT_EQ(editor.DisplayColumn(offset), offset);
    }
    int32_t column = 0, line = 0;
    editor.GetCaretPos(column, line);
    EXPECT_EQ(column, 5);
    editor.MoveCaret(SourceEditor::Move::Left, false);
    EXPECT_EQ(editor.Caret(), 3);
}

TEST(SourceEditor, SavingWritesTheChosenLineEnds) {
    SourceEditor editor;
    editor.SetText("a\r\nb\r\n");
    editor.ReplaceSel("x");
    auto save = [&] {
        MemoryStream out;
        editor.SaveToStream(&out);
        return out.Data();
    };
    EXPECT_EQ(save(), "xa\r\nb\r\n");
    EXPECT_FALSE(editor.Modified());
    editor.SaveFormat = sfUNIX;
    EXPECT_EQ(save(), "xa\nb\n");
    // Text keeps the line ends it was loaded with, whatever SelText hands out.
    editor.SaveFormat = sfTEXT;
    editor.SetSelLineStyle(lsLF);
    EXPECT_EQ(save(), "xa\r\nb\r\n");
    editor.SetText("a\rb");
    EXPECT_EQ(save(), "a\rb");
    editor.SetText("a\nb");
    EXPECT_EQ(save(), "a\nb");
    editor.SaveFormat = sfHTML;
    editor.SetText("<a href=\"x\">&\t\xc2\xa0</a>");
    EXPECT_EQ(save(), "<pre>\r\n&lt;a href=&quot;x&quot;&gt;&amp;&nbsp;&nbsp;&lt;/a&gt;</pre>\r\n");
    editor.SaveFormat = sfRTF;
    editor.SetText("{\\}\r\n\xc3\xa9");
    std::string rtf = save();
    EXPECT_NE(rtf.find("\\{\\\\\\}\\par\r\n\\u233?}"), std::string::npos) << rtf;
}

TEST(SourceEditor, FailedSavesReportAndKeepTheDocumentModified) {
    SourceEditor editor;
    editor.ReplaceSel("precious");
    EXPECT_THROW(
        {
            try {
                editor.SaveToStream(nullptr);
            } catch (const EFileSaveError& e) {
                EXPECT_STREQ(e.what(), "Bad TStream instance");
                throw;
            }
        },
        EFileSaveError);
    ShortStream shortStream;
    try {
        editor.SaveToStream(&shortStream);
        FAIL() << "a short write must not pass";
    } catch (const EFileSaveError& e) {
        EXPECT_STREQ(e.what(), "Could not save text to stream");
    }
    EXPECT_EQ(shortStream.Writes, 4);
    EXPECT_TRUE(editor.Modified());

    FastMemoryStream readOnly("abc");
    try {
        editor.SaveToStream(&readOnly);
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Cannot write to a read-only stream");
    }
    EXPECT_TRUE(editor.Modified());
}

TEST(SourceEditor, FilesLoadAndSaveAtomically) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("quinkle-editor-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "page.html").string();
    SourceEditor editor;
    try {
        editor.LoadFromFile(path);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "File '" + path + "' cannot be opened for reading");
    }
    EXPECT_THROW(editor.LoadFromFile(dir.string()), EFOpenError);  // a folder is no document

    { std::ofstream(path, std::ios::binary) << "old\r\n"; }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    editor.LoadFromFile(path);
    editor.SetSel(3, 3);
    editor.ReplaceSel(" new");
    editor.SaveToFile(path);
    EXPECT_FALSE(editor.Modified());
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old new\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    editor.ReplaceSel("!");
    EXPECT_THROW(editor.SaveToFile((dir / "gone" / "page.html").string()), EFCreateError);
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);  // no temporary left over

    FileStream full("/dev/full", FileStream::Mode::Create);
    EXPECT_THROW(editor.SaveToStream(&full), EFileSaveError);
    EXPECT_TRUE(editor.Modified());
    fs::remove_all(dir);
}

TEST(SourceEditor, SavingKeepsABackupAndCountsAsSavedWhenOnlyTheBackupFails) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("quinkle-backup-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "page.html").string();
    { std::ofstream(path, std::ios::binary) << "old"; }
    SourceEditor editor;
    editor.ReplaceSel("new");
    editor.SaveToFile(path, {(dir / "page.~html").string()});
    EXPECT_FALSE(editor.Modified());
    std::ifstream backup(dir / "page.~html", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "old");

    editor.ReplaceSel("!");
    EXPECT_THROW(editor.SaveToFile(path, {(dir / "gone" / "page.~html").string()}), EBackupError);
    EXPECT_FALSE(editor.Modified());
    std::ifstream saved(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "new!");
    fs::remove_all(dir);
}

TEST(SourceEditor, ClipboardCopyCutAndPaste) {
    SourceEditor editor;
    FakeClipboard clipboard;
    clipboard.Put(ClipFormat::Text, "keep");
    editor.ReplaceSel("one\rtwo");
    editor.CopyToClipboard(clipboard);  // nothing selected: the clipboard keeps its text
    EXPECT_EQ(clipboard.Data[ClipFormat::Text], "keep");

    editor.SetSel(0, 5);
    editor.CutToClipboard(clipboard);
    EXPECT_EQ(clipboard.Data[ClipFormat::Text], "one\r\nt");
    EXPECT_NE(clipboard.Data[ClipFormat::Rtf].find("one\\par"), std::string::npos);
    EXPECT_EQ(Raw(editor), "wo");
    editor.SetSel(2, 2);
    editor.PasteFromClipboard(clipboard);
    EXPECT_EQ(Raw(editor), "woone\rt");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "wo");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "one\rtwo");

    clipboard.Unreadable = true;
    try {
        editor.PasteFromClipboard(clipboard);
        FAIL();
    } catch (const EOutOfMemory& e) {
        EXPECT_STREQ(e.what(), "Cannot alloc memory for buffer!!");
    }
    EXPECT_EQ(Raw(editor), "one\rtwo");
    clipboard.Unreadable = false;
    editor.ReadOnly = true;
    editor.PasteFromClipboard(clipboard);
    EXPECT_EQ(Raw(editor), "one\rtwo");
}

TEST(SourceEditor, PastedHtmlIsCutToItsFragment) {
    SourceEditor editor;
    FakeClipboard clipboard;
    clipboard.Put(ClipFormat::Html,
                  "Version:0.9\r\n<html><body><!--StartFragment--><b>hi</b><!--EndFragment-->");
    clipboard.Put(ClipFormat::Text, "hi");
    uint32_t seen = 0;
    editor.OnDataDrop = [&](uint32_t& flags) {
        seen = flags;
        flags = (flags & ~ddText) | ddFragment;
    };
    editor.PasteFromClipboard(clipboard);
    EXPECT_EQ(seen, ddHtml | ddText | ddPaste);
    EXPECT_EQ(Raw(editor), "<b>hi</b>");
    EXPECT_EQ(SourceEditor::CleanDroppedHtml("junk<p>x", ddFromFirstTag), "<p>x");
    EXPECT_EQ(SourceEditor::CleanDroppedHtml("no tag", ddFragment), "no tag");
}

TEST(SourceEditor, DraggingTextWithinTheEditorIsOneUndoStep) {
    SourceEditor editor;
    editor.ReplaceSel("abc def ghi");
    editor.SetSel(0, 4);
    EXPECT_TRUE(editor.CanStartDrag(2));
    EXPECT_FALSE(editor.CanStartDrag(6));
    EXPECT_FALSE(editor.DropText("abc ", 0, 2, deMove, true));  // onto its own selection
    EXPECT_TRUE(editor.DropText("abc ", 0, 8, deMove, true));
    editor.EndDrag(deMove, true);
    EXPECT_EQ(Raw(editor), "def abc ghi");
    editor.Undo();
    EXPECT_EQ(Raw(editor), "abc def ghi");

    editor.SetSel(0, 4);
    editor.EndDrag(deMove, false);  // moved to another window
    EXPECT_EQ(Raw(editor), "def ghi");
    editor.ReadOnly = true;
    EXPECT_EQ(editor.AllowedDragEffects(), static_cast<uint32_t>(deCopy));
    EXPECT_FALSE(editor.DropText("x", 0, 0, deCopy, false));

    std::vector<std::string> received;
    editor.OnFilesDropped = [&](const std::vector<std::string>& names, int32_t&, int32_t&) {
        received = names;
    };
    int32_t x = -1, y = -1;
    EXPECT_TRUE(editor.DropFiles({"/tmp/a.html"}, x, y));
    EXPECT_EQ(received, std::vector<std::string>{"/tmp/a.html"});
}

TEST(SourceEditor, EditorsSharingAStoreSeeEachOthersEdits) {
    SourceEditor first;
    SourceEditor second;
    second.AttachToStore(first);
    first.ReplaceSel("hello world");
    second.SetSel(6, 11);
    std::vector<int32_t> seen;
    second.OnTextChange = [&](int32_t at, int32_t) { seen.push_back(at); };
    first.SetSel(0, 0);
    first.ReplaceSel(">> ");
    EXPECT_EQ(second.SelText(), "world");
    EXPECT_EQ(seen, std::vector<int32_t>{0});
    second.Undo();  // the log is the store's
    EXPECT_EQ(Raw(first), "hello world");
}

TEST(SourceEditor, ViewPointsAndOffsets) {
    SourceEditor editor;
    editor.SetViewMetrics({10, 20, 30, 330, 100});
    editor.ReplaceSel("\tab\rxy\r");
    int32_t x = 0, y = 0;
    editor.PosFromChar(2, x, y);  // after the TAB and "a": column 5
    EXPECT_EQ(x, 30 + 50);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(editor.CharFromPos(30 + 51, 5), 2);
    EXPECT_EQ(editor.CharFromPos(30 + 12, 5), 0);  // the first cells of the TAB
    EXPECT_EQ(editor.CharFromPos(30 + 28, 5), 1);  // nearer its end
    EXPECT_EQ(editor.CharFromPos(30 + 200, 25), 6);
    EXPECT_EQ(editor.CharFromPos(10, 5), -1);
    EXPECT_EQ(editor.CharFromPos(40, 90), -1);  // below the last line

    for (int i = 0; i < 50; ++i) editor.ReplaceSel("line\r");
    editor.ScrollCaret();
    EXPECT_EQ(editor.TopRow(), editor.LineFromChar(-1) - 4);
}

}  // namespace
}  // namespace quinkle
