// The document's life cycle headless: new documents by the start-up setting, open, save and
// Save As with their questions, backups, formatted saves, delete, dropped files, the declared
// charset and the folder memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/document/DocumentTestKit.h"
#include "engine/html/HeadBody.h"
#include "engine/scheme/SchemeOutputStyler.h"
#include "engine/scheme/SchemeTestKit.h"
#include "engine/text/LoadLimit.h"
#include "engine/text/UndoStack.h"

namespace quinkle::testing {
namespace {

using Kind = DocumentAsker::Kind;

std::string Question(const std::string& file) {
    return "The document " + file + " has changed.\nDo you want to save the changes?";
}

constexpr const char* kOpenFilter =
    "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|Text Files "
    "(*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|All Files (*.*)|*.*";
constexpr const char* kSaveFilter =
    "HTML Files (*.htm;*.html;*.shtm;*.shtml)|*.htm;*.html;*.shtm;*.shtml|Text Files "
    "(*.txt)|*.txt|All Files (*.*)|*.*";

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}
bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using DocumentLifeCycle = DocumentFixture;

// ---- new documents ----

TEST_F(DocumentLifeCycle, NewDocumentFollowsTheStartupMode) {
    const std::string start = File("start.htm", "start");
    settings.WriteString("Config", "Start File", "\"" + start + "\"");
    struct Row {
        int Mode;
        std::string Text;
        std::string FileName;
    };
    for (const Row& row : {Row{0, "", ""}, Row{2, "template", ""}, Row{3, "start", start}}) {
        SCOPED_TRACE(row.Mode);
        document.SetFileName("/elsewhere/old.htm");
        Config("Default Startup", row.Mode);
        document.New();
        EXPECT_EQ(Text(), row.Text);
        EXPECT_EQ(document.FileName(), row.FileName);
        // Even the start file is untitled until it is saved.
        EXPECT_EQ(document.Title(), "(Untitled)");
        EXPECT_EQ(host.Titles.back(), "(Untitled)");
        EXPECT_FALSE(document.Modified());
        EXPECT_FALSE(editor.CanUndo());
    }
    EXPECT_EQ(asker.Questions.size(), 0u);
}

TEST_F(DocumentLifeCycle, MinimalDocumentAsksForATitleOnlyAfterStartUp) {
    Config("Default Startup", 1);
    host.Started = false;
    document.New();
    EXPECT_TRUE(asker.Questions.empty());
    EXPECT_TRUE(
        StartsWith(Text(), "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n<head>"));
    EXPECT_TRUE(Contains(Text(), "<title>Generated with " + GeneratorText() + "</title>"));
    EXPECT_TRUE(Contains(Text(), ">\r\n\r\n\r\n</body>\r\n</html>")) << Text();

    host.Started = true;
    host.Body.BGCol = "#123456";
    asker.AnswerInput("Hello");
    document.New();
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].What, "input");
    EXPECT_EQ(asker.Questions[0].Title, "New Document");
    EXPECT_EQ(asker.Questions[0].Text, "Please Enter The Title of your New Document:");
    EXPECT_EQ(asker.Questions[0].Value, "");
    EXPECT_TRUE(Contains(Text(), "<title>Hello</title>"));
    // The body tag takes the Body dialog's current fields.
    EXPECT_TRUE(Contains(Text(), "</head>\r\n\r\n<body bgcolor=\"#123456\"")) << Text();
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, ModifiedDocumentIsAskedAboutFirst) {
    Type("x");
    asker.AnswerButton(DocumentAsker::Cancel);
    document.New();
    EXPECT_EQ(Text(), "x");
    EXPECT_TRUE(document.Modified());

    asker.AnswerButton(DocumentAsker::No);
    document.New();
    ASSERT_EQ(asker.Questions.size(), 2u);
    EXPECT_EQ(asker.Questions[0].Text, Question("Untitled"));
    EXPECT_EQ(asker.Questions[0].Title, "HTML Quinkle");
    EXPECT_EQ(asker.Questions[0].Kind, Kind::Confirmation);
    EXPECT_EQ(asker.Questions[0].Buttons,
              DocumentAsker::Yes | DocumentAsker::No | DocumentAsker::Cancel);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, EveryPathThatReplacesAModifiedDocumentAsksFirst) {
    const std::string page = File("page.htm", "page");
    const std::string other = File("other.htm", "other");
    const std::string missing = folder.Path("missing.htm");
    struct Row {
        const char* Path;
        // Replaces the document; `answeredNo` queues the answers that follow a No.
        std::function<void(bool answeredNo)> Replace;
        std::string Replaced;  // the text once the question is answered No
    };
    const std::vector<Row> rows = {
        {"open (recent list, command line)", [&](bool) { document.Open(other, true); }, "other"},
        {"open a missing file",
         [&](bool answeredNo) {
             if (answeredNo) {
                 asker.AnswerButton(DocumentAsker::Ok);
                 asker.AnswerInput("Title");
             }
             document.Open(missing, true);
         },
         "<!DOCTYPE"},
        {"open dialog",
         [&](bool answeredNo) {
             if (answeredNo) asker.AnswerFileName(other);
             document.OpenAsked();
         },
         "other"},
        {"new", [&](bool) { document.New(); }, ""},
        {"one dropped file", [&](bool) { document.FilesDropped({other}); }, "other"},
        {"dropped files",
         [&](bool) {
             document.FilesDropped({other, page});
         },
         "other"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Path);
        for (const int answer : {DocumentAsker::Cancel, DocumentAsker::No}) {
            editor.SetModified(false);  // the edits of the round before are given up
            document.Open(page, false);
            Type("edited ");
            asker.Questions.clear();
            asker.AnswerButton(answer);
            row.Replace(answer == DocumentAsker::No);
            ASSERT_FALSE(asker.Questions.empty());
            EXPECT_EQ(asker.Questions[0].Text, Question(page));
            if (answer == DocumentAsker::Cancel) {
                EXPECT_EQ(asker.Questions.size(), 1u);
                EXPECT_EQ(Text(), "edited page");
                EXPECT_TRUE(document.Modified());
            } else {
                // A missing file is reported and gives a minimal document; nothing else asks
                // about the changes again.
                if (row.Replaced == "<!DOCTYPE")
                    EXPECT_TRUE(StartsWith(Text(), row.Replaced)) << Text();
                else
                    EXPECT_EQ(Text(), row.Replaced);
                EXPECT_FALSE(document.Modified());
                for (size_t i = 1; i < asker.Questions.size(); ++i)
                    EXPECT_NE(asker.Questions[i].Text, Question(page));
            }
            EXPECT_EQ(Read(page), "page");
            EXPECT_EQ(asker.Unexpected, 0);
        }
    }
    // A refused Open tells its caller that nothing was opened.
    document.Open(page, false);
    Type("x");
    asker.AnswerButton(DocumentAsker::Cancel);
    EXPECT_FALSE(document.Open(other, true));
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, MissingStartFileGivesAMinimalDocument) {
    const std::string missing = folder.Path("gone.htm");
    Config("Default Startup", 3);
    settings.WriteString("Config", "Start File", missing);
    host.Started = false;
    asker.AnswerButton(DocumentAsker::Ok);
    document.New();
    ASSERT_EQ(asker.Questions.size(), 1u);  // no title question during start-up
    EXPECT_EQ(asker.Questions[0].Kind, Kind::Error);
    EXPECT_EQ(asker.Questions[0].Text,
              "File Error: \"" + missing + "\"\nMust Exist, using Minimal Doc instead.");
    EXPECT_TRUE(StartsWith(Text(), "<!DOCTYPE HTML PUBLIC"));
    EXPECT_EQ(document.FileName(), "");
    EXPECT_EQ(settings.ReadInteger("Config", "Default Startup", -1), 3);
    EXPECT_EQ(asker.Unexpected, 0);
}

