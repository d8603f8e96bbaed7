// The translator on rich text that real writers made: LibreOffice Writer and pandoc turn one
// HTML page into RTF, and the page translated back must keep its text, runs, link, lists and
// table cells, and pass tidy without errors. Skipped where a writer is not installed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/html/RtfToHtml.h"

namespace quinkle {
namespace {

namespace fs = std::filesystem;

const char kPage[] = R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Sample</title></head>
<body>
<h1>Heading One</h1>
<p>Plain text with <b>bold words</b>, <i>italic words</i> and <u>underlined</u>. Caf&eacute; na&iuml;ve &mdash; &ldquo;quoted&rdquo; &amp; &lt;tags&gt; &#x10D;e&#x161;tina &#x4E2D;&#x6587;.</p>
<p style="text-align:center">Centred paragraph.</p>
<p>A link to <a href="https://example.org/page?a=1&amp;b=2">the example site</a> here.</p>
<ul><li>First item</li><li>Second <b>bold</b> item</li></ul>
<ol><li>Step one</li><li>Step two</li></ol>
<table border="1"><tr><td>Cell A1</td><td>Cell B1</td></tr><tr><td>Cell A2</td><td>Cell B2</td></tr></table>
<p><font color="#FF0000">Red text</font> at the end.</p>
</body></html>
)";

// The body's text, each character with the elements open around it (" B I A:href ... ").
struct Rendered {
    std::string Text;
    std::vector<std::string> Open;

