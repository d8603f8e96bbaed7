// The Table, Link, Image and Horizontal Rule builders: every field's effect on the text, and
// every text they make read by the real tidy as sound HTML.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "engine/html/ImageText.h"
#include "engine/html/LinkText.h"
#include "engine/html/RuleText.h"
#include "engine/html/TableText.h"
#include "engine/html/TidyCommand.h"
#include "engine/store/StoreTestFolder.h"

extern char** environ;

namespace quinkle {
namespace {

using testing::StoreTestFolder;

/// One reference output: what the builder makes of fields changed by `change`.
template <typename Fields>
struct Case {
    const char* Name;
    std::function<void(Fields&)> Change;
    std::string Expected;
    /// False for a row whose typed value is no valid value, to show only how it is escaped.
    bool Valid = true;
};

// ---- the reference outputs ----

std::string Cell(int row, int col, const std::string& attributes = "") {
    return "  <TD" + attributes + ">\r\n<!--  Table row:" + std::to_string(row) +
           ", col:" + std::to_string(col) + "  //-->\r\n  </td>\r\n";
}

std::vector<Case<TableFields>> TableCases() {
    const std::string start = "<table width=\"100%\" border=0 cellspacing=2>\r\n";
    const std::string end = "</table>\r\n";
    std::string twoByThree = "<table align=Center width=\"100%\" border=0 cellspacing=2>\r\n";
    for (int row = 1; row <= 2; ++row) {
        twoByThree += " <tr>\r\n";
        for (int col = 1; col <= 3; ++col) twoByThree += Cell(row, col, " valign=Top");
        twoByThree += " </tr>\r\n";
    }
    twoByThree += end;
    return {
        {"defaults: seven lines, width 100 and border 0 still written", [](TableFields&) {},
         start + " <tr>\r\n" + Cell(1, 1) + " </tr>\r\n" + end},
        {"2 by 3, table centred, cells at the top",
         [](TableFields& f) {
             f.Rows = 2;
             f.Cols = 3;
             f.Align = "Center";
             f.CellVAlign = "Top";
         },
         twoByThree},
        {"width, border and both cell alignments",
         [](TableFields& f) {
             f.Width = 50;
             f.Border = 2;
             f.CellAlign = "Right";
             f.CellVAlign = "Bottom";
         },
         "<table width=\"50%\" border=2 cellspacing=2>\r\n <tr>\r\n" +
             Cell(1, 1, " align=Right valign=Bottom") + " </tr>\r\n" + end},
        {"a negative border is none", [](TableFields& f) { f.Border = -4; },
         start + " <tr>\r\n" + Cell(1, 1) + " </tr>\r\n" + end},
    };
}

std::vector<Case<LinkFields>> LinkCases() {
    return {
        {"link page with the start-up values", [](LinkFields&) {},
         "<a href=\"https://www.example.com/\">Text to Describe the WWW Page.</a>"},
        {"link page, empty description: the address is the text, escaped",
         [](LinkFields& f) {
             f.Link = "page.htm?a=1&b=<2>&amp;c=&#51;";
             f.Text = "";
         },
         "<a href=\"page.htm?a=1&amp;b=%3C2%3E&amp;c=&#51;\">"
         "page.htm?a=1&amp;b=&lt;2&gt;&amp;c=&#51;</a>"},
        {"link page, a quote in the address cannot end the attribute",
         [](LinkFields& f) {
             f.Link = "a\"b.htm";
             f.Text = "<b>bold</b> text";
         },
         "<a href=\"a%22b.htm\"><b>bold</b> text</a>"},
        {"mail page", [](LinkFields& f) { f.Page = LinkPage::MailTo; },
         "<a href=\"mailto:someone@example.com\">If left blank, will insert the email "
         "address.</a>"},
        {"mail page, empty description",
         [](LinkFields& f) {
             f.Page = LinkPage::MailTo;
             f.EmailLink = "me@example.org";
             f.EmailText = "";
         },
         "<a href=\"mailto:me@example.org\">me@example.org</a>"},
        {"name page",
         [](LinkFields& f) {
             f.Page = LinkPage::Name;
             f.Name = "top";
         },
         "<a name=\"top\"></a>"},
        {"name page, a quote in the name",
         [](LinkFields& f) {
             f.Page = LinkPage::Name;
             f.Name = "say\"hi\"";
         },
         "<a name=\"say&quot;hi&quot;\"></a>"},
        {"the page's own field empty: nothing, whatever the other pages hold",
         [](LinkFields& f) { f.Link = ""; }, ""},
        {"mail page, empty address",
         [](LinkFields& f) {
             f.Page = LinkPage::MailTo;
             f.EmailLink = "";
             f.Name = "top";
         },
         ""},
        {"name page, empty name", [](LinkFields& f) { f.Page = LinkPage::Name; }, ""},
    };
}

std::vector<Case<ImageFields>> ImageCases() {
    return {
        {"no file: nothing", [](ImageFields&) {}, ""},
        {"defaults: middle, an empty alt and no size",
         [](ImageFields& f) { f.FileName = "cat.gif"; },
         "<img src=\"cat.gif\" alt=\"\" align=middle>\r\n"},
        {"quoted path with a drive and a blank, alt escaped, top",
         [](ImageFields& f) {
             f.FileName = "\"C:\\Pics\\my cat.jpg\"";
             f.Alt = "Tom & \"Jerry\" <3 &eacute;";
             f.Align = ImageAlign::Top;
         },
         "<img src=\"/Pics/my cat.jpg\" alt=\"Tom &amp; &quot;Jerry&quot; &lt;3 &eacute;\" "
         "align=top>\r\n"},
        {"size unknown: width 50 is a share of the page, height 100 is left out",
         [](ImageFields& f) {
             f.FileName = "a.png";
             f.WidthPercent = 50;
             f.Align = ImageAlign::Bottom;
         },
         "<img src=\"a.png\" alt=\"\" align=bottom width=50%>\r\n"},
        {"size unknown: zero is written, a negative left out",
         [](ImageFields& f) {
             f.FileName = "a.png";
             f.WidthPercent = -50;
             f.HeightPercent = 0;
         },
         "<img src=\"a.png\" alt=\"\" align=middle height=0%>\r\n"},
        {"size known: both written in pixels at 100",
         [](ImageFields& f) {
             f.FileName = "a.png";
             f.PixelWidth = 640;
             f.PixelHeight = 480;
         },
         "<img src=\"a.png\" alt=\"\" align=middle width=640 height=480>\r\n"},
        {"size known: scaled and rounded half up",
         [](ImageFields& f) {
             f.FileName = "a.png";
             f.PixelWidth = 641;
             f.PixelHeight = 3;
             f.WidthPercent = 50;
             f.HeightPercent = 500;
         },
         "<img src=\"a.png\" alt=\"\" align=middle width=321 height=15>\r\n"},
        {"size known: a negative percentage is left out",
         [](ImageFields& f) {
             f.FileName = "a.png";
             f.PixelWidth = 10;
             f.PixelHeight = 20;
             f.HeightPercent = -100;
         },
         "<img src=\"a.png\" alt=\"\" align=middle width=10>\r\n"},
        {"a quote or angle bracket in the name cannot break the tag",
         [](ImageFields& f) { f.FileName = "x\"<y>.png"; },
         "<img src=\"x%22%3Cy%3E.png\" alt=\"\" align=middle>\r\n"},
    };
}

std::vector<Case<RuleFields>> RuleCases() {
    return {
        {"defaults: a bare rule", [](RuleFields&) {}, "<hr>"},
        {"width 80, colour Red, Left, solid: width, color, align, noshade",
         [](RuleFields& f) {
             f.Width = 80;
             f.Colour = "Red";
             f.Align = "Left";
             f.Solid = true;
         },
         "<hr width=\"80%\" color=\"#FF0000\" align=\"Left\" noshade>"},
        {"full width: no align whatever the list says", [](RuleFields& f) { f.Align = "Right"; },
         "<hr>"},
        {"thickness is size; six hex digits get their #; the default align at part width",
         [](RuleFields& f) {
             f.Width = 1;
             f.Height = 20;
             f.Colour = " 00ff00 ";
         },
         "<hr width=\"1%\" size=\"20\" color=\"#00ff00\" align=\"Center\">"},
        {"blank colour and blank typed alignment are left out",
         [](RuleFields& f) {
             f.Width = 50;
             f.Colour = "   ";
             f.Align = "  ";
             f.Height = 1;
         },
         "<hr width=\"50%\" size=\"1\">"},
        {"typed values are escaped",
         [](RuleFields& f) {
             f.Width = 50;
             f.Colour = "#123456";
             f.Align = "le\"ft";
         },
         "<hr width=\"50%\" color=\"#123456\" align=\"le&quot;ft\">", false},
    };
}

template <typename Fields>
void CheckCases(const std::vector<Case<Fields>>& cases, GeneratedText (*build)(const Fields&)) {
    for (const Case<Fields>& row : cases) {
        Fields fields;
        row.Change(fields);
        GeneratedText built = build(fields);
        EXPECT_EQ(built.Text, row.Expected) << row.Name;
        EXPECT_EQ(built.StepBack, 0) << row.Name;
    }
}

TEST(DialogBuilders, Table) { CheckCases(TableCases(), &BuildTable); }
TEST(DialogBuilders, Link) { CheckCases(LinkCases(), &BuildLink); }
TEST(DialogBuilders, Image) { CheckCases(ImageCases(), &BuildImage); }
TEST(DialogBuilders, Rule) { CheckCases(RuleCases(), &BuildRule); }

TEST(DialogBuilders, ShortcutFilesGiveTheirAddressAndName) {
    struct Row {
        const char* Text;
        const char* Path;
        ShortcutPick Expected;
    };
    for (const Row& row : {
             Row{"[InternetShortcut]\r\nURL=https://a.example/x?y=1\r\n",
                 "/fav/My Site.url",
                 {"https://a.example/x?y=1", "My Site"}},
             Row{"\xEF\xBB\xBF[InternetShortcut]\nurl=http://b/\n",
                 "C:\\Favorites\\b.url",
                 {"http://b/", "b"}},
             Row{"[Other]\nURL=http://c/\n", "c.url", {"ERROR Getting URL!", "c"}},
             Row{"", "x", {"ERROR Getting URL!", ""}},
         }) {
        ShortcutPick pick = PickShortcut(row.Text, row.Path);
        EXPECT_EQ(pick.Link, row.Expected.Link) << row.Path;
        EXPECT_EQ(pick.Text, row.Expected.Text) << row.Path;
    }
}

// ---- every reference output through tidy ----

// Tidy's report on `page`, and its exit code (0 clean, 1 warnings, 2 errors).
std::pair<int, std::string> TidyReport(const std::string& tidy, const std::string& page) {
    StoreTestFolder folder;
    const std::string input = folder.Path("page.html");
    const std::string report = folder.Path("report.txt");
    StoreTestFolder::Write(input, page);
    std::vector<std::string> arguments{tidy, "-errors", "-q", input};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, 2, report.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t pid = 0;
    int status = -1;
    if (::posix_spawn(&pid, tidy.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        ::waitpid(pid, &status, 0);
    ::posix_spawn_file_actions_destroy(&actions);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, StoreTestFolder::Read(report)};
}

// Warnings about the presentational attributes that the dialogs write on purpose (HTML5 calls
// them obsolete, every browser still honours them) and about blanks in a path, which browsers
// encode themselves. Anything else tidy says is a fault in a builder.
bool AcceptedWarning(const std::string& line) {
    for (const char* accepted : {"not allowed for HTML5", "proprietary attribute \"color\"",
                                 "cannot copy name attribute to id", "is obsolete",
                                 "illegal characters found in URI", "escaping malformed URI"}) {
        if (line.find(accepted) != std::string::npos) return true;
    }
    return false;
}

TEST(DialogBuilders, EveryReferenceOutputIsSoundHtml) {
    const char* path = std::getenv("PATH");
    const std::string tidy = FindTidyProgram("", path ? path : "/usr/bin:/bin");
    if (tidy.empty()) GTEST_SKIP() << "tidy is not installed (scripts/deps.sh installs it)";
    std::vector<std::pair<std::string, std::string>> outputs;
    const auto add = [&outputs](const auto& cases) {
        for (const auto& row : cases) {
            if (row.Valid && !row.Expected.empty()) outputs.emplace_back(row.Name, row.Expected);
        }
    };
    add(TableCases());
    add(LinkCases());
    add(ImageCases());
    add(RuleCases());
    for (const auto& [name, html] : outputs) {
        // Links and images are phrasing content, so they go into a paragraph.
        const bool block = html.starts_with("<table") || html.starts_with("<hr");
        const std::string page =
            "<!DOCTYPE html>\n<html>\n<head>\n<title>t</title>\n</head>\n<body>\n" +
            (block ? html : "<p>" + html + "</p>") + "\n</body>\n</html>\n";
        const auto [code, report] = TidyReport(tidy, page);
        EXPECT_LT(code, 2) << name << "\n" << report;
        std::istringstream lines(report);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_TRUE(line.empty() || AcceptedWarning(line)) << name << ": " << line;
        }
    }
}

}  // namespace
}  // namespace quinkle