// ---- open ----

TEST_F(DocumentLifeCycle, OpenStartsInTheRememberedFolderAndRemembersTheFile) {
    const std::string page = File("web/page.htm", "<p>page</p>");
    const std::string other = File("more/other.txt", "other");
    asker.AnswerFileName(page);
    EXPECT_TRUE(document.OpenAsked());
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].What, "open");
    EXPECT_EQ(asker.Questions[0].Title, "Open");
    EXPECT_EQ(asker.Questions[0].Filter, kOpenFilter);
    EXPECT_EQ(asker.Questions[0].Value, host.Program);  // nothing remembered yet
    EXPECT_EQ(Text(), "<p>page</p>");
    EXPECT_EQ(document.FileName(), page);
    EXPECT_EQ(document.Title(), "page.htm");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(settings.ReadString("LastPaths", "DocPath", ""), folder.Path("web/"));
    EXPECT_EQ(document.RecentFiles().List().Items(), std::vector<std::string>{page});
    EXPECT_GT(host.Replaced, 0);

    asker.Questions.clear();
    asker.AnswerFileName("\"" + other + "\"");  // quotes are stripped
    EXPECT_TRUE(document.OpenAsked());
    EXPECT_EQ(asker.Questions[0].Value, folder.Path("web/"));
    EXPECT_EQ(document.FileName(), other);
    EXPECT_EQ(settings.ReadString("LastPaths", "DocPath", ""), folder.Path("more/"));

    // A modified document is asked about first; Cancel stops before the dialog.
    Type("x");
    asker.Questions.clear();
    asker.AnswerButton(DocumentAsker::Cancel);
    EXPECT_FALSE(document.OpenAsked());
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].Text, Question(other));
    EXPECT_EQ(Text(), "xother");
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, RichTextFilesAreOfferedForConversionFirst) {
    const std::string rtf = File("doc.RTF", "{\\rtf1 text}");
    const std::string page = File("doc.htm", "<p>converted</p>");
    const std::string plain = File("notes.txt", "notes");
    // Declined: the file itself opens as text.
    EXPECT_TRUE(document.Open(rtf, true));
    EXPECT_EQ(host.RichTextFiles, std::vector<std::string>{rtf});
    EXPECT_EQ(Text(), "{\\rtf1 text}");
    EXPECT_EQ(document.FileName(), rtf);
    // Converted: the page opens in its place.
    host.ConvertedFile = page;
    EXPECT_TRUE(document.Open(rtf, true));
    EXPECT_EQ(Text(), "<p>converted</p>");
    EXPECT_EQ(document.FileName(), page);
    EXPECT_EQ(document.Title(), "doc.htm");
    EXPECT_EQ(document.RecentFiles().List().Items().front(), page);
    // Other files are not offered.
    EXPECT_TRUE(document.Open(plain, true));
    EXPECT_EQ(host.RichTextFiles.size(), 2u);
}