    // Whether `text` is there with every one of its characters inside `element`.
    bool Inside(const std::string& text, const std::string& element) const {
        const size_t at = Text.find(text);
        if (at == std::string::npos) return false;
        for (size_t i = at; i < at + text.size(); ++i)
            if (Open[i].find(" " + element + " ") == std::string::npos) return false;
        return true;
    }
};

Rendered Render(const std::string& page) {
    static const std::map<std::string, std::string> kEntities = {
        {"amp", "&"},        {"lt", "<"},          {"gt", ">"},
        {"quot", "\""},      {"nbsp", "\xC2\xA0"}, {"eacute", "\xC3\xA9"},
        {"iuml", "\xC3\xAF"}};
    Rendered out;
    std::vector<std::string> open;
    const auto decode = [&](std::string text) {
        std::string plain;
        for (size_t i = 0; i < text.size(); ++i) {
            const size_t semi = text.find(';', i);
            const auto entity = text[i] == '&' && semi != std::string::npos
                                    ? kEntities.find(text.substr(i + 1, semi - i - 1))
                                    : kEntities.end();
            if (entity == kEntities.end()) {
                plain += text[i];
            } else {
                plain += entity->second;
                i = semi;
            }
        }
        return plain;
    };
    size_t i = page.find("<body");
    while (i < page.size()) {
        if (page[i] == '<') {
            const size_t end = page.find('>', i);
            const std::string tag = page.substr(i + 1, end - i - 1);
            i = end + 1;
            const bool closing = tag[0] == '/';
            const std::string name =
                tag.substr(closing, tag.find_first_of(" >", closing) - closing);
            if (closing) {
                for (auto entry = open.rbegin(); entry != open.rend(); ++entry)
                    if (entry->substr(0, entry->find(':')) == name) {
                        open.erase(std::next(entry).base());
                        break;
                    }
            } else if (name != "BR" && name != "HR" && name != "body") {
                std::string entry = name;
                if (name == "A") entry += ":" + decode(tag.substr(8, tag.size() - 9));
                if (name == "P" && tag.find("ALIGN=CENTER") != std::string::npos)
                    entry += ":CENTER";
                open.push_back(entry);
            }
            continue;
        }
        std::string text;
        while (i < page.size() && page[i] != '<') text += page[i++];
        std::string context = " ";
        for (const std::string& entry : open) context += entry + " ";
        for (const char c : decode(text)) {
            if (c == '\r' || c == '\n') continue;
            out.Text += c;
            out.Open.push_back(context);
        }
    }
    return out;
}

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class RtfReference : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("quinkle-rtf-reference-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "sample.html") << kPage;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // The page made from the writer's RTF, after checking it with tidy when tidy is there.
    Rendered Translated(const fs::path& rtf) {
        const std::string page = BuildRtfPage(TranslateRtf(ReadFile(rtf)), "", "", "", {});
        const fs::path html = m_dir / (rtf.stem().string() + "-out.html");
        std::ofstream(html, std::ios::binary) << page;
        if (Shell("command -v tidy >/dev/null") == 0) {
            // 0: clean, 1: warnings only, 2: errors.
            EXPECT_LT(Shell("tidy -q -e '" + html.string() + "' 2>'" + html.string() + ".tidy'"), 2)
                << ReadFile(html.string() + ".tidy");
        }
        return Render(page);
    }

    void ExpectCommonContent(const Rendered& page) {
        EXPECT_NE(
            page.Text.find("Plain text with bold words, italic words and underlined. "
                           "Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x94 \xE2\x80\x9Cquoted\xE2\x80\x9D "
                           "& <tags> \xC4\x8D"
                           "e\xC5\xA1tina \xE4\xB8\xAD\xE6\x96\x87."),
            std::string::npos)
            << page.Text;
        EXPECT_TRUE(page.Inside("bold words", "B"));
        EXPECT_TRUE(page.Inside("italic words", "I"));
        EXPECT_TRUE(page.Inside("underlined", "U"));
        EXPECT_FALSE(page.Inside("Plain text", "B"));
        EXPECT_TRUE(page.Inside("the example site", "A:https://example.org/page?a=1&b=2"));
        EXPECT_FALSE(page.Inside(" here.", "A:https://example.org/page?a=1&b=2"));
        EXPECT_TRUE(page.Inside("First item", "LI") && page.Inside("First item", "UL"));
        EXPECT_TRUE(page.Inside("Second bold item", "LI"));
        EXPECT_TRUE(page.Inside("Step two", "LI") && page.Inside("Step two", "OL"));
        EXPECT_NE(page.Text.find("Cell A1Cell B1Cell A2Cell B2"), std::string::npos);
        for (const char* cell : {"Cell A1", "Cell B1", "Cell A2", "Cell B2"})
            EXPECT_TRUE(page.Inside(cell, "TD") && page.Inside(cell, "TR") &&
                        page.Inside(cell, "TABLE"))
                << cell;
        EXPECT_FALSE(page.Inside("Red text", "TABLE"));
    }

    fs::path m_dir;
};

TEST_F(RtfReference, LibreOfficeWriter) {
    if (Shell("command -v soffice >/dev/null") != 0) GTEST_SKIP() << "soffice is not installed";
    const std::string dir = m_dir.string();
    ASSERT_EQ(Shell("cd '" + dir + "' && soffice --headless -env:UserInstallation=file://" + dir +
                    "/profile --infilter='HTML (StarWriter)' --convert-to 'rtf:Rich Text Format' "
                    "--outdir '" +
                    dir + "/lo' sample.html >/dev/null 2>&1"),
              0);
    const Rendered page = Translated(m_dir / "lo" / "sample.rtf");
    ExpectCommonContent(page);
    EXPECT_TRUE(page.Inside("Centred paragraph.", "P:CENTER"));
    EXPECT_TRUE(page.Inside("Red text", "FONT"));
    EXPECT_TRUE(page.Inside("Heading One", "B"));
}

TEST_F(RtfReference, Pandoc) {
    if (Shell("command -v pandoc >/dev/null") != 0) GTEST_SKIP() << "pandoc is not installed";
    ASSERT_EQ(
        Shell("cd '" + m_dir.string() + "' && pandoc -s -f html -t rtf -o '" +
              (m_dir / "pandoc.rtf").string() + "' '" + (m_dir / "sample.html").string() + "'"),
        0);
    ExpectCommonContent(Translated(m_dir / "pandoc.rtf"));
}

}  // namespace
}  // namespace quinkle