TEST_F(DocumentLifeCycle, FolderMemoryWaitsForTheEndOfStartUp) {
    const std::string page = File("site/page.htm", "page");
    host.Started = false;
    document.Open(page, false);
    EXPECT_EQ(document.LastFolder("DocPath"), host.Program);
    host.Started = true;
    document.RememberFolder("DocPath", "bare.htm");  // a bare name tells no folder
    EXPECT_EQ(document.LastFolder("DocPath"), host.Program);
    document.RememberFolder("GfxPath", page);
    EXPECT_EQ(document.LastFolder("GfxPath"), folder.Path("site/"));
    EXPECT_EQ(std::filesystem::current_path().string() + "/", folder.Path("site/"));
}

TEST_F(DocumentLifeCycle, UnreadableFileIsReportedAndTheDocumentStays) {
    Type("kept");
    const std::string page = File("page.htm", "page");
    std::filesystem::permissions(page, std::filesystem::perms::none);
    if (std::ifstream(page).good()) GTEST_SKIP() << "the file stays readable (running as root)";
    asker.AnswerButton(DocumentAsker::No);
    asker.AnswerButton(DocumentAsker::Ok);
    EXPECT_FALSE(document.Open(page, true));
    ASSERT_EQ(asker.Questions.size(), 2u);
    EXPECT_EQ(asker.Questions[1].Kind, Kind::Error);
    EXPECT_TRUE(Contains(asker.Questions[1].Text, page)) << asker.Questions[1].Text;
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(document.FileName(), "");
    EXPECT_TRUE(document.RecentFiles().List().Items().empty());
}

TEST_F(DocumentLifeCycle, FileOverTheSizeLimitIsRefusedBeforeReading) {
    Type("kept");
    // A sparse file: over the limit in size, yet it takes no room on the disk.
    const std::string huge = File("huge.htm", "");
    std::filesystem::resize_file(huge, kMaxLoadBytes + 1);
    asker.AnswerButton(DocumentAsker::No);
    asker.AnswerButton(DocumentAsker::Ok);
    EXPECT_FALSE(document.Open(huge, true));
    ASSERT_EQ(asker.Questions.size(), 2u);
    EXPECT_EQ(asker.Questions[1].Kind, Kind::Error);
    EXPECT_TRUE(Contains(asker.Questions[1].Text, "too large to open (1.0 GB)"))
        << asker.Questions[1].Text;
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(document.FileName(), "");
}

// ---- save ----

TEST_F(DocumentLifeCycle, SaveWritesOnlyAModifiedDocument) {
    EXPECT_TRUE(document.Save());  // untitled and unmodified: not even the dialog
    EXPECT_TRUE(asker.Questions.empty());

    const std::string page = File("page.htm", "page");
    document.Open(page, true);
    File("page.htm", "changed elsewhere");
    document.Save();
    EXPECT_EQ(Read(page), "changed elsewhere");

    // The file changed since it was opened, so saving over it asks first.
    Type("my ");
    asker.AnswerButton(DocumentAsker::Yes);
    EXPECT_TRUE(document.Save());
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_TRUE(Contains(asker.Questions[0].Text, "changed by another program"));
    EXPECT_EQ(Read(page), "my page");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(document.Title(), "page.htm");
}

TEST_F(DocumentLifeCycle, SaveAsNamesTheDocument) {
    const std::string named = File("site/new.htm", "");
    Type("hello");
    asker.AnswerFileName(named);
    EXPECT_TRUE(document.Save());
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].What, "save");
    EXPECT_EQ(asker.Questions[0].Title, "Save As");
    EXPECT_EQ(asker.Questions[0].Filter, kSaveFilter);
    EXPECT_EQ(Read(named), "hello");
    EXPECT_EQ(document.FileName(), named);
    EXPECT_EQ(document.Title(), "new.htm");
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(settings.ReadString("LastPaths", "DocPath", ""), folder.Path("site/"));
    EXPECT_EQ(document.RecentFiles().List().Items(), std::vector<std::string>{named});

    // Save As on a named document starts at its name; a refused dialog saves nothing.
    const std::string copy = folder.Path("copy.htm");
    asker.Questions.clear();
    asker.AnswerFileName("", false);
    EXPECT_FALSE(document.SaveAs());
    EXPECT_EQ(document.FileName(), named);
    asker.AnswerFileName(copy);
    EXPECT_TRUE(document.SaveAs());
    EXPECT_EQ(asker.Questions[1].Value, named);
    EXPECT_EQ(Read(copy), "hello");
    EXPECT_EQ(document.FileName(), copy);
    EXPECT_EQ(document.RecentFiles().List().Items(), (std::vector<std::string>{copy, named}));
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, TemplateIsNeverOverwritten) {
    Config("Default Startup", 2);
    document.New();
    Type("x");
    asker.AnswerFileName("", false);
    EXPECT_FALSE(document.Save());
    EXPECT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(Read(host.Program + "default.txt"), "template");
    EXPECT_TRUE(document.Modified());
}

TEST_F(DocumentLifeCycle, StartFileIsSavedUnderItsName) {
    const std::string start = File("start.htm", "start");
    Config("Default Startup", 3);
    settings.WriteString("Config", "Start File", start);
    document.New();
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    Type("ed");
    EXPECT_TRUE(document.Save());
    EXPECT_TRUE(asker.Questions.empty());
    EXPECT_EQ(Read(start), "started");
    EXPECT_EQ(document.Title(), "start.htm");
}

TEST_F(DocumentLifeCycle, SaveQuestionSavesOrStops) {
    const std::string page = File("page.htm", "page");
    document.Open(page, true);
    Type("new ");
    asker.AnswerButton(DocumentAsker::Yes);
    document.New();
    EXPECT_EQ(asker.Questions[0].Text, Question(page));
    EXPECT_EQ(Read(page), "new page");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(document.FileName(), "");

    // Yes on an untitled document asks for a name; refusing that keeps the document.
    Type("keep");
    asker.AnswerButton(DocumentAsker::Yes);
    asker.AnswerFileName("", false);
    document.New();
    EXPECT_EQ(Text(), "keep");
    EXPECT_TRUE(document.Modified());

    // A save that fails stops too.
    asker.AnswerButton(DocumentAsker::Yes);
    asker.AnswerFileName(folder.Path("no/such/folder/page.htm"));
    asker.AnswerButton(DocumentAsker::Ok);
    EXPECT_FALSE(document.AskSaveChanges());
    EXPECT_EQ(asker.Questions.back().Kind, Kind::Error);
    EXPECT_TRUE(Contains(asker.Questions.back().Text, "no/such/folder/page.htm"));
    EXPECT_EQ(Text(), "keep");
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.FileName(), "");
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, BackupsKeepThePreviousVersion) {
    struct Row {
        const char* Name;
        int Backups;  // the setting: 0 keeps backups
        const char* Backup;
    };
    for (const Row& row : {Row{"index.html", 0, "index.~html"}, Row{"readme", 0, "readme~"},
                           Row{"plain.htm", 1, nullptr}}) {
        SCOPED_TRACE(row.Name);
        Config("Backups", row.Backups);
        const std::string page = File(std::string("b/") + row.Name, "old");
        document.Open(page, false);
        Type("new");
        ASSERT_TRUE(document.Save());
        Type("!");
        ASSERT_TRUE(document.Save());
        EXPECT_EQ(Read(page), "new!old");
        if (row.Backup) {
            EXPECT_EQ(Read(folder.Path(std::string("b/") + row.Backup)), "newold");
        }
    }
    // Nothing else is left in the folder.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("b")))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"index.html", "index.~html", "readme", "readme~",
                                            "plain.htm"}));
    EXPECT_TRUE(asker.Questions.empty());
}

TEST_F(DocumentLifeCycle, FailedSaveKeepsTheDocumentModified) {
    Config("Backups", 0);
    const std::string page = File("gone/index.html", "old");
    document.Open(page, false);
    Type("new ");
    std::filesystem::remove_all(folder.Path("gone"));
    asker.AnswerButton(DocumentAsker::Ok);
    EXPECT_FALSE(document.Save());
    ASSERT_EQ(asker.Questions.size(), 1u);
    EXPECT_EQ(asker.Questions[0].Kind, Kind::Error);
    EXPECT_TRUE(Contains(asker.Questions[0].Text, page)) << asker.Questions[0].Text;
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.FileName(), page);
    EXPECT_EQ(Text(), "new old");
}

TEST_F(DocumentLifeCycle, FormattedSaveWritesOnlyTheChosenFile) {
    struct Row {
        TextSaveFormat Format;
        const char* Name;
        const char* Start;   // how the formatted file begins
        std::string Filter;  // the save dialog's filter
    };
    const std::string page = File("page.htm", "page");
    for (const Row& row : {Row{sfRTF, "page.rtf", "{\\rtf",
                               std::string("Rich Text Files (*.rtf)|*.rtf|") + kSaveFilter},
                           Row{sfHTML, "page.html", "<pre", kSaveFilter}}) {
        SCOPED_TRACE(row.Name);
        document.Open(page, true);
        Type("one ");
        const std::string exported = folder.Path(row.Name);
        asker.Questions.clear();
        asker.AnswerFileName(exported);
        EXPECT_TRUE(document.SaveFormatted(row.Format));
        ASSERT_EQ(asker.Questions.size(), 1u);
        EXPECT_EQ(asker.Questions[0].Filter, row.Filter);
        EXPECT_EQ(asker.Questions[0].Value, page);
        EXPECT_TRUE(StartsWith(Read(exported), row.Start)) << Read(exported);
        EXPECT_TRUE(Contains(Read(exported), "one page"));
        // The document is still the page, unsaved, in its plain format.
        EXPECT_EQ(document.FileName(), page);
        EXPECT_EQ(document.Title(), "page.htm");
        EXPECT_TRUE(document.Modified());
        EXPECT_TRUE(editor.CanUndo());
        EXPECT_EQ(editor.SaveFormat, sfTEXT);
        EXPECT_EQ(Read(page), "page");
        EXPECT_EQ(document.RecentFiles().List().Items(), std::vector<std::string>{page});

        // Later saves write plain text, for this page and for the next one opened.
        EXPECT_TRUE(document.Save());
        EXPECT_EQ(Read(page), "one page");
        const std::string other = File("other.htm", "other");
        document.Open(other, false);
        Type("two ");
        EXPECT_TRUE(document.Save());
        EXPECT_EQ(Read(other), "two other");
        EXPECT_TRUE(Contains(Read(exported), "one page"));
        File("page.htm", "page");
    }

    // A refused dialog writes nothing.
    asker.AnswerFileName("", false);
    EXPECT_FALSE(document.SaveFormatted(sfRTF));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("refused.rtf")));
    EXPECT_EQ(editor.SaveFormat, sfTEXT);
    EXPECT_EQ(asker.Unexpected, 0);
}

TEST_F(DocumentLifeCycle, FormattedSaveCarriesTheSchemesColoursOfUnshownRows) {
    SyntaxScheme scheme;
    testkit::BuildMiniScheme(scheme);
    SchemeStyles& styles = editor.Settings().Styles;
    styles.Effects[3].Foreground = 0x0000FF;
    styles.TokenEffect[testkit::mvKeyword] = 3;
    SchemeOutputStyler styler(styles, [](uint32_t colour) { return colour; });
    editor.SetOutputStyler(&styler);
    document.DocumentHighlighter().SetScheme(&scheme);
    // No row was ever highlighted: nothing painted them.
    Type("x\rx\rbegin y end");
    for (const TextSaveFormat format : {sfHTML, sfRTF}) {
        const std::string path = folder.Path(format == sfHTML ? "styled.html" : "styled.rtf");
        asker.AnswerFileName(path);
        ASSERT_TRUE(document.SaveFormatted(format));
        const std::string saved = Read(path);
        if (format == sfHTML)
            EXPECT_TRUE(Contains(saved, "color:#FF0000;background:#FFFFFF\">begin</span>"))
                << saved;
        else
            EXPECT_TRUE(Contains(saved, "\\cf7")) << saved;  // effect 3's foreground
    }
    editor.SetOutputStyler(nullptr);
}

// ---- delete ----

TEST_F(DocumentLifeCycle, DeleteMovesTheFileToTheTrashOnlyWhenConfirmed) {
    const std::string page = File("gone.htm", "gone");
    document.Open(page, true);
    Type("edited ");

    asker.AnswerButton(DocumentAsker::No);
    document.Delete();
    EXPECT_EQ(asker.Questions[0].Kind, Kind::Confirmation);
    EXPECT_EQ(asker.Questions[0].Text, "Move \"" + page + "\" to the trash?");
    EXPECT_EQ(asker.Questions[0].Buttons, DocumentAsker::Yes | DocumentAsker::No);
    EXPECT_EQ(Read(page), "gone");
    EXPECT_TRUE(document.Modified());

    // A move that fails keeps the file, the text and its changes.
    host.TrashWorks = false;
    asker.AnswerButton(DocumentAsker::Yes);
    asker.AnswerButton(DocumentAsker::Ok);
    document.Delete();
    ASSERT_EQ(asker.Questions.size(), 3u);
    EXPECT_EQ(asker.Questions[2].Kind, Kind::Warning);
    EXPECT_EQ(asker.Questions[2].Text, "File Error: \nError Deleting file \"" + page + "\"");
    EXPECT_EQ(Text(), "edited gone");
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.FileName(), page);

    host.TrashWorks = true;
    asker.AnswerButton(DocumentAsker::Yes);
    document.Delete();
    EXPECT_EQ(asker.Questions.size(), 4u);  // the changes are not asked about
    EXPECT_FALSE(std::filesystem::exists(page));
    EXPECT_EQ(Read(folder.Path("trash/gone.htm")), "gone");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(document.FileName(), "");
    EXPECT_EQ(document.Title(), "(Untitled)");

    // An untitled document has no file: Delete only starts a new document.
    document.Delete();
    EXPECT_EQ(asker.Questions.size(), 4u);
    EXPECT_EQ(asker.Unexpected, 0);
}

// ---- dropped files ----

TEST_F(DocumentLifeCycle, DroppedFilesOpenOrBecomeLinks) {
    const std::string page = File("page.htm", "dropped");
    const std::string other = File("other.htm", "other");
    document.FilesDropped({page});
    EXPECT_TRUE(asker.Questions.empty());
    EXPECT_EQ(Text(), "dropped");
    EXPECT_EQ(document.RecentFiles().List().Items(), std::vector<std::string>{page});

    // Several files on an unmodified document open the first without a question.
    document.FilesDropped({other, page});
    EXPECT_TRUE(asker.Questions.empty());
    EXPECT_EQ(Text(), "other");

    // Kept documents get a link per Internet shortcut; other files add nothing.
    const std::string link =
        File("Example.url", "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    const std::string broken = File("Broken.URL", "[InternetShortcut]\r\n");
    Config("Default Startup", 0);
    document.New();
    Type("x");
    asker.AnswerButton(DocumentAsker::Cancel);
    document.FilesDropped({link, broken, page});
    EXPECT_EQ(Text(), "x<a href=\"http://example.com/\">Example</a><br>\r\n<br>\r\n");
    EXPECT_EQ(host.Notices, std::vector<std::string>{"File Error:  " + broken});
    UndoStack& log = editor.UndoLog();
    log.StartListing();
    int32_t code = 0;
    UndoStack::Node node = nullptr;
    ASSERT_TRUE(log.NextUndoGroup(false, code, node));
    EXPECT_EQ(code, ucDragDrop);
    EXPECT_EQ(document.FileName(), "");
    EXPECT_EQ(asker.Unexpected, 0);
}

// ---- the declared charset ----

TEST_F(DocumentLifeCycle, LatinTwoDocumentKeepsItsBytes) {
    const std::string original =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=iso-8859-2\"></head><body>\xA1\xE6 \xF3</body></html>";
    const std::string page = File("latin2.htm", original);
    document.Open(page, false);
    EXPECT_EQ(document.DocumentCharset(), Charset::Iso8859_2);
    EXPECT_EQ(host.Charsets.back(), Charset::Iso8859_2);
    EXPECT_FALSE(editor.MultiByteText);
    EXPECT_TRUE(Contains(document.DocumentText(Text()), "<body>Ąć ó</body>"));

    // Generated text takes the charset's bytes; a character it lacks becomes a reference.
    editor.MoveCaret(SourceEditor::Move::DocumentEnd, false);
    document.InsertGeneratedText("ą€", 0, ucBreak);
    document.Save();
    EXPECT_EQ(Read(page), original + "\xB1&#8364;");
    EXPECT_EQ(document.DocumentCharset(), Charset::Iso8859_2);

    Config("Default Startup", 0);
    document.New();
    EXPECT_EQ(document.DocumentCharset(), Charset::Utf8);
    EXPECT_TRUE(editor.MultiByteText);
}

}  // namespace
}  // namespace quinkle::testing
